// `quillon tag --split` end to end: the real binary on files and standard input, with
// the tokenizer and without. The data folder has empty rule files, so every tag is a
// start tag and the outputs show exactly where the text was cut.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_util.h"

namespace quillon {
namespace {

using testing::Outcome;
using testing::RunBinary;
using testing::ScratchDir;

// A plain lexicon of more than 100 lines, the tag set and no rules.
void WriteSplitData(const ScratchDir& dir) {
  std::string lexicon =
      "Mr. NNP\nSmith NNP\narrived VBD\n. .\nHe PRP\nsat VBD\ndown RP\nThe DT\nU.S NNP\n"
      "Army NNP\nmet VBD\nJ NNP\nthere EX\n\" ''\nStop VB\nThen RB\nit PRP\nended VBD\n! .\n";
  for (int i = 0; i < 100; ++i) lexicon += "filler" + std::to_string(i) + " NN\n";
  dir.Write("Q_data/ignore.dat", "Mr\nDr\n");
  dir.Write("Q_data/LEXICON.BROWN.AND.WSJ", lexicon);
  dir.Write("Q_data/tagset", "NN\nNNP\nVBD\nDT\n");
  dir.Write("Q_data/LEXICALRULEFILE.WSJ", "");
  dir.Write("Q_data/CONTEXTUALRULEFILE.WSJ", "");
}

// Three lines, ended by CR LF, CR and nothing: line ends never end a sentence.
constexpr char kInput[] =
    "Mr. Smith arrived. He sat\r\n"
    "down.  The U.S. Army met J. Smith there.\r"
    "\"Stop.\" Then it ended!";

constexpr char kTokenized[] =
    "Mr._NNP Smith_NNP arrived_VBD ._.\n"
    "He_PRP sat_VBD down_RP ._.\n"
    "The_DT U.S_NNP ._. Army_NNP met_VBD J_NNP ._. Smith_NNP there_EX ._.\n"
    "\"_'' Stop_VB ._. \"_''\n"
    "Then_RB it_PRP ended_VBD !_.\n";
// Without the tokenizer, words keep their punctuation and are unknown: NNP when they
// begin with a capital, NN otherwise.
constexpr char kUntokenized[] =
    "Mr._NNP Smith_NNP arrived._NN\n"
    "He_PRP sat_VBD down._NN\n"
    "The_DT U.S._NNP Army_NNP met_VBD J._NNP Smith_NNP there._NN\n"
    "\"Stop.\"_NN\n"
    "Then_RB it_PRP ended!_NN\n";

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

class SplitCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSplitData(dir_);
    dir_.Write("in.txt", kInput);
  }
  Outcome Tag(const std::string& args, const std::string& input = "") {
    return RunBinary(dir_, "quillon tag -q -d Q_data " + testing::ClassicUnlessChosen(args), input);
  }
  ScratchDir dir_;
};

struct ModeCase {
  const char* options;
  const char* expected;
};
constexpr ModeCase kModes[] = {{"--split", kTokenized}, {"--split --no-tokenize", kUntokenized}};

TEST_F(SplitCommandTest, FilesAreTaggedSentenceBySentence) {
  for (const ModeCase& c : kModes) {
    const Outcome o = Tag(std::string(c.options) + " -o . in.txt");
    ASSERT_EQ(o.status, 0) << c.options << ": " << o.err;
    EXPECT_EQ(dir_.Read("in_tag.txt"), WithCrLf(c.expected)) << c.options;
    EXPECT_EQ(o.err, "") << c.options;
  }
}

TEST_F(SplitCommandTest, StandardInputIsTaggedToStandardOutput) {
  for (const ModeCase& c : kModes) {
    const Outcome o = Tag(c.options, kInput);
    ASSERT_EQ(o.status, 0) << c.options << ": " << o.err;
    EXPECT_EQ(o.out, c.expected) << c.options;
    EXPECT_EQ(Tag(std::string(c.options) + " -", kInput).out, c.expected) << c.options;
  }
}

TEST_F(SplitCommandTest, EmptyTextIsOneEmptySentence) {
  dir_.Write("in.txt", "");
  ASSERT_EQ(Tag("--split -o . in.txt").status, 0);
  EXPECT_EQ(dir_.Read("in_tag.txt"), "\r\n");
  EXPECT_EQ(Tag("--split", "").out, "\n");
}

TEST_F(SplitCommandTest, WithoutTheSplitterLinesStayLines) {
  EXPECT_EQ(Tag("--no-tokenize", kInput).out,
            "Mr._NNP Smith_NNP arrived._NN He_PRP sat_VBD\n"
            "down._NN The_DT U.S._NNP Army_NNP met_VBD J._NNP Smith_NNP there._NN\n"
            "\"Stop.\"_NN Then_RB it_PRP ended!_NN\n");
}

}  // namespace
}  // namespace quillon
