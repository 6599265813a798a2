// The three tokenizers through the real binary: the modern one by default, the classic one
// byte for byte as the plain reference tagger cuts and tags (what the default was before),
// UTF-16 and 8-bit inputs, the modern splitter, and `quillon eval --raw`.
#include <gtest/gtest.h>

#include <string>

#include "tests/core/random_resources.h"
#include "tests/e2e/e2e_util.h"

namespace quillon {
namespace {

using testing::Outcome;
using testing::RunBinary;
using testing::ScratchDir;
using testing::WriteDataFolder;

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class TokenizerE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteDataFolder(dir_);
    // The typographic marks' ASCII twins, as the shipped lexicons know them.
    std::string lexicon = dir_.Read("Q_data/LEXICON.BROWN.AND.WSJ");
    lexicon = "` ``\n'' ''\n- :\n... :\n$ $\n" + lexicon;
    dir_.Write("Q_data/LEXICON.BROWN.AND.WSJ", lexicon);
  }
  Outcome Tag(const std::string& args, const std::string& input = "") {
    return RunBinary(dir_, "quillon tag -q -d Q_data " + args, input);
  }
  ScratchDir dir_;
};

TEST_F(TokenizerE2eTest, ModernIsTheDefault) {
  const std::string text = "“The cat’s mat,” I don’t know – $5,000 e-mail me@x.org :)\n";
  const Outcome o = Tag("", text);
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out,
            "“_`` The_DT cat_NN ’s_POS mat_NN ,_, ”_'' I_PRP do_VBP n’t_RB know_VB –_: $_$ "
            "5,000_NN e-mail_NN me@x.org_NN :)_NN\n");
  EXPECT_EQ(Tag("--tokenizer modern", text).out, o.out);
  // The classic tokenizer keeps the bytes above ASCII inside words.
  EXPECT_EQ(Tag("--tokenizer classic", "“The cat’s mat,”\n").out,
            "“The_NN cat’s_NNS mat_NN ,_, ”_NN\n");
  EXPECT_EQ(Tag("--tokenizer spaces", "I don’t.\n").out, Tag("--no-tokenize", "I don’t.\n").out);
  // The lemma is looked up by the ASCII form too; the output keeps the text's bytes.
  EXPECT_EQ(Tag("-s / --lemma", "cat’s\n").out, "cat/NN/cat ’s/POS/'s\n");
}

