// Open-addressing table from a key's codes to the row the bisection reaches.
// Tested by lexicon_test.cc.
#include "core/lexicon_index.h"

#include <algorithm>
#include <cstring>
#include <optional>

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

// The first 8 bytes as a little-endian number, zero padded.
inline uint64_t Prefix(std::string_view bytes) {
  uint64_t v;
  if (bytes.size() >= 8) {
    std::memcpy(&v, bytes.data(), 8);
    return v;
  }
  v = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    v |= uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
  }
  return v;
}

inline uint64_t ShortHash(uint64_t prefix, size_t n) {
  return Mix(prefix ^ (uint64_t{n} * 0x9e3779b97f4a7c15ULL));
}

// The codes of a digit key, or nothing when no word has that key.
std::optional<std::string> CodesOfKey(std::string_view key) {
  if (key.size() % 2 != 0) return std::nullopt;
  std::string codes(key.size() / 2, '\0');
  for (size_t i = 0; i < codes.size(); ++i) {
    const char hi = key[2 * i], lo = key[2 * i + 1];
    if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return std::nullopt;
    const int code = (hi - '0') * 10 + (lo - '0');
    if (code > 76) return std::nullopt;
    codes[i] = static_cast<char>(code);
  }
  return codes;
}

}  // namespace

uint64_t HashBytes(std::string_view bytes) {
  const size_t n = bytes.size();
  const char* p = bytes.data();
  if (n <= 8) return ShortHash(Prefix(bytes), n);
  uint64_t h = 0x9e3779b97f4a7c15ULL ^ n;
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t v;
    std::memcpy(&v, p + i, 8);
    h = Mix(h ^ v);
  }
  if (i < n) h = Mix(h ^ Prefix(bytes.substr(i)) ^ (uint64_t{n - i} << 56));
  return h;
}

void LexiconIndex::Build(const LexiconTable& table) {
  std::vector<std::string_view> keys(table.LexiconCount());
  for (int i = 0; i < table.LexiconCount(); ++i) keys[i] = table.row(i).Key;
  Build(keys);
}

void LexiconIndex::Build(const std::vector<std::string_view>& keys) {
  const int count = static_cast<int>(keys.size());
  size_t capacity = 16;
  while (capacity < static_cast<size_t>(count) + static_cast<size_t>(count) / 4) capacity *= 2;
  slots_.Assign(capacity, Slot());
  offsets_.assign(capacity, 0);
  arena_.clear();
  mask_ = capacity - 1;
  used_ = 0;
  auto key_at = [&](int i) { return keys[i]; };
  for (int i = 0; i < count; ++i) {
    const std::string_view key = keys[i];
    const std::optional<std::string> codes = CodesOfKey(key);
    if (!codes) continue;
    const uint64_t hash = HashBytes(*codes);
    if (Probe(*codes, hash) != nullptr) continue;  // the key of an earlier row
    const int row = Bisect(key_at, 0, count - 1, key, -1);
    if (row < 0) continue;  // the bisection misses it: absent
    size_t at = hash & mask_;
    while (slots_[at].row >= 0) at = (at + 1) & mask_;
    Place(at, *codes, row);
  }
}

void LexiconIndex::Set(std::string_view word, int row) {
  std::string codes;
  AppendCodes(word, &codes);
  const uint64_t hash = HashBytes(codes);
  if (const Slot* found = Probe(codes, hash)) {
    const_cast<Slot*>(found)->row = row;
    return;
  }
  // A new key: grow first when the table would be more than four fifths full.
  if ((used_ + 1) * 5 > slots_.size() * 4) Grow();
  size_t at = hash & mask_;
  while (slots_[at].row >= 0) at = (at + 1) & mask_;
  Place(at, codes, row);
}

void LexiconIndex::Grow() {
  HugePageBuffer<Slot> old_slots = std::move(slots_);
  const std::vector<uint32_t> old_offsets = std::move(offsets_);
  const std::string old_arena = std::move(arena_);
  const size_t capacity = std::max<size_t>(16, 2 * old_slots.size());
  slots_.Assign(capacity, Slot());
  offsets_.assign(capacity, 0);
  arena_.clear();
  mask_ = capacity - 1;
  used_ = 0;
  std::string codes;
  for (size_t i = 0; i < old_slots.size(); ++i) {
    const Slot& slot = old_slots[i];
    if (slot.row < 0) continue;
    codes.assign(reinterpret_cast<const char*>(&slot.prefix), std::min<size_t>(slot.length, 8));
    if (slot.length > 8) codes.append(old_arena, old_offsets[i], slot.length - 8);
    size_t at = HashBytes(codes) & mask_;
    while (slots_[at].row >= 0) at = (at + 1) & mask_;
    Place(at, codes, slot.row);
  }
}

void LexiconIndex::Place(size_t at, std::string_view codes, int row) {
  ++used_;
  Slot& slot = slots_[at];
  slot.prefix = Prefix(codes);
  slot.length = static_cast<uint32_t>(codes.size());
  slot.row = row;
  if (codes.size() > 8) {
    offsets_[at] = static_cast<uint32_t>(arena_.size());
    arena_.append(codes, 8);
  }
}

const LexiconIndex::Slot* LexiconIndex::Probe(std::string_view codes, uint64_t hash) const {
  return Probe(codes, Prefix(codes), hash);
}

const LexiconIndex::Slot* LexiconIndex::Probe(std::string_view codes, uint64_t prefix,
                                              uint64_t hash) const {
  for (size_t at = hash & mask_;; at = (at + 1) & mask_) {
    const Slot& slot = slots_[at];
    if (slot.row < 0) return nullptr;
    if (slot.prefix == prefix && slot.length == codes.size() &&
        (codes.size() <= 8 ||
         std::memcmp(arena_.data() + offsets_[at], codes.data() + 8, codes.size() - 8) == 0)) {
      return &slot;
    }
  }
}

int LexiconIndex::FindCodes(std::string_view codes) const {
  if (slots_.empty()) return -1;
  const Slot* slot = Probe(codes, HashBytes(codes));
  return slot ? slot->row : -1;
}

namespace {

// The codes of a word of at most 8 bytes, as one number.
inline uint64_t ShortCodes(std::string_view word) {
  uint64_t prefix = 0;
  for (size_t i = 0; i < word.size(); ++i) {
    prefix |= uint64_t{KeyCode(static_cast<unsigned char>(word[i]))} << (8 * i);
  }
  return prefix;
}

}  // namespace

void LexiconIndex::PrefetchWord(std::string_view word) const {
  if (slots_.empty() || word.size() > 8) return;
  const uint64_t hash = ShortHash(ShortCodes(word), word.size());
  __builtin_prefetch(&slots_[hash & mask_]);
}

int LexiconIndex::FindWord(std::string_view word, std::string* scratch) const {
  if (word.size() <= 8) {
    // Short words, most of them: the codes fit one number and need no buffer.
    if (slots_.empty()) return -1;
    const uint64_t prefix = ShortCodes(word);
    const std::string_view length_only(word.data(), word.size());
    const Slot* slot = Probe(length_only, prefix, ShortHash(prefix, word.size()));
    return slot ? slot->row : -1;
  }
  scratch->clear();
  AppendCodes(word, scratch);
  return FindCodes(*scratch);
}

int LexiconIndex::Find(std::string_view key) const {
  const std::optional<std::string> codes = CodesOfKey(key);
  return codes ? FindCodes(*codes) : -1;
}

}  // namespace quillon
