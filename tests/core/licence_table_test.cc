// The packed licence table against full licence rows: the same start tags, the same
// licence answers and the same rule words, for entries of every width, with 16-bit ids
// and with the full rows kept when the tag table is too large for them.
#include "core/licence_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/contextual_rules.h"

namespace quillon {
namespace {

// Rows 0 and 1, then entries of every width: no tag, one, two, an empty one between two,
// ten, and more fields than are stored; the last is the same line as an earlier one.
const std::vector<std::string> kLines = {
    kSentinelRow0,
    kSentinelRow1,
    "0102 ab",
    "0102 ab NN",
    "0102 ab NN VB",
    "0102 ab NN  VB",
    "030120 cat NN VB JJ RB IN DT PRP CC CD EX",
    "030120 cat NN VB JJ RB IN DT PRP CC CD EX FW LS",
    "0405 de T1 T2 T3",
    "0102 ab NN VB",
};

// Every answer of table against the full row of each entry.
void ExpectSameAnswers(const LexiconTable& lexicon, const TagTable& tags,
                       const LicenceTable& table) {
  ASSERT_EQ(table.size(), static_cast<size_t>(lexicon.EntryCount()));
  std::vector<TagId> targets;
  for (TagId t = 0; t < tags.size(); ++t) targets.push_back(t);
  targets.push_back(static_cast<TagId>(tags.size()) + 5);  // a tag no entry holds
  if (tags.size() > 1000) targets.erase(targets.begin() + 10, targets.end() - 40);
  for (int e = 0; e < lexicon.EntryCount(); ++e) {
    LicenceRow full = LicenceTable::Row(lexicon.entry(e));
    full.rule_word = table.RuleWord(e);
    const LicenceRow packed = table.Row(e);
    EXPECT_EQ(packed.tags, full.tags) << "entry " << e;
    EXPECT_EQ(packed.field_count, full.field_count) << "entry " << e;
    EXPECT_EQ(table.StartTag(e), full.tags[0]) << "entry " << e;
    for (const TagId to : targets) {
      for (const bool wdprevtag : {false, true}) {
        for (const bool changed : {false, true}) {
          EXPECT_EQ(LicenceAllows(full, e, to, wdprevtag, changed),
                    table.Allows(e, to, wdprevtag, changed))
              << "entry " << e << " to " << to << " " << wdprevtag << changed;
        }
      }
    }
  }
}

class LicenceTableTest : public ::testing::TestWithParam<bool> {};

TEST_P(LicenceTableTest, AnswersAsTheFullRows) {
  TagTable tags;
  if (GetParam()) {
    // More tags than 16 bits hold, interned before the lexicon's own.
    for (int i = 0; i < 70000; ++i) tags.Intern("X" + std::to_string(i));
  }
  LexiconTable lexicon;
  lexicon.Build(kLines, &tags);
  const TagId extra = tags.Intern("UH");
  const TagId appended[] = {extra, tags.Find("NN")};
  lexicon.AppendEntry("zz", "5252", appended);
  LicenceTable table;
  table.Build(lexicon, tags);
  for (int e = 0; e < lexicon.EntryCount(); ++e) EXPECT_EQ(table.RuleWord(e), kLookUpRuleWord);
  ExpectSameAnswers(lexicon, tags, table);

  // Rule words: none after clearing (but for rows 0 and 1), one word, then a second one.
  table.ClearRuleWords();
  EXPECT_EQ(table.RuleWord(1), kLookUpRuleWord);
  EXPECT_EQ(table.RuleWord(4), kNoRuleWord);
  table.MarkRuleWord(4, 70001);
  table.MarkRuleWord(6, 3);
  table.MarkRuleWord(6, 9);
  EXPECT_EQ(table.RuleWord(4), 70001u);
  EXPECT_EQ(table.RuleWord(6), kLookUpRuleWord);
  EXPECT_EQ(table.RuleWord(5), kNoRuleWord);
  // Moving a marked entry's tags keeps every answer.
  ExpectSameAnswers(lexicon, tags, table);
}

INSTANTIATE_TEST_SUITE_P(Widths, LicenceTableTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "FullRows" : "Packed"; });

}  // namespace
}  // namespace quillon
