// The output formats: exact bytes of each writer for the same sentences, escaping of
// markup and of bytes that are not UTF-8, the UPOS table, and every writer's output
// accepted by an independent checker of its format on random text.
#include "core/format_writer.h"

#include <gtest/gtest.h>

#include <random>

#include "core/markup_escape.h"
#include "core/upos.h"
#include "tests/core/tagger_fixture.h"
#include "tests/reference/format_checks.h"

namespace quillon {
namespace {

using testing::TaggerFixture;

const std::vector<std::string> kLexicon = {"the DT", "cat NN VB", "sat VBD", ". .",
                                           "do VBP", "n't RB",    "I PRP",   "& CC"};

// Writes sentences (running text) with a fresh writer of format.
std::string WriteAll(TaggerFixture* f, OutputFormat format, const std::vector<std::string>& text,
                     WriterOptions options = {}) {
  std::unique_ptr<FormatWriter> writer = MakeFormatWriter(format, options);
  std::string out;
  writer->Begin(&out);
  for (const std::string& sentence : text) writer->Write(f->tagger->Tag(sentence), &out);
  writer->End(&out);
  return out;
}

TEST(FormatWriterTest, EachFormatWritesTheSameSentences) {
  TaggerFixture f(kLexicon, {}, {});
  const std::vector<std::string> text = {"I don't  cat.", "", "the \"cat\" & sat"};
  const struct {
    OutputFormat format;
    std::string expected;
  } cases[] = {
      {OutputFormat::kText,
       "I_PRP do_VBP n't_RB cat_NN ._.\n\nthe_DT \"_NN cat_NN \"_NN &_CC sat_VBD\n"},
      {OutputFormat::kTsv,
       "I\tPRP\ndo\tVBP\nn't\tRB\ncat\tNN\n.\t.\n\n"
       "the\tDT\n\"\tNN\ncat\tNN\n\"\tNN\n&\tCC\nsat\tVBD\n\n"},
      {OutputFormat::kConllu,
       "# sent_id = 1\n# text = I don't cat.\n"
       "1\tI\t_\tPRON\tPRP\t_\t_\t_\t_\t_\n"
       "2\tdo\t_\tVERB\tVBP\t_\t_\t_\t_\tSpaceAfter=No\n"
       "3\tn't\t_\tADV\tRB\t_\t_\t_\t_\t_\n"
       "4\tcat\t_\tNOUN\tNN\t_\t_\t_\t_\tSpaceAfter=No\n"
       "5\t.\t_\tPUNCT\t.\t_\t_\t_\t_\t_\n\n"
       "# sent_id = 3\n# text = the \"cat\" & sat\n"
       "1\tthe\t_\tDET\tDT\t_\t_\t_\t_\t_\n"
       "2\t\"\t_\tNOUN\tNN\t_\t_\t_\t_\tSpaceAfter=No\n"
       "3\tcat\t_\tNOUN\tNN\t_\t_\t_\t_\tSpaceAfter=No\n"
       "4\t\"\t_\tNOUN\tNN\t_\t_\t_\t_\t_\n"
       "5\t&\t_\tCCONJ\tCC\t_\t_\t_\t_\t_\n"
       "6\tsat\t_\tVERB\tVBD\t_\t_\t_\t_\t_\n\n"},
      {OutputFormat::kJson,
       "{\"id\":1,\"text\":\"I don't cat.\",\"tokens\":[\"I\",\"do\",\"n't\",\"cat\",\".\"],"
       "\"tags\":[\"PRP\",\"VBP\",\"RB\",\"NN\",\".\"]}\n"
       "{\"id\":3,\"text\":\"the \\\"cat\\\" & sat\",\"tokens\":[\"the\",\"\\\"\",\"cat\",\"\\\"\","
       "\"&\",\"sat\"],\"tags\":[\"DT\",\"NN\",\"NN\",\"NN\",\"CC\",\"VBD\"]}\n"},
      {OutputFormat::kXml,
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<text>\n<s n=\"1\">\n"
       "<w pos=\"PRP\">I</w>\n<w pos=\"VBP\">do</w>\n<w pos=\"RB\">n&apos;t</w>\n"
       "<w pos=\"NN\">cat</w>\n<w pos=\".\">.</w>\n</s>\n<s n=\"3\">\n"
       "<w pos=\"DT\">the</w>\n<w pos=\"NN\">&quot;</w>\n<w pos=\"NN\">cat</w>\n"
       "<w pos=\"NN\">&quot;</w>\n<w pos=\"CC\">&amp;</w>\n<w pos=\"VBD\">sat</w>\n</s>\n"
       "</text>\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriteAll(&f, c.format, text), c.expected) << FormatName(c.format);
  }
}

TEST(FormatWriterTest, LemmasAndMarksGetTheirOwnFields) {
  TaggerOptions lemma_options;
  lemma_options.lemma = true;
  TaggerFixture lemmas(kLexicon, {}, {}, {}, {}, lemma_options);
  ASSERT_TRUE(lemmas.resources->lemmas.Load({"sit -> sat"}));
  EXPECT_EQ(WriteAll(&lemmas, OutputFormat::kTsv, {"I sat"}), "I\tPRP\ti\nsat\tVBD\tsit\n\n");
  EXPECT_EQ(WriteAll(&lemmas, OutputFormat::kConllu, {"I sat"}),
            "# sent_id = 1\n# text = I sat\n1\tI\ti\tPRON\tPRP\t_\t_\t_\t_\t_\n"
            "2\tsat\tsit\tVERB\tVBD\t_\t_\t_\t_\t_\n\n");
  EXPECT_EQ(WriteAll(&lemmas, OutputFormat::kJson, {"I sat"}),
            "{\"id\":1,\"text\":\"I sat\",\"tokens\":[\"I\",\"sat\"],\"tags\":[\"PRP\",\"VBD\"],"
            "\"lemmas\":[\"i\",\"sit\"]}\n");
  EXPECT_NE(WriteAll(&lemmas, OutputFormat::kXml, {"I sat"}).find("<w pos=\"VBD\" lemma=\"sit\">"),
            std::string::npos);
  EXPECT_EQ(WriteAll(&lemmas, OutputFormat::kText, {"I sat"}, {'/', true}),
            "I/PRP/i sat/VBD/sit\r\n");

  TaggerOptions mark_options;
  mark_options.multiword = true;
  TaggerFixture marks(kLexicon, {}, {}, {}, {}, mark_options);
  marks.resources->multiwords.Load({"the cat\tN|P"}, nullptr);
  EXPECT_EQ(WriteAll(&marks, OutputFormat::kTsv, {"sat the cat"}),
            "sat\tVBD\t\nthe\tDT\tN|P\ncat\tNN\tN|P\n\n");
  const std::string conllu = WriteAll(&marks, OutputFormat::kConllu, {"the cat."});
  EXPECT_NE(conllu.find("2\tcat\t_\tNOUN\tNN\t_\t_\t_\t_\tMWE=N_P|SpaceAfter=No\n"),
            std::string::npos)
      << conllu;
  EXPECT_NE(WriteAll(&marks, OutputFormat::kJson, {"sat the cat"})
                .find("\"multiword\":[null,\"N|P\",\"N|P\"]"),
            std::string::npos);
  EXPECT_NE(WriteAll(&marks, OutputFormat::kXml, {"the cat"}).find("<w pos=\"DT\" mw=\"N|P\">"),
            std::string::npos);
}

TEST(MarkupEscapeTest, JsonAndXmlEscapeMarkupAndReplaceWhatTheyCannotHold) {
  const struct {
    std::string text;
    std::string json;
    std::string xml;
    size_t json_replaced;
    size_t xml_replaced;
  } cases[] = {
      {"plain", "plain", "plain", 0, 0},
      {"a\"b\\c", "a\\\"b\\\\c", "a&quot;b\\c", 0, 0},
      {"<&>'", "<&>'", "&lt;&amp;&gt;&apos;", 0, 0},
      {"\t\n\r", "\\t\\n\\r", "&#9;&#10;&#13;", 0, 0},
      {"\x01\x1f", "\\u0001\\u001f", "\xEF\xBF\xBD\xEF\xBF\xBD", 0, 2},
      {"caf\xC3\xA9 \xE2\x80\x9C", "caf\xC3\xA9 \xE2\x80\x9C", "caf\xC3\xA9 \xE2\x80\x9C", 0, 0},
      {"\xFF\xC3", "\xEF\xBF\xBD\xEF\xBF\xBD", "\xEF\xBF\xBD\xEF\xBF\xBD", 2, 2},
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD", "\xEF\xBF\xBD\xEF\xBF\xBD", 2, 2},  // overlong
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD",
       "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", 3, 3},          // surrogate
      {"\xEF\xBF\xBE", "\xEF\xBF\xBE", "\xEF\xBF\xBD", 0, 1},  // U+FFFE
      {"\x7F", "\x7F", "\x7F", 0, 0},
  };
  for (const auto& c : cases) {
    std::string json, xml;
    EXPECT_EQ(AppendJsonEscaped(c.text, &json), c.json_replaced) << c.text;
    EXPECT_EQ(json, c.json);
    EXPECT_EQ(AppendXmlEscaped(c.text, &xml), c.xml_replaced) << c.text;
    EXPECT_EQ(xml, c.xml);
  }
}

TEST(UposTest, EveryTagOfTheLegendMapsToAUdValue) {
  const std::pair<const char*, const char*> expected[] = {
      {"NN", "NOUN"},  {"NNPS", "PROPN"}, {"MD", "AUX"},  {"PRP$", "PRON"},   {"TO", "PART"},
      {"``", "PUNCT"}, {"''", "PUNCT"},   {"(", "PUNCT"}, {"-LRB-", "PUNCT"}, {"$", "SYM"},
      {"#", "SYM"},    {"CC", "CCONJ"},   {"WRB", "ADV"}, {"FW", "X"},        {"LS", "X"},
      {"", "X"},       {"NNX", "X"},      {"nn", "X"},    {"VBZ", "VERB"},    {"UH", "INTJ"}};
  for (const auto& [penn, upos] : expected) EXPECT_EQ(UposOfPenn(penn), upos) << penn;
  for (const char* tag : {"CC",  "CD",  "DT",  "EX", "IN",  "JJ",  "JJR", "JJS", "NN", "NNS", "NNP",
                          "PDT", "POS", "PRP", "RB", "RBR", "RBS", "RP",  "SYM", "VB", "VBD", "VBG",
                          "VBN", "VBP", "WDT", "WP", "WP$", ".",   ",",   ":",   ")"}) {
    EXPECT_NE(UposOfPenn(tag), "X") << tag;
  }
}

TEST(FormatNamesTest, NamesExtensionsAndDefaults) {
  for (const OutputFormat format : kOutputFormats) {
    EXPECT_EQ(ParseOutputFormat(FormatName(format)), format);
  }
  EXPECT_EQ(FormatExtension(OutputFormat::kText), "txt");
  EXPECT_EQ(FormatExtension(OutputFormat::kJson), "jsonl");
  EXPECT_EQ(FormatExtension(OutputFormat::kConllu), "conllu");
  EXPECT_FALSE(ParseOutputFormat("TEXT"));
  EXPECT_EQ(ParseInputFormat("vertical"), InputFormat::kVertical);
  EXPECT_EQ(DefaultOutputFormat(InputFormat::kConllu), OutputFormat::kConllu);
  EXPECT_EQ(DefaultOutputFormat(InputFormat::kVertical), OutputFormat::kTsv);
  EXPECT_EQ(DefaultOutputFormat(InputFormat::kText), OutputFormat::kText);
}

// The checkers must refuse what their formats refuse, or passing them would mean nothing.
TEST(FormatChecksTest, CheckersRefuseBrokenTexts) {
  const std::string word = "1\tcat\t_\tNOUN\tNN\t_\t_\t_\t_\t_\n";
  EXPECT_EQ(reference::CheckConllu("# text = cat\n" + word + "\n"), "");
  for (const std::string& bad : std::vector<std::string>{
           word, "# x\n\n", word + "\n\n", "1\tcat\t_\tNOUN\tNN\t_\t_\t_\t_\n\n",
           "2\tcat\t_\tNOUN\tNN\t_\t_\t_\t_\t_\n\n", "1\tcat\t_\tNN\tNN\t_\t_\t_\t_\t_\n\n",
           word + "# late\n\n", "1\tcat\t\tNOUN\tNN\t_\t_\t_\t_\t_\n\n"}) {
    EXPECT_NE(reference::CheckConllu(bad), "") << bad;
  }
  EXPECT_EQ(reference::CheckJsonLines("{\"a\":[1,-2.5e3,\"\\u00e9\",true,null]}\n{}\n"), "");
  for (const std::string& bad :
       std::vector<std::string>{"{\"a\":1}", "{\"a\":1}\n\n", "{'a':1}\n", "[1,]\n", "\"\x01\"\n",
                                "\"\xFF\"\n", "\"\\x\"\n", "01\n", "{\"a\"}\n"}) {
    EXPECT_NE(reference::CheckJsonLines(bad), "") << bad;
  }
  EXPECT_EQ(reference::CheckXml("<?xml version=\"1.0\"?>\n<t a='1' b=\"&#9;\">x&amp;<u/></t>\n"),
            "");
  for (const std::string& bad : std::vector<std::string>{
           "<t>", "<t></u>", "<t/><t/>", "<t a=1/>", "<t a='<'/>", "<t>&nbsp;</t>", "<t>\x01</t>",
           "<t>\xFF</t>", "text<t/>", "<t a='1' a='2'/>", "<t>&#0;</t>", "<t>]]></t>", ""}) {
    EXPECT_NE(reference::CheckXml(bad), "") << bad;
  }
}

// Random bytes, as an 8-bit or broken file gives them, through every writer: each output
// passes its checker. The fuzz harness does the same at length.
TEST(FormatWriterTest, RandomTextGivesValidOutputInEveryFormat) {
  std::mt19937 random(7);
  const std::string alphabet = "ab .,\"'<>&\t\x01\x7f\xc3\xa9\xe2\x80\x9c\xff\xfe\xef\xbf\xbe|_#";
  std::vector<std::string> text;
  for (int s = 0; s < 300; ++s) {
    std::string sentence;
    const int length = random() % 30;
    for (int i = 0; i < length; ++i) sentence.push_back(alphabet[random() % alphabet.size()]);
    text.push_back(sentence);
  }
  for (const bool modern : {false, true}) {
    TaggerOptions options;
    options.modern = modern;
    options.lemma = true;
    TaggerFixture f(kLexicon, {}, {}, {}, {}, options);
    ASSERT_TRUE(f.resources->lemmas.Load({"sit -> sat"}));
    EXPECT_EQ(reference::CheckConllu(WriteAll(&f, OutputFormat::kConllu, text)), "");
    EXPECT_EQ(reference::CheckJsonLines(WriteAll(&f, OutputFormat::kJson, text)), "");
    EXPECT_EQ(reference::CheckXml(WriteAll(&f, OutputFormat::kXml, text)), "");
  }
}

}  // namespace
}  // namespace quillon
