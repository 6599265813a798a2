// `quillon tag --format`, `--input` and `--user-lexicon` end to end: every format on
// standard output and in files, the output names, outputs of random bytes read by real
// parsers (xmllint, Python's json) and by the independent checkers, each format read back
// by its reader, and a user's own words.
#include <gtest/gtest.h>

#include <random>

#include "tests/e2e/e2e_util.h"
#include "tests/reference/format_checks.h"

namespace quillon {
namespace {

using testing::Outcome;
using testing::RunBinary;
using testing::RunShell;
using testing::ScratchDir;

constexpr char kText[] = "The cat sat on the mat.\nI don't know, \"Mr. Smith\" & <co>.\n\ncats\n";

struct Format {
  const char* name;
  const char* extension;
};
constexpr Format kFormats[] = {
    {"text", "txt"}, {"tsv", "tsv"}, {"conllu", "conllu"}, {"json", "jsonl"}, {"xml", "xml"}};

// The checker of a format's output; "" when valid (and for formats without one).
std::string Check(const std::string& format, const std::string& out) {
  if (format == "conllu") return reference::CheckConllu(out);
  if (format == "json") return reference::CheckJsonLines(out);
  if (format == "xml") return reference::CheckXml(out);
  return "";
}

bool Installed(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

class FormatsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::WriteDataFolder(dir_); }
  Outcome Tag(const std::string& args, const std::string& input = "") {
    return RunBinary(dir_, "quillon tag -d Q_data " + args, input);
  }
  ScratchDir dir_;
};

// Files and standard output get the same bytes from the same writer; only `text` ends its
// lines in CR LF in files.
TEST_F(FormatsTest, EveryFormatWritesTheSameToFilesAndStandardOutput) {
  dir_.Write("in/news.txt", kText);
  for (const Format& f : kFormats) {
    for (const std::string extra : {"", " --lemma", " --multiword", " --tokenizer classic"}) {
      const std::string args = std::string("--format ") + f.name + extra;
      const Outcome piped = Tag(args, kText);
      ASSERT_EQ(piped.status, 0) << args << piped.err;
      EXPECT_EQ(Check(f.name, piped.out), "") << args << "\n" << piped.out;
      const Outcome filed = Tag(args + " in/news.txt");
      ASSERT_EQ(filed.status, 0) << filed.err;
      std::string expected = piped.out;
      if (std::string(f.name) == "text") {
        expected.clear();
        for (const char c : piped.out)
          expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
      }
      EXPECT_EQ(dir_.Read(std::string("in/Tagged/news_tag.") + f.extension), expected) << args;
    }
  }
  // The default is still the word_TAG format, in a .txt file.
  EXPECT_EQ(Tag("--tokenizer classic", "The cat").out, "The_DT cat_NN\n");
}

TEST_F(FormatsTest, NumberedNamesKeepTheFormatsExtension) {
  dir_.Write("a.txt", "cat\n");
  dir_.Write("a.md", "the\n");
  dir_.Write("out/.keep", "");
  const Outcome again = Tag("--format conllu -o out a.txt a.md");
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_NE(dir_.Read("out/a_tag.conllu").find("\tcat\t"), std::string::npos);
  EXPECT_NE(dir_.Read("out/a_tag(2).conllu").find("\tthe\t"), std::string::npos);
  EXPECT_NE(again.err.find("out/a_tag(2).conllu instead"), std::string::npos) << again.err;
}

// Random bytes as a broken or 8-bit file holds them: XML and JSON stay valid (bytes that
// are not UTF-8 become U+FFFD, with a warning that counts them), CoNLL-U keeps its shape.
TEST_F(FormatsTest, RandomBytesGiveOutputThatRealParsersRead) {
  std::mt19937 random(16);
  std::string text;
  const std::string alphabet =
      "ab c.,;\"'<>&]]\t\x01\x1b\x7f\xc3\xa9\xe2\x80\x9d\xff\xfe\xc0\xef\xbf\xbf";
  for (int i = 0; i < 20000; ++i) {
    text.push_back(i % 61 == 60 ? '\n' : alphabet[random() % alphabet.size()]);
  }
  dir_.Write("random.txt", text);
  for (const Format& f : kFormats) {
    for (const std::string tokenizer : {"modern", "classic", "spaces"}) {
      const Outcome o = Tag(std::string("--lemma --format ") + f.name + " --tokenizer " +
                            tokenizer + " -o . random.txt");
      ASSERT_EQ(o.status, 0) << o.err;
      const std::string out = dir_.Read(std::string("random_tag.") + f.extension);
      EXPECT_EQ(Check(f.name, out), "") << f.name << " " << tokenizer;
      const bool replacing = std::string(f.name) == "xml" || std::string(f.name) == "json";
      EXPECT_EQ(o.err.find("written as U+FFFD in the") != std::string::npos, replacing) << o.err;
    }
  }
  if (Installed("xmllint")) {
    EXPECT_EQ(RunShell(dir_, "xmllint --noout random_tag.xml").status, 0);
  }
  if (Installed("/usr/bin/python3")) {
    const Outcome json = RunShell(
        dir_,
        "/usr/bin/python3 -c \"import json,sys\n"
        "n = 0\n"
        "for line in open(\\\"random_tag.jsonl\\\", encoding=\\\"utf-8\\\"):\n"
        "  s = json.loads(line); n += 1\n"
        "  assert len(s[\\\"tokens\\\"]) == len(s[\\\"tags\\\"]) == len(s[\\\"lemmas\\\"])\n"
        "print(n)\"");
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_GT(std::atoi(json.out.c_str()), 100);
  }
}

// A text of the data folder's words and of made-up ones, without TABs (a TAB inside a
// token of --tokenizer spaces is written as a space, which is another token).
std::string WordSoup(int lines, unsigned seed) {
  const char* words[] = {"the",  "The", "cat", "cats",    "sat",  "on",       "mat",
                         ".",    ",",   "to",  "run",     "do",   "n't",      "I",
                         "know", "Mr.", "'s",  "quickly", "Zork", "don't",    "“",
                         "”",    "(",   ")",   "co-op",   "3.5",  "x\xc3\xa9"};
  std::mt19937 random(seed);
  std::string text;
  for (int l = 0; l < lines; ++l) {
    const int n = random() % 12;
    for (int i = 0; i < n; ++i) {
      text += words[random() % std::size(words)];
      text += random() % 4 == 0 ? "" : " ";
    }
    text += "\n";
  }
  return text;
}

// A format read back by its reader tags every word as it was tagged: CoNLL-U re-tagged in
// place and one token a line read as vertical give back the very same bytes.
TEST_F(FormatsTest, FormatsReadBackGiveTheSameTags) {
  dir_.Write("soup.txt", WordSoup(400, 3));
  for (const std::string options : {"", " --lemma", " --tokenizer classic", " --multiword",
                                    " --tokenizer spaces --lemma", " --split"}) {
    const Outcome conllu = Tag("--format conllu -o . soup.txt" + options);
    ASSERT_EQ(conllu.status, 0) << conllu.err;
    const std::string first = dir_.Read("soup_tag.conllu");
    ASSERT_EQ(reference::CheckConllu(first), "");
    const std::string cut_options = options == " --split" ? "" : options;
    const Outcome again = Tag("--input conllu -o . soup_tag.conllu" + cut_options);
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.err, "");
    EXPECT_EQ(dir_.Read("soup_tag_tag.conllu"), first) << options;

    ASSERT_EQ(Tag("--format tsv -o . soup.txt" + options).status, 0);
    ASSERT_EQ(Tag("--input vertical -o . soup_tag.tsv" + cut_options).status, 0);
    EXPECT_EQ(dir_.Read("soup_tag_tag.tsv"), dir_.Read("soup_tag.tsv")) << options;
  }
}

