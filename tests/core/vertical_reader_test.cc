// Reading vertical files: tokens from the first column, sentences between blank lines,
// lines without a token reported and skipped.
#include "core/vertical_reader.h"

#include <gtest/gtest.h>

#include "tests/core/warning_log.h"

namespace quillon {
namespace {

using testing::WarningLog;

TEST(VerticalReaderTest, TokenIsTheFirstColumn) {
  const std::pair<std::string, std::string> cases[] = {
      {"cat", "cat"}, {"cat\tNN\tcat", "cat"}, {"New York\tNNP", "New York"}, {"\tNN", ""},
      {"  \tNN", ""}, {" cat ", " cat "},      {"\xff\xfe", "\xff\xfe"}};
  for (const auto& [line, token] : cases) EXPECT_EQ(VerticalToken(line), token) << line;
}

std::vector<std::vector<std::string>> ReadAll(const std::string& text, WarningLog* reports) {
  LineStream input{std::string(text)};
  VerticalSource source(&input, "in.vert", std::nullopt, reports);
  std::vector<std::vector<std::string>> sentences;
  for (InputSentence s; source.Next(&s);) {
    EXPECT_TRUE(s.is_cut);
    EXPECT_EQ(s.conllu, nullptr);
    sentences.emplace_back(s.words.begin(), s.words.end());
  }
  return sentences;
}

TEST(VerticalReaderTest, SentencesBetweenBlankLines) {
  WarningLog reports;
  EXPECT_EQ(ReadAll("\n\nThe\tDT\ncat\r\n  \n\t\n\nsat\n\tNN\n.", &reports),
            (std::vector<std::vector<std::string>>{{"The", "cat"}, {"sat", "."}}));
  EXPECT_EQ(reports.warnings,
            std::vector<std::string>{"in.vert, line 9: no token before the first TAB; skipped."});
  // A block of lines without tokens gives no sentence at all.
  reports.warnings.clear();
  EXPECT_EQ(ReadAll("\tx\n\ty\n\ncat\n", &reports),
            (std::vector<std::vector<std::string>>{{"cat"}}));
  EXPECT_EQ(reports.warnings.size(), 2u);
  EXPECT_TRUE(ReadAll("", &reports).empty());
  // A byte order mark is no part of the first token.
  EXPECT_EQ(ReadAll("\xEF\xBB\xBFThe\ncat\n", &reports),
            (std::vector<std::vector<std::string>>{{"The", "cat"}}));
}

}  // namespace
}  // namespace quillon
