// Reading text files into lines. A file is read whole as bytes, with no character-set
// conversion, and cut at CR LF, a lone CR or a lone LF; a NUL byte ends the text.
// Tested by line_reader_test.cc.
#ifndef QUILLON_CORE_LINE_READER_H_
#define QUILLON_CORE_LINE_READER_H_

#include <functional>
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

// The longest line that a resource file, a corpus or a word list may hold. Real lines are
// far shorter; a longer one means a file that is no such list (or a device without line
// breaks), and reading it on would only fill memory.
inline constexpr size_t kMaxLineBytes = size_t{1} << 20;

// Reads the file at path line by line, as SplitLines cuts a text, in bounded memory: the
// lines go to visit one by one, a NUL byte ends the text, and a line longer than
// kMaxLineBytes fails with "PATH:N: the line is longer than 1048576 bytes". A FIFO without
// a writer reads as empty. With skip_byte_order_mark, a UTF-8 byte order mark at the start
// is dropped (and a UTF-16 text with its mark is read as UTF-8).
// When lost is given, it receives a warning naming path when a NUL byte ended the text
// before the file's end (see InputCutNote), or "".
Status ForEachFileLine(const std::string& path, const std::function<void(std::string_view)>& visit,
                       bool skip_byte_order_mark = false, std::string* lost = nullptr);

// Reads the file at path and cuts it into lines (see ForEachFileLine).
Status ReadLines(const std::string& path, std::vector<std::string>* lines,
                 bool skip_byte_order_mark = false, std::string* lost = nullptr);

// Reads the file at path as a text of lines each ended by LF (see ForEachFileLine): the
// same lines, numbered the same, in bounded memory per line.
Status ReadText(const std::string& path, std::string* text, bool skip_byte_order_mark = false);

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
