// End to end: `quillon tag --no-tokenize` cuts each line at runs of blanks with the
// regular-expression splitter and drops the empty fields of leading and trailing blanks.
// Runs the real binary on a small data folder made here, under a UTF-8 locale (every byte
// one character) and a Shift-JIS one (a lead byte takes the byte after it along).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace quillon {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

class NoTokenizeTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillon_no_tokenize_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    const fs::path data = root_ / "data";
    fs::create_directories(data);
    WriteFile(data / "ignore.dat", "Mr\n");
    WriteFile(data / "LEXICON.BROWN.AND.WSJ", "The DT\ncat NN\nsat VBD\n");
    WriteFile(data / "LEXICALRULEFILE.WSJ", "");
    WriteFile(data / "tagset", "DT\nNN\nNNP\nVBD\n");
    WriteFile(data / "CONTEXTUALRULEFILE.WSJ", "");
    fs::create_directories(root_ / "out");
  }
  void TearDown() override { fs::remove_all(root_); }

  // Tags input with the tokenizer off under locale; returns the output file.
  std::string Tag(const std::string& input, const std::string& locale) {
    WriteFile(root_ / "in.txt", input);
    const std::string command = "LC_ALL=" + locale + " '" QUILLON_BIN_DIR "/quillon' tag" +
                                " --no-tokenize -q -d '" + (root_ / "data").string() +
                                "' -o '" + (root_ / "out").string() + "' '" +
                                (root_ / "in.txt").string() + "'";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    return ReadFile(root_ / "out" / "in_tag.txt");
  }

  fs::path root_;
};

TEST_F(NoTokenizeTest, FieldsBetweenRunsOfBlanksWithoutEmptyTokens) {
  const std::string input =
      "  The  cat sat.  \n"
      "a\tb  c\n"
      "\n"
      "   \n"
      "caf\xC3\xA9 \x81 x\n";
  EXPECT_EQ(Tag(input, "C.UTF-8"),
            "The_DT cat_NN sat._NN\r\n"
            "a\tb_NN c_NN\r\n"
            "\r\n"
            "\r\n"
            "caf\xC3\xA9_NN \x81_NN x_NN\r\n");
}

TEST_F(NoTokenizeTest, ShiftJisLeadByteKeepsItsTrailByte) {
  EXPECT_EQ(Tag("caf\xC3\xA9 \x81 x\n", "ja_JP.SJIS"), "caf\xC3\xA9_NN \x81 x_NN\r\n");
}

}  // namespace
}  // namespace quillon
