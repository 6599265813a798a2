// Reading result files back: token cutting under each layout, telling the layout, word
// classes, the counts of a hand-counted sample, the streaming counter against the plain
// reference on generated files cut into pieces at random, file reading and the CSV.
#include "core/result_statistics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "tests/reference/reference_statistics.h"

namespace quillon {
namespace {

constexpr ResultLayout kUnderscore{'_', false};
constexpr ResultLayout kSlash{'/', false};
constexpr ResultLayout kUnderscoreLemma{'_', true};
constexpr ResultLayout kSlashLemma{'/', true};

TEST(ResultTokenTest, CutsWordTagAndRest) {
  struct Case {
    const char* token;
    ResultLayout layout;
    const char* word;
    const char* tag;
    const char* rest;
  };
  const Case cases[] = {
      {"The_DT", kUnderscore, "The", "DT", ""},
      {"._.", kUnderscore, ".", ".", ""},
      {"__SYM", kUnderscore, "_", "SYM", ""},
      {"snake_case_NN", kUnderscore, "snake_case", "NN", ""},
      {"and/or/CC", kSlash, "and/or", "CC", ""},
      {"cat", kUnderscore, "cat", "", ""},
      {"cat_", kUnderscore, "cat_", "", ""},
      {"cat/NN", kUnderscore, "cat/NN", "", ""},
      {"in_IN_M<PREP>", kUnderscore, "in", "IN", "_M<PREP>"},
      {"in/IN_M<PREP>", kSlash, "in", "IN", "_M<PREP>"},
      {"of/IN_M<a_M<b>", kSlash, "of", "IN", "_M<a_M<b>"},
      {"Cats_NNS_cat", kUnderscoreLemma, "Cats", "NNS", "_cat"},
      {"x_y_NN_x_y", kUnderscoreLemma, "x_y", "NN", "_x_y"},
      {"and/or/NN/and/or", kSlashLemma, "and/or", "NN", "/and/or"},
      {"._._.", kUnderscoreLemma, ".", ".", "_."},
      {"1999_CD_1999", kUnderscoreLemma, "1999", "CD", "_1999"},
      {"a_b_c", kUnderscoreLemma, "a", "b", "_c"},  // no field looks like a tag
      {"cat_NN", kUnderscoreLemma, "cat", "NN", ""},
      {"cat", kUnderscoreLemma, "cat", "", ""},
  };
  for (const Case& c : cases) {
    const ResultToken cut = SplitResultToken(c.token, c.layout);
    EXPECT_EQ(cut.word, c.word) << c.token;
    EXPECT_EQ(cut.tag, c.tag) << c.token;
    EXPECT_EQ(cut.rest, c.rest) << c.token;
    // The three parts are views that make the token again.
    const std::string_view token = c.token;
    EXPECT_EQ(cut.word.data(), token.data()) << c.token;
    EXPECT_EQ(cut.rest.data() + cut.rest.size(), token.data() + token.size()) << c.token;
  }
}

TEST(ResultTokenTest, TellsTheLayoutFromASample) {
  struct Case {
    const char* sample;
    ResultLayout layout;
  };
  const Case cases[] = {
      {"The_DT cat_NN sat_VBD ._.\r\n", kUnderscore},
      {"The/DT cat/NN and/or/CC x_y/NN ./.\r\n", kSlash},
      {"The_DT_the Cats_NNS_cat ran_VBD_run ._._.\r\n", kUnderscoreLemma},
      {"The/DT/the NASA/NNP/nasa and/or/CC/and/or\r\n", kSlashLemma},
      {"in/IN_M<IN> spite/NN_M<IN> of/IN_M<IN> the/DT rain/NN\r\n", kSlash},
      {"no tags at all\n", kUnderscore},
      {"", kUnderscore},
      {"cut at the end: The/DT ca", kSlash},
      {"The/DT\0cat_NN dog_NN sat_VBD", kSlash},  // a NUL ends the text
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DetectResultLayout(c.sample), c.layout) << c.sample;
  }
}

TEST(ResultTokenTest, TagShapesAndWordClasses) {
  for (const char* tag : {"NN", "PRP$", "-LRB-", ".", "``", "''", ",", "$", "VB2"}) {
    EXPECT_TRUE(IsTagLike(tag)) << tag;
  }
  for (const char* field : {"", "the", "Nn", "1999", "ABCDEFGHIJK", "A B", "\xc3\xa9"}) {
    EXPECT_FALSE(IsTagLike(field)) << field;
  }
  struct Case {
    const char* tag;
    WordClass word_class;
  };
  const Case cases[] = {
      {"NN", WordClass::kNoun},       {"NNPS", WordClass::kNoun},
      {"VBZ", WordClass::kVerb},      {"MD", WordClass::kVerb},
      {"JJR", WordClass::kAdjective}, {"RBS", WordClass::kAdverb},
      {"WRB", WordClass::kFunction},  {"PRP$", WordClass::kFunction},
      {"TO", WordClass::kFunction},   {"DT", WordClass::kFunction},
      {".", WordClass::kPunctuation}, {"``", WordClass::kPunctuation},
      {"$", WordClass::kPunctuation}, {"-LRB-", WordClass::kPunctuation},
      {"CD", WordClass::kOther},      {"UH", WordClass::kOther},
      {"XYZ", WordClass::kOther},     {"", WordClass::kOther},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassOfTag(c.tag), c.word_class) << c.tag;
  EXPECT_STREQ(WordClassName(WordClass::kFunction), "Function word");
}

ResultStatistics CountInPieces(std::string_view text, const std::vector<size_t>& cuts,
                               size_t top_words = 10) {
  ResultCounter counter(top_words);
  size_t at = 0;
  for (const size_t cut : cuts) {
    counter.Feed(text.substr(at, cut - at));
    at = cut;
  }
  counter.Feed(text.substr(at));
  return counter.Finish();
}

// Counted by hand: 10 tokens on 2 non-empty lines of 4, "The" and "the" two types.
TEST(ResultCounterTest, CountsAHandCountedSample) {
  const std::string text =
      "The_DT cat_NN sat_VBD on_IN the_DT mat_NN ._.\r\n\r\nMr._NNP Smith_NNP cats_NNS\r\n";
  const ResultStatistics stats = CountInPieces(text, {});
  EXPECT_EQ(stats.tokens, 10u);
  EXPECT_EQ(stats.sentences, 2u);
  EXPECT_EQ(stats.word_types, 10u);
  EXPECT_EQ(stats.untagged, 0u);
  EXPECT_DOUBLE_EQ(stats.TokensPerSentence(), 5.0);
  ASSERT_EQ(stats.tags.size(), 7u);
  // Equal counts are ordered by tag.
  EXPECT_EQ(stats.tags[0].tag, "DT");
  EXPECT_EQ(stats.tags[1].tag, "NN");
  EXPECT_EQ(stats.tags[2].tag, "NNP");
  EXPECT_EQ(stats.tags[3].tag, ".");
  EXPECT_EQ(stats.tags[0].count, 2u);
  EXPECT_EQ(stats.tags[0].top_words, (std::vector<WordCount>{{"The", 1}, {"the", 1}}));
}

TEST(ResultCounterTest, LinesTokensAndTheEndOfText) {
  struct Case {
    std::string text;
    uint64_t tokens, sentences, untagged;
  };
  const Case cases[] = {
      {"a_DT\r\n\r\nb_NN\rc_NN\nd_NN", 4, 4, 0},
      {"  a_DT   b_NN  \n\n   \n", 2, 1, 0},
      {"a_DT b\nc", 3, 2, 2},
      {std::string("a_DT\nb_NN\0c_NN d_NN\n", 20), 2, 2, 0},
      {"", 0, 0, 0},
      {"\r\n\r\n", 0, 0, 0},
  };
  for (const Case& c : cases) {
    const ResultStatistics stats = CountInPieces(c.text, {});
    EXPECT_EQ(stats.tokens, c.tokens) << c.text;
    EXPECT_EQ(stats.sentences, c.sentences) << c.text;
    EXPECT_EQ(stats.untagged, c.untagged) << c.text;
  }
}

TEST(ResultCounterTest, OverlongTokensAreCountedNotStored) {
  const std::string long_token(ResultCounter::kMaxTokenBytes + 1, 'x');
  const std::string text = "a_DT " + long_token + "_NN b_NN\n" + long_token;
  for (const std::vector<size_t>& cuts :
       {std::vector<size_t>{}, std::vector<size_t>{7, 100, 5000}, std::vector<size_t>{4200}}) {
    const ResultStatistics stats = CountInPieces(text, cuts);
    EXPECT_EQ(stats.tokens, 4u);
    EXPECT_EQ(stats.overlong, 2u);
    EXPECT_EQ(stats.sentences, 2u);
    EXPECT_EQ(stats.word_types, 2u);
  }
}

TEST(ResultCounterTest, KeepsTheMostFrequentWordsPerTag) {
  std::string text;
  for (int i = 0; i < 5; ++i) text += "dog_NN ";
  for (int i = 0; i < 3; ++i) text += "cat_NN bat_NN ";
  text += "ant_NN eel_NN dog_VB\n";
  const ResultStatistics stats = CountInPieces(text, {}, 3);
  ASSERT_EQ(stats.tags.size(), 2u);
  EXPECT_EQ(stats.tags[0].tag, "NN");
  EXPECT_EQ(stats.tags[0].count, 13u);
  EXPECT_EQ(stats.tags[0].top_words, (std::vector<WordCount>{{"dog", 5}, {"bat", 3}, {"cat", 3}}));
  EXPECT_EQ(stats.tags[1].top_words, (std::vector<WordCount>{{"dog", 1}}));
  EXPECT_EQ(stats.word_types, 5u);
  EXPECT_TRUE(CountInPieces(text, {}, 0).tags[0].top_words.empty());
}

// Generated result files of every layout, with marks, untagged tokens, odd spacing and line
// ends, longer than the layout sample, fed in random pieces: the same figures as the
// plain counter over the whole text.
TEST(ResultCounterTest, StreamingCountEqualsThePlainCount) {
  std::mt19937 random(19);
  const char* words[] = {"the", "The", "cat", "and/or", "x_y",
                         "_",   "/",   ".",   "1999",   "caf\xc3\xa9"};
  const char* tags[] = {"DT", "NN", "VBD", ".", "PRP$", "``", "CD", "Xx"};
  const char* line_ends[] = {"\r\n", "\n", "\r", "\n\n", " \r\n"};
  for (int round = 0; round < 40; ++round) {
    const char separator = random() % 2 ? '_' : '/';
    const bool lemmas = random() % 2;
    std::string text;
    const size_t size = round % 4 == 0 ? ResultCounter::kSampleBytes + 5000 : random() % 3000;
    while (text.size() < size) {
      const int kind = random() % 20;
      const std::string word = words[random() % std::size(words)];
      if (kind == 0) {
        text += word;  // untagged
      } else {
        text += word + separator + tags[random() % std::size(tags)];
        if (lemmas) text += separator + word;
        if (!lemmas && kind == 1) text += "_M<PREP>";
      }
      text += random() % 6 == 0 ? line_ends[random() % std::size(line_ends)]
                                : (random() % 9 == 0 ? "  " : " ");
    }
    std::vector<size_t> cuts;
    for (size_t at = 0; at < text.size(); at += 1 + random() % 700) cuts.push_back(at);
    const ResultStatistics expected = reference::CountResultText(text, 4);
    EXPECT_EQ(CountInPieces(text, cuts, 4), expected) << "round " << round;
    EXPECT_EQ(CountInPieces(text, {}, 4), expected) << "round " << round;
  }
}

class ResultFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillon-stats-XXXXXX";
    root_ = mkdtemp(pattern);
  }
  void TearDown() override { std::system(("rm -rf " + root_).c_str()); }
  std::string root_;
};

