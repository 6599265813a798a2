// What every train subcommand does around its builder: report on standard output or
// standard error, read the corpora with the chosen format, and write the resource file.
// Used by train_command.cc and train_lists_command.cc; tested through them by
// train_cli_test.cc and list_commands_test.cc.
#ifndef QUILLON_CLI_TRAIN_IO_H_
#define QUILLON_CLI_TRAIN_IO_H_

#include <string>
#include <vector>

#include "train/corpus.h"

namespace quillon {

// A message on standard error, one line.
void Fail(const std::string& text);
// A figure on standard output, one line.
void Say(const std::string& text);
// "  text" padded to one column, so that the figures after it line up.
std::string Label(const std::string& text);

// Reads the corpora in format ("auto", "conllu", "wordtag"); with skip_malformed,
// sentences with a bad line are left out and counted. False, with a message, when the
// format is unknown, a file cannot be read or the corpus holds no sentence.
bool LoadCorpus(const std::string& format, const std::vector<std::string>& paths,
                bool skip_malformed, Corpus* corpus);

// Writes a resource file; false, with a message, when it cannot be written.
bool Write(const std::string& path, const std::vector<std::string>& lines);

}  // namespace quillon

#endif  // QUILLON_CLI_TRAIN_IO_H_
