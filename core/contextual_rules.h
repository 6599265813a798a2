// Contextual rules: "FROM TO TEMPLATE ARG1 [ARG2]" changes tag FROM to TO at a position
// whose neighbourhood matches one of 22 templates. They run in three passes over the
// sentence, position by position, the first pass with left-context templates only, and a
// change is made only when the word's lexicon row licenses the new tag.
// Tested by contextual_rules_test.cc and the differential test.
#ifndef QUILLON_CORE_CONTEXTUAL_RULES_H_
#define QUILLON_CORE_CONTEXTUAL_RULES_H_

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/lexicon.h"
#include "core/tag_table.h"

namespace quillon {

// One contextual rule record, as read from its line.
struct structure4 {
  std::string FromTag;
  std::string ToTag;
  std::string Template;
  std::string Arg1;
  std::string Arg2;
  int FieldCount = 0;
};

// Reads one record per line, in file order (a blank line gives an empty record).
std::vector<structure4> ParseContextualRules(const std::vector<std::string>& lines);

// The 22 template names in a fixed order; the index is the template's number.
inline constexpr const char* kTemplateNames[] = {
    "PREVTAG", "PREV1OR2TAG", "PREV1OR2OR3TAG", "PREV2TAG",    "PREVWD",     "PREV1OR2WD",
    "NEXTTAG", "NEXT1OR2TAG", "NEXT1OR2OR3TAG", "NEXT2TAG",    "NEXTWD",     "NEXT1OR2WD",
    "CURWD",   "WDPREVTAG",   "WDNEXTTAG",      "SURROUNDTAG", "PREVBIGRAM", "NEXTBIGRAM",
    "LBIGRAM", "RBIGRAM",     "WDAND2AFT",      "WDAND2TAGAFT"};
inline constexpr int kTemplateCount = 22;

// What the rules need to know of each token: its lexicon row for the licence.
struct LicenceView {
  const LexiconTable* table;
  std::span<const int> rows;  // per token: the row found for it, 0 when it has none
};

class ContextualRules {
 public:
  ContextualRules() = default;
  ContextualRules(const std::vector<structure4>& records, TagTable* tags);

  // Runs the three passes over one sentence; changed is per-sentence scratch.
  void Apply(std::span<const std::string_view> words, std::span<TagId> tags,
             const LicenceView& licence, std::vector<uint8_t>* changed) const;

  bool empty() const { return rules_.empty(); }

 private:
  struct Rule {
    TagId from;
    TagId to;
    uint8_t templ;
    bool left_context;
    bool arg1_staart;
    bool arg2_staart;
    TagId tag1;
    TagId tag2;
    std::string word1;
    std::string word2;
  };
  bool Holds(const Rule& rule, size_t i, std::span<const std::string_view> w,
             std::span<const TagId> t) const;
  bool Licensed(const Rule& rule, size_t i, const LicenceView& licence, bool changed) const;

  std::vector<Rule> rules_;  // file order; rules that can never fire are left out
  // For each tag, the positions in rules_ of the rules from that tag, ascending:
  // by_tag_[0] for the first pass (left-context templates), by_tag_[1] for the others.
  std::vector<std::vector<uint32_t>> by_tag_[2];
};

}  // namespace quillon

#endif  // QUILLON_CORE_CONTEXTUAL_RULES_H_
