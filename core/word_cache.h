// What the tagger found for the short words it met lately: the lexicon row of a word and
// the value the contextual rules read for it. Both depend on the word's bytes alone once
// the resources are loaded, and running text repeats a few thousand words most of the
// time, so a small table of them, kept by each tagger, answers most tokens from its own
// cache lines instead of computing the word's order key and probing the lexicon index,
// whose slots are spread over megabytes that every thread reads.
// Direct-mapped: a word takes the one slot its bytes hash to, replacing what was there.
// Tested by word_cache_test.cc and, through the tagger, differential_test.cc.
#ifndef QUILLON_CORE_WORD_CACHE_H_
#define QUILLON_CORE_WORD_CACHE_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/byte_prefix.h"

namespace quillon {

class WordCache {
 public:
  // Words longer than this are not kept: their bytes would not fit two numbers.
  static constexpr size_t kMaxBytes = 16;
  // Values up to this fit an entry beside the word's length (larger ones are not kept).
  static constexpr uint32_t kMaxValue = (uint32_t{1} << 27) - 1;

  struct Found {
    int row;         // the lexicon row, or -1 when the lexicon lacks the word
    uint32_t value;  // the contextual rules' value of the word
  };

  // 8,192 entries of 24 bytes: 192 KB, well inside a core's second-level cache.
  WordCache() : entries_(size_t{1} << kBits) {}

  // Whether word is kept, and then what was stored for it.
  bool Find(std::string_view word, Found* found) const {
    if (word.empty() || word.size() > kMaxBytes) return false;
    const Key key = KeyOf(word);
    const Entry& entry = entries_[Slot(key, word.size())];
    if (entry.low != key.low || entry.high != key.high ||
        (entry.length_and_value & kLengthMask) != word.size()) {
      return false;
    }
    *found = {entry.row, entry.length_and_value >> kLengthBits};
    return true;
  }

  // Keeps what was found for word (nothing when it does not fit an entry).
  void Store(std::string_view word, Found found) {
    // A value too large to pack is not kept: the word is looked up again when met.
    if (word.empty() || word.size() > kMaxBytes || found.value > kMaxValue) return;
    const Key key = KeyOf(word);
    Entry& entry = entries_[Slot(key, word.size())];
    entry.low = key.low;
    entry.high = key.high;
    entry.row = found.row;
    entry.length_and_value = found.value << kLengthBits | static_cast<uint32_t>(word.size());
  }

 private:
  static constexpr int kBits = 13;
  static constexpr int kLengthBits = 5;
  static constexpr uint32_t kLengthMask = (uint32_t{1} << kLengthBits) - 1;

  // The word's bytes 1-8 and 9-16, each little-endian and zero padded.
  struct Key {
    uint64_t low;
    uint64_t high;
  };
  struct Entry {
    uint64_t low = 0;
    uint64_t high = 0;
    int32_t row = 0;
    uint32_t length_and_value = 0;  // value << 5 | length; length 0: an empty entry
  };

  static Key KeyOf(std::string_view word) {
    return {BytePrefix(word), word.size() > 8 ? BytePrefix(word.substr(8)) : 0};
  }

  static size_t Slot(const Key& key, size_t length) {
    const uint64_t mixed = (key.low ^ length) * 0x9e3779b97f4a7c15ULL ^ key.high;
    return static_cast<size_t>((mixed * 0xbf58476d1ce4e5b9ULL) >> (64 - kBits));
  }

  std::vector<Entry> entries_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_WORD_CACHE_H_
