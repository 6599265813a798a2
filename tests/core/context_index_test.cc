// The context index on its own: which lists a position finds, by shape, values and the
// range of shapes asked for. The tagger's use of it is checked against the reference in
// differential_test.cc.
#include "core/context_index.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace quillon {
namespace {

// A sentence's values, padded as the index reads them.
struct Values {
  std::vector<uint32_t> data;
  Values(const std::vector<uint32_t>& tags, const std::vector<uint32_t>& words) {
    data.assign(kValuesPerPosition * (tags.size() + 2 * kContextPad), kBoundaryValue);
    for (size_t i = 0; i < tags.size(); ++i) {
      data[kValuesPerPosition * (kContextPad + i)] = tags[i];
      data[kValuesPerPosition * (kContextPad + i) + 1] = words[i];
    }
  }
  const uint32_t* at(size_t i) const {
    return data.data() + kValuesPerPosition * (kContextPad + i);
  }
};

// The rules of every list found, each list in its order.
std::vector<std::vector<uint32_t>> Found(const ContextIndex& index, uint32_t from,
                                         ContextIndex::Shapes shapes, const uint32_t* values) {
  ContextIndex::Lists lists;
  index.Find(from, shapes, values, &lists);
  std::vector<std::vector<uint32_t>> out;
  for (int k = 0; k < lists.count; ++k) out.emplace_back(lists.runs[k].begin, lists.runs[k].end);
  return out;
}

std::set<uint32_t> Union(const std::vector<std::vector<uint32_t>>& lists) {
  std::set<uint32_t> all;
  for (const auto& list : lists) all.insert(list.begin(), list.end());
  return all;
}

constexpr uint32_t kA = 2, kB = 3, kC = 66;  // kC shares kA's mask bit (66 % 64 == 2)
using S = ContextIndex::Shapes;

// Where a place is in the values array, relative to the position's tag value.
int IndexOfPlace(ContextPlace place) {
  return kValuesPerPosition * place.offset + (place.word ? 1 : 0);
}

TEST(ContextIndexTest, FindsTheRulesWhoseValuesThePlacesHold) {
  ContextIndex index;
  const uint32_t w = WordValue(5);
  index.Add(7, 0, std::vector<ContextKey>{{kTagM1, kA, kA}});
  index.Add(7, 1, std::vector<ContextKey>{{kTagM1, kC, kC}});
  index.Add(7, 2, std::vector<ContextKey>{{kTagP1TagP2, kA, kB}});
  index.Add(7, 3, std::vector<ContextKey>{{kWord0, w, w}, {kTagM1, kA, kA}});
  index.Add(7, 4, std::vector<ContextKey>{{kTagM1, kBoundaryValue, kBoundaryValue}});
  index.Add(8, 5, std::vector<ContextKey>{{kTagM1, kA, kA}});
  index.Finish();
  using S = ContextIndex::Shapes;
  // Tags A C x A B at positions 0..4; the word of position 2 is a rule word.
  const Values v({kA, kC, kB, kA, kB}, {kNoValue, kNoValue, w, kNoValue, kNoValue});
  const struct {
    size_t position;
    uint32_t from;
    S shapes;
    std::set<uint32_t> rules;
  } cases[] = {
      {0, 7, S::kAll, {4}},        // the boundary left of the first token
      {1, 7, S::kAll, {0, 3}},     // tag A to the left: rules 0 and 3, not 1 (same bit)
      {2, 7, S::kAll, {1, 2, 3}},  // tag C to the left, the rule word here, A B right
      {2, 7, S::kRight, {2}},      // only the shapes that read rightwards
      {2, 7, S::kLeft, {1, 3}},    // no right shape in the first pass
      {2, 8, S::kAll, {}},         // other FromTag
      {2, 9, S::kAll, {}},         // a FromTag no rule has
      {2, 1000, S::kAll, {}},      // a FromTag beyond every rule's
      {1, 7, S::kRight, {}},       // tags B A to the right, not A B
      {3, 7, S::kAll, {}},         // tag B to the left; B and boundary to the right
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Union(Found(index, c.from, c.shapes, v.at(c.position))), c.rules)
        << "position " << c.position << ", from " << c.from;
  }
  // The pair shape wants A then B: not B then A, not A then the boundary.
  const Values pair({kB, kB, kA, kB, kA}, {0, 0, 0, 0, 0});
  EXPECT_EQ(Union(Found(index, 7, S::kRight, pair.at(1))), std::set<uint32_t>{2});
  EXPECT_EQ(Union(Found(index, 7, S::kRight, pair.at(2))), std::set<uint32_t>{});
  EXPECT_EQ(Union(Found(index, 7, S::kRight, pair.at(3))), std::set<uint32_t>{});
}

TEST(ContextIndexTest, ListsAreAscendingAndHoldARuleOnce) {
  ContextIndex index;
  // Rule 1 filed twice under one key (as PREVTAG STAART is) and rules added out of key
  // order: each key's list is ascending, without repeats.
  index.Add(0, 0, std::vector<ContextKey>{{kTagP1, kB, kB}});
  index.Add(0, 1, std::vector<ContextKey>{{kTagP1, kA, kA}, {kTagP1, kA, kA}});
  index.Add(0, 2, std::vector<ContextKey>{{kTagP1, kB, kB}});
  index.Add(0, 3, std::vector<ContextKey>{{kTagP1, kA, kA}});
  index.Finish();
  const Values a({kB, kA}, {0, 0});
  EXPECT_EQ(Found(index, 0, ContextIndex::Shapes::kAll, a.at(0)),
            (std::vector<std::vector<uint32_t>>{{1, 3}}));
  const Values b({kA, kB}, {0, 0});
  EXPECT_EQ(Found(index, 0, ContextIndex::Shapes::kAll, b.at(0)),
            (std::vector<std::vector<uint32_t>>{{0, 2}}));
}

