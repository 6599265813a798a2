// TREPreProcessor rewrites a pattern before it is compiled: every ordinary character (or
// run of them) that a dictionary knows becomes a group of all the variants it counts as
// the same as, e.g. "a" becomes "(Ａ|ａ|A|a)" with the fuzzy character dictionary. Classes
// and operators are copied as they stand. Tested by preprocessor_test.cc.
#ifndef QUILLON_REGEX_PREPROCESSOR_H_
#define QUILLON_REGEX_PREPROCESSOR_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "regex/code_page.h"
#include "regex/fuzzy_dictionary.h"

namespace quillon {

class TREPreProcessor {
 public:
  explicit TREPreProcessor(CodePage code_page) : code_page_(code_page) {}

  // Dictionaries are tried in the order they were added; they must outlive this object.
  void AddSynonymDictionary(const RegexDictionary& dictionary);
  void AddFuzzyDictionary(const RegexDictionary& dictionary);

  // The pattern to compile: synonyms applied first (when on), then fuzzy characters (when
  // on). With both off it is the pattern itself. Raises ERegExpParser when the pattern
  // does not scan. A dictionary is prepared for matching the first time it is used.
  std::string Preprocess(std::string_view pattern, bool use_synonyms, bool use_fuzzy);

 private:
  // A dictionary prepared for this code page: each variant as character codes, and each
  // group's replacement text.
  struct Prepared {
    std::vector<std::vector<std::vector<uint16_t>>> variants;  // [group][variant] -> codes
    std::vector<std::string> replacements;                     // [group] -> "(v1|v2|...)"
  };

  // Dictionaries as added, and their prepared forms once they have been used.
  struct DictionaryList {
    std::vector<const RegexDictionary*> added;
    std::vector<Prepared> prepared;
  };

  Prepared Prepare(const RegexDictionary& dictionary) const;
  std::string Apply(std::string_view pattern, DictionaryList* dictionaries) const;

  CodePage code_page_;
  DictionaryList synonyms_;
  DictionaryList fuzzy_;
};

}  // namespace quillon

#endif  // QUILLON_REGEX_PREPROCESSOR_H_
