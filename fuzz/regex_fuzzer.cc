// Fuzz harness for the pattern engine: parse, compile, match and split. Input layout:
//   byte 0      switches: bit 0 Shift-JIS, bit 1 mcls_LF, bit 2 fuzzy characters
//   byte 1      pattern length n (clamped to what is left)
//   n bytes     the pattern
//   the rest    the text
// Inputs above 4 KiB are skipped: a DFA walk may cost up to text length squared.
// Besides crashes, it traps when an invariant breaks: a failed pattern must leave the
// empty pattern, matches and fields must lie inside the text in order, both Split
// overloads must agree, and fuzzy expansion must not break a pattern that parses.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "regex/awk_str.h"
#include "regex/parser.h"
#include "regex/regexp_error.h"

namespace quillon {
namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool ParsesPlain(std::string_view pattern, CodePage code_page) {
  try {
    TREParser(pattern, code_page).Parse();
    return true;
  } catch (const ERegExpParser&) {
    return false;
  }
}

void CheckSplit(const TAWKStr& awk, std::string_view text) {
  std::vector<std::string_view> views;
  const int count = awk.Split(text, &views);
  Check(count == static_cast<int>(views.size()));
  const char* previous_end = text.data();
  for (std::string_view v : views) {
    Check(v.data() >= previous_end && v.data() + v.size() <= text.data() + text.size());
    previous_end = v.data() + v.size();
  }
  std::vector<std::string> strings;
  Check(awk.Split(text, &strings) == count);
  for (int i = 0; i < count; ++i) Check(strings[i] == views[i]);
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size < 2 || size > 4096) return 0;
  const uint8_t switches = data[0];
  const size_t pattern_size = std::min<size_t>(data[1], size - 2);
  const std::string_view pattern(reinterpret_cast<const char*>(data + 2), pattern_size);
  const std::string_view text(reinterpret_cast<const char*>(data + 2 + pattern_size),
                              size - 2 - pattern_size);
  const CodePage code_page = switches & 1 ? CodePage::kShiftJis : CodePage::kSingleByte;
  const bool fuzzy = switches & 4;

  TAWKStr awk(code_page);
  awk.SetLineSeparator(switches & 2 ? mcls_LF : mcls_CRLF);
  if (fuzzy) awk.SetUseFuzzyCharDic(true);
  try {
    awk.SetRegExp(pattern);
    Check(awk.RegExp() == pattern);
  } catch (const ERegExpParser& e) {
    Check(awk.RegExp().empty() && awk.CurrentEntry() == 0);
    if (!fuzzy) {
      Check(e.ErrorPosition() >= 0 && e.ErrorPosition() <= static_cast<int>(pattern.size()) + 1);
    } else if (std::strcmp(e.what(), regexp_messages::kTooComplex) != 0) {
      Check(!ParsesPlain(pattern, code_page));
    }
  }

  MatchSpan match;
  if (awk.Match(text, &match)) Check(match.start <= match.end && match.end <= text.size());
  CheckSplit(awk, text);
  return 0;
}
