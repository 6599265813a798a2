// Multi-word list parsing and matching. Tested by multiword_test.cc.
#include "core/multiword.h"

#include "core/ascii.h"

namespace quillon {
namespace {

bool EndsExpression(char c) { return c == '\n' || c == '\r' || c == '\x0b' || c == '\x12'; }
bool EndsWord(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\x12'; }

// The words of an expression: before each word the expression may end; a word runs to the
// next separator, which is passed over, so two spaces make an empty word.
std::vector<std::string> SplitExpression(std::string_view expression) {
  std::vector<std::string> words;
  size_t pos = 0;
  while (pos < expression.size() && !EndsExpression(expression[pos])) {
    size_t end = pos;
    while (end < expression.size() && !EndsWord(expression[end])) ++end;
    words.emplace_back(expression.substr(pos, end - pos));
    pos = end + 1;
  }
  return words;
}

}  // namespace

void MultiwordTable::Load(const std::vector<std::string>& lines, RunObserver* observer) {
  // The index of an earlier list would point into entries that are gone.
  entries_.clear();
  first_words_ = StringIdMap();
  by_first_.clear();
  // A list that is no multi-word list at all would warn on every line: the first few
  // warnings say what is wrong, and one more line how many there were.
  size_t skipped = 0;
  auto skip = [&](size_t n, const char* why) {
    if (observer && ++skipped <= kMaxMultiwordWarnings) {
      observer->Warning("Multiword.dat, line " + std::to_string(n + 1) + ": " + why);
    }
  };
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    if (line.empty()) continue;
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) {
      skip(n, "no tab between expression and label; skipped.");
      continue;
    }
    Entry entry{SplitExpression(std::string_view(line).substr(0, tab)),
                "_M<" + line.substr(tab + 1) + ">"};
    if (entry.words.size() > kMaxMultiwordWords) {
      skip(n, "more than 41 words; skipped.");
      continue;
    }
    if (entry.words.empty()) continue;  // marks nothing
    const uint32_t id = first_words_.Add(entry.words[0]);
    if (id >= by_first_.size()) by_first_.resize(id + 1);
    by_first_[id].push_back(static_cast<uint32_t>(entries_.size()));
    entries_.push_back(std::move(entry));
  }
  if (observer && skipped > kMaxMultiwordWarnings) {
    observer->Warning("Multiword.dat: " + std::to_string(skipped) + " lines skipped in all.");
  }
}

void MultiwordTable::MultiWord(std::span<const std::string_view> tokens, Marks* marks) const {
  const size_t n = tokens.size();
  marks->annotation.assign(n, nullptr);
  if (entries_.empty()) return;
  for (size_t j = 0; j < n; ++j) {
    marks->lowered.clear();
    AppendAsciiLowered(tokens[j], &marks->lowered);
    const uint32_t id = first_words_.Find(marks->lowered);
    if (id == StringIdMap::kAbsent) continue;
    for (uint32_t e : by_first_[id]) {
      const Entry& entry = entries_[e];
      const size_t w = entry.words.size();
      if (j + w > n) continue;  // all its words must fit in the sentence
      bool match = true;
      for (size_t k = 1; k < w && match; ++k) match = entry.words[k] == tokens[j + k];
      if (!match) continue;
      for (size_t k = 0; k < w; ++k) marks->annotation[j + k] = &entry.annotation;
    }
  }
}

}  // namespace quillon
