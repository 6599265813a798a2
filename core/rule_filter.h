// Which contextual rules can possibly hold at a position. Every template needs, among
// other things, a given tag or word at a fixed offset from the position (PREVTAG needs
// its tag at -1, CURWD its word at 0, PREV1OR2TAG its tag at -1 or at -2). For one list
// of rules, a table per offset maps the value found there to the set of rules that this
// value allows; the union over the offsets is a superset of the rules that hold, found
// with a few table reads instead of testing every rule. Candidates are then tested in
// full, in file order, so the result is exactly that of testing every rule.
// Tested through rules_test.cc and the differential test.
#ifndef QUILLON_CORE_RULE_FILTER_H_
#define QUILLON_CORE_RULE_FILTER_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillon {

// One condition that lets a rule be a candidate: the tag (or word) at offset equals the
// value with slot value_slot. Slots: 0 for a value no rule names, 1 for a position outside
// the sentence, 2 and up for the values rules name.
struct RuleNeed {
  int8_t offset;
  bool word;
  uint32_t value_slot;
};

inline constexpr uint32_t kNoValueSlot = 0;
inline constexpr uint32_t kBoundarySlot = 1;

class RuleFilter {
 public:
  // needs[k]: the conditions of rule k of the list (any one suffices); each rule has one.
  // tag_slots and word_slots: how many value slots tags and words have.
  void Build(const std::vector<std::vector<RuleNeed>>& needs, uint32_t tag_slots,
             uint32_t word_slots);

  // Number of 64-bit words in a candidate set.
  size_t words() const { return words_; }

  // Writes the candidate set at position i of n tokens. tag_slot(j) and word_slot(j) give
  // the value slots at position j (0 <= j < n).
  template <typename TagSlot, typename WordSlot>
  void Candidates(size_t i, size_t n, const TagSlot& tag_slot, const WordSlot& word_slot,
                  uint64_t* out) const {
    for (size_t k = 0; k < words_; ++k) out[k] = 0;
    for (const Table& table : tables_) {
      const long j = static_cast<long>(i) + table.offset;
      uint32_t slot = kBoundarySlot;
      if (j >= 0 && j < static_cast<long>(n)) slot = table.word ? word_slot(j) : tag_slot(j);
      const uint64_t* row = &table.bits[slot * words_];
      for (size_t k = 0; k < words_; ++k) out[k] |= row[k];
    }
  }

 private:
  struct Table {
    int8_t offset;
    bool word;
    std::vector<uint64_t> bits;  // slot-major: slots x words_
  };
  size_t words_ = 0;
  std::vector<Table> tables_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_RULE_FILTER_H_
