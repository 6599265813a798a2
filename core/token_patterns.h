// The word lists and small recognisers of the modern tokenizer: which hyphenated words
// stay whole, which words hide a contraction without an apostrophe ("gonna", "dont"),
// which letters after a number are a unit ("5pm", "35mm"), emoticons, URL openings and
// the code points of typographic quotes, apostrophes and dashes. The lists follow the
// English Web Treebank and GUM; where they differ, what scored better on their
// development sets. Tested by modern_tokenizer_test.cc.
#ifndef QUILLON_CORE_TOKEN_PATTERNS_H_
#define QUILLON_CORE_TOKEN_PATTERNS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillon {

// Apostrophes: ' ’ ʼ.
inline bool IsApostrophe(char32_t c) { return c == '\'' || c == 0x2019 || c == 0x02BC; }

// Quotation marks, ASCII and typographic: " ' ` “ ” „ ‟ ‘ ’ ‚ ‛ « » ‹ ›.
inline bool IsQuote(char32_t c) {
  return c == '"' || c == '\'' || c == '`' || (c >= 0x2018 && c <= 0x201F) || c == 0xAB ||
         c == 0xBB || c == 0x2039 || c == 0x203A;
}

// Hyphens that join words: - ‐ ‑.
inline bool IsHyphen(char32_t c) { return c == '-' || c == 0x2010 || c == 0x2011; }

// Periods and the ellipsis character, which make one token when they stand in a run.
inline bool IsPeriodLike(char32_t c) { return c == '.' || c == 0x2026; }

inline bool IsAsciiDigit(char32_t c) { return c >= '0' && c <= '9'; }
inline bool IsAsciiLetter(char32_t c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

// Whether a hyphen after prefix (the letters before it) keeps the word whole: "non-stop",
// "re-elected", "e-mail". Ignores ASCII letter case.
bool IsHyphenPrefix(std::string_view prefix);

// Whether letters after a number are a unit cut off from it ("5pm", "35mm", "$5m"), not
// a suffix of the number ("2nd", "1990s"). Ignores ASCII letter case.
bool IsUnitAfterNumber(std::string_view letters);

// Where a word that hides a contraction is cut: the lengths of its parts, ending with 0,
// or nullptr when word is no such word ("gonna" gives 3 2: "gon" "na"). Ignores case.
const unsigned char* ContractionParts(std::string_view word);

// Every word is asked, so a filter comes first: by length, the letters that the entries
// begin and end with (bit 0 for a).
struct LetterSets {
  std::array<uint32_t, 9> first{};
  std::array<uint32_t, 9> last{};
};
extern const LetterSets kContractionLetters;

inline bool InLetterSet(uint32_t set, char c) {
  const unsigned letter = static_cast<unsigned char>(c) | 0x20u;
  return letter >= 'a' && letter <= 'z' && (set >> (letter - 'a') & 1);
}

// False for nearly every word that ContractionParts would not cut, at the cost of two reads.
inline bool MayHideContraction(std::string_view word) {
  return word.size() >= 2 && word.size() <= 8 &&
         InLetterSet(kContractionLetters.last[word.size()], word.back()) &&
         InLetterSet(kContractionLetters.first[word.size()], word.front());
}

// Whether text is one of the common emoticons (":)", ";-)", ":D", "<3", "^_^", ...).
bool IsEmoticon(std::string_view text);

// The length of the longest emoticon that text begins (or ends) with, or 0.
size_t EmoticonPrefixLength(std::string_view text);
size_t EmoticonSuffixLength(std::string_view text);

// The number of bytes of text that name a scheme or host opening a URL ("http://",
// "https://", "ftp://", "www.", "mailto:"), or 0. Ignores ASCII letter case.
size_t UrlOpeningLength(std::string_view text);

// Whether letters, after an apostrophe, make a word that keeps it ('em, 'cause, 'til).
bool IsApostropheWord(std::string_view letters);

// Whether word (without its period) names a month or a weekday ("Nov", "Sept", "Thurs").
bool IsMonthAbbreviation(std::string_view word);

// The length of the date that text begins with, written with a month's name between
// hyphens (01-Feb-02), or 0.
size_t DateLength(std::string_view text);

// The length of the groups of digits joined by single hyphens that text begins with,
// when they stay one token: three or more groups (11-20-2000, 1-800-991-9019), or a
// short group and one of four or more digits (853-7906, 3-5213); otherwise 0, and the
// hyphen is cut (1998-2000, 3-4).
size_t NumberCodeLength(std::string_view text);

}  // namespace quillon

#endif  // QUILLON_CORE_TOKEN_PATTERNS_H_
