// Letter case for byte strings: only the ASCII letters fold, to lower case; bytes 128 to
// 255 compare as they are. This is the "ignoring case" of the ignore list, the tag list
// and the sorts of the lexicon and lemma lists.
#ifndef QUILLON_CORE_ASCII_H_
#define QUILLON_CORE_ASCII_H_

#include <string>
#include <string_view>

namespace quillon {

inline unsigned char AsciiLower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

inline bool AsciiIsUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }

// Compares a and b ignoring ASCII letter case: negative, zero or positive.
inline int AsciiCompareIgnoringCase(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = AsciiLower(static_cast<unsigned char>(a[i]));
    const unsigned char y = AsciiLower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

inline bool AsciiLessIgnoringCase(std::string_view a, std::string_view b) {
  return AsciiCompareIgnoringCase(a, b) < 0;
}

inline bool AsciiEqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiCompareIgnoringCase(a, b) == 0;
}

// Appends s with its ASCII capitals made small to out.
inline void AppendAsciiLowered(std::string_view s, std::string* out) {
  for (const char c : s) *out += static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
}

// The word with its ASCII capitals made small.
inline std::string AsciiLowered(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  AppendAsciiLowered(s, &out);
  return out;
}

}  // namespace quillon

#endif  // QUILLON_CORE_ASCII_H_
