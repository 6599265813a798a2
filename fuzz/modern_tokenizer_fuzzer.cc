// Fuzz harness for the modern tokenizer and the lookup forms of its tokens. The input is
// two texts cut at a NUL byte: the ignore list and a text, tokenized whole and line by line.
// Checks: tokens are non-empty views into the sentence, in order and apart, and between
// them stand only spaces (nothing else is dropped); a second pass gives the same tokens;
// a lookup form differs from its token; the tagger in modern mode writes one word_TAG pair
// per token.
#include <memory>
#include <string>
#include <vector>

#include "core/lookup_form.h"
#include "core/modern_tokenizer.h"
#include "core/resources.h"
#include "core/tagger.h"
#include "core/unicode_class.h"
#include "fuzz/fuzz_input.h"

namespace quillon {
namespace {

using fuzz::Check;

// Every character of s[from, to) is a space.
void CheckSpaces(std::string_view s, size_t from, size_t to) {
  for (size_t i = from; i < to;) {
    const DecodedChar c = DecodeUtf8At(s, i);
    Check(ClassOf(c.code) == CharClass::kSpace);
    i += c.length;
    Check(i <= to);
  }
}

void CheckSentence(std::string_view sentence, ModernTokenizer* tokenizer, Tagger* tagger) {
  std::vector<std::string_view> tokens, again;
  tokenizer->Tokenize(sentence, &tokens);
  size_t at = 0;
  for (const std::string_view token : tokens) {
    Check(!token.empty());
    Check(token.data() >= sentence.data() + at);
    const size_t begin = static_cast<size_t>(token.data() - sentence.data());
    Check(begin + token.size() <= sentence.size());
    CheckSpaces(sentence, at, begin);
    at = begin + token.size();
    std::string form;
    if (AppendLookupForm(token, &form)) Check(!form.empty() && form != token);
  }
  CheckSpaces(sentence, at, sentence.size());
  tokenizer->Tokenize(sentence, &again);
  Check(again == tokens);

  std::string line;
  tagger->TagSentence(sentence, &line);
  size_t separators = 0;
  for (const char c : line) separators += c == ' ';
  Check(tokens.empty() ? line.empty() : separators + 1 == tokens.size());
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size > 8192) return 0;
  const std::vector<std::string_view> parts = fuzz::SplitParts(fuzz::AsText(data, size), 2);
  auto resources = std::make_unique<Resources>();
  resources->ignore = IgnoreList(fuzz::Lines(parts[0]));
  BuildLexicon({"` ``", "'' ''", "- :", "' POS"}, nullptr, resources.get());
  TaggerOptions options;
  options.modern = true;
  Tagger tagger(resources.get(), options);
  ModernTokenizer tokenizer(&resources->ignore);
  CheckSentence(parts[1], &tokenizer, &tagger);
  for (const std::string& line : fuzz::Lines(parts[1])) CheckSentence(line, &tokenizer, &tagger);
  return 0;
}
