// `quillon train`: builds the resource files from tagged corpora.
//   train lexicon     a plain-form lexicon (words with their tags by frequency)
//   train tagset      the tag set file that goes with the lexical rules
//   train wordnet     a word list of WordNet lemmas and their inflected forms
//   train wordlist    word lists joined, tags of words the corpus lacks ordered by the
//                     lexical rules' guesses
//   train lexical     unknown-word lexical rules
//   train contextual  contextual rules, pruned with the real tagger on held-out data
// Each writes one file and prints what it measured on standard output.
#ifndef QUILLON_CLI_TRAIN_COMMAND_H_
#define QUILLON_CLI_TRAIN_COMMAND_H_

#include <cstdint>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace quillon {

struct TrainCommandOptions {
  std::string command;  // the subcommand that was parsed
  std::vector<std::string> corpora;
  std::string format = "auto";
  std::string output;
  bool quiet = false;
  bool skip_malformed = false;  // leave out malformed sentences instead of failing
  // Lexicon building (lexicon, and the held-out lexicon of lexical).
  std::vector<std::string> wordlists;
  bool wordlist_known_only = false;
  bool wordlist_new_only = false;
  bool wordlist_small_letters = false;
  int min_tag_count = 1;
  bool lookup_forms = false;  // words as the default lookup reads them (’s as 's)
  // Resource files a learner starts from.
  std::string data_dir;
  std::string lexicon;
  std::string lexical_rules;
  std::string tagset;
  // Learning.
  int folds = 0;         // lexical, contextual: folds for lexicons without the learning data
  double holdout = 0.5;  // lexical with one fold: share kept out of the lexicon
  std::vector<std::string> heldout_files;  // contextual: data for pruning
  double heldout_fraction = 0.1;           // contextual: share of sentences for pruning
  uint64_t seed = 1;
  int max_rules = 0;  // 0: the subcommand's default
  int min_score = 2;
  int max_plain_rules = 30;
  bool once_per_word = false;  // lexical: each unknown word once per fold and tag
  int max_affix = 4;           // lexical: longest affix a rule names, in bytes
  bool no_licence = false;
  bool no_prune = false;
  int rare_count = 2;  // wordlist: rare one-tag corpus words also get the guessed tag
  std::string heldout_lexicon_out;
  std::string wordnet_dir = "/usr/share/wordnet";  // wordnet: the database folder
};

// Adds "train" with its subcommands to app; options are filled when it parses.
CLI::App* AddTrainCommand(CLI::App* app, TrainCommandOptions* options);

// Runs the parsed subcommand; returns the exit status (0 done, 1 failed, 2 usage error).
int RunTrainCommand(const TrainCommandOptions& options);

}  // namespace quillon

#endif  // QUILLON_CLI_TRAIN_COMMAND_H_
