// Contextual rule parsing, template conditions, the lexicon licence and the three passes.
// Rules are indexed by their FromTag; at a position only the rules from its current tag
// are visited, in file order, and a change of tag continues with the rules from the new
// tag that follow in the file, which is what a scan of every rule would do.
// Tested by rules_test.cc.
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

// The first pass uses the templates that look only at the current word and leftwards.
bool IsLeftContext(std::string_view name) {
  return name.starts_with("C") || name.starts_with("L") || name.starts_with("P") ||
         name == "WDPREVTAG";
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

// The word ids of one sentence's tokens, each looked up once, when first needed.
class ContextualRules::SentenceWords {
 public:
  static constexpr uint32_t kUnknown = UINT32_MAX;
  static constexpr uint32_t kNone = UINT32_MAX - 1;

  SentenceWords(const ContextualRules& rules, std::span<const std::string_view> words,
                std::vector<uint32_t>* ids)
      : rules_(rules), words_(words), ids_(*ids) {
    ids_.assign(words.size(), kUnknown);
  }
  uint32_t operator[](size_t i) {
    uint32_t& id = ids_[i];
    if (id == kUnknown) id = rules_.WordId(words_[i]);
    return id;
  }
  size_t size() const { return words_.size(); }

 private:
  const ContextualRules& rules_;
  std::span<const std::string_view> words_;
  std::vector<uint32_t>& ids_;
};

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

uint32_t ContextualRules::WordId(std::string_view word) const {
  const uint32_t id = word_ids_.Find(word);
  return id == StringIdMap::kAbsent ? SentenceWords::kNone : id;
}

void BuildLicenceRows(const LexiconTable& table, HugePageBuffer<LicenceRow>* rows) {
  rows->Assign(table.EntryCount(), LicenceRow{});
  for (int e = 0; e < table.EntryCount(); ++e) {
    const structure1 entry = table.entry(e);
    (*rows)[e] = {entry.Tags, entry.FieldCount};
  }
}

ContextualRules::ContextualRules(const std::vector<structure4>& records, TagTable* tags) {
  struct Kept {
    TagId from;
    Rule rule;
    bool left;
    std::vector<RuleNeed> needs;
  };
  std::vector<Kept> kept;
  auto word_id = [&](const std::string& word) { return word_ids_.Add(word); };
  auto tag_slot = [&](TagId tag) {
    if (tag >= tag_slots_.size()) tag_slots_.resize(tag + 1, kNoValueSlot);
    if (tag_slots_[tag] == kNoValueSlot) tag_slots_[tag] = tag_slot_count_++;
    return tag_slots_[tag];
  };
  for (uint32_t index = 0; index < records.size(); ++index) {
    const structure4& record = records[index];
    const auto* name = std::find(std::begin(kTemplateNames), std::end(kTemplateNames),
                                 std::string_view(record.Template));
    if (name == std::end(kTemplateNames)) continue;  // never fires
    Rule rule;
    rule.order = static_cast<uint32_t>(kept.size());
    rule.to = tags->Intern(record.ToTag);
    rule.templ = static_cast<uint8_t>(name - std::begin(kTemplateNames));
    rule.arg1 = Arg1IsWord(rule.templ) ? word_id(record.Arg1) : tags->Intern(record.Arg1);
    rule.arg2 = Arg2IsWord(rule.templ) ? word_id(record.Arg2) : tags->Intern(record.Arg2);
    rule.arg1_staart = record.Arg1 == kStaart;
    rule.arg2_staart = record.Arg2 == kStaart;
    kept.push_back({tags->Intern(record.FromTag), rule, IsLeftContext(record.Template), {}});
    record_of_.push_back(index);
  }
  // Value slots and needs, once every argument has its id.
  for (Kept& k : kept) {
    const Rule& r = k.rule;
    auto tag_need = [&](int offset, uint32_t tag) {
      k.needs.push_back({static_cast<int8_t>(offset), false, tag_slot(tag)});
    };
    auto word_need = [&](int offset, uint32_t word) {
      k.needs.push_back({static_cast<int8_t>(offset), true, word + 2});
    };
    switch (r.templ) {
      case kPrevTag:
        tag_need(-1, r.arg1);
        if (r.arg1_staart) k.needs.push_back({-1, false, kBoundarySlot});
        break;
      case kPrev1Or2Or3Tag:
        tag_need(-3, r.arg1);
        [[fallthrough]];
      case kPrev1Or2Tag:
        tag_need(-2, r.arg1);
        tag_need(-1, r.arg1);
        break;
      case kPrev2Tag:
        tag_need(-2, r.arg1);
        break;
      case kPrev1Or2Wd:
        word_need(-2, r.arg1);
        [[fallthrough]];
      case kPrevWd:
        word_need(-1, r.arg1);
        break;
      case kNext1Or2Or3Tag:
        tag_need(3, r.arg1);
        [[fallthrough]];
      case kNext1Or2Tag:
        tag_need(2, r.arg1);
        tag_need(1, r.arg1);
        break;
      case kNextTag:
        tag_need(1, r.arg1);
        break;
      case kNext2Tag:
        tag_need(2, r.arg1);
        break;
      case kNext1Or2Wd:
        word_need(2, r.arg1);
        [[fallthrough]];
      case kNextWd:
        word_need(1, r.arg1);
        break;
      case kSurroundTag:
        tag_need(1, r.arg2);
        break;
      case kPrevBigram:
        tag_need(-1, r.arg2);
        break;
      case kNextBigram:
        tag_need(1, r.arg1);
        break;
      case kWdPrevTag:
      case kLBigram:
        word_need(0, r.arg2);
        break;
      default:
        word_need(0, r.arg1);
        break;  // CURWD, WDNEXTTAG, RBIGRAM, WDAND2AFT, ...
    }
  }
  rule_count_ = kept.size();
  tag_slots_.resize(tags->size(), kNoValueSlot);
  const uint32_t word_slots = static_cast<uint32_t>(word_ids_.size()) + 2;
  for (int pass = 0; pass < 2; ++pass) {
    by_tag_[pass].assign(tags->size(), {});
    std::vector<std::vector<std::vector<RuleNeed>>> needs(tags->size());
    for (const Kept& k : kept) {
      if (pass == 0 && !k.left) continue;
      by_tag_[pass][k.from].rules.push_back(k.rule);
      needs[k.from].push_back(k.needs);
    }
    for (size_t tag = 0; tag < needs.size(); ++tag) {
      if (!needs[tag].empty())
        by_tag_[pass][tag].filter.Build(needs[tag], tag_slot_count_, word_slots);
    }
  }
}

bool ContextualRules::Holds(const Rule& r, size_t i, SentenceWords& w,
                            std::span<const TagId> t) const {
  const size_t n = t.size();
  auto tag_at = [&](size_t j, TagId tag) { return j < n && t[j] == tag; };
  auto word_at = [&](size_t j, uint32_t word) { return j < n && w[j] == word; };
  switch (r.templ) {
    case kPrevTag:
      return i == 0 ? r.arg1_staart : t[i - 1] == r.arg1;
    case kPrev1Or2Tag:
      return (i >= 1 && t[i - 1] == r.arg1) || (i >= 2 && t[i - 2] == r.arg1);
    case kPrev1Or2Or3Tag:
      return (i >= 1 && t[i - 1] == r.arg1) || (i >= 2 && t[i - 2] == r.arg1) ||
             (i >= 3 && t[i - 3] == r.arg1);
    case kPrev2Tag:
      return i >= 2 && t[i - 2] == r.arg1;
    case kPrevWd:
      return i >= 1 && w[i - 1] == r.arg1;
    case kPrev1Or2Wd:
      return (i >= 1 && w[i - 1] == r.arg1) || (i >= 2 && w[i - 2] == r.arg1);
    case kNextTag:
      return tag_at(i + 1, r.arg1);
    case kNext1Or2Tag:
      return tag_at(i + 1, r.arg1) || tag_at(i + 2, r.arg1);
    case kNext1Or2Or3Tag:
      return tag_at(i + 1, r.arg1) || tag_at(i + 2, r.arg1) || tag_at(i + 3, r.arg1);
    case kNext2Tag:
      return tag_at(i + 2, r.arg1);
    case kNextWd:
      return word_at(i + 1, r.arg1);
    case kNext1Or2Wd:
      return word_at(i + 1, r.arg1) || word_at(i + 2, r.arg1);
    case kCurWd:
      return w[i] == r.arg1;
    case kWdPrevTag:
      return i >= 1 && t[i - 1] == r.arg1 && w[i] == r.arg2;
    case kWdNextTag:
      return i + 1 < n && t[i + 1] == r.arg2 && w[i] == r.arg1;
    case kSurroundTag:
      if (i == 0) return r.arg1_staart && 1 < n && t[1] == r.arg2;
      return i + 1 < n && t[i - 1] == r.arg1 && t[i + 1] == r.arg2;
    case kPrevBigram:
      return i >= 2 && t[i - 2] == r.arg1 && t[i - 1] == r.arg2;
    case kNextBigram:
      if (i + 2 < n) return t[i + 1] == r.arg1 && t[i + 2] == r.arg2;
      return i + 2 == n && r.arg2_staart && t[i + 1] == r.arg1;
    case kLBigram:
      if (i == 0) return r.arg1_staart && w[0] == r.arg2;
      return w[i] == r.arg2 && w[i - 1] == r.arg1;
    case kRBigram:
      return i + 1 < n && w[i] == r.arg1 && w[i + 1] == r.arg2;
    case kWdAnd2Aft:
      return i + 2 < n && w[i] == r.arg1 && w[i + 2] == r.arg2;
    case kWdAnd2TagAft:
      return i + 2 < n && t[i + 2] == r.arg2 && w[i] == r.arg1;
  }
  return false;
}

bool LicenceAllows(const LicenceRow& row, int found, TagId to, bool wdprevtag, bool changed) {
  if (row.field_count <= 3) return false;
  for (int slot = 1; slot < kLexiconTagSlots; ++slot) {
    if (row.tags[slot] == to) return true;
  }
  if (wdprevtag) return changed;
  return (changed && to == row.tags[0]) || found == 0 || found == 1;
}

bool ContextualRules::Licensed(const Rule& r, size_t i, const LicenceView& licence,
                               bool changed) const {
  const int found = licence.rows[i];
  return LicenceAllows((*licence.table)[found], found, r.to, r.templ == kWdPrevTag, changed);
}

// The third pass repeats the second over the same rules. A position at which nothing fired
// in the second pass, and around which (three tokens each way, the reach of the widest
// template) no tag has changed since, would see exactly what it saw then and fire nothing
// again, so it is skipped. Changes are stamped with a clock to tell.
void ContextualRules::Apply(std::span<const std::string_view> words, std::span<TagId> tags,
                            const LicenceView& licence, Scratch* scratch,
                            std::vector<uint32_t>* fired) const {
  const size_t n = tags.size();
  std::vector<uint8_t>& changed = scratch->changed;
  changed.assign(n, 0);  // each sentence starts with no changes of its own
  if (rule_count_ == 0) return;
  SentenceWords w(*this, words, &scratch->word_ids);
  scratch->changed_at.assign(n, 0);
  scratch->tested_at.resize(n);
  scratch->fired.assign(n, 0);
  uint32_t clock = 0;
  for (int pass = 0; pass < 3; ++pass) {
    const std::vector<RuleList>& by_tag = by_tag_[pass == 0 ? 0 : 1];
    for (size_t i = 0; i < n; ++i) {
      if (pass == 2 && !scratch->fired[i] && !ChangedSince(*scratch, i, scratch->tested_at[i])) {
        continue;
      }
      if (pass == 1) scratch->tested_at[i] = clock;
      uint32_t next_rule = 0;  // rules before this one in the file are done at i
      while (tags[i] < by_tag.size()) {
        const RuleList& list = by_tag[tags[i]];
        const size_t start =
            std::lower_bound(list.rules.begin(), list.rules.end(), next_rule,
                             [](const Rule& r, uint32_t order) { return r.order < order; }) -
            list.rules.begin();
        const Rule* rule = FirstFiring(list, start, i, w, tags, licence, changed[i], scratch);
        if (rule == nullptr) break;
        const TagId before = tags[i];
        tags[i] = rule->to;
        changed[i] = 1;
        scratch->changed_at[i] = ++clock;
        if (fired) fired->push_back(record_of_[rule->order]);
        if (pass == 0) break;  // the first pass makes one change at a position
        scratch->fired[i] = 1;
        next_rule = rule->order + 1;
        if (rule->to == before) {
          // Same tag: the list goes on after the rule that fired.
          continue;
        }
      }
    }
  }
}

const ContextualRules::Rule* ContextualRules::FirstFiring(const RuleList& list, size_t start,
                                                          size_t i, SentenceWords& w,
                                                          std::span<const TagId> t,
                                                          const LicenceView& licence, bool changed,
                                                          Scratch* scratch) const {
  const size_t count = list.rules.size();
  if (start >= count) return nullptr;
  const size_t words = list.filter.words();
  scratch->candidates.resize(words);
  uint64_t* bits = scratch->candidates.data();
  auto tag_slot = [&](size_t j) {
    return t[j] < tag_slots_.size() ? tag_slots_[t[j]] : kNoValueSlot;
  };
  auto word_slot = [&](size_t j) {
    const uint32_t id = w[j];
    return id == SentenceWords::kNone ? kNoValueSlot : id + 2;
  };
  list.filter.Candidates(i, t.size(), tag_slot, word_slot, bits);
  bits[start / 64] &= ~uint64_t{0} << (start % 64);  // rules before start are done
  for (size_t k = start / 64; k < words; ++k) {
    for (uint64_t set = bits[k]; set != 0; set &= set - 1) {
      const Rule& rule = list.rules[k * 64 + static_cast<size_t>(__builtin_ctzll(set))];
      if (Holds(rule, i, w, t) && Licensed(rule, i, licence, changed)) return &rule;
    }
  }
  return nullptr;
}

bool ContextualRules::ChangedSince(const Scratch& scratch, size_t i, uint32_t clock) {
  const size_t n = scratch.changed_at.size();
  const size_t from = i >= 3 ? i - 3 : 0;
  const size_t to = i + 3 < n ? i + 3 : n - 1;
  for (size_t j = from; j <= to; ++j) {
    if (scratch.changed_at[j] > clock) return true;
  }
  return false;
}

}  // namespace quillon
