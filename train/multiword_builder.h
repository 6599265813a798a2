// Builds the multi-word list (lines "expression<TAB>label") from evidence in a CoNLL-U
// corpus. Two sources:
//   1. fixed expressions: a word with dependents of relation "fixed" right after it
//      ("because of", "as well as"), seen at least min_fixed_count times; the label is the
//      Penn tag of the expression's function, from the relation of its first word (case
//      and mark: IN, cc: CC, advmod: RB, a nominal relation: PRP as in "each other");
//   2. multi-word adverbs of WordNet ("at least", "in fact") that occur in the corpus at
//      least min_adverb_count times and there form a phrase of their own at least half of
//      the time (one word of the span has its head outside it, and that word is not a
//      personal pronoun, so "to it" is left out); label RB, or CC for coordinating uses
//      ("let alone").
// Then the extra entries given (hand-written "expression<TAB>label" lines) that neither
// source has. The first word is written in lower case, so a capitalised sentence start
// matches too. Entries are ordered by word count, then bytes: a longer expression comes
// after the shorter ones it contains, so its mark is the one that stays.
// Tested by list_builders_test.cc.
#ifndef QUILLON_TRAIN_MULTIWORD_BUILDER_H_
#define QUILLON_TRAIN_MULTIWORD_BUILDER_H_

#include <cstddef>
#include <string>
#include <vector>

#include "train/corpus.h"

namespace quillon {

struct MultiwordBuildOptions {
  int min_fixed_count = 2;
  int min_adverb_count = 3;
};

struct MultiwordStats {
  size_t fixed = 0;    // entries from fixed expressions
  size_t adverbs = 0;  // entries from WordNet adverbs
  size_t extra = 0;    // entries from the extra lines
  size_t entries = 0;
};

// adverbs: WordNet adverb lemmas (words joined by "_"; single words are ignored).
std::vector<std::string> BuildMultiwordLines(const Corpus& corpus,
                                             const std::vector<std::string>& adverbs,
                                             const std::vector<std::string>& extra_lines,
                                             const MultiwordBuildOptions& options,
                                             MultiwordStats* stats);

}  // namespace quillon

#endif  // QUILLON_TRAIN_MULTIWORD_BUILDER_H_
