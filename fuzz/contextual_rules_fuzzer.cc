// Fuzz harness for the contextual rules. The input is two texts cut at a NUL byte: the
// contextual rule file and sentences to tag (one a line). The first byte chooses the
// tokenizer (bit 0 off: split at spaces) and the separator (bit 1: "/"). The lexicon, tag
// set and lexical rules are small fixed ones with words of several tags, so the licence
// has something to allow and refuse. Checks that the records read are the reference
// reader's and that the fast tagger writes the reference tagger's lines.
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "fuzz/tagging_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size == 0 || size > 4096) return 0;
  const std::vector<std::string_view> parts = fuzz::SplitParts(fuzz::AsText(data + 1, size - 1), 2);
  reference::ResourceLines lines;
  lines.lexicon = {"the DT",
                   "The DT",
                   "a DT",
                   "dog NN VB",
                   "dogs NNS VBZ",
                   "run VB NN VBP",
                   "ran VBD",
                   "that IN DT WDT",
                   "quick JJ RB",
                   "is VBZ",
                   "to TO",
                   "can MD NN VB",
                   ". .",
                   ", ,",
                   "of IN",
                   "Paris NNP",
                   "walked VBD VBN",
                   "walk VB NN VBP"};
  lines.tagset = {"NN\tnoun", "VB", "JJ", "RB", "VBD", "VBN"};
  lines.lexical_rules = {"ly hassuf 2 RB", "ed hassuf 2 VBD", "NN s fhassuf 1 NNS",
                         "VBD the fgoodright JJ"};
  lines.contextual_rules = fuzz::Lines(parts[0]);
  fuzz::CheckTagging(lines, fuzz::Lines(parts[1]), !(data[0] & 1), (data[0] & 2) ? '/' : '_');
  return 0;
}
