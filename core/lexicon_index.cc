// Open-addressing table from a key's codes to the row the bisection reaches.
// Tested by lexicon_test.cc.
#include "core/lexicon_index.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "core/byte_prefix.h"
#include "core/order_key.h"
#include "core/table_search.h"

namespace quillon {
namespace {

inline uint64_t Mix(uint64_t x) {
  x ^= x >> 32;
  x *= 0xd6e8feb86659fd93ULL;
  x ^= x >> 32;
  x *= 0xd6e8feb86659fd93ULL;
  x ^= x >> 32;
  return x;
}

// 0x01 in each of the first n bytes (n at most 8).
inline uint64_t Ones(size_t n) {
  return n >= 8 ? 0x0101010101010101ULL : 0x0101010101010101ULL & ((uint64_t{1} << (8 * n)) - 1);
}

// What a slot of the key of these codes holds in head (low half) and tail (high half):
// its first 8 codes plus one, with the long-key bit for a key of more than 8. prefix is
// BytePrefix(codes). Codes are at most 76, so adding one never carries.
inline uint64_t Pack(uint64_t prefix, size_t n) {
  if (n <= 8) return prefix + Ones(n);
  return (prefix + Ones(8)) | (uint64_t{1} << 31);
}

inline uint64_t ShortHash(uint64_t prefix, size_t n) {
  return Mix(prefix ^ (uint64_t{n} * 0x9e3779b97f4a7c15ULL));
}

// The hash of a key in the index: a short key's packed form holds its length already.
inline uint64_t KeyHash(std::string_view codes, uint64_t packed) {
  return codes.size() <= 8 ? Mix(packed) : HashBytes(codes);
}

// Each byte's code plus one, as a short key's slot holds it.
const std::array<uint8_t, 256> kCodesPlusOne = [] {
  std::array<uint8_t, 256> table{};
  for (int byte = 0; byte < 256; ++byte)
    table[byte] = KeyCode(static_cast<unsigned char>(byte)) + 1;
  return table;
}();

// The packed form of the key of a word of at most 8 bytes (see Pack).
inline uint64_t PackedShortWord(std::string_view word) {
  uint64_t packed = 0;
  for (size_t i = 0; i < word.size(); ++i) {
    packed |= uint64_t{kCodesPlusOne[static_cast<unsigned char>(word[i])]} << (8 * i);
  }
  return packed;
}

}  // namespace

uint64_t HashBytes(std::string_view bytes) {
  const size_t n = bytes.size();
  const char* p = bytes.data();
  if (n <= 8) return ShortHash(BytePrefix(bytes), n);
  uint64_t h = 0x9e3779b97f4a7c15ULL ^ n;
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t v;
    std::memcpy(&v, p + i, 8);
    h = Mix(h ^ v);
  }
  if (i < n) h = Mix(h ^ BytePrefix(bytes.substr(i)) ^ (uint64_t{n - i} << 56));
  return h;
}

void LexiconIndex::Reset(size_t keys) {
  // At most three quarters full, whatever the number of keys: a power of two would leave
  // up to half of a large table empty.
  const size_t capacity = std::max<size_t>(16, keys + keys / 3 + 1);
  slots_.Assign(capacity, Slot());
  arena_.clear();
  table_ = nullptr;
  capacity_ = capacity;
  used_ = 0;
}

bool LexiconIndex::Holds(const Slot& slot, std::string_view codes, uint64_t packed) const {
  if (codes.size() <= kShortCodes) {
    return slot.head == static_cast<uint32_t>(packed) && slot.tail == packed >> 32;
  }
  return (slot.head & ~kArenaKey) == static_cast<uint32_t>(packed) &&
         HoldsLong(slot, codes, packed);
}

bool LexiconIndex::HoldsLong(const Slot& slot, std::string_view codes, uint64_t packed) const {
  if ((slot.head & kArenaKey) == 0) {
    // The slot holds the first 8 codes of its entry's key.
    return slot.tail == packed >> 32 && table_->EntryHasCodes(slot.row, codes, kShortCodes);
  }
  return ArenaCodes(slot.tail) == codes.substr(kHeadCodes);
}

std::string LexiconIndex::CodesOf(const Slot& slot) const {
  std::string codes;
  const bool in_arena = (slot.head & kArenaKey) != 0;
  if ((slot.head & kLongKey) != 0 && !in_arena) {
    std::string key;
    return *CodesOfKey(table_->EntryKey(slot.row, &key));  // a word's key: valid
  }
  const uint64_t packed = slot.head | (uint64_t{slot.tail} << 32);
  const size_t held = in_arena ? kHeadCodes : kShortCodes;
  for (size_t i = 0; i < held; ++i) {
    const unsigned byte = (packed >> (8 * i)) & 0x7f;
    if (byte == 0) break;
    codes.push_back(static_cast<char>(byte - 1));
  }
  if (in_arena) codes.append(ArenaCodes(slot.tail));
  return codes;
}

