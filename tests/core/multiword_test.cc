// Multi-word marks of one sentence.
#include "core/multiword.h"

#include <gtest/gtest.h>

#include "tests/core/warning_log.h"

namespace quillon {
namespace {

using testing::WarningLog;

// The tokens of sentence (split at single spaces) with their marks, "tok" or "tok<label>".
std::string Marked(const MultiwordTable& table, const std::string& sentence) {
  std::vector<std::string> words;
  for (size_t pos = 0; pos <= sentence.size();) {
    size_t end = sentence.find(' ', pos);
    if (end == std::string::npos) end = sentence.size();
    words.push_back(sentence.substr(pos, end - pos));
    pos = end + 1;
  }
  std::vector<std::string_view> tokens(words.begin(), words.end());
  MultiwordTable::Marks marks;
  table.MultiWord(tokens, &marks);
  std::string out;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (i > 0) out += ' ';
    out += words[i];
    if (marks.annotation[i]) out += *marks.annotation[i];
  }
  return out;
}

TEST(MultiwordTest, Matches) {
  MultiwordTable table;
  table.Load({"in spite of\tPREP", "as well as\tCC", "New York\tNNP", "of\tX"}, nullptr);
  const struct {
    std::string sentence;
    std::string marked;
  } cases[] = {
      {"He came in spite of the rain .", "He came in_M<PREP> spite_M<PREP> of_M<X> the rain ."},
      // An expression matches wherever all its words fit, also at the very end.
      {"We stayed in spite of", "We stayed in_M<PREP> spite_M<PREP> of_M<X>"},
      {"In spite of it", "In_M<PREP> spite_M<PREP> of_M<X> it"},
      {"in Spite of it", "in Spite of_M<X> it"},  // later words are compared exactly
      {"new York", "new York"},                   // a first word with a capital never matches
      {"in spite", "in spite"},
  };
  for (const auto& c : cases) EXPECT_EQ(Marked(table, c.sentence), c.marked) << c.sentence;
}

TEST(MultiwordTest, LaterMatchesOverwrite) {
  MultiwordTable table;
  table.Load({"a b\tFIRST", "a b\tSECOND", "b c\tTHIRD"}, nullptr);
  EXPECT_EQ(Marked(table, "a b c"), "a_M<SECOND> b_M<THIRD> c_M<THIRD>");
}

// Loading a second list replaces the first one entirely: its index of first words went
// with it, and a stale index would reach entries past the end of the new list.
TEST(MultiwordTest, LoadReplacesAnEarlierList) {
  MultiwordTable table;
  table.Load({"x y\tOLD", "b c\tOLD2", "q\tQ"}, nullptr);
  table.Load({"a b\tNEW"}, nullptr);
  EXPECT_EQ(table.size(), 1u);
  const struct {
    std::string sentence;
    std::string marked;
  } cases[] = {
      {"a b c", "a_M<NEW> b_M<NEW> c"},
      {"x y q", "x y q"},
      {"b c", "b c"},
  };
  for (const auto& c : cases) EXPECT_EQ(Marked(table, c.sentence), c.marked) << c.sentence;
}

TEST(MultiwordTest, BadLinesAreSkippedWithAWarning) {
  std::vector<std::string> lines = {"no tab here", "", "ok\tL"};
  std::string long_expression = "w";
  for (int i = 0; i < 41; ++i) long_expression += " w";
  lines.push_back(long_expression + "\tLONG");
  WarningLog recorder;
  MultiwordTable table;
  table.Load(lines, &recorder);
  EXPECT_EQ(table.size(), 1u);
  ASSERT_EQ(recorder.warnings.size(), 2u);
  EXPECT_NE(recorder.warnings[0].find("line 1"), std::string::npos);
  EXPECT_NE(recorder.warnings[1].find("line 4"), std::string::npos);
}

TEST(MultiwordTest, EmptyWordsFromDoubledSpaces) {
  MultiwordTable table;
  table.Load({"a  b\tL"}, nullptr);  // words "a", "", "b"
  EXPECT_EQ(Marked(table, "a  b"), "a_M<L> _M<L> b_M<L>");
}

}  // namespace
}  // namespace quillon
