// The reference tagger: rule file reading, start tags, unknown-word lexical rules,
// contextual rules with the lexicon licence, and the output line. Every rule is a string
// record scanned in file order and every lexicon question is a fresh key and bisection.
// Used by differential_test.cc.
#include "tests/reference/reference_tagger.h"

namespace quillon::reference {
namespace {

bool IsLexicalSeparator(unsigned char c) { return c == ' ' || c == '\n' || c == '\r' || c == 18; }

bool IsContextualSeparator(unsigned char c) {
  return c == '\t' || c == ' ' || c == '\n' || c == '\r' || c == 0 || c == 18 || c == 22 ||
         c == 26 || c == 30;
}

// Reads the field that starts at *p and passes over the one character after it.
template <typename IsSeparator>
std::string ReadField(const std::string& line, size_t* p, IsSeparator is_separator) {
  if (*p >= line.size()) {
    ++*p;
    return "";
  }
  size_t end = *p;
  while (end < line.size() && !is_separator(line[end])) ++end;
  std::string field = line.substr(*p, end - *p);
  *p = end + 1;
  return field;
}

bool StartsWith(std::string_view word, std::string_view prefix) {
  return word.size() >= prefix.size() && word.substr(0, prefix.size()) == prefix;
}
bool EndsWith(std::string_view word, std::string_view suffix) {
  return word.size() >= suffix.size() && word.substr(word.size() - suffix.size()) == suffix;
}

const char* const kLexicalKinds[] = {"char",       "hassuf", "haspref",  "deletesuf",
                                     "deletepref", "addsuf", "goodleft", "goodright"};

// The kind of a plain rule name, or of an f-form name without its "f"; empty when the name
// is not one of the eight of that layout.
std::string_view LexicalKind(const std::string& name, bool f_form) {
  std::string_view kind = name;
  if (f_form) {
    if (kind.empty() || kind[0] != 'f') return {};
    kind.remove_prefix(1);
  }
  for (const char* known : kLexicalKinds) {
    if (kind == known) return kind;
  }
  return {};
}

}  // namespace

std::vector<std::string> ReadTagList(const std::vector<std::string>& tagset_lines) {
  std::vector<std::string> tags;
  for (const std::string& line : tagset_lines) tags.push_back(line.substr(0, line.find('\t')));
  return tags;
}

std::vector<structure2> ReadLexicalRules(const std::vector<std::string>& lines,
                                         const std::vector<std::string>& tag_list) {
  std::vector<structure2> rules;
  for (const std::string& line : lines) {
    size_t p = 0;
    structure2 rule;
    rule.FromTag = ReadField(line, &p, IsLexicalSeparator);
    for (const std::string& tag : tag_list) {
      if (EqualIgnoringCase(tag, rule.FromTag)) rule.IsFForm = 1;
    }
    rule.Argument = rule.IsFForm ? ReadField(line, &p, IsLexicalSeparator) : rule.FromTag;
    rule.RuleName = ReadField(line, &p, IsLexicalSeparator);
    // A one-digit length field and its separator; the length itself is not needed.
    if (p < line.size() && line[p] >= '0' && line[p] <= '9') p += 2;
    if (p >= line.size()) continue;  // the line ends before its new tag
    rule.NewTag = ReadField(line, &p, IsLexicalSeparator);
    rules.push_back(rule);
  }
  return rules;
}

std::vector<structure4> ReadContextualRules(const std::vector<std::string>& lines) {
  std::vector<structure4> rules;
  for (const std::string& line : lines) {
    size_t p = 0;
    structure4 rule;
    std::string* fields[] = {&rule.FromTag, &rule.ToTag, &rule.Template, &rule.Arg1, &rule.Arg2};
    for (std::string* field : fields) {
      if (p < line.size()) ++rule.FieldCount;
      *field = ReadField(line, &p, IsContextualSeparator);
    }
    rules.push_back(rule);
  }
  return rules;
}

ReferenceTagger::ReferenceTagger(const ResourceLines& resources, bool tokenize, char separator)
    : ignore_(resources.ignore), tokenize_(tokenize), separator_(separator) {
  lexicon_.Load(resources.lexicon);
  lexical_ = ReadLexicalRules(resources.lexical_rules, ReadTagList(resources.tagset));
  contextual_ = ReadContextualRules(resources.contextual_rules);
}

std::string ReferenceTagger::TagSentence(std::string_view sentence) {
  const std::vector<std::string> words =
      tokenize_ ? TokenizeOn(sentence, ignore_) : TokenizeOff(sentence);
  std::vector<std::string> tags;
  StartTags(words, &tags);
  ApplyContextualRules(words, &tags);
  std::string line;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) line += ' ';
    line += words[i] + separator_ + tags[i];
  }
  return line;
}

