// The lemmatizer: the dictionary form of each token from the lemma list, lines such as
// "abandon -> abandons,abandoning,abandoned". The list becomes a table of (order key of a
// form, lemma) records sorted by key; a token is lower-cased (ASCII letters only) and
// searched by its key; a token without a record is its own lemma, lower-cased.
// Tested by lemmatizer_test.cc and the end-to-end tests.
#ifndef QUILLON_CORE_LEMMATIZER_H_
#define QUILLON_CORE_LEMMATIZER_H_

#include <string>
#include <string_view>
#include <vector>

#include "core/lexicon_index.h"

namespace quillon {

// One record of the lemma table.
struct LemmaRecord {
  std::string key;
  std::string lemma;
};

class LemmaTable {
 public:
  // Builds the table from the lines of the lemma list. Returns false when a line does not
  // have the form "lemma, space, arrow, space, forms".
  bool Load(const std::vector<std::string>& lines);

  // Working space of Lemmatization, reused between calls.
  struct Scratch {
    std::string lowered;
    std::string codes;
  };

  // The lemma of word: a view into the table, valid until it changes, or, for a word the
  // table does not know, into scratch->lowered, valid until the next call with scratch.
  std::string_view Lemmatization(std::string_view word, Scratch* scratch) const;

  // Starts loading the index slot of word's lower-case form, so that a sentence's lookups
  // that follow do not each wait for memory.
  void Prefetch(std::string_view word) const;

  const std::vector<LemmaRecord>& records() const { return records_; }

 private:
  std::vector<LemmaRecord> records_;  // ascending by key, then lemma ignoring case
  LexiconIndex index_;                // the record the bisection reaches for each key
};

}  // namespace quillon

#endif  // QUILLON_CORE_LEMMATIZER_H_
