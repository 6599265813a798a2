// The reading side of tagging on several threads. The caller's thread reads the sentences
// of the input whose turn it is, cuts them into blocks and hands them to the pool; once
// that input is read to its end it goes on into the inputs after it, so the workers have
// blocks to tag while the caller writes and commits the current output, and a batch of
// small files keeps every thread busy. Reading ahead shows nothing: it opens no output,
// tells the observer nothing, and an input is only read early when reading it at its turn
// could give nothing else: a regular file, with the splitter off (the split panel belongs
// to the file's turn), in no folder that an output still to be written goes to. An input
// that fails to open or count early is left for its turn, to fail there as it would with
// one thread.
// Tested by tagger_pool_test.cc (under ThreadSanitizer too).
#ifndef QUILLON_CORE_READ_AHEAD_H_
#define QUILLON_CORE_READ_AHEAD_H_

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/format_writer.h"
#include "core/line_stream.h"
#include "core/run_settings.h"
#include "core/sentence_source.h"
#include "core/tagger_pool.h"

namespace quillon {

class ReadAhead {
 public:
  // Reads one input at a time for pool, its blocks written as options say.
  ReadAhead(TaggerPool* pool, const WriterOptions& options);
  // Opens input index and counts its lines as the run does at the input's turn; false
  // when that fails (the run then meets the failure at the turn).
  using Opener = std::function<bool(size_t index, std::unique_ptr<LineStream>* stream,
                                    std::optional<size_t>* line_count)>;
  // Reads the run's inputs (paths, in order, with settings; opened by open), going on past
  // the one whose turn it is. settings and inputs must outlive the reader.
  ReadAhead(TaggerPool* pool, const WriterOptions& options, const RunSettings& settings,
            const std::vector<std::string>& inputs, Opener open);
  // Takes back every block still in the pool, so the pool is left as it was found.
  ~ReadAhead();

  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Input index's turn begins (turns come in input order), ending the one before: its
  // blocks not taken are dropped. When index was read ahead, returns its stream (counted
  // and partly read; the reader keeps it until the next turn) with *line_count; otherwise
  // null, and the caller opens the input.
  LineStream* Turn(size_t index, std::optional<size_t>* line_count);
  // Whether the turn's input was opened and read ahead of its turn.
  bool turn_read_ahead() const { return turn_stream_ != nullptr; }

  // Hands the first blocks of the turn's input, opened by the caller and not read yet, to
  // the pool before the turn begins, so that the workers tag them while the caller counts
  // the input's lines (on a descriptor of its own). stream must stay until Stop; without
  // the splitter only, since splitting reads the whole input first.
  void Prime(LineStream* stream);
  // The turn's sentences come from source (counted, split when asked), which must stay
  // until Stop. For an input read ahead, source reads its stream on from where reading
  // ahead left it.
  void Begin(TextSource* source);
  // The next block of the turn's input, tagged, in input order; null after its last.
  std::unique_ptr<SentenceBlock> Next();
  void Recycle(std::unique_ptr<SentenceBlock> block) { pool_->Recycle(std::move(block)); }
  // The turn's input is read no further; its source may go.
  void Stop();

  const WriterOptions& options() const { return options_; }

 private:
  // An input read ahead of its turn.
  struct Ahead {
    size_t index = 0;
    std::unique_ptr<LineStream> stream;
    std::optional<size_t> line_count;
    std::unique_ptr<TextSource> source;
    size_t blocks = 0;  // handed to the pool
    bool read = false;  // every sentence is in a block
  };

  // Hands blocks to the pool until it holds enough or nothing may be read yet.
  void TopUp();
  // Reads one block from source into the pool; false when source had no more.
  bool ReadInto(TextSource* source);
  // Opens the input after the last one read ahead, when that is safe.
  bool OpenNext();
  // Whether input index may be read before the outputs of the turn up to it are written.
  bool SafeToReadEarly(size_t index) const;
  // Takes back the blocks of the turn not taken.
  void DropTurnBlocks();

  TaggerPool* pool_;
  WriterOptions options_;
  const RunSettings* settings_ = nullptr;
  const std::vector<std::string>* inputs_ = nullptr;
  Opener open_;
  size_t max_blocks_;  // blocks in the pool at a time, which bounds the memory
  size_t max_ahead_;   // inputs read ahead at a time (each holds an open stream)

  size_t turn_ = 0;
  bool turn_read_ = false;                   // every sentence of the turn is in a block
  TextSource* source_ = nullptr;             // where the turn's sentences come from
  size_t turn_blocks_ = 0;                   // the turn's blocks in the pool
  std::unique_ptr<LineStream> turn_stream_;  // the turn's input, when it was read ahead
  std::unique_ptr<TextSource> turn_source_;  // and the source that read it ahead

  std::deque<Ahead> ahead_;     // the inputs after the turn read so far, in order
  bool ahead_refused_ = false;  // the next input may not be read before its turn
};

}  // namespace quillon

#endif  // QUILLON_CORE_READ_AHEAD_H_
