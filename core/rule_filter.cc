// Building the per-offset candidate tables. Tested through rules_test.cc.
#include "core/rule_filter.h"

namespace quillon {

void RuleFilter::Build(const std::vector<std::vector<RuleNeed>>& needs, uint32_t tag_slots,
                       uint32_t word_slots) {
  words_ = (needs.size() + 63) / 64;
  tables_.clear();
  for (size_t rule = 0; rule < needs.size(); ++rule) {
    for (const RuleNeed& need : needs[rule]) {
      Table* table = nullptr;
      for (Table& t : tables_) {
        if (t.offset == need.offset && t.word == need.word) table = &t;
      }
      if (table == nullptr) {
        const uint32_t slots = need.word ? word_slots : tag_slots;
        tables_.push_back({need.offset, need.word, std::vector<uint64_t>(slots * words_, 0)});
        table = &tables_.back();
      }
      table->bits[need.value_slot * words_ + rule / 64] |= uint64_t{1} << (rule % 64);
    }
  }
}

}  // namespace quillon
