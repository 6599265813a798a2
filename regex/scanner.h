// TREScanner cuts a pattern into tokens, one at a time. Outside a class the special
// characters are | ( ) * + ? . ^ $ [ ] and the backslash; inside a class (after "[" or
// "[^" until "]") only "]", "-" between two characters and the backslash are special.
// Every token keeps its byte span, which the preprocessor copies.
// Tested by parser_test.cc and preprocessor_test.cc.
#ifndef QUILLON_REGEX_SCANNER_H_
#define QUILLON_REGEX_SCANNER_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "regex/code_page.h"

namespace quillon {

enum class TokenKind : uint8_t {
  kChar = 0,               // an ordinary character or an escape: low == high == its code
  kRange = 1,              // x-y inside a class: low x, high y
  kUnion = 2,              // |
  kOpenGroup = 3,          // (
  kCloseGroup = 4,         // )
  kStar = 5,               // *
  kPlus = 6,               // +
  kOptional = 7,           // ?
  kClassStart = 8,         // [
  kNegatedClassStart = 9,  // [^
  kClassEnd = 10,          // ]
  kAnyChar = 11,           // .
  kLineStart = 12,         // ^
  kLineEnd = 13,           // $
  kEnd = 14,               // the end of the pattern
};

struct Token {
  TokenKind kind;
  uint16_t low = 0;
  uint16_t high = 0;
  size_t begin = 0;  // byte span [begin, end) in the pattern
  size_t end = 0;
};

class TREScanner {
 public:
  // pattern must outlive the scanner.
  TREScanner(std::string_view pattern, CodePage code_page);

  // Scans the next token; raises ERegExpParser on a malformed character, escape or class.
  Token Next();

  // The 1-based index of the next unread byte, where errors are reported.
  int Position() const { return static_cast<int>(pos_) + 1; }

 private:
  Token ScanOutsideClass();
  Token ScanInsideClass();
  uint16_t ReadItemChar();  // a character or an escape
  uint16_t ReadEscape();    // the rest of an escape, after its backslash
  // Reads up to max_digits digits of base into value; returns how many it read.
  int ReadDigits(int base, int max_digits, uint32_t* value);
  uint16_t ReadChar();  // one character; a lead byte needs its trail byte
  [[noreturn]] void Fail(const char* message) const;

  std::string_view pattern_;
  CodePage code_page_;
  size_t pos_ = 0;
  bool in_class_ = false;
};

}  // namespace quillon

#endif  // QUILLON_REGEX_SCANNER_H_
