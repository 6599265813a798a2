// Reading the WordNet index and exception files. Tested by wordnet_test.cc.
#include "train/wordnet.h"

#include <charconv>

#include "core/line_reader.h"
#include "train/field_lines.h"

namespace quillon {
namespace {

constexpr const char* kIndexFiles[kWordNetPosCount] = {"index.noun", "index.verb", "index.adj",
                                                       "index.adv"};
constexpr const char* kExceptionFiles[kWordNetPosCount] = {"noun.exc", "verb.exc", "adj.exc",
                                                           "adv.exc"};

bool ParseCount(std::string_view field, int* value) {
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), *value);
  return error == std::errc() && end == field.data() + field.size() && *value >= 0;
}

std::string PathIn(const std::string& dir, const char* name) {
  return dir.empty() || dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace

Status ParseWordNetIndex(std::string_view text, const std::string& name,
                         std::vector<std::string>* lemmas,
                         std::map<std::string, int>* tagged_senses) {
  // The licence lines ("  1 This software ...") begin with a space; ReadFieldLines does not
  // show where a line begins, so they are told apart first.
  std::string kept;
  kept.reserve(text.size());
  ForEachLine(text, [&](std::string_view line) {
    if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) line = {};
    kept.append(line);
    kept.push_back('\n');
  });
  // lemma pos synset_cnt p_cnt ptr_symbol{p_cnt} sense_cnt tagsense_cnt synset_offset...
  return ReadFieldLines(kept, name, [&](std::span<const std::string_view> f) -> std::string {
    if (f.empty()) return "";
    int pointers = 0;
    int tagged = 0;
    if (f.size() < 6 || !ParseCount(f[3], &pointers) || f.size() < 6 + size_t(pointers) ||
        !ParseCount(f[5 + pointers], &tagged)) {
      return "not a WordNet index line";
    }
    lemmas->emplace_back(f[0]);
    (*tagged_senses)[std::string(f[0])] = tagged;
    return "";
  });
}

Status ParseWordNetExceptions(std::string_view text, const std::string& name,
                              std::vector<WordNetException>* entries) {
  return ReadFieldLines(text, name, [&](std::span<const std::string_view> f) -> std::string {
    if (f.empty()) return "";
    if (f.size() < 2) return "an irregular form without its lemma";
    WordNetException entry;
    entry.form = f[0];
    for (size_t i = 1; i < f.size(); ++i) entry.lemmas.emplace_back(f[i]);
    entries->push_back(std::move(entry));
    return "";
  });
}

Status ReadWordNet(const std::string& dir, WordNet* wordnet) {
  std::string bytes;
  for (int pos = 0; pos < kWordNetPosCount; ++pos) {
    const std::string index = PathIn(dir, kIndexFiles[pos]);
    Status status = ReadText(index, &bytes, /*skip_byte_order_mark=*/true);
    if (status.ok()) {
      status = ParseWordNetIndex(bytes, index, &wordnet->lemmas[pos], &wordnet->tagged_senses[pos]);
    }
    if (!status.ok()) return status;
    const std::string exceptions = PathIn(dir, kExceptionFiles[pos]);
    status = ReadText(exceptions, &bytes, /*skip_byte_order_mark=*/true);
    if (status.ok()) status = ParseWordNetExceptions(bytes, exceptions, &wordnet->exceptions[pos]);
    if (!status.ok()) return status;
  }
  return Status::Ok();
}

}  // namespace quillon
