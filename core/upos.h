// The Universal Dependencies part of speech (UPOS) of a Penn Treebank tag, for CoNLL-U
// output. The mapping is the usual one of the UD English treebanks, tag by tag; it cannot
// tell the cases a word's role decides (IN as ADP or SCONJ, WDT as DET or PRON), so it
// takes the commoner. Tested by format_writer_test.cc.
#ifndef QUILLON_CORE_UPOS_H_
#define QUILLON_CORE_UPOS_H_

#include <string_view>

namespace quillon {

// The UPOS of a Penn tag; "X" for a tag the table does not know.
std::string_view UposOfPenn(std::string_view tag);

// The 17 UPOS values of Universal Dependencies v2.
inline constexpr std::string_view kUposValues[] = {
    "ADJ",  "ADP",  "ADV",   "AUX",   "CCONJ", "DET", "INTJ", "NOUN", "NUM",
    "PART", "PRON", "PROPN", "PUNCT", "SCONJ", "SYM", "VERB", "X"};

}  // namespace quillon

#endif  // QUILLON_CORE_UPOS_H_
