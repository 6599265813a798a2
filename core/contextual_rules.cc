// Contextual rule parsing, template conditions, the lexicon licence and the three passes.
// Rules are filed in a ContextIndex by their FromTag and the values their templates want
// around the position; at a position only the rules that can hold there are tested, in
// file order, and a change of tag continues with the rules from the new tag that follow
// in the file, which is what a scan of every rule would do.
// Tested by rules_test.cc and differential_test.cc.
#include "core/contextual_rules.h"

#include <algorithm>

#include "core/field_reader.h"

namespace quillon {
namespace {

bool IsContextSeparator(unsigned char c) {
  return c == '\t' || c == ' ' || c == '\n' || c == '\r' || c == 0 || c == 0x12 || c == 0x16 ||
         c == 0x1A || c == 0x1E;
}

constexpr char kStaart[] = "STAART";

// Did a tag change after clock at the position or the three left of it (ChangedLeft), or
// the three right of it (ChangedRight)? at points at the position's stamp in an array
// padded by kContextPad zeros on each side, so no place needs a bounds test.
bool ChangedLeft(const uint32_t* at, uint32_t clock) {
  return (at[-3] > clock) | (at[-2] > clock) | (at[-1] > clock) | (at[0] > clock);
}
bool ChangedRight(const uint32_t* at, uint32_t clock) {
  return (at[1] > clock) | (at[2] > clock) | (at[3] > clock);
}

}  // namespace

std::vector<structure4> ParseContextualRules(const std::vector<std::string>& lines) {
  std::vector<structure4> records;
  records.reserve(lines.size());
  for (const std::string& line : lines) {
    FieldReader reader(line, IsContextSeparator);
    structure4 rule;
    std::string* fields[] = {&rule.FromTag, &rule.ToTag, &rule.Template, &rule.Arg1, &rule.Arg2};
    for (std::string* field : fields) {
      if (reader.AtEnd()) break;
      *field = reader.Next();
      ++rule.FieldCount;
    }
    records.push_back(std::move(rule));
  }
  return records;
}

namespace {

// Templates whose arguments are words: both, the first, or the second.
bool Arg1IsWord(uint8_t t) {
  return t == kPrevWd || t == kPrev1Or2Wd || t == kNextWd || t == kNext1Or2Wd || t == kCurWd ||
         t == kWdNextTag || t == kLBigram || t == kRBigram || t == kWdAnd2Aft || t == kWdAnd2TagAft;
}
bool Arg2IsWord(uint8_t t) {
  return t == kWdPrevTag || t == kLBigram || t == kRBigram || t == kWdAnd2Aft;
}

}  // namespace

void BuildLicenceRows(const LexiconTable& table, HugePageBuffer<LicenceRow>* rows) {
  rows->Assign(table.EntryCount(), LicenceRow{});
  for (int e = 0; e < table.EntryCount(); ++e) (*rows)[e] = LicenceTable::Row(table.entry(e));
}

ContextualRules::ContextualRules(const std::vector<structure4>& records, TagTable* tags) {
  auto word_value = [&](const std::string& word) {
    return quillon::WordValue(word_ids_.Add(word));
  };
  auto tag_value = [&](const std::string& tag) { return TagValue(tags->Intern(tag)); };
  std::vector<TagId> from;
  for (uint32_t index = 0; index < records.size(); ++index) {
    const structure4& record = records[index];
    const auto* name = std::find(std::begin(kTemplateNames), std::end(kTemplateNames),
                                 std::string_view(record.Template));
    if (name == std::end(kTemplateNames)) continue;  // never fires
    Rule rule;
    rule.order = static_cast<uint32_t>(rules_.size());
    rule.to = tags->Intern(record.ToTag);
    rule.templ = static_cast<uint8_t>(name - std::begin(kTemplateNames));
    rule.arg1 = Arg1IsWord(rule.templ) ? word_value(record.Arg1) : tag_value(record.Arg1);
    rule.arg2 = Arg2IsWord(rule.templ) ? word_value(record.Arg2) : tag_value(record.Arg2);
    rule.arg1_staart = record.Arg1 == kStaart;
    rule.arg2_staart = record.Arg2 == kStaart;
    rules_.push_back(rule);
    from.push_back(tags->Intern(record.FromTag));
    record_of_.push_back(index);
  }
  std::vector<ContextKey> keys;
  for (const Rule& rule : rules_) {
    keys.clear();
    KeysOf(rule, &keys);
    index_.Add(from[rule.order], rule.order, keys);
  }
  index_.Finish();
  spelling_tags_ = SpellingTags(*tags);
}

void ContextualRules::KeysOf(const Rule& r, std::vector<ContextKey>* keys) {
  auto one = [&](ContextShape shape, uint32_t value) { keys->push_back({shape, value, value}); };
  auto two = [&](ContextShape shape, uint32_t first, uint32_t second) {
    keys->push_back({shape, first, second});
  };
  switch (r.templ) {
    case kPrevTag:
      one(kTagM1, r.arg1);
      if (r.arg1_staart) one(kTagM1, kBoundaryValue);  // at the first token
      break;
    case kPrev1Or2Or3Tag:
      one(kTagM3, r.arg1);
      [[fallthrough]];
    case kPrev1Or2Tag:
      one(kTagM2, r.arg1);
      one(kTagM1, r.arg1);
      break;
    case kPrev2Tag:
      one(kTagM2, r.arg1);
      break;
    case kPrev1Or2Wd:
      one(kWordM2, r.arg1);
      [[fallthrough]];
    case kPrevWd:
      one(kWordM1, r.arg1);
      break;
    case kNext1Or2Or3Tag:
      one(kTagP3, r.arg1);
      [[fallthrough]];
    case kNext1Or2Tag:
      one(kTagP2, r.arg1);
      one(kTagP1, r.arg1);
      break;
    case kNextTag:
      one(kTagP1, r.arg1);
      break;
    case kNext2Tag:
      one(kTagP2, r.arg1);
      break;
    case kNext1Or2Wd:
      one(kWordP2, r.arg1);
      [[fallthrough]];
    case kNextWd:
      one(kWordP1, r.arg1);
      break;
    case kCurWd:
      one(kWord0, r.arg1);
      break;
    case kWdPrevTag:
      two(kTagM1Word0, r.arg1, r.arg2);
      break;
    case kWdNextTag:
      two(kWord0TagP1, r.arg1, r.arg2);
      break;
    case kSurroundTag:
      two(kTagM1TagP1, r.arg1, r.arg2);
      if (r.arg1_staart) two(kTagM1TagP1, kBoundaryValue, r.arg2);
      break;
    case kPrevBigram:
      two(kTagM2TagM1, r.arg1, r.arg2);
      break;
    case kNextBigram:
      two(kTagP1TagP2, r.arg1, r.arg2);
      if (r.arg2_staart) two(kTagP1TagP2, r.arg1, kBoundaryValue);  // at the last but one
      break;
    case kLBigram:
      two(kWordM1Word0, r.arg1, r.arg2);
      if (r.arg1_staart) two(kWordM1Word0, kBoundaryValue, r.arg2);
      break;
    case kRBigram:
      two(kWord0WordP1, r.arg1, r.arg2);
      break;
    case kWdAnd2Aft:
      two(kWord0WordP2, r.arg1, r.arg2);
      break;
    case kWdAnd2TagAft:
      two(kWord0TagP2, r.arg1, r.arg2);
      break;
  }
}

void ContextualRules::MarkRuleWords(const LexiconIndex& index, LicenceTable* rows) const {
  // Rows 0 and 1 serve every unknown word, whatever its key: those words are looked up.
  rows->ClearRuleWords();
  std::string scratch;
  for (uint32_t id = 0; id < word_ids_.size(); ++id) {
    const int row = index.FindWord(word_ids_.String(id), &scratch);
    if (row < 2) continue;
    rows->MarkRuleWord(row, id);
  }
}

uint32_t ContextualRules::WordValueOf(std::string_view word, int row,
                                      const LicenceView& licence) const {
  if (row >= 2) {
    // Words at one row share its key; a rule word among them is known by the row.
    const uint32_t id = licence.table->RuleWord(row);
    if (id == kNoRuleWord) return kNoValue;
    if (id != kLookUpRuleWord)
      return word_ids_.String(id) == word ? quillon::WordValue(id) : kNoValue;
  }
  const uint32_t id = word_ids_.Find(word);
  return id == StringIdMap::kAbsent ? kNoValue : quillon::WordValue(id);
}

// v points at the values of position i; reading k places away reads a boundary value
// outside the sentence, which equals no argument.
bool ContextualRules::Holds(const Rule& r, size_t i, size_t n, const uint32_t* v) {
  auto t = [v](int k) { return v[kValuesPerPosition * k]; };
  auto w = [v](int k) { return v[kValuesPerPosition * k + 1]; };
  const uint32_t a1 = r.arg1, a2 = r.arg2;
  switch (r.templ) {
    case kPrevTag:
      return i == 0 ? r.arg1_staart : t(-1) == a1;
    case kPrev1Or2Tag:
      return t(-1) == a1 || t(-2) == a1;
    case kPrev1Or2Or3Tag:
      return t(-1) == a1 || t(-2) == a1 || t(-3) == a1;
    case kPrev2Tag:
      return t(-2) == a1;
    case kPrevWd:
      return w(-1) == a1;
    case kPrev1Or2Wd:
      return w(-1) == a1 || w(-2) == a1;
    case kNextTag:
      return t(1) == a1;
    case kNext1Or2Tag:
      return t(1) == a1 || t(2) == a1;
    case kNext1Or2Or3Tag:
      return t(1) == a1 || t(2) == a1 || t(3) == a1;
    case kNext2Tag:
      return t(2) == a1;
    case kNextWd:
      return w(1) == a1;
    case kNext1Or2Wd:
      return w(1) == a1 || w(2) == a1;
    case kCurWd:
      return w(0) == a1;
    case kWdPrevTag:
      return t(-1) == a1 && w(0) == a2;
    case kWdNextTag:
      return w(0) == a1 && t(1) == a2;
    case kSurroundTag:
      if (i == 0) return r.arg1_staart && t(1) == a2;
      return t(-1) == a1 && t(1) == a2;
    case kPrevBigram:
      return t(-2) == a1 && t(-1) == a2;
    case kNextBigram:
      return t(1) == a1 && (t(2) == a2 || (i + 2 == n && r.arg2_staart));
    case kLBigram:
      if (i == 0) return r.arg1_staart && w(0) == a2;
      return w(-1) == a1 && w(0) == a2;
    case kRBigram:
      return w(0) == a1 && w(1) == a2;
    case kWdAnd2Aft:
      return w(0) == a1 && w(2) == a2;
    case kWdAnd2TagAft:
      return w(0) == a1 && t(2) == a2;
  }
  return false;
}

bool LicenceAllows(const LicenceRow& row, int found, TagId to, bool wdprevtag, bool changed) {
  // Every slot is stored, so the empty tag is never given.
  return LicenceAllowsOf(
      row.field_count, kLexiconTagSlots, [&](int slot) { return row.tags[slot]; }, TagTable::kNone,
      found, to, wdprevtag, changed);
}

bool ContextualRules::Licensed(const Rule& r, size_t i, const LicenceView& licence,
                               bool changed) const {
  const int found = licence.rows[i];
  if (found == 0 && !licence.spelling.empty() &&
      !spelling_tags_.Allows(licence.spelling[i], r.to)) {
    return false;
  }
  return licence.table->Allows(found, r.to, r.templ == kWdPrevTag, changed);
}

// A pass tests a position again only where that can give another answer. At a position
// where nothing changed at or left of it (three tokens, the reach of the widest template)
// since the last pass tested it, the rules that read only those places fail again as they
// failed then: the tag, the changed flag and everything they read are the same. So only
// the rules that read rightwards are tried there, and in the third pass, when nothing
// changed to the right either, none. A change of tag at the position starts a full lookup
// for the new tag. Changes are stamped with a clock to tell.
void ContextualRules::Apply(std::span<const std::string_view> words, std::span<TagId> tags,
                            const LicenceView& licence, Scratch* scratch,
                            std::vector<uint32_t>* fired) const {
  using Shapes = ContextIndex::Shapes;
  const size_t n = tags.size();
  std::vector<uint8_t>& changed = scratch->changed;
  changed.assign(n, 0);  // each sentence starts with no changes of its own
  if (rules_.empty()) return;
  std::vector<uint32_t>& values = scratch->values;
  values.assign(kValuesPerPosition * (n + 2 * kContextPad), kBoundaryValue);
  uint32_t* const at = values.data() + kValuesPerPosition * kContextPad;  // position 0
  for (size_t i = 0; i < n; ++i) {
    at[kValuesPerPosition * i] = TagValue(tags[i]);
    at[kValuesPerPosition * i + 1] = licence.word_values.empty()
                                         ? WordValueOf(words[i], licence.rows[i], licence)
                                         : licence.word_values[i];
  }
  std::vector<uint32_t>& changed_stamps = scratch->changed_at;
  std::vector<uint32_t>& tested_at = scratch->tested_at;
  changed_stamps.assign(n + 2 * kContextPad, 0);
  uint32_t* const changed_at = changed_stamps.data() + kContextPad;
  tested_at.assign(n, 0);
  uint32_t clock = 0;
  ContextIndex::Lists lists;
  uint32_t pass_start = 0;
  for (int pass = 0; pass < 3; ++pass) {
    // A third pass tests only where a tag changed since the second tested: nowhere, when
    // the second changed nothing.
    if (pass == 2 && clock == pass_start) break;
    pass_start = clock;
    for (size_t i = 0; i < n; ++i) {
      Shapes shapes = pass == 0 ? Shapes::kLeft : Shapes::kAll;
      if (pass > 0 && !ChangedLeft(changed_at + i, tested_at[i])) {
        if (pass == 2 && !ChangedRight(changed_at + i, tested_at[i])) continue;
        shapes = Shapes::kRight;
      }
      tested_at[i] = clock;
      uint32_t* const v = at + kValuesPerPosition * i;
      uint32_t next_rule = 0;  // rules before this one in the file are done at i
      for (;;) {
        index_.Find(tags[i], shapes, v, &lists);
        if (lists.count == 0) break;
        const Rule* rule = FirstFiring(&lists, next_rule, i, n, v, licence, changed[i]);
        if (rule == nullptr) break;
        tags[i] = rule->to;
        v[0] = TagValue(rule->to);
        changed[i] = 1;
        changed_at[i] = ++clock;
        if (fired) fired->push_back(record_of_[rule->order]);
        if (pass == 0) break;  // the first pass makes one change at a position
        next_rule = rule->order + 1;
        shapes = Shapes::kAll;
      }
    }
  }
}

const ContextualRules::Rule* ContextualRules::FirstFiring(ContextIndex::Lists* lists,
                                                          uint32_t start, size_t i, size_t n,
                                                          const uint32_t* v,
                                                          const LicenceView& licence,
                                                          bool changed) const {
  ContextIndex::Lists::Run* runs = lists->runs;
  const int count = lists->count;
  for (int k = 0; k < count; ++k) {
    if (start > 0) runs[k].begin = std::lower_bound(runs[k].begin, runs[k].end, start);
  }
  // The lists merged in file order; a rule in several lists is tested once.
  for (;;) {
    uint32_t next = UINT32_MAX;
    for (int k = 0; k < count; ++k) {
      if (runs[k].begin != runs[k].end) next = std::min(next, *runs[k].begin);
    }
    if (next == UINT32_MAX) return nullptr;
    for (int k = 0; k < count; ++k) {
      if (runs[k].begin != runs[k].end && *runs[k].begin == next) ++runs[k].begin;
    }
    const Rule& rule = rules_[next];
    if (Holds(rule, i, n, v) && Licensed(rule, i, licence, changed)) return &rule;
  }
}

}  // namespace quillon
