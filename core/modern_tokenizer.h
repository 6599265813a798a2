// The modern tokenizer: cuts UTF-8 text (news, web, mail) into tokens the way the English
// Web Treebank and GUM do, the Penn Treebank conventions as applied to today's text.
// Unicode spaces and zero-width spaces separate tokens; typographic quotes, dashes,
// ellipses and symbols are tokens of their own; ’ and ʼ work as apostrophes, so n’t and
// ’s are cut off like n't and 's; "cannot", "gonna", "dont" are cut where the corpora cut
// them; numbers (5,000 3.5 10:30 1/2), phone numbers and dates, URLs, e-mail addresses,
// @names, #tags, file names, emoticons and runs of one punctuation mark stay whole;
// hyphenated words are cut at their hyphens unless they start with a prefix such as
// non- or re-; abbreviations of the ignore list and initials keep their period, except
// at the end of the sentence, where only dotted forms (U.S., a.m.) keep it.
// Bytes that are not valid UTF-8 are word characters: nothing is dropped but spaces.
// Tokens are views into the sentence, so cutting costs no allocation per token.
// Tested by modern_tokenizer_test.cc and fuzz/modern_tokenizer_fuzzer.cc.
#ifndef QUILLON_CORE_MODERN_TOKENIZER_H_
#define QUILLON_CORE_MODERN_TOKENIZER_H_

#include <string_view>
#include <vector>

#include "core/ignore_list.h"

namespace quillon {

class ModernTokenizer {
 public:
  // ignore must outlive the tokenizer.
  explicit ModernTokenizer(const IgnoreList* ignore) : ignore_(ignore) {}

  // Replaces tokens by the tokens of sentence, in order; never emits an empty token.
  void Tokenize(std::string_view sentence, std::vector<std::string_view>* tokens);

 private:
  const IgnoreList* ignore_;
  std::vector<std::string_view> suffixes_;  // reused from chunk to chunk
};

}  // namespace quillon

#endif  // QUILLON_CORE_MODERN_TOKENIZER_H_
