// Lexicon form test, preparation, row reading and the precomputed index.
#include "core/lexicon.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// Counts what the preparation shows.
class ProgressCounter : public RunObserver {
 public:
  void ProgressShown(Indicator, int maximum) override { shown.push_back(maximum); }
  void ProgressStep(Indicator) override { ++steps; }
  void StatusText(int panel, std::string_view text) override {
    statuses.push_back(std::to_string(panel) + std::string(text));
  }
  std::vector<int> shown;
  int steps = 0;
  std::vector<std::string> statuses;
};

// Repeated lines (whole lexicons concatenated, with lines equal ignoring case in between)
// are held once, yet the rows are those of the plain preparation, row for row, and the
// preparation shows the same progress.
TEST(LexiconTest, RepeatedLinesShareEntriesAndKeepEveryRow) {
  std::vector<std::string> lines;
  for (int copy = 0; copy < 5; ++copy) {
    for (const char* line : {"a nn", "a NN", "U.S. NNP", "U.S? NNP", "cat NN VB", " skip", "",
                             "the\tDT", "the DT", "a nn"}) {
      lines.push_back(line);
    }
    for (int i = 0; i < 30; ++i) lines.push_back("w" + std::to_string((i * 7 + copy) % 30) + " NN");
  }
  TagTable tags;
  ProgressCounter expected_progress, progress;
  std::vector<std::string> prepared = lines;
  LEXICON(&prepared, &expected_progress);
  LexiconTable expected;
  expected.Build(prepared, &tags);

  LexiconBuilder builder;
  for (const std::string& line : lines) builder.Add(line);
  LexiconTable table;
  builder.Finish(&progress, &tags, &table);
  ASSERT_EQ(table.LexiconCount(), expected.LexiconCount());
  for (int i = 0; i < table.LexiconCount(); ++i) {
    const structure1 row = table.row(i), want = expected.row(i);
    EXPECT_EQ(row.Key, want.Key) << i;
    EXPECT_EQ(row.Word, want.Word) << i;
    EXPECT_EQ(row.Tags, want.Tags) << i;
    EXPECT_EQ(row.FieldCount, want.FieldCount) << i;
    EXPECT_EQ(table.EntryOfRow(i) < 2, i < 2) << i;
  }
  // The distinct prepared lines: "the\tDT" and "the DT" prepare alike.
  EXPECT_EQ(table.EntryCount(), 2 + 6 + 30);
  EXPECT_EQ(progress.shown, expected_progress.shown);
  EXPECT_EQ(progress.steps, expected_progress.steps);
  EXPECT_EQ(progress.statuses, expected_progress.statuses);
}

// The table keeps a plain-form line without its key and builds the key when asked: rows,
// keys, words and tags are still those of the prepared lines, for words whose keys begin
// one another, words that share a key, words holding a field separator, and lines equal
// ignoring case.
TEST(LexiconTest, KeylessLinesGiveThePreparedRows) {
  const std::vector<std::vector<std::string>> cases = {
      {"a NN", "a\x80 NN", "a\x80\x80 JJ", "A NN", "a. X", "a! X", "a? x", "a!\tX", "a! x"},
      {"ab\x12"
       "cd NN VB",
       "ab NN", "\x12x T",
       "ab\x12"
       "cd nn",
       "ab\x1e VB\x1eJJ"},
      {"w1 A B C D E F G H I J K L M N", "w1 A B C D E F G H I J K L", "w1", "W1 a b"},
  };
  // A hundred more lines, so the form test reads a line of the file: some repeated (the
  // rows are dealt onto shared entries) or all distinct (the entries are renumbered into
  // row order and the table keeps no row numbers).
  for (int kind = 0; kind < 2; ++kind) {
    for (const std::vector<std::string>& lines : cases) {
      std::vector<std::string> padded = lines;
      for (int i = 0; i < 100; ++i) {
        padded.push_back("z" + std::to_string(kind == 0 ? i % 37 : i) + " NN");
      }
      TagTable tags;
      std::vector<std::string> prepared = padded;
      LEXICON(&prepared, nullptr);
      LexiconTable expected;
      expected.Build(prepared, &tags);
      LexiconBuilder builder;
      for (const std::string& line : padded) builder.Add(line);
      LexiconTable table;
      builder.Finish(nullptr, &tags, &table);
      ASSERT_EQ(table.LexiconCount(), expected.LexiconCount());
      std::string scratch;
      for (int i = 0; i < table.LexiconCount(); ++i) {
        const structure1 row = table.row(i), want = expected.row(i);
        EXPECT_EQ(row.Key, want.Key) << lines[0] << " row " << i;
        EXPECT_EQ(table.Key(i, &scratch), want.Key) << lines[0] << " row " << i;
        EXPECT_EQ(row.Word, want.Word) << lines[0] << " row " << i;
        EXPECT_EQ(row.Tags, want.Tags) << lines[0] << " row " << i;
        EXPECT_EQ(row.FieldCount, want.FieldCount) << lines[0] << " row " << i;
      }
    }
  }
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
  auto key_at = [&](int i) { return std::string(table.row(i).Key); };
  const int last = table.LexiconCount() - 1;
  for (const char* word : {"", "the", "ab", "cat", "U.S.", "U.S!", "a", "zy", "nope", "A"}) {
    const std::string key = Hash(word);
    const int row = Bisect(key_at, 0, last, key, -1);
    EXPECT_EQ(index.Find(key), row < 0 ? -1 : table.EntryOfRow(row)) << word;
  }
}

