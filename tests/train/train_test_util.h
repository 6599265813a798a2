// Small corpora and random data for the learner tests.
#ifndef QUILLON_TESTS_TRAIN_TRAIN_TEST_UTIL_H_
#define QUILLON_TESTS_TRAIN_TRAIN_TEST_UTIL_H_

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "train/corpus.h"

namespace quillon::testing {

// "the_DT cat_NN\nit_PRP ran_VBD" -> a corpus, one sentence per line.
inline Corpus ParseSentences(const std::string& text) {
  Corpus corpus;
  const Status status = ParseWordTag(text, "test", &corpus);
  if (!status.ok()) throw std::runtime_error(status.message());
  return corpus;
}

// The 45 tags of the legend as tag set lines.
inline std::vector<std::string> PennTagset() {
  std::vector<std::string> lines;
  for (const char* tag :
       {"CC",  "CD",  "DT",   "EX",  "FW",  "IN",  "JJ",   "JJR", "JJS", "LS",  "MD",  "NN",
        "NNS", "NNP", "NNPS", "PDT", "POS", "PRP", "PRP$", "RB",  "RBR", "RBS", "RP",  "SYM",
        "TO",  "UH",  "VB",   "VBD", "VBG", "VBN", "VBP",  "VBZ", "WDT", "WP",  "WP$", "WRB",
        "#",   "$",   ".",    ",",   ":",   "(",   ")",    "``",  "''"}) {
    lines.push_back(std::string(tag) + "\tdescription");
  }
  return lines;
}

// A random corpus whose tags depend on spelling and neighbours, so that rules of every
// kind have something to find: words from a small alphabet with suffixes and prefixes,
// a few capitalised, some sharing an order key (a.b / a!b).
inline Corpus RandomCorpus(uint32_t seed, int sentences) {
  std::mt19937 rng(seed);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
  const char* stems[] = {"bal", "cor", "dip", "fen", "gar", "hul", "mo", "ne",
                         "pa",  "t",   "a.b", "a!b", "zo",  "ri",  "ka"};
  const char* suffixes[] = {"", "", "s", "ed", "ing", "ly", "er", "!"};
  const char* prefixes[] = {"", "", "", "un", "re"};
  const char* tags_by_suffix[] = {"NN", "VB", "NNS", "VBD", "VBG", "RB", "JJR", "."};
  const char* function_words[][2] = {{"the", "DT"}, {"to", "TO"}, {"of", "IN"}, {"and", "CC"}};
  Corpus corpus;
  for (int s = 0; s < sentences; ++s) {
    TaggedSentence sentence;
    const int n = 1 + pick(8);
    for (int i = 0; i < n; ++i) {
      if (pick(4) == 0) {
        const auto& fw = function_words[pick(4)];
        sentence.words.push_back(fw[0]);
        sentence.tags.push_back(fw[1]);
        continue;
      }
      const int suffix = pick(8);
      std::string word = std::string(prefixes[pick(5)]) + stems[pick(15)] + suffixes[suffix];
      std::string tag = tags_by_suffix[suffix];
      if (pick(6) == 0) {
        word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
        if (tag == std::string("NN")) tag = "NNP";
      }
      if (!sentence.tags.empty() && sentence.tags.back() == "TO" && tag == "NN") tag = "VB";
      if (pick(10) == 0) tag = "JJ";  // noise
      sentence.words.push_back(word);
      sentence.tags.push_back(tag);
    }
    corpus.sentences.push_back(std::move(sentence));
  }
  return corpus;
}

}  // namespace quillon::testing

#endif  // QUILLON_TESTS_TRAIN_TRAIN_TEST_UTIL_H_
