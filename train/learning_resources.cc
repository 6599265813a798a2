// Building resources from lines, and reading and writing resource files.
#include "train/learning_resources.h"

#include <algorithm>

#include "core/output_file.h"

namespace quillon {

std::unique_ptr<Resources> MakeResources(const ResourceLines& lines) {
  auto resources = std::make_unique<Resources>();
  ResourcesFromLines(lines, RunSettings(), resources.get());  // no lemmas: cannot fail
  return resources;
}

Status WriteResourceLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line;
    bytes += '\n';
  }
  Status status = WriteFileAtomically(path, bytes);
  if (!status.ok()) return Status::Error("Cannot write \"" + path + "\": " + status.message());
  return status;
}

bool IsRuleField(std::string_view text) {
  if (text.empty()) return false;
  return std::none_of(text.begin(), text.end(),
                      [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 127; });
}

TaggerOptions LearningTaggerOptions(bool lookup_forms) {
  TaggerOptions options;
  options.case_fallbacks = lookup_forms;
  options.unknown_spelling = lookup_forms;
  return options;
}

std::vector<std::string_view> WordViews(const std::vector<std::string>& words) {
  return std::vector<std::string_view>(words.begin(), words.end());
}

}  // namespace quillon
