// Where the sentences of one input come from. Running text gives one sentence per line,
// or with the splitter on the sentences of the split text; files that are already cut
// into tokens (vertical, CoNLL-U; see their readers) give the words of each sentence.
// The tagging loop reads every kind through this one interface.
// Tested by tag_stream_test.cc and the end-to-end tests of `quillon tag`.
#ifndef QUILLON_CORE_SENTENCE_SOURCE_H_
#define QUILLON_CORE_SENTENCE_SOURCE_H_

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/line_stream.h"
#include "core/run_observer.h"

namespace quillon {

struct ConlluSentence;  // core/conllu_reader.h

// One sentence as its source yields it; views valid until the source's next call.
struct InputSentence {
  bool is_cut = false;                      // words holds the tokens; text is not used
  std::string_view text;                    // running text, for the tokenizer
  std::span<const std::string_view> words;  // tokens already cut
  const ConlluSentence* conllu = nullptr;   // the CoNLL-U lines the words came from
};

class SentenceSource {
 public:
  virtual ~SentenceSource() = default;
  // The next sentence; false after the last one (or when the input failed).
  virtual bool Next(InputSentence* sentence) = 0;
  // How many sentences Next will yield, for the progress bar (an estimate may do).
  virtual size_t count() const = 0;
};

// Running text: the lines of input, or with Split the sentences of the split text.
class TextSource : public SentenceSource {
 public:
  // input must outlive the source. line_count: the number of lines, when known.
  TextSource(LineStream* input, std::optional<size_t> line_count)
      : input_(input), line_count_(line_count) {}

  // Reads the whole input and cuts it into sentences (the window's splitter, or its
  // modern variant); observer (may be null) sees the splitting panel. False with *error
  // set to the substitution library's message when splitting fails.
  bool Split(RunObserver* observer, bool modern, std::string* error);

  bool Next(InputSentence* sentence) override;
  size_t count() const override { return count_ ? *count_ : line_count_.value_or(0); }

 private:
  LineStream* input_;
  std::optional<size_t> line_count_;
  bool split_ = false;
  std::string text_;  // the split text, sentences ended by LF
  size_t next_ = 0;   // where the next sentence of text_ starts
  std::optional<size_t> count_;
};

// The lines of an input a block at a time, a block being the lines up to a blank line (one
// holding nothing but spaces and TABs counts as blank); runs of blank lines separate one
// block from the next. The lines are copied, so they outlive the stream's next read. The
// readers of files cut into tokens (vertical, CoNLL-U) build on it, and report the lines
// they cannot read through it, with the input's name and the line's number.
class LineBlocks {
 public:
  // input must outlive the blocks; observer (may be null) receives the reports.
  LineBlocks(LineStream* input, std::string name, RunObserver* observer)
      : input_(input), name_(std::move(name)), observer_(observer) {}

  // The lines of the next block, valid until the next call; false after the last block.
  // *first_line is the line number (from 1) of the block's first line.
  bool Next(std::vector<std::string_view>* lines, size_t* first_line);

  // Reports the line numbered line_number: "NAME, line N: problem". Only the first
  // kReportedLines of an input are reported one by one; the rest are counted and the
  // count is reported once the input ends.
  void Report(size_t line_number, const std::string& problem);

  size_t reported() const { return reports_; }
  static constexpr size_t kReportedLines = 20;

 private:
  LineStream* input_;
  std::string name_;
  RunObserver* observer_;
  size_t line_number_ = 0;
  size_t reports_ = 0;
  bool summarised_ = false;
  std::string storage_;       // the block's lines, one after another
  std::vector<size_t> ends_;  // where each line ends in storage_
};

}  // namespace quillon

#endif  // QUILLON_CORE_SENTENCE_SOURCE_H_
