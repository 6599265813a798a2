// Learning contextual rules by greedy error-driven transformation learning. The training
// corpus is start-tagged by the real tagger with the lexicon and lexical rules it will run
// with; then, rule after rule, the learner picks the instance of the 22 templates with a
// FROM and TO tag that fixes the most tags minus those it breaks, counting only changes
// the lexicon licence allows, applies it everywhere at once, and goes on.
//
// Scores are kept incrementally: the "good" count of every rule that some error suggests
// is updated only around the positions a rule changed (a template looks at most three
// positions away); the "bad" count of a rule is computed only when its good count could
// make it the best, and then also kept up to date around changes.
//
// The tagger applies the list position by position in three passes rather than rule by
// rule, so the learned order is only close to what the tagger does; PruneContextualRules
// measures the list with the real tagger on held-out data.
// Tested by contextual_learner_test.cc.
#ifndef QUILLON_TRAIN_CONTEXTUAL_LEARNER_H_
#define QUILLON_TRAIN_CONTEXTUAL_LEARNER_H_

#include <string>
#include <vector>

#include "core/status.h"
#include "train/corpus.h"
#include "train/learn_progress.h"
#include "train/learning_resources.h"
#include "train/lexicon_builder.h"

namespace quillon {

struct ContextualLearnOptions {
  int max_rules = 300;
  int min_score = 2;
  bool licence = true;  // false: count changes the lexicon licence would refuse, too
  // With folds of 2 or more, each fold of the corpus is start-tagged with a lexicon built
  // (as `train lexicon` builds it) from the other folds, so that the learning data show
  // unknown words and incomplete tag lists as new text will; otherwise the whole corpus is
  // start-tagged with the given lexicon.
  int folds = 1;
  uint64_t seed = 1;
  LexiconBuildOptions lexicon;
  std::vector<WordListEntry> wordlist;
};

struct ContextualLearnResult {
  std::vector<std::string> lines;  // the rule file, in learned order
  std::vector<int> scores;         // score of each rule when it was learned
  size_t tokens = 0;
  size_t start_correct = 0;    // right after the lexicon and lexical rules
  size_t learned_correct = 0;  // right after the rules, applied one after the other
};

// Learns rules on corpus, start-tagged with the lexicon (unless folds say otherwise), tag
// set and lexical rules of lines (its contextual lines are ignored). Fails only when the
// data are too large to count.
Status LearnContextualRules(const ResourceLines& lines, const Corpus& corpus,
                            const ContextualLearnOptions& options, const ProgressCallback& progress,
                            ContextualLearnResult* result);

struct PruneResult {
  std::vector<std::string> lines;  // the rules kept, in order
  size_t tokens = 0;               // held-out tokens
  size_t no_rules_correct = 0;     // right without contextual rules
  size_t all_rules_correct = 0;    // right with every learned rule
  size_t kept_rules_correct = 0;   // right with the rules kept
};

// Tags held with the real tagger (lexicon, tag set and lexical rules of base, contextual
// rules from rules) and drops, from the last rule to the first, every rule whose removal
// tags held better; repeats until no rule is dropped.
// lookup_forms: held holds lookup forms, tagged as the default lookup reads them.
PruneResult PruneContextualRules(const ResourceLines& base, const std::vector<std::string>& rules,
                                 const Corpus& held, bool lookup_forms,
                                 const ProgressCallback& progress);

}  // namespace quillon

#endif  // QUILLON_TRAIN_CONTEXTUAL_LEARNER_H_
