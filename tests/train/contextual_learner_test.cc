// The contextual rule learner: template conditions against the tagger, the incremental
// learner against a plain learner that recounts everything at every step, the rules it
// finds where the right rule is known, the licence, and pruning with the real tagger.
#include "train/contextual_learner.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "core/tagger.h"
#include "tests/train/train_test_util.h"
#include "train/context_corpus.h"
#include "train/evaluation.h"
#include "train/lexical_learner.h"
#include "train/lexicon_builder.h"

namespace quillon {
namespace {

using testing::ParseSentences;
using testing::PennTagset;
using testing::RandomCorpus;

ContextualLearnResult Learn(const ResourceLines& base, const Corpus& corpus, int max_rules,
                            bool licence = true, int folds = 1) {
  ContextualLearnOptions options;
  options.max_rules = max_rules;
  options.licence = licence;
  options.folds = folds;
  ContextualLearnResult result;
  const Status status = LearnContextualRules(base, corpus, options, {}, &result);
  EXPECT_TRUE(status.ok()) << status.message();
  return result;
}

// For random sentences, templates and arguments: the learner's condition holds at a
// position exactly when the tagger changes the tag there. The position is the only one
// with tag FW and the rule turns FW into SYM, so no other tag ever changes.
TEST(ContextCorpusTest, ConditionsAgreeWithTheTagger) {
  const std::vector<std::string> context_tags = {"DT", "NN", "VB", "JJ"};
  const std::vector<std::string> words = {"a", "b", "c", "d", "f1", "f2"};
  std::vector<std::string> lexicon;
  for (size_t k = 0; k < 4; ++k) lexicon.push_back(words[k] + " " + context_tags[k] + " SYM");
  lexicon.push_back("f1 FW SYM");
  lexicon.push_back("f2 FW SYM");
  std::mt19937 rng(5);
  auto pick = [&](size_t n) { return rng() % n; };
  std::vector<std::string> tag_args = context_tags;
  tag_args.push_back("STAART");
  tag_args.push_back("FW");
  std::vector<std::string> word_args = words;
  word_args.push_back("STAART");
  int held = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    const size_t n = 1 + pick(6);
    const size_t at = pick(n);
    std::vector<std::string> sentence;
    for (size_t i = 0; i < n; ++i)
      sentence.push_back(i == at ? words[4 + pick(2)] : words[pick(4)]);
    const uint8_t templ = static_cast<uint8_t>(pick(kTemplateCount));
    auto arg = [&](ArgKind kind) {
      if (kind == ArgKind::kNone) return std::string();
      const std::vector<std::string>& pool = kind == ArgKind::kTag ? tag_args : word_args;
      // Mostly values from the sentence itself, so that conditions hold often.
      if (pick(3) != 0) {
        const std::string& word = sentence[pick(n)];
        if (kind == ArgKind::kWord) return word;
        return word[0] == 'f' ? std::string("FW")
                              : context_tags[static_cast<size_t>(word[0] - 'a')];
      }
      return pool[pick(pool.size())];
    };
    const std::string a1 = arg(FirstArgKind(templ));
    const std::string a2 = arg(SecondArgKind(templ));
    std::string rule = std::string("FW SYM ") + kTemplateNames[templ] + " " + a1;
    if (SecondArgKind(templ) != ArgKind::kNone) rule += " " + a2;

    std::unique_ptr<Resources> resources = MakeResources({lexicon, PennTagset(), {}, {rule}});
    Tagger tagger(resources.get(), TaggerOptions());
    const std::vector<std::string_view> views(sentence.begin(), sentence.end());
    std::vector<TagId> tags;
    tagger.TagTokens(views, &tags);
    const bool tagger_says = tagger.TagName(tags[at]) == "SYM";

    resources->contextual_records.clear();
    Corpus corpus;
    corpus.sentences.push_back({sentence, std::vector<std::string>(n, "NN")});
    WordTable table;
    ContextCorpus c;
    AppendContextCorpus(resources.get(), corpus, &table, &c);
    FinishContextCorpus(resources.get(), &table, &c);
    auto id = [&](ArgKind kind, const std::string& text) -> uint32_t {
      if (kind == ArgKind::kTag) return resources->tags.Intern(text);
      if (kind == ArgKind::kWord) return table.Intern(text);
      return 0;
    };
    const Instance instance{templ, id(FirstArgKind(templ), a1), id(SecondArgKind(templ), a2)};
    c.word_ok.resize(table.size(), true);
    const bool learner_says = InstanceHolds(c, at, instance);
    EXPECT_EQ(tagger_says, learner_says) << rule << " at " << at << " of " << n;
    std::vector<Instance> instances;
    InstancesAt(c, at, &instances);
    EXPECT_EQ(std::count(instances.begin(), instances.end(), instance), learner_says ? 1 : 0)
        << rule;
    held += learner_says;
  }
  EXPECT_GT(held, 300);  // the trials test both outcomes, many times each
  EXPECT_LT(held, 2700);
}

// The plain learner: every rule an error suggests, its good and bad counts recounted over
// the whole corpus at every step, the best applied everywhere at once.
std::vector<std::string> PlainLearner(const ResourceLines& base, const Corpus& corpus,
                                      int max_rules, int min_score, int folds) {
  std::unique_ptr<Resources> resources =
      MakeResources({base.lexicon, base.tagset, base.lexical, {}});
  WordTable words;
  ContextCorpus c;
  if (folds == 1) AppendContextCorpus(resources.get(), corpus, &words, &c);
  for (int fold = 0; folds > 1 && fold < folds; ++fold) {
    Corpus rest, held;
    SplitFold(corpus, folds, fold, 1, &rest, &held);
    LexiconStats stats;
    BuildLexicon(BuildLexiconLines(rest, {}, {}, &stats), nullptr, resources.get());
    AppendContextCorpus(resources.get(), held, &words, &c);
  }
  FinishContextCorpus(resources.get(), &words, &c);
  auto licensed = [&](size_t j, TagId to, uint8_t templ) {
    return LicenceAllows(c.licence_rows[c.licence[j]], c.rows[j], to, templ == kWdPrevTag,
                         c.changed[j]);
  };
  auto text = [&](ArgKind kind, uint32_t a) {
    return kind == ArgKind::kTag    ? std::string(resources->tags.Name(a))
           : kind == ArgKind::kWord ? std::string(words.Name(a))
                                    : std::string();
  };
  struct Rule {
    TagId from, to;
    Instance in;
  };
  auto key = [&](const Rule& r) {
    return std::make_tuple(std::string(resources->tags.Name(r.from)),
                           std::string(resources->tags.Name(r.to)), r.in.templ,
                           text(FirstArgKind(r.in.templ), r.in.arg1),
                           text(SecondArgKind(r.in.templ), r.in.arg2));
  };
  std::vector<std::string> lines;
  std::vector<Instance> instances;
  for (int step = 0; step < max_rules; ++step) {
    std::map<decltype(key(Rule{})), Rule> candidates;
    for (size_t j = 0; j < c.size(); ++j) {
      if (c.tags[j] == c.gold[j]) continue;
      InstancesAt(c, j, &instances);
      for (const Instance& in : instances) {
        const Rule r{c.tags[j], c.gold[j], in};
        candidates.emplace(key(r), r);
      }
    }
    int best_score = min_score - 1;
    const Rule* best = nullptr;
    for (const auto& [k, r] : candidates) {  // content order: the first best wins ties
      int score = 0;
      for (size_t j = 0; j < c.size(); ++j) {
        if (c.tags[j] != r.from || !InstanceHolds(c, j, r.in) || !licensed(j, r.to, r.in.templ)) {
          continue;
        }
        score += (c.gold[j] == r.to) - (c.gold[j] == r.from);
      }
      if (score > best_score) {
        best_score = score;
        best = &r;
      }
    }
    if (best == nullptr) break;
    std::vector<size_t> changes;
    for (size_t j = 0; j < c.size(); ++j) {
      if (c.tags[j] == best->from && InstanceHolds(c, j, best->in) &&
          licensed(j, best->to, best->in.templ)) {
        changes.push_back(j);
      }
    }
    for (size_t j : changes) {
      c.tags[j] = best->to;
      c.changed[j] = 1;
    }
    const auto [from, to, templ, a1, a2] = key(*best);
    lines.push_back(from + " " + to + " " + kTemplateNames[templ] + " " + a1 +
                    (SecondArgKind(templ) == ArgKind::kNone ? "" : " " + a2));
  }
  return lines;
}

TEST(ContextualLearnerTest, IncrementalCountsMatchRecountingEverything) {
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    // A lexicon from half of the data: unknown words and words the licence restricts.
    const std::vector<LexicalFold> halves =
        MakeLexicalFolds(RandomCorpus(seed, 80), 1, 0.5, seed, {}, {});
    const Corpus& learn = halves[0].held;
    const ResourceLines base{
        halves[0].lexicon, PennTagset(), {"NN s fhassuf 1 NNS", "ly hassuf 2 RB"}, {}};
    // Odd seeds start-tag each of three folds with a lexicon of the other two.
    const int folds = seed % 2 ? 3 : 1;
    const ContextualLearnResult r = Learn(base, learn, 25, true, folds);
    ASSERT_GE(r.lines.size(), 5u) << seed;
    EXPECT_EQ(r.lines, PlainLearner(base, learn, 25, 2, folds)) << seed;
    int total = 0;
    for (int score : r.scores) total += score;
    EXPECT_EQ(r.learned_correct, r.start_correct + static_cast<size_t>(total));
  }
}

