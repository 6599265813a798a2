// The tokenizer and encoding options. Tested by the end-to-end tests of tag and eval.
#include "cli/text_options.h"

#include <CLI/CLI.hpp>

namespace quillon {

void AddTokenizerOption(CLI::App* command, std::string* name) {
  command->add_option("--tokenizer", *name, kTokenizerHelp)
      ->check(CLI::IsMember({"modern", "classic", "spaces"}))
      ->default_str("modern");
}

void ApplyTokenizer(const std::string& name, RunSettings* settings) {
  settings->Tokenization = name == "spaces" ? 1 : 0;
  settings->modern_tokenizer = name == "modern";
}

}  // namespace quillon
