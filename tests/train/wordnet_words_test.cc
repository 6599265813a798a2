// The WordNet word list: spelling rules of the inflections, the readers of the database
// files, and the tag order of the merged list.
#include "train/wordnet_words.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(WordNetWordsTest, RegularInflections) {
  const struct {
    const char* lemma;
    const char* plural;  // also the -s form of a verb
    const char* past;
    const char* ing;
  } cases[] = {
      {"walk", "walks", "walked", "walking"},
      {"bus", "buses", "bussed", "bussing"},
      {"box", "boxes", "boxed", "boxing"},
      {"buzz", "buzzes", "buzzed", "buzzing"},
      {"match", "matches", "matched", "matching"},
      {"wish", "wishes", "wished", "wishing"},
      {"carry", "carries", "carried", "carrying"},
      {"play", "plays", "played", "playing"},
      {"hope", "hopes", "hoped", "hoping"},
      {"agree", "agrees", "agreed", "agreeing"},
      {"die", "dies", "died", "dying"},
      {"stop", "stops", "stopped", "stopping"},
      {"plan", "plans", "planned", "planning"},
      {"fix", "fixes", "fixed", "fixing"},
      {"snow", "snows", "snowed", "snowing"},
      {"open", "opens", "opened", "opening"},
      {"treat", "treats", "treated", "treating"},
      {"dye", "dyes", "dyed", "dyeing"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PluralOf(c.lemma), c.plural) << c.lemma;
    EXPECT_EQ(PastOf(c.lemma), c.past) << c.lemma;
    EXPECT_EQ(PresentParticipleOf(c.lemma), c.ing) << c.lemma;
  }
}

TEST(WordNetWordsTest, ComparisonOfShortAdjectivesOnly) {
  const struct {
    const char* adjective;
    bool takes;
    const char* comparative;
    const char* superlative;
  } cases[] = {
      {"big", true, "bigger", "biggest"},
      {"large", true, "larger", "largest"},
      {"happy", true, "happier", "happiest"},
      {"grey", true, "greyer", "greyest"},
      {"quick", true, "quicker", "quickest"},
      {"beautiful", false, "", ""},
      {"famous", false, "", ""},
      {"well-known", false, "", ""},
      {"gray-green", false, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TakesComparison(c.adjective), c.takes) << c.adjective;
    if (!c.takes) continue;
    EXPECT_EQ(ComparativeOf(c.adjective), c.comparative) << c.adjective;
    EXPECT_EQ(SuperlativeOf(c.adjective), c.superlative) << c.adjective;
  }
}

TEST(WordNetWordsTest, PlainLemmas) {
  const struct {
    const char* lemma;
    bool plain;
  } cases[] = {{"dog", true},          {"well-known", true}, {"o'clock", true}, {"st.", true},
               {"e.g.", true},         {"a", true},          {"", false},       {"3-d", false},
               {"1st", false},         {"-ism", false},      {"ad-", false},    {"Dog", false},
               {"caf\xc3\xa9", false}, {"'hood", false},     {".", false}};
  for (const auto& c : cases) EXPECT_EQ(IsPlainLemma(c.lemma), c.plain) << c.lemma;
}

TEST(WordNetWordsTest, ReadsIndexAndExceptionLines) {
  std::map<std::string, int> lemmas;
  // Licence lines come first, numbered; then "lemma pos synsets pointers ptr... senses
  // tagged offsets...".
  const char* index =
      "  1 This software and database is being provided\n"
      "  2 by Princeton University.\n"
      "run n 16 4 @ ~ + ; 16 7 00189565 00791078\n"
      "zebra n 1 3 @ #m %p 1 0 02391049\n";
  ASSERT_TRUE(ParseWordNetIndex(index, "index.noun", &lemmas).ok());
  EXPECT_EQ(lemmas, (std::map<std::string, int>{{"run", 7}, {"zebra", 0}}));

  const struct {
    const char* text;
    const char* error;
  } bad[] = {{"run n 16\n", "index.noun:1: not a WordNet index line"},
             {"run n 16 9 @ ~ 16 7\n", "index.noun:1: not a WordNet index line"},
             {"run n 16 x @ 16 7 1\n", "index.noun:1: not a WordNet index line"}};
  for (const auto& c : bad) {
    std::map<std::string, int> out;
    const Status status = ParseWordNetIndex(c.text, "index.noun", &out);
    ASSERT_FALSE(status.ok()) << c.text;
    EXPECT_EQ(status.message(), c.error);
  }

  std::map<std::string, std::vector<std::string>> forms;
  ASSERT_TRUE(ParseWordNetExceptions("ran run\naxes ax axis\n", "noun.exc", &forms).ok());
  EXPECT_EQ(forms["axes"], (std::vector<std::string>{"ax", "axis"}));
  const Status status = ParseWordNetExceptions("ran\n", "verb.exc", &forms);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.message(), "verb.exc:1: an irregular form without its lemma");
}

TEST(WordNetWordsTest, TagsOrderedBySenseCountsAndIrregularFormsReplaceRegularOnes) {
  WordNetData data;
  const int noun = static_cast<int>(WordClass::kNoun);
  const int verb = static_cast<int>(WordClass::kVerb);
  const int adj = static_cast<int>(WordClass::kAdjective);
  const int adv = static_cast<int>(WordClass::kAdverb);
  data.lemmas[noun] = {{"run", 7}, {"book", 4}, {"child", 9}, {"3-d", 1}};
  data.lemmas[verb] = {{"run", 29}, {"book", 3}, {"write", 20}};
  data.lemmas[adj] = {{"good", 30}, {"big", 5}, {"free", 0}};
  data.lemmas[adv] = {{"well", 12}, {"free", 0}};
  data.irregular[noun] = {{"children", {"child"}}};
  data.irregular[verb] = {
      {"ran", {"run"}}, {"running", {"run"}}, {"written", {"write"}}, {"wrote", {"write"}}};
  data.irregular[adj] = {{"better", {"good"}}, {"best", {"good"}}};
  data.irregular[adv] = {{"better", {"well"}}};
  std::map<std::string, std::vector<std::string>> got;
  for (const WordListEntry& e : WordNetWordList(data)) got[e.word] = e.tags;
  const struct {
    const char* word;
    std::vector<std::string> tags;
  } cases[] = {
      {"run", {"VB", "VBP", "NN"}},   // the verb senses are the more frequent
      {"runs", {"VBZ", "NNS"}},       // both -s forms, ordered the same way
      {"book", {"NN", "VB", "VBP"}},  // here the noun wins
      {"booked", {"VBD", "VBN"}},
      {"ran", {"VBD", "VBN"}},      // irregular past
      {"running", {"VBG"}},         // irregular and regular -ing agree
      {"written", {"VBN", "VBD"}},  // a participle in -en is seldom a past
      {"wrote", {"VBD", "VBN"}},
      {"children", {"NNS"}},
      {"better", {"JJR", "RBR"}},
      {"best", {"JJS"}},
      {"bigger", {"JJR"}},
      {"free", {"JJ", "RB"}},  // equal counts: adjective before adverb
      {"freer", {"JJR"}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(got.count(c.word)) << c.word;
    EXPECT_EQ(got[c.word], c.tags) << c.word;
  }
  // Regular forms that irregular ones replace, and lemmas no word looks like, are absent.
  for (const char* absent : {"runned", "writed", "childs", "gooder", "goodest", "3-d", "3-ds"}) {
    EXPECT_FALSE(got.count(absent)) << absent;
  }
}

}  // namespace
}  // namespace quillon
