// Builds the lemma list ("lemma -> form,form" lines) that the lemmatizer reads. The
// lemmatizer looks a token up by its lower-cased spelling alone, without its tag, and a
// token it does not find is its own lemma; so the list holds, for every word form worth
// listing, the one lemma it most often has, and leaves out forms that are their own lemma.
// A form gets its lemma from the first of these sources that knows it:
//   1. the LEMMA column of a CoNLL-U corpus: the lemma the form has most often there;
//   2. the WordNet exception lists (went -> go, mice -> mouse); of several lemmas the one
//      the corpus uses most as a lemma, else the first listed;
//   3. regular inflections of the WordNet lemmas (walks, walking, walked -> walk), except
//      forms that are WordNet lemmas themselves (glasses, building), which stay as they are
//      unless inflect_lemma_forms is set, and except the regular forms that the exception
//      lists replace (no "goed" beside "went", no "mouses" beside "mice").
// Each form is listed under one lemma only, so the most frequent reading is the one the
// lookup finds. Forms whose order keys collide keep the lemma of the better-attested form.
// Tested by list_builders_test.cc.
#ifndef QUILLON_TRAIN_LEMMA_LIST_BUILDER_H_
#define QUILLON_TRAIN_LEMMA_LIST_BUILDER_H_

#include <cstddef>
#include <string>
#include <vector>

#include "train/corpus.h"
#include "train/wordnet.h"

namespace quillon {

struct LemmaListOptions {
  // List regular inflections that are WordNet lemmas themselves (glasses -> glass).
  bool inflect_lemma_forms = false;
};

struct LemmaListStats {
  size_t forms = 0;            // forms written
  size_t lemmas = 0;           // lines written
  size_t from_corpus = 0;      // forms whose lemma the corpus gave
  size_t from_exceptions = 0;  // ... the WordNet exception lists
  size_t from_inflection = 0;  // ... regular inflection of a WordNet lemma
  size_t own_lemma = 0;        // forms left out because they are their own lemma
  size_t unwritable = 0;       // corpus tokens whose form or lemma the format cannot hold
};

// The lines of the list: a few "[" heading lines, then one line per lemma in byte order
// of the lemma, its forms in byte order.
std::vector<std::string> BuildLemmaListLines(const Corpus& corpus, const WordNet& wordnet,
                                             const LemmaListOptions& options,
                                             LemmaListStats* stats);

}  // namespace quillon

#endif  // QUILLON_TRAIN_LEMMA_LIST_BUILDER_H_