TEST_F(TokenizerE2eTest, OptionErrorsAndHelp) {
  EXPECT_EQ(Tag("--tokenizer nltk", "x").status, 2);
  const Outcome both = Tag("--no-tokenize --tokenizer classic", "x");
  EXPECT_EQ(both.status, 2);
  EXPECT_NE(both.err.find("--no-tokenize"), std::string::npos) << both.err;
  EXPECT_EQ(Tag("--no-tokenize --tokenizer spaces", "a b").out, "a_DT b_NN\n");
  EXPECT_EQ(Tag("--encoding utf-16", "x").status, 2);
  const Outcome help = RunBinary(dir_, "quillon tag --help");
  for (const char* word : {"--tokenizer", "modern", "classic", "spaces", "--encoding"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
}

// `--tokenizer classic` gives what the default gave before this choice existed: the lines
// of the plain reference tagger, on generated resources and sentences full of odd bytes.
TEST_F(TokenizerE2eTest, ClassicIsTheReferenceByteForByte) {
  differential::ResourceGenerator generator(1313);
  for (int round = 0; round < 12; ++round) {
    const reference::ResourceLines lines = generator.NewResources();
    dir_.Write("R/ignore.dat", Joined(lines.ignore));
    dir_.Write("R/LEXICON.BROWN.AND.WSJ", Joined(lines.lexicon));
    dir_.Write("R/tagset", Joined(lines.tagset));
    dir_.Write("R/LEXICALRULEFILE.WSJ", Joined(lines.lexical_rules));
    dir_.Write("R/CONTEXTUALRULEFILE.WSJ", Joined(lines.contextual_rules));
    reference::ReferenceTagger reference(lines, true, '_');
    std::string input, expected;
    for (int s = 0; s < 40; ++s) {
      std::string sentence = generator.NewSentence();
      // A text that opens with a UTF-16 byte order mark is read as UTF-16 now.
      if (s == 0 && (sentence.starts_with("\xFF\xFE") || sentence.starts_with("\xFE\xFF"))) {
        sentence = "x" + sentence;
      }
      input += sentence + "\n";
      expected += reference.TagSentence(sentence) + "\n";
    }
    const Outcome o = RunBinary(dir_, "quillon tag -q -d R --tokenizer classic", input);
    ASSERT_EQ(o.status, 0) << o.err;
    ASSERT_EQ(o.out, expected) << "round " << round;
  }
}

// A UTF-16 file used to give an empty output and a success; it is read in every mode now.
TEST_F(TokenizerE2eTest, Utf16AndEightBitFiles) {
  // "The cat sat.\r\n“A” mat" in UTF-16 LE and BE, each with its byte order mark.
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (const char16_t unit : std::u16string(u"The cat sat.\r\n“A” mat")) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    le += std::string{low, high};
    be += std::string{high, low};
  }
  dir_.Write("le.txt", le);
  dir_.Write("be.txt", be);
  for (const char* tokenizer : {"spaces", "classic", "modern"}) {
    const Outcome o = Tag(std::string("--tokenizer ") + tokenizer + " le.txt be.txt");
    EXPECT_EQ(o.status, 0) << o.err;
    const std::string le_out = dir_.Read("Tagged/le_tag.txt");
    EXPECT_EQ(le_out.substr(0, 4), "The_") << tokenizer;
    EXPECT_NE(le_out.find("mat"), std::string::npos) << tokenizer;
    EXPECT_EQ(dir_.Read("Tagged/be_tag.txt"), le_out) << tokenizer;
  }
  EXPECT_EQ(dir_.Read("Tagged/le_tag.txt"),
            "The_DT cat_NN sat_VBD ._.\r\n“_`` A_NNP ”_'' mat_NN\r\n");
  // Standard input too, and Windows-1252 when it is declared.
  EXPECT_EQ(Tag("", le).out, "The_DT cat_NN sat_VBD ._.\n“_`` A_NNP ”_'' mat_NN\n");
  const std::string cp1252 = "\x93The cat\x94 \x96 sat\x85\n";
  EXPECT_EQ(Tag("--encoding windows-1252", cp1252).out,
            "“_`` The_DT cat_NN ”_'' –_: sat_VBD …_:\n");
  EXPECT_EQ(Tag("--encoding latin-1", "caf\xE9\n").out, "caf\xC3\xA9_NN\n");
  EXPECT_EQ(Tag("--tokenizer classic", cp1252).out, "\x93The_NN cat\x94_NN \x96_NN sat\x85_NN\n")
      << "without --encoding, bytes are taken as they are";
}

TEST_F(TokenizerE2eTest, ModernSplitterEndsSentencesAfterTypographicMarks) {
  const std::string text = "“Stop.” He left. Wait… and then… Then it ended.\n";
  EXPECT_EQ(Tag("--split", text).out,
            "“_`` Stop_NNP ._. ”_''\nHe_NNP left_NN ._.\nWait_NNP …_: and_NN then_NN …_:\n"
            "Then_NNP it_NN ended_NN ._.\n");
  // The classic splitter stays as it is: no cut after a typographic quote or "…".
  EXPECT_EQ(
      Tag("--split --tokenizer classic", text).out,
      "“Stop.”_NN He_NNP left_NN ._.\nWait…_NNP and_NN then…_NN Then_NNP it_NN ended_NN ._.\n");
}

TEST_F(TokenizerE2eTest, EvalRawScoresTokensAndTags) {
  dir_.Write("gold.conllu",
             "# text = I don’t know.\n"
             "1\tI\tI\tPRON\tPRP\t_\t0\troot\t_\t_\n"
             "2-3\tdon’t\t_\t_\t_\t_\t_\t_\t_\t_\n"
             "2\tdo\tdo\tAUX\tVBP\t_\t0\troot\t_\t_\n"
             "3\tn’t\tnot\tPART\tRB\t_\t0\troot\t_\t_\n"
             "4\tknow\tknow\tVERB\tVB\t_\t0\troot\t_\t_\n"
             "5\t.\t.\tPUNCT\t.\t_\t0\troot\t_\t_\n\n");
  const Outcome modern = RunBinary(dir_, "quillon eval -d Q_data --raw gold.conllu");
  EXPECT_EQ(modern.status, 0) << modern.err;
  EXPECT_EQ(modern.out,
            "sentences: 1\ngold words: 5, system tokens: 5\n"
            "tokens: precision 100.00%, recall 100.00%, F1 100.00%\n"
            "tags:   precision 100.00%, recall 100.00%, F1 100.00%\n");
  const Outcome classic =
      RunBinary(dir_, "quillon eval -d Q_data --raw --tokenizer classic gold.conllu");
  EXPECT_NE(classic.out.find("gold words: 5, system tokens: 4\n"), std::string::npos)
      << classic.out;
  dir_.Write("system.conllu",
             "1\tI\t_\t_\tPRP\t_\t_\t_\t_\t_\n2\tdon’t\t_\t_\tVBP\t_\t_\t_\t_\t_\n"
             "3\tknow\t_\t_\tVB\t_\t_\t_\t_\t_\n4\t.\t_\t_\t.\t_\t_\t_\t_\t_\n");
  const Outcome system = RunBinary(dir_, "quillon eval --raw gold.conllu --system system.conllu");
  EXPECT_EQ(system.status, 0) << system.err;
  EXPECT_NE(system.out.find("tokens: precision 75.00%, recall 60.00%"), std::string::npos)
      << system.out;
  EXPECT_EQ(RunBinary(dir_, "quillon eval gold.conllu --system system.conllu").status, 2);
}

}  // namespace
}  // namespace quillon