void ReferenceTagger::StartTags(const std::vector<std::string>& words,
                                std::vector<std::string>* tags) {
  tags->assign(words.size(), "");
  for (size_t i = 0; i < words.size(); ++i) {
    bool unknown = false;
    int row = 1;  // a word keyed "00" is not looked up: sentinel row 1, not unknown
    lexicon_.Hash(words[i]);
    if (lexicon_.CurrentKey != "00") {
      lexicon_.BinarySearch(0, lexicon_.LexiconCount() - 1);
      row = lexicon_.FoundIndex;
      if (row == 0) {
        const char first = words[i].empty() ? 0 : words[i][0];
        row = first >= 'A' && first <= 'Z' ? 0 : 1;
        unknown = true;
      }
    }
    (*tags)[i] = lexicon_.rows[row].Tags[0];
    if (unknown) ApplyLexicalRules(i, words, tags);
  }
}

bool ReferenceTagger::InLexicon(std::string_view word) {
  lexicon_.Hash(word);
  lexicon_.BiSearch(0, lexicon_.LexiconCount() - 1);
  return lexicon_.LookupIndex != -1;
}

bool ReferenceTagger::LexicalRuleMatches(const structure2& rule, std::string_view kind, size_t i,
                                         const std::vector<std::string>& words) {
  const std::string& w = words[i];
  const std::string& a = rule.Argument;
  if (kind == "char") return a.size() == 1 && w.find(a[0]) != std::string::npos;
  if (kind == "hassuf") return EndsWith(w, a);
  if (kind == "haspref") return StartsWith(w, a);
  if (kind == "deletesuf") return EndsWith(w, a) && InLexicon(w.substr(0, w.size() - a.size()));
  if (kind == "deletepref") return StartsWith(w, a) && InLexicon(w.substr(a.size()));
  if (kind == "addsuf") return InLexicon(w + a);
  if (kind == "goodleft") return i + 1 < words.size() && words[i + 1] == a;
  if (kind == "goodright") return i > 0 && words[i - 1] == a;
  return false;
}

void ReferenceTagger::ApplyLexicalRules(size_t i, const std::vector<std::string>& words,
                                        std::vector<std::string>* tags) {
  // Plain rules: the first match other than "char" ends the pass.
  for (const structure2& rule : lexical_) {
    if (rule.IsFForm != 0) continue;
    const std::string_view kind = LexicalKind(rule.RuleName, false);
    if (kind.empty() || !LexicalRuleMatches(rule, kind, i, words)) continue;
    (*tags)[i] = rule.NewTag;
    if (kind != "char") break;
  }
  // f-form rules: each sees the tag the ones before it left.
  for (const structure2& rule : lexical_) {
    if (rule.IsFForm != 1 || (*tags)[i] != rule.FromTag) continue;
    const std::string_view kind = LexicalKind(rule.RuleName, true);
    if (!kind.empty() && LexicalRuleMatches(rule, kind, i, words)) (*tags)[i] = rule.NewTag;
  }
}