std::string_view LexiconIndex::ArenaCodes(uint32_t place) const {
  // The length past the fourth code (one byte, or 255 and four bytes), then those codes.
  const char* rest = arena_.data() + place;
  uint32_t length = static_cast<unsigned char>(*rest++);
  if (length == 255) {
    std::memcpy(&length, rest, sizeof length);
    rest += sizeof length;
  }
  return std::string_view(rest, length);
}

uint32_t LexiconIndex::AddToArena(std::string_view codes) {
  // Keys are lines of at most kMaxLineBytes, and few keys are kept here (a user's own
  // words, the lemma list): the arena stays far below the 4 GB a tail can point into.
  assert(codes.size() > kShortCodes && arena_.size() < UINT32_MAX - 5 - codes.size());
  const uint32_t place = static_cast<uint32_t>(arena_.size());
  const uint32_t length = static_cast<uint32_t>(codes.size() - kHeadCodes);
  if (length < 255) {
    arena_.push_back(static_cast<char>(length));
  } else {
    arena_.push_back(static_cast<char>(255));
    arena_.append(reinterpret_cast<const char*>(&length), sizeof length);
  }
  arena_.append(codes.substr(kHeadCodes));
  return place;
}

bool LexiconIndex::Insert(std::string_view codes, int value, bool in_table) {
  const uint64_t packed = Pack(BytePrefix(codes), codes.size());
  size_t at = Home(KeyHash(codes, packed));
  // One pass: the key is either met on the way or its place is the first empty slot.
  for (; slots_[at].row >= 0; at = Next(at)) {
    if (Holds(slots_[at], codes, packed)) return false;
  }
  Slot& slot = slots_[at];
  slot.head = static_cast<uint32_t>(packed);
  slot.tail = static_cast<uint32_t>(packed >> 32);
  slot.row = value;
  if (codes.size() > kShortCodes && !in_table) {
    slot.head |= kArenaKey;
    slot.tail = AddToArena(codes);
  }
  ++used_;
  return true;
}

void LexiconIndex::Set(std::string_view word, int value) {
  std::string codes;
  AppendCodes(word, &codes);
  if (!slots_.empty()) {
    if (const Slot* found = Probe(codes)) {
      Slot* slot = const_cast<Slot*>(found);
      // A long key checked against the table moves to the arena: value need not be an
      // entry of that key.
      if ((slot->head & (kLongKey | kArenaKey)) == kLongKey) {
        slot->head |= kArenaKey;
        slot->tail = AddToArena(codes);
      }
      slot->row = value;
      return;
    }
  }
  // A new key: the table grows first when it would be more than four fifths full.
  if ((used_ + 1) * 5 > capacity_ * 4) Grow();
  Insert(codes, value, /*in_table=*/false);
}

void LexiconIndex::Grow() {
  struct Key {
    std::string codes;
    int value;
    bool in_table;
  };
  std::vector<Key> keys;
  keys.reserve(used_);
  for (size_t at = 0; at < capacity_; ++at) {
    const Slot& slot = slots_[at];
    if (slot.row >= 0) keys.push_back({CodesOf(slot), slot.row, (slot.head & kArenaKey) == 0});
  }
  // Twice the room: Reset leaves a quarter of it free.
  const LexiconTable* table = table_;
  Reset(std::max<size_t>(2 * capacity_ * 3 / 4, 16));
  table_ = table;
  for (const Key& key : keys) Insert(key.codes, key.value, key.in_table);
}

bool LexiconIndex::Has(std::string_view codes) const {
  return !slots_.empty() && Probe(codes) != nullptr;
}

void LexiconIndex::Build(const LexiconTable& table) {
  // A plain-form file's rows are sorted by key, and every key is a word's.
  if (table.keyless()) {
    BuildFromWords(table);
    return;
  }
  const int count = table.LexiconCount();
  // Keys of a plain-form file are built as they are read: each view lives in its own
  // scratch until the next read into that scratch.
  std::string scratch, other;
  auto key_at = [&](int i) { return table.Key(i, &scratch); };
  Reset(static_cast<size_t>(table.EntryCount()));
  table_ = &table;
  bool sorted = true;
  std::string previous;
  for (int i = 0; i < count && sorted; ++i) {
    const std::string_view key = key_at(i);
    sorted = i == 0 || std::string_view(previous) <= key;
    previous.assign(key);
  }
  if (!sorted) {
    // A prepared file out of order: the bisection is run for the key of each entry.
    for (int e = 0; e < table.EntryCount(); ++e) {
      const std::string_view key = table.EntryKey(e, &other);
      const std::optional<std::string> codes = CodesOfKey(key);
      if (!codes || Has(*codes)) continue;
      const int row = Bisect(key_at, 0, count - 1, key, -1);
      if (row >= 0) Insert(*codes, table.EntryOfRow(row), /*in_table=*/true);
    }
    return;
  }
  // In a sorted table each key holds a run of rows [first, last]: see RowOfRun.
  for (int first = 0; first < count;) {
    const std::string_view key = table.Key(first, &other);
    int last = first;
    while (last + 1 < count && key_at(last + 1) == key) ++last;
    if (const std::optional<std::string> codes = CodesOfKey(key)) {
      Insert(*codes, table.EntryOfRow(RowOfRun(first, last, count)), /*in_table=*/true);
    }
    first = last + 1;
  }
}