// Only the tags change: trees, features, comments and multi-word tokens stay as they
// were; lines that are not CoNLL-U are reported by file and line and kept.
TEST_F(FormatsTest, ConlluIsRetaggedInPlace) {
  const std::string treebank =
      "# newdoc id = d1\n# sent_id = d1-1\n# text = I don't know.\n"
      "1\tI\tI\tPRON\tPRP\tCase=Nom\t4\tnsubj\t4:nsubj\t_\n"
      "2-3\tdon't\t_\t_\t_\t_\t_\t_\t_\t_\n"
      "2\tdo\tdo\tAUX\tVBP\tMood=Ind\t4\taux\t4:aux\t_\n"
      "3\tn't\tnot\tPART\tRB\t_\t4\tadvmod\t4:advmod\t_\n"
      "4\tknow\tknow\tNOUN\tNN\t_\t0\troot\t0:root\tSpaceAfter=No\n"
      "4.1\tgap\t_\t_\t_\t_\t_\t_\t_\t_\n"
      "5\t.\t.\tPUNCT\t.\t_\t4\tpunct\t4:punct\t_\n\n"
      "# sent_id = d1-2\nthis line is not CoNLL-U\n1\tcats\tcat\tX\tXX\t_\t0\troot\t_\t_\n\n";
  dir_.Write("ud.conllu", treebank);
  const Outcome o = Tag("--input conllu ud.conllu");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.err,
            "ud.conllu, line 13: a word line has 10 TAB-separated columns, this one 1; kept as "
            "it is, not tagged.\n");
  std::string expected = treebank;
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"\tknow\tNOUN\tNN\t", "\tknow\tVERB\tVB\t"},
           {"\tdo\tAUX\t", "\tdo\tVERB\t"},  // UPOS is always the tag's, by the table
           {"\tnot\tPART\t", "\tnot\tADV\t"},
           {"\tcat\tX\tXX\t", "\tcat\tNOUN\tNNS\t"}}) {
    expected.replace(expected.find(from), from.size(), to);
  }
  EXPECT_EQ(dir_.Read("Tagged/ud_tag.conllu"), expected);
  // The same words in the other formats.
  EXPECT_EQ(Tag("--input conllu --format text", treebank).out,
            "I_PRP do_VBP n't_RB know_VB ._.\ncats_NNS\n");
}

