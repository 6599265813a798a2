// TAWKStr: the component through which the program uses the engine. It adds to the
// matcher the two preprocessing switches and Split, which cuts a text into the fields
// between the matches of the pattern (" +" cuts at runs of blanks, as AWK does with its
// field separator). Tested by awk_str_test.cc.
#ifndef QUILLON_REGEX_AWK_STR_H_
#define QUILLON_REGEX_AWK_STR_H_

#include <string>
#include <string_view>
#include <vector>

#include "regex/matcher.h"

namespace quillon {

class TAWKStr : public TMatchCORE {
 public:
  // Adds the program-wide fuzzy character dictionary to the preprocessor. The current
  // pattern is the empty one until RegExp is set.
  explicit TAWKStr(CodePage code_page = ActiveCodePage());

  // Compiles pattern through the cache and chooses the search routine: the anchored one
  // when the pattern holds "^" or "$" as an anchor, the plain one otherwise. On
  // ERegExpParser the component is left on the empty pattern with the routine it had.
  void SetRegExp(std::string_view pattern) override;

  bool UseFuzzyCharDic() const { return use_fuzzy_char_dic_; }
  bool UseSynonymDic() const { return use_synonym_dic_; }
  // Each switch sets RegExp again, so the pattern is preprocessed and compiled anew.
  void SetUseFuzzyCharDic(bool on);
  void SetUseSynonymDic(bool on);

  // The first match of the current pattern in text with the chosen routine.
  bool Match(std::string_view text, MatchSpan* match) const {
    return anchored_ ? AnchoredSearch(text, match) : PlainSearch(text, match);
  }

  // Empties fields, then fills it with the fields of text and returns their number. A
  // match at the very start or end of text gives an empty first or last field; an empty
  // match at the start of the rest of the text cuts nothing. The views point into text.
  int Split(std::string_view text, std::vector<std::string_view>* fields) const;
  int Split(std::string_view text, std::vector<std::string>* fields) const;

 private:
  template <typename AddField>
  void SplitInto(std::string_view text, AddField add_field) const;

  bool anchored_ = false;
};

}  // namespace quillon

#endif  // QUILLON_REGEX_AWK_STR_H_
