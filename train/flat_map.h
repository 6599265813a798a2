// An open-addressing hash map from 64-bit keys to 32-bit counts, for the learners' score
// tables, which hold hundreds of thousands of small entries and are probed millions of
// times; std::unordered_map spends most of that time allocating nodes. Keys are any value
// but kEmpty. Iteration order is unspecified: callers that pick a best entry break ties by
// the entry's content, so their results never depend on it.
// Tested through the learners' tests.
#ifndef QUILLON_TRAIN_FLAT_MAP_H_
#define QUILLON_TRAIN_FLAT_MAP_H_

#include <cassert>
#include <cstdint>
#include <vector>

namespace quillon {

class FlatMap64 {
 public:
  static constexpr uint64_t kEmpty = ~uint64_t{0};

  FlatMap64() { Rehash(16); }

  // The value of key, or nullptr when key is absent.
  int32_t* Find(uint64_t key) {
    size_t at = Slot(key);
    while (keys_[at] != kEmpty) {
      if (keys_[at] == key) return &values_[at];
      at = (at + 1) & mask_;
    }
    return nullptr;
  }
  int32_t Get(uint64_t key) const {
    size_t at = Slot(key);
    while (keys_[at] != kEmpty) {
      if (keys_[at] == key) return values_[at];
      at = (at + 1) & mask_;
    }
    return 0;
  }

  // The value of key, inserted as 0 when absent.
  int32_t& operator[](uint64_t key) {
    assert(key != kEmpty);
    if ((size_ + 1) * 4 > keys_.size() * 3) Rehash(keys_.size() * 2);
    size_t at = Slot(key);
    while (keys_[at] != kEmpty) {
      if (keys_[at] == key) return values_[at];
      at = (at + 1) & mask_;
    }
    keys_[at] = key;
    values_[at] = 0;
    ++size_;
    return values_[at];
  }

  // Calls visit(key, value) for every entry.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    for (size_t i = 0; i < keys_.size(); ++i) {
      if (keys_[i] != kEmpty) visit(keys_[i], values_[i]);
    }
  }

  size_t size() const { return size_; }

 private:
  static uint64_t Mix(uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
  }
  size_t Slot(uint64_t key) const { return static_cast<size_t>(Mix(key)) & mask_; }

  void Rehash(size_t capacity) {
    std::vector<uint64_t> old_keys(capacity, kEmpty);
    std::vector<int32_t> old_values(capacity, 0);
    old_keys.swap(keys_);
    old_values.swap(values_);
    mask_ = capacity - 1;
    for (size_t i = 0; i < old_keys.size(); ++i) {
      if (old_keys[i] == kEmpty) continue;
      size_t at = Slot(old_keys[i]);
      while (keys_[at] != kEmpty) at = (at + 1) & mask_;
      keys_[at] = old_keys[i];
      values_[at] = old_values[i];
    }
  }

  std::vector<uint64_t> keys_;
  std::vector<int32_t> values_;
  size_t size_ = 0;
  size_t mask_ = 0;
};

}  // namespace quillon

#endif  // QUILLON_TRAIN_FLAT_MAP_H_
