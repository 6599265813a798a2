// Order keys and the bisection searches.
#include "core/order_key.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table_search.h"

namespace quillon {
namespace {

TEST(OrderKeyTest, KnownKeys) {
  const struct {
    std::string word;
    std::string key;
  } cases[] = {
      {"the", "200805"},
      {"The", "460805"},
      {"U.S.", "47534553"},
      {"U.S!", "47534553"},
      {"U.S?", "47534553"},
      {"1,000", "6854676767"},
      {"", ""},
      {"a_b", "010002"},
      {"a~b", "010002"},
      {"Mr.", "391853"},
      {"([{", "555555"},
      {")]}", "565656"},
      {"'\"$", "575859"},
      {"*+<=>", "6060606060"},
      {"-:;@#", "6161616263"},
      {"%/&`", "64646566"},
      {"9z", "7626"},
      {std::string("\x01 \\^|\x7f\x80\xff", 8), "0000000000000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(Hash(c.word), c.key) << c.word;
}

TEST(OrderKeyTest, NullKeyIsOneByteWithoutCode) {
  EXPECT_TRUE(IsNullKey("^"));
  EXPECT_TRUE(IsNullKey("_"));
  EXPECT_TRUE(IsNullKey("\xe9"));
  EXPECT_FALSE(IsNullKey(""));
  EXPECT_FALSE(IsNullKey("a"));
  EXPECT_FALSE(IsNullKey("__"));  // key "0000", not "00"
}

TEST(OrderKeyTest, KeysOrderWordsByCode) {
  // The 00 group, then small letters, capitals, punctuation, digits; prefixes first.
  const std::vector<std::string> ordered = {"_", "a", "ab", "b", "z", "A", "Z", ".", ",", "0", "9"};
  for (size_t i = 1; i < ordered.size(); ++i) {
    EXPECT_LT(CompareKeys(Hash(ordered[i - 1]), Hash(ordered[i])), 0) << ordered[i];
  }
}

struct Table {
  std::vector<std::string> keys;
  int Search(const std::string& key, int absent) const {
    return Bisect([&](int i) { return keys[i]; }, 0, static_cast<int>(keys.size()) - 1, key,
                  absent);
  }
};

// Digit keys read back into codes: every word's key gives its codes; keys no word can have
// give nothing.
TEST(OrderKeyTest, CodesOfKeyInvertsTheKey) {
  for (const std::string& word :
       std::vector<std::string>{"", "a", "The", "U.S.", std::string("\0\xff\x80", 3)}) {
    std::string codes;
    AppendCodes(word, &codes);
    EXPECT_EQ(CodesOfKey(Hash(word)), codes) << word;
  }
  for (const char* key : {"0", "012", "7a", "77", "99", "0 "}) {
    EXPECT_FALSE(CodesOfKey(key).has_value()) << key;
  }
}

TEST(TableSearchTest, AbsentValues) {
  Table table;
  for (int i = 0; i < 1000; ++i) table.keys.push_back(Hash("w" + std::to_string(1000 + i)));
  std::sort(table.keys.begin(), table.keys.end());
  EXPECT_EQ(table.Search(Hash("absent"), 0), 0);
  EXPECT_EQ(table.Search(Hash("absent"), -1), -1);
  for (int i = 0; i < 1000; i += 97) EXPECT_EQ(table.Search(table.keys[i], -1), i);
}

TEST(TableSearchTest, EmptyKeyMeetsASentinelRow) {
  Table table{{"", "", Hash("cat")}};
  const int found = table.Search("", -1);
  EXPECT_TRUE(found == 0 || found == 1);
  EXPECT_EQ(table.Search(Hash("cat"), -1), 2);  // a single real row is found at index 2
}

TEST(TableSearchTest, EmptyTableFindsNothing) {
  Table table;
  EXPECT_EQ(table.Search("", -1), -1);
}

TEST(TableSearchTest, OutOfOrderRowsAreProbedAsTheyStand) {
  // The bisection looks at the middle row first and never sees the misplaced row 0.
  Table table{{Hash("zz"), Hash("b"), Hash("c")}};
  EXPECT_EQ(table.Search(Hash("b"), -1), 1);
  EXPECT_EQ(table.Search(Hash("zz"), -1), -1);
}

}  // namespace
}  // namespace quillon
