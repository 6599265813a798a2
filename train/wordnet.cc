// Reading the WordNet index and exception files. Tested by list_builders_test.cc.
#include "train/wordnet.h"

#include "core/line_reader.h"

namespace quillon {
namespace {

constexpr const char* kIndexFiles[kWordNetPosCount] = {"index.noun", "index.verb", "index.adj",
                                                       "index.adv"};
constexpr const char* kExceptionFiles[kWordNetPosCount] = {"noun.exc", "verb.exc", "adj.exc",
                                                           "adv.exc"};

// The fields of line separated by runs of spaces or tabs.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t pos = 0;
  while (pos < line.size()) {
    pos = line.find_first_not_of(" \t", pos);
    if (pos == std::string_view::npos) break;
    size_t end = line.find_first_of(" \t", pos);
    if (end == std::string_view::npos) end = line.size();
    fields.push_back(line.substr(pos, end - pos));
    pos = end;
  }
  return fields;
}

Status ReadFile(const std::string& dir, const char* name, std::string* bytes) {
  const std::string path = dir.empty() || dir.back() == '/' ? dir + name : dir + "/" + name;
  Status status = ReadFileBytes(path, bytes);
  if (!status.ok()) return Status::Error("WordNet: " + status.message());
  return status;
}

}  // namespace

std::vector<std::string> ParseWordNetIndex(std::string_view text) {
  std::vector<std::string> lemmas;
  ForEachLine(text, [&](std::string_view line) {
    if (line.empty() || line[0] == ' ' || line[0] == '\t') return;
    const std::vector<std::string_view> fields = Fields(line);
    if (!fields.empty()) lemmas.emplace_back(fields[0]);
  });
  return lemmas;
}

std::vector<WordNetException> ParseWordNetExceptions(std::string_view text) {
  std::vector<WordNetException> entries;
  ForEachLine(text, [&](std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() < 2) return;
    WordNetException entry;
    entry.form = fields[0];
    for (size_t i = 1; i < fields.size(); ++i) entry.lemmas.emplace_back(fields[i]);
    entries.push_back(std::move(entry));
  });
  return entries;
}

Status ReadWordNet(const std::string& dir, WordNet* wordnet) {
  std::string bytes;
  for (int pos = 0; pos < kWordNetPosCount; ++pos) {
    Status status = ReadFile(dir, kIndexFiles[pos], &bytes);
    if (!status.ok()) return status;
    wordnet->lemmas[pos] = ParseWordNetIndex(bytes);
    status = ReadFile(dir, kExceptionFiles[pos], &bytes);
    if (!status.ok()) return status;
    wordnet->exceptions[pos] = ParseWordNetExceptions(bytes);
  }
  return Status::Ok();
}

}  // namespace quillon