int LexiconIndex::RowOfRun(int first, int last, int count) {
  // Every probe of the bisection compares by its place to the run alone: it is replayed on
  // row numbers.
  int lo = 0, hi = count - 1;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    if (mid < first) {
      lo = mid + 1;
    } else if (mid > last) {
      hi = mid - 1;
    } else {
      return mid;
    }
  }
  assert(false && "a run of rows is always reached");
  return first;
}

void LexiconIndex::BuildFromWords(const LexiconTable& table) {
  const int count = table.LexiconCount();
  Reset(static_cast<size_t>(table.EntryCount()));
  table_ = &table;
  // A word's codes order as its key does, so the runs of equal keys are runs of equal
  // codes, and no digit key is built.
  std::string codes, next;
  auto codes_of_row = [&](int row, std::string* out) {
    out->clear();
    AppendCodes(table.KeylessEntryWord(table.EntryOfRow(row)), out);
  };
  if (count > 0) codes_of_row(0, &codes);
  for (int first = 0; first < count;) {
    int last = first;
    while (last + 1 < count) {
      codes_of_row(last + 1, &next);
      if (next != codes) break;
      ++last;
    }
    Insert(codes, table.EntryOfRow(RowOfRun(first, last, count)), /*in_table=*/true);
    codes.swap(next);
    first = last + 1;
  }
}

void LexiconIndex::Build(const std::vector<std::string_view>& keys) {
  const int count = static_cast<int>(keys.size());
  Reset(keys.size());
  auto key_at = [&](int i) { return keys[i]; };
  for (int i = 0; i < count; ++i) {
    const std::optional<std::string> codes = CodesOfKey(keys[i]);
    if (!codes || Has(*codes)) continue;  // the key of an earlier row
    const int row = Bisect(key_at, 0, count - 1, keys[i], -1);
    if (row >= 0) Insert(*codes, row, /*in_table=*/false);  // else the bisection misses it
  }
}

const LexiconIndex::Slot* LexiconIndex::Probe(std::string_view codes) const {
  const uint64_t packed = Pack(BytePrefix(codes), codes.size());
  return Probe(codes, packed, KeyHash(codes, packed));
}

const LexiconIndex::Slot* LexiconIndex::Probe(std::string_view codes, uint64_t packed,
                                              uint64_t hash) const {
  const uint32_t head = static_cast<uint32_t>(packed);
  if (codes.size() <= kShortCodes) {
    // Most words: a slot holds the key whole, and one comparison of 8 bytes decides.
    const uint32_t tail = static_cast<uint32_t>(packed >> 32);
    for (size_t at = Home(hash);; at = Next(at)) {
      const Slot& slot = slots_[at];
      if (slot.row < 0) return nullptr;
      if (slot.head == head && slot.tail == tail) return &slot;
    }
  }
  for (size_t at = Home(hash);; at = Next(at)) {
    const Slot& slot = slots_[at];
    if (slot.row < 0) return nullptr;
    if ((slot.head & ~kArenaKey) == head && HoldsLong(slot, codes, packed)) return &slot;
  }
}

int LexiconIndex::FindCodes(std::string_view codes) const {
  if (slots_.empty()) return -1;
  const Slot* slot = Probe(codes);
  return slot ? slot->row : -1;
}

void LexiconIndex::PrefetchWord(std::string_view word) const {
  if (slots_.empty() || word.size() > 8) return;
  __builtin_prefetch(&slots_[Home(Mix(PackedShortWord(word)))]);
}

LexiconIndex::WordLookup LexiconIndex::StartWord(std::string_view word,
                                                 std::string* scratch) const {
  WordLookup lookup;
  if (word.size() <= 8) {
    // Short words, most of them: the codes fit one number and need no buffer.
    lookup.packed = PackedShortWord(word);
    lookup.hash = Mix(lookup.packed);
  } else {
    scratch->clear();
    AppendCodes(word, scratch);
    lookup.packed = Pack(BytePrefix(*scratch), scratch->size());
    lookup.hash = KeyHash(*scratch, lookup.packed);
  }
  if (!slots_.empty()) __builtin_prefetch(&slots_[Home(lookup.hash)]);
  return lookup;
}

int LexiconIndex::EndWord(const WordLookup& lookup, std::string_view word,
                          std::string* scratch) const {
  if (slots_.empty()) return -1;
  std::string_view codes(word.data(), word.size());  // only its length is read when short
  if (word.size() > 8) {
    scratch->clear();
    AppendCodes(word, scratch);
    codes = *scratch;
  }
  const Slot* slot = Probe(codes, lookup.packed, lookup.hash);
  return slot ? slot->row : -1;
}

int LexiconIndex::FindWord(std::string_view word, std::string* scratch) const {
  return EndWord(StartWord(word, scratch), word, scratch);
}

int LexiconIndex::Find(std::string_view key) const {
  const std::optional<std::string> codes = CodesOfKey(key);
  return codes ? FindCodes(*codes) : -1;
}

}  // namespace quillon
