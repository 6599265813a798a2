// Lexical rule parsing and application. Tested by rules_test.cc.
#include "core/lexical_rules.h"

#include <algorithm>
#include <optional>

#include "core/ascii.h"
#include "core/field_reader.h"
#include "core/order_key.h"

namespace quillon {
namespace {

bool IsRuleSeparator(unsigned char c) { return c == ' ' || c == '\n' || c == '\r' || c == 18; }

struct KindName {
  const char* plain;
  const char* fform;
};
constexpr KindName kKindNames[] = {
    {"char", "fchar"},           {"hassuf", "fhassuf"},         {"haspref", "fhaspref"},
    {"deletesuf", "fdeletesuf"}, {"deletepref", "fdeletepref"}, {"addsuf", "faddsuf"},
    {"goodleft", "fgoodleft"},   {"goodright", "fgoodright"},
};

std::optional<int> KindIndex(std::string_view name, bool fform) {
  for (int k = 0; k < kLexicalKindCount; ++k) {
    if (name == LexicalKindName(static_cast<LexicalKind>(k), fform)) return k;
  }
  return std::nullopt;
}

bool InLexicon(std::string_view word, const LexiconIndex& lexicon, std::string* scratch) {
  return lexicon.FindWord(word, scratch) != -1;
}

}  // namespace

const char* LexicalKindName(LexicalKind kind, bool fform) {
  const KindName& names = kKindNames[static_cast<int>(kind)];
  return fform ? names.fform : names.plain;
}

std::vector<std::string> ReadTagList(const std::vector<std::string>& tagset_lines) {
  std::vector<std::string> tags;
  tags.reserve(tagset_lines.size());
  for (const std::string& line : tagset_lines) tags.push_back(line.substr(0, line.find('\t')));
  return tags;
}

std::vector<structure2> ParseLexicalRules(const std::vector<std::string>& lines,
                                          const std::vector<std::string>& tag_list) {
  std::unordered_set<std::string> folded_tags;
  for (const std::string& tag : tag_list) folded_tags.insert(AsciiLowered(tag));
  std::vector<structure2> records;
  records.reserve(lines.size());
  for (const std::string& line : lines) {
    FieldReader reader(line, IsRuleSeparator);
    structure2 rule;
    const std::string_view first = reader.Next();
    if (folded_tags.count(AsciiLowered(first))) {
      rule.IsFForm = 1;
      rule.FromTag = first;
      rule.Argument = reader.Next();
    } else {
      rule.FromTag = first;
      rule.Argument = first;
    }
    rule.RuleName = reader.Next();
    if (!reader.AtEnd() && reader.Peek() >= '0' && reader.Peek() <= '9') reader.Skip(2);
    if (reader.AtEnd()) continue;  // the line ends before its new tag
    rule.NewTag = reader.Next();
    records.push_back(std::move(rule));
  }
  return records;
}

LexicalRules::LexicalRules(const std::vector<structure2>& records, TagTable* tags) {
  for (const structure2& record : records) {
    const bool fform = record.IsFForm == 1;
    const std::optional<int> kind = KindIndex(record.RuleName, fform);
    if (!kind) continue;                                      // never matches
    if (*kind == 0 && record.Argument.size() != 1) continue;  // "char" needs one character
    Rule rule{static_cast<LexicalKind>(*kind), tags->Intern(record.FromTag),
              tags->Intern(record.NewTag), record.Argument, std::string()};
    AppendCodes(record.Argument, &rule.argument_codes);
    (fform ? fform_ : plain_).push_back(std::move(rule));
  }
  for (uint32_t k = 0; k < fform_.size(); ++k) {
    const TagId from = fform_[k].from;
    if (from >= fform_from_.size()) fform_from_.resize(from + 1);
    fform_from_[from].push_back(k);
  }
}

bool LexicalRules::Matches(const Rule& rule, size_t i, std::span<const std::string_view> words,
                           const LexiconIndex& lexicon, std::string* scratch) const {
  const std::string_view w = words[i];
  const std::string_view a = rule.argument;
  switch (rule.kind) {
    case LexicalKind::kChar:
      return w.find(a[0]) != std::string_view::npos;
    case LexicalKind::kHasSuf:
      return w.ends_with(a);
    case LexicalKind::kHasPref:
      return w.starts_with(a);
    case LexicalKind::kDeleteSuf:
      return w.ends_with(a) && InLexicon(w.substr(0, w.size() - a.size()), lexicon, scratch);
    case LexicalKind::kDeletePref:
      return w.starts_with(a) && InLexicon(w.substr(a.size()), lexicon, scratch);
    case LexicalKind::kAddSuf:
      scratch->clear();
      AppendCodes(w, scratch);
      scratch->append(rule.argument_codes);
      return lexicon.FindCodes(*scratch) != -1;
    case LexicalKind::kGoodLeft:
      return i + 1 < words.size() && words[i + 1] == a;
    case LexicalKind::kGoodRight:
      return i > 0 && words[i - 1] == a;
  }
  return false;
}

void LexicalRules::Apply(size_t i, std::span<const std::string_view> words, TagId* tag,
                         const LexiconIndex& lexicon, std::string* scratch) const {
  for (const Rule& rule : plain_) {
    if (!Matches(rule, i, words, lexicon, scratch)) continue;
    *tag = rule.to;
    if (rule.kind != LexicalKind::kChar) break;
  }
  // The f-form rules in file order, each tried when the word's tag is its from tag:
  // the next one to try is the first after the last that matched among those from the
  // current tag.
  uint32_t next = 0;
  for (;;) {
    if (*tag >= fform_from_.size()) return;
    const std::vector<uint32_t>& from = fform_from_[*tag];
    auto k = std::lower_bound(from.begin(), from.end(), next);
    while (k != from.end() && !Matches(fform_[*k], i, words, lexicon, scratch)) ++k;
    if (k == from.end()) return;
    *tag = fform_[*k].to;
    next = *k + 1;
  }
}

}  // namespace quillon
