// Distinct lines in chunks with an open-addressing set. Tested by distinct_lines_test.cc.
#include "core/distinct_lines.h"

#include <cassert>
#include <cstring>
#include <functional>

namespace quillon {
namespace {

uint32_t HashOf(std::string_view line) {
  const uint64_t h = std::hash<std::string_view>()(line);
  return static_cast<uint32_t>(h ^ (h >> 32));
}

}  // namespace

uint64_t DistinctLines::Store(std::string_view line) {
  if (chunks_.empty() || used_ + line.size() > kChunkSize) {
    // A line longer than a chunk gets a chunk of its own; the offset within it is 0.
    const uint64_t size = line.size() > kChunkSize ? line.size() : kChunkSize;
    chunks_.emplace_back(new char[size]);
    used_ = 0;
  }
  const uint64_t offset = ((chunks_.size() - 1) << kChunkBits) | used_;
  if (!line.empty()) std::memcpy(chunks_.back().get() + used_, line.data(), line.size());
  used_ += line.size();
  return offset;
}

void DistinctLines::Grow() {
  const size_t capacity = slots_.empty() ? 1024 : 2 * slots_.size();
  slots_.assign(capacity, 0);
  const size_t mask = capacity - 1;
  for (uint32_t id = 0; id < size(); ++id) {
    size_t at = hashes_[id] & mask;
    while (slots_[at] != 0) at = (at + 1) & mask;
    slots_[at] = id + 1;
  }
}

uint32_t DistinctLines::Add(std::string_view line) {
  assert(!stopped_ && line.size() <= UINT32_MAX);
  // Kept at most three quarters full, so probes stay short.
  if (4 * (static_cast<size_t>(size()) + 1) > 3 * slots_.size()) Grow();
  const uint32_t hash = HashOf(line);
  const size_t mask = slots_.size() - 1;
  size_t at = hash & mask;
  for (; slots_[at] != 0; at = (at + 1) & mask) {
    const uint32_t id = slots_[at] - 1;
    if (hashes_[id] == hash && Get(id) == line) return id;
  }
  const uint32_t id = size();
  assert(id < UINT32_MAX);
  offsets_.push_back(Store(line));
  lengths_.push_back(static_cast<uint32_t>(line.size()));
  hashes_.push_back(hash);
  slots_[at] = id + 1;
  return id;
}

void DistinctLines::StopAdding() {
  std::vector<uint32_t>().swap(slots_);
  std::vector<uint32_t>().swap(hashes_);
  stopped_ = true;
}

}  // namespace quillon
