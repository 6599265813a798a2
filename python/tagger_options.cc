// Checking a Tagger's options and turning them into run settings. Tested by
// python/tests/test_tagger.py.
#include "python/tagger_options.h"

#include <stdexcept>

#include "core/text_decoder.h"

namespace quillon {
namespace {

void CheckChoice(const char* name, int value, const char* meaning) {
  if (value < 0 || value > 2) {
    throw std::invalid_argument(std::string(name) + " must be 0, 1 or 2 (" + meaning + "), not " +
                                std::to_string(value));
  }
}

}  // namespace

RunSettings SettingsFromOptions(const TaggerOptionValues& options) {
  CheckChoice("lexicon", options.lexicon,
              "0 LEXICON.BROWN.AND.WSJ, 1 LEXICON.WSJ, 2 LEXICON.BROWN");
  CheckChoice("contextual", options.contextual,
              "0 CONTEXTUALRULEFILE.WSJ, 1 CONTEXTUALRULEFILE.BROWN, "
              "2 CONTEXTUALRULEFILE.WSJ.NOLEX");
  const std::string& tokenizer = options.tokenizer;
  if (tokenizer != "modern" && tokenizer != "classic" && tokenizer != "spaces") {
    throw std::invalid_argument("tokenizer must be 'modern', 'classic' or 'spaces', not '" +
                                tokenizer + "'");
  }
  if (options.separator != "_" && options.separator != "/") {
    throw std::invalid_argument("separator must be '_' or '/', not '" + options.separator + "'");
  }
  RunSettings settings;
  settings.RadioGroup4 = options.lexicon;
  settings.RadioGroup3 = options.contextual;
  settings.Separator = options.separator == "/" ? 1 : 0;
  settings.Tokenization = tokenizer == "spaces" ? 1 : 0;
  settings.modern_tokenizer = tokenizer == "modern";
  settings.Lemma = options.lemma ? 1 : 0;
  settings.RadioGroup5 = options.multiword ? 0 : 1;
  settings.user_lexicon = options.user_lexicon.value_or("");
  if (options.encoding && !ParseTextEncoding(*options.encoding, &settings.encoding)) {
    throw std::invalid_argument("encoding must be 'utf-8', 'windows-1252' or 'latin-1', not '" +
                                *options.encoding + "'");
  }
  return settings;
}

}  // namespace quillon
