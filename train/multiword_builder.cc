// Finding multi-word expressions in a parsed corpus. Tested by list_builders_test.cc.
#include "train/multiword_builder.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "core/ascii.h"

namespace quillon {
namespace {

struct Evidence {
  size_t count = 0;
  size_t phrase = 0;                    // occurrences that form a phrase of their own
  std::map<std::string, size_t> label;  // label -> occurrences
};

using Expression = std::vector<std::string>;  // first word lower-cased

std::string BaseRelation(std::string_view deprel) {
  return std::string(deprel.substr(0, deprel.find(':')));
}

// The Penn tag of what a fixed expression does, from the relation of its first word.
std::string FixedLabel(const TaggedSentence& s, size_t head) {
  const std::string relation = BaseRelation(s.deprels[head]);
  if (relation == "case" || relation == "mark") return "IN";
  if (relation == "cc") return "CC";
  if (relation == "advmod") return "RB";
  if (relation == "det") return "DT";
  if (relation == "nummod") return "CD";
  if (relation == "amod") return "JJ";
  if (relation == "nsubj" || relation == "obj" || relation == "iobj" || relation == "obl" ||
      relation == "nmod") {
    return "PRP";
  }
  return s.tags[head];
}

// A word of an expression must be one token: no white space, control bytes or tabs.
bool IsPlainWord(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (static_cast<unsigned char>(c) <= ' ' || c == 127) return false;
  }
  return true;
}

Expression Words(const TaggedSentence& s, size_t first, size_t n) {
  Expression words(s.words.begin() + first, s.words.begin() + first + n);
  words[0] = AsciiLowered(words[0]);
  return words;
}

void CollectFixed(const TaggedSentence& s, std::map<Expression, Evidence>* found) {
  const size_t n = s.words.size();
  for (size_t head = 0; head < n; ++head) {
    size_t end = head + 1;  // the span: head and the "fixed" dependents right after it
    while (end < n && s.heads[end] == static_cast<int>(head) + 1 &&
           BaseRelation(s.deprels[end]) == "fixed") {
      ++end;
    }
    if (end == head + 1) continue;
    Evidence& e = (*found)[Words(s, head, end - head)];
    ++e.count;
    ++e.label[FixedLabel(s, head)];
  }
}

// Whether words[first, first + n) form a phrase: exactly one word has its head outside
// the span, and it is not a personal pronoun. Fills the relation of that word.
bool IsPhrase(const TaggedSentence& s, size_t first, size_t n, std::string* relation) {
  size_t outside = 0;
  size_t top = 0;
  for (size_t i = first; i < first + n; ++i) {
    const int head = s.heads[i] - 1;
    if (head < static_cast<int>(first) || head >= static_cast<int>(first + n)) {
      ++outside;
      top = i;
    }
  }
  if (outside != 1 || s.tags[top] == "PRP") return false;
  *relation = BaseRelation(s.deprels[top]);
  return true;
}

void CollectAdverbs(const TaggedSentence& s, const std::multimap<std::string, Expression>& adverbs,
                    std::map<Expression, Evidence>* found) {
  for (size_t i = 0; i < s.words.size(); ++i) {
    const auto range = adverbs.equal_range(AsciiLowered(s.words[i]));
    for (auto it = range.first; it != range.second; ++it) {
      const Expression& words = it->second;
      if (i + words.size() > s.words.size()) continue;
      if (!std::equal(words.begin() + 1, words.end(), s.words.begin() + i + 1)) continue;
      Evidence& e = (*found)[words];
      ++e.count;
      std::string relation;
      if (IsPhrase(s, i, words.size(), &relation)) {
        ++e.phrase;
        ++e.label[relation == "cc" ? "CC" : "RB"];
      }
    }
  }
}

std::string MostFrequentLabel(const Evidence& e) {
  const std::pair<const std::string, size_t>* best = nullptr;
  for (const auto& entry : e.label) {
    if (best == nullptr || entry.second > best->second) best = &entry;
  }
  return best->first;
}

std::string Join(const Expression& words) {
  std::string out;
  for (const std::string& word : words) out += (out.empty() ? "" : " ") + word;
  return out;
}

// WordNet adverbs of two or more plain words, keyed by their first word.
std::multimap<std::string, Expression> SplitAdverbs(const std::vector<std::string>& adverbs) {
  std::multimap<std::string, Expression> out;
  for (const std::string& adverb : adverbs) {
    if (adverb.find('_') == std::string::npos) continue;
    Expression words;
    size_t start = 0;
    for (;;) {
      const size_t end = adverb.find('_', start);
      words.push_back(adverb.substr(start, end == std::string::npos ? end : end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    if (!std::all_of(words.begin(), words.end(), IsPlainWord)) continue;
    words[0] = AsciiLowered(words[0]);
    out.emplace(words[0], std::move(words));
  }
  return out;
}

}  // namespace

std::vector<std::string> BuildMultiwordLines(const Corpus& corpus,
                                             const std::vector<std::string>& adverbs,
                                             const std::vector<std::string>& extra_lines,
                                             const MultiwordBuildOptions& options,
                                             MultiwordStats* stats) {
  *stats = MultiwordStats();
  const std::multimap<std::string, Expression> adverb_words = SplitAdverbs(adverbs);
  std::map<Expression, Evidence> fixed;
  std::map<Expression, Evidence> adverb_evidence;
  for (const TaggedSentence& s : corpus.sentences) {
    if (!s.has_syntax()) continue;
    CollectFixed(s, &fixed);
    CollectAdverbs(s, adverb_words, &adverb_evidence);
  }

  std::map<std::string, std::string> labels;  // expression -> label
  for (const auto& [words, e] : fixed) {
    if (e.count < static_cast<size_t>(options.min_fixed_count)) continue;
    if (!std::all_of(words.begin(), words.end(), IsPlainWord)) continue;
    labels[Join(words)] = MostFrequentLabel(e);
    ++stats->fixed;
  }
  for (const auto& [words, e] : adverb_evidence) {
    if (e.count < static_cast<size_t>(options.min_adverb_count) || 2 * e.phrase < e.count) continue;
    if (labels.emplace(Join(words), MostFrequentLabel(e)).second) ++stats->adverbs;
  }
  for (const std::string& line : extra_lines) {
    const size_t tab = line.find('\t');
    if (line.empty() || tab == std::string::npos || tab == 0) continue;
    std::string expression = line.substr(0, tab);
    const size_t first_end = expression.find(' ');
    const std::string first = AsciiLowered(expression.substr(0, first_end));
    expression.replace(0, first.size(), first);
    if (labels.emplace(expression, line.substr(tab + 1)).second) ++stats->extra;
  }

  std::vector<std::pair<std::string, std::string>> entries(labels.begin(), labels.end());
  auto words_in = [](const std::string& e) { return std::count(e.begin(), e.end(), ' ') + 1; };
  std::stable_sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
    return words_in(a.first) < words_in(b.first);
  });
  std::vector<std::string> lines;
  for (const auto& [expression, label] : entries) lines.push_back(expression + "\t" + label);
  stats->entries = lines.size();
  return lines;
}

}  // namespace quillon
