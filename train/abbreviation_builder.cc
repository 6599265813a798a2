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
  size_t before_capital = 0;                // ... and then a word with a capital: a new sentence
  std::map<std::string, size_t> spellings;  // of "x." tokens, without the period
};

// Whether token begins with an ASCII capital letter.
bool IsCapitalised(const std::string& token) {
  return !token.empty() && token[0] >= 'A' && token[0] <= 'Z';
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string MostFrequentSpelling(const Counts& c) {
  const std::pair<const std::string, size_t>* best = nullptr;
  for (const auto& entry : c.spellings) {
    if (best == nullptr || entry.second > best->second) best = &entry;
  }
  return best->first;
}

// Whether the counts show x abbreviated clearly more often than ending a sentence. For a
// word that is no ordinary word, only "x ." before a capitalised word counts against it:
// corpora whose tokenizer cuts the period off abbreviations too ("on Feb . 19", "Enron
// Corp . ,") give "x ." where no sentence ends.
bool MostlyAbbreviated(const Counts& c, bool is_ordinary) {
  return is_ordinary ? c.with_period >= kOrdinaryWordRatio * std::max<size_t>(c.before_period, 1)
                     : c.with_period > c.before_capital;
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
  std::map<std::string, Counts> counts;        // lower-cased word -> counts
  std::unordered_set<std::string> lower_case;  // the words the corpus writes in small letters
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
        Counts& c = counts[AsciiLowered(token)];
        ++c.before_period;
        if (i + 2 < s.words.size() && IsCapitalised(s.words[i + 2])) ++c.before_capital;
      }
      if (token == AsciiLowered(token)) lower_case.insert(token);
    }
  }
  // An ordinary word is one the corpus also writes in small letters: WordNet lists "feb"
  // and "corp" too, which no text writes so.
  const auto is_ordinary = [&](const std::string& lowered) {
    return ordinary.count(lowered) > 0 && lower_case.count(lowered) > 0;
  };

  std::map<std::string, std::string> entries;  // lower-cased -> spelling
  for (const auto& [lowered, c] : counts) {
    if (c.with_period >= static_cast<size_t>(min_count) &&
        MostlyAbbreviated(c, is_ordinary(lowered))) {
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
    if (c.with_period > 0 ? !MostlyAbbreviated(c, false) : is_ordinary(lowered)) {
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
