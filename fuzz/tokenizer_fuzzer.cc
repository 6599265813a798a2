// Fuzz harness for the ignore list and the tokenizer in both modes. The input is two texts
// cut at a NUL byte: the ignore list and sentences (one a line). Checks: every ignore entry
// is found again in upper and lower case; both modes give the reference tokenizer's
// tokens, no token is empty, and every token is a view into its own sentence.
#include <memory>
#include <string>
#include <vector>

#include "core/ascii.h"
#include "core/ignore_list.h"
#include "core/resources.h"
#include "core/tagger.h"
#include "core/tokenizer.h"
#include "fuzz/fuzz_input.h"
#include "tests/reference/reference_tagger.h"

namespace quillon {
namespace {

using fuzz::Check;

std::string AsciiUppered(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

void CheckTokens(std::string_view sentence, const std::vector<std::string_view>& tokens,
                 const std::vector<std::string>& expected) {
  Check(tokens.size() == expected.size());
  for (size_t i = 0; i < tokens.size(); ++i) {
    Check(!tokens[i].empty() && tokens[i] == expected[i]);
    Check(tokens[i].data() >= sentence.data() &&
          tokens[i].data() + tokens[i].size() <= sentence.data() + sentence.size());
  }
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size > 8192) return 0;
  const std::vector<std::string_view> parts = fuzz::SplitParts(fuzz::AsText(data, size), 2);
  const std::vector<std::string> ignore_lines = fuzz::Lines(parts[0]);
  auto resources = std::make_unique<Resources>();
  resources->ignore = IgnoreList(ignore_lines);
  for (const std::string& entry : ignore_lines) {
    Check(resources->ignore.Contains(entry));
    Check(resources->ignore.Contains(AsciiLowered(entry)));
    Check(resources->ignore.Contains(AsciiUppered(entry)));
  }
  BuildLexicon({}, nullptr, resources.get());
  Tagger off(resources.get(), TaggerOptions{false, '_'});
  std::vector<std::string_view> tokens;
  for (const std::string& sentence : fuzz::Lines(parts[1])) {
    Tokenize(sentence, resources->ignore, &tokens);
    CheckTokens(sentence, tokens, reference::TokenizeOn(sentence, ignore_lines));
    off.Tokens(sentence, &tokens);
    CheckTokens(sentence, tokens, reference::TokenizeOff(sentence));
  }
  return 0;
}