// A plain-form file's index is built from its words' codes: every search gives what the
// bisection over the prepared rows gives, for words that share a key, begin one another,
// hold bytes without a code of their own, or are long.
TEST(LexiconIndexTest, PlainFileIndexAgreesWithTheBisection) {
  std::vector<std::string> lines = {"a NN",          "a. X",          "a! X",         "A NN",
                                    "a\x01 NN",      "a\x01\x01 JJ",  "ab NN",        "abc VB",
                                    "abcdefghij NN", "abcdefghik NN", "abcdefghij VB"};
  for (int i = 0; i < 120; ++i) lines.push_back("w" + std::to_string(i * 37 % 101) + " NN");
  TagTable tags;
  LexiconBuilder builder;
  for (const std::string& line : lines) builder.Add(line);
  LexiconTable table;
  builder.Finish(nullptr, &tags, &table);
  ASSERT_TRUE(table.keyless());
  LexiconIndex index;
  index.Build(table);
  std::string scratch;
  auto key_at = [&](int i) { return std::string(table.Key(i, &scratch)); };
  const int last = table.LexiconCount() - 1;
  std::vector<std::string> words = {"", "a", "a?", "b", "abcdefghi", "abcdefghijk", "w7", "w100"};
  for (const std::string& line : lines) words.push_back(line.substr(0, line.find(' ')));
  for (const std::string& word : words) {
    const std::string key = Hash(word);
    const int row = Bisect(key_at, 0, last, key, -1);
    std::string codes;
    EXPECT_EQ(index.Find(key), row < 0 ? -1 : table.EntryOfRow(row)) << word;
    EXPECT_EQ(index.FindWord(word, &codes), row < 0 ? -1 : table.EntryOfRow(row)) << word;
  }
}

// Keys are held whole up to 8 codes and in part beyond, with a longer length field past
// 258 codes: keys of every length around those bounds, differing in their last code or in
// one code only, are each found and told apart from their neighbours.
TEST(LexiconIndexTest, KeysOfEveryLengthAreToldApart) {
  std::vector<std::string> words;
  for (size_t length : {0, 1, 3, 4, 5, 7, 8, 9, 12, 16, 100, 257, 258, 259, 300}) {
    for (char last : {'a', 'b', '\x01'}) {
      std::string word(length, 'q');
      if (length > 0) word.back() = last;
      words.push_back(word);
      if (length > 2) {
        word[1] = 'z';  // the same length and last byte, another second code
        words.push_back(word);
      }
    }
  }
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  LexiconIndex index;
  index.Build(std::vector<std::string_view>{});
  for (size_t i = 0; i < words.size(); ++i) index.Set(words[i], static_cast<int>(i));
  std::string scratch;
  for (size_t i = 0; i < words.size(); ++i) {
    EXPECT_EQ(index.FindWord(words[i], &scratch), static_cast<int>(i)) << words[i].size();
    EXPECT_EQ(index.Find(Hash(words[i])), static_cast<int>(i)) << words[i].size();
    EXPECT_EQ(index.FindWord(words[i] + "q", &scratch), -1) << words[i].size();
  }
}

// Long words of a table are checked against the table's own lines; a word set afterwards
// (a user's entry for a word the table has, or a new one) keeps its answer through the
// growth of the index, and the table's other words keep theirs.
TEST(LexiconIndexTest, SetWordsBesideTheTablesLongWords) {
  std::vector<std::string> lines;
  for (int i = 0; i < 150; ++i) lines.push_back("longword" + std::to_string(i) + " NN");
  lines.push_back("short NN");
  TagTable tags;
  LexiconBuilder builder;
  for (const std::string& line : lines) builder.Add(line);
  LexiconTable table;
  builder.Finish(nullptr, &tags, &table);
  LexiconIndex index;
  index.Build(table);
  std::string scratch;
  std::vector<int> before;
  for (int i = 0; i < 150; ++i) {
    before.push_back(index.FindWord("longword" + std::to_string(i), &scratch));
    ASSERT_GE(before.back(), 2);
    EXPECT_EQ(table.entry(before.back()).Word, "longword" + std::to_string(i));
  }
  EXPECT_EQ(index.FindWord("longword150", &scratch), -1);
  EXPECT_EQ(index.FindWord("longwordX", &scratch), -1);
  index.Set("longword7", 5000);
  for (int i = 0; i < 400; ++i) index.Set("addedlongword" + std::to_string(i), 6000 + i);
  for (int i = 0; i < 150; ++i) {
    EXPECT_EQ(index.FindWord("longword" + std::to_string(i), &scratch), i == 7 ? 5000 : before[i])
        << i;
  }
  for (int i = 0; i < 400; ++i) {
    EXPECT_EQ(index.FindWord("addedlongword" + std::to_string(i), &scratch), 6000 + i);
  }
  EXPECT_GE(index.FindWord("short", &scratch), 2);
}

}  // namespace
}  // namespace quillon
