// A precomputed answer to every lexicon search. The bisection over the lexicon table is
// deterministic, so for each key that occurs in the table the row it reaches is fixed; it
// is computed once here, and a search becomes one hash probe. A key that occurs in no row
// can never be found by the bisection, so it is absent here too. The result is exactly
// that of BinarySearch / BiSearch over rows 0..LexiconCount-1, even for a table whose rows
// are out of order.
//
// Keys are held in their compact form, one code byte per word byte (see AppendCodes), so a
// word is looked up without building its digit key; keys in the table that no word can
// have (odd length, a pair above 76, other bytes) are left out, since no lookup can hit them.
// Tested by lexicon_test.cc and the differential test.
#ifndef QUILLON_CORE_LEXICON_INDEX_H_
#define QUILLON_CORE_LEXICON_INDEX_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/huge_page_buffer.h"
#include "core/lexicon.h"

namespace quillon {

class LexiconIndex {
 public:
  // Indexes table. The answers are entries: table.EntryOfRow of the row the bisection
  // reaches, which is that row's number where it matters (0, 1, or 2 and above).
  void Build(const LexiconTable& table);

  // Indexes any table searched by the same bisection: keys[i] is the key of row i. The
  // answers are row numbers.
  void Build(const std::vector<std::string_view>& keys);

  // The answer for the word whose codes are given, or -1.
  int FindCodes(std::string_view codes) const;

  // The same for a word; scratch is working space (words of more than 8 bytes).
  int FindWord(std::string_view word, std::string* scratch) const;

  // Asks the cache for the slot where the lookup of a word of at most 8 bytes will start.
  void PrefetchWord(std::string_view word) const;

  // A word's lookup in two halves: StartWord hashes the word's codes and asks the cache
  // for the slot where the lookup will start, EndWord probes. Starting the lookups of a
  // sentence's tokens before ending the first overlaps their memory latency.
  struct WordLookup {
    uint64_t prefix;  // the first 8 codes
    uint64_t hash;
  };
  WordLookup StartWord(std::string_view word, std::string* scratch) const;
  // The row of word (the one StartWord was given), or -1.
  int EndWord(const WordLookup& lookup, std::string_view word, std::string* scratch) const;

  // The same for a digit key as Hash builds it.
  int Find(std::string_view key) const;

 private:
  // 16 bytes, four to a cache line: the table is probed at random, once per token.
  struct Slot {
    uint64_t prefix = 0;  // the first 8 code bytes, zero padded
    uint32_t length = 0;
    int32_t row = -1;  // the answer; -1 marks an empty slot
  };
  const Slot* Probe(std::string_view codes, uint64_t hash) const;
  // Empties the index for about keys keys.
  void Reset(size_t keys);
  // Adds codes with value unless they are in already; true when added.
  bool Insert(std::string_view codes, int value);
  bool Has(std::string_view codes) const;
  // codes is only read past its first 8 bytes; prefix holds those.
  const Slot* Probe(std::string_view codes, uint64_t prefix, uint64_t hash) const;

  HugePageBuffer<Slot> slots_;
  std::vector<uint32_t> offsets_;  // per slot: where codes past the first 8 are in arena_
  std::string arena_;
  uint64_t mask_ = 0;
};

// A fast, well-mixed hash of bytes.
uint64_t HashBytes(std::string_view bytes);

}  // namespace quillon

#endif  // QUILLON_CORE_LEXICON_INDEX_H_
