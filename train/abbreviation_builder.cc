// Counting abbreviations with and without their period. Tested by list_builders_test.cc.
#include "train/abbreviation_builder.h"

#include <algorithm>
#include <map>

#include "core/ascii.h"

namespace quillon {
namespace {

struct Counts {
  size_t with_period = 0;                   // A: the token "x."
  size_t before_period = 0;                 // B: the token x, then the token "."
  std::map<std::string, size_t> spellings;  // of "x." tokens, without the period
};

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string MostFrequentSpelling(const Counts& c) {
  const std::pair<const std::string, size_t>* best = nullptr;
  for (const auto& entry : c.spellings) {
    if (best == nullptr || entry.second > best->second) best = &entry;
  }
  return best->first;
}

// Whether the counts show x abbreviated clearly more often than ending a sentence.
bool MostlyAbbreviated(const Counts& c, bool is_ordinary) {
  return is_ordinary ? c.with_period >= kOrdinaryWordRatio * std::max<size_t>(c.before_period, 1)
                     : c.with_period > c.before_period;
}

}  // namespace

bool IsAbbreviationCandidate(std::string_view word) {
  if (word.empty() || word.front() == '.' || word.back() == '.') return false;
  bool letter = false;
  for (size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    if (c == '.') {
      if (word[i + 1] == '.') return false;  // "x..y": an ellipsis, not an abbreviation
      continue;
    }
    if (!IsAsciiLetter(c) && !IsDigit(c)) return false;
    letter = letter || IsAsciiLetter(c);
  }
  return letter;
}

std::vector<std::string> BuildAbbreviationLines(const Corpus& corpus,
                                                const std::vector<std::string>& common,
                                                const std::unordered_set<std::string>& ordinary,
                                                int min_count, AbbreviationStats* stats) {
  *stats = AbbreviationStats();
  std::map<std::string, Counts> counts;  // lower-cased word -> counts
  for (const TaggedSentence& s : corpus.sentences) {
    for (size_t i = 0; i < s.words.size(); ++i) {
      const std::string& token = s.words[i];
      if (token.size() > 1 && token.back() == '.') {
        const std::string_view word(token.data(), token.size() - 1);
        if (!IsAbbreviationCandidate(word)) continue;
        Counts& c = counts[AsciiLowered(word)];
        ++c.with_period;
        ++c.spellings[std::string(word)];
      } else if (i + 1 < s.words.size() && s.words[i + 1] == "." &&
                 IsAbbreviationCandidate(token)) {
        ++counts[AsciiLowered(token)].before_period;
      }
    }
  }

  std::map<std::string, std::string> entries;  // lower-cased -> spelling
  for (const auto& [lowered, c] : counts) {
    if (c.with_period >= static_cast<size_t>(min_count) &&
        MostlyAbbreviated(c, ordinary.count(lowered) > 0)) {
      entries[lowered] = MostFrequentSpelling(c);
      ++stats->from_corpus;
    }
  }
  for (const std::string& word : common) {
    if (!IsAbbreviationCandidate(word)) {
      ++stats->common_rejected;
      continue;
    }
    const std::string lowered = AsciiLowered(word);
    if (entries.count(lowered)) continue;
    const auto it = counts.find(lowered);
    const Counts c = it == counts.end() ? Counts() : it->second;
    const bool is_ordinary = ordinary.count(lowered) > 0;
    if (c.with_period > 0 ? !MostlyAbbreviated(c, false) : is_ordinary) {
      ++stats->common_rejected;
      continue;
    }
    entries[lowered] = word;
    ++stats->from_common;
  }

  std::vector<std::string> lines;
  for (const auto& [lowered, spelling] : entries) lines.push_back(spelling);
  stats->entries = lines.size();
  return lines;
}

}  // namespace quillon
