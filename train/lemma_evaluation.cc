// Lemma scoring and its report. Tested by list_builders_test.cc.
#include "train/lemma_evaluation.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/ascii.h"
#include "core/order_key.h"
#include "train/evaluation.h"

namespace quillon {
namespace {

constexpr size_t kMissesShown = 15;

// Whether the table holds a record for the lower-cased word (the lookup's "found").
bool Listed(const LemmaTable& table, std::string_view word) {
  const std::string key = Hash(AsciiLowered(word));
  const std::vector<LemmaRecord>& records = table.records();
  const auto it = std::lower_bound(records.begin(), records.end(), key,
                                   [](const LemmaRecord& record, const std::string& k) {
                                     return CompareKeys(record.key, k) < 0;
                                   });
  return it != records.end() && it->key == key;
}

}  // namespace

LemmaEvalResult EvaluateLemmas(const LemmaTable& table, const Corpus& corpus) {
  LemmaEvalResult result;
  LemmaTable::Scratch scratch;
  for (const TaggedSentence& sentence : corpus.sentences) {
    if (sentence.lemmas.size() != sentence.words.size() ||
        sentence.upos.size() != sentence.words.size()) {
      ++result.sentences_without_lemmas;
      continue;
    }
    for (size_t i = 0; i < sentence.words.size(); ++i) {
      if (sentence.upos[i] == "PUNCT") continue;
      const std::string& word = sentence.words[i];
      const std::string& gold = sentence.lemmas[i];
      const std::string_view given = table.Lemmatization(word, &scratch);
      const bool right = AsciiEqualsIgnoringCase(given, gold);
      const bool listed = Listed(table, word);
      ++result.tokens;
      result.correct += right;
      result.listed += listed;
      result.listed_correct += listed && right;
      if (!right) {
        ++result.misses[{AsciiLowered(word), AsciiLowered(gold), std::string(given)}];
      }
    }
  }
  return result;
}

std::string FormatLemmaReport(const LemmaEvalResult& r) {
  std::string out;
  out += "lemma tokens    " + std::to_string(r.tokens) + " (punctuation left out)\n";
  out += "lemma accuracy  " + FormatAccuracy(r.correct, r.tokens) + "\n";
  out += "  forms listed  " + FormatAccuracy(r.listed_correct, r.listed) + "\n";
  out +=
      "  not listed    " + FormatAccuracy(r.correct - r.listed_correct, r.tokens - r.listed) + "\n";
  if (r.sentences_without_lemmas > 0) {
    out += "sentences without a LEMMA column, not scored: " +
           std::to_string(r.sentences_without_lemmas) + "\n";
  }
  std::vector<std::pair<std::tuple<std::string, std::string, std::string>, size_t>> misses(
      r.misses.begin(), r.misses.end());
  std::stable_sort(misses.begin(), misses.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  if (misses.size() > kMissesShown) misses.resize(kMissesShown);
  if (!misses.empty()) out += "most frequent lemma misses (form: gold -> given):\n";
  for (const auto& [miss, count] : misses) {
    char line[200];
    std::snprintf(line, sizeof line, "  %s: %s -> %s %zu\n", std::get<0>(miss).c_str(),
                  std::get<1>(miss).c_str(), std::get<2>(miss).c_str(), count);
    out += line;
  }
  return out;
}

}  // namespace quillon
