// A set of byte strings that keeps each distinct string once and hands out small ids.
// The lexicon loader stores its lines here: a lexicon file that repeats its lines (several
// lexicons concatenated, a word list appended twice) costs the memory of its distinct
// lines only, and every line costs its bytes plus about 20 bytes, instead of a string
// object and an allocation each. The bytes sit in large chunks that never move, so the
// views handed out stay valid while the set lives.
// Tested by distinct_lines_test.cc.
#ifndef QUILLON_CORE_DISTINCT_LINES_H_
#define QUILLON_CORE_DISTINCT_LINES_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace quillon {

class DistinctLines {
 public:
  // The id of line: a new one (the number of distinct lines so far) when line is new.
  uint32_t Add(std::string_view line);

  // The line with id. Valid while the set lives.
  std::string_view Get(uint32_t id) const {
    if (lengths_[id] == 0) return std::string_view();
    const uint64_t at = offsets_[id];
    return std::string_view(chunks_[at >> kChunkBits].get() + (at & kChunkMask), lengths_[id]);
  }

  uint32_t size() const { return static_cast<uint32_t>(lengths_.size()); }

  // Frees the lookup structures once no line will be added (Add may not be called again);
  // Get still works.
  void StopAdding();

 private:
  static constexpr int kChunkBits = 26;  // chunks of at most 64 MiB (but for a longer line)
  static constexpr uint64_t kChunkSize = uint64_t{1} << kChunkBits;
  static constexpr uint64_t kChunkMask = kChunkSize - 1;
  static constexpr uint64_t kFirstChunkSize = uint64_t{1} << 16;

  // Copies line into the chunks; returns its offset.
  uint64_t Store(std::string_view line);
  void Grow();

  std::vector<std::unique_ptr<char[]>> chunks_;
  uint64_t chunk_size_ = 0;  // the size of the last chunk
  uint64_t used_ = 0;        // bytes used in the last chunk
  std::vector<uint64_t> offsets_;
  std::vector<uint32_t> lengths_;
  std::vector<uint64_t> slots_;  // open addressing: hash << 32 | (id + 1), 0 when empty
  bool stopped_ = false;
};

}  // namespace quillon

#endif  // QUILLON_CORE_DISTINCT_LINES_H_
