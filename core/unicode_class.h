// Characters of UTF-8 text as the modern tokenizer sees them. A character is a code point
// decoded from valid UTF-8; a byte that does not start a valid sequence is a character of
// its own (a word character), so no byte is ever lost or read twice. Every character
// belongs to one class: a word character (letters, digits, and whatever is not one of the
// others), a mark that belongs to the character before it (combining accents, emoji
// variation selectors and joiners), a space (Unicode's spaces, line and paragraph
// separators, control characters, zero-width spaces, the byte order mark), punctuation,
// or a symbol. Tested by unicode_class_test.cc.
#ifndef QUILLON_CORE_UNICODE_CLASS_H_
#define QUILLON_CORE_UNICODE_CLASS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillon {

enum class CharClass : uint8_t { kWord, kMark, kSpace, kPunctuation, kSymbol };

struct UnicodeRange {
  char32_t first;
  CharClass char_class;
};

// The generated table (unicode_table.cc): code points from U+0080 on, sorted.
extern const UnicodeRange kUnicodeRanges[];
extern const size_t kUnicodeRangeCount;

// The code point that a byte which starts no valid UTF-8 sequence stands for.
inline constexpr char32_t kInvalidByte = 0xFFFFFFFF;

// Decodes the character at s[i]: its code point (kInvalidByte for a stray byte) and its
// length in bytes (at least 1). Overlong forms, surrogates and code points beyond
// U+10FFFF are not valid.
struct DecodedChar {
  char32_t code;
  size_t length;
};
DecodedChar DecodeUtf8At(std::string_view s, size_t i);

// The classes of the ASCII characters. The underscore is punctuation in Unicode, but it
// joins the parts of names (file_name), so it is a word character here.
constexpr std::array<CharClass, 128> MakeAsciiClasses() {
  std::array<CharClass, 128> t{};
  for (int c = 0; c < 0x20; ++c) t[c] = CharClass::kSpace;  // tab, line ends, controls
  t[' '] = CharClass::kSpace;
  t[0x7F] = CharClass::kSpace;
  for (unsigned char c : std::string_view("!\"#%&'()*,-./:;?@[\\]{}")) {
    t[c] = CharClass::kPunctuation;
  }
  for (unsigned char c : std::string_view("$+<=>^`|~")) t[c] = CharClass::kSymbol;
  return t;
}
inline constexpr std::array<CharClass, 128> kAsciiClasses = MakeAsciiClasses();

// The class of a code point above ASCII; kInvalidByte is a word character.
CharClass ClassOfNonAscii(char32_t code);

// The class of a code point.
inline CharClass ClassOf(char32_t code) {
  return code < 0x80 ? kAsciiClasses[code] : ClassOfNonAscii(code);
}

}  // namespace quillon

#endif  // QUILLON_CORE_UNICODE_CLASS_H_
