// Open-addressing table from a key's codes to the row the bisection reaches.
// Tested by lexicon_test.cc.
#include "core/lexicon_index.h"

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
    Slot& slot = slots_[at];
    slot.prefix = Prefix(*codes);
    slot.length = static_cast<uint32_t>(codes->size());
    slot.row = row;
    if (codes->size() > 8) {
      offsets_[at] = static_cast<uint32_t>(arena_.size());
      arena_.append(*codes, 8);
    }
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

LexiconIndex::WordLookup LexiconIndex::StartWord(std::string_view word,
                                                 std::string* scratch) const {
  WordLookup lookup;
  if (word.size() <= 8) {
    // Short words, most of them: the codes fit one number and need no buffer.
    lookup.prefix = ShortCodes(word);
    lookup.hash = ShortHash(lookup.prefix, word.size());
  } else {
    scratch->clear();
    AppendCodes(word, scratch);
    lookup.prefix = Prefix(*scratch);
    lookup.hash = HashBytes(*scratch);
  }
  if (!slots_.empty()) __builtin_prefetch(&slots_[lookup.hash & mask_]);
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
  const Slot* slot = Probe(codes, lookup.prefix, lookup.hash);
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
