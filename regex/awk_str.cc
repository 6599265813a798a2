// The splitter. It keeps the rest of the text still to be searched and a pending field:
// an empty match at the start of the rest cuts nothing and moves one character of the
// rest into the pending field, so a pattern that matches the empty string leaves the text
// whole instead of looping. Every step consumes at least one character, and the pending
// field always runs up to the rest, so fields are slices of the text.
// Tested by awk_str_test.cc.
#include "regex/awk_str.h"

#include "regex/fuzzy_dictionary.h"

namespace quillon {

TAWKStr::TAWKStr(CodePage code_page) : TMatchCORE(code_page) {
  PreProcessor().AddFuzzyDictionary(FuzzyCharDictionary());
}

void TAWKStr::SetRegExp(std::string_view pattern) {
  TMatchCORE::SetRegExp(pattern);
  anchored_ = HasLineStartAnchor() || HasLineEndAnchor();
}

void TAWKStr::SetUseFuzzyCharDic(bool on) {
  use_fuzzy_char_dic_ = on;
  const std::string pattern = RegExp();
  SetRegExp(pattern);
}

void TAWKStr::SetUseSynonymDic(bool on) {
  use_synonym_dic_ = on;
  const std::string pattern = RegExp();
  SetRegExp(pattern);
}

template <typename AddField>
void TAWKStr::SplitInto(std::string_view text, AddField add_field) const {
  size_t pending = 0;  // the pending field is text[pending, rest)
  size_t rest = 0;
  while (rest < text.size()) {
    MatchSpan match;
    if (!Match(text.substr(rest), &match)) {
      add_field(text.substr(pending));
      return;
    }
    if (match.end == 0) {  // empty, at the start of the rest
      rest += CharLength(code_page(), text, rest);
      continue;
    }
    add_field(text.substr(pending, rest + match.start - pending));
    rest += match.end;
    pending = rest;
    if (rest == text.size()) {
      add_field(text.substr(rest));
      return;
    }
  }
  if (rest > pending) add_field(text.substr(pending));
}

int TAWKStr::Split(std::string_view text, std::vector<std::string_view>* fields) const {
  fields->clear();
  SplitInto(text, [fields](std::string_view field) { fields->push_back(field); });
  return static_cast<int>(fields->size());
}

int TAWKStr::Split(std::string_view text, std::vector<std::string>* fields) const {
  fields->clear();
  SplitInto(text, [fields](std::string_view field) { fields->emplace_back(field); });
  return static_cast<int>(fields->size());
}

}  // namespace quillon
