// The options that say how `quillon tag` and `quillon eval --raw` read running text:
// which tokenizer cuts it (--tokenizer modern|classic|spaces, and --no-tokenize as the
// old name of spaces) and, for tag, which encoding an 8-bit file is in (--encoding).
// Tested by the end-to-end tests of both commands.
#ifndef QUILLON_CLI_TEXT_OPTIONS_H_
#define QUILLON_CLI_TEXT_OPTIONS_H_

#include <string>

#include "core/run_settings.h"

namespace CLI {
class App;
}

namespace quillon {

inline constexpr char kTokenizerHelp[] =
    "modern (default): UTF-8 text as treebanks cut it (quotes, dashes, numbers, URLs); "
    "classic: the window's \"On\" tokenizer, byte for byte; spaces: cut at spaces only "
    "(the window's \"Off\")";

// Adds --tokenizer to command, filling name.
void AddTokenizerOption(CLI::App* command, std::string* name);

// Sets the tokenizer of settings from its name ("modern", "classic" or "spaces").
void ApplyTokenizer(const std::string& name, RunSettings* settings);

}  // namespace quillon

#endif  // QUILLON_CLI_TEXT_OPTIONS_H_