bool TemplateHolds(const structure4& r, size_t i, const std::vector<std::string>& W,
                   const std::vector<std::string>& T) {
  const size_t n = W.size();
  const std::string& t = r.Template;
  const std::string& a1 = r.Arg1;
  const std::string& a2 = r.Arg2;
  auto tag_at = [&](size_t back_or_ahead, bool ahead, const std::string& want) {
    if (ahead) return i + back_or_ahead < n && T[i + back_or_ahead] == want;
    return i >= back_or_ahead && T[i - back_or_ahead] == want;
  };
  auto word_at = [&](size_t back_or_ahead, bool ahead, const std::string& want) {
    if (ahead) return i + back_or_ahead < n && W[i + back_or_ahead] == want;
    return i >= back_or_ahead && W[i - back_or_ahead] == want;
  };
  if (t == "PREVTAG") return (i > 0 && T[i - 1] == a1) || (i == 0 && a1 == "STAART");
  if (t == "PREV1OR2TAG") return tag_at(1, false, a1) || tag_at(2, false, a1);
  if (t == "PREV1OR2OR3TAG") {
    return tag_at(1, false, a1) || tag_at(2, false, a1) || tag_at(3, false, a1);
  }
  if (t == "PREV2TAG") return tag_at(2, false, a1);
  if (t == "PREVWD") return word_at(1, false, a1);
  if (t == "PREV1OR2WD") return word_at(1, false, a1) || word_at(2, false, a1);
  if (t == "NEXTTAG") return tag_at(1, true, a1);
  if (t == "NEXT1OR2TAG") return tag_at(1, true, a1) || tag_at(2, true, a1);
  if (t == "NEXT1OR2OR3TAG")
    return tag_at(1, true, a1) || tag_at(2, true, a1) || tag_at(3, true, a1);
  if (t == "NEXT2TAG") return tag_at(2, true, a1);
  if (t == "NEXTWD") return word_at(1, true, a1);
  if (t == "NEXT1OR2WD") return word_at(1, true, a1) || word_at(2, true, a1);
  if (t == "CURWD") return W[i] == a1;
  if (t == "WDPREVTAG") return tag_at(1, false, a1) && W[i] == a2;
  if (t == "WDNEXTTAG") return i + 1 < n && W[i] == a1 && T[i + 1] == a2;
  if (t == "SURROUNDTAG") {
    if (i == 0) return a1 == "STAART" && 1 < n && T[1] == a2;
    return i + 1 < n && T[i - 1] == a1 && T[i + 1] == a2;
  }
  if (t == "PREVBIGRAM") return i >= 2 && T[i - 2] == a1 && T[i - 1] == a2;
  if (t == "NEXTBIGRAM") {
    if (i + 2 < n && T[i + 1] == a1 && T[i + 2] == a2) return true;
    return i + 2 == n && a2 == "STAART" && T[i + 1] == a1;
  }
  if (t == "LBIGRAM") {
    if (i == 0) return a1 == "STAART" && W[0] == a2;
    return W[i - 1] == a1 && W[i] == a2;
  }
  if (t == "RBIGRAM") return i + 1 < n && W[i] == a1 && W[i + 1] == a2;
  if (t == "WDAND2AFT") return i + 2 < n && W[i] == a1 && W[i + 2] == a2;
  if (t == "WDAND2TAGAFT") return i + 2 < n && W[i] == a1 && T[i + 2] == a2;
  return false;
}

bool ReferenceTagger::Licensed(const structure4& rule, const std::string& word, bool changed) {
  lexicon_.Hash(word);
  int row = 1;  // a word keyed "00" is not looked up: sentinel row 1
  if (lexicon_.CurrentKey != "00") {
    lexicon_.BinarySearch(0, lexicon_.LexiconCount() - 1);
    row = lexicon_.FoundIndex;
  }
  const structure1& r = lexicon_.rows[row];
  if (r.FieldCount <= 3) return false;
  for (int slot = 1; slot < 10; ++slot) {
    if (r.Tags[slot] == rule.ToTag) return true;
  }
  if (rule.Template == "WDPREVTAG") return changed;
  return (changed && rule.ToTag == r.Tags[0]) || row == 0 || row == 1;
}

void ReferenceTagger::ApplyContextualRules(const std::vector<std::string>& words,
                                           std::vector<std::string>* tags) {
  // Every sentence starts with all changed flags clear.
  std::vector<int> changed(words.size(), 0);
  for (int pass = 0; pass < 3; ++pass) {
    for (size_t i = 0; i < words.size(); ++i) {
      for (const structure4& rule : contextual_) {
        if (pass == 0) {
          const char c = rule.Template.empty() ? 0 : rule.Template[0];
          if (c != 'C' && c != 'L' && c != 'P' && rule.Template != "WDPREVTAG") continue;
        }
        if ((*tags)[i] != rule.FromTag) continue;
        if (!TemplateHolds(rule, i, words, *tags)) continue;
        if (!Licensed(rule, words[i], changed[i] == 1)) continue;
        (*tags)[i] = rule.ToTag;
        changed[i] = 1;
        if (pass == 0) break;
      }
    }
  }
}

}  // namespace quillon::reference
