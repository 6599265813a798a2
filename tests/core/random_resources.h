// Seeded generators of resource files and sentences for the differential test of the
// tagger. Each resource set draws its words and tags from small pools, so that suffixes,
// neighbours, keys and tags collide often and the rules actually fire; the generators also
// mix in the awkward cases of every format (duplicate keys, out-of-order prepared rows,
// separators doubled or unusual, fields that look like tags, incomplete lines).
// The same seed always gives the same resources and sentences.
#ifndef QUILLON_TESTS_CORE_RANDOM_RESOURCES_H_
#define QUILLON_TESTS_CORE_RANDOM_RESOURCES_H_

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/reference/reference_tagger.h"

namespace quillon::differential {

class ResourceGenerator {
 public:
  explicit ResourceGenerator(uint64_t seed) : rng_(seed) {}

  // A new resource set; its words and tags become the pools of later sentences.
  reference::ResourceLines NewResources();

  // count contextual rules over the current set's tags and words: with a few tags, many
  // rules share a FromTag and several can hold at one position.
  std::vector<std::string> ManyContextualRules(int count);

  // A sentence mixing the current set's known and unknown words with punctuation,
  // contractions and odd bytes.
  std::string NewSentence();

  // Lines of a lexicon table in prepared form, possibly out of order, with duplicate and
  // empty keys; at most rows lines.
  std::vector<std::string> NewTableLines(int rows);

  // A key near the given one: a prefix, an extension, one digit changed, or random digits.
  std::string NearbyKey(const std::string& key);

 private:
  uint64_t Below(uint64_t n) { return rng_() % n; }
  bool Chance(int percent) { return Below(100) < static_cast<uint64_t>(percent); }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(items.size())];
  }

  std::string NewStem();
  std::string NewUnknownWord();
  std::string Capitalised(std::string word);
  std::string SwappedCase(std::string word);
  std::string NewTag();
  std::string NewTags(int count);
  std::string NewTagList();
  std::vector<std::string> NewPlainLexicon();
  std::vector<std::string> NewPreparedLexicon();
  std::vector<std::string> NewTagset();
  std::vector<std::string> NewLexicalRules(const std::vector<std::string>& tagset);
  std::string NewLexicalRule(const std::vector<std::string>& tagset);
  std::vector<std::string> NewContextualRules();
  std::string NewContextualRule();
  std::vector<std::string> NewIgnoreList();
  std::string NewToken();
  char ContextualSeparator();

  std::mt19937_64 rng_;
  std::vector<std::string> stems_;
  std::vector<std::string> known_;                    // words of the current lexicon
  std::vector<std::vector<std::string>> known_tags_;  // their tags, for licensed rules
  std::vector<std::string> tags_;                     // tags used by the current set
  std::vector<std::string> chain_tags_;               // new tags of the f-form rules so far
};

// Bytes made visible for failure reports: a C string literal.
std::string Escape(const std::string& bytes);

}  // namespace quillon::differential

#endif  // QUILLON_TESTS_CORE_RANDOM_RESOURCES_H_
