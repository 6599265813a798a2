// Span alignment and the F1 figures of `quillon eval --raw`. Tested by
// raw_evaluation_test.cc.
#include "train/raw_evaluation.h"

#include <cstdio>

#include "core/unicode_class.h"

namespace quillon {
namespace {

size_t SkipSpaces(std::string_view text, size_t i) {
  while (i < text.size()) {
    const DecodedChar c = DecodeUtf8At(text, i);
    if (ClassOf(c.code) != CharClass::kSpace) break;
    i += c.length;
  }
  return i;
}

std::string Percent(size_t part, size_t whole) {
  if (whole == 0) return "-";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f%%", 100.0 * static_cast<double>(part) / whole);
  return buffer;
}

std::string F1(size_t right, size_t system, size_t gold) {
  if (system == 0 || gold == 0) return "-";
  const double precision = static_cast<double>(right) / system;
  const double recall = static_cast<double>(right) / gold;
  if (precision + recall == 0) return "0.00%";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f%%",
                100.0 * 2 * precision * recall / (precision + recall));
  return buffer;
}

}  // namespace

bool PlaceWords(std::string_view text, std::span<const std::string> words,
                std::vector<TokenSpan>* spans) {
  spans->clear();
  size_t at = 0;
  for (const std::string& word : words) {
    at = SkipSpaces(text, at);
    if (word.empty() || text.substr(at, word.size()) != word) return false;
    spans->push_back({at, at + word.size()});
    at += word.size();
  }
  return SkipSpaces(text, at) == text.size();
}

void ScoreSentence(std::span<const TokenSpan> gold_spans, std::span<const std::string> gold_tags,
                   std::span<const TokenSpan> system_spans,
                   std::span<const std::string_view> system_tags, RawScore* score) {
  ++score->sentences;
  score->gold += gold_spans.size();
  score->system += system_spans.size();
  size_t g = 0;
  for (size_t s = 0; s < system_spans.size(); ++s) {
    while (g < gold_spans.size() && gold_spans[g].begin < system_spans[s].begin) ++g;
    if (g < gold_spans.size() && gold_spans[g] == system_spans[s]) {
      ++score->spans;
      if (gold_tags[g] == system_tags[s]) ++score->tagged;
    }
  }
}

RawScore EvaluateRaw(Tagger* tagger, const Corpus& gold) {
  RawScore score;
  std::vector<TokenSpan> gold_spans, system_spans;
  std::vector<std::string_view> tokens, tags;
  std::vector<TagId> tag_ids;
  for (const TaggedSentence& sentence : gold.sentences) {
    const std::string_view text = sentence.text;
    if (text.empty() || !PlaceWords(text, sentence.words, &gold_spans)) {
      ++score.left_out;
      continue;
    }
    tagger->Tokens(text, &tokens);
    tagger->TagTokens(tokens, &tag_ids);
    system_spans.clear();
    tags.clear();
    for (size_t i = 0; i < tokens.size(); ++i) {
      const size_t begin = static_cast<size_t>(tokens[i].data() - text.data());
      system_spans.push_back({begin, begin + tokens[i].size()});
      tags.push_back(tagger->TagName(tag_ids[i]));
    }
    ScoreSentence(gold_spans, sentence.tags, system_spans, tags, &score);
  }
  return score;
}

Status EvaluateSystemOutput(const Corpus& gold, const Corpus& system, RawScore* score) {
  *score = RawScore();
  std::vector<TokenSpan> gold_spans, system_spans;
  std::vector<std::string_view> tags;
  if (system.sentences.size() != gold.sentences.size()) {
    return Status::Error("the system output has " + std::to_string(system.sentences.size()) +
                         " sentences, the gold corpus " + std::to_string(gold.sentences.size()));
  }
  for (size_t k = 0; k < gold.sentences.size(); ++k) {
    const TaggedSentence& sentence = gold.sentences[k];
    const std::string_view text = sentence.text;
    if (text.empty() || !PlaceWords(text, sentence.words, &gold_spans)) {
      ++score->left_out;
      continue;
    }
    const TaggedSentence& output = system.sentences[k];
    if (!PlaceWords(text, output.words, &system_spans)) {
      return Status::Error("the words of system sentence " + std::to_string(k + 1) +
                           " do not spell its text: " + sentence.text);
    }
    tags.assign(output.tags.begin(), output.tags.end());
    ScoreSentence(gold_spans, sentence.tags, system_spans, tags, score);
  }
  return Status::Ok();
}

std::string FormatRawReport(const RawScore& score) {
  std::string out = "sentences: " + std::to_string(score.sentences);
  if (score.left_out > 0) {
    out += " (left out " + std::to_string(score.left_out) + " without a text their words spell)";
  }
  out += "\ngold words: " + std::to_string(score.gold) +
         ", system tokens: " + std::to_string(score.system) + "\n";
  out += "tokens: precision " + Percent(score.spans, score.system) + ", recall " +
         Percent(score.spans, score.gold) + ", F1 " + F1(score.spans, score.system, score.gold) +
         "\n";
  out += "tags:   precision " + Percent(score.tagged, score.system) + ", recall " +
         Percent(score.tagged, score.gold) + ", F1 " + F1(score.tagged, score.system, score.gold) +
         "\n";
  return out;
}

}  // namespace quillon
