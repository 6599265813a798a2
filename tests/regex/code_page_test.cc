// The code page: which locales have lead bytes, and reading characters of a text
// without ever stepping past its end.
#include <gtest/gtest.h>

#include <string>

#include "regex/code_page.h"

namespace quillon {
namespace {

TEST(CodePageTest, LocaleNames) {
  const std::pair<const char*, CodePage> cases[] = {
      {"ja_JP.SJIS", CodePage::kShiftJis},    {"ja_JP.Shift_JIS", CodePage::kShiftJis},
      {"ja_JP.CP932", CodePage::kShiftJis},   {"ja_JP.windows-31j", CodePage::kShiftJis},
      {"ja_JP.sjis@x", CodePage::kShiftJis},  {"ja_JP.UTF-8", CodePage::kSingleByte},
      {"ja_JP.eucJP", CodePage::kSingleByte}, {"C.UTF-8", CodePage::kSingleByte},
      {"C", CodePage::kSingleByte},           {"", CodePage::kSingleByte},
  };
  for (const auto& [name, code_page] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(CodePageFromLocaleName(name), code_page);
  }
}

TEST(CodePageTest, LeadBytes) {
  int leads = 0;
  for (int b = 0; b < 256; ++b) {
    EXPECT_FALSE(IsLeadByte(CodePage::kSingleByte, static_cast<unsigned char>(b)));
    leads += IsLeadByte(CodePage::kShiftJis, static_cast<unsigned char>(b));
  }
  EXPECT_EQ(leads, (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1));
  EXPECT_TRUE(IsLeadByte(CodePage::kShiftJis, 0x81));
  EXPECT_FALSE(IsLeadByte(CodePage::kShiftJis, 0xA0));  // half-width katakana start after
  EXPECT_TRUE(IsLeadByte(CodePage::kShiftJis, 0xFC));
}

TEST(CodePageTest, ReadingStopsAtTheEnd) {
  const CodePage sjis = CodePage::kShiftJis;
  struct Case {
    std::string text;
    size_t pos;
    uint16_t code;
    int length;
  };
  const Case cases[] = {
      {"\x82\xA0", 0, 0x82A0, 2},
      {"\x82", 0, 0x82, 1},                    // a lead byte with nothing after it
      {std::string("\x82\0", 2), 0, 0x82, 1},  // or with the text's end after it
      {std::string("a\0b", 3), 1, 0, 0},       // NUL ends the text
      {"ab", 2, 0, 0},
  };
  for (const Case& c : cases) {
    const TextChar ch = ReadTextChar(sjis, c.text, c.pos);
    EXPECT_EQ(ch.code, c.code);
    EXPECT_EQ(ch.length, c.length);
  }
  EXPECT_EQ(ReadTextChar(CodePage::kSingleByte, "\x82\xA0", 0).length, 1);
}

}  // namespace
}  // namespace quillon
