// Ordering the tags of the words a lexicon knows only from word lists (WordNet, MASC) by
// what the unknown-word rules guess for them. A word list gives a word its tags in the
// list's own order (WordNet's sense counts, MASC's automatic tags), which is a poor start
// tag for web text; the lexical rules, learned on the unknown words of held-out folds,
// know how words of that shape are used in the corpora. So each such word is tagged as if
// it were unknown (its group of words left out of the lexicon, so that affix rules still
// find the other words), and the guessed tag goes first when the entry lists it; an entry
// of one tag gets the guess as a second tag, so that contextual rules may choose it.
// Corpus words keep their corpus tags first; a rare one with a single corpus tag that the
// word lists hold as well gets the guess after its listed tags, for the same reason.
// Tested by guessed_tag_order_test.cc.
#ifndef QUILLON_TRAIN_GUESSED_TAG_ORDER_H_
#define QUILLON_TRAIN_GUESSED_TAG_ORDER_H_

#include <cstddef>
#include <string>
#include <vector>

#include "train/corpus.h"
#include "train/lexicon_builder.h"

namespace quillon {

struct GuessedOrderOptions {
  // The word-list words are dealt into this many groups, each guessed with a lexicon
  // without it; more groups leave more of the other words for the affix rules to find.
  int groups = 5;
  bool guess_first = true;    // a listed tag the rules guess goes first
  bool add_to_single = true;  // a one-tag entry gets a different guess as its second tag
  // A listed corpus word seen at most this many times, always with one tag, gets the guess
  // after its listed tags (0: corpus words are left alone).
  int rare_count = 2;
};

struct GuessedOrderStats {
  size_t entries = 0;      // words of the joined word list
  size_t list_only = 0;    // of them, words the corpus lacks
  size_t guessed = 0;      // of those, words the rules tagged (not found in the lexicon)
  size_t moved_first = 0;  // entries whose guessed tag was moved to the front
  size_t added = 0;        // one-tag entries given the guess as a second tag
  size_t rare = 0;         // rare one-tag corpus words given the guess after their tags
};

// The word lists joined into one (a word's entries merged in list order, each tag once),
// with the tags of the words the corpus lacks ordered by the guesses of the lexical rule
// lines, read with tagset. lexicon_options are those the lexicon will be built with (the
// lookup forms decide which spellings the corpus holds).
std::vector<WordListEntry> OrderByGuessedTags(const Corpus& corpus,
                                              const std::vector<WordListEntry>& wordlist,
                                              const LexiconBuildOptions& lexicon_options,
                                              const std::vector<std::string>& tagset,
                                              const std::vector<std::string>& lexical_rules,
                                              const GuessedOrderOptions& options,
                                              GuessedOrderStats* stats);

}  // namespace quillon

#endif  // QUILLON_TRAIN_GUESSED_TAG_ORDER_H_
