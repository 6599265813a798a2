// Running text as sentences. Tested by tag_stream_test.cc.
#include "core/sentence_source.h"

#include <algorithm>

#include "core/sentence_splitter.h"

namespace quillon {

bool TextSource::Split(RunObserver* observer, bool modern, std::string* error) {
  const NextLine next_line = [this](std::string_view* line) { return input_->Next(line); };
  if (!SplitTextOnThread(next_line, line_count_, observer, &text_, error, modern)) return false;
  split_ = true;
  count_ = CountSentences(text_);
  return true;
}

bool TextSource::Next(InputSentence* sentence) {
  sentence->is_cut = false;
  sentence->conllu = nullptr;
  if (!split_) return input_->Next(&sentence->text);
  if (next_ >= text_.size()) return false;
  const size_t lf = std::min(text_.find('\n', next_), text_.size());
  sentence->text = std::string_view(text_).substr(next_, lf - next_);
  next_ = lf + 1;
  return true;
}

}  // namespace quillon
