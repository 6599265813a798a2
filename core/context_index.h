// Which contextual rules can hold at a position, found without visiting the others.
// Every template holds only when fixed places around the position (the tag one to the
// left, the word itself, the tags one and two to the right, ...) hold the rule's
// arguments; a template with alternatives (PREV1OR2TAG) holds through one of several
// places. So a rule is filed under keys: its FromTag, a shape (one place or a pair of
// places) and the values the rule wants there. At a position, for each shape that the
// rules from the current tag use, the values found there form the key of one list; the
// lists found hold every rule that can hold, in file order, and their length depends on
// how many rules want exactly these values, not on how many rules there are.
// A table per place of the values the rules want there (by value % 64) answers most "no
// rule wants this value" questions before the table of keys is probed.
// Tested by context_index_test.cc and, through the tagger, differential_test.cc.
#ifndef QUILLON_CORE_CONTEXT_INDEX_H_
#define QUILLON_CORE_CONTEXT_INDEX_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace quillon {

// What a place holds, as the index compares it: a tag's value (TagValue), a rule word's
// value (WordValue), or one of these two.
inline constexpr uint32_t kNoValue = 0;        // a word that no rule names
inline constexpr uint32_t kBoundaryValue = 1;  // a place outside the sentence

inline uint32_t TagValue(uint32_t tag) { return tag + 2; }

// Word values skip the multiples of 64, so that kNoValue, the most common word value by
// far, has a bit of its own in the masks (value % 64) that no rule sets, and is turned
// away by the first test.
inline uint32_t WordValue(uint32_t id) {
  const uint32_t k = id + 2;  // the k-th number that is no multiple of 64
  return k + (k - 1) / 63;
}

// The values of a sentence are one array, padded by kContextPad positions of boundary
// values on each side so that every place a template reads can be read without a bounds
// test. Position i holds its tag's value at 2 * (i + kContextPad) and its word's value
// right after it.
inline constexpr int kContextPad = 3;
inline constexpr int kValuesPerPosition = 2;

// The shapes: the places that the 22 templates read, alone or in pairs. The first
// kLeftShapes read nothing to the right of the position; they serve the first pass.
enum ContextShape : uint8_t {
  kTagM1,        // PREVTAG, PREV1OR2TAG, PREV1OR2OR3TAG
  kTagM2,        // PREV1OR2TAG, PREV1OR2OR3TAG, PREV2TAG
  kTagM3,        // PREV1OR2OR3TAG
  kWordM1,       // PREVWD, PREV1OR2WD
  kWordM2,       // PREV1OR2WD
  kTagM2TagM1,   // PREVBIGRAM
  kWord0,        // CURWD
  kTagM1Word0,   // WDPREVTAG
  kWordM1Word0,  // LBIGRAM
  kTagP1,        // NEXTTAG, NEXT1OR2TAG, NEXT1OR2OR3TAG
  kTagP2,        // NEXT1OR2TAG, NEXT1OR2OR3TAG, NEXT2TAG
  kTagP3,        // NEXT1OR2OR3TAG
  kWordP1,       // NEXTWD, NEXT1OR2WD
  kWordP2,       // NEXT1OR2WD
  kTagM1TagP1,   // SURROUNDTAG
  kTagP1TagP2,   // NEXTBIGRAM
  kWord0TagP1,   // WDNEXTTAG
  kWord0WordP1,  // RBIGRAM
  kWord0WordP2,  // WDAND2AFT
  kWord0TagP2,   // WDAND2TAGAFT
};
inline constexpr int kShapeCount = 20;
inline constexpr int kLeftShapes = 9;
static_assert(kShapeCount <= 32, "a lookup keeps its hits in 32 bits");

// One way for a rule to hold: the shape and the values its places must hold (for a
// one-place shape, both values are the same).
struct ContextKey {
  ContextShape shape;
  uint32_t first;
  uint32_t second;
};

class ContextIndex {
 public:
  // The candidate lists found at one position: each a run of rule numbers, ascending.
  struct Lists {
    struct Run {
      const uint32_t* begin;
      const uint32_t* end;
    };
    Run runs[kShapeCount];
    int count = 0;
  };

  // Files rule (numbers given in ascending order) from tag `from` under keys.
  void Add(uint32_t from, uint32_t rule, std::span<const ContextKey> keys);

  // Builds the lookup structures; call once, after the last Add.
  void Finish();

  // Which shapes a lookup tries.
  enum class Shapes {
    kLeft,   // the left shapes: the templates of the first pass
    kRight,  // the others, which read something right of the position
    kAll,
  };

