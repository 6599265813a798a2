// Reading the tokens of a result file back: word, separator, tag, then a lemma (after a
// second separator) or a multi-word mark ("_M<label>", right after the tag). A file does
// not say which separator and which of these it was written with, and words may hold the
// separator themselves ("and/or/CC"), so the layout is told from a sample of the file's
// tokens: the one under which most tokens end in something shaped like a tag wins.
// Also the word class of a tag, for the window's colours and counts. Plain C++, no Qt.
// Tested by result_statistics_test.cc and fuzz/result_statistics_fuzzer.cc.
#ifndef QUILLON_CORE_RESULT_TOKENS_H_
#define QUILLON_CORE_RESULT_TOKENS_H_

#include <string_view>

namespace quillon {

// How the tokens of one result file are written.
struct ResultLayout {
  char separator = '_';  // '_' ("WORD_TAG") or '/' ("WORD/TAG")
  bool lemmas = false;   // word, separator, tag, separator, lemma
  bool operator==(const ResultLayout&) const = default;
};

// One token cut into its parts; all three are views into the token and together make it.
struct ResultToken {
  std::string_view word;  // the token itself when it carries no tag
  std::string_view tag;   // without the separator before it; empty when there is none
  std::string_view rest;  // what follows the tag: separator and lemma, or the mark
};

// True for a field that looks like a tag: 1 to 10 bytes of capital letters, digits and
// ASCII punctuation, not all digits ("NN", "PRP$", "-LRB-", ".", "``").
bool IsTagLike(std::string_view field);

// Cuts token by layout. Without lemmas the tag is what follows the last separator (after
// a multi-word mark is taken off); with lemmas it is the rightmost field between two
// separators that looks like a tag, or failing that the field before the last separator.
ResultToken SplitResultToken(std::string_view token, const ResultLayout& layout);

// The layout under which most tokens of sample (the first bytes of a file; a token cut
// off at its end does no harm) parse with a tag-like tag. Ties go to '_' and no lemmas.
ResultLayout DetectResultLayout(std::string_view sample);

// The coarse word classes the window colours and counts by.
enum class WordClass { kNoun, kVerb, kAdjective, kAdverb, kFunction, kPunctuation, kOther };
inline constexpr int kWordClassCount = 7;

// Penn Treebank tags by class: NN* nouns; VB* and MD verbs; JJ* adjectives; RB, RBR, RBS
// adverbs; determiners, pronouns, prepositions, conjunctions, particles, TO, EX, POS, PDT
// and the wh-words function words; tags without letters or digits, -LRB- and -RRB-
// punctuation; everything else (CD, FW, LS, SYM, UH, unknown tags) other.
WordClass ClassOfTag(std::string_view tag);

// "Noun", "Verb", "Adjective", "Adverb", "Function word", "Punctuation", "Other".
const char* WordClassName(WordClass word_class);

}  // namespace quillon

#endif  // QUILLON_CORE_RESULT_TOKENS_H_
