// Building the context index: entries are sorted by tag, shape, values and rule, so that
// each key's rules form one ascending list; the lists go into one array and an
// open-addressing table maps each key to its list. Tested by context_index_test.cc.
#include "core/context_index.h"

#include <algorithm>
#include <cassert>
#include <tuple>

namespace quillon {
namespace {

constexpr ContextPlace kPlaces[kShapeCount][2] = {
    {{-1, false}, {-1, false}},  // kTagM1
    {{-2, false}, {-2, false}},  // kTagM2
    {{-3, false}, {-3, false}},  // kTagM3
    {{-1, true}, {-1, true}},    // kWordM1
    {{-2, true}, {-2, true}},    // kWordM2
    {{-2, false}, {-1, false}},  // kTagM2TagM1
    {{0, true}, {0, true}},      // kWord0
    {{-1, false}, {0, true}},    // kTagM1Word0
    {{-1, true}, {0, true}},     // kWordM1Word0
    {{1, false}, {1, false}},    // kTagP1
    {{2, false}, {2, false}},    // kTagP2
    {{3, false}, {3, false}},    // kTagP3
    {{1, true}, {1, true}},      // kWordP1
    {{2, true}, {2, true}},      // kWordP2
    {{-1, false}, {1, false}},   // kTagM1TagP1
    {{1, false}, {2, false}},    // kTagP1TagP2
    {{0, true}, {1, false}},     // kWord0TagP1
    {{0, true}, {1, true}},      // kWord0WordP1
    {{0, true}, {2, true}},      // kWord0WordP2
    {{0, true}, {2, false}},     // kWord0TagP2
};

// Where a place is in the values array, relative to the position's tag value.
int8_t IndexOf(ContextPlace place) {
  return static_cast<int8_t>(kValuesPerPosition * place.offset + (place.word ? 1 : 0));
}

}  // namespace

ContextPlace FirstPlace(ContextShape shape) { return kPlaces[shape][0]; }
ContextPlace SecondPlace(ContextShape shape) { return kPlaces[shape][1]; }

void ContextIndex::Add(uint32_t from, uint32_t rule, std::span<const ContextKey> keys) {
  for (const ContextKey& key : keys) {
    assert(key.shape < kShapeCount);
    entries_.push_back({from, key, rule});
  }
}

// The places of tag from's filters (the last masks.size() of filters_), each with the
// filters that read it, in three runs: read by left filters only, by both halves, by
// right filters only.
void ContextIndex::AddPlaces(uint32_t from,
                             const std::vector<std::pair<uint64_t, uint64_t>>& masks) {
  FromTag& f = from_[from];
  const Filter* const filters = filters_.data() + f.first;
  const int count = static_cast<int>(masks.size());
  assert(count <= kShapeCount);
  struct Reader {
    uint32_t filters = 0;  // the filters that read the place
    bool left = false, right = false;
  };
  // Places by index in the values array, from -2 * kContextPad up.
  constexpr int kIndexes = 2 * kValuesPerPosition * kContextPad + kValuesPerPosition;
  Reader readers[kIndexes];
  for (int k = 0; k < count; ++k) {
    const bool left = filters[k].shape < kLeftShapes;
    if (left)
      f.filters[static_cast<int>(Shapes::kLeft)] |= uint32_t{1} << k;
    else
      f.filters[static_cast<int>(Shapes::kRight)] |= uint32_t{1} << k;
    for (int8_t index : {filters[k].index1, filters[k].index2}) {
      Reader& r = readers[index + kValuesPerPosition * kContextPad];
      r.filters |= uint32_t{1} << k;
      (left ? r.left : r.right) = true;
    }
  }
  f.filters[static_cast<int>(Shapes::kAll)] =
      f.filters[static_cast<int>(Shapes::kLeft)] | f.filters[static_cast<int>(Shapes::kRight)];
  f.first_place = static_cast<uint32_t>(places_.size());
  auto add_runs = [&](bool left, bool right) {
    for (int at = 0; at < kIndexes; ++at) {
      const Reader& r = readers[at];
      if (r.filters == 0 || r.left != left || r.right != right) continue;
      Place place{};
      place.index = static_cast<int8_t>(at - kValuesPerPosition * kContextPad);
      place.others = ~r.filters;
      for (int k = 0; k < count; ++k) {
        if ((r.filters >> k & 1) == 0) continue;
        // A filter reading the place twice (a one-place shape) has the same masks.
        uint64_t mask = ~uint64_t{0};
        if (filters[k].index1 == place.index) mask &= masks[k].first;
        if (filters[k].index2 == place.index) mask &= masks[k].second;
        for (int bit = 0; bit < 64; ++bit) {
          if (mask >> bit & 1) place.accepts[bit] |= uint32_t{1} << k;
        }
      }
      places_.push_back(place);
    }
  };
  add_runs(true, false);
  f.shared_places = static_cast<uint8_t>(places_.size() - f.first_place);
  add_runs(true, true);
  f.right_places = static_cast<uint8_t>(places_.size() - f.first_place);
  add_runs(false, true);
  f.place_count = static_cast<uint8_t>(places_.size() - f.first_place);
}

void ContextIndex::Finish() {
  auto order = [](const Entry& e) {
    return std::make_tuple(e.from, e.key.shape, e.key.first, e.key.second, e.rule);
  };
  std::sort(entries_.begin(), entries_.end(),
            [&](const Entry& a, const Entry& b) { return order(a) < order(b); });
  // A rule filed twice under one key (PREVTAG STAART, say) is listed once.
  entries_.erase(std::unique(entries_.begin(), entries_.end(),
                             [&](const Entry& a, const Entry& b) { return order(a) == order(b); }),
                 entries_.end());

  // One filter per tag and shape, left shapes first (the sort put them first).
  uint32_t tags = 0;
  for (const Entry& e : entries_) tags = std::max(tags, e.from + 1);
  from_.assign(tags, FromTag());
  filters_.clear();
  places_.clear();
  // Per filter of the current tag, the remainders of the values its rules want first and
  // second, as masks; turned into the tag's places when its last entry is seen.
  std::vector<std::pair<uint64_t, uint64_t>> masks;
  for (size_t k = 0; k < entries_.size(); ++k) {
    const Entry& e = entries_[k];
    const bool new_tag = k == 0 || entries_[k - 1].from != e.from;
    if (new_tag) {
      from_[e.from].first = static_cast<uint32_t>(filters_.size());
      masks.clear();
    }
    if (new_tag || entries_[k - 1].key.shape != e.key.shape) {
      const ContextPlace p1 = kPlaces[e.key.shape][0], p2 = kPlaces[e.key.shape][1];
      filters_.push_back({IndexOf(p1), IndexOf(p2), e.key.shape});
      masks.emplace_back(0, 0);
    }
    // A one-place filter reads its place once: both values must be the same.
    assert(IndexOf(kPlaces[e.key.shape][0]) != IndexOf(kPlaces[e.key.shape][1]) ||
           e.key.first == e.key.second);
    masks.back().first |= uint64_t{1} << (e.key.first % 64);
    masks.back().second |= uint64_t{1} << (e.key.second % 64);
    if (k + 1 == entries_.size() || entries_[k + 1].from != e.from) AddPlaces(e.from, masks);
  }

  // The lists, and the table from key to list.
  size_t keys = 0;
  for (size_t k = 0; k < entries_.size(); ++k) {
    if (k == 0 || order(entries_[k - 1]) != order(entries_[k])) ++keys;
  }
  size_t capacity = 16;
  shift_ = 60;
  while (capacity < 2 * keys) capacity *= 2, --shift_;
  slots_.assign(capacity, Slot());
  mask_ = capacity - 1;
  // 64 bits a key (at least one word), with 32 times the slots' capacity.
  bits_shift_ = shift_ - 5;
  key_bits_.assign(capacity / 2, 0);
  lists_.clear();
  for (size_t k = 0; k < entries_.size();) {
    const Entry& e = entries_[k];
    const uint32_t head = HeadOf(e.from, e.key.shape);
    assert(e.from < (uint32_t{1} << 26));
    const uint64_t hash = Hash(head, e.key.first, e.key.second);
    key_bits_[hash >> bits_shift_ >> 6] |= uint64_t{1} << (hash >> bits_shift_ & 63);
    uint64_t at = hash >> shift_;
    while (slots_[at].head != 0) at = (at + 1) & mask_;
    slots_[at] = {head, e.key.first, e.key.second, static_cast<uint32_t>(lists_.size())};
    lists_.push_back(0);
    size_t end = k;
    while (end < entries_.size() && entries_[end].from == e.from &&
           entries_[end].key.shape == e.key.shape && entries_[end].key.first == e.key.first &&
           entries_[end].key.second == e.key.second) {
      lists_.push_back(entries_[end].rule);
      ++end;
    }
    lists_[slots_[at].list] = static_cast<uint32_t>(end - k);
    k = end;
  }
  entries_.clear();
  entries_.shrink_to_fit();
}

}  // namespace quillon