const std::vector<std::string> kLexicon = {"I PRP",   "want VBP", "to TO", "run NN VB",
                                           "book NN", "the DT",   ". ."};

TEST(ContextualLearnerTest, LearnsThePrevTagRule) {
  const Corpus corpus = ParseSentences(
      "I_PRP want_VBP to_TO run_VB ._.\nI_PRP want_VBP to_TO run_VB\nto_TO run_VB\n"
      "the_DT run_NN ._.\n");
  const ContextualLearnResult r = Learn({kLexicon, PennTagset(), {}, {}}, corpus, 5);
  // PREV1OR2TAG TO, PREVWD to and others fix as much; PREVTAG comes first among equals.
  EXPECT_EQ(r.lines, (std::vector<std::string>{"NN VB PREVTAG TO"}));
  EXPECT_EQ(r.scores, (std::vector<int>{3}));
  EXPECT_EQ(r.learned_correct, r.tokens);
}

// With the lookup forms the learner counts a change of an unknown word only where its
// ending allows the new tag, as the tagger with those options applies it: the rule that
// retags "building" no longer counts "zorb" as broken, and the tagger leaves zorb alone.
TEST(ContextualLearnerTest, UnknownWordsKeepTagsTheirEndingsRuleOut) {
  // Five known words that can be VBG, one sentence each, so that no rule on one word scores.
  const Corpus corpus = ParseSentences(
      "I_PRP met_VBD building_VBG\nI_PRP met_VBD making_VBG\nI_PRP met_VBD taking_VBG\n"
      "I_PRP met_VBD going_VBG\nI_PRP met_VBD saying_VBG\nI_PRP met_VBD zorb_NN\n"
      "I_PRP met_VBD zorb_NN\n");
  const ResourceLines base{{"I PRP", "met VBD", "building NN VBG", "making NN VBG", "taking NN VBG",
                            "going NN VBG", "saying NN VBG"},
                           PennTagset(),
                           {},
                           {}};
  for (const bool lookup_forms : {false, true}) {
    ContextualLearnOptions options;
    options.max_rules = 1;
    options.lexicon.lookup_forms = lookup_forms;
    ContextualLearnResult r;
    ASSERT_TRUE(LearnContextualRules(base, corpus, options, {}, &r).ok());
    ASSERT_EQ(r.scores.size(), 1u);
    EXPECT_EQ(r.scores[0], lookup_forms ? 5 : 3) << r.lines[0];
    std::unique_ptr<Resources> resources =
        MakeResources({base.lexicon, base.tagset, base.lexical, r.lines});
    Tagger tagger(resources.get(), LearningTaggerOptions(lookup_forms));
    EXPECT_EQ(Evaluate(&tagger, corpus).correct, r.learned_correct) << lookup_forms;
  }
}

