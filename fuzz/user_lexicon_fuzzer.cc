// Fuzz harness for the user lexicon. The input is a settings byte (modern lookup forms or
// not) and a user lexicon. Checks: a refused file names its lines; an accepted one gives
// every word (the last line of each word the lexicon cannot tell apart) its first tag as
// start tag, through the index and through the tagger, and the words of the lexicon it
// does not list keep theirs.
#include <map>
#include <string>
#include <vector>

#include "core/lookup_form.h"
#include "core/order_key.h"
#include "core/user_lexicon.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/small_tagger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  using fuzz::Check;
  if (size < 1 || size > 8192) return 0;
  TaggerOptions options;
  options.modern = data[0] % 2 == 1;
  fuzz::SmallTagger small(options, /*contextual=*/false);
  std::vector<UserEntry> entries;
  std::string error;
  const std::vector<std::string> lines = fuzz::Lines(fuzz::AsText(data + 1, size - 1));
  if (!ParseUserLexicon(lines, "u", small.resources->tag_list, &entries, &error)) {
    Check(entries.empty());
    Check(error.starts_with("u, line "));
    return 0;
  }
  Check(error.empty());
  AddUserLexicon(entries, "u", options.modern, small.resources.get(), nullptr);
  small.Rebuild(options);
  // The entry that wins each lookup: the last one with its codes, and its lookup form.
  std::map<std::string, std::pair<const UserEntry*, std::string>> winners;
  for (const UserEntry& entry : entries) {
    Check(!entry.tags.empty() && entry.tags.size() <= 10);
    std::string form, codes;
    if (!options.modern || !AppendLookupForm(entry.word, &form)) form = entry.word;
    AppendCodes(form, &codes);
    winners[codes] = {&entry, form};
  }
  for (const auto& [codes, winner] : winners) {
    const auto& [entry, form] = winner;
    const int row = small.resources->lexicon_index.FindCodes(codes);
    Check(row >= 2);
    Check(small.resources->tags.Name(small.resources->lexicon.entry(row).Tags[0]) ==
          entry->tags[0]);
    if (IsNullKey(form)) continue;  // a lone byte without a code takes the default row
    const std::string_view word = entry->word;
    Check(small.tagger->TagWords(std::span(&word, 1)).tag(0) == entry->tags[0]);
  }
  // A word of the lexicon that the file does not list keeps its own start tag.
  const std::string_view known = "sat";
  std::string codes;
  AppendCodes(known, &codes);
  if (!winners.count(codes)) Check(small.tagger->TagWords(std::span(&known, 1)).tag(0) == "VBD");
  return 0;
}
