// Fuzz harness for the multi-word list and the marks. The input is three texts cut at NUL
// bytes: the list, sentences (one a line, cut into tokens at spaces) and a second list
// that is loaded into a table before the first. Checks: the marks equal those of a plain
// matcher that tries every kept entry at every position in order, and a table loaded
// twice marks as one loaded once with the last list.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/ascii.h"
#include "core/multiword.h"
#include "fuzz/fuzz_input.h"

namespace quillon {
namespace {

using fuzz::Check;

struct PlainEntry {
  std::vector<std::string> words;
  std::string annotation;
};

// Reads the list the obvious way: a line with a tab, its expression cut into words (a word
// ends at a space, tab, CR, LF or 0x12; the expression ends where a word would start with
// LF, CR, 0x0B or 0x12), at most 41 words and at least one.
std::vector<PlainEntry> PlainList(const std::vector<std::string>& lines) {
  std::vector<PlainEntry> entries;
  for (const std::string& line : lines) {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    PlainEntry entry{{}, "_M<" + line.substr(tab + 1) + ">"};
    const std::string expression = line.substr(0, tab);
    size_t pos = 0;
    while (pos < expression.size() &&
           std::string_view("\n\r\x0b\x12").find(expression[pos]) == std::string_view::npos) {
      const size_t end = std::min(expression.find_first_of(" \t\n\r\x12", pos), expression.size());
      entry.words.push_back(expression.substr(pos, end - pos));
      pos = end + 1;
    }
    if (entry.words.empty() || entry.words.size() > kMaxMultiwordWords) continue;
    entries.push_back(std::move(entry));
  }
  return entries;
}

// The marks of the plain matcher: for each start in order, for each entry in file order.
std::vector<std::string> PlainMarks(const std::vector<PlainEntry>& entries,
                                    const std::vector<std::string_view>& tokens) {
  std::vector<std::string> marks(tokens.size());
  for (size_t j = 0; j < tokens.size(); ++j) {
    for (const PlainEntry& entry : entries) {
      const size_t w = entry.words.size();
      if (j + w > tokens.size() || AsciiLowered(tokens[j]) != entry.words[0]) continue;
      bool match = true;
      for (size_t k = 1; k < w; ++k) match = match && entry.words[k] == tokens[j + k];
      if (!match) continue;
      for (size_t k = 0; k < w; ++k) marks[j + k] = entry.annotation;
    }
  }
  return marks;
}

std::vector<std::string_view> SpaceTokens(std::string_view sentence) {
  std::vector<std::string_view> tokens;
  size_t pos = 0;
  while (pos <= sentence.size()) {
    const size_t end = std::min(sentence.find(' ', pos), sentence.size());
    if (end > pos) tokens.push_back(sentence.substr(pos, end - pos));
    pos = end + 1;
  }
  return tokens;
}

void CheckMarks(const MultiwordTable& table, const std::vector<PlainEntry>& entries,
                const std::vector<std::string_view>& tokens) {
  MultiwordTable::Marks marks;
  table.MultiWord(tokens, &marks);
  const std::vector<std::string> expected = PlainMarks(entries, tokens);
  Check(marks.annotation.size() == tokens.size());
  for (size_t i = 0; i < tokens.size(); ++i) {
    const std::string got = marks.annotation[i] ? *marks.annotation[i] : std::string();
    Check(got == expected[i]);
  }
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size > 8192) return 0;
  const std::vector<std::string_view> parts = fuzz::SplitParts(fuzz::AsText(data, size), 3);
  const std::vector<std::string> lines = fuzz::Lines(parts[0]);
  const std::vector<std::string> second = fuzz::Lines(parts[2]);
  MultiwordTable table;
  table.Load(lines, nullptr);
  const std::vector<PlainEntry> entries = PlainList(lines);
  Check(table.size() == entries.size());
  MultiwordTable reloaded;
  reloaded.Load(second, nullptr);
  reloaded.Load(lines, nullptr);
  Check(reloaded.size() == entries.size());
  for (const std::string& sentence : fuzz::Lines(parts[1])) {
    const std::vector<std::string_view> tokens = SpaceTokens(sentence);
    CheckMarks(table, entries, tokens);
    CheckMarks(reloaded, entries, tokens);
  }
  return 0;
}
