// Open-addressing table from order key to the row the bisection reaches.
// Tested by lexicon_index_test.cc.
#include "core/lexicon_index.h"

#include <cstring>

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

inline uint64_t Load64(const char* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

}  // namespace

uint64_t HashBytes(std::string_view bytes) {
  uint64_t h = 0x9e3779b97f4a7c15ULL ^ bytes.size();
  const char* p = bytes.data();
  size_t n = bytes.size();
  while (n >= 8) {
    h = Mix(h ^ Load64(p));
    p += 8;
    n -= 8;
  }
  if (n > 0) {
    uint64_t tail = 0;
    std::memcpy(&tail, p, n);
    h = Mix(h ^ tail ^ (uint64_t{n} << 56));
  }
  return Mix(h);
}

void LexiconIndex::Build(const LexiconTable& table) {
  const int count = table.LexiconCount();
  size_t capacity = 16;
  while (capacity < static_cast<size_t>(count) * 2) capacity *= 2;
  slots_.assign(capacity, Slot());
  mask_ = capacity - 1;
  auto key_at = [&](int i) { return table.row(i).Key; };
  for (int i = 0; i < count; ++i) {
    const std::string_view key = table.row(i).Key;
    const uint64_t hash = HashBytes(key);
    size_t at = hash & mask_;
    bool seen = false;
    while (slots_[at].key != nullptr) {
      if (slots_[at].hash == hash && std::string_view(slots_[at].key, slots_[at].length) == key) {
        seen = true;
        break;
      }
      at = (at + 1) & mask_;
    }
    if (seen) continue;
    Slot& slot = slots_[at];
    slot.hash = hash;
    slot.key = key.data() ? key.data() : "";
    slot.length = static_cast<uint32_t>(key.size());
    slot.row = Bisect(key_at, 0, count - 1, key, -1);
  }
}

int LexiconIndex::Find(std::string_view key) const {
  if (slots_.empty()) return -1;
  const uint64_t hash = HashBytes(key);
  size_t at = hash & mask_;
  while (slots_[at].key != nullptr) {
    const Slot& slot = slots_[at];
    if (slot.hash == hash && slot.length == key.size() &&
        (key.empty() || std::memcmp(slot.key, key.data(), key.size()) == 0)) {
      return slot.row;
    }
    at = (at + 1) & mask_;
  }
  return -1;
}

}  // namespace quillon
