// Reading vertical files: one token a line, blank lines between sentences, as corpus tools
// and spreadsheets export them. The token is the line's first TAB-separated column, taken
// as it stands (any further columns are ignored); a line whose first column holds nothing
// but blanks has no token and is reported with its file and line number and skipped.
// Tested by vertical_reader_test.cc and fuzz/vertical_reader_fuzzer.cc.
#ifndef QUILLON_CORE_VERTICAL_READER_H_
#define QUILLON_CORE_VERTICAL_READER_H_

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/line_stream.h"
#include "core/run_observer.h"
#include "core/sentence_source.h"

namespace quillon {

// The token of a vertical line: its first TAB-separated column; empty when it holds
// nothing but blanks.
std::string_view VerticalToken(std::string_view line);

class VerticalSource : public SentenceSource {
 public:
  // As ConlluSource: input must outlive the source, observer (may be null) gets the
  // reports, sentence_count (when known) sizes the progress bar.
  VerticalSource(LineStream* input, std::string name, std::optional<size_t> sentence_count,
                 RunObserver* observer)
      : blocks_(input, std::move(name), observer), sentence_count_(sentence_count) {}

  bool Next(InputSentence* sentence) override;
  size_t count() const override { return sentence_count_.value_or(0); }

 private:
  LineBlocks blocks_;
  std::optional<size_t> sentence_count_;
  std::vector<std::string_view> lines_;
  std::vector<std::string_view> words_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_VERTICAL_READER_H_
