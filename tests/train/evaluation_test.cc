// Scoring against gold tags and the report of `quillon eval`.
#include "train/evaluation.h"

#include <gtest/gtest.h>

#include "tests/train/train_test_util.h"
#include "train/learning_resources.h"

namespace quillon {
namespace {

TEST(EvaluationTest, CountsKnownUnknownConfusionsAndPerTagScores) {
  // Known: the, run (NN first), to. Unknown: Zorb (NNP), glorp (NN), blick (NN).
  std::unique_ptr<Resources> resources =
      MakeResources({{"the DT", "run NN VB", "to TO"}, testing::PennTagset(), {}, {}});
  Tagger tagger(resources.get(), TaggerOptions());
  const Corpus gold =
      testing::ParseSentences("the_DT run_NN\nto_TO run_VB Zorb_NNP\nglorp_VB blick_NN the_DT\n");
  const EvalResult r = Evaluate(&tagger, gold);
  EXPECT_EQ(r.tokens, 8u);
  EXPECT_EQ(r.correct, 6u);
  EXPECT_EQ(r.known, 5u);
  EXPECT_EQ(r.known_correct, 4u);
  EXPECT_EQ(r.unknown, 3u);
  EXPECT_EQ(r.unknown_correct, 2u);
  EXPECT_EQ(CountCorrect(&tagger, gold), 6u);
  const std::map<std::pair<std::string, std::string>, size_t> confusions = {{{"VB", "NN"}, 2}};
  EXPECT_EQ(r.confusions, confusions);
  const TagScore nn = r.per_tag.at("NN");
  EXPECT_EQ(nn.gold, 2u);
  EXPECT_EQ(nn.predicted, 4u);
  EXPECT_EQ(nn.correct, 2u);
  EXPECT_EQ(r.per_tag.at("VB").predicted, 0u);

  const std::string report = FormatEvalReport(r, true);
  EXPECT_NE(report.find("accuracy        75.00% (6/8)\n"), std::string::npos) << report;
  EXPECT_NE(report.find("unknown words   66.67% (2/3)\n"), std::string::npos) << report;
  EXPECT_NE(report.find("  VB     -> NN            2\n"), std::string::npos) << report;
  // Precision of VB is undefined (never tagged): shown as "-", not as a division by zero.
  EXPECT_NE(report.find("VB            2        0        0          -      0.00%\n"),
            std::string::npos)
      << report;
  EXPECT_EQ(FormatEvalReport(EvalResult(), false),
            "tokens          0\naccuracy        -\nknown words     -\nunknown words   -\n");
}

TEST(EvaluationTest, TenMostFrequentConfusionsInCountOrder) {
  EvalResult r;
  for (int k = 0; k < 12; ++k) {
    r.confusions[{"G" + std::to_string(k), "T"}] = static_cast<size_t>(k % 5 + 1);
  }
  const std::string report = FormatEvalReport(r, false);
  size_t lines = 0;
  for (size_t at = report.find("-> T"); at != std::string::npos; at = report.find("-> T", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 10u);
  // Count 5 first (G4, G9), and equal counts in (gold, tagged) order.
  EXPECT_LT(report.find("G4 "), report.find("G9 "));
  EXPECT_LT(report.find("G9 "), report.find("G3 "));
  // Count 1 holds G0, G10 and G5 in that order: only the first makes the ten.
  EXPECT_NE(report.find("G0 "), std::string::npos);
  EXPECT_EQ(report.find("G10 "), std::string::npos);
  EXPECT_EQ(report.find("G5 "), std::string::npos);
}

}  // namespace
}  // namespace quillon
