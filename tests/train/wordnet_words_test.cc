// The WordNet word list: which lemmas it keeps, and the tag order of the merged list.
// The spelling rules and the reader have tests of their own.
#include "train/wordnet_words.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

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

TEST(WordNetWordsTest, TagsOrderedBySenseCountsAndIrregularFormsReplaceRegularOnes) {
  WordNet wordnet;
  // Lemma -> tagged sense count, per part of speech; the lemmas in index order as well.
  const std::map<std::string, int> senses[kWordNetPosCount] = {
      {{"run", 7}, {"book", 4}, {"child", 9}, {"3-d", 1}, {"mexico", 2}},
      {{"run", 29}, {"book", 3}, {"write", 20}},
      {{"good", 30}, {"big", 5}, {"free", 0}},
      {{"well", 12}, {"free", 0}}};
  for (int pos = 0; pos < kWordNetPosCount; ++pos) {
    wordnet.tagged_senses[pos] = senses[pos];
    for (const auto& [lemma, count] : senses[pos]) wordnet.lemmas[pos].push_back(lemma);
  }
  wordnet.exceptions[kWordNetNoun] = {{"children", {"child"}}};
  wordnet.noun_names = {"mexico"};
  wordnet.exceptions[kWordNetVerb] = {
      {"ran", {"run"}}, {"running", {"run"}}, {"written", {"write"}}, {"wrote", {"write"}}};
  wordnet.exceptions[kWordNetAdjective] = {{"better", {"good"}}, {"best", {"good"}}};
  wordnet.exceptions[kWordNetAdverb] = {{"better", {"well"}}};
  std::map<std::string, std::vector<std::string>> got;
  for (const WordListEntry& e : WordNetWordList(wordnet)) got[e.word] = e.tags;
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
      {"mexico", {"NNP"}},  // a name, even in small letters
      {"mexicos", {"NNPS"}},
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
