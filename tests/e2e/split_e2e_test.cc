// End-to-end runs of the real quillon binary with the sentence splitter on: files and
// standard input, with the tokenizer and without, over a small data folder the test
// writes itself. The rule files are empty, so every tag is a start tag and the outputs
// show how the text was cut into sentences and tokens.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

namespace quillon {
namespace {

const std::string kQuillon = std::string(QUILLON_BIN_DIR) + "/quillon";

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

// A data folder with a plain lexicon of more than 100 lines and no rules.
std::string MakeDataFolder(const std::string& root) {
  const std::string data = root + "/Q_data";
  mkdir(data.c_str(), 0755);
  WriteFile(data + "/ignore.dat", "Mr\nDr\n");
  std::string lexicon =
      "Mr. NNP\nSmith NNP\narrived VBD\n. .\nHe PRP\nsat VBD\ndown RP\nThe DT\nU.S NNP\n"
      "Army NNP\nmet VBD\nJ NNP\nthere EX\n\" ''\nStop VB\nThen RB\nit PRP\nended VBD\n! .\n";
  for (int i = 0; i < 100; ++i) lexicon += "filler" + std::to_string(i) + " NN\n";
  WriteFile(data + "/LEXICON.BROWN.AND.WSJ", lexicon);
  WriteFile(data + "/tagset", "NN\nNNP\nVBD\nDT\n");
  WriteFile(data + "/LEXICALRULEFILE.WSJ", "");
  WriteFile(data + "/CONTEXTUALRULEFILE.WSJ", "");
  return data;
}

// Three lines, with CR LF, CR and no line end: line ends never end a sentence.
constexpr char kInput[] =
    "Mr. Smith arrived. He sat\r\n"
    "down.  The U.S. Army met J. Smith there.\r"
    "\"Stop.\" Then it ended!";

class SplitEndToEndTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "/split_e2e_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    data_ = MakeDataFolder(root_);
    input_ = root_ + "/in.txt";
    WriteFile(input_, kInput);
  }
  void TearDown() override { std::system(("rm -rf '" + root_ + "'").c_str()); }

  // Runs quillon tag with args; returns its exit status.
  int Run(const std::string& args) {
    const std::string command = "'" + kQuillon + "' tag -q -d '" + data_ + "' " + args + " > '" +
                                root_ + "/stdout' 2> '" + root_ + "/stderr'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Stdout() { return ReadFile(root_ + "/stdout"); }
  std::string Stderr() { return ReadFile(root_ + "/stderr"); }

  std::string root_, data_, input_;
};

const char kTokenized[] =
    "Mr._NNP Smith_NNP arrived_VBD ._.\n"
    "He_PRP sat_VBD down_RP ._.\n"
    "The_DT U.S_NNP ._. Army_NNP met_VBD J_NNP ._. Smith_NNP there_EX ._.\n"
    "\"_'' Stop_VB ._. \"_''\n"
    "Then_RB it_PRP ended_VBD !_.\n";
// Without the tokenizer, words keep their punctuation and are unknown: NNP when they
// begin with a capital, NN otherwise.
const char kUntokenized[] =
    "Mr._NNP Smith_NNP arrived._NN\n"
    "He_PRP sat_VBD down._NN\n"
    "The_DT U.S._NNP Army_NNP met_VBD J._NNP Smith_NNP there._NN\n"
    "\"Stop.\"_NN\n"
    "Then_RB it_PRP ended!_NN\n";

std::string WithCrLf(std::string text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

TEST_F(SplitEndToEndTest, FilesAreTaggedSentenceBySentence) {
  const struct {
    const char* options;
    const char* expected;
  } cases[] = {{"--split", kTokenized}, {"--split --no-tokenize", kUntokenized}};
  for (const auto& c : cases) {
    ASSERT_EQ(Run(std::string(c.options) + " -o '" + root_ + "' '" + input_ + "'"), 0)
        << c.options << ": " << Stderr();
    EXPECT_EQ(ReadFile(root_ + "/in_tag.txt"), WithCrLf(c.expected)) << c.options;
    EXPECT_EQ(Stderr(), "") << c.options;
  }
}

TEST_F(SplitEndToEndTest, StandardInputIsTaggedToStandardOutput) {
  const struct {
    const char* options;
    const char* expected;
  } cases[] = {{"--split", kTokenized}, {"--split --no-tokenize -", kUntokenized}};
  for (const auto& c : cases) {
    ASSERT_EQ(Run(std::string(c.options) + " < '" + input_ + "'"), 0)
        << c.options << ": " << Stderr();
    EXPECT_EQ(Stdout(), c.expected) << c.options;
  }
}

TEST_F(SplitEndToEndTest, EmptyTextIsOneEmptySentence) {
  WriteFile(input_, "");
  ASSERT_EQ(Run("--split -o '" + root_ + "' '" + input_ + "'"), 0) << Stderr();
  EXPECT_EQ(ReadFile(root_ + "/in_tag.txt"), "\r\n");
  ASSERT_EQ(Run("--split < /dev/null"), 0) << Stderr();
  EXPECT_EQ(Stdout(), "\n");
}

TEST_F(SplitEndToEndTest, WithoutTheSplitterLinesStayLines) {
  ASSERT_EQ(Run("--no-tokenize < '" + input_ + "'"), 0) << Stderr();
  EXPECT_EQ(Stdout(),
            "Mr._NNP Smith_NNP arrived._NN He_PRP sat_VBD\n"
            "down._NN The_DT U.S._NNP Army_NNP met_VBD J._NNP Smith_NNP there._NN\n"
            "\"Stop.\"_NN Then_RB it_PRP ended!_NN\n");
}

}  // namespace
}  // namespace quillon
