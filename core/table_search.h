// The three bisection searches over tables sorted by order key. They share one algorithm
// and differ in the table they search, the slot they write and the value for "absent".
// When several rows carry a key, the result is whichever the probing reaches first; a
// table whose rows are out of order is probed exactly as it stands.
// Tested by lexicon_test.cc (LexiconIndexTest) and differential_test.cc.
#ifndef QUILLON_CORE_TABLE_SEARCH_H_
#define QUILLON_CORE_TABLE_SEARCH_H_

#include <string>
#include <string_view>

namespace quillon {

// Where the key builder and the searches leave their results.
struct LookupSlots {
  std::string CurrentKey;  // written by Hash (see SetKey)
  int FoundIndex = 0;      // written by BinarySearch; 0 when absent
  int LookupIndex = -1;    // written by BiSearch and BiSearch3; -1 when absent
};

// Bisection over rows lo..hi: returns the row whose key equals key, or absent.
// key_at(i) gives the key of row i. The midpoint rounds toward zero.
template <typename KeyAt>
int Bisect(const KeyAt& key_at, int lo, int hi, std::string_view key, int absent) {
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int order = std::string_view(key_at(mid)).compare(key);
    if (order == 0) return mid;
    if (order > 0) {
      hi = mid - 1;
    } else {
      lo = mid + 1;
    }
  }
  return absent;
}

}  // namespace quillon

#endif  // QUILLON_CORE_TABLE_SEARCH_H_
