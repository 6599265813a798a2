// Tag mapping, counting and the seeded split of a corpus. Tested by corpus_test.cc.
#include "train/corpus.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/ascii.h"

namespace quillon {
namespace {

// The UD extensions of the Penn set and the classic tag each stands for.
constexpr struct {
  const char* from;
  const char* to;
} kTagMapping[] = {
    {"-LRB-", "("}, {"-RRB-", ")"}, {"HYPH", ":"}, {"NFP", ":"},
    {"ADD", "NN"},  {"AFX", "JJ"},  {"GW", "FW"},  {"XX", "FW"},
};

// MASC's spellings of classic tags (its tags come largely from an automatic tagger).
constexpr struct {
  const char* from;
  const char* to;
} kMascMapping[] = {
    {"PP", "PRP"}, {"LRB", "("}, {"RRB", ")"}, {"-", ":"},        {"--", ":"},   {"...", ":"},
    {";", ":"},    {"\"", "''"}, {"'", "''"},  {"VBG|NN", "VBG"}, {"UH`", "UH"},
};

// splitmix64: a small generator whose output is fixed by the seed on every platform,
// unlike the distributions of <random>.
uint64_t SplitMix64(uint64_t* state) {
  uint64_t z = (*state += 0x9e3779b97f4a7c15ULL);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  return z ^ (z >> 31);
}

}  // namespace

size_t Corpus::TokenCount() const {
  size_t count = 0;
  for (const TaggedSentence& sentence : sentences) count += sentence.words.size();
  return count;
}

bool ParseCorpusFormat(std::string_view name, CorpusFormat* format) {
  if (name == "auto") {
    *format = CorpusFormat::kAuto;
  } else if (name == "conllu") {
    *format = CorpusFormat::kConllu;
  } else if (name == "wordtag") {
    *format = CorpusFormat::kWordTag;
  } else if (name == "masc") {
    *format = CorpusFormat::kMasc;
  } else {
    return false;
  }
  return true;
}

std::string MapTag(std::string_view word, std::string_view tag) {
  if (tag == "IN" && AsciiEqualsIgnoringCase(word, "to")) return "TO";
  for (const auto& mapping : kTagMapping) {
    if (tag == mapping.from) return mapping.to;
  }
  return std::string(tag);
}

std::string MapMascTag(std::string_view word, std::string_view tag) {
  for (const auto& mapping : kMascMapping) {
    if (tag == mapping.from) return MapTag(word, mapping.to);
  }
  return MapTag(word, tag);
}

namespace {

// The sentence numbers 0 .. n-1 in an order fixed by seed (Fisher-Yates).
std::vector<size_t> ShuffledOrder(size_t n, uint64_t seed) {
  std::vector<size_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  uint64_t state = seed;
  for (size_t i = n; i > 1; --i) {
    const size_t j = static_cast<size_t>(SplitMix64(&state) % i);
    std::swap(order[i - 1], order[j]);
  }
  return order;
}

void Deal(const Corpus& corpus, const std::vector<bool>& is_held, Corpus* kept, Corpus* held) {
  kept->sentences.clear();
  held->sentences.clear();
  for (size_t i = 0; i < corpus.sentences.size(); ++i) {
    (is_held[i] ? held : kept)->sentences.push_back(corpus.sentences[i]);
  }
}

}  // namespace

void SplitCorpus(const Corpus& corpus, double fraction, uint64_t seed, Corpus* kept, Corpus* held) {
  const size_t n = corpus.sentences.size();
  fraction = std::clamp(fraction, 0.0, 1.0);
  const size_t held_count = static_cast<size_t>(std::llround(fraction * static_cast<double>(n)));
  const std::vector<size_t> order = ShuffledOrder(n, seed);
  std::vector<bool> is_held(n, false);
  for (size_t i = 0; i < held_count; ++i) is_held[order[i]] = true;
  Deal(corpus, is_held, kept, held);
}

void SplitFold(const Corpus& corpus, int folds, int fold, uint64_t seed, Corpus* rest,
               Corpus* held) {
  const size_t n = corpus.sentences.size();
  const std::vector<size_t> order = ShuffledOrder(n, seed);
  std::vector<bool> is_held(n, false);
  for (size_t i = static_cast<size_t>(fold); i < n; i += static_cast<size_t>(folds)) {
    is_held[order[i]] = true;
  }
  Deal(corpus, is_held, rest, held);
}

}  // namespace quillon
