// Distinct lines in chunks with an open-addressing set. Tested by distinct_lines_test.cc.
#include "core/distinct_lines.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <functional>
#include <utility>

namespace quillon {
namespace {

uint32_t HashOf(std::string_view line) {
  const uint64_t h = std::hash<std::string_view>()(line);
  return static_cast<uint32_t>(h ^ (h >> 32));
}

}  // namespace

uint32_t DistinctLines::Store(std::string_view line) {
  if (chunks_.empty() || chunk_used_.back() + line.size() > chunk_size_) {
    // Chunks grow from 64 KiB to 64 MiB, so a small list takes little memory; a line
    // longer than a chunk gets a chunk of its own. Offsets within a chunk fit 32 bits.
    chunk_size_ = chunks_.empty() ? kFirstChunkSize : std::min(2 * chunk_size_, kChunkSize);
    chunk_size_ = std::max<uint64_t>(chunk_size_, line.size());
    chunks_.emplace_back(new char[chunk_size_]);
    chunk_first_.push_back(size());
    chunk_used_.push_back(0);
  }
  uint64_t& used = chunk_used_.back();
  const uint32_t offset = static_cast<uint32_t>(used);
  if (!line.empty()) std::memcpy(chunks_.back().get() + used, line.data(), line.size());
  used += line.size();
  return offset;
}

void DistinctLines::Grow() {
  std::vector<uint64_t> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? 1024 : 2 * old.size(), 0);
  const size_t mask = slots_.size() - 1;
  for (const uint64_t entry : old) {
    if (entry == 0) continue;
    size_t at = (entry >> 32) & mask;
    while (slots_[at] != 0) at = (at + 1) & mask;
    slots_[at] = entry;
  }
}

uint32_t DistinctLines::Add(std::string_view line) {
  assert(!stopped_ && line.size() <= UINT32_MAX);
  // Kept at most three quarters full, so probes stay short.
  if (4 * (static_cast<size_t>(size()) + 1) > 3 * slots_.size()) Grow();
  const uint32_t hash = HashOf(line);
  const size_t mask = slots_.size() - 1;
  size_t at = hash & mask;
  // A slot holds the hash in its high half and id + 1 in its low half: most other lines
  // are told apart without reading them.
  for (; slots_[at] != 0; at = (at + 1) & mask) {
    const uint64_t entry = slots_[at];
    const uint32_t id = static_cast<uint32_t>(entry) - 1;
    if (static_cast<uint32_t>(entry >> 32) == hash && Get(id) == line) return id;
  }
  const uint32_t id = size();
  assert(id < UINT32_MAX);
  const uint32_t start = Store(line);
  starts_.push_back(start);
  slots_[at] = (uint64_t{hash} << 32) | (uint64_t{id} + 1);
  return id;
}

void DistinctLines::StopAdding() {
  std::vector<uint64_t>().swap(slots_);
  stopped_ = true;
}

void DistinctLines::Reorder(std::span<const uint32_t> order) {
  assert(stopped_ && order.size() == size());
  DistinctLines reordered;
  reordered.starts_.reserve(order.size());
  for (const uint32_t id : order) reordered.starts_.push_back(reordered.Store(Get(id)));
  reordered.stopped_ = true;
  *this = std::move(reordered);
}

}  // namespace quillon
