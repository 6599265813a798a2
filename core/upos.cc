// The Penn-to-UPOS table. Tested by format_writer_test.cc.
#include "core/upos.h"

#include <algorithm>
#include <iterator>

namespace quillon {
namespace {

struct Pair {
  std::string_view penn;
  std::string_view upos;
};

// Sorted by Penn tag (byte order) for a binary search. Modals are AUX and possessive
// pronouns PRON, as in UD English; the classic set's brackets and quotes and the UD
// extensions (-LRB-, HYPH, NFP, ADD, AFX, GW, XX) are included, so tags trained from UD
// data map too.
constexpr Pair kTable[] = {
    {"\"", "PUNCT"},   {"#", "SYM"},    {"$", "SYM"},     {"'", "PUNCT"},     {"''", "PUNCT"},
    {"(", "PUNCT"},    {")", "PUNCT"},  {",", "PUNCT"},   {"-LRB-", "PUNCT"}, {"-RRB-", "PUNCT"},
    {".", "PUNCT"},    {":", "PUNCT"},  {"ADD", "X"},     {"AFX", "ADJ"},     {"CC", "CCONJ"},
    {"CD", "NUM"},     {"DT", "DET"},   {"EX", "PRON"},   {"FW", "X"},        {"GW", "X"},
    {"HYPH", "PUNCT"}, {"IN", "ADP"},   {"JJ", "ADJ"},    {"JJR", "ADJ"},     {"JJS", "ADJ"},
    {"LS", "X"},       {"MD", "AUX"},   {"NFP", "PUNCT"}, {"NN", "NOUN"},     {"NNP", "PROPN"},
    {"NNPS", "PROPN"}, {"NNS", "NOUN"}, {"PDT", "DET"},   {"POS", "PART"},    {"PRP", "PRON"},
    {"PRP$", "PRON"},  {"RB", "ADV"},   {"RBR", "ADV"},   {"RBS", "ADV"},     {"RP", "ADP"},
    {"SYM", "SYM"},    {"TO", "PART"},  {"UH", "INTJ"},   {"VB", "VERB"},     {"VBD", "VERB"},
    {"VBG", "VERB"},   {"VBN", "VERB"}, {"VBP", "VERB"},  {"VBZ", "VERB"},    {"WDT", "DET"},
    {"WP", "PRON"},    {"WP$", "PRON"}, {"WRB", "ADV"},   {"XX", "X"},        {"`", "PUNCT"},
    {"``", "PUNCT"},
};

constexpr bool IsSorted() {
  for (size_t i = 1; i < std::size(kTable); ++i) {
    if (!(kTable[i - 1].penn < kTable[i].penn)) return false;
  }
  return true;
}
static_assert(IsSorted(), "kTable must be sorted by Penn tag");

}  // namespace

std::string_view UposOfPenn(std::string_view tag) {
  const Pair* end = std::end(kTable);
  const Pair* found = std::lower_bound(
      std::begin(kTable), end, tag, [](const Pair& p, std::string_view t) { return p.penn < t; });
  return found != end && found->penn == tag ? found->upos : "X";
}

}  // namespace quillon
