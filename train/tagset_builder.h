// The tag set file ("tagset"): one tag per line, a tab, and the tag's description. The
// tagger uses it only to tell f-form lexical rule lines (whose first field is a tag) from
// plain ones, so the file written for a rule file must hold every tag that the rule file
// uses as a FromTag. Tested by lexicon_builder_test.cc.
#ifndef QUILLON_TRAIN_TAGSET_BUILDER_H_
#define QUILLON_TRAIN_TAGSET_BUILDER_H_

#include <string>
#include <string_view>
#include <vector>

#include "train/corpus.h"

namespace quillon {

// The Penn tags in the order of the window's legend, each line "TAG<tab>description",
// followed by any other tag of corpus in byte order (with an empty description).
std::vector<std::string> BuildTagsetLines(const Corpus& corpus);

// True for the 45 tags of the classic Penn set.
bool IsPennTag(std::string_view tag);

}  // namespace quillon

#endif  // QUILLON_TRAIN_TAGSET_BUILDER_H_
