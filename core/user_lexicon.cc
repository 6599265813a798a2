// Reading a user lexicon and putting it in front of the lexicon. Tested by
// user_lexicon_test.cc.
#include "core/user_lexicon.h"

#include <unordered_map>
#include <unordered_set>

#include "core/line_reader.h"
#include "core/lookup_form.h"
#include "core/order_key.h"

namespace quillon {
namespace {

// A malformed file names at most this many of its lines.
constexpr size_t kNamedLines = 10;

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// Reads one line into entry; "" or what is wrong with it.
std::string ReadEntry(std::string_view line, const std::unordered_set<std::string_view>& tag_set,
                      UserEntry* entry) {
  const size_t tab = line.find('\t');
  if (tab == std::string_view::npos) return "no TAB between the word and its tags";
  const std::string_view word = line.substr(0, tab);
  if (IsBlank(word)) return "no word before the TAB";
  entry->word.assign(word);
  entry->tags.clear();
  const std::string_view rest = line.substr(tab + 1);
  for (size_t start = 0; start < rest.size();) {
    const size_t end = std::min(rest.find_first_of(" \t", start), rest.size());
    if (end > start) {
      const std::string_view tag = rest.substr(start, end - start);
      if (!tag_set.count(tag)) return "\"" + std::string(tag) + "\" is not a tag of the tag set";
      entry->tags.emplace_back(tag);
    }
    start = end + 1;
  }
  if (entry->tags.empty()) return "no tag after the word";
  if (entry->tags.size() > kLexiconTagSlots) return "more than 10 tags (a lexicon row holds 10)";
  return "";
}

}  // namespace

bool ParseUserLexicon(const std::vector<std::string>& lines, const std::string& name,
                      const std::vector<std::string>& tag_set, std::vector<UserEntry>* entries,
                      std::string* error) {
  const std::unordered_set<std::string_view> tags(tag_set.begin(), tag_set.end());
  entries->clear();
  error->clear();
  size_t malformed = 0;
  UserEntry entry;
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    if (IsBlank(line) || (line[0] == '#' && line.find('\t') == std::string::npos)) continue;
    const std::string problem = ReadEntry(line, tags, &entry);
    if (problem.empty()) {
      entry.line = n + 1;
      entries->push_back(entry);
      continue;
    }
    if (++malformed > kNamedLines) continue;
    if (!error->empty()) error->push_back('\n');
    *error += name + ", line " + std::to_string(n + 1) + ": " + problem + ".";
  }
  if (malformed > kNamedLines) {
    *error +=
        "\n" + name + ": " + std::to_string(malformed - kNamedLines) + " more malformed lines.";
  }
  if (malformed > 0) entries->clear();
  return malformed == 0;
}

void AddUserLexicon(const std::vector<UserEntry>& entries, const std::string& name, bool modern,
                    Resources* resources, RunObserver* observer) {
  std::unordered_map<std::string, size_t> seen;  // codes of a lookup -> its entry
  std::string form, codes;
  std::vector<TagId> tags;
  for (size_t e = 0; e < entries.size(); ++e) {
    const UserEntry& entry = entries[e];
    form.clear();
    if (!modern || !AppendLookupForm(entry.word, &form)) form = entry.word;
    codes.clear();
    AppendCodes(form, &codes);
    const auto [earlier, first] = seen.emplace(codes, e);
    if (!first) {
      const UserEntry& before = entries[earlier->second];
      if (observer != nullptr) {
        const std::string line = std::to_string(before.line);
        observer->Warning(name + ", line " + std::to_string(entry.line) + ": \"" + entry.word +
                          (before.word == entry.word ? "\" is listed on line " + line + " too"
                                                     : "\" is the same word to the lexicon as \"" +
                                                           before.word + "\" on line " + line) +
                          "; this line is used.");
      }
      earlier->second = e;
    }
    tags.clear();
    for (const std::string& tag : entry.tags) tags.push_back(resources->tags.Intern(tag));
    const int row = resources->lexicon.AppendRow(form, Hash(form), tags, &resources->tags);
    resources->lexicon_index.Set(form, row);
  }
}

bool LoadUserLexicon(const std::string& path, bool modern, Resources* resources,
                     RunObserver* observer, std::string* error) {
  std::vector<std::string> lines;
  if (Status read = ReadLines(path, &lines); !read.ok()) {
    *error = read.message();
    return false;
  }
  std::vector<UserEntry> entries;
  if (!ParseUserLexicon(lines, path, resources->tag_list, &entries, error)) return false;
  AddUserLexicon(entries, path, modern, resources, observer);
  return true;
}

}  // namespace quillon