TEST(ContextIndexTest, ManyRulesUnderOneTagStayExact) {
  // A thousand rules from one tag, each wanting its own word one place to the left: a
  // position finds exactly the rule of its word, whatever the masks let through.
  ContextIndex index;
  for (uint32_t rule = 0; rule < 1000; ++rule) {
    const uint32_t w = WordValue(rule);
    index.Add(3, rule, std::vector<ContextKey>{{kWordM1, w, w}});
  }
  index.Finish();
  for (uint32_t rule = 0; rule < 1000; rule += 37) {
    const Values v({kA, kA}, {WordValue(rule), kNoValue});
    EXPECT_EQ(Union(Found(index, 3, ContextIndex::Shapes::kAll, v.at(1))),
              std::set<uint32_t>{rule});
  }
  const Values none({kA, kA}, {kNoValue, kNoValue});
  EXPECT_TRUE(Found(index, 3, ContextIndex::Shapes::kAll, none.at(1)).empty());
}

TEST(ContextIndexTest, WordValuesAreDistinctAndNeverShareTheBitOfNoValue) {
  std::set<uint32_t> seen;
  for (uint32_t id = 0; id < 10000; ++id) {
    const uint32_t value = WordValue(id);
    ASSERT_GE(value, 2u);
    ASSERT_NE(value % 64, kNoValue % 64) << id;
    ASSERT_TRUE(seen.insert(value).second) << id;
    if (id > 0) {
      ASSERT_GT(value, WordValue(id - 1));
    }
  }
}

TEST(ContextIndexTest, LeftShapesReadNothingRightOfThePosition) {
  for (int s = 0; s < kShapeCount; ++s) {
    const ContextShape shape = static_cast<ContextShape>(s);
    const int reach = std::max(FirstPlace(shape).offset, SecondPlace(shape).offset);
    EXPECT_EQ(reach <= 0, s < kLeftShapes) << "shape " << s;
    EXPECT_LE(std::abs(FirstPlace(shape).offset), kContextPad);
    EXPECT_LE(std::abs(SecondPlace(shape).offset), kContextPad);
  }
}

// Random keys over every shape, with values that share their remainder mod 64 and the
// boundary value, against a plain check of each rule's keys: a lookup finds exactly the
// rules with a key of the asked half whose places hold its values, whichever subset of
// places a FromTag's rules read.
TEST(ContextIndexTest, RandomRulesAgreeWithAPlainCheckOfTheirKeys) {
  std::mt19937 random(2024);
  const uint32_t pool[] = {
      kBoundaryValue, kA, kB, kC, 130, WordValue(0), WordValue(63), WordValue(64), WordValue(126)};
  auto pick = [&] { return pool[random() % std::size(pool)]; };
  for (int round = 0; round < 60; ++round) {
    ContextIndex index;
    std::vector<std::pair<uint32_t, std::vector<ContextKey>>> rules;  // from, keys
    const int shapes_used = 1 + static_cast<int>(random() % kShapeCount);
    for (uint32_t rule = 0; rule < 80; ++rule) {
      std::vector<ContextKey> keys;
      for (int k = 0, n = 1 + static_cast<int>(random() % 2); k < n; ++k) {
        const auto shape = static_cast<ContextShape>(random() % shapes_used);
        const bool one_place = IndexOfPlace(FirstPlace(shape)) == IndexOfPlace(SecondPlace(shape));
        const uint32_t first = pick();
        keys.push_back({shape, first, one_place ? first : pick()});
      }
      const uint32_t from = static_cast<uint32_t>(random() % 3);
      index.Add(from, rule, keys);
      rules.emplace_back(from, keys);
    }
    index.Finish();
    for (int probe = 0; probe < 40; ++probe) {
      std::vector<uint32_t> tags(7), words(7);
      for (size_t i = 0; i < tags.size(); ++i) tags[i] = pick(), words[i] = pick();
      const Values v(tags, words);
      const uint32_t* at = v.at(3);
      for (const S shapes : {S::kLeft, S::kRight, S::kAll}) {
        for (uint32_t from = 0; from < 4; ++from) {
          std::set<uint32_t> expected;
          for (uint32_t rule = 0; rule < rules.size(); ++rule) {
            if (rules[rule].first != from) continue;
            for (const ContextKey& key : rules[rule].second) {
              const bool left = key.shape < kLeftShapes;
              if ((shapes == S::kLeft && !left) || (shapes == S::kRight && left)) continue;
              if (at[IndexOfPlace(FirstPlace(key.shape))] == key.first &&
                  at[IndexOfPlace(SecondPlace(key.shape))] == key.second) {
                expected.insert(rule);
              }
            }
          }
          ASSERT_EQ(Union(Found(index, from, shapes, at)), expected)
              << "round " << round << ", from " << from;
        }
      }
    }
  }
}

}  // namespace
}  // namespace quillon
