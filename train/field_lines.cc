// Field lines. Tested through corpus_test.cc and lexicon_builder_test.cc.
#include "train/field_lines.h"

#include <vector>

#include "core/line_reader.h"

namespace quillon {

Status ReadFieldLines(std::string_view text, const std::string& name,
                      const std::function<std::string(std::span<const std::string_view>)>& read) {
  size_t line_number = 0;
  std::string error;
  std::vector<std::string_view> fields;
  ForEachLine(text, [&](std::string_view line) {
    ++line_number;
    if (!error.empty()) return;
    fields.clear();
    for (size_t pos = line.find_first_not_of(" \t"); pos != std::string_view::npos;
         pos = line.find_first_not_of(" \t", pos)) {
      const size_t end = std::min(line.find_first_of(" \t", pos), line.size());
      fields.push_back(line.substr(pos, end - pos));
      pos = end;
    }
    std::string problem = read(fields);
    if (!problem.empty()) error = name + ":" + std::to_string(line_number) + ": " + problem;
  });
  if (!error.empty()) return Status::Error(error);
  return Status::Ok();
}

}  // namespace quillon
