// Learning unknown-word lexical rules by error-driven transformation learning. The
// learning data are the words of a held-out corpus that the lexicon does not know, each
// starting with the tag of its sentinel row (NNP for a capital A-Z first letter, NN
// otherwise). The tagger runs the rule file in two passes: plain rules first, where the
// first matching rule that is not "char" decides; then f-form rules, each a transformation
// of the current tag applied in file order. Learning f-form rules greedily, the best rule
// on the current tags at each step, is therefore exact: the score of a rule is the change
// in correct tags that appending it to the file makes. Plain rules are learned first as a
// decision list and kept only when the rule file with them tags the learning data better
// than the file without them.
// Tested by lexical_learner_test.cc.
#ifndef QUILLON_TRAIN_LEXICAL_LEARNER_H_
#define QUILLON_TRAIN_LEXICAL_LEARNER_H_

#include <string>
#include <vector>

#include "core/status.h"
#include "train/corpus.h"
#include "train/learn_progress.h"
#include "train/learning_resources.h"
#include "train/lexicon_builder.h"

namespace quillon {

struct LexicalLearnOptions {
  int max_rules = 200;        // rules in the file, plain and f-form together
  int min_score = 2;          // a rule must fix at least this many more tags than it breaks
  int max_plain_rules = 30;   // plain rules tried before the f-form rules; 0 for none
  int max_affix = 4;          // longest affix, in bytes
  bool lookup_forms = false;  // the folds hold lookup forms: tag them as the default lookup
  // Each unknown word counts once per fold with each gold tag (ForEachUnknownToken).
  bool once_per_word = false;
};

struct LexicalLearnResult {
  std::vector<std::string> lines;  // the rule file, in order
  size_t plain_rules = 0;
  size_t fform_rules = 0;
  size_t tokens = 0;              // unknown words in the learning data
  size_t start_correct = 0;       // of them, right with their start tags
  size_t predicted_correct = 0;   // right after the rules, as the learner predicts
  size_t fform_only_correct = 0;  // right with f-form rules alone (same rule budget)
  size_t with_plain_correct = 0;  // right with plain rules first (0 when none were tried)
};

// A held-out part of the training data and the lexicon built without it: the words of
// held that lexicon does not know are realistic unknown words.
struct LexicalFold {
  std::vector<std::string> lexicon;
  Corpus held;
};

// The corpus dealt into `folds` held-out parts, each with a lexicon (built with wordlist
// and options) of the other parts; with one fold, the `holdout` share of the sentences
// held out of a lexicon of the rest.
std::vector<LexicalFold> MakeLexicalFolds(const Corpus& corpus, int folds, double holdout,
                                          uint64_t seed, const std::vector<WordListEntry>& wordlist,
                                          const LexiconBuildOptions& options);

// What the tagger makes of the unknown words of every fold with that fold's lexicon, the
// tag set and the rule lines: the number of such words and of those tagged right.
// The tokens counted are those the learner counts with options (lookup_forms,
// once_per_word).
void TagUnknownWords(const std::vector<std::string>& tagset, const std::vector<LexicalFold>& folds,
                     const std::vector<std::string>& rules, const LexicalLearnOptions& options,
                     size_t* unknown, size_t* correct);

// Learns one rule file for the unknown words of every fold, the rules to be read with
// tagset. Fails only when the data are too large to count.
Status LearnLexicalRules(const std::vector<std::string>& tagset,
                         const std::vector<LexicalFold>& folds, const LexicalLearnOptions& options,
                         const ProgressCallback& progress, LexicalLearnResult* result);

}  // namespace quillon

#endif  // QUILLON_TRAIN_LEXICAL_LEARNER_H_
