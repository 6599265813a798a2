// UTF-8 decoding and character classes. ASCII comes from a table of its own (the tokenizer
// meets it most); other code points are found by bisection in the generated ranges.
// Tested by unicode_class_test.cc.
#include "core/unicode_class.h"

#include <algorithm>

namespace quillon {
namespace {

unsigned char Byte(std::string_view s, size_t i) { return static_cast<unsigned char>(s[i]); }
bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

DecodedChar DecodeUtf8At(std::string_view s, size_t i) {
  const unsigned char b0 = Byte(s, i);
  if (b0 < 0x80) return {b0, 1};
  const size_t left = s.size() - i;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    if (left >= 2 && IsContinuation(Byte(s, i + 1))) {
      return {static_cast<char32_t>(((b0 & 0x1F) << 6) | (Byte(s, i + 1) & 0x3F)), 2};
    }
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    if (left >= 3 && IsContinuation(Byte(s, i + 1)) && IsContinuation(Byte(s, i + 2))) {
      const char32_t code =
          ((b0 & 0x0F) << 12) | ((Byte(s, i + 1) & 0x3F) << 6) | (Byte(s, i + 2) & 0x3F);
      if (code >= 0x800 && (code < 0xD800 || code > 0xDFFF)) return {code, 3};
    }
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    if (left >= 4 && IsContinuation(Byte(s, i + 1)) && IsContinuation(Byte(s, i + 2)) &&
        IsContinuation(Byte(s, i + 3))) {
      const char32_t code = ((b0 & 0x07) << 18) | ((Byte(s, i + 1) & 0x3F) << 12) |
                            ((Byte(s, i + 2) & 0x3F) << 6) | (Byte(s, i + 3) & 0x3F);
      if (code >= 0x10000 && code <= 0x10FFFF) return {code, 4};
    }
  }
  return {kInvalidByte, 1};
}

CharClass ClassOfNonAscii(char32_t code) {
  if (code == kInvalidByte) return CharClass::kWord;
  const UnicodeRange* end = kUnicodeRanges + kUnicodeRangeCount;
  const UnicodeRange* after = std::upper_bound(
      kUnicodeRanges, end, code, [](char32_t c, const UnicodeRange& r) { return c < r.first; });
  return after == kUnicodeRanges ? CharClass::kWord : after[-1].char_class;
}

}  // namespace quillon
