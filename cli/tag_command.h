// `quillon tag`: the tagging run from the command line. Files are tagged into output
// files exactly as the window would tag them; standard input is tagged to standard output.
#ifndef QUILLON_CLI_TAG_COMMAND_H_
#define QUILLON_CLI_TAG_COMMAND_H_

#include <string>
#include <vector>

#include "core/run_settings.h"

namespace CLI {
class App;
}

namespace quillon {

struct TagCommandOptions {
  std::string data_dir;
  int lexicon = 0;
  int contextual = 0;
  std::string separator = "_";
  bool split = false;
  bool no_tokenize = false;  // the old name of --tokenizer spaces
  std::string tokenizer;     // modern (when empty), classic or spaces
  bool lemma = false;
  bool multiword = false;
  std::string output_dir;
  std::string encoding;      // --encoding: utf-8, windows-1252 or latin-1
  std::string format;        // --format: text, tsv, conllu, json, xml (empty: by the input)
  std::string input;         // --input: text (when empty), vertical, conllu
  std::string user_lexicon;  // --user-lexicon FILE
  bool quiet = false;
  std::vector<std::string> files;
};

// Adds the "tag" subcommand to app; options are filled when it parses.
CLI::App* AddTagCommand(CLI::App* app, TagCommandOptions* options);

// Runs the parsed command; returns the exit status (0, 1, or 2 for a usage error).
int RunTagCommand(const TagCommandOptions& options);

// The run settings the options stand for.
RunSettings SettingsFromOptions(const TagCommandOptions& options);

}  // namespace quillon

#endif  // QUILLON_CLI_TAG_COMMAND_H_
