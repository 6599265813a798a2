// The core's resources built from lines held in memory, for the learners: they tag their
// training data with the real tagger of the core library, so that what they learn is
// measured against exactly what `quillon tag` will do with the files they write.
// Tested through the learners' round-trip tests.
#ifndef QUILLON_TRAIN_LEARNING_RESOURCES_H_
#define QUILLON_TRAIN_LEARNING_RESOURCES_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/resources.h"
#include "core/status.h"
#include "core/tagger.h"

namespace quillon {

// Resources as a run would load them from files holding these lines (ResourceLines of
// core/resources.h; learning and evaluation work on gold tokens, so without an ignore list).
std::unique_ptr<Resources> MakeResources(const ResourceLines& lines);

// Writes lines, each ended by LF, to path (through a temporary file and a rename).
Status WriteResourceLines(const std::string& path, const std::vector<std::string>& lines);

// True when text can be one field of a rule line: not empty, no white space or control
// bytes (which end fields or lines).
bool IsRuleField(std::string_view text);

// The options the learners tag their data with. With lookup_forms (the corpus holds the
// lookup forms of its words) the tagger reads sentence starts as the default lookup does.
TaggerOptions LearningTaggerOptions(bool lookup_forms);

// Views of the words of a sentence, as the tagger takes them.
std::vector<std::string_view> WordViews(const std::vector<std::string>& words);

}  // namespace quillon

#endif  // QUILLON_TRAIN_LEARNING_RESOURCES_H_
