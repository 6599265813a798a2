// Lexicon form test, preparation, row reading and the precomputed index.
#include "core/lexicon.h"

#include <gtest/gtest.h>

#include "core/lexicon_index.h"
#include "core/order_key.h"
#include "core/table_search.h"

namespace quillon {
namespace {

std::vector<std::string> Prepared(std::vector<std::string> lines) {
  LEXICON(&lines, nullptr);
  return lines;
}

TEST(LexiconTest, PreparationKeysSortsAndAddsSentinels) {
  const std::vector<std::string> lines = Prepared(
      {"the DT", "Mr.\tNNP", " skipped NN", "", "cat NN VB", "U.S? NNP", "U.S. NNP", "a DT"});
  const std::vector<std::string> expected = {
      kSentinelRow0,   kSentinelRow1,    "01 a DT",           "030120 cat NN VB",
      "200805 the DT", "391853 Mr. NNP", "47534553 U.S. NNP", "47534553 U.S? NNP"};
  EXPECT_EQ(lines, expected);
}

TEST(LexiconTest, PreparationOfAWordWithoutTags) {
  EXPECT_EQ(Prepared({"lonely"}).back(), "121514051225 lonely ");
}

TEST(LexiconTest, RowFields) {
  TagTable tags;
  LexiconTable table;
  table.Build({kSentinelRow0, kSentinelRow1, "391853 Mr. NNP", "0102 ab NN  VB", " 01 a",
               "01 a T1 T2 T3 T4 T5 T6 T7 T8 T9 T10 T11 T12 T13", ""},
              &tags);
  ASSERT_EQ(table.LexiconCount(), 7);
  EXPECT_EQ(table.row(0).FieldCount, 12);
  EXPECT_EQ(tags.Name(table.row(0).Tags[0]), "NNP");
  EXPECT_EQ(tags.Name(table.row(0).Tags[9]), "VBD");
  EXPECT_EQ(table.row(1).FieldCount, 13);  // the final VBD is counted, not stored
  EXPECT_EQ(tags.Name(table.row(1).Tags[9]), "VBZ");
  EXPECT_EQ(table.row(0).Key, "");
  EXPECT_EQ(table.row(0).Word, "");

  const structure1& mr = table.row(2);
  EXPECT_EQ(mr.Key, "391853");
  EXPECT_EQ(mr.Word, "Mr.");
  EXPECT_EQ(tags.Name(mr.Tags[0]), "NNP");
  EXPECT_EQ(tags.Name(mr.Tags[1]), "");
  EXPECT_EQ(mr.FieldCount, 3);

  const structure1& ab = table.row(3);  // two spaces enclose an empty tag
  EXPECT_EQ(ab.FieldCount, 5);
  EXPECT_EQ(tags.Name(ab.Tags[1]), "");
  EXPECT_EQ(tags.Name(ab.Tags[2]), "VB");

  EXPECT_EQ(table.row(4).Key, "");  // a line beginning with a space has an empty key
  EXPECT_EQ(table.row(4).Word, "01");
  EXPECT_EQ(table.row(5).FieldCount, 13);
  EXPECT_EQ(tags.Name(table.row(5).Tags[9]), "T10");
  EXPECT_EQ(table.row(6).FieldCount, 0);
}

TEST(LexiconTest, RowSeparatorsIncludeControlBytes) {
  std::array<std::string_view, kLexiconMaxFields> fields;
  EXPECT_EQ(SplitRowFields("a\x12"
                           "b\x16"
                           "c\x1a"
                           "d\x1e"
                           "e\tf g",
                           &fields),
            7);
  EXPECT_EQ(fields[6], "g");
  EXPECT_EQ(SplitRowFields("a ", &fields), 1);  // a separator at the end adds no field
  EXPECT_EQ(SplitRowFields("  ", &fields), 2);
}

std::vector<std::string> LexiconOf(int lines, const std::string& line100) {
  std::vector<std::string> out;
  for (int i = 0; i < lines; ++i) out.push_back("w" + std::to_string(i) + " NN");
  if (lines > 100) out[100] = line100;
  return out;
}

TEST(LexiconTest, FormTest) {
  EXPECT_TRUE(IsPreparedForm(LexiconOf(101, "0102 ab NN")));
  EXPECT_TRUE(IsPreparedForm(LexiconOf(300, "6854676767 1,000 CD")));
  EXPECT_FALSE(IsPreparedForm(LexiconOf(100, "0102 ab NN")));  // too short: plain
  EXPECT_FALSE(IsPreparedForm(LexiconOf(101, "1,000 CD")));    // a number, not a key
  EXPECT_FALSE(IsPreparedForm(LexiconOf(101, "42 CD")));       // digits, wrong key
  EXPECT_FALSE(IsPreparedForm(LexiconOf(101, "0102 ba NN")));  // key of another word
  EXPECT_FALSE(IsPreparedForm(LexiconOf(101, "word NN")));
  EXPECT_FALSE(IsPreparedForm(LexiconOf(101, "")));
}

TEST(LexiconIndexTest, AgreesWithTheBisectionOnEveryKey) {
  TagTable tags;
  LexiconTable table;
  // Out of order on purpose: the index must miss what the bisection misses.
  table.Build({kSentinelRow0, kSentinelRow1, "200805 the DT", "0102 ab NN", "030120 cat NN",
               "030120 cat VB", "47534553 U.S. NNP", "01 a DT", "2625 zy NN"},
              &tags);
  LexiconIndex index;
  index.Build(table);
  auto key_at = [&](int i) { return table.row(i).Key; };
  const int last = table.LexiconCount() - 1;
  for (const char* word : {"", "the", "ab", "cat", "U.S.", "U.S!", "a", "zy", "nope", "A"}) {
    const std::string key = Hash(word);
    EXPECT_EQ(index.Find(key), Bisect(key_at, 0, last, key, -1)) << word;
  }
}

}  // namespace
}  // namespace quillon
