// Contextual rules: "FROM TO TEMPLATE ARG1 [ARG2]" changes tag FROM to TO at a position
// whose neighbourhood matches one of 22 templates. They run in three passes over the
// sentence, position by position, the first pass with left-context templates only, and a
// change is made only when the word's lexicon row licenses the new tag.
// Tested by rules_test.cc and the differential test.
#ifndef QUILLON_CORE_CONTEXTUAL_RULES_H_
#define QUILLON_CORE_CONTEXTUAL_RULES_H_

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/huge_page_buffer.h"
#include "core/lexicon.h"
#include "core/rule_filter.h"
#include "core/string_id_map.h"
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

// The template numbers, in the order of kTemplateNames.
enum TemplateId : uint8_t {
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

// What the licence reads of a lexicon row, packed so that the rows sit close together.
struct LicenceRow {
  std::array<TagId, kLexiconTagSlots> tags;
  int field_count;
};

// The licence rows of every lexicon entry (rows with the same line share one), in entry
// order: the lexicon index answers with entries.
void BuildLicenceRows(const LexiconTable& table, HugePageBuffer<LicenceRow>* rows);

// The lexicon licence: may a contextual rule give the tag `to` to a word whose lexicon row
// is number `found` (0 for a word without a row), with licence row `row`? wdprevtag: the
// rule's template is WDPREVTAG; changed: a contextual rule has already changed the word's
// tag in this sentence.
bool LicenceAllows(const LicenceRow& row, int found, TagId to, bool wdprevtag, bool changed);

// What the rules need to know of each token: its lexicon row for the licence.
struct LicenceView {
  const HugePageBuffer<LicenceRow>* table;
  std::span<const int> rows;  // per token: the row found for it, 0 when it has none
};

class ContextualRules {
 public:
  ContextualRules() = default;
  ContextualRules(const std::vector<structure4>& records, TagTable* tags);

  // Working arrays of one sentence, kept by the caller so they are reused.
  struct Scratch {
    std::vector<uint8_t> changed;      // the changed flags
    std::vector<uint32_t> word_ids;    // rule-word id of each token, looked up lazily
    std::vector<uint32_t> changed_at;  // clock of the last change at each position
    std::vector<uint32_t> tested_at;   // clock when the second pass tested a position
    std::vector<uint8_t> fired;        // a rule fired there in the second pass
    std::vector<uint64_t> candidates;  // the rules that may hold at one position
  };

  // Runs the three passes over one sentence. When fired is given, the record number (line
  // index) of each rule that changes a tag is appended to it.
  void Apply(std::span<const std::string_view> words, std::span<TagId> tags,
             const LicenceView& licence, Scratch* scratch,
             std::vector<uint32_t>* fired = nullptr) const;

  bool empty() const { return rule_count_ == 0; }

 private:
  // A rule as the passes test it: arguments are tag ids or word ids by template. Rules
  // that can never fire are left out; order is the file's.
  struct Rule {
    uint32_t order;  // position among the kept rules, in file order
    TagId to;
    uint32_t arg1;
    uint32_t arg2;
    uint8_t templ;
    bool arg1_staart;
    bool arg2_staart;
  };
  // Word ids of the tokens of one sentence, looked up when a rule first asks.
  class SentenceWords;

  bool Holds(const Rule& rule, size_t i, SentenceWords& w, std::span<const TagId> t) const;
  bool Licensed(const Rule& rule, size_t i, const LicenceView& licence, bool changed) const;
  uint32_t WordId(std::string_view word) const;
  // True when a tag within reach of position i changed after clock.
  static bool ChangedSince(const Scratch& scratch, size_t i, uint32_t clock);

  // The rules from one tag, in file order, with their candidate filter.
  struct RuleList {
    std::vector<Rule> rules;
    RuleFilter filter;
  };
  // Tests the rules of list from position start on at token i; returns the rule that
  // fired, or null.
  const Rule* FirstFiring(const RuleList& list, size_t start, size_t i, SentenceWords& w,
                          std::span<const TagId> t, const LicenceView& licence, bool changed,
                          Scratch* scratch) const;

  size_t rule_count_ = 0;
  std::vector<uint32_t> record_of_;  // the record number of each kept rule, by order
  // For each tag, the rules from that tag: by_tag_[0] for the first pass (left-context
  // templates), by_tag_[1] for the others.
  std::vector<RuleList> by_tag_[2];
  // The value slot of each tag (see RuleFilter); tags no rule names have slot 0.
  std::vector<uint32_t> tag_slots_;
  uint32_t tag_slot_count_ = 2;
  // The words rule arguments name; any other word has no id.
  StringIdMap word_ids_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_CONTEXTUAL_RULES_H_
