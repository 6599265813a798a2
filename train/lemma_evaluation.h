// Scoring the lemmatizer against the LEMMA column of a CoNLL-U corpus: the share of tokens,
// punctuation (UPOS PUNCT) left out, whose lemma from the lemma table (the lookup the
// tagger's output uses) equals the gold lemma, compared ignoring ASCII letter case.
// Tested by list_builders_test.cc and the end-to-end tests of `quillon eval --lemma`.
#ifndef QUILLON_TRAIN_LEMMA_EVALUATION_H_
#define QUILLON_TRAIN_LEMMA_EVALUATION_H_

#include <cstddef>
#include <map>
#include <string>
#include <tuple>

#include "core/lemmatizer.h"
#include "train/corpus.h"

namespace quillon {

struct LemmaEvalResult {
  size_t tokens = 0;  // scored tokens
  size_t correct = 0;
  size_t listed = 0;  // tokens whose form the table holds
  size_t listed_correct = 0;
  size_t sentences_without_lemmas = 0;  // sentences read from text without a LEMMA column
  std::map<std::tuple<std::string, std::string, std::string>, size_t> misses;  // form, gold, given
};

LemmaEvalResult EvaluateLemmas(const LemmaTable& table, const Corpus& corpus);

// The lines `quillon eval --lemma` prints.
std::string FormatLemmaReport(const LemmaEvalResult& result);

}  // namespace quillon

#endif  // QUILLON_TRAIN_LEMMA_EVALUATION_H_
