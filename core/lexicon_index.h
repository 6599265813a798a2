// A precomputed answer to every lexicon search. The bisection over the lexicon table is
// deterministic, so for each key that occurs in the table the row it reaches is fixed; it
// is computed once here, and a search becomes one hash probe. A key that occurs in no row
// can never be found by the bisection, so it is absent here too. The result is exactly
// that of BinarySearch / BiSearch over rows 0..LexiconCount-1, even for a table whose rows
// are out of order. Tested by lexicon_index_test.cc and the differential test.
#ifndef QUILLON_CORE_LEXICON_INDEX_H_
#define QUILLON_CORE_LEXICON_INDEX_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/lexicon.h"

namespace quillon {

class LexiconIndex {
 public:
  // Indexes table, which must outlive this index.
  void Build(const LexiconTable& table);

  // The row the bisection reaches for key, or -1 when it finds none.
  int Find(std::string_view key) const;

 private:
  struct Slot {
    uint64_t hash = 0;
    const char* key = nullptr;
    uint32_t length = 0;
    int32_t row = -1;  // -1 marks an empty slot
  };
  std::vector<Slot> slots_;
  uint64_t mask_ = 0;
};

// A fast, well-mixed hash of bytes (not the order key, which the module calls Hash).
uint64_t HashBytes(std::string_view bytes);

}  // namespace quillon

#endif  // QUILLON_CORE_LEXICON_INDEX_H_
