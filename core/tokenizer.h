// Cutting a sentence into tokens. The rule-based tokenizer separates punctuation,
// contractions ("don't" -> "do" "n't") and sentence periods from words, keeping the
// period of abbreviations found in the ignore list. It makes one left-to-right pass and
// emits views into the sentence, so tokens cost no allocation.
// Tested by tokenizer_test.cc.
#ifndef QUILLON_CORE_TOKENIZER_H_
#define QUILLON_CORE_TOKENIZER_H_

#include <string_view>
#include <vector>

#include "core/ignore_list.h"

namespace quillon {

// Replaces tokens by the tokens of sentence; never emits an empty token.
void Tokenize(std::string_view sentence, const IgnoreList& ignore,
              std::vector<std::string_view>* tokens);

}  // namespace quillon

#endif  // QUILLON_CORE_TOKENIZER_H_
