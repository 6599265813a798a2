// Contextual rules: "FROM TO TEMPLATE ARG1 [ARG2]" changes tag FROM to TO at a position
// whose neighbourhood matches one of 22 templates. They run in three passes over the
// sentence, position by position, the first pass with left-context templates only, and a
// change is made only when the word's lexicon row licenses the new tag.
// Tested by rules_test.cc and differential_test.cc.
#ifndef QUILLON_CORE_CONTEXTUAL_RULES_H_
#define QUILLON_CORE_CONTEXTUAL_RULES_H_

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/context_index.h"
#include "core/huge_page_buffer.h"
#include "core/lexicon.h"
#include "core/lexicon_index.h"
#include "core/licence_table.h"
#include "core/string_id_map.h"
#include "core/tag_table.h"
#include "core/unknown_spelling.h"

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

// The licence rows of every lexicon entry (rows with the same line share one), in entry
// order, with rule_word kLookUpRuleWord: the lexicon index answers with entries.
void BuildLicenceRows(const LexiconTable& table, HugePageBuffer<LicenceRow>* rows);

// The lexicon licence (LicenceAllowsOf) of a full row.
bool LicenceAllows(const LicenceRow& row, int found, TagId to, bool wdprevtag, bool changed);

// What the rules need to know of each token: its lexicon row for the licence.
struct LicenceView {
  const LicenceTable* table;
  std::span<const int> rows;  // per token: the row found for it, 0 when it has none
  // Per token, when given: WordValueOf its word and row, found by the caller.
  std::span<const uint32_t> word_values = {};
  // Per token, when given: the SpellingOf a word without a row (kAnySpelling for the
  // others); a rule then gives such a word only a tag its ending allows.
  std::span<const uint8_t> spelling = {};
};

class ContextualRules {
 public:
  ContextualRules() = default;
  ContextualRules(const std::vector<structure4>& records, TagTable* tags);

  // Working arrays of one sentence, kept by the caller so they are reused.
  struct Scratch {
    std::vector<uint8_t> changed;      // the changed flags
    std::vector<uint32_t> values;      // context values of tags and words (ContextIndex)
    std::vector<uint32_t> changed_at;  // clock of the last change at each position, padded
    std::vector<uint32_t> tested_at;   // clock when the last pass tested each position
  };

  // Sets rule_word in the licence rows: for a row whose key is the key of exactly one
  // word that rules name, that word's id; kNoRuleWord when no such word has its key. A
  // token found at such a row then needs no lookup of its own to know its rule word.
  void MarkRuleWords(const LexiconIndex& index, LicenceTable* rows) const;

  // Runs the three passes over one sentence. When fired is given, the record number (line
  // index) of each rule that changes a tag is appended to it.
  void Apply(std::span<const std::string_view> words, std::span<TagId> tags,
             const LicenceView& licence, Scratch* scratch,
             std::vector<uint32_t>* fired = nullptr) const;

  bool empty() const { return rules_.empty(); }

  // The context value of a token's word: WordValue of its rule-word id, or kNoValue. It
  // depends on the word alone, given the row the lexicon finds for it.
  uint32_t WordValueOf(std::string_view word, int row, const LicenceView& licence) const;

 private:
  // A rule as the passes test it: its arguments are context values (TagValue or WordValue,
  // by template). Rules that can never fire are left out; order is the file's.
  struct Rule {
    uint32_t order;  // position among the kept rules, in file order
    TagId to;
    uint32_t arg1;
    uint32_t arg2;
    uint8_t templ;
    bool arg1_staart;
    bool arg2_staart;
  };
  // Does the rule's template hold at position i of n, whose context values start at v?
  static bool Holds(const Rule& rule, size_t i, size_t n, const uint32_t* v);
  bool Licensed(const Rule& rule, size_t i, const LicenceView& licence, bool changed) const;
  // The keys under which a rule is filed in the index.
  static void KeysOf(const Rule& rule, std::vector<ContextKey>* keys);

  // Tests the rules of lists numbered start or more, in file order, at token i of n;
  // returns the first that holds and is licensed, or null.
  const Rule* FirstFiring(ContextIndex::Lists* lists, uint32_t start, size_t i, size_t n,
                          const uint32_t* v, const LicenceView& licence, bool changed) const;

  std::vector<Rule> rules_;  // the kept rules, by order
  SpellingTags spelling_tags_;
  std::vector<uint32_t> record_of_;  // the record number of each kept rule, by order
  ContextIndex index_;
  // The words rule arguments name; any other word has no id.
  StringIdMap word_ids_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_CONTEXTUAL_RULES_H_
