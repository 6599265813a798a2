// The ASCII forms under which typographic tokens are looked up.
#include "core/lookup_form.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(LookupFormTest, TypographicTokensAndTheirAsciiTwins) {
  const struct {
    std::string token;
    std::string form;  // empty: the token has none
  } cases[] = {
      {"“", "``"},
      {"”", "''"},
      {"„", "``"},
      {"«", "``"},
      {"»", "''"},
      {"‘", "`"},
      {"’", "'"},
      {"‘’", "``"},
      {"’’", "''"},
      {"’s", "'s"},
      {"n’t", "n't"},
      {"’ll", "'ll"},
      {"Oʼs", "O's"},
      {"o’clock", "o'clock"},
      {"–", "-"},
      {"—", "-"},
      {"―", "-"},
      {"−5", "-5"},
      {"…", "..."},
      {"….", "...."},
      {"•", "*"},
      {"·", "*"},
      {"€", "$"},
      {"£", "$"},
      {"１２３", "123"},
      {"！", "!"},
      {"café", "cafe"},
      {"Ærø", "AEro"},
      {"Straße", "Strasse"},
      {"Łódź", "Lodz"},
      {"×", ""},
      {"あ", ""},
      {"ascii", ""},
      {"\"", ""},
      {"``", ""},
      {"\xFF", ""},
      {"\xE2\x80", ""},
      {"a\xE2\x80\x99\xFF", "a'\xFF"},
  };
  for (const auto& c : cases) {
    std::string out = "x";
    const bool mapped = AppendLookupForm(c.token, &out);
    EXPECT_EQ(mapped, !c.form.empty()) << c.token;
    EXPECT_EQ(out, "x" + c.form) << c.token;
  }
}

TEST(LookupFormTest, QuoteFallbacks) {
  EXPECT_EQ(QuoteFallbacks("``").size(), 2u);
  EXPECT_EQ(QuoteFallbacks("``")[0], "`");
  EXPECT_EQ(QuoteFallbacks("''")[1], "\"");
  EXPECT_EQ(QuoteFallbacks("`")[0], "'");
  EXPECT_TRUE(QuoteFallbacks("'s").empty());
}

TEST(LookupFormTest, NonAsciiBytesAreFound) {
  EXPECT_FALSE(HasNonAscii(""));
  EXPECT_FALSE(HasNonAscii("plain ASCII text, longer than eight bytes"));
  EXPECT_TRUE(HasNonAscii("plain ASCII text, longer than eight bytes\x80"));
  EXPECT_TRUE(HasNonAscii("\xC3\xA9"));
  EXPECT_TRUE(HasNonAscii("12345678\xFF"));
}

}  // namespace
}  // namespace quillon
