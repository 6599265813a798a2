// A plain reference tagger for the tests. It does every stage of tagging one sentence the
// slow and obvious way: tags and rules are strings, the lexicon is searched by the
// recursive bisection that leaves its result in a lookup slot, rules are scanned in file
// order, nothing is precomputed or cached. The fast tagger in core/ interns tags, indexes
// rules and answers lexicon searches from a hash map; differential_test.cc feeds both the
// same generated resources and sentences and requires the same output lines.
// Nothing here is used by the program itself.
#ifndef QUILLON_TESTS_REFERENCE_REFERENCE_TAGGER_H_
#define QUILLON_TESTS_REFERENCE_REFERENCE_TAGGER_H_

#include <string>
#include <string_view>
#include <vector>

namespace quillon::reference {

// The resource files a tagger reads, each as its lines.
struct ResourceLines {
  std::vector<std::string> ignore;
  std::vector<std::string> lexicon;
  std::vector<std::string> tagset;
  std::vector<std::string> lexical_rules;
  std::vector<std::string> contextual_rules;
};

// A lexicon row. Tags[0] is tag slot 1; slots without a tag are empty.
struct structure1 {
  std::string Word;
  std::string Tags[10];
  std::string Key;
  int FieldCount = 0;
};

// A lexical rule record.
struct structure2 {
  std::string FromTag;
  std::string Argument;
  std::string RuleName;
  std::string NewTag;
  int IsFForm = 0;
};

// A contextual rule record.
struct structure4 {
  std::string FromTag;
  std::string ToTag;
  std::string Template;
  std::string Arg1;
  std::string Arg2;
  int FieldCount = 0;
};

// --- Lexicon (reference_lexicon.cc) ---

// The order key of word: two digits per byte.
std::string OrderKey(std::string_view word);

// True when a and b are equal, folding ASCII letters only.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// The prepared-form test: at least 101 lines, and the 101st begins with a field of digits
// that equals the order key of its second field.
bool IsPreparedForm(const std::vector<std::string>& lines);

// Prepares plain-form lines: keyed, sorted ignoring case (stable), sentinel lines first.
std::vector<std::string> LEXICON(const std::vector<std::string>& lines);

// Reads one row line (prepared form) into a row.
structure1 ReadRow(std::string_view line);

// The lexicon table and the lookup slots that the searches write.
struct LexiconState {
  std::vector<structure1> rows;
  std::string CurrentKey;
  int FoundIndex = 0;
  int LookupIndex = -1;

  // Builds the table from the lexicon file's lines, preparing them when in plain form.
  void Load(const std::vector<std::string>& lines);
  int LexiconCount() const { return static_cast<int>(rows.size()); }

  void Hash(std::string_view word) { CurrentKey = OrderKey(word); }
  // Bisection for CurrentKey over rows lo..hi; FoundIndex gets the row or 0.
  void BinarySearch(int lo, int hi);
  // The same bisection; LookupIndex gets the row or -1.
  void BiSearch(int lo, int hi);

 private:
  void Bisect(int lo, int hi, int absent, int* slot);
};

// --- Tokens (reference_tokenizer.cc) ---

// The rule-based tokenizer; ignore holds the ignore list's lines.
std::vector<std::string> TokenizeOn(std::string_view sentence,
                                    const std::vector<std::string>& ignore);
// Splitting at runs of spaces; empty fields are no tokens.
std::vector<std::string> TokenizeOff(std::string_view sentence);

// --- Rules and tagging (reference_tagger.cc) ---

std::vector<std::string> ReadTagList(const std::vector<std::string>& tagset_lines);
// Lines that end before their new tag are left out.
std::vector<structure2> ReadLexicalRules(const std::vector<std::string>& lines,
                                         const std::vector<std::string>& tag_list);
std::vector<structure4> ReadContextualRules(const std::vector<std::string>& lines);

class ReferenceTagger {
 public:
  ReferenceTagger(const ResourceLines& resources, bool tokenize, char separator);

  // The output line of sentence: "word_TAG word_TAG ...".
  std::string TagSentence(std::string_view sentence);

  const LexiconState& lexicon() const { return lexicon_; }

 private:
  void StartTags(const std::vector<std::string>& words, std::vector<std::string>* tags);
  void ApplyLexicalRules(size_t i, const std::vector<std::string>& words,
                         std::vector<std::string>* tags);
  bool LexicalRuleMatches(const structure2& rule, std::string_view kind, size_t i,
                          const std::vector<std::string>& words);
  bool InLexicon(std::string_view word);
  void ApplyContextualRules(const std::vector<std::string>& words, std::vector<std::string>* tags);
  bool Licensed(const structure4& rule, const std::string& word, bool changed);

  LexiconState lexicon_;
  std::vector<std::string> ignore_;
  std::vector<structure2> lexical_;
  std::vector<structure4> contextual_;
  bool tokenize_;
  char separator_;
};

// True when the template holds at position i (one of the 22; any other name never holds).
bool TemplateHolds(const structure4& rule, size_t i, const std::vector<std::string>& words,
                   const std::vector<std::string>& tags);

}  // namespace quillon::reference

#endif  // QUILLON_TESTS_REFERENCE_REFERENCE_TAGGER_H_
