// What the tagger reads of each lexicon entry, packed: the start tag, the field count and
// the other tags the licence of the contextual rules looks at. Most entries have one or
// two tags, so a fixed row of ten tag slots (48 bytes) cost several times the entry's own
// line; here an entry costs 8 bytes, plus 2 bytes for each tag after its first, kept in
// one pool. The start tag sits in the 8 bytes, so a token reads one place for it.
// Tag ids are held in 16 bits; should the tag table ever hold 65,535 tags or more, the
// table keeps full rows instead (the same answers, the old cost).
// Tested by licence_table_test.cc.
#ifndef QUILLON_CORE_LICENCE_TABLE_H_
#define QUILLON_CORE_LICENCE_TABLE_H_

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/huge_page_buffer.h"
#include "core/lexicon.h"
#include "core/tag_table.h"

namespace quillon {

// rule_word of a licence row: no rule names a word of the row's key, or several do (or
// the row was not marked), so the word itself must be looked up.
inline constexpr uint32_t kNoRuleWord = UINT32_MAX;
inline constexpr uint32_t kLookUpRuleWord = UINT32_MAX - 1;

// What the licence reads of a lexicon row, in full: the learner keeps these.
struct LicenceRow {
  std::array<TagId, kLexiconTagSlots> tags;
  int field_count;
  uint32_t rule_word;
};

// The lexicon licence: may a contextual rule give the tag `to` to a word whose lexicon row
// is number `found` (0 for a word without a row)? field_count: the row's; stored: how many
// of its tag slots tag_at can read (the others hold the empty tag); wdprevtag: the rule's
// template is WDPREVTAG; changed: a contextual rule has already changed the word's tag in
// this sentence.
template <typename TagAt>
bool LicenceAllowsOf(int field_count, int stored, TagAt tag_at, TagId empty, int found, TagId to,
                     bool wdprevtag, bool changed) {
  if (field_count <= 3) return false;  // so at least two tags are stored
  for (int slot = 1; slot < stored; ++slot) {
    if (tag_at(slot) == to) return true;
  }
  if (stored < kLexiconTagSlots && to == empty) return true;  // an empty slot
  if (wdprevtag) return changed;
  return (changed && to == tag_at(0)) || found == 0 || found == 1;
}

class LicenceTable {
 public:
  // Reads every entry of table (rows with the same line share one); rule words are
  // unmarked (kLookUpRuleWord). tags must hold every tag of table.
  void Build(const LexiconTable& table, const TagTable& tags);

  // The start tag of entry e.
  TagId StartTag(int e) const {
    if (wide_) return rows_[e].tags[0];
    return static_cast<TagId>((heads_[e] >> kTagShift) & 0xFFFF);
  }

  // Asks the cache for entry e.
  void Prefetch(int e) const {
    if (wide_) {
      __builtin_prefetch(&rows_[e]);
    } else {
      __builtin_prefetch(&heads_[e]);
    }
  }

  // LicenceAllowsOf for entry `found`.
  bool Allows(int found, TagId to, bool wdprevtag, bool changed) const {
    if (wide_) {
      const LicenceRow& row = rows_[found];
      return LicenceAllowsOf(
          row.field_count, kLexiconTagSlots, [&](int slot) { return row.tags[slot]; }, empty_,
          found, to, wdprevtag, changed);
    }
    const uint64_t head = heads_[found];
    const uint16_t* extra = Extra(head);
    const TagId start = static_cast<TagId>((head >> kTagShift) & 0xFFFF);
    const int field_count = CountOf(head);
    return LicenceAllowsOf(
        field_count, Stored(field_count),
        [&](int slot) { return slot == 0 ? start : TagId{extra[slot - 1]}; }, empty_, found, to,
        wdprevtag, changed);
  }

  // The rule word of entry e: kNoRuleWord, kLookUpRuleWord or a word id (see MarkRuleWords
  // in contextual_rules.h).
  uint32_t RuleWord(int e) const {
    if (wide_) return rows_[e].rule_word;
    const uint64_t head = heads_[e];
    const State state = StateOf(head);
    if (state == kNone) return kNoRuleWord;
    if (state != kSingle) return kLookUpRuleWord;
    const uint16_t* id = pool_.data() + static_cast<uint32_t>(head);
    return uint32_t{id[0]} | (uint32_t{id[1]} << 16);
  }

  // Marks every entry from 2 on as named by no rule word.
  void ClearRuleWords();
  // Entry e is of the key of rule word id: a first such word is kept, a second makes it
  // kLookUpRuleWord.
  void MarkRuleWord(int e, uint32_t id);

  // The full row of entry e.
  LicenceRow Row(int e) const;
  // The full row of a lexicon entry, unmarked.
  static LicenceRow Row(const structure1& entry);

  size_t size() const { return wide_ ? rows_.size() : heads_.size(); }

 private:
  // A head: the pool offset of the entry's record in the low 32 bits, then the start tag,
  // the field count and the rule-word state. The record holds the rule word id (two
  // units) when the state is not kNone, then the tags after the first.
  static constexpr int kTagShift = 32;
  static constexpr int kCountShift = 48;
  static constexpr int kStateShift = 52;
  enum State : uint64_t { kUnmarked = 0, kNone = 1, kSingle = 2, kLookUp = 3 };

  static int Stored(int field_count) {
    return field_count <= 2 ? 0 : std::min(field_count - 2, kLexiconTagSlots);
  }
  static State StateOf(uint64_t head) { return static_cast<State>((head >> kStateShift) & 3); }
  static int CountOf(uint64_t head) { return static_cast<int>((head >> kCountShift) & 15); }
  // The tags after the first, in the pool.
  const uint16_t* Extra(uint64_t head) const {
    const State state = StateOf(head);
    return pool_.data() + static_cast<uint32_t>(head) +
           (state == kSingle || state == kLookUp ? 2 : 0);
  }

  bool wide_ = false;
  TagId empty_ = 0;
  HugePageBuffer<uint64_t> heads_;
  std::vector<uint16_t> pool_;
  HugePageBuffer<LicenceRow> rows_;  // wide_ only
};

}  // namespace quillon

#endif  // QUILLON_CORE_LICENCE_TABLE_H_
