// Reading vertical files. Tested by vertical_reader_test.cc.
#include "core/vertical_reader.h"

namespace quillon {

std::string_view VerticalToken(std::string_view line) {
  const std::string_view token = line.substr(0, line.find('\t'));
  return token.find_first_not_of(' ') == std::string_view::npos ? std::string_view() : token;
}

bool VerticalSource::Next(InputSentence* sentence) {
  // A block whose every line lacks a token gives no sentence; the next block is read.
  words_.clear();
  while (words_.empty()) {
    size_t first_line = 0;
    if (!blocks_.Next(&lines_, &first_line)) return false;
    for (size_t i = 0; i < lines_.size(); ++i) {
      const std::string_view token = VerticalToken(lines_[i]);
      if (token.empty()) {
        blocks_.Report(first_line + i, "no token before the first TAB; skipped.");
      } else {
        words_.push_back(token);
      }
    }
  }
  sentence->is_cut = true;
  sentence->text = {};
  sentence->words = words_;
  sentence->conllu = nullptr;
  return true;
}

}  // namespace quillon
