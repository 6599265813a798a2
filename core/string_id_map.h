// A small read-mostly map from byte strings to dense ids, for the words that rules name.
// Open addressing over a power-of-two table: a lookup is one hash and, usually, one probe.
// Tested through rules_test.cc.
#ifndef QUILLON_CORE_STRING_ID_MAP_H_
#define QUILLON_CORE_STRING_ID_MAP_H_

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_prefix.h"
#include "core/lexicon_index.h"

namespace quillon {

class StringIdMap {
 public:
  static constexpr uint32_t kAbsent = UINT32_MAX - 1;

  // Returns the id of s, giving it the next id when it is new.
  uint32_t Add(std::string_view s) {
    if (uint32_t id = Find(s); id != kAbsent) return id;
    if ((strings_.size() + 1) * 2 > slots_.size()) Grow();
    strings_.emplace_back(s);
    Insert(static_cast<uint32_t>(strings_.size() - 1));
    return static_cast<uint32_t>(strings_.size() - 1);
  }

  // The id of s, or kAbsent.
  uint32_t Find(std::string_view s) const {
    if (slots_.empty()) return kAbsent;
    const uint64_t hash = HashBytes(s);
    const uint64_t prefix = BytePrefix(s);
    for (size_t at = hash & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[at];
      if (slot.id == kEmpty) return kAbsent;
      // Most words are at most 8 bytes: prefix and length decide without the string.
      if (slot.prefix == prefix && slot.length == s.size() &&
          (s.size() <= 8 || strings_[slot.id] == s)) {
        return slot.id;
      }
    }
  }

  // The string that has id.
  std::string_view String(uint32_t id) const { return strings_[id]; }

  size_t size() const { return strings_.size(); }

 private:
  static constexpr uint32_t kEmpty = UINT32_MAX;
  struct Slot {
    uint64_t prefix = 0;  // the first 8 bytes, zero padded
    uint32_t length = 0;
    uint32_t id = kEmpty;
  };

  void Insert(uint32_t id) {
    const std::string& s = strings_[id];
    size_t at = HashBytes(s) & (slots_.size() - 1);
    while (slots_[at].id != kEmpty) at = (at + 1) & (slots_.size() - 1);
    slots_[at] = {BytePrefix(s), static_cast<uint32_t>(s.size()), id};
  }
  void Grow() {
    slots_.assign(slots_.empty() ? 16 : slots_.size() * 2, Slot());
    for (uint32_t id = 0; id < strings_.size(); ++id) Insert(id);
  }

  std::deque<std::string> strings_;
  std::vector<Slot> slots_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_STRING_ID_MAP_H_
