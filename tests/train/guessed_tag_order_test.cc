// Word lists joined and reordered by the tags the unknown-word rules guess, as the real
// tagger guesses them.
#include "train/guessed_tag_order.h"

#include <gtest/gtest.h>

#include "tests/train/train_test_util.h"

namespace quillon {
namespace {

using testing::ParseSentences;
using testing::PennTagset;

std::vector<WordListEntry> Entries(const std::string& text) {
  std::vector<WordListEntry> entries;
  EXPECT_TRUE(ParseWordList(text, "wl", &entries).ok());
  return entries;
}

std::string Lines(const std::vector<WordListEntry>& entries) {
  std::string text;
  for (const WordListEntry& entry : entries) {
    text += entry.word;
    for (const std::string& tag : entry.tags) text += " " + tag;
    text += "\n";
  }
  return text;
}

// Suffix rules, and a rule that asks the lexicon for the word without its -s.
const std::vector<std::string> kRules = {"ly hassuf 2 RB", "s hassuf 1 NNS"};
const std::vector<std::string> kDeleteRule = {"NNP s fdeletesuf 1 NNPS"};

TEST(GuessedTagOrderTest, GuessedTagsGoFirstOrSecond) {
  const Corpus corpus = ParseSentences("the_DT cat_NN\nthe_DT hats_VBZ");
  const struct {
    const char* name;
    GuessedOrderOptions options;
    const char* want;
  } cases[] = {
      {"every change",
       {},
       // quickly: RB guessed and listed, so first; dogs: one tag, NNS added; slowly: the
       // guess is first already; zebra: NN, listed first; hats: a rare corpus word, NNS
       // after its listed tag; cat: the guess is its corpus tag.
       "quickly RB JJ\ndogs VBZ NNS\nslowly RB\nzebra NN VB\nhats VBZ NNS\ncat VB\n"},
      {"no reordering",
       {5, false, true, 2},
       "quickly JJ RB\ndogs VBZ NNS\nslowly RB\nzebra NN VB\nhats VBZ NNS\ncat VB\n"},
      {"no second tags",
       {5, true, false, 0},
       "quickly RB JJ\ndogs VBZ\nslowly RB\nzebra NN VB\nhats VBZ\ncat VB\n"},
  };
  for (const auto& c : cases) {
    // Two lists, one word in both: joined in list order, each tag once.
    std::vector<WordListEntry> wordlist =
        Entries("quickly JJ\ndogs VBZ\nslowly RB\nzebra NN VB\nhats VBZ\ncat VB\n");
    for (const WordListEntry& more : Entries("quickly RB JJ\n")) wordlist.push_back(more);
    GuessedOrderStats stats;
    EXPECT_EQ(
        Lines(OrderByGuessedTags(corpus, wordlist, {}, PennTagset(), kRules, c.options, &stats)),
        c.want)
        << c.name;
    EXPECT_EQ(stats.entries, 6u);
    EXPECT_EQ(stats.list_only, 4u);
    EXPECT_EQ(stats.guessed, 4u);
    EXPECT_EQ(stats.moved_first, c.options.guess_first ? 1u : 0u) << c.name;
    EXPECT_EQ(stats.added, c.options.add_to_single ? 1u : 0u) << c.name;
    EXPECT_EQ(stats.rare, c.options.rare_count > 0 ? 1u : 0u) << c.name;
  }
}

TEST(GuessedTagOrderTest, OnlyRareOneTagCorpusWordsGetTheGuess) {
  // "hats" seen three times, "caps" twice with two tags, "bats" twice with one.
  const Corpus corpus =
      ParseSentences("hats_VBZ hats_VBZ hats_VBZ\ncaps_VBZ caps_NNS\nbats_VBZ bats_VBZ");
  const std::vector<WordListEntry> wordlist = Entries("hats VBZ\ncaps VBZ\nbats VBZ\n");
  GuessedOrderStats stats;
  EXPECT_EQ(Lines(OrderByGuessedTags(corpus, wordlist, {}, PennTagset(), kRules, {}, &stats)),
            "hats VBZ\ncaps VBZ\nbats VBZ NNS\n");
  GuessedOrderOptions once;
  once.rare_count = 1;
  EXPECT_EQ(Lines(OrderByGuessedTags(corpus, wordlist, {}, PennTagset(), kRules, once, &stats)),
            "hats VBZ\ncaps VBZ\nbats VBZ\n");
}

TEST(GuessedTagOrderTest, AffixRulesSeeTheWordsOfOtherGroups) {
  // "Fords" is NNPS by the f-form rule only while "Ford" is in the lexicon: guessed in one
  // group they leave the lexicon together; in groups of their own, "Ford" is still there.
  const Corpus corpus = ParseSentences("the_DT car_NN");
  const std::vector<WordListEntry> wordlist = Entries("Ford NNP\nFords NNP NNPS\n");
  GuessedOrderStats stats;
  GuessedOrderOptions one_group;
  one_group.groups = 1;
  EXPECT_EQ(
      Lines(OrderByGuessedTags(corpus, wordlist, {}, PennTagset(), kDeleteRule, one_group, &stats)),
      "Ford NNP\nFords NNP NNPS\n");
  bool apart = false;
  for (int groups = 2; groups <= 6 && !apart; ++groups) {
    GuessedOrderOptions options;
    options.groups = groups;
    const std::string lines =
        Lines(OrderByGuessedTags(corpus, wordlist, {}, PennTagset(), kDeleteRule, options, &stats));
    apart = lines == "Ford NNP\nFords NNPS NNP\n";
    if (!apart) EXPECT_EQ(lines, "Ford NNP\nFords NNP NNPS\n") << groups;
  }
  EXPECT_TRUE(apart) << "the two words never fell into different groups";
  // A corpus word is always in the lexicon.
  const Corpus with_ford = ParseSentences("Ford_NNP car_NN");
  EXPECT_EQ(Lines(OrderByGuessedTags(with_ford, Entries("Fords NNP NNPS\n"), {}, PennTagset(),
                                     kDeleteRule, one_group, &stats)),
            "Fords NNPS NNP\n");
}

TEST(GuessedTagOrderTest, WordsTheTaggerStillFindsAreNotGuessed) {
  // "a!b" has the order key of the corpus word "a.b": the tagger reads it with that row, so
  // it is never unknown and its listed order stays.
  const Corpus corpus = ParseSentences("a.b_NN");
  GuessedOrderStats stats;
  EXPECT_EQ(Lines(OrderByGuessedTags(corpus, Entries("a!bs JJ NNS\na!b VB NN\n"), {}, PennTagset(),
                                     kRules, {}, &stats)),
            "a!bs NNS JJ\na!b VB NN\n");
  EXPECT_EQ(stats.list_only, 2u);
  EXPECT_EQ(stats.guessed, 1u);
}

TEST(GuessedTagOrderTest, LookupFormsAreCorpusWords) {
  // With lookup forms the corpus's "’s" holds "'s" too: a corpus word, not guessed.
  const Corpus corpus = ParseSentences("it_PRP \xE2\x80\x99s_VBZ");
  LexiconBuildOptions lookup;
  lookup.lookup_forms = true;
  GuessedOrderStats stats;
  OrderByGuessedTags(corpus, Entries("'s POS VBZ\n"), lookup, PennTagset(), kRules, {}, &stats);
  EXPECT_EQ(stats.list_only, 0u);
  OrderByGuessedTags(corpus, Entries("'s POS VBZ\n"), {}, PennTagset(), kRules, {}, &stats);
  EXPECT_EQ(stats.list_only, 1u);
}

}  // namespace
}  // namespace quillon
