// UTF-8 decoding and the character classes of the modern tokenizer.
#include "core/unicode_class.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(UnicodeClassTest, DecodesValidUtf8AndNothingElse) {
  const struct {
    std::string bytes;
    char32_t code;
    size_t length;
  } cases[] = {
      {"a", 'a', 1},
      {"\xC3\xA9", 0xE9, 2},
      {"\xE2\x80\x99", 0x2019, 3},
      {"\xF0\x9F\x91\x8D", 0x1F44D, 4},
      {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
      {"\xC3", kInvalidByte, 1},              // cut short
      {"\xE2\x80", kInvalidByte, 1},          // cut short
      {"\x80", kInvalidByte, 1},              // a stray continuation byte
      {"\xC0\xAF", kInvalidByte, 1},          // overlong
      {"\xE0\x80\xAF", kInvalidByte, 1},      // overlong
      {"\xED\xA0\x80", kInvalidByte, 1},      // a surrogate
      {"\xF4\x90\x80\x80", kInvalidByte, 1},  // beyond U+10FFFF
      {"\xF8\x88\x80\x80\x80", kInvalidByte, 1},
      {"\xC3(", kInvalidByte, 1},  // no continuation byte after the lead
  };
  for (const auto& c : cases) {
    const DecodedChar d = DecodeUtf8At(c.bytes, 0);
    EXPECT_EQ(d.code, c.code) << c.bytes;
    EXPECT_EQ(d.length, c.length) << c.bytes;
  }
  // Decoding starts where it is asked to, and never reads past the end.
  EXPECT_EQ(DecodeUtf8At("x\xE2\x80\x9C", 1).code, 0x201Cu);
  EXPECT_EQ(DecodeUtf8At(std::string_view("\xE2\x80\x9C", 2), 0).length, 1u);
}

TEST(UnicodeClassTest, Classes) {
  const struct {
    char32_t code;
    CharClass expected;
  } cases[] = {
      {'a', CharClass::kWord},           {'7', CharClass::kWord},
      {'_', CharClass::kWord},           {' ', CharClass::kSpace},
      {'\t', CharClass::kSpace},         {0x01, CharClass::kSpace},
      {'.', CharClass::kPunctuation},    {'@', CharClass::kPunctuation},
      {'$', CharClass::kSymbol},         {'+', CharClass::kSymbol},
      {0xE9, CharClass::kWord},          {0x3042, CharClass::kWord},  // é, あ
      {0x0301, CharClass::kMark},        {0xFE0F, CharClass::kMark},
      {0x200D, CharClass::kMark},        {0x1F3FD, CharClass::kMark},  // joiner, skin tone
      {0xA0, CharClass::kSpace},         {0x2009, CharClass::kSpace},
      {0x3000, CharClass::kSpace},       {0x200B, CharClass::kSpace},
      {0xFEFF, CharClass::kSpace},       {0x85, CharClass::kSpace},
      {0x201C, CharClass::kPunctuation}, {0x2014, CharClass::kPunctuation},
      {0x2026, CharClass::kPunctuation}, {0xAB, CharClass::kPunctuation},
      {0x20AC, CharClass::kSymbol},      {0x1F600, CharClass::kSymbol},
      {0x10FFFF, CharClass::kWord},      {kInvalidByte, CharClass::kWord},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClassOf(c.code), c.expected) << std::hex << static_cast<uint32_t>(c.code);
  }
}

// The generated table is sorted and starts right after ASCII, so the bisection is sound.
TEST(UnicodeClassTest, TableIsSorted) {
  ASSERT_GT(kUnicodeRangeCount, 100u);
  EXPECT_EQ(kUnicodeRanges[0].first, 0x80u);
  for (size_t i = 1; i < kUnicodeRangeCount; ++i) {
    EXPECT_LT(kUnicodeRanges[i - 1].first, kUnicodeRanges[i].first) << i;
    EXPECT_NE(kUnicodeRanges[i - 1].char_class, kUnicodeRanges[i].char_class) << i;
  }
}

}  // namespace
}  // namespace quillon
