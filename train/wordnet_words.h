// A word list for the lexicon builder from the WordNet 3.0 database files (index.noun,
// index.verb, index.adj, index.adv and the *.exc lists of irregular forms): every lemma of
// one word with its Penn tags, plus the forms English grammar makes of it (plurals, verb
// forms, comparatives), so that words a training corpus never saw still get tag lists.
//
// Regular forms follow the spelling rules (-s/-es/-ies, e-dropping, doubling of a final
// consonant after one short vowel); a lemma with irregular forms in the *.exc lists gets
// those instead of the regular ones of the same kind. The tags of a word are ordered by
// the tagged sense counts of the lemmas behind them (how often WordNet's sense-tagged
// texts used the word as a noun, verb, adjective or adverb), ties by a fixed order of the
// parts of speech. Lemmas with digits, spaces or other bytes that no ordinary word holds
// are left out.
// Tested by wordnet_words_test.cc.
#ifndef QUILLON_TRAIN_WORDNET_WORDS_H_
#define QUILLON_TRAIN_WORDNET_WORDS_H_

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"
#include "train/lexicon_builder.h"

namespace quillon {

// Parts of speech in the order that breaks ties between equal sense counts.
enum class WordClass { kNoun = 0, kVerb = 1, kAdjective = 2, kAdverb = 3 };
inline constexpr int kWordClasses = 4;

struct WordNetData {
  // Lemma -> tagged sense count, one map per word class.
  std::map<std::string, int> lemmas[kWordClasses];
  // Irregular form -> its lemmas, one map per word class.
  std::map<std::string, std::vector<std::string>> irregular[kWordClasses];
};

// Reads one index file's lines (licence header lines begin with a space) into lemmas.
Status ParseWordNetIndex(std::string_view text, const std::string& name,
                         std::map<std::string, int>* lemmas);
// Reads one exception list's lines ("form lemma lemma...").
Status ParseWordNetExceptions(std::string_view text, const std::string& name,
                              std::map<std::string, std::vector<std::string>>* forms);
// Reads the eight files from dir; the message names the file that failed.
Status ReadWordNet(const std::string& dir, WordNetData* data);

// Regular inflections.
std::string PluralOf(std::string_view noun);             // also the -s form of a verb
std::string PastOf(std::string_view verb);               // -ed
std::string PresentParticipleOf(std::string_view verb);  // -ing
std::string ComparativeOf(std::string_view adjective);   // -er
std::string SuperlativeOf(std::string_view adjective);   // -est
// Whether an adjective takes -er/-est: one syllable, or two ending in -y.
bool TakesComparison(std::string_view adjective);

// True for a lemma the list keeps: small letters, with hyphens, apostrophes or periods
// inside only.
bool IsPlainLemma(std::string_view lemma);

// The word list: one entry per word form, tags most likely first; sorted by word.
std::vector<WordListEntry> WordNetWordList(const WordNetData& data);

}  // namespace quillon

#endif  // QUILLON_TRAIN_WORDNET_WORDS_H_
