// Dictionary preprocessing with the fuzzy character dictionary: what ordinary characters
// expand to, what is copied, the stored rows themselves (checked by decoding them with
// the C library's own CP932 converter), and comma texts.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "regex/awk_str.h"
#include "regex/fuzzy_dictionary.h"
#include "regex/preprocessor.h"
#include "regex/regexp_error.h"

namespace quillon {
namespace {

constexpr CodePage kSingle = CodePage::kSingleByte;
constexpr CodePage kSjis = CodePage::kShiftJis;

// Converts between UTF-8 (the test's own text) and CP932 with iconv.
std::string Convert(const std::string& text, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
  std::string in = text;
  std::string out(in.size() * 4 + 16, '\0');
  char* in_ptr = in.data();
  char* out_ptr = out.data();
  size_t in_left = in.size();
  size_t out_left = out.size();
  const size_t result = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1)) return "<invalid>";
  out.resize(out.size() - out_left);
  return out;
}
std::string Sjis(const std::string& utf8) { return Convert(utf8, "CP932", "UTF-8"); }
std::string Utf8(const std::string& sjis) { return Convert(sjis, "UTF-8", "CP932"); }

std::string Fuzzy(const std::string& pattern, CodePage code_page = kSjis) {
  TREPreProcessor pre(code_page);
  pre.AddFuzzyDictionary(FuzzyCharDictionary());
  return pre.Preprocess(pattern, false, true);
}

TEST(FuzzyDictionaryTest, RowsDecodeToTheirText) {
  const auto rows = FuzzyCharDictionaryRows();
  ASSERT_EQ(rows.size(), 145u);
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_NE(Utf8(rows[i]), "<invalid>");
  }
  const std::pair<int, const char*> spot_checks[] = {
      {1, "Ａ,ａ,A,a"},
      {26, "Ｚ,ｚ,Z,z"},
      {27, "0,０,零"},
      {28, "1,１,一,①,Ⅰ,壱"},
      {37, "\"　\",\" \""},
      {39, "\"\"\"\",”"},
      {44, "',’"},
      {49, "ー,～,ｰ,"},
      {50, "-,ー,－,～,ｰ"},
      {61, "\\,￥"},
      {68, "~,￣"},
      {69, "\",\",､,、,，"},
      {70, "｡,.,。,．"},
      {74, "が,ガ,ｶﾞ,か゛,カ゛"},
      {87, "ば,バ,ﾊﾞ,は゛,ハ゛,ヴァ,う゛ぁ,ウ゛ァ,ｳﾞｧ"},
      {102, "か,カ,ｶ"},
      {114, "つ,ツ,ﾂ,っ,ッ,ｯ"},
      {143, "を,ヲ,ｦ,うぉ,ウォ,ｳｫ"},
      {145, "ﾟ,゜"},
  };
  for (const auto& [row, text] : spot_checks) {
    SCOPED_TRACE(row);
    EXPECT_EQ(Utf8(rows[row - 1]), text);
  }
}

TEST(FuzzyDictionaryTest, GroupsReadFromCommaTexts) {
  const RegexDictionary& d = FuzzyCharDictionary();
  ASSERT_EQ(d.groups.size(), 145u);
  EXPECT_EQ(d.groups[36], (std::vector<std::string>{Sjis("　"), " "}));
  EXPECT_EQ(d.groups[38], (std::vector<std::string>{"\"", Sjis("”")}));
  EXPECT_EQ(d.groups[48], (std::vector<std::string>{Sjis("ー"), Sjis("～"), Sjis("ｰ"), ""}));
  EXPECT_EQ(d.groups[68][0], ",");
  size_t variants = 0;
  for (const auto& group : d.groups) variants += group.size();
  EXPECT_EQ(variants, 571u);
}

TEST(FuzzyDictionaryTest, CommaTexts) {
  using Items = std::vector<std::string>;
  const std::pair<std::string, Items> cases[] = {
      {"", Items{}},
      {"a", Items{"a"}},
      {"a,b", Items{"a", "b"}},
      {"a,b,", Items{"a", "b", ""}},
      {",", Items{"", ""}},
      {"\"x, y\",z", Items{"x, y", "z"}},
      {"\"\"\"\",q", Items{"\"", "q"}},
      {"\"a\"\"b\"", Items{"a\"b"}},
  };
  for (const auto& [text, items] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ParseCommaText(text), items);
  }
}

