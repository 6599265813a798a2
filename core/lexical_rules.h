// Unknown-word lexical rules: guesses for words the lexicon does not know, from their
// spelling and the words beside them. A rule line is plain ("ly hassuf 2 RB") or, when
// its first field is a tag of the tag set, f-form ("NN ly fhassuf 2 RB"). Plain rules run
// first, and the first matching plain rule that is not "char" ends them; f-form rules then
// run in file order as chained transformations of the current tag.
// Tested by rules_test.cc and the differential test.
#ifndef QUILLON_CORE_LEXICAL_RULES_H_
#define QUILLON_CORE_LEXICAL_RULES_H_

#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/lexicon_index.h"
#include "core/tag_table.h"

namespace quillon {

// One lexical rule record, as read from its line.
struct structure2 {
  std::string FromTag;
  std::string Argument;
  std::string RuleName;
  std::string NewTag;
  int IsFForm = 0;
};

// The eight kinds of rule, in this order; each has a plain and an f-form name.
enum class LexicalKind : uint8_t {
  kChar,
  kHasSuf,
  kHasPref,
  kDeleteSuf,
  kDeletePref,
  kAddSuf,
  kGoodLeft,
  kGoodRight,
};
inline constexpr int kLexicalKindCount = 8;

// The rule name of kind in the plain ("hassuf") or the f-form ("fhassuf") layout.
const char* LexicalKindName(LexicalKind kind, bool fform);

// The tags of the tag set file: the text of each line before its first tab.
std::vector<std::string> ReadTagList(const std::vector<std::string>& tagset_lines);

// Reads the rule records in file order; a line that ends before its new tag is skipped.
std::vector<structure2> ParseLexicalRules(const std::vector<std::string>& lines,
                                          const std::vector<std::string>& tag_list);

// The rules compiled for application: tags interned, kinds decoded, plain and f-form
// rules in two lists, rules that can never match left out.
class LexicalRules {
 public:
  LexicalRules() = default;
  LexicalRules(const std::vector<structure2>& records, TagTable* tags);

  // Applies both passes to the unknown word words[i], rewriting *tag.
  void Apply(size_t i, std::span<const std::string_view> words, TagId* tag,
             const LexiconIndex& lexicon, std::string* scratch) const;

 private:
  struct Rule {
    LexicalKind kind;
    TagId from;
    TagId to;
    std::string argument;
    std::string argument_codes;  // key of the argument in compact form, for addsuf
  };
  bool Matches(const Rule& rule, size_t i, std::span<const std::string_view> words,
               const LexiconIndex& lexicon, std::string* scratch) const;

  std::vector<Rule> plain_;
  std::vector<Rule> fform_;
  // Per tag, the f-form rules from it, ascending: a word visits only the rules from its
  // current tag, not all of them.
  std::vector<std::vector<uint32_t>> fform_from_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_LEXICAL_RULES_H_