TEST_F(ResultFileTest, ReadsFilesInBlocksAndCanBeCancelled) {
  std::string text;
  for (int i = 0; i < 200000; ++i)
    text += i % 10 == 9 ? "end_NN\r\n" : "w" + std::to_string(i % 97) + "/NN ";
  const std::string path = root_ + "/big_tag.txt";
  std::ofstream(path, std::ios::binary) << text;
  ResultStatistics stats;
  std::vector<uint64_t> progress;
  ASSERT_TRUE(CountResultFile(
                  path,
                  [&](uint64_t read) {
                    progress.push_back(read);
                    return true;
                  },
                  &stats)
                  .ok());
  EXPECT_EQ(stats, reference::CountResultText(text, 10));
  EXPECT_EQ(stats.layout, kSlash);
  EXPECT_EQ(stats.sentences, 20000u);
  ASSERT_GE(progress.size(), 2u);  // more than 1 MiB: asked after each block
  EXPECT_EQ(progress.back(), text.size());

  const Status cancelled = CountResultFile(
      path, [](uint64_t) { return false; }, &stats);
  EXPECT_EQ(cancelled.message(), "Cancelled.");
  const Status missing = CountResultFile(root_ + "/absent.txt", nullptr, &stats);
  EXPECT_EQ(missing.message().find("Cannot open file \"" + root_ + "/absent.txt\". "), 0u);
  EXPECT_FALSE(CountResultFile(root_, nullptr, &stats).ok());
}

TEST(StatisticsCsvTest, QuotesAndDefusesFields) {
  const std::string text = ",_, \"_`` -_: =x_NN \"_`` the_DT the_DT\r\n";
  const std::string csv = StatisticsCsv(CountInPieces(text, {}));
  EXPECT_EQ(csv,
            "Tag,Word class,Tokens,Share (%),Most frequent words\r\n"
            "DT,Function word,2,28.57,the (2)\r\n"
            "``,Punctuation,2,28.57,\"\"\" (2)\"\r\n"
            "\",\",Punctuation,1,14.29,\", (1)\"\r\n"
            ":,Punctuation,1,14.29,'- (1)\r\n"
            "NN,Noun,1,14.29,'=x (1)\r\n");
  EXPECT_EQ(StatisticsCsv(ResultStatistics()),
            "Tag,Word class,Tokens,Share (%),Most frequent words\r\n");
}

}  // namespace
}  // namespace quillon
