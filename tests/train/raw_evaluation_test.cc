// Scoring running text by spans, and the tagger's modern mode that it measures.
#include "train/raw_evaluation.h"

#include <gtest/gtest.h>

#include "tests/train/train_test_util.h"
#include "train/learning_resources.h"

namespace quillon {
namespace {

using Spans = std::vector<TokenSpan>;

TEST(RawEvaluationTest, PlacesWordsAcrossWhiteSpace) {
  Spans spans;
  const std::vector<std::string> words = {"I", "do", "n't", "know", "."};
  ASSERT_TRUE(PlaceWords(" I don't\u00A0know.", words, &spans));
  EXPECT_EQ(spans, (Spans{{1, 2}, {3, 5}, {5, 8}, {10, 14}, {14, 15}}));
  EXPECT_FALSE(PlaceWords("I do not know.", words, &spans));     // the words spell another text
  EXPECT_FALSE(PlaceWords("I don't know. Yes", words, &spans));  // text left over
  const std::vector<std::string> empty_word = {""}, none = {};
  EXPECT_FALSE(PlaceWords("x", empty_word, &spans));
  EXPECT_TRUE(PlaceWords("", none, &spans));
}

// CoNLL 2018: a token counts when its span is a gold word's span; for tags, when its tag
// is that word's tag too.
TEST(RawEvaluationTest, ScoresSpansAndTags) {
  RawScore score;
  const std::vector<std::string> gold_tags = {"PRP", "VBP", "RB", "VB", "."};
  const Spans gold = {{0, 1}, {2, 4}, {4, 7}, {8, 12}, {12, 13}};
  // "I don't know." cut as I / don't / know / . : three spans right, one tag of them wrong.
  const Spans system = {{0, 1}, {2, 7}, {8, 12}, {12, 13}};
  const std::vector<std::string_view> tags = {"PRP", "VBP", "NN", "."};
  ScoreSentence(gold, gold_tags, system, tags, &score);
  EXPECT_EQ(score.sentences, 1u);
  EXPECT_EQ(score.gold, 5u);
  EXPECT_EQ(score.system, 4u);
  EXPECT_EQ(score.spans, 3u);
  EXPECT_EQ(score.tagged, 2u);
  const std::string report = FormatRawReport(score);
  // Tokens: precision 3/4, recall 3/5, F1 2PR/(P+R) = 66.67%; tags 2/4, 2/5, 44.44%.
  EXPECT_NE(report.find("tokens: precision 75.00%, recall 60.00%, F1 66.67%"), std::string::npos)
      << report;
  EXPECT_NE(report.find("tags:   precision 50.00%, recall 40.00%, F1 44.44%"), std::string::npos)
      << report;
  EXPECT_NE(FormatRawReport(RawScore()).find("F1 -"), std::string::npos);
}

TEST(RawEvaluationTest, TagsTheRawTextWithTheTaggersOwnTokenizer) {
  // The lexicon knows the ASCII forms; the text is typographic.
  std::unique_ptr<Resources> resources =
      MakeResources({{"I PRP", "do VBP", "n't RB", "know VB", ". .", "` ``", "'' ''", "- :"},
                     testing::PennTagset(),
                     {},
                     {}});
  Corpus gold;
  ASSERT_TRUE(ParseConllu("# text = I don’t know – “I” .\n"
                          "1\tI\tI\tPRON\tPRP\t_\t0\troot\t_\t_\n"
                          "2-3\tdon’t\t_\t_\t_\t_\t_\t_\t_\t_\n"
                          "2\tdo\tdo\tAUX\tVBP\t_\t0\troot\t_\t_\n"
                          "3\tn’t\tnot\tPART\tRB\t_\t0\troot\t_\t_\n"
                          "4\tknow\tknow\tVERB\tVB\t_\t0\troot\t_\t_\n"
                          "5\t–\t–\tPUNCT\t:\t_\t0\troot\t_\t_\n"
                          "6\t“\t“\tPUNCT\t``\t_\t0\troot\t_\t_\n"
                          "7\tI\tI\tPRON\tPRP\t_\t0\troot\t_\t_\n"
                          "8\t”\t”\tPUNCT\t''\t_\t0\troot\t_\t_\n"
                          "9\t.\t.\tPUNCT\t.\t_\t0\troot\t_\t_\n"
                          "\n"
                          "1\tno\tno\tX\tUH\t_\t0\troot\t_\t_\n",  // no text: left out
                          "gold", &gold)
                  .ok());
  ASSERT_EQ(gold.sentences.size(), 2u);
  EXPECT_EQ(gold.sentences[0].text, "I don’t know – “I” .");
  TaggerOptions modern;
  modern.modern = true;
  Tagger tagger(resources.get(), modern);
  const RawScore score = EvaluateRaw(&tagger, gold);
  EXPECT_EQ(score.left_out, 1u);
  EXPECT_EQ(score.sentences, 1u);
  EXPECT_EQ(score.spans, score.gold);
  EXPECT_EQ(score.tagged, score.gold);  // “ as ``, ” as '', n’t as n't, – as -

  // The classic tokenizer keeps n’t and the quotes on their words.
  Tagger classic(resources.get(), TaggerOptions());
  const RawScore classic_score = EvaluateRaw(&classic, gold);
  EXPECT_LT(classic_score.spans, classic_score.gold);
}

TEST(RawEvaluationTest, ScoresAnotherSystemsOutput) {
  Corpus gold, system;
  ASSERT_TRUE(ParseConllu("# text = I can't.\n1\tI\tI\t_\tPRP\t_\t0\t_\t_\t_\n"
                          "2\tca\tcan\t_\tMD\t_\t0\t_\t_\t_\n3\tn't\tnot\t_\tRB\t_\t0\t_\t_\t_\n"
                          "4\t.\t.\t_\t.\t_\t0\t_\t_\t_\n",
                          "gold", &gold)
                  .ok());
  ASSERT_TRUE(ParseConllu("1\tI\t_\t_\tPRP\t_\t_\t_\t_\t_\n2\tcan't\t_\t_\tMD\t_\t_\t_\t_\t_\n"
                          "3\t.\t_\t_\t.\t_\t_\t_\t_\t_\n",
                          "system", &system)
                  .ok());
  RawScore score;
  ASSERT_TRUE(EvaluateSystemOutput(gold, system, &score).ok());
  EXPECT_EQ(score.gold, 4u);
  EXPECT_EQ(score.system, 3u);
  EXPECT_EQ(score.spans, 2u);
  EXPECT_EQ(score.tagged, 2u);
  // Another text, or another number of sentences, is refused with the reason.
  system.sentences[0].words[1] = "cannot";
  EXPECT_FALSE(EvaluateSystemOutput(gold, system, &score).ok());
  EXPECT_FALSE(EvaluateSystemOutput(gold, Corpus(), &score).ok());
}

}  // namespace
}  // namespace quillon
