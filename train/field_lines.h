// Reading text files of blank-separated fields line by line, as the word_TAG corpus format
// and word lists are written, with errors that name the file and the line.
// Tested through corpus_test.cc and lexicon_builder_test.cc.
#ifndef QUILLON_TRAIN_FIELD_LINES_H_
#define QUILLON_TRAIN_FIELD_LINES_H_

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/status.h"

namespace quillon {

// Calls read(fields) for each line of text (cut as every file of the system is cut) with
// its fields: the runs of bytes between spaces and tabs. read returns "" or the text of an
// error, which ends the reading as "name:line: text".
Status ReadFieldLines(std::string_view text, const std::string& name,
                      const std::function<std::string(std::span<const std::string_view>)>& read);

}  // namespace quillon

#endif  // QUILLON_TRAIN_FIELD_LINES_H_
