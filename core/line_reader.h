// Reading text files into lines. A file is read whole as bytes, with no character-set
// conversion, and cut at CR LF, a lone CR or a lone LF; a NUL byte ends the text.
// Tested by line_reader_test.cc.
#ifndef QUILLON_CORE_LINE_READER_H_
#define QUILLON_CORE_LINE_READER_H_

#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace quillon {

// Cuts text into lines. A last line without a line break is still a line; a break at the
// very end adds no empty line; LF followed by CR makes an empty line between them.
std::vector<std::string> SplitLines(std::string_view text);

// Calls visit(line) for each line of text, in order, without copying.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit);

// Reads the whole file at path into bytes. Fails with the system's error text.
Status ReadFileBytes(const std::string& path, std::string* bytes);

// Reads the file at path and cuts it into lines.
Status ReadLines(const std::string& path, std::vector<std::string>* lines);

// True when path names an existing file (or anything that is not absent).
bool FileExists(const std::string& path);

template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  if (size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  size_t start = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\n' && c != '\r') continue;
    visit(text.substr(start, i - start));
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) visit(text.substr(start));
}

}  // namespace quillon

#endif  // QUILLON_CORE_LINE_READER_H_
