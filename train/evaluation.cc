// Scoring and the report. Tested by evaluation_test.cc.
#include "train/evaluation.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "train/learning_resources.h"

namespace quillon {
namespace {

constexpr size_t kConfusionsShown = 10;

std::string Percent(size_t part, size_t whole) {
  if (whole == 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f%%",
                100.0 * static_cast<double>(part) / static_cast<double>(whole));
  return text;
}

}  // namespace

EvalResult Evaluate(Tagger* tagger, const Corpus& corpus,
                    const std::set<std::string, std::less<>>* seen) {
  EvalResult result;
  result.has_seen = seen != nullptr;
  std::vector<TagId> tags;
  for (const TaggedSentence& sentence : corpus.sentences) {
    const std::vector<std::string_view> words = WordViews(sentence.words);
    tagger->TagTokens(words, &tags);
    const std::span<const int> rows = tagger->rows();
    for (size_t i = 0; i < words.size(); ++i) {
      const std::string& gold = sentence.tags[i];
      const std::string_view tagged = tagger->TagName(tags[i]);
      const bool right = gold == tagged;
      const bool known = rows[i] != 0;
      ++result.tokens;
      result.correct += right;
      (known ? result.known : result.unknown) += 1;
      (known ? result.known_correct : result.unknown_correct) += right;
      if (seen != nullptr && !seen->contains(words[i])) {
        ++result.unseen;
        result.unseen_correct += right;
      }
      ++result.per_tag[gold].gold;
      ++result.per_tag[std::string(tagged)].predicted;
      if (right) {
        ++result.per_tag[gold].correct;
      } else {
        ++result.confusions[{gold, std::string(tagged)}];
      }
    }
  }
  return result;
}

std::set<std::string, std::less<>> CorpusWords(const Corpus& corpus) {
  std::set<std::string, std::less<>> words;
  for (const TaggedSentence& sentence : corpus.sentences) {
    words.insert(sentence.words.begin(), sentence.words.end());
  }
  return words;
}

size_t CountCorrect(Tagger* tagger, const Corpus& corpus) {
  size_t correct = 0;
  std::vector<TagId> tags;
  for (const TaggedSentence& sentence : corpus.sentences) {
    const std::vector<std::string_view> words = WordViews(sentence.words);
    tagger->TagTokens(words, &tags);
    for (size_t i = 0; i < words.size(); ++i)
      correct += sentence.tags[i] == tagger->TagName(tags[i]);
  }
  return correct;
}

std::string FormatAccuracy(size_t correct, size_t count) {
  if (count == 0) return "-";
  return Percent(correct, count) + " (" + std::to_string(correct) + "/" + std::to_string(count) +
         ")";
}

std::string FormatEvalReport(const EvalResult& r, bool detail) {
  std::string out;
  out += "tokens          " + std::to_string(r.tokens) + "\n";
  out += "accuracy        " + FormatAccuracy(r.correct, r.tokens) + "\n";
  out += "known words     " + FormatAccuracy(r.known_correct, r.known) + "\n";
  out += "unknown words   " + FormatAccuracy(r.unknown_correct, r.unknown) + "\n";
  if (r.has_seen) out += "unseen words    " + FormatAccuracy(r.unseen_correct, r.unseen) + "\n";

  std::vector<std::pair<std::pair<std::string, std::string>, size_t>> confusions(
      r.confusions.begin(), r.confusions.end());
  // Most frequent first; equal counts keep the map's (gold, tagged) order.
  std::stable_sort(confusions.begin(), confusions.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  if (confusions.size() > kConfusionsShown) confusions.resize(kConfusionsShown);
  if (!confusions.empty()) out += "most frequent confusions (gold -> tagged):\n";
  for (const auto& [pair, count] : confusions) {
    char line[160];
    std::snprintf(line, sizeof line, "  %-6s -> %-6s %8zu\n", pair.first.c_str(),
                  pair.second.c_str(), count);
    out += line;
  }
  if (detail) {
    char line[160];
    std::snprintf(line, sizeof line, "%-6s %8s %8s %8s %10s %10s\n", "tag", "gold", "tagged",
                  "correct", "precision", "recall");
    out += line;
    for (const auto& [tag, s] : r.per_tag) {
      std::snprintf(line, sizeof line, "%-6s %8zu %8zu %8zu %10s %10s\n", tag.c_str(), s.gold,
                    s.predicted, s.correct, Percent(s.correct, s.predicted).c_str(),
                    Percent(s.correct, s.gold).c_str());
      out += line;
    }
  }
  return out;
}

}  // namespace quillon
