// Cutting text into lines.
#include "core/line_reader.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(LineReaderTest, LineBreaks) {
  using Lines = std::vector<std::string>;
  const struct {
    std::string text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r", {"a"}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: an empty line between them
      {"a\n\nb\n", {"a", "", "b"}},
      {"\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {std::string("ab\0cd\nef", 8), {"ab"}},  // NUL ends the text
      {std::string("\0abc", 4), {}},
      {"\xff\xfe\x80 x\n", {"\xff\xfe\x80 x"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SplitLines(c.text), c.lines) << testing::PrintToString(c.text);
}

TEST(LineReaderTest, MissingFileGivesTheSystemText) {
  std::vector<std::string> lines;
  Status status = ReadLines("/nonexistent/quillon/file.txt", &lines);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("/nonexistent/quillon/file.txt"), std::string::npos);
  EXPECT_NE(status.message().find("No such file"), std::string::npos);
}

}  // namespace
}  // namespace quillon