// --user-lexicon: the user's words win over the lexicon's in every format; a malformed
// file is refused before any input is read, with every bad line named.
TEST_F(FormatsTest, UserLexicon) {
  dir_.Write("Q_data/tagset", "NN\tx\nNNS\tx\nNNP\tx\nDT\tx\nVB\tx\nVBD\tx\nIN\tx\n");
  dir_.Write("words.lex", "# product names\nquillon\tNNP\nmat\tVB NN\n\ncat\tNNS\n");
  dir_.Write("in.txt", "quillon sat on the mat\n");
  const Outcome plain = Tag("", "quillon sat on the mat");
  EXPECT_EQ(plain.out, "quillon_NN sat_VBD on_IN the_DT mat_NN\n");
  const Outcome own = Tag("--user-lexicon words.lex", "quillon sat on the mat");
  EXPECT_EQ(own.out, "quillon_NNP sat_VBD on_IN the_DT mat_VB\n");
  EXPECT_EQ(own.err, "");
  EXPECT_EQ(Tag("--user-lexicon words.lex --format tsv", "cat").out, "cat\tNNS\n\n");

  dir_.Write("bad.lex", "quillon NNP\nok\tNN\nmat\tJJ\n");  // JJ: not in this tag set
  const Outcome bad = Tag("--user-lexicon bad.lex in.txt");
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err,
            "bad.lex, line 1: no TAB between the word and its tags.\n"
            "bad.lex, line 3: \"JJ\" is not a tag of the tag set.\n");
  EXPECT_FALSE(dir_.Exists("Tagged"));
  EXPECT_EQ(Tag("--user-lexicon missing.lex", "x").status, 2);
}

TEST_F(FormatsTest, UsageErrors) {
  EXPECT_EQ(Tag("--format yaml", "x").status, 2);
  EXPECT_EQ(Tag("--input html", "x").status, 2);
  const Outcome split = Tag("--split --input conllu", "x");
  EXPECT_EQ(split.status, 2);
  EXPECT_NE(split.err.find("--split"), std::string::npos);
}

}  // namespace
}  // namespace quillon
