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
  // reaches, which is that row's number where it matters (0, 1, or 2 and above). The
  // index reads the keys of its long words from table, which must stay where it is
  // while the index is used.
  void Build(const LexiconTable& table);

  // Indexes any table searched by the same bisection: keys[i] is the key of row i. The
  // answers are row numbers.
  void Build(const std::vector<std::string_view>& keys);

  // Makes every search for word (by word, codes or digit key) answer value, in place of
  // what the bisection reaches: for entries that no row holds (see AppendEntry).
  void Set(std::string_view word, int value);

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
    uint64_t packed;  // what the word's slot holds in head and tail (tail 0 when long)
    uint64_t hash;
  };
  WordLookup StartWord(std::string_view word, std::string* scratch) const;
  // The row of word (the one StartWord was given), or -1.
  int EndWord(const WordLookup& lookup, std::string_view word, std::string* scratch) const;

  // The same for a digit key as Hash builds it.
  int Find(std::string_view key) const;

 private:
  // 12 bytes: the table is probed at random, once per token, and is of the order of the
  // lexicon file itself. Codes are 0 to 76, so a code plus one is never 0 and never has
  // its top bit set: a key of at most 8 codes is held whole as its codes plus one, zero
  // padded (the zeros give its length). A longer key holds its first 8 codes the same way
  // with the top bit of its fourth byte set, and is checked against the key of its entry
  // in the table; a long key the table does not hold (one given to Set, or an index built
  // from keys) also sets the top bit of its third byte and holds in its tail its place in
  // arena_, where its codes past the fourth are.
  struct Slot {
    uint32_t head = 0;  // codes 1-4, plus one
    uint32_t tail = 0;  // codes 5-8, plus one; a key of the arena: its place there
    int32_t row = -1;   // the answer; -1 marks an empty slot
  };
  static constexpr size_t kShortCodes = 8;
  static constexpr size_t kHeadCodes = 4;
  static constexpr uint32_t kLongKey = uint32_t{1} << 31;
  static constexpr uint32_t kArenaKey = uint32_t{1} << 23;
  // Where the probe for a hash starts, and the slot after at; the table's size is no power
  // of two, so the hash is scaled onto it.
  size_t Home(uint64_t hash) const {
    return static_cast<size_t>((static_cast<unsigned __int128>(hash) * capacity_) >> 64);
  }
  size_t Next(size_t at) const { return at + 1 == capacity_ ? 0 : at + 1; }
  // Does slot hold the key of these codes? packed is what a slot of that key holds in
  // head and tail (see Pack), unless the key is in the arena.
  bool Holds(const Slot& slot, std::string_view codes, uint64_t packed) const;
  // The same for a key of more than 8 codes, once the slot's head has matched.
  bool HoldsLong(const Slot& slot, std::string_view codes, uint64_t packed) const;
  // The codes of the key that slot holds.
  std::string CodesOf(const Slot& slot) const;
  // Build for a keyless table: keys from the words' codes.
  void BuildFromWords(const LexiconTable& table);
  // The row that the bisection over rows 0..count-1 reaches for the key of the sorted run of
  // rows [first, last].
  static int RowOfRun(int first, int last, int count);
  // Empties the index for about keys keys.
  void Reset(size_t keys);
  // Adds codes with value unless they are in already; true when added. A long key is
  // checked against the table's entry value (in_table) or kept in the arena.
  bool Insert(std::string_view codes, int value, bool in_table);
  // Appends the codes of a long key past the fourth to the arena; returns their place.
  uint32_t AddToArena(std::string_view codes);
  // The codes past the fourth of the arena's key at place.
  std::string_view ArenaCodes(uint32_t place) const;
  bool Has(std::string_view codes) const;
  // Doubles the table, placing every key again.
  void Grow();
  const Slot* Probe(std::string_view codes) const;
  // codes is only read past its first 8 bytes; packed is their Pack.
  const Slot* Probe(std::string_view codes, uint64_t packed, uint64_t hash) const;

  HugePageBuffer<Slot> slots_;
  std::string arena_;
  const LexiconTable* table_ = nullptr;  // the table of Build(table)
  size_t capacity_ = 0;                  // slots_.size()
  size_t used_ = 0;                      // slots that hold a key
};

// A fast, well-mixed hash of bytes.
uint64_t HashBytes(std::string_view bytes);

}  // namespace quillon

#endif  // QUILLON_CORE_LEXICON_INDEX_H_
