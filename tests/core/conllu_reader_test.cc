// Reading CoNLL-U: what each line is, sentences with their words and kept lines, and bad
// lines reported with their numbers while the rest goes on.
#include "core/conllu_reader.h"

#include <gtest/gtest.h>

#include "tests/core/warning_log.h"

namespace quillon {
namespace {

using testing::WarningLog;

TEST(ConlluReaderTest, KindsOfLines) {
  const struct {
    std::string line;
    ConlluLineKind kind;
  } cases[] = {
      {"# text = x", ConlluLineKind::kComment},
      {"#", ConlluLineKind::kComment},
      {"1\tcat\t_\t_\t_\t_\t_\t_\t_\t_", ConlluLineKind::kWord},
      {"12\tThe cat\tthe\tDET\tDT\tDefinite=Def\t2\tdet\t2:det\tSpaceAfter=No",
       ConlluLineKind::kWord},
      {"3-4\tdon't\t_\t_\t_\t_\t_\t_\t_\t_", ConlluLineKind::kMultiwordToken},
      {"5.1\tx\t_\t_\t_\t_\t_\t_\t_\t_", ConlluLineKind::kEmptyNode},
      {"1\tcat\t_\t_\t_\t_\t_\t_\t_", ConlluLineKind::kBad},        // 9 columns
      {"1\tcat\t_\t_\t_\t_\t_\t_\t_\t_\t_", ConlluLineKind::kBad},  // 11 columns
      {"0\tcat\t_\t_\t_\t_\t_\t_\t_\t_", ConlluLineKind::kBad},     // no word 0
      {"x\tcat\t_\t_\t_\t_\t_\t_\t_\t_", ConlluLineKind::kBad},
      {"3-\tcat\t_\t_\t_\t_\t_\t_\t_\t_", ConlluLineKind::kBad},
      {"1\t\t_\t_\t_\t_\t_\t_\t_\t_", ConlluLineKind::kBad},  // empty FORM
      {"cat", ConlluLineKind::kBad},
  };
  std::array<std::string_view, kConlluColumns> columns;
  for (const auto& c : cases) {
    std::string problem;
    EXPECT_EQ(ReadConlluLine(c.line, &columns, &problem), c.kind) << c.line;
    EXPECT_EQ(problem.empty(), c.kind != ConlluLineKind::kBad) << c.line;
  }
  std::string problem;
  ASSERT_EQ(ReadConlluLine(cases[3].line, &columns, &problem), ConlluLineKind::kWord);
  EXPECT_EQ(columns[kForm], "The cat");
  EXPECT_EQ(columns[kMisc], "SpaceAfter=No");
}

TEST(ConlluReaderTest, SentencesKeepEveryLineAndTagTheWords) {
  const std::string text =
      "\n\n# sent_id = 1\r\n1-2\tdon't\t_\t_\t_\t_\t_\t_\t_\t_\r\n1\tdo\t_\t_\t_\t_\t_\t_\t_\t_\n"
      "2\tn't\t_\t_\t_\t_\t_\t_\t_\t_\nbroken\n2.1\tx\t_\t_\t_\t_\t_\t_\t_\t_\n \t\n\n"
      "1\tcats\t_\t_\t_\t_\t_\t_\t_\t_";  // the last sentence lacks its blank line
  LineStream input{std::string(text)};
  WarningLog reports;
  ConlluSource source(&input, "in.conllu", std::nullopt, &reports);
  InputSentence sentence;
  ASSERT_TRUE(source.Next(&sentence));
  EXPECT_TRUE(sentence.is_cut);
  ASSERT_NE(sentence.conllu, nullptr);
  EXPECT_EQ(sentence.conllu->lines.size(), 6u);
  EXPECT_EQ(sentence.conllu->lines[4], "broken");
  ASSERT_EQ(sentence.words.size(), 2u);
  EXPECT_EQ(sentence.words[0], "do");
  EXPECT_EQ(sentence.words[1], "n't");
  EXPECT_EQ(sentence.conllu->words[1].line, 3u);
  ASSERT_EQ(reports.warnings.size(), 1u);
  EXPECT_EQ(reports.warnings[0],
            "in.conllu, line 7: a word line has 10 TAB-separated columns, this one 1; kept as "
            "it is, not tagged.");
  ASSERT_TRUE(source.Next(&sentence));
  ASSERT_EQ(sentence.words.size(), 1u);
  EXPECT_EQ(sentence.words[0], "cats");
  EXPECT_FALSE(source.Next(&sentence));
  EXPECT_EQ(source.bad_lines(), 1u);
}

// A file of garbage does not flood the user: the first reports, then one count.
TEST(ConlluReaderTest, ManyBadLinesAreCounted) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "bad " + std::to_string(i) + "\n";
  LineStream input{std::string(text)};
  WarningLog reports;
  ConlluSource source(&input, "junk", std::nullopt, &reports);
  InputSentence sentence;
  ASSERT_TRUE(source.Next(&sentence));
  EXPECT_TRUE(sentence.words.empty());
  EXPECT_FALSE(source.Next(&sentence));
  ASSERT_EQ(reports.warnings.size(), LineBlocks::kReportedLines + 1);
  EXPECT_EQ(reports.warnings[19].substr(0, 15), "junk, line 20: ");
  EXPECT_EQ(reports.warnings.back(), "junk: 10 more lines that could not be read (not shown).");
}

}  // namespace
}  // namespace quillon
