// WordNet 3.0 as the list builders read it: the lemmas of the four index files (index.noun,
// index.verb, index.adj, index.adv) and the irregular forms of the exception files
// (noun.exc, ...: "form lemma [lemma...]"). Multi-word lemmas keep WordNet's "_" between
// their words. Only the first fields of each line are read; the licence text at the top of
// an index file (lines that begin with a space) is skipped.
// Tested by list_builders_test.cc.
#ifndef QUILLON_TRAIN_WORDNET_H_
#define QUILLON_TRAIN_WORDNET_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace quillon {

enum WordNetPos { kWordNetNoun = 0, kWordNetVerb, kWordNetAdjective, kWordNetAdverb };
inline constexpr int kWordNetPosCount = 4;

struct WordNetException {
  std::string form;
  std::vector<std::string> lemmas;  // in file order
};

struct WordNet {
  std::array<std::vector<std::string>, kWordNetPosCount> lemmas;  // index order
  std::array<std::vector<WordNetException>, kWordNetPosCount> exceptions;
};

// The lemmas of one index file, in file order.
std::vector<std::string> ParseWordNetIndex(std::string_view text);

// The entries of one exception file, in file order; a line with fewer than two fields is
// left out.
std::vector<WordNetException> ParseWordNetExceptions(std::string_view text);

// Reads the eight files from dir. A missing file is an error naming it.
Status ReadWordNet(const std::string& dir, WordNet* wordnet);

}  // namespace quillon

#endif  // QUILLON_TRAIN_WORDNET_H_
