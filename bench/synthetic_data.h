// Generates a realistic resource load and text for throughput measurements: a plain
// lexicon of many entries with Zipf-distributed word use, lexical and contextual rules
// over the usual tags, and sentences with punctuation, contractions and unknown words.
// Deterministic for a given seed.
#ifndef QUILLON_BENCH_SYNTHETIC_DATA_H_
#define QUILLON_BENCH_SYNTHETIC_DATA_H_

#include <string>

namespace quillon::bench {

struct SyntheticLoad {
  int lexicon_entries = 50000;
  int contextual_rules = 300;
  int lexical_rules = 150;
  long tokens = 2000000;
  unsigned seed = 42;
};

// Writes a complete data folder (all resource files) into folder.
void WriteSyntheticData(const SyntheticLoad& load, const std::string& folder);

// Writes the text to path (one sentence per line); returns the number of tokens written,
// counted as the tokenizer will cut them.
long WriteSyntheticText(const SyntheticLoad& load, const std::string& path);

}  // namespace quillon::bench

#endif  // QUILLON_BENCH_SYNTHETIC_DATA_H_
