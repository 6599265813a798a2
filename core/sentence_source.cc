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

namespace {

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

bool LineBlocks::Next(std::vector<std::string_view>* lines, size_t* first_line) {
  storage_.clear();
  ends_.clear();
  std::string_view line;
  bool more = false;
  while ((more = input_->Next(&line))) {
    ++line_number_;
    if (!IsBlank(line)) break;
  }
  if (more) {
    *first_line = line_number_;
    do {
      storage_.append(line);
      ends_.push_back(storage_.size());
    } while (input_->Next(&line) && (++line_number_, !IsBlank(line)));
  }
  lines->clear();
  size_t start = 0;
  for (const size_t end : ends_) {
    lines->push_back(std::string_view(storage_).substr(start, end - start));
    start = end;
  }
  if (lines->empty() && !summarised_ && reports_ > kReportedLines && observer_ != nullptr) {
    summarised_ = true;
    observer_->Warning(name_ + ": " + std::to_string(reports_ - kReportedLines) +
                       " more lines that could not be read (not shown).");
  }
  return !lines->empty();
}

void LineBlocks::Report(size_t line_number, const std::string& problem) {
  if (++reports_ > kReportedLines || observer_ == nullptr) return;
  observer_->Warning(name_ + ", line " + std::to_string(line_number) + ": " + problem);
}

}  // namespace quillon
