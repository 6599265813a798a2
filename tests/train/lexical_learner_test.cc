// The lexical rule learner: the rules it finds on small corpora where the right rule is
// known, its conditions against the tagger's own rule matching, and the round trip from
// learned rules through the files to the tagger.
#include "train/lexical_learner.h"

#include <gtest/gtest.h>

#include <map>

#include "core/order_key.h"
#include "core/tagger.h"
#include "tests/train/train_test_util.h"
#include "train/evaluation.h"
#include "train/lexical_conditions.h"
#include "train/lexicon_builder.h"

namespace quillon {
namespace {

using testing::ParseSentences;
using testing::PennTagset;
using testing::RandomCorpus;

const std::vector<std::string> kLexicon = {
    "the DT", "he PRP", "ran VBD", ". .", "quick JJ", "slow JJ", "to TO", "sing VB",
};

LexicalLearnResult Learn(const Corpus& held, int max_rules, int max_plain,
                         std::vector<std::string> lexicon = kLexicon) {
  LexicalLearnOptions options;
  options.max_rules = max_rules;
  options.max_plain_rules = max_plain;
  LexicalLearnResult result;
  const Status status =
      LearnLexicalRules(PennTagset(), {{std::move(lexicon), held}}, options, {}, &result);
  EXPECT_TRUE(status.ok()) << status.message();
  return result;
}

TEST(LexicalLearnerTest, LearnsTheSuffixRuleThatExplainsTheErrors) {
  // Every unknown adverb ends in "ly"; "y" and the letter l also occur in nouns, and
  // "goodright ran" fixes as many but sorts after "hassuf".
  const Corpus held = ParseSentences(
      "he_PRP ran_VBD quickly_RB ._.\nhe_PRP ran_VBD slowly_RB ._.\n"
      "he_PRP ran_VBD badly_RB ._.\nthe_DT lady_NN ._.\nthe_DT day_NN ._.\n"
      "the_DT yell_NN ._.\n");
  const LexicalLearnResult r = Learn(held, 10, 0);
  EXPECT_EQ(r.lines, (std::vector<std::string>{"NN ly fhassuf 2 RB"}));
  EXPECT_EQ(r.tokens, 6u);
  EXPECT_EQ(r.start_correct, 3u);
  EXPECT_EQ(r.predicted_correct, 6u);
}

TEST(LexicalLearnerTest, PlainRulesOnlyWhereTheyTagBetter) {
  // Capitalised words start as NNP, the others as NN: one plain rule covers both, while
  // f-form rules need one rule per start tag.
  const Corpus held = ParseSentences(
      "quickly_RB ._.\nslowly_RB ._.\nQuickly_RB ._.\nSlowly_RB ._.\nthe_DT lady_NN ._.\n"
      "Bayle_NNP ._.\n");
  const LexicalLearnResult one = Learn(held, 1, 5);
  EXPECT_EQ(one.lines, (std::vector<std::string>{"ly hassuf 2 RB"}));
  EXPECT_EQ(one.fform_only_correct, 4u);
  EXPECT_EQ(one.predicted_correct, 6u);
  // With room for both f-form rules the f-form file is as good, and it is kept.
  const LexicalLearnResult two = Learn(held, 2, 5);
  EXPECT_EQ(two.lines, (std::vector<std::string>{"NN ly fhassuf 2 RB", "NNP ly fhassuf 2 RB"}));
  EXPECT_EQ(two.with_plain_correct, 6u);
}

TEST(LexicalLearnerTest, NoPlainRuleWhoseFirstFieldIsATag) {
  // "to goodright VB" would be read as an f-form line with "goodright" as its argument.
  const Corpus held = ParseSentences(
      "to_TO glorp_VB\nto_TO blick_VB\nto_TO snarf_VB\nto_TO Zibble_VB\nthe_DT cup_NN\n");
  const LexicalLearnResult r = Learn(held, 3, 3);
  ASSERT_FALSE(r.lines.empty());
  for (const std::string& line : r.lines) {
    EXPECT_NE(line.rfind("to ", 0), 0u) << line;
  }
  EXPECT_EQ(r.lines[0], "NN to fgoodright VB");
}

TEST(LexicalLearnerTest, LexiconLookupsForDeleteRules) {
  // "quick", "slow" and "sing" are in the lexicon; "odd", "bel" and "king" are not. Each
  // distractor is a right NN that shares the spelling rules but not the look-up.
  const Corpus held = ParseSentences(
      "quickly_RB\nslowly_RB\noddly_JJ\nbelly_NN\nsings_VBZ\nsings_VBZ\nkings_NN\n"
      "singer_NN\nlag_NN\n");
  const LexicalLearnResult r = Learn(held, 2, 0);
  EXPECT_EQ(r.lines, (std::vector<std::string>{"NN ly fdeletesuf 2 RB", "NN s fdeletesuf 1 VBZ"}));
}

// Every condition the learner generates holds exactly where the tagger's own rule matching
// says so, and no condition it leaves out holds anywhere: a one-rule file per candidate.
TEST(LexicalConditionsTest, AgreeWithTheTaggersRules) {
  for (uint32_t seed = 1; seed <= 3; ++seed) {
    const std::vector<LexicalFold> halves =
        MakeLexicalFolds(RandomCorpus(seed, 60), 1, 0.5, seed, {}, {});
    const std::vector<std::string>& lexicon = halves[0].lexicon;
    const Corpus& held = halves[0].held;
    std::unique_ptr<Resources> resources = MakeResources({lexicon, PennTagset(), {}, {}});
    UnknownTokenSet tokens(4);
    tokens.Add(resources.get(), held);
    tokens.Finish();
    std::map<std::pair<LexicalKind, std::string>, uint32_t> ids;  // addsuf by key
    for (uint32_t c = 0; c < tokens.condition_count(); ++c) {
      const LexicalCondition& condition = tokens.condition(c);
      const std::string identity =
          condition.kind == LexicalKind::kAddSuf ? Hash(condition.argument) : condition.argument;
      ASSERT_TRUE(ids.emplace(std::make_pair(condition.kind, identity), c).second);
    }
    // Candidate arguments: every affix and character of every held-out word, its
    // neighbours, and some that occur nowhere.
    std::set<std::string> arguments = {"q", "zz", "a?b", "!"};
    for (const TaggedSentence& s : held.sentences) {
      for (const std::string& w : s.words) {
        arguments.insert(w);
        for (size_t k = 1; k <= 4 && k <= w.size(); ++k) {
          arguments.insert(w.substr(w.size() - k));
          arguments.insert(w.substr(0, k));
        }
      }
    }
    for (int kind = 0; kind < 8; ++kind) {
      for (const std::string& argument : arguments) {
        const LexicalKind k = static_cast<LexicalKind>(kind);
        if (HasLengthField(k) && argument.size() > 4) continue;  // longer than learned
        // One f-form rule from each start tag to a tag nothing else carries.
        std::vector<std::string> rules;
        for (const char* from : {"NN", "NNP"}) {
          rules.push_back(std::string(from) + " " + argument + " " + LexicalKindName(k, true) +
                          " 1 SYM");
        }
        std::unique_ptr<Resources> tagged = MakeResources({lexicon, PennTagset(), rules, {}});
        Tagger tagger(tagged.get(), TaggerOptions());
        const std::string identity = k == LexicalKind::kAddSuf ? Hash(argument) : argument;
        auto id = ids.find({k, identity});
        size_t t = 0;
        std::vector<TagId> tags;
        for (const TaggedSentence& s : held.sentences) {
          const std::vector<std::string_view> words = WordViews(s.words);
          tagger.TagTokens(words, &tags);
          for (size_t i = 0; i < words.size(); ++i) {
            if (tagger.rows()[i] != 0) continue;
            const bool tagger_says = tagger.TagName(tags[i]) == "SYM";
            const bool learner_says = id != ids.end() && tokens.Holds(t, id->second);
            EXPECT_EQ(tagger_says, learner_says)
                << LexicalKindName(k, true) << " " << argument << " on " << words[i];
            ++t;
          }
        }
        ASSERT_EQ(t, tokens.size());
      }
    }
  }
}

// The learner's prediction is what the tagger does with the files it writes.
TEST(LexicalLearnerTest, RoundTripThroughTheTaggerIsExact) {
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    const std::vector<LexicalFold> folds =
        MakeLexicalFolds(RandomCorpus(seed, 150), 1, 0.5, seed, {}, {});
    const std::vector<std::string>& lexicon = folds[0].lexicon;
    const Corpus& held = folds[0].held;
    const LexicalLearnResult r = Learn(held, 40, seed % 2 ? 10 : 0, lexicon);
    ASSERT_GT(r.predicted_correct, r.start_correct) << seed;
    size_t unknown = 0, correct = 0;
    TagUnknownWords(PennTagset(), folds, r.lines, LexicalLearnOptions(), &unknown, &correct);
    EXPECT_EQ(unknown, r.tokens) << seed;
    EXPECT_EQ(correct, r.predicted_correct) << seed;
    // The same data give the same file.
    EXPECT_EQ(Learn(held, 40, seed % 2 ? 10 : 0, lexicon).lines, r.lines);
  }
}

// With several folds, each fold's words are unknown to its own lexicon; the prediction is
// what the tagger does with each fold's lexicon on that fold, summed.
TEST(LexicalLearnerTest, RoundTripOverFoldsIsExact) {
  const std::vector<LexicalFold> folds = MakeLexicalFolds(RandomCorpus(31, 300), 3, 0.0, 5, {}, {});
  ASSERT_EQ(folds.size(), 3u);
  size_t every_token = 0;
  for (const bool once : {false, true}) {
    LexicalLearnOptions options;
    options.max_rules = 50;
    options.once_per_word = once;
    LexicalLearnResult r;
    ASSERT_TRUE(LearnLexicalRules(PennTagset(), folds, options, {}, &r).ok());
    size_t unknown = 0, correct = 0;
    TagUnknownWords(PennTagset(), folds, r.lines, options, &unknown, &correct);
    EXPECT_EQ(unknown, r.tokens) << once;
    EXPECT_EQ(correct, r.predicted_correct) << once;
    EXPECT_GT(r.predicted_correct, r.start_correct) << once;
    if (once) EXPECT_LT(r.tokens, every_token);
    every_token = r.tokens;
  }
}

// With once_per_word a word counts once with each of its tags, wherever it recurs.
TEST(LexicalLearnerTest, OncePerWordCountsEachWordAndTagOnce) {
  const Corpus held = ParseSentences(
      "he_PRP ran_VBD quickly_RB ._.\nhe_PRP ran_VBD quickly_RB ._.\nthe_DT quickly_NN ._.\n"
      "he_PRP ran_VBD slowly_RB ._.\nhe_PRP ran_VBD quickly_RB ._.\n");
  for (const bool once : {false, true}) {
    LexicalLearnOptions options;
    options.once_per_word = once;
    LexicalLearnResult r;
    ASSERT_TRUE(LearnLexicalRules(PennTagset(), {{kLexicon, held}}, options, {}, &r).ok());
    EXPECT_EQ(r.tokens, once ? 3u : 5u);
  }
}

}  // namespace
}  // namespace quillon
