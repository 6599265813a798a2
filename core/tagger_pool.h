// Tagging on several threads. A TaggerPool keeps one tagger per worker thread, all
// sharing the rules compiled once (CompiledRules); blocks of sentences are handed to it in
// input order, tagged by whichever worker is free, and taken back in that same order, so
// what follows them (the output bytes, the progress and stop checks per sentence) happens
// on the caller's thread exactly as it would with one thread.
// Tested by tagger_pool_test.cc (under ThreadSanitizer too) and the end-to-end tests.
#ifndef QUILLON_CORE_TAGGER_POOL_H_
#define QUILLON_CORE_TAGGER_POOL_H_

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/format_writer.h"
#include "core/tagger.h"

namespace quillon {

// Sentences of running text, copied out of their input, and what tagging made of them.
struct SentenceBlock {
  std::string text;                 // the sentences, one after the other
  std::vector<size_t> text_ends;    // where each sentence ends in text
  WriterOptions writer;             // how the worker writes them (the text format)
  std::string output;               // the output lines, filled by the worker
  std::vector<size_t> output_ends;  // where each sentence's lines end in output
  std::vector<size_t> tokens;       // how many tokens each sentence had

  size_t size() const { return text_ends.size(); }
  std::string_view sentence(size_t k) const;
  std::string_view output_of(size_t k) const;
  void Clear();
};

class TaggerPool {
 public:
  // Starts threads workers, each with a tagger like first (same resources, options and
  // compiled rules). first itself stays with the caller.
  TaggerPool(Resources* resources, const Tagger& first, int threads);
  // Waits for the workers; blocks not taken are dropped.
  ~TaggerPool();

  TaggerPool(const TaggerPool&) = delete;
  TaggerPool& operator=(const TaggerPool&) = delete;

  // Hands a block over to be tagged.
  void Submit(std::unique_ptr<SentenceBlock> block);
  // The oldest block handed over, once it is tagged (waits for it).
  std::unique_ptr<SentenceBlock> Take();
  // Blocks handed over and not taken yet.
  size_t in_flight() const;
  // A cleared block to fill, reusing the memory of blocks taken before.
  std::unique_ptr<SentenceBlock> NewBlock();
  // Gives a block back for reuse.
  void Recycle(std::unique_ptr<SentenceBlock> block);

  int threads() const { return static_cast<int>(workers_.size()); }

 private:
  struct Entry {
    std::unique_ptr<SentenceBlock> block;
    bool done = false;
  };
  void Work(Tagger* tagger);
  // Whether Take may return: the oldest blocks, as many as there are workers (or all
  // there are), are done. Call with mutex_ held.
  bool FrontDone() const;

  std::vector<std::unique_ptr<Tagger>> taggers_;
  std::vector<std::thread> workers_;
  mutable std::mutex mutex_;
  std::condition_variable work_ready_;  // a block waits, or the pool closes
  std::condition_variable block_done_;  // the oldest block may be done
  std::deque<Entry> order_;             // every block not taken, oldest first
  size_t next_ = 0;                     // the first entry of order_ no worker has taken
  bool closing_ = false;
  std::vector<std::unique_ptr<SentenceBlock>> spare_;
};

// How many threads the process may run on (its CPU affinity), at least 1.
int AvailableCores();

}  // namespace quillon

#endif  // QUILLON_CORE_TAGGER_POOL_H_
