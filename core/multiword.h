// Multi-word marks: tokens that together form an expression of the multi-word list
// ("in spite of<TAB>IN") are written with "_M<label>" after their tag. The first word of
// an expression matches the token lower-cased (ASCII letters only), the others exactly.
// Expressions are indexed by their first word; a later match overwrites an earlier one's
// mark, so a token keeps the mark of the match with the largest start and, within it, of
// the last entry of the file. Tested by multiword_test.cc and the end-to-end tests.
#ifndef QUILLON_CORE_MULTIWORD_H_
#define QUILLON_CORE_MULTIWORD_H_

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/run_observer.h"
#include "core/string_id_map.h"

namespace quillon {

inline constexpr size_t kMaxMultiwordWords = 41;

// Skipped lines are named one by one up to this many; after that only counted.
inline constexpr size_t kMaxMultiwordWarnings = 10;

class MultiwordTable {
 public:
  // Builds the table from the lines of the list. A non-empty line without a tab, or with
  // an expression of more than 41 words, is skipped with a warning to observer (may be null).
  void Load(const std::vector<std::string>& lines, RunObserver* observer);

  // Marks of one sentence: annotation[i] is empty for an unmarked token.
  struct Marks {
    std::vector<const std::string*> annotation;
    std::string lowered;  // working space
  };

  // Fills marks for the tokens of one sentence.
  void MultiWord(std::span<const std::string_view> tokens, Marks* marks) const;

  size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::vector<std::string> words;
    std::string annotation;  // "_M<" label ">"
  };
  std::vector<Entry> entries_;
  StringIdMap first_words_;                      // first word -> id
  std::vector<std::vector<uint32_t>> by_first_;  // id -> entries, in file order
};

}  // namespace quillon

#endif  // QUILLON_CORE_MULTIWORD_H_
