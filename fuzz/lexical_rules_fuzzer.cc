// Fuzz harness for the tag set and the unknown-word lexical rules. The input is three
// texts cut at NUL bytes: the tag set file, the lexical rule file and sentences to tag
// (one a line). The first byte chooses the tokenizer (bit 0 off: split at spaces) and the
// separator (bit 1: "/"). The lexicon and the contextual rules are small fixed ones, so
// every word the lexicon lacks goes through the fuzzed rules. Checks that the records read
// are the reference reader's and that the fast tagger writes the reference tagger's lines.
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "fuzz/tagging_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size == 0 || size > 4096) return 0;
  const std::vector<std::string_view> parts = fuzz::SplitParts(fuzz::AsText(data + 1, size - 1), 3);
  reference::ResourceLines lines;
  lines.lexicon = {"the DT",    "The DT",  "a DT",        "dog NN VB",  "dogs NNS VBZ",
                   "run VB NN", "ran VBD", "quick JJ RB", "quickly RB", "is VBZ",
                   "to TO",     ". .",     ", ,",         "of IN",      "Paris NNP"};
  lines.contextual_rules = {"NN VB PREVTAG TO", "VBD VBN PREV1OR2TAG VBZ", "JJ RB NEXTTAG VBD"};
  lines.tagset = fuzz::Lines(parts[0]);
  lines.lexical_rules = fuzz::Lines(parts[1]);
  fuzz::CheckTagging(lines, fuzz::Lines(parts[2]), !(data[0] & 1), (data[0] & 2) ? '/' : '_');
  return 0;
}
