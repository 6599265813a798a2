// Leftmost-longest matching: the search routines, line anchors under both line-separator
// settings, the code page's character steps, and the safety bounds (code 0, classes that
// leave nothing, patterns whose automaton would be too large).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "regex/awk_str.h"
#include "regex/regexp_error.h"

namespace quillon {
namespace {

using Span = std::optional<std::pair<size_t, size_t>>;
constexpr CodePage kSingle = CodePage::kSingleByte;
constexpr CodePage kSjis = CodePage::kShiftJis;

Span FirstMatch(std::string_view pattern, std::string_view text,
                TMatchCORE_LineSeparator separator = mcls_CRLF, CodePage code_page = kSingle) {
  TAWKStr awk(code_page);
  awk.SetLineSeparator(separator);
  awk.SetRegExp(pattern);
  MatchSpan m;
  if (!awk.Match(text, &m)) return std::nullopt;
  return std::make_pair(m.start, m.end);
}

Span At(size_t start, size_t end) { return std::make_pair(start, end); }
const Span kNoMatch = std::nullopt;

struct MatchCase {
  std::string pattern;
  std::string text;
  Span expected;
  TMatchCORE_LineSeparator separator = mcls_CRLF;
  CodePage code_page = kSingle;
};

void RunCases(const std::vector<MatchCase>& cases) {
  for (const MatchCase& c : cases) {
    SCOPED_TRACE("pattern \"" + c.pattern + "\" text \"" + c.text + "\"");
    EXPECT_EQ(FirstMatch(c.pattern, c.text, c.separator, c.code_page), c.expected);
  }
}

TEST(MatcherTest, LeftmostThenLongest) {
  RunCases({
      {" +", "ab  cd", At(2, 4)},
      {"a|ab", "ab", At(0, 2)},
      {"ab|a", "xab", At(1, 3)},
      {"", "xyz", At(0, 0)},
      {"", "", At(0, 0)},
      {"a*", "aaab", At(0, 3)},
      {"x*", "abc", At(0, 0)},
      {"b+", "abbbc", At(1, 4)},
      {"(a|b)*c", "ababcx", At(0, 5)},
      {"a.c", "a\nc abc", At(4, 7)},
      {".", "\n\rx", At(2, 3)},  // "." passes over line feed and carriage return
      {"[^a]", "\nab", At(2, 3)},
      {"[^a]", "\na\r", kNoMatch},
      {"colou?r", "my color", At(3, 8)},
      {"q", "", kNoMatch},
  });
}

TEST(MatcherTest, AnchorsAtLineStartsAndEnds) {
  RunCases({
      {"b$", "ab\r\ncd", At(1, 2), mcls_CRLF},
      {"b$", "ab\r\ncd", kNoMatch, mcls_LF},
      {"b$", "ab\ncd", At(1, 2), mcls_LF},
      {"b$", "ab\ncd", kNoMatch, mcls_CRLF},
      {"d$", "ab\ncd", At(4, 5), mcls_CRLF},  // the end of the text ends a line either way
      {"^c", "ab\ncd", At(3, 4), mcls_CRLF},
      {"^c", "ab\ncd", At(3, 4), mcls_LF},
      {"^c", "cab", At(0, 1)},
      {"^c", "ab\rcd", kNoMatch, mcls_CRLF},  // only a line feed begins a new line
      {"^c", "acb", kNoMatch},
      {"$", "abc", At(3, 3)},
      {"$", "ab\ncd", At(2, 2), mcls_LF},
      {"^$", "", At(0, 0)},
      {"^$", "a\n\nb", At(2, 2), mcls_LF},
      {"^", "abc", At(0, 0)},
      {"^a|ab", "ab", At(0, 2)},  // the unanchored way is longer
      {"^a|b", "ab", At(0, 1)},
      {"x|^a", "ba\nab", At(3, 4)},
      // Elsewhere "^" and "$" are their own characters.
      {"a^b", "xa^b", At(1, 4)},
      {"a$b", "a$b", At(0, 3)},
      {"(^a)*", "^a^a", At(0, 4)},
      {"^\\^", "^", At(0, 1)},
  });
}

TEST(MatcherTest, CharactersFollowTheCodePage) {
  // あ is 82 A0: one character in Shift-JIS, two bytes elsewhere.
  RunCases({
      {"\x82\xA0", "x\x82\xA0", At(1, 3), mcls_CRLF, kSjis},
      {".", "\x82\xA0", At(0, 2), mcls_CRLF, kSjis},
      {".", "\x82\xA0", At(0, 1), mcls_CRLF, kSingle},
      // A trail byte is never matched on its own.
      {"\xA0", "\x82\xA0", kNoMatch, mcls_CRLF, kSjis},
      {"\xA0", "\x82\xA0", At(1, 2), mcls_CRLF, kSingle},
      // 81 20 is one (ill-formed) character in Shift-JIS: the blank is taken with it.
      {" +", "\x81 a b", At(3, 4), mcls_CRLF, kSjis},
      {" +", "\x81 a b", At(1, 2), mcls_CRLF, kSingle},
      // A lead byte at the very end stands alone.
      {".", "\x82", At(0, 1), mcls_CRLF, kSjis},
      {"a.", "a\x82", At(0, 2), mcls_CRLF, kSjis},
      {"[\x82\x9F-\x82\xF1]+", "x\x82\xA0\x82\xA2y", At(1, 5), mcls_CRLF, kSjis},
  });
}

TEST(MatcherTest, CodeZeroNeverReadsPastTheEnd) {
  // A text ends at its first NUL byte; the end is no character for any pattern.
  RunCases({
      {"a\\x0", "a", kNoMatch},
      {"a\\0", std::string("a\0b", 3), kNoMatch},
      {"\\x0*", "abc", At(0, 0)},
      {"a\\x0*", "ab", At(0, 1)},
      {"(\\x0|a)*$", "aa", At(0, 2)},
      {"b", std::string("a\0b", 3), kNoMatch},
      {"[bc]", std::string("a\0b", 3), kNoMatch},
      {"[bc]", std::string("ac\0b", 4), At(1, 2)},
      {"[\\x0-\\x9]+", "\t\t", At(0, 2)},
  });
}

TEST(MatcherTest, ReservedCodesNeverActAsSymbols) {
  // Escapes can name the codes the automaton reserves for the empty transition and the
  // line anchors; as leaves they name no character and must not act as those symbols.
  RunCases({
      {"a\\xFFFFb", "ab", kNoMatch},
      {"a\\xFFFF*b", "ab", At(0, 2)},
      {"^a\\xFFFE", "a", kNoMatch},
      {"\\xFFFDa$", "a", kNoMatch},
      {"[\\x1-\\xFFFF]+", "ab", At(0, 2)},
  });
}

TEST(MatcherTest, ClassThatLeavesNothingMatchesNothing) {
  RunCases({
      {"[^\\x1-\\xFFFF]", "abc", kNoMatch},
      {"a[^\\x1-\\xFFFF]|b", "ab", At(1, 2)},
      {"a[^\\x1-\\xFFFF]*c", "ac", At(0, 2)},
  });
}

TEST(MatcherTest, TooLargeAutomatonIsRefused) {
  // (a|b)*a(a|b){n} needs 2^(n+1) DFA states: n = 12 fits in 10,000, n = 13 does not.
  auto pattern = [](int n) {
    std::string p = "(a|b)*a";
    for (int i = 0; i < n; ++i) p += "(a|b)";
    return p;
  };
  EXPECT_EQ(FirstMatch(pattern(12), "bbbabbbbbbbbbbbbb"), At(0, 16));
  TAWKStr awk(kSingle);
  try {
    awk.SetRegExp(pattern(13));
    ADD_FAILURE() << "no error";
  } catch (const ERegExpParser& e) {
    EXPECT_STREQ(e.what(), regexp_messages::kTooComplex);
    EXPECT_EQ(e.ErrorPosition(), 0);
  }
  EXPECT_EQ(awk.RegExp(), "");

  // Nested "+" doubles the automaton per level; the bound stops it early.
  std::string nested = "a";
  for (int i = 0; i < 40; ++i) nested = "(" + nested + ")+";
  EXPECT_THROW(awk.SetRegExp(nested), ERegExpParser);

  // A star among many dots, with fuzzy groups in single-byte mode: refused at the bound
  // (a fuzzing input that once took seconds to get there).
  TAWKStr fuzzy(kSingle);
  fuzzy.SetUseFuzzyCharDic(true);
  EXPECT_THROW(fuzzy.SetRegExp(".........*.............7.%.............5......"), ERegExpParser);

  // A long literal is fine up to the bound, and refused (not crashed on) beyond it.
  const std::string literal(5000, 'q');
  EXPECT_EQ(FirstMatch(literal, "x" + literal), At(1, 5001));
  EXPECT_THROW(awk.SetRegExp(std::string(150000, 'q')), ERegExpParser);
}

}  // namespace
}  // namespace quillon
