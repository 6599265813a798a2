// The scanner of the pattern language. It reads characters through the code page (a lead
// byte takes its trail byte with it), decodes escapes, and knows whether it stands inside
// a class, where "-" joins two characters into a range. Tested by parser_test.cc.
#include "regex/scanner.h"

#include <utility>

#include "regex/regexp_error.h"

namespace quillon {
namespace {

// The value of c as a digit in base (8 or 16), or -1. ASCII only, whatever the locale.
int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  return value < base ? value : -1;
}

// Escapes of control characters: backspace, line feed, carriage return, tab.
constexpr std::pair<char, uint16_t> kControlEscapes[] = {{'b', 8}, {'n', 10}, {'r', 13}, {'t', 9}};

// The characters that are tokens of their own outside a class.
constexpr std::pair<char, TokenKind> kOperators[] = {
    {'|', TokenKind::kUnion},    {'(', TokenKind::kOpenGroup}, {')', TokenKind::kCloseGroup},
    {'*', TokenKind::kStar},     {'+', TokenKind::kPlus},      {'?', TokenKind::kOptional},
    {'.', TokenKind::kAnyChar},  {'^', TokenKind::kLineStart}, {'$', TokenKind::kLineEnd},
    {']', TokenKind::kClassEnd},
};

}  // namespace

TREScanner::TREScanner(std::string_view pattern, CodePage code_page)
    : pattern_(pattern), code_page_(code_page) {}

void TREScanner::Fail(const char* message) const { throw ERegExpParser(message, Position()); }

Token TREScanner::Next() {
  const size_t begin = pos_;
  Token token = in_class_ ? ScanInsideClass() : ScanOutsideClass();
  token.begin = begin;
  token.end = pos_;
  return token;
}

Token TREScanner::ScanOutsideClass() {
  if (pos_ >= pattern_.size()) return {TokenKind::kEnd};
  const char c = pattern_[pos_];
  for (const auto& [op, kind] : kOperators) {
    if (c == op) {
      ++pos_;
      return {kind};
    }
  }
  if (c == '[') {
    ++pos_;
    if (pos_ >= pattern_.size()) Fail(regexp_messages::kNeedRightBracket);
    in_class_ = true;
    if (pattern_[pos_] == '^') {
      ++pos_;
      return {TokenKind::kNegatedClassStart};
    }
    return {TokenKind::kClassStart};
  }
  const uint16_t code = ReadItemChar();
  return {TokenKind::kChar, code, code};
}

Token TREScanner::ScanInsideClass() {
  if (pos_ >= pattern_.size()) Fail(regexp_messages::kNeedRightBracket);
  if (pattern_[pos_] == ']') {
    ++pos_;
    in_class_ = false;
    return {TokenKind::kClassEnd};
  }
  const uint16_t low = ReadItemChar();
  // A hyphen right before the closing bracket is an item of its own, read next.
  if (pos_ < pattern_.size() && pattern_[pos_] == '-' &&
      !(pos_ + 1 < pattern_.size() && pattern_[pos_ + 1] == ']')) {
    ++pos_;
    if (pos_ >= pattern_.size()) Fail(regexp_messages::kNeedRightBracket);
    const uint16_t high = ReadItemChar();
    if (high < low) Fail(regexp_messages::kBadCharRange);
    return {TokenKind::kRange, low, high};
  }
  return {TokenKind::kChar, low, low};
}

uint16_t TREScanner::ReadItemChar() {
  if (pattern_[pos_] == '\\') {
    ++pos_;
    return ReadEscape();
  }
  return ReadChar();
}

uint16_t TREScanner::ReadEscape() {
  if (pos_ >= pattern_.size()) Fail(regexp_messages::kNothingAfterBackslash);
  const char c = pattern_[pos_];
  for (const auto& [letter, code] : kControlEscapes) {
    if (c == letter) {
      ++pos_;
      return code;
    }
  }
  uint32_t value = 0;
  if (c == 'x') {
    ++pos_;
    if (ReadDigits(16, 4, &value) == 0) Fail(regexp_messages::kBadHexCode);
    return static_cast<uint16_t>(value);
  }
  if (DigitValue(c, 8) >= 0) {
    ReadDigits(8, 6, &value);
    if (value > 0xFFFF) Fail(regexp_messages::kBadOctalCode);
    return static_cast<uint16_t>(value);
  }
  return ReadChar();  // the character itself, a double-byte one included
}

int TREScanner::ReadDigits(int base, int max_digits, uint32_t* value) {
  int digits = 0;
  while (digits < max_digits && pos_ < pattern_.size() && DigitValue(pattern_[pos_], base) >= 0) {
    *value = *value * base + DigitValue(pattern_[pos_++], base);
    ++digits;
  }
  return digits;
}

uint16_t TREScanner::ReadChar() {
  const unsigned char c = static_cast<unsigned char>(pattern_[pos_++]);
  if (!IsLeadByte(code_page_, c)) return c;
  if (pos_ >= pattern_.size()) Fail(regexp_messages::kBadDoubleByte);
  return static_cast<uint16_t>(c << 8 | static_cast<unsigned char>(pattern_[pos_++]));
}

}  // namespace quillon
