// A set of byte strings that keeps each distinct string once and hands out small ids.
// The lexicon loader stores its lines here: a lexicon file that repeats its lines (several
// lexicons concatenated, a word list appended twice) costs the memory of its distinct
// lines only, and every line costs its bytes plus 4 bytes (and the lookup slots while
// lines are added), instead of a string object and an allocation each. The bytes sit in large
// chunks that never move, so the views handed out stay valid while the set lives. Tested by
// distinct_lines_test.cc.
#ifndef QUILLON_CORE_DISTINCT_LINES_H_
#define QUILLON_CORE_DISTINCT_LINES_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace quillon {

class DistinctLines {
 public:
  // The id of line: a new one (the number of distinct lines so far) when line is new.
  uint32_t Add(std::string_view line);

  // The line with id. Valid while the set lives.
  std::string_view Get(uint32_t id) const {
    // A line lies in one chunk; it ends where the next line of its chunk begins, or where
    // the chunk's bytes end.
    const size_t chunk =
        std::upper_bound(chunk_first_.begin(), chunk_first_.end(), id) - chunk_first_.begin() - 1;
    const bool last_in_chunk =
        chunk + 1 < chunk_first_.size() ? id + 1 == chunk_first_[chunk + 1] : id + 1 == size();
    const uint32_t begin = starts_[id];
    const uint64_t end = last_in_chunk ? chunk_used_[chunk] : starts_[id + 1];
    return std::string_view(chunks_[chunk].get() + begin, end - begin);
  }

  uint32_t size() const { return static_cast<uint32_t>(starts_.size()); }

  // Frees the lookup structures once no line will be added (Add may not be called again);
  // Get still works.
  void StopAdding();

  // Renumbers the lines after StopAdding: order lists every id once, and the line that had
  // id order[i] gets id i. The bytes are copied into new chunks in that order, so the old
  // ones and the new ones are held together for a while (twice the bytes at most).
  void Reorder(std::span<const uint32_t> order);

 private:
  static constexpr uint64_t kChunkSize = uint64_t{1} << 26;  // 64 MiB (but for a longer line)
  static constexpr uint64_t kFirstChunkSize = uint64_t{1} << 16;

  // Copies line, the next line, into the chunks; returns its offset in its chunk.
  uint32_t Store(std::string_view line);
  void Grow();

  std::vector<std::unique_ptr<char[]>> chunks_;
  std::vector<uint32_t> chunk_first_;  // per chunk: the id of its first line
  std::vector<uint64_t> chunk_used_;   // per chunk: the bytes it holds
  uint64_t chunk_size_ = 0;            // the size of the last chunk
  std::vector<uint32_t> starts_;       // per line: where it begins in its chunk
  std::vector<uint64_t> slots_;        // open addressing: hash << 32 | (id + 1), 0 when empty
  bool stopped_ = false;
};

}  // namespace quillon

#endif  // QUILLON_CORE_DISTINCT_LINES_H_
