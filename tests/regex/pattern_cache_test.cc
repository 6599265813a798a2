// The pattern cache: hits compile nothing and move nothing, misses go in as entry 1 and
// evict the last entry of a full cache, and a failed pattern leaves the empty pattern.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "regex/awk_str.h"
#include "regex/regexp_error.h"

namespace quillon {
namespace {

using Patterns = std::vector<std::string>;

TEST(PatternCacheTest, StartsWithTheEmptyPatternCompiled) {
  TRegularExpression re(CodePage::kSingleByte);
  EXPECT_EQ(re.CachedPatterns(), Patterns{""});
  EXPECT_EQ(re.CurrentEntry(), 0);
  EXPECT_EQ(re.CompileCount(), 1);
  EXPECT_EQ(re.RegExp(), "");
}

TEST(PatternCacheTest, HitsNeitherCompileNorReorder) {
  TRegularExpression re(CodePage::kSingleByte);
  re.SetRegExp("a");
  re.SetRegExp("b");
  EXPECT_EQ(re.CachedPatterns(), (Patterns{"", "b", "a"}));
  EXPECT_EQ(re.CompileCount(), 3);

  re.SetRegExp("a");
  EXPECT_EQ(re.CachedPatterns(), (Patterns{"", "b", "a"}));
  EXPECT_EQ(re.CurrentEntry(), 2);
  EXPECT_EQ(re.RegExp(), "a");
  EXPECT_EQ(re.CompileCount(), 3);

  re.SetRegExp("");
  EXPECT_EQ(re.CurrentEntry(), 0);
  EXPECT_EQ(re.CompileCount(), 3);
}

TEST(PatternCacheTest, FullCacheEvictsItsLastEntry) {
  TRegularExpression re(CodePage::kSingleByte);
  for (int i = 1; i <= 29; ++i) re.SetRegExp("p" + std::to_string(i));
  Patterns patterns = re.CachedPatterns();
  ASSERT_EQ(patterns.size(), 30u);
  EXPECT_EQ(patterns[1], "p29");
  EXPECT_EQ(patterns[29], "p1");

  re.SetRegExp("p30");
  patterns = re.CachedPatterns();
  ASSERT_EQ(patterns.size(), 30u);
  EXPECT_EQ(patterns[0], "");
  EXPECT_EQ(patterns[1], "p30");
  EXPECT_EQ(patterns[29], "p2");
  EXPECT_EQ(re.CurrentEntry(), 1);

  // The evicted pattern is compiled again when it comes back.
  const int compiled = re.CompileCount();
  re.SetRegExp("p1");
  EXPECT_EQ(re.CompileCount(), compiled + 1);
  EXPECT_EQ(re.CachedPatterns()[29], "p3");
}

TEST(PatternCacheTest, FailedPatternLeavesTheEmptyPattern) {
  TRegularExpression re(CodePage::kSingleByte);
  for (int i = 1; i <= 29; ++i) re.SetRegExp("p" + std::to_string(i));
  try {
    re.SetRegExp("(a");
    ADD_FAILURE() << "no error";
  } catch (const ERegExpParser& e) {
    EXPECT_STREQ(e.what(), regexp_messages::kNeedRightParen);
  }
  EXPECT_EQ(re.RegExp(), "");
  EXPECT_EQ(re.CurrentEntry(), 0);
  const Patterns patterns = re.CachedPatterns();
  // The failed entry is gone, and the entry evicted to make room for it stays evicted.
  ASSERT_EQ(patterns.size(), 29u);
  EXPECT_EQ(patterns[1], "p29");
  EXPECT_EQ(patterns[28], "p2");
  EXPECT_EQ(std::count(patterns.begin(), patterns.end(), "(a"), 0);
}

TEST(PatternCacheTest, CachesThePreprocessedText) {
  TAWKStr awk(CodePage::kShiftJis);
  awk.SetRegExp("a");
  awk.SetUseFuzzyCharDic(true);
  EXPECT_EQ(awk.RegExp(), "a");
  EXPECT_EQ(awk.CachedPatterns(), (Patterns{"", "(\x82\x60|\x82\x81|A|a)", "a"}));
  EXPECT_EQ(awk.CurrentEntry(), 1);

  // A scanning error in preprocessing also leaves the empty pattern.
  EXPECT_THROW(awk.SetRegExp("a\\"), ERegExpParser);
  EXPECT_EQ(awk.RegExp(), "");
  EXPECT_EQ(awk.CurrentEntry(), 0);
}

}  // namespace
}  // namespace quillon
