// The switches a run reads once at its start. Each field is named after the window
// control that holds it and takes that control's item index; the run tests each against
// one value only, and every other value takes the other branch.
#ifndef QUILLON_CORE_RUN_SETTINGS_H_
#define QUILLON_CORE_RUN_SETTINGS_H_

#include <string>

#include "core/formats.h"
#include "core/text_decoder.h"

namespace quillon {

struct RunSettings {
  int RadioGroup4 = 0;   // lexicon: 0 BROWN.AND.WSJ, 1 WSJ, 2 BROWN
  int RadioGroup3 = 0;   // contextual rules: 0 WSJ, 1 BROWN, 2 WSJ.NOLEX
  int Separator = 0;     // 0 "_", otherwise "/"
  int Splitter = 0;      // 1 sentence splitting on
  int Tokenization = 0;  // 1 split at runs of spaces; otherwise the tokenizer
  int Lemma = 0;         // 1 lemmas in the output
  int RadioGroup5 = 1;   // 0 multi-word marks in the output
  int RadioGroup1 = 0;   // 0 "Tagged" folder beside each input; otherwise destination folder
  std::string destination_folder;
  // Not a control of the described window: with Tokenization 0, the modern tokenizer
  // (UTF-8 quotes, numbers, URLs) instead of the classic one, and the sentence splitter's
  // modern variant.
  bool modern_tokenizer = false;
  // Not a control of the window either: how input bytes are read (--encoding).
  TextEncoding encoding = TextEncoding::kAsIs;
  // Nor these: how inputs are read and outputs written (--input, --format and the window's
  // format chooser), and a lexicon of the user's own words in front of the chosen one
  // (--user-lexicon and the window's chooser; empty for none).
  InputFormat input_format = InputFormat::kText;
  OutputFormat output_format = OutputFormat::kText;
  std::string user_lexicon;

  char SeparatorChar() const { return Separator == 0 ? '_' : '/'; }
};

}  // namespace quillon

#endif  // QUILLON_CORE_RUN_SETTINGS_H_
