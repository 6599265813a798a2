// Reading inputs into blocks for the tagger pool, ahead of their turn when that is safe.
// Tested by tagger_pool_test.cc.
#include "core/read_ahead.h"

#include <sys/stat.h>

#include <cassert>
#include <climits>
#include <cstdlib>

#include "core/output_file.h"

namespace quillon {
namespace {

// A block is handed to a worker when it holds this many sentences or this many bytes,
// large enough that handing it over costs little beside tagging it, small enough that
// every thread gets blocks to do. A longer sentence makes a block of its own. Blocks do
// not cross inputs: a small file is a block of its own.
constexpr size_t kBlockSentences = 512;
constexpr size_t kBlockBytes = 64 << 10;

// Reads the next block of sentences from source into block; false when there was none.
bool ReadBlock(TextSource* source, SentenceBlock* block) {
  InputSentence sentence;
  while (block->size() < kBlockSentences && block->text.size() < kBlockBytes &&
         source->Next(&sentence)) {
    block->text.append(sentence.text);
    block->text_ends.push_back(block->text.size());
  }
  return block->size() > 0;
}

// The folder a path names, as the file system knows it; false when there is none.
bool FolderIdentity(const std::string& folder, struct stat* identity) {
  return ::stat(folder.empty() ? "." : folder.c_str(), identity) == 0 && S_ISDIR(identity->st_mode);
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

ReadAhead::ReadAhead(TaggerPool* pool, const WriterOptions& options)
    : pool_(pool),
      options_(options),
      // A few blocks per thread, so no worker waits while the caller writes.
      max_blocks_(3 * static_cast<size_t>(pool->threads())),
      max_ahead_(2 * static_cast<size_t>(pool->threads()) + 2) {}

ReadAhead::ReadAhead(TaggerPool* pool, const WriterOptions& options, const RunSettings& settings,
                     const std::vector<std::string>& inputs, Opener open)
    : ReadAhead(pool, options) {
  settings_ = &settings;
  inputs_ = &inputs;
  open_ = std::move(open);
}

ReadAhead::~ReadAhead() {
  DropTurnBlocks();
  while (pool_->in_flight() > 0) pool_->Recycle(pool_->Take());
}

void ReadAhead::DropTurnBlocks() {
  for (; turn_blocks_ > 0; --turn_blocks_) pool_->Recycle(pool_->Take());
}

LineStream* ReadAhead::Turn(size_t index, std::optional<size_t>* line_count) {
  assert(inputs_ != nullptr && index < inputs_->size());
  DropTurnBlocks();
  turn_ = index;
  source_ = nullptr;
  turn_source_.reset();
  turn_stream_.reset();
  // Outputs written since the last refusal may have made the next input safe to read.
  ahead_refused_ = false;
  if (ahead_.empty() || ahead_.front().index != index) {
    // Inputs are read ahead in order from the turn on, so none is skipped.
    assert(ahead_.empty());
    turn_read_ = false;
    return nullptr;
  }
  Ahead& ahead = ahead_.front();
  turn_stream_ = std::move(ahead.stream);
  turn_source_ = std::move(ahead.source);
  turn_blocks_ = ahead.blocks;
  turn_read_ = ahead.read;
  if (!turn_read_) source_ = turn_source_.get();
  *line_count = ahead.line_count;
  ahead_.pop_front();
  return turn_stream_.get();
}

void ReadAhead::Prime(LineStream* stream) {
  assert(source_ == nullptr && turn_blocks_ == 0 && !turn_read_ahead());
  // The source that reads ahead, replaced by the turn's own at Begin, which reads on from
  // the same place.
  turn_source_ = std::make_unique<TextSource>(stream, std::nullopt);
  source_ = turn_source_.get();
  turn_read_ = false;
  TopUp();
}

void ReadAhead::Begin(TextSource* source) {
  // The turn's own source replaces the one that read it ahead: without the splitter a
  // text source is its stream, so it reads on from the same place.
  if (!turn_read_) source_ = source;
}

std::unique_ptr<SentenceBlock> ReadAhead::Next() {
  TopUp();
  // Until the turn is read, every block in the pool is one of its own.
  assert(turn_read_ || turn_blocks_ > 0);
  if (turn_blocks_ == 0) return nullptr;
  --turn_blocks_;
  return pool_->Take();
}

void ReadAhead::Stop() {
  turn_read_ = true;
  source_ = nullptr;
}

void ReadAhead::TopUp() {
  while (pool_->in_flight() < max_blocks_) {
    if (!turn_read_) {
      assert(source_ != nullptr);
      if (ReadInto(source_)) {
        ++turn_blocks_;
      } else {
        turn_read_ = true;
        source_ = nullptr;
      }
    } else if (!ahead_.empty() && !ahead_.back().read) {
      Ahead& ahead = ahead_.back();
      if (ReadInto(ahead.source.get())) {
        ++ahead.blocks;
      } else {
        ahead.read = true;
      }
    } else if (!OpenNext()) {
      return;
    }
  }
}

bool ReadAhead::ReadInto(TextSource* source) {
  std::unique_ptr<SentenceBlock> block = pool_->NewBlock();
  block->writer = options_;
  if (!ReadBlock(source, block.get())) {
    pool_->Recycle(std::move(block));
    return false;
  }
  pool_->Submit(std::move(block));
  return true;
}

bool ReadAhead::OpenNext() {
  if (inputs_ == nullptr || ahead_refused_ || ahead_.size() >= max_ahead_) return false;
  const size_t index = ahead_.empty() ? turn_ + 1 : ahead_.back().index + 1;
  if (index >= inputs_->size()) return false;
  Ahead ahead;
  ahead.index = index;
  ahead_refused_ = !SafeToReadEarly(index) || !open_(index, &ahead.stream, &ahead.line_count);
  if (ahead_refused_) return false;
  ahead.source = std::make_unique<TextSource>(ahead.stream.get(), ahead.line_count);
  ahead_.push_back(std::move(ahead));
  return true;
}

bool ReadAhead::SafeToReadEarly(size_t index) const {
  // Only running text read line by line is cut into blocks here; the splitter shows its
  // panel and asks whether to stop, which belongs to the input's turn.
  if (settings_->Splitter == 1) return false;
  const std::string& path = (*inputs_)[index];
  // Only a regular file reads the same now as later: a FIFO or a device would be
  // consumed or waited on before its turn.
  struct stat file;
  if (::stat(path.c_str(), &file) != 0 || !S_ISREG(file.st_mode)) return false;
  // The folders the file is found through: the one its path names and, when the path is
  // a link, the one the link leads to. An output of an input before it that goes to one
  // of them could replace it before its turn. (The run's output names already avoid the
  // files of its inputs; reading ahead does not rely on that.)
  std::vector<struct stat> folders(1);
  if (!FolderIdentity(FolderOf(path), &folders[0])) return false;
  if (char* real = ::realpath(path.c_str(), nullptr); real != nullptr) {
    struct stat folder;
    if (FolderIdentity(FolderOf(real), &folder)) folders.push_back(folder);
    std::free(real);
  }
  for (size_t earlier = turn_; earlier < index; ++earlier) {
    struct stat output;
    // An output folder that does not exist yet is made new: it holds no input.
    if (!FolderIdentity(OutputFolder(*settings_, (*inputs_)[earlier]), &output)) continue;
    for (const struct stat& folder : folders) {
      if (SameFile(folder, output)) return false;
    }
  }
  return true;
}

}  // namespace quillon
