// The ignore list as a set of case-folded entries: one probe answers what a linear scan
// with a case-insensitive comparison would. Tested by tokenizer_test.cc.
#include "core/ignore_list.h"

#include "core/ascii.h"

namespace quillon {

IgnoreList::IgnoreList(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    folded_.insert(AsciiLowered(line));
    if (line.size() > longest_) longest_ = line.size();
  }
}

bool IgnoreList::Contains(std::string_view word) const {
  if (word.size() > longest_ || folded_.empty()) return false;
  char buffer[256];
  if (word.size() <= sizeof buffer) {
    for (size_t i = 0; i < word.size(); ++i) {
      buffer[i] = static_cast<char>(AsciiLower(static_cast<unsigned char>(word[i])));
    }
    return folded_.find(std::string_view(buffer, word.size())) != folded_.end();
  }
  return folded_.count(AsciiLowered(word)) > 0;
}

}  // namespace quillon
