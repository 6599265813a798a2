// Worker threads over an ordered queue of blocks. Tested by tagger_pool_test.cc.
#include "core/tagger_pool.h"

#include <sched.h>

#include <algorithm>
#include <cassert>

namespace quillon {

std::string_view SentenceBlock::sentence(size_t k) const {
  const size_t start = k == 0 ? 0 : text_ends[k - 1];
  return std::string_view(text).substr(start, text_ends[k] - start);
}

std::string_view SentenceBlock::output_of(size_t k) const {
  const size_t start = k == 0 ? 0 : output_ends[k - 1];
  return std::string_view(output).substr(start, output_ends[k] - start);
}

void SentenceBlock::Clear() {
  text.clear();
  text_ends.clear();
  output.clear();
  output_ends.clear();
  tokens.clear();
}

TaggerPool::TaggerPool(Resources* resources, const Tagger& first, int threads) {
  assert(threads >= 1);
  // The taggers are made here, on the caller's thread, before any worker reads the
  // resources: sharing compiled rules, they add nothing to the tag table.
  for (int t = 0; t < threads; ++t) {
    taggers_.push_back(std::make_unique<Tagger>(resources, first.options(), first.rules()));
  }
  for (int t = 0; t < threads; ++t)
    workers_.emplace_back(&TaggerPool::Work, this, taggers_[t].get());
}

bool TaggerPool::FrontDone() const {
  const size_t batch = std::min(order_.size(), workers_.size());
  for (size_t k = 0; k < batch; ++k) {
    if (!order_[k].done) return false;
  }
  return true;
}

TaggerPool::~TaggerPool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  work_ready_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void TaggerPool::Submit(std::unique_ptr<SentenceBlock> block) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    order_.push_back({std::move(block), false});
  }
  work_ready_.notify_one();
}

std::unique_ptr<SentenceBlock> TaggerPool::Take() {
  std::unique_lock<std::mutex> lock(mutex_);
  assert(!order_.empty());
  // The oldest block, and with it as many of the next as there are workers: the caller
  // then wakes about once per round of the workers instead of once per block, and each
  // wake-up, on a machine with no core to spare, takes a worker off its core.
  block_done_.wait(lock, [this] { return FrontDone(); });
  std::unique_ptr<SentenceBlock> block = std::move(order_.front().block);
  order_.pop_front();
  --next_;
  return block;
}

size_t TaggerPool::in_flight() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return order_.size();
}

std::unique_ptr<SentenceBlock> TaggerPool::NewBlock() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (spare_.empty()) return std::make_unique<SentenceBlock>();
  std::unique_ptr<SentenceBlock> block = std::move(spare_.back());
  spare_.pop_back();
  return block;
}

void TaggerPool::Recycle(std::unique_ptr<SentenceBlock> block) {
  block->Clear();
  // A block that held one enormous sentence gives its memory back.
  if (block->text.capacity() > (size_t{4} << 20) || block->output.capacity() > (size_t{8} << 20)) {
    return;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  spare_.push_back(std::move(block));
}

void TaggerPool::Work(Tagger* tagger) {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    work_ready_.wait(lock, [this] { return closing_ || next_ < order_.size(); });
    if (closing_) return;
    // Entries are only removed from the front by Take, after they are done, so this one
    // stays where it is while the lock is released.
    Entry* entry = &order_[next_++];
    SentenceBlock* block = entry->block.get();
    lock.unlock();
    const std::unique_ptr<FormatWriter> writer = MakeTextWriter(block->writer);
    for (size_t k = 0; k < block->size(); ++k) {
      const SentenceResult tagged = tagger->Tag(block->sentence(k));
      writer->Write(tagged, &block->output);
      block->output_ends.push_back(block->output.size());
      block->tokens.push_back(tagged.size());
    }
    lock.lock();
    entry->done = true;
    // Only a change that lets Take return wakes it, and only once the lock is free, so
    // that the woken caller does not at once wait again for this worker's lock.
    if (FrontDone()) {
      lock.unlock();
      block_done_.notify_all();
      lock.lock();
    }
  }
}

int AvailableCores() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  const int count = CPU_COUNT(&set);
  return count > 0 ? count : 1;
}

}  // namespace quillon
