// TMatchCORE finds the first match of the current pattern in a text: the leftmost one,
// and at that position the longest, by walking the DFA one character at a time with no
// backtracking. Two search routines: the plain search for patterns without anchors, and
// the anchored search, which also knows where lines begin and end. A text ends at its last
// byte or at its first NUL byte. Tested by matcher_test.cc and posix_differential_test.cc.
#ifndef QUILLON_REGEX_MATCHER_H_
#define QUILLON_REGEX_MATCHER_H_

#include <cstddef>
#include <string_view>

#include "regex/pattern_cache.h"

namespace quillon {

// Which character ends a line for "$". A new line always begins after a line feed.
enum TMatchCORE_LineSeparator {
  mcls_CRLF,  // a carriage return ends a line
  mcls_LF,    // a line feed ends a line
};

// A match: bytes [start, end) of the text.
struct MatchSpan {
  size_t start = 0;
  size_t end = 0;
};

class TMatchCORE : public TRegularExpression {
 public:
  explicit TMatchCORE(CodePage code_page = ActiveCodePage()) : TRegularExpression(code_page) {}

  TMatchCORE_LineSeparator LineSeparator() const { return line_separator_; }
  void SetLineSeparator(TMatchCORE_LineSeparator separator) { line_separator_ = separator; }

  // The first match in text, for a pattern without anchors; false when there is none.
  bool PlainSearch(std::string_view text, MatchSpan* match) const;

  // The first match in text, honouring "^" at line starts and "$" at line ends.
  bool AnchoredSearch(std::string_view text, MatchSpan* match) const;

 private:
  // The end of the longest match from pos, walking from state; size_t(-1) if none.
  // With the end-of-line rule, a walk stopped by a line end (or the end of the text) in a
  // state that can step on the end-of-line symbol matches up to that character.
  size_t Longest(int state, std::string_view text, size_t pos, bool end_of_line_rule) const;

  // The longest match from pos as if a line started there.
  size_t LongestAtLineStart(std::string_view text, size_t pos) const;

  bool EndsLine(uint16_t code) const {
    return code == (line_separator_ == mcls_CRLF ? '\r' : '\n');
  }

  TMatchCORE_LineSeparator line_separator_ = mcls_CRLF;
};

}  // namespace quillon

#endif  // QUILLON_REGEX_MATCHER_H_