  // Finds the lists of the rules from tag `from` that can hold at a position; values
  // points at the position's tag value in the sentence's array.
  void Find(uint32_t from, Shapes shapes, const uint32_t* values, Lists* out) const {
    out->count = 0;
    if (from >= from_.size()) return;
    const FromTag& f = from_[from];
    const Filter* const filters = filters_.data() + f.first;
    // Every place read once: its value's bit in the place's table gives the filters that
    // accept the value there, and the filters that do not read the place pass it. What
    // is left holds the filters that accept every place they read. Without branches:
    // which values no rule wants is data, and a branch per place would be mispredicted
    // about as often as it is taken.
    uint32_t hits = f.filters[static_cast<int>(shapes)];
    const Place* const places = places_.data() + f.first_place;
    const int begin = shapes == Shapes::kRight ? f.shared_places : 0;
    const int end = shapes == Shapes::kLeft ? f.right_places : f.place_count;
    for (int p = begin; p < end; ++p) {
      const Place& place = places[p];
      hits &= place.accepts[values[place.index] % 64] | place.others;
    }
    for (; hits != 0; hits &= hits - 1) {
      const Filter& filter = filters[__builtin_ctz(hits)];
      const uint32_t head = HeadOf(from, filter.shape);
      const uint32_t first = values[filter.index1], second = values[filter.index2];
      const uint64_t hash = Hash(head, first, second);
      // Most keys that pass the tables are rule words that no rule from this tag wants
      // there; the key bits, a few kilobytes, turn nearly all of them away before the
      // table, whose slots are a cache miss each.
      if (((key_bits_[hash >> bits_shift_ >> 6] >> (hash >> bits_shift_ & 63)) & 1) == 0) continue;
      const Slot* slot = Probe(hash >> shift_, head, first, second);
      if (slot == nullptr) continue;
      const uint32_t* list = lists_.data() + slot->list;
      out->runs[out->count++] = {list + 1, list + 1 + *list};
    }
  }

 private:
  // One shape used by the rules from one tag, with where its places are in the values
  // array relative to the position.
  struct Filter {
    int8_t index1;
    int8_t index2;
    uint8_t shape;
  };
  // One place read by the filters of one tag: bit k of accepts[value % 64] is set when
  // filter k reads the place and a rule of it wants a value there with that remainder;
  // others has the bits of the filters that do not read the place.
  struct Place {
    int8_t index;
    uint32_t others;
    uint32_t accepts[64];
  };
  struct FromTag {
    uint32_t first = 0;  // its filters in filters_, in the order of their shapes
    // The filters each kind of lookup tries, by Shapes: left, right, all.
    uint32_t filters[3] = {};
    // Its places in places_: those only left filters read, then those both halves read,
    // then those only right filters read.
    uint32_t first_place = 0;
    uint8_t shared_places = 0;  // where the places both halves read begin
    uint8_t right_places = 0;   // where the places only right filters read begin
    uint8_t place_count = 0;
  };
  struct Slot {
    uint32_t head = 0;  // (from tag << 5 | shape) + 1; 0 marks an empty slot
    uint32_t first = 0;
    uint32_t second = 0;
    uint32_t list = 0;  // where the list is in lists_: its length, then its rules
  };
  struct Entry {
    uint32_t from;
    ContextKey key;
    uint32_t rule;
  };

  void AddPlaces(uint32_t from, const std::vector<std::pair<uint64_t, uint64_t>>& masks);
  static uint32_t HeadOf(uint32_t from, uint32_t shape) { return (from << 5 | shape) + 1; }
  // The top bits of the hash give a key's slot and, more of them, its key bit.
  static uint64_t Hash(uint32_t head, uint32_t first, uint32_t second) {
    return ((uint64_t{first} << 32 | second) ^ (head * 0x9e3779b97f4a7c15ULL)) *
           0xbf58476d1ce4e5b9ULL;
  }
  const Slot* Probe(uint64_t at, uint32_t head, uint32_t first, uint32_t second) const {
    for (;; at = (at + 1) & mask_) {
      const Slot& slot = slots_[at];
      if (slot.head == head && slot.first == first && slot.second == second) return &slot;
      if (slot.head == 0) return nullptr;
    }
  }

  std::vector<Entry> entries_;  // until Finish
  std::vector<FromTag> from_;
  std::vector<Filter> filters_;
  std::vector<Place> places_;
  std::vector<Slot> slots_;
  std::vector<uint32_t> lists_;
  uint64_t mask_ = 0;
  int shift_ = 64;
  // One bit per 2^(64 - bits_shift_)-th of the hashes, set for the hashes of the keys:
  // about 64 bits a key, so a key not in the table finds its bit clear 63 times in 64.
  std::vector<uint64_t> key_bits_;
  int bits_shift_ = 64;
};

// The place (offset from the position, tag or word) that each shape reads first and
// second (the same place twice for one-place shapes).
struct ContextPlace {
  int8_t offset;
  bool word;
};
ContextPlace FirstPlace(ContextShape shape);
ContextPlace SecondPlace(ContextShape shape);

}  // namespace quillon

#endif  // QUILLON_CORE_CONTEXT_INDEX_H_
