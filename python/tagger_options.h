// The options of quillon.Tagger and how they become the settings of a run. They mirror
// the switches of `quillon tag` (--lexicon, --contextual, --tokenizer, --lemma,
// --multiword, --separator, --encoding), so a Tagger and the command given the same choices
// write the same bytes. A value the command would refuse is refused here too, with a
// ValueError (std::invalid_argument) that says what is allowed.
// Tested by python/tests/test_tagger.py.
#ifndef QUILLON_PYTHON_TAGGER_OPTIONS_H_
#define QUILLON_PYTHON_TAGGER_OPTIONS_H_

#include <optional>
#include <string>

#include "core/run_settings.h"

namespace quillon {

struct TaggerOptionValues {
  std::optional<std::string> data_dir;  // none: the package's data directory
  int lexicon = 0;
  int contextual = 0;
  std::string tokenizer = "modern";
  bool lemma = false;
  std::optional<std::string> user_lexicon;
  std::string separator = "_";
  bool multiword = false;
  std::optional<std::string> encoding;  // none: bytes as they are
};

// The settings of a run with these options. Throws std::invalid_argument naming the
// option and its allowed values when one is out of range.
RunSettings SettingsFromOptions(const TaggerOptionValues& options);

}  // namespace quillon

#endif  // QUILLON_PYTHON_TAGGER_OPTIONS_H_
