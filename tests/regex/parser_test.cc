// The pattern language: pattern -> tree tables, the disjoint-leaf step, and every syntax
// error with its message and position, in both code pages.
#include <gtest/gtest.h>

#include <string>

#include "regex/parser.h"
#include "regex/regexp_error.h"

namespace quillon {
namespace {

constexpr CodePage kSingle = CodePage::kSingleByte;
constexpr CodePage kSjis = CodePage::kShiftJis;

std::string DumpOf(std::string_view pattern, CodePage code_page = kSingle) {
  return TREParser(pattern, code_page).Parse()->Dump();
}

struct TreeCase {
  std::string pattern;
  std::string dump;
  CodePage code_page = kSingle;
};

void ExpectTrees(const std::vector<TreeCase>& cases) {
  for (const TreeCase& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(DumpOf(c.pattern, c.code_page), c.dump);
  }
}

TEST(ParserTest, TreesOfValidPatterns) {
  ExpectTrees({
      {"", "empty"},
      {"a", "a"},
      {"abc", "cat{cat{a,b},c}"},
      {"a|b|c", "union{union{a,b},c}"},
      {"a|b*", "union{a,star{b}}"},
      {"a|", "union{a,empty}"},
      {"|a", "union{empty,a}"},
      {"()", "empty"},
      {"(a)b", "cat{a,b}"},
      {"a+", "cat{a,star{a}}"},
      {"a?", "union{a,empty}"},
      {"(ab)*", "star{cat{a,b}}"},
      {"^a$", "cat{cat{bol,a},eol}"},
      {"a^$b", "cat{cat{cat{a,bol},eol},b}"},
      {"a{b}-", "cat{cat{cat{cat{a,\\x7B},b},\\x7D},\\x2D}"},
      // Classes: "-" is ordinary first and last, "^" anywhere but first, "]" only escaped.
      {"[abc]", "union{union{a,b},c}"},
      {"[a-]", "union{a,\\x2D}"},
      {"[-a]", "union{\\x2D,a}"},
      {"[a-c]", "a-c"},
      {"[a^]", "union{a,^}"},
      {"[\\]]", "]"},
      {"[aa]", "union{a,a}"},
      // Escapes.
      {"\\x41G", "cat{A,G}"},
      {"\\x414", "\\x0414"},
      {"\\x00414", "cat{A,4}"},  // four hex digits at most
      {"\\101", "A"},
      {"\\8", "8"},
      {"\\.", "."},
      {"\\\\", "\\x5C"},
      {"\\b\\n\\r\\t", "cat{cat{cat{\\x08,\\x0A},\\x0D},\\x09}"},
      {"\\177777", "\\xFFFF"},
  });
}

TEST(ParserTest, AnyCharAndNegatedClasses) {
  ExpectTrees({
      {".", "union{union{\\x01-\\x09,\\x0B-\\x0C},\\x0E-\\xFCFC}"},
      {"[^a]", "union{union{union{\\x01-\\x09,\\x0B-\\x0C},\\x0E-`},b-\\xFCFC}"},
      // Line feed and carriage return are never in a negated class, even when not named.
      {"[^\\x1-\\x9]", "union{\\x0B-\\x0C,\\x0E-\\xFCFC}"},
      {"[^\\n\\r]", "union{union{\\x01-\\x09,\\x0B-\\x0C},\\x0E-\\xFCFC}"},
      // Items that overlap each other cut once.
      {"[^b-dc-e]", "union{union{union{\\x01-\\x09,\\x0B-\\x0C},\\x0E-a},f-\\xFCFC}"},
      // A class that leaves nothing matches nothing.
      {"[^\\x1-\\xFFFF]", "nothing"},
      {"[^\\x0-\\x9\\xB\\xC\\xE-\\xFCFC]", "nothing"},
  });
}

TEST(ParserTest, OverlappingLeavesBecomeUnionsOfDisjointPieces) {
  // "a" cuts the last range of ".": both keep their characters, as unions of pieces.
  const auto tree = TREParser("a.", kSingle).Parse();
  EXPECT_EQ(tree->Dump(),
            "cat{a,union{union{\\x01-\\x09,\\x0B-\\x0C},union{union{\\x0E-`,a},b-\\xFCFC}}}");
  const std::vector<std::pair<uint16_t, uint16_t>> leaves = {
      {1, 9}, {11, 12}, {14, 96}, {97, 97}, {98, 0xFCFC}};
  EXPECT_EQ(tree->LeafRanges(), leaves);

  // Three ranges that overlap in a chain.
  EXPECT_EQ(DumpOf("[a-j]|[e-o]|[h-t]"),
            "union{union{union{union{a-d,e-g},h-j},union{union{e-g,h-j},k-o}},"
            "union{union{h-j,k-o},p-t}}");
  EXPECT_EQ(TREParser("[a-j]|[e-o]|[h-t]", kSingle).Parse()->LeafRanges().size(), 5u);
}

TEST(ParserTest, DoubleByteCharactersFollowTheCodePage) {
  // あ is 82 A0 in Shift-JIS.
  EXPECT_EQ(DumpOf("\x82\xA0", kSjis), "\\x82A0");
  EXPECT_EQ(DumpOf("\x82\xA0", kSingle), "cat{\\x82,\\xA0}");
  EXPECT_EQ(DumpOf("\\\x82\xA0", kSjis), "\\x82A0");
  EXPECT_EQ(DumpOf("[\x82\xA0-\x82\xA2]", kSjis), "\\x82A0-\\x82A2");
  // A trail byte that looks like "]" or "\" stays inside its character: ソ is 83 5C.
  EXPECT_EQ(DumpOf("[\x83\x5C]", kSjis), "\\x835C");
  EXPECT_EQ(DumpOf("\x83\x5C"
                   "a",
                   kSjis),
            "cat{\\x835C,a}");
}

struct ErrorCase {
  std::string pattern;
  const char* message;
  int position;
  CodePage code_page = kSingle;
};

TEST(ParserTest, ErrorsCarryTheirMessageAndPosition) {
  namespace m = regexp_messages;
  const ErrorCase cases[] = {
      {"a\x82", m::kBadDoubleByte, 3, kSjis},
      {"[\x82\xA0-\x82\xA2]", m::kBadCharRange, 6, kSingle},  // A0-82 runs backwards
      {"\\", m::kNothingAfterBackslash, 2},
      {"ab\\", m::kNothingAfterBackslash, 4},
      {"\\xG", m::kBadHexCode, 3},
      {"[\\x]", m::kBadHexCode, 4},
      {"\\200000", m::kBadOctalCode, 8},
      {"\\7777777", m::kBadOctalCode, 8},
      {"[", m::kNeedRightBracket, 2},
      {"[^", m::kNeedRightBracket, 3},
      {"[a", m::kNeedRightBracket, 3},
      {"[a-", m::kNeedRightBracket, 4},
      {"[z-a]", m::kBadCharRange, 5},
      {"[a-\\]]", m::kBadCharRange, 6},  // "]" lies below "a"
      {"[]", m::kBadCharClass, 3},
      {"[]a]", m::kBadCharClass, 3},
      {"[^]", m::kBadCharClass, 4},
      {"(a", m::kNeedRightParen, 3},
      {"((a)", m::kNeedRightParen, 5},
      {"a**", m::kNeedCharOrLeftParen, 4},
      {"a+?", m::kNeedCharOrLeftParen, 4},
      {"*a", m::kNeedCharOrLeftParen, 2},
      {"a|+", m::kNeedCharOrLeftParen, 4},
      {"]", m::kNeedCharOrLeftParen, 2},
      {"a)", m::kExtraChars, 3},
      {"(a))b", m::kExtraChars, 5},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.pattern);
    try {
      TREParser(c.pattern, c.code_page).Parse();
      ADD_FAILURE() << "no error";
    } catch (const ERegExpParser& e) {
      EXPECT_STREQ(e.what(), c.message);
      EXPECT_EQ(e.ErrorPosition(), c.position);
    }
  }
}

TEST(ParserTest, MessagesReadAsTheUserSeesThem) {
  // The texts with their quotes, as written in the source.
  EXPECT_STREQ(regexp_messages::kNothingAfterBackslash, "\"\\\"の次には文字が必要です。");
  EXPECT_STREQ(regexp_messages::kNeedRightBracket, "右ブラケット\"]\"が必要です");
  EXPECT_STREQ(regexp_messages::kNeedCharOrLeftParen, "普通の文字、または左括弧\"(\"が必要です");
}

TEST(ParserTest, NestingIsBoundedAndLongSequencesAreFine) {
  const std::string deep = std::string(1000, '(') + "a" + std::string(1000, ')');
  EXPECT_EQ(DumpOf(deep), "a");
  const std::string deeper = "(" + deep + ")";
  try {
    TREParser(deeper, kSingle).Parse();
    ADD_FAILURE() << "no error";
  } catch (const ERegExpParser& e) {
    EXPECT_STREQ(e.what(), regexp_messages::kTooComplex);
    EXPECT_EQ(e.ErrorPosition(), 1002);
  }
  // A long sequence nests to the left as deep as it is long.
  EXPECT_EQ(TREParser(std::string(200000, 'a'), kSingle).Parse()->LeafRanges().size(), 1u);
}

}  // namespace
}  // namespace quillon
