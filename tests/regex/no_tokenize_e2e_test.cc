// End to end: `quillon tag --no-tokenize` cuts each line at runs of blanks with the
// regular-expression splitter and drops the empty fields of leading and trailing blanks.
// The real binary runs under a UTF-8 locale (every byte is one character) and under a
// Shift-JIS one (a lead byte takes the byte after it along, a blank included).
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/e2e_util.h"

namespace quillon {
namespace {

using testing::RunBinary;
using testing::ScratchDir;
using testing::WriteDataFolder;

class NoTokenizeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteDataFolder(dir_);
    dir_.Write("out/.keep", "");
  }
  void TearDown() override { unsetenv("LC_ALL"); }

  // Tags input as a file with the tokenizer off under locale; returns the output file.
  std::string Tag(const std::string& input, const char* locale) {
    setenv("LC_ALL", locale, 1);
    dir_.Write("in.txt", input);
    const testing::Outcome o =
        RunBinary(dir_, "quillon tag -d Q_data --no-tokenize -q -o out in.txt");
    EXPECT_EQ(o.status, 0) << o.err;
    return dir_.Read("out/in_tag.txt");
  }

  ScratchDir dir_;
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
