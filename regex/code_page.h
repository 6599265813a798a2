// Characters of the engine. Patterns and texts are byte strings in the system's code page;
// where the code page has lead bytes (Shift-JIS, code page 932), a lead byte and the byte
// after it are one character whose code is lead * 256 + trail. Where it has none (a UTF-8
// system), every byte is one character. The code page is fixed for an engine object when it
// is created; ActiveCodePage() is the default, taken from the locale's code set.
// Tested by code_page_test.cc and by every suite that runs in both modes.
#ifndef QUILLON_REGEX_CODE_PAGE_H_
#define QUILLON_REGEX_CODE_PAGE_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillon {

enum class CodePage {
  kSingleByte,  // no lead bytes: every byte is one character (UTF-8 and 8-bit systems)
  kShiftJis,    // code page 932: lead bytes 0x81-0x9F and 0xE0-0xFC
};

// Character codes. Codes above kMaxCharCode never stand for a character of a text; the
// three at the top are symbols of the automata.
inline constexpr uint16_t kMaxCharCode = 0xFCFC;
inline constexpr uint16_t kStartOfLineSymbol = 0xFFFD;
inline constexpr uint16_t kEndOfLineSymbol = 0xFFFE;
inline constexpr uint16_t kEmptySymbol = 0xFFFF;

inline bool IsLeadByte(CodePage code_page, unsigned char byte) {
  return code_page == CodePage::kShiftJis &&
         ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

// One character of a text: its code and its length in bytes (0 at the end of the text).
struct TextChar {
  uint16_t code;
  int length;
};

// Reads the character at pos. A text ends at its last byte or at its first NUL byte,
// whichever comes first; there the result is {0, 0}. A lead byte with no trail byte left
// before the end stands alone, so reading never goes past the end of the text.
inline TextChar ReadTextChar(CodePage code_page, std::string_view text, size_t pos) {
  if (pos >= text.size()) return {0, 0};
  const unsigned char byte = static_cast<unsigned char>(text[pos]);
  if (byte == 0) return {0, 0};
  if (IsLeadByte(code_page, byte) && pos + 1 < text.size() && text[pos + 1] != '\0') {
    return {static_cast<uint16_t>(byte << 8 | static_cast<unsigned char>(text[pos + 1])), 2};
  }
  return {byte, 1};
}

// The length of the character that starts at pos (1 or 2), clamped to the text.
inline size_t CharLength(CodePage code_page, std::string_view text, size_t pos) {
  return IsLeadByte(code_page, static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2
                                                                                               : 1;
}

// The code page that new engine objects use unless told otherwise.
CodePage ActiveCodePage();
void SetActiveCodePage(CodePage code_page);

// The code page a locale name stands for ("ja_JP.SJIS" is Shift-JIS, "C.UTF-8" is not).
CodePage CodePageFromLocaleName(std::string_view locale_name);

}  // namespace quillon

#endif  // QUILLON_REGEX_CODE_PAGE_H_
