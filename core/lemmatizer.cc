// Lemma list parsing, the sorted unique entries and the lookup. Tested by lemmatizer_test.cc.
#include "core/lemmatizer.h"

#include <algorithm>

#include "core/ascii.h"
#include "core/order_key.h"

namespace quillon {
namespace {

// Appends "key lemma" for each form of line; false when the line is malformed.
bool ParseLemmaLine(std::string_view line, std::vector<std::string>* entries) {
  const size_t lemma_end = line.find(' ');
  if (lemma_end == std::string_view::npos) return false;
  // The arrow: one character passed over unread, then up to the next space.
  if (lemma_end + 1 >= line.size()) return false;
  const size_t arrow_end = line.find(' ', lemma_end + 2);
  if (arrow_end == std::string_view::npos) return false;
  const std::string_view lemma = line.substr(0, lemma_end);
  size_t pos = arrow_end + 1;
  while (pos < line.size()) {
    size_t end = line.find(',', pos);
    if (end == std::string_view::npos) end = line.size();
    std::string entry = Hash(line.substr(pos, end - pos));
    entry += ' ';
    entry += lemma;
    entries->push_back(std::move(entry));
    pos = end + 1;
  }
  return true;
}

}  // namespace

bool LemmaTable::Load(const std::vector<std::string>& lines) {
  records_.clear();
  std::vector<std::string> entries;
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == '[') continue;
    if (!ParseLemmaLine(line, &entries)) return false;
  }
  // Sorted ignoring case; of entries equal ignoring case the first one listed stays.
  std::stable_sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
    return AsciiLessIgnoringCase(a, b);
  });
  entries.erase(std::unique(entries.begin(), entries.end(),
                            [](const std::string& a, const std::string& b) {
                              return AsciiEqualsIgnoringCase(a, b);
                            }),
                entries.end());
  records_.reserve(entries.size());
  for (const std::string& entry : entries) {
    const size_t space = entry.find(' ');
    records_.push_back({entry.substr(0, space), entry.substr(space + 1)});
  }
  std::vector<std::string_view> keys;
  keys.reserve(records_.size());
  for (const LemmaRecord& record : records_) keys.push_back(record.key);
  index_.Build(keys);
  return true;
}

std::string_view LemmaTable::Lemmatization(std::string_view word, Scratch* scratch) const {
  std::string& lowered = scratch->lowered;
  lowered.clear();
  AppendAsciiLowered(word, &lowered);
  const int found = index_.FindWord(lowered, &scratch->codes);
  if (found >= 0) return records_[found].lemma;
  return lowered;
}

void LemmaTable::Prefetch(std::string_view word) const {
  // Only short words are prefetched (the index hashes longer ones from their full codes).
  char lowered[8];
  if (word.size() > sizeof(lowered)) return;
  for (size_t i = 0; i < word.size(); ++i) {
    lowered[i] = static_cast<char>(AsciiLower(static_cast<unsigned char>(word[i])));
  }
  index_.PrefetchWord(std::string_view(lowered, word.size()));
}

}  // namespace quillon
