// Packed licence rows. Tested by licence_table_test.cc.
#include "core/licence_table.h"

#include <cassert>
#include <stdexcept>

namespace quillon {

void LicenceTable::Build(const LexiconTable& table, const TagTable& tags) {
  const int count = table.EntryCount();
  empty_ = tags.Find("");
  // Ids are 16 bits wide only when every tag fits: a tag table of 65,535 tags or more
  // (a lexicon built to break us, or one whose tags are words) keeps full rows.
  wide_ = tags.size() >= 0xFFFF;
  heads_ = HugePageBuffer<uint64_t>();
  rows_ = HugePageBuffer<LicenceRow>();
  pool_.clear();
  if (wide_) {
    rows_.Assign(count, LicenceRow{});
    for (int e = 0; e < count; ++e) rows_[e] = Row(table.entry(e));
    return;
  }
  heads_.Assign(count, 0);
  std::array<TagId, kLexiconTagSlots> entry_tags;
  for (int e = 0; e < count; ++e) {
    const int field_count = table.EntryTags(e, &entry_tags);
    const int stored = Stored(field_count);
    if (pool_.size() > UINT32_MAX - kLexiconTagSlots) throw std::length_error("licence pool");
    const uint64_t offset = pool_.size();
    for (int slot = 1; slot < stored; ++slot)
      pool_.push_back(static_cast<uint16_t>(entry_tags[slot]));
    const TagId start = stored > 0 ? entry_tags[0] : empty_;
    heads_[e] = offset | (uint64_t{start} << kTagShift) |
                (uint64_t(std::min(field_count, 15)) << kCountShift) |
                (uint64_t{kUnmarked} << kStateShift);
  }
  pool_.shrink_to_fit();
}

LicenceRow LicenceTable::Row(const structure1& entry) {
  return {entry.Tags, entry.FieldCount, kLookUpRuleWord};
}

void LicenceTable::ClearRuleWords() {
  for (size_t e = 2; e < size(); ++e) {
    if (wide_) {
      rows_[e].rule_word = kNoRuleWord;
    } else {
      heads_[e] = (heads_[e] & ~(uint64_t{3} << kStateShift)) | (uint64_t{kNone} << kStateShift);
    }
  }
}

void LicenceTable::MarkRuleWord(int e, uint32_t id) {
  if (wide_) {
    uint32_t& slot = rows_[e].rule_word;
    slot = slot == kNoRuleWord ? id : kLookUpRuleWord;
    return;
  }
  uint64_t& head = heads_[e];
  const State state = StateOf(head);
  if (state == kUnmarked || state == kLookUp) return;  // looked up either way
  if (state == kSingle) {
    head = (head & ~(uint64_t{3} << kStateShift)) | (uint64_t{kLookUp} << kStateShift);
    return;
  }
  // The entry's record moves to the end of the pool, behind the word's id. Few entries
  // are marked (one per word the rules name), so the pool grows little.
  const int stored = Stored(CountOf(head));
  const uint16_t* extra = Extra(head);
  std::vector<uint16_t> record = {static_cast<uint16_t>(id), static_cast<uint16_t>(id >> 16)};
  record.insert(record.end(), extra, extra + std::max(stored - 1, 0));
  if (pool_.size() > UINT32_MAX - record.size()) throw std::length_error("licence pool");
  const uint64_t offset = pool_.size();
  pool_.insert(pool_.end(), record.begin(), record.end());
  head = (head & ~uint64_t{UINT32_MAX} & ~(uint64_t{3} << kStateShift)) | offset |
         (uint64_t{kSingle} << kStateShift);
}

LicenceRow LicenceTable::Row(int e) const {
  if (wide_) return rows_[e];
  const uint64_t head = heads_[e];
  LicenceRow row;
  row.field_count = CountOf(head);
  row.rule_word = RuleWord(e);
  row.tags.fill(empty_);
  const int stored = Stored(row.field_count);
  if (stored > 0) row.tags[0] = StartTag(e);
  const uint16_t* extra = Extra(head);
  for (int slot = 1; slot < stored; ++slot) row.tags[slot] = extra[slot - 1];
  return row;
}

}  // namespace quillon
