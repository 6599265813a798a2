// `quillon eval`: tags gold-tokenised corpora with the tagger and resources that
// `quillon tag` would use (same data folder and lexicon and contextual rule choices) and
// prints token accuracy, accuracy on known and unknown words, the most frequent confusions
// and, with --detail, precision and recall per tag. With --lemma it also scores the lemma
// list of the data folder against the LEMMA column of CoNLL-U files. With --raw it cuts
// each sentence's raw text itself (with the tokenizer of --tokenizer) and scores tokens
// and tags by their spans, CoNLL 2018 style; with --raw --system it scores another
// system's CoNLL-U output of the same texts the same way.
#ifndef QUILLON_CLI_EVAL_COMMAND_H_
#define QUILLON_CLI_EVAL_COMMAND_H_

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace quillon {

struct EvalCommandOptions {
  std::string data_dir;
  int lexicon = 0;
  int contextual = 0;
  std::string format = "auto";
  bool detail = false;
  bool lemma = false;           // also score the lemmas
  bool skip_malformed = false;  // leave out malformed sentences instead of failing
  std::vector<std::string> files;
  std::vector<std::string> seen_files;  // --seen: the training corpus for "unseen words"
  bool raw = false;                     // cut and tag the "# text" of each sentence
  std::string tokenizer = "modern";     // with raw: modern, classic or spaces
  std::string system_file;              // with raw: score this CoNLL-U output instead
};

// Adds the "eval" subcommand to app; options are filled when it parses.
CLI::App* AddEvalCommand(CLI::App* app, EvalCommandOptions* options);

// Runs the parsed command; returns the exit status (0 done, 1 failed).
int RunEvalCommand(const EvalCommandOptions& options);

}  // namespace quillon

#endif  // QUILLON_CLI_EVAL_COMMAND_H_