TEST(ContextualLearnerTest, ChangesTheLicenceRefusesAreNotLearned) {
  // "book" has one tag in the lexicon: the tagger never retags it, so no rule may count on
  // doing so; without the licence (a NOLEX file) the rule is learned.
  const Corpus corpus =
      ParseSentences("I_PRP want_VBP to_TO book_VB\nto_TO book_VB ._.\nto_TO book_VB\n");
  const ResourceLines base{kLexicon, PennTagset(), {}, {}};
  EXPECT_TRUE(Learn(base, corpus, 5).lines.empty());
  EXPECT_EQ(Learn(base, corpus, 5, false).lines, (std::vector<std::string>{"NN VB PREVTAG TO"}));
}

TEST(ContextualPrunerTest, DropsTheRulesThatHurtTheTagger) {
  const ResourceLines base{{"to TO", "run NN VB JJ", "fast RB JJ", "the DT"}, PennTagset(), {}, {}};
  const Corpus held = ParseSentences("to_TO run_VB\nthe_DT run_NN\nto_TO run_VB fast_RB\n");
  const std::vector<std::string> rules = {"NN VB PREVTAG TO", "VB JJ PREVTAG TO",
                                          "RB JJ PREVTAG NN", "NN VB PREVTAG PRP"};
  const PruneResult r = PruneContextualRules(base, rules, held, false, {});
  EXPECT_EQ(r.lines, (std::vector<std::string>{"NN VB PREVTAG TO", "RB JJ PREVTAG NN",
                                               "NN VB PREVTAG PRP"}));
  EXPECT_EQ(r.tokens, 7u);
  EXPECT_EQ(r.no_rules_correct, 5u);   // both "run"s after "to" are NN
  EXPECT_EQ(r.all_rules_correct, 5u);  // they become VB, then JJ
  EXPECT_EQ(r.kept_rules_correct, 7u);
}

// Learned and pruned rules, written as files and loaded as a run loads them, tag the
// held-out data exactly as the pruner measured.
TEST(ContextualLearnerTest, RoundTripThroughTheTaggerIsExact) {
  for (uint32_t seed = 11; seed <= 14; ++seed) {
    const Corpus corpus = RandomCorpus(seed, 300);
    Corpus learn, held;
    SplitCorpus(corpus, 0.3, seed, &learn, &held);
    LexiconStats stats;
    const ResourceLines base{
        BuildLexiconLines(learn, {}, {}, &stats), PennTagset(), {"NN s fhassuf 1 NNS"}, {}};
    const ContextualLearnResult r = Learn(base, learn, 40);
    const PruneResult pruned = PruneContextualRules(base, r.lines, held, false, {});
    EXPECT_GE(pruned.kept_rules_correct, pruned.all_rules_correct);
    std::unique_ptr<Resources> resources =
        MakeResources({base.lexicon, base.tagset, base.lexical, pruned.lines});
    Tagger tagger(resources.get(), TaggerOptions());
    EXPECT_EQ(Evaluate(&tagger, held).correct, pruned.kept_rules_correct) << seed;
  }
}

}  // namespace
}  // namespace quillon
