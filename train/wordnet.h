// WordNet 3.0 as the list builders read it: the lemmas of the four index files (index.noun,
// index.verb, index.adj, index.adv) with their tagged sense counts (how often WordNet's
// sense-tagged texts used the lemma in that part of speech), and the irregular forms of the
// exception files (noun.exc, ...: "form lemma [lemma...]"). Multi-word lemmas keep
// WordNet's "_" between their words. The licence text at the top of an index file (lines
// that begin with a space) is skipped; any other line that is not a well-formed index or
// exception line is an error naming the file and the line, so that a damaged database is
// not read as a smaller one. The noun data file (data.noun), when it is there, adds which
// noun lemmas are names: WordNet writes them with a capital letter in every synset
// ("Mexico", "Saturday"), while the index files hold every lemma in small letters.
// Tested by wordnet_test.cc.
#ifndef QUILLON_TRAIN_WORDNET_H_
#define QUILLON_TRAIN_WORDNET_H_

#include <array>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace quillon {

// The parts of speech, in the order that also breaks ties between equal sense counts.
enum WordNetPos { kWordNetNoun = 0, kWordNetVerb, kWordNetAdjective, kWordNetAdverb };
inline constexpr int kWordNetPosCount = 4;

struct WordNetException {
  std::string form;
  std::vector<std::string> lemmas;  // in file order
};

struct WordNet {
  std::array<std::vector<std::string>, kWordNetPosCount> lemmas;  // index order
  // Lemma -> tagged sense count; a lemma missing here counts 0.
  std::array<std::map<std::string, int>, kWordNetPosCount> tagged_senses;
  std::array<std::vector<WordNetException>, kWordNetPosCount> exceptions;  // file order
  // Noun lemmas (small letters, "_" between words) that data.noun writes with a capital
  // letter wherever they occur; empty when data.noun was not read.
  std::set<std::string> noun_names;
};

// Reads one index file: the lemmas in file order, each with its tagged sense count. name
// is used in error messages ("name:line: not a WordNet index line").
Status ParseWordNetIndex(std::string_view text, const std::string& name,
                         std::vector<std::string>* lemmas,
                         std::map<std::string, int>* tagged_senses);

// Reads one exception file in file order; a line with a form but no lemma is an error.
Status ParseWordNetExceptions(std::string_view text, const std::string& name,
                              std::vector<WordNetException>* entries);

// Reads a data file (data.noun): every synset line's words, and fills names with the
// lemmas, in small letters, that are written with a capital letter in each synset that
// holds them. A synset line that does not hold the words it announces is an error.
Status ParseWordNetNames(std::string_view text, const std::string& name,
                         std::set<std::string>* names);

// Reads the eight files from dir, and data.noun when it is there. A missing or malformed file is an
// error naming it.
Status ReadWordNet(const std::string& dir, WordNet* wordnet);

}  // namespace quillon

#endif  // QUILLON_TRAIN_WORDNET_H_
