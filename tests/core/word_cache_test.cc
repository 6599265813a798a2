// The tagger's cache of short words: a word is found only as itself, never as another
// word that shares its slot or differs from it in length or in bytes the cache packs; and
// the loop-free byte reads it and the other short-string tables use.
#include "core/word_cache.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/byte_prefix.h"

namespace quillon {
namespace {

using std::string_literals::operator""s;

TEST(BytePrefixTest, AgreesWithAPlainLoopAtEveryLength) {
  // The loop-free reads against the plain definition: byte k in bits 8k to 8k+7.
  const std::string text =
      "\xff\x01\x80\x7f"
      "abcdefghijkl\0z";
  for (size_t start = 0; start < 4; ++start) {
    for (size_t n = 0; start + n <= text.size(); ++n) {
      const std::string_view bytes = std::string_view(text).substr(start, n);
      uint64_t expected = 0;
      for (size_t k = 0; k < n && k < 8; ++k) {
        expected |= uint64_t{static_cast<unsigned char>(bytes[k])} << (8 * k);
      }
      EXPECT_EQ(BytePrefix(bytes), expected) << start << " " << n;
    }
  }
}

TEST(WordCacheTest, WordsDifferingOnlyWhereThePackingCouldBlurThem) {
  // Pairs of words the cache must keep apart: a trailing NUL against the zero padding,
  // the overlapping reads of the middle bytes, the boundary between the two halves.
  const std::vector<std::string> words = {
      "a",
      "a\0"s,
      "\0"s,
      "\0\0"s,
      "ab",
      "ba",
      "abc",
      "acc",
      "aac",
      "abcd",
      "abcde",
      "abdde",
      "abcdefg",
      "abcdefh",
      "abcdefgh",
      "abcdefgh\0"s,
      "abcdefghi",
      "abcdefgha",
      "bbcdefghi",
      "abcdefghij",
      "abcdefghik",
      "0123456789abcdef",
      "0123456789abcdeF",
      "\xff\xfe",
      "\xff\xfe\xfd\xfc\xfb",
  };
  WordCache cache;
  for (size_t k = 0; k < words.size(); ++k) {
    cache.Store(words[k], {static_cast<int>(k) - 1, static_cast<uint32_t>(100 + k)});
  }
  // Whatever a slot holds now, a word found is found with its own entry.
  for (size_t k = 0; k < words.size(); ++k) {
    WordCache::Found found;
    if (!cache.Find(words[k], &found)) continue;
    EXPECT_EQ(found.row, static_cast<int>(k) - 1) << k;
    EXPECT_EQ(found.value, 100 + k) << k;
  }
  // Each word alone is found as stored.
  for (size_t k = 0; k < words.size(); ++k) {
    WordCache alone;
    alone.Store(words[k], {7, 9});
    WordCache::Found found;
    ASSERT_TRUE(alone.Find(words[k], &found)) << k;
    EXPECT_EQ(found.row, 7);
    EXPECT_EQ(found.value, 9u);
    for (size_t other = 0; other < words.size(); ++other) {
      if (other == k) continue;
      EXPECT_FALSE(alone.Find(words[other], &found)) << k << " " << other;
    }
  }
}

TEST(WordCacheTest, WhatDoesNotFitAnEntryIsNeverKept) {
  WordCache cache;
  WordCache::Found found;
  cache.Store("", {3, 4});
  EXPECT_FALSE(cache.Find("", &found));
  cache.Store("word", {3, WordCache::kMaxValue + 1});
  EXPECT_FALSE(cache.Find("word", &found));
  cache.Store("word", {3, WordCache::kMaxValue});
  ASSERT_TRUE(cache.Find("word", &found));
  EXPECT_EQ(found.value, WordCache::kMaxValue);
  const std::string long_word(WordCache::kMaxBytes + 1, 'x');
  cache.Store(long_word, {3, 4});
  EXPECT_FALSE(cache.Find(long_word, &found));
  EXPECT_FALSE(cache.Find(long_word.substr(0, WordCache::kMaxBytes), &found));
}

TEST(WordCacheTest, AgreesWithAMapUnderReplacement) {
  // Many more words than entries: slots are replaced over and over, and every hit must
  // give what the last store of that very word gave.
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> length(1, WordCache::kMaxBytes);
  std::uniform_int_distribution<int> byte(0, 5);  // few letters: many near-identical words
  WordCache cache;
  std::map<std::string, WordCache::Found> stored;
  int hits = 0;
  for (int round = 0; round < 200000; ++round) {
    std::string word(length(random), ' ');
    for (char& c : word) c = static_cast<char>("\0ab\xe2zA"[byte(random)]);
    WordCache::Found found;
    if (cache.Find(word, &found)) {
      ++hits;
      ASSERT_EQ(stored.count(word), 1u) << word;
      EXPECT_EQ(found.row, stored[word].row);
      EXPECT_EQ(found.value, stored[word].value);
    }
    const WordCache::Found value{round % 7 - 1,
                                 static_cast<uint32_t>(round) & WordCache::kMaxValue};
    cache.Store(word, value);
    stored[word] = value;
  }
  EXPECT_GT(hits, 1000);  // the short words repeat: the cache is exercised, not bypassed
}

}  // namespace
}  // namespace quillon
