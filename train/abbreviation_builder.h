// Builds the ignore list: abbreviations, written without their final period, that the
// tokenizer keeps whole with it ("Mr" keeps "Mr." one token). An entry helps where the
// text has the abbreviation and hurts where the word ends a sentence ("He sat."), since the
// lookup ignores case and would glue that period to the word. So a word x is listed when a
// tokenised corpus shows it as the token "x." (A times) clearly more often than as the
// token x followed by a period token (B times): A >= 5 B for an ordinary English word (one
// of `ordinary`, in lower case, that the corpus also writes in small letters), whose
// sentence-final uses a corpus undercounts; for any other word A > C, where C counts only
// the B cases where a capitalised word follows, since corpora whose tokenizer cuts the
// period off abbreviations give "Feb . 19" and "Corp . ," where no sentence ends.
//   - corpus words: A >= min_count as well;
//   - common abbreviations given by hand (titles, months, states, ...): the list itself is
//     evidence, so A > C suffices even for an ordinary word ("Prof"); when the corpus never
//     has "x.", listed unless x is an ordinary word ("Me" for Maine, "Wash").
// Only words the tokenizer can give before a period are candidates: letters, digits and
// inner periods, at least one letter. Counts ignore case; an entry is spelt as the corpus
// spells it most often, or as the common list does.
// Tested by list_builders_test.cc.
#ifndef QUILLON_TRAIN_ABBREVIATION_BUILDER_H_
#define QUILLON_TRAIN_ABBREVIATION_BUILDER_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "train/corpus.h"

namespace quillon {

struct AbbreviationStats {
  size_t from_corpus = 0;
  size_t from_common = 0;      // common entries listed that the corpus rule did not give
  size_t common_rejected = 0;  // common entries left out
  size_t entries = 0;
};

inline constexpr size_t kOrdinaryWordRatio = 5;

// True when the tokenizer can give word followed by a period token: see above.
bool IsAbbreviationCandidate(std::string_view word);

// The entries, in byte order of their lower-cased form.
std::vector<std::string> BuildAbbreviationLines(const Corpus& corpus,
                                                const std::vector<std::string>& common,
                                                const std::unordered_set<std::string>& ordinary,
                                                int min_count, AbbreviationStats* stats);

}  // namespace quillon

#endif  // QUILLON_TRAIN_ABBREVIATION_BUILDER_H_
