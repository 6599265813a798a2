// The list subcommands of `quillon train`:
//   train lemmas         the lemma list (e_lemma.txt) from a corpus LEMMA column and WordNet
//   train multiwords     the multi-word list (Multiword.dat) from fixed expressions and
//                        WordNet adverbs found in a parsed corpus
//   train abbreviations  the ignore list (ignore.dat) from abbreviations in a corpus and a
//                        list of common ones
// Each writes one file and prints what went into it on standard output.
#ifndef QUILLON_CLI_TRAIN_LISTS_COMMAND_H_
#define QUILLON_CLI_TRAIN_LISTS_COMMAND_H_

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace quillon {

struct TrainListsOptions {
  std::string command;  // the subcommand that was parsed; empty when none of these
  std::vector<std::string> corpora;
  std::string format = "auto";
  std::string output;
  bool skip_malformed = false;
  std::string wordnet_dir = "/usr/share/wordnet";
  bool inflect_lemma_forms = false;
  std::vector<std::string> extra_files;   // multiwords: hand-written entries
  std::vector<std::string> common_files;  // abbreviations: common abbreviations
  int min_count = 0;                      // 0: the subcommand's default
};

// Adds the list subcommands to the "train" command.
void AddTrainListsCommands(CLI::App* train, TrainListsOptions* options);

// Runs the parsed list subcommand; returns the exit status (0 done, 1 failed, 2 usage).
int RunTrainListsCommand(const TrainListsOptions& options);

}  // namespace quillon

#endif  // QUILLON_CLI_TRAIN_LISTS_COMMAND_H_