TEST(PreprocessorTest, OrdinaryCharactersBecomeGroups) {
  const std::pair<std::string, std::string> cases[] = {
      {"a", "(Ａ|ａ|A|a)"},
      {"\\x41", "(Ａ|ａ|A|a)"},
      {"a*b", "(Ａ|ａ|A|a)*(Ｂ|ｂ|B|b)"},
      {"ｶﾞ", "(が|ガ|ｶﾞ|か゛|カ゛)"},  // its row comes before the row of ｶ
      {"ｶ", "(か|カ|ｶ)"},
      {"\\.", "(｡|\\.|。|．)"},
      {"ー", "(ー|～|ｰ|)"},
      {"\\\\", "(\\\\|￥)"},
      {"\\^", "(\\^|＾)"},
      {" ", "(　| )"},
      {",", "(,|､|、|，)"},
      {"\"", "(\"|”)"},
      {"ヴァ", "(ば|バ|ﾊﾞ|は゛|ハ゛|ヴァ|う゛ぁ|ウ゛ァ|ｳﾞｧ)"},
      // The row of う comes before the row that holds うぁ.
      {"うぁ", "(う|ウ|ｳ|ぅ|ゥ|ｩ)(あ|ア|ｱ|ぁ|ァ|ｧ)"},
      // ソ ends in the byte of "\", and is written as it stands.
      {"ソ", "(そ|ソ|ｿ)"},
      // Classes, operators and characters without a group are copied as they stand.
      {"[ab]", "[ab]"},
      {"[^a-z]x", "[^a-z](Ｘ|ｘ|X|x)"},
      {"^.$|()", "^.$|()"},
      {"漢", "漢"},
  };
  for (const auto& [pattern, expected] : cases) {
    SCOPED_TRACE(pattern);
    EXPECT_EQ(Utf8(Fuzzy(Sjis(pattern))), expected);
  }
}

TEST(PreprocessorTest, SwitchesOffGiveThePatternItself) {
  TREPreProcessor pre(kSjis);
  pre.AddFuzzyDictionary(FuzzyCharDictionary());
  EXPECT_EQ(pre.Preprocess("(a", false, false), "(a");
  // No synonym dictionary: the switch changes nothing but rescanning.
  EXPECT_EQ(pre.Preprocess("a|b", true, false), "a|b");
  EXPECT_THROW(pre.Preprocess("[a", false, true), ERegExpParser);
}

TEST(PreprocessorTest, FuzzyMatchingThroughTheSplitter) {
  TAWKStr awk(kSjis);
  awk.SetUseFuzzyCharDic(true);
  awk.SetRegExp(Sjis("ｶﾞ"));
  MatchSpan m;
  ASSERT_TRUE(awk.Match(Sjis("xカ゛y"), &m));
  EXPECT_EQ(m.start, 1u);
  EXPECT_EQ(m.end, 5u);
  // The long-vowel group holds the empty item, so it also matches the empty string.
  awk.SetRegExp(Sjis("aー"));
  ASSERT_TRUE(awk.Match("A", &m));
  EXPECT_EQ(m.end, 1u);
  // Full-width letters and digits answer to their ASCII forms.
  awk.SetRegExp("7a");
  ASSERT_TRUE(awk.Match(Sjis("⑦Ａ"), &m));
  EXPECT_EQ(m.end, 4u);
}

TEST(PreprocessorTest, SingleByteModeKeepsThePatternValid) {
  // Without lead bytes the Shift-JIS variants are byte sequences; trail bytes that are
  // special characters ("[" in ー, "|" in －) are escaped, so every expansion still
  // compiles and still matches its own ASCII character.
  TAWKStr awk(kSingle);
  awk.SetUseFuzzyCharDic(true);
  for (int c = 0x21; c < 0x7F; ++c) {
    const std::string text(1, static_cast<char>(c));
    std::string pattern = text;
    if (std::string("^(|)+*?.[]$\\").find(static_cast<char>(c)) != std::string::npos) {
      pattern = "\\" + text;
    }
    SCOPED_TRACE(pattern);
    ASSERT_NO_THROW(awk.SetRegExp(pattern));
    MatchSpan m;
    ASSERT_TRUE(awk.Match(text, &m));
    EXPECT_EQ(m.end - m.start, 1u);
  }
}

}  // namespace
}  // namespace quillon
