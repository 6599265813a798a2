// Contextual rule parsing, template conditions, the lexicon licence and the three passes.
// Rules are indexed by their FromTag; at a position only the rules from its current tag
// are visited, in file order, and a change of tag continues with the rules from the new
// tag that follow in the file, which is what a scan of every rule would do.
// Tested by contextual_rules_test.cc.
#include "core/contextual_rules.h"

#include <algorithm>

#include "core/field_reader.h"

namespace quillon {
namespace {

bool IsContextSeparator(unsigned char c) {
  return c == '\t' || c == ' ' || c == '\n' || c == '\r' || c == 0 || c == 0x12 || c == 0x16 ||
         c == 0x1A || c == 0x1E;
}

enum Template : uint8_t {
  kPrevTag,
  kPrev1Or2Tag,
  kPrev1Or2Or3Tag,
  kPrev2Tag,
  kPrevWd,
  kPrev1Or2Wd,
  kNextTag,
  kNext1Or2Tag,
  kNext1Or2Or3Tag,
  kNext2Tag,
  kNextWd,
  kNext1Or2Wd,
  kCurWd,
  kWdPrevTag,
  kWdNextTag,
  kSurroundTag,
  kPrevBigram,
  kNextBigram,
  kLBigram,
  kRBigram,
  kWdAnd2Aft,
  kWdAnd2TagAft,
};

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

ContextualRules::ContextualRules(const std::vector<structure4>& records, TagTable* tags) {
  for (const structure4& record : records) {
    const auto* name = std::find(std::begin(kTemplateNames), std::end(kTemplateNames),
                                 std::string_view(record.Template));
    if (name == std::end(kTemplateNames)) continue;  // never fires
    Rule rule;
    rule.from = tags->Intern(record.FromTag);
    rule.to = tags->Intern(record.ToTag);
    rule.templ = static_cast<uint8_t>(name - std::begin(kTemplateNames));
    rule.left_context = IsLeftContext(record.Template);
    rule.arg1_staart = record.Arg1 == kStaart;
    rule.arg2_staart = record.Arg2 == kStaart;
    rule.tag1 = tags->Intern(record.Arg1);
    rule.tag2 = tags->Intern(record.Arg2);
    rule.word1 = record.Arg1;
    rule.word2 = record.Arg2;
    rules_.push_back(std::move(rule));
  }
  for (auto& index : by_tag_) index.assign(tags->size(), {});
  for (uint32_t r = 0; r < rules_.size(); ++r) {
    if (rules_[r].left_context) by_tag_[0][rules_[r].from].push_back(r);
    by_tag_[1][rules_[r].from].push_back(r);
  }
}

bool ContextualRules::Holds(const Rule& r, size_t i, std::span<const std::string_view> w,
                            std::span<const TagId> t) const {
  const size_t n = t.size();
  auto tag_at = [&](size_t j, TagId tag) { return j < n && t[j] == tag; };
  auto word_at = [&](size_t j, std::string_view word) { return j < n && w[j] == word; };
  switch (r.templ) {
    case kPrevTag:
      return i == 0 ? r.arg1_staart : t[i - 1] == r.tag1;
    case kPrev1Or2Tag:
      return (i >= 1 && t[i - 1] == r.tag1) || (i >= 2 && t[i - 2] == r.tag1);
    case kPrev1Or2Or3Tag:
      return (i >= 1 && t[i - 1] == r.tag1) || (i >= 2 && t[i - 2] == r.tag1) ||
             (i >= 3 && t[i - 3] == r.tag1);
    case kPrev2Tag:
      return i >= 2 && t[i - 2] == r.tag1;
    case kPrevWd:
      return i >= 1 && w[i - 1] == r.word1;
    case kPrev1Or2Wd:
      return (i >= 1 && w[i - 1] == r.word1) || (i >= 2 && w[i - 2] == r.word1);
    case kNextTag:
      return tag_at(i + 1, r.tag1);
    case kNext1Or2Tag:
      return tag_at(i + 1, r.tag1) || tag_at(i + 2, r.tag1);
    case kNext1Or2Or3Tag:
      return tag_at(i + 1, r.tag1) || tag_at(i + 2, r.tag1) || tag_at(i + 3, r.tag1);
    case kNext2Tag:
      return tag_at(i + 2, r.tag1);
    case kNextWd:
      return word_at(i + 1, r.word1);
    case kNext1Or2Wd:
      return word_at(i + 1, r.word1) || word_at(i + 2, r.word1);
    case kCurWd:
      return w[i] == r.word1;
    case kWdPrevTag:
      return i >= 1 && t[i - 1] == r.tag1 && w[i] == r.word2;
    case kWdNextTag:
      return i + 1 < n && w[i] == r.word1 && t[i + 1] == r.tag2;
    case kSurroundTag:
      if (i == 0) return r.arg1_staart && 1 < n && t[1] == r.tag2;
      return i + 1 < n && t[i - 1] == r.tag1 && t[i + 1] == r.tag2;
    case kPrevBigram:
      return i >= 2 && t[i - 2] == r.tag1 && t[i - 1] == r.tag2;
    case kNextBigram:
      if (i + 2 < n) return t[i + 1] == r.tag1 && t[i + 2] == r.tag2;
      return i + 2 == n && r.arg2_staart && t[i + 1] == r.tag1;
    case kLBigram:
      if (i == 0) return r.arg1_staart && w[0] == r.word2;
      return w[i - 1] == r.word1 && w[i] == r.word2;
    case kRBigram:
      return i + 1 < n && w[i] == r.word1 && w[i + 1] == r.word2;
    case kWdAnd2Aft:
      return i + 2 < n && w[i] == r.word1 && w[i + 2] == r.word2;
    case kWdAnd2TagAft:
      return i + 2 < n && w[i] == r.word1 && t[i + 2] == r.tag2;
  }
  return false;
}

bool ContextualRules::Licensed(const Rule& r, size_t i, const LicenceView& licence,
                               bool changed) const {
  const int found = licence.rows[i];
  const structure1& row = licence.table->row(found);
  if (row.FieldCount <= 3) return false;
  for (int slot = 1; slot < kLexiconTagSlots; ++slot) {
    if (row.Tags[slot] == r.to) return true;
  }
  if (r.templ == kWdPrevTag) return changed;
  return (changed && r.to == row.Tags[0]) || found == 0 || found == 1;
}

void ContextualRules::Apply(std::span<const std::string_view> words, std::span<TagId> tags,
                            const LicenceView& licence, std::vector<uint8_t>* changed) const {
  const size_t n = tags.size();
  changed->assign(n, 0);  // each sentence starts with no changes of its own
  if (rules_.empty()) return;
  for (int pass = 0; pass < 3; ++pass) {
    const std::vector<std::vector<uint32_t>>& by_tag = by_tag_[pass == 0 ? 0 : 1];
    for (size_t i = 0; i < n; ++i) {
      uint32_t next_rule = 0;  // rules before this one in the file are done at i
      for (;;) {
        const TagId current = tags[i];
        if (current >= by_tag.size()) break;
        const std::vector<uint32_t>& list = by_tag[current];
        auto it = std::lower_bound(list.begin(), list.end(), next_rule);
        bool tag_changed = false;
        bool stop = false;
        for (; it != list.end(); ++it) {
          const Rule& rule = rules_[*it];
          if (!Holds(rule, i, words, tags) || !Licensed(rule, i, licence, (*changed)[i])) {
            continue;
          }
          tags[i] = rule.to;
          (*changed)[i] = 1;
          if (pass == 0) {
            stop = true;
            break;
          }
          if (rule.to != current) {
            next_rule = *it + 1;
            tag_changed = true;
            break;
          }
        }
        if (stop || !tag_changed) break;
      }
    }
  }
}

}  // namespace quillon
