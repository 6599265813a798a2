// Scoring a tagger against gold tags: token accuracy, accuracy on the words the lexicon
// knows and on those it does not (as the tagger itself tells them apart), optionally on
// the words a training corpus never held (which differs from "unknown" once a lexicon
// holds more than its training words), the most frequent confusions, and precision and
// recall per tag.
// Tested by evaluation_test.cc and the end-to-end tests of `quillon eval`.
#ifndef QUILLON_TRAIN_EVALUATION_H_
#define QUILLON_TRAIN_EVALUATION_H_

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "core/tagger.h"
#include "train/corpus.h"

namespace quillon {

struct TagScore {
  size_t gold = 0;       // tokens whose gold tag is this tag
  size_t predicted = 0;  // tokens the tagger gave this tag
  size_t correct = 0;    // both
};

struct EvalResult {
  size_t tokens = 0;
  size_t correct = 0;
  size_t known = 0;
  size_t known_correct = 0;
  size_t unknown = 0;
  size_t unknown_correct = 0;
  bool has_seen = false;  // whether a set of seen words was given
  size_t unseen = 0;      // tokens whose word is not in that set
  size_t unseen_correct = 0;
  std::map<std::pair<std::string, std::string>, size_t> confusions;  // (gold, tagged)
  std::map<std::string, TagScore> per_tag;
};

// Tags every sentence of corpus (its gold tokens) with tagger and scores the result; with
// seen, also the tokens whose word (exact bytes) is not in it.
EvalResult Evaluate(Tagger* tagger, const Corpus& corpus,
                    const std::set<std::string, std::less<>>* seen = nullptr);

// The words of a corpus, for Evaluate's seen set.
std::set<std::string, std::less<>> CorpusWords(const Corpus& corpus);

// Only the number of tokens tagged correctly; for the learners' many evaluations.
size_t CountCorrect(Tagger* tagger, const Corpus& corpus);

// "93.12% (23367/25094)"; "-" when count is 0.
std::string FormatAccuracy(size_t correct, size_t count);

// The report that `quillon eval` prints; with detail, precision and recall per tag.
std::string FormatEvalReport(const EvalResult& result, bool detail);

}  // namespace quillon

#endif  // QUILLON_TRAIN_EVALUATION_H_
