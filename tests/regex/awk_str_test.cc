// Split: the fields between matches, with the empty fields that leading and trailing
// matches give, in both code pages and through both overloads; and a randomized check of
// " +" against a plain split at runs of blanks.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "regex/awk_str.h"
#include "regex/regexp_error.h"

namespace quillon {
namespace {

using Fields = std::vector<std::string>;
constexpr CodePage kSingle = CodePage::kSingleByte;
constexpr CodePage kSjis = CodePage::kShiftJis;

Fields SplitWith(std::string_view pattern, std::string_view text, CodePage code_page = kSingle) {
  TAWKStr awk(code_page);
  awk.SetRegExp(pattern);
  Fields fields = {"left over"};
  const int count = awk.Split(text, &fields);
  EXPECT_EQ(count, static_cast<int>(fields.size()));
  // The view overload gives the same fields, as slices of the text.
  std::vector<std::string_view> views = {"left over"};
  awk.Split(text, &views);
  EXPECT_EQ(Fields(views.begin(), views.end()), fields);
  for (std::string_view v : views) {
    EXPECT_TRUE(v.data() >= text.data() && v.data() + v.size() <= text.data() + text.size());
  }
  return fields;
}

struct SplitCase {
  std::string pattern;
  std::string text;
  Fields fields;
  CodePage code_page = kSingle;
};

TEST(AwkStrTest, SplitAtRunsOfBlanks) {
  const SplitCase cases[] = {
      {" +", "The cat sat .", {"The", "cat", "sat", "."}},
      {" +", "a   b", {"a", "b"}},
      {" +", " a b", {"", "a", "b"}},
      {" +", "a b ", {"a", "b", ""}},
      {" +", "  a  ", {"", "a", ""}},
      {" +", " ", {"", ""}},
      {" +", "", {}},
      {" +", "a\tb", {"a\tb"}},
      {" +", "He said so.", {"He", "said", "so."}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    EXPECT_EQ(SplitWith(c.pattern, c.text, c.code_page), c.fields);
  }
}

TEST(AwkStrTest, EmptyMatchesCutNothing) {
  const SplitCase cases[] = {
      {"x*", "abc", {"abc"}},
      {"", "abc", {"abc"}},
      {"a*", "baaac", {"b", "c"}},
      {"$", "abc", {"abc", ""}},
      {"^a", "aXa", {"", "Xa"}},  // the rest of the text begins a line of its own
      {"b|", "abcb", {"a", "c", ""}},
      {"x*", "ab\x82", {"ab\x82"}, kSjis},  // a lead byte at the end moves alone
      {"x*", "\x82\xA0\x82", {"\x82\xA0\x82"}, kSjis},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.pattern + " on \"" + c.text + "\"");
    EXPECT_EQ(SplitWith(c.pattern, c.text, c.code_page), c.fields);
  }
}

TEST(AwkStrTest, CodePageDecidesWhatABlankIs) {
  // 81 20 is one character in Shift-JIS; elsewhere the blank separates.
  EXPECT_EQ(SplitWith(" +", "\x81 a b", kSjis), (Fields{"\x81 a", "b"}));
  EXPECT_EQ(SplitWith(" +", "\x81 a b", kSingle), (Fields{"\x81", "a", "b"}));
  // UTF-8 text: every byte is a character, so no byte takes a blank with it.
  EXPECT_EQ(SplitWith(" +", "caf\xC3\xA9 \xE3\x81\x82 x", kSingle),
            (Fields{"caf\xC3\xA9", "\xE3\x81\x82", "x"}));
  // The ideographic space (81 40) is no blank.
  EXPECT_EQ(SplitWith(" +",
                      "a\x81\x40"
                      "b c",
                      kSjis),
            (Fields{"a\x81\x40"
                    "b",
                    "c"}));
}

TEST(AwkStrTest, NulByteEndsTheSearchButNoTextIsLost) {
  const std::string text("a b\0c d", 7);
  EXPECT_EQ(SplitWith(" +", text), (Fields{"a", std::string("b\0c d", 5)}));
}

TEST(AwkStrTest, TargetListIsEmptiedFirst) {
  TAWKStr awk(kSingle);
  awk.SetRegExp(" +");
  Fields fields = {"x", "y"};
  EXPECT_EQ(awk.Split("", &fields), 0);
  EXPECT_TRUE(fields.empty());
}

TEST(AwkStrTest, FailedPatternLeavesTheEmptyPattern) {
  TAWKStr awk(kSingle);
  awk.SetRegExp("$");
  try {
    awk.SetRegExp("(a");
    ADD_FAILURE() << "no error";
  } catch (const ERegExpParser& e) {
    EXPECT_STREQ(e.what(), "右(閉じ)括弧が必要です");
    EXPECT_EQ(e.ErrorPosition(), 3);
  }
  EXPECT_EQ(awk.RegExp(), "");
  Fields fields;
  EXPECT_EQ(awk.Split("a b", &fields), 1);
  EXPECT_EQ(fields, Fields{"a b"});
}

TEST(AwkStrTest, SplitWorksBeforeAnyPatternIsSet) {
  TAWKStr awk(kSingle);
  Fields fields;
  EXPECT_EQ(awk.Split("a b", &fields), 1);
  EXPECT_EQ(fields, Fields{"a b"});
}

TEST(AwkStrTest, SwitchesCompileTheCurrentPatternAnew) {
  TAWKStr awk(kSjis);
  awk.SetRegExp("a+");
  Fields fields;
  awk.Split(
      "b\x82\x60"
      "c",
      &fields);  // Ａ
  EXPECT_EQ(fields, Fields{"b\x82\x60"
                           "c"});
  awk.SetUseFuzzyCharDic(true);
  EXPECT_EQ(awk.RegExp(), "a+");
  awk.Split(
      "b\x82\x60"
      "c",
      &fields);
  EXPECT_EQ(fields, (Fields{"b", "c"}));
  awk.SetUseFuzzyCharDic(false);
  awk.Split(
      "b\x82\x60"
      "c",
      &fields);
  EXPECT_EQ(fields, Fields{"b\x82\x60"
                           "c"});
  awk.SetUseSynonymDic(true);  // no synonym dictionary: nothing changes
  EXPECT_EQ(awk.RegExp(), "a+");
}

// Fields at runs of blanks, written plainly: the reference for " +".
Fields ReferenceBlankSplit(const std::string& text) {
  Fields fields;
  if (text.empty()) return fields;
  std::string field;
  for (size_t i = 0; i < text.size();) {
    if (text[i] != ' ') {
      field.push_back(text[i++]);
      continue;
    }
    while (i < text.size() && text[i] == ' ') ++i;
    fields.push_back(field);
    field.clear();
    if (i == text.size()) fields.push_back("");
  }
  if (!field.empty()) fields.push_back(field);
  return fields;
}

TEST(AwkStrTest, BlankSplitAgreesWithAPlainSplitter) {
  std::mt19937 rng(20240611);
  const char alphabet[] = {'a', 'b', ' ', ' ', '\t', '.'};
  TAWKStr awk(kSingle);
  Fields fields;
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    const int length = rng() % 16;
    for (int i = 0; i < length; ++i) text.push_back(alphabet[rng() % sizeof alphabet]);
    awk.SetRegExp(" +");
    awk.Split(text, &fields);
    ASSERT_EQ(fields, ReferenceBlankSplit(text)) << "\"" << text << "\"";
  }
  EXPECT_EQ(awk.CompileCount(), 2);  // the empty pattern and " +", once
}

}  // namespace
}  // namespace quillon
