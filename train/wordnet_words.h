// A word list for the lexicon builder from the WordNet 3.0 database files (index.noun,
// index.verb, index.adj, index.adv and the *.exc lists of irregular forms): every lemma of
// one word with its Penn tags, plus the forms English grammar makes of it (plurals, verb
// forms, comparatives), so that words a training corpus never saw still get tag lists.
//
// Regular forms follow the spelling rules of english_inflection.h; a lemma with irregular
// forms in the *.exc lists gets those instead of the regular ones of the same kind. The tags of a
// word are ordered by the tagged sense counts of the lemmas behind them (how often WordNet's
// sense-tagged texts used the word as a noun, verb, adjective or adverb), ties by a fixed order of
// the parts of speech. Lemmas with digits, spaces or other bytes that no ordinary word holds are
// left out. Tested by wordnet_words_test.cc.
#ifndef QUILLON_TRAIN_WORDNET_WORDS_H_
#define QUILLON_TRAIN_WORDNET_WORDS_H_

#include <string>
#include <string_view>
#include <vector>

#include "train/lexicon_builder.h"
#include "train/wordnet.h"

namespace quillon {

// True for a lemma the list keeps: small letters, with hyphens, apostrophes or periods
// inside only.
bool IsPlainLemma(std::string_view lemma);

// The word list: one entry per word form, tags most likely first; sorted by word.
std::vector<WordListEntry> WordNetWordList(const WordNet& wordnet);

}  // namespace quillon

#endif  // QUILLON_TRAIN_WORDNET_WORDS_H_
