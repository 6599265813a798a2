// Reading the WordNet index and exception files. Tested by wordnet_test.cc.
#include "train/wordnet.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

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

bool ParseHexCount(std::string_view field, int* value) {
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), *value, 16);
  return error == std::errc() && end == field.data() + field.size() && *value >= 0;
}

// The lines of a WordNet file without its licence text, whose lines begin with a space;
// ReadFieldLines does not show where a line begins, so they are told apart first.
std::string WithoutLicence(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  ForEachLine(text, [&](std::string_view line) {
    if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) line = {};
    kept.append(line);
    kept.push_back('\n');
  });
  return kept;
}

std::string PathIn(const std::string& dir, const char* name) {
  return dir.empty() || dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace

Status ParseWordNetIndex(std::string_view text, const std::string& name,
                         std::vector<std::string>* lemmas,
                         std::map<std::string, int>* tagged_senses) {
  const std::string kept = WithoutLicence(text);
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

Status ParseWordNetNames(std::string_view text, const std::string& name,
                         std::set<std::string>* names) {
  // Per lemma in small letters: seen with a capital, seen without one.
  std::map<std::string, std::pair<bool, bool>> seen;
  // synset_offset lex_filenum ss_type w_cnt (two hex digits) word lex_id [word lex_id...] ...
  Status status = ReadFieldLines(
      WithoutLicence(text), name, [&](std::span<const std::string_view> f) -> std::string {
        if (f.empty()) return "";
        int words = 0;
        if (f.size() < 4 || !ParseHexCount(f[3], &words) || f.size() < 4 + 2 * size_t(words)) {
          return "not a WordNet data line";
        }
        for (int w = 0; w < words; ++w) {
          std::string word(f[4 + 2 * w]);
          const bool capital =
              std::any_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
          std::transform(word.begin(), word.end(), word.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
          });
          auto& [with_capital, without] = seen[word];
          (capital ? with_capital : without) = true;
        }
        return "";
      });
  if (!status.ok()) return status;
  for (const auto& [word, cases] : seen) {
    if (cases.first && !cases.second) names->insert(word);
  }
  return Status::Ok();
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
  const std::string data = PathIn(dir, "data.noun");
  if (!std::filesystem::exists(data)) return Status::Ok();
  Status status = ReadText(data, &bytes, /*skip_byte_order_mark=*/true);
  if (status.ok()) status = ParseWordNetNames(bytes, data, &wordnet->noun_names);
  return status;
}

}  // namespace quillon
