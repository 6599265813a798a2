// Fuzz harness for a whole run over fuzzed resources and text. The input is eight texts
// cut at NUL bytes: ignore list, lexicon, tag set, lexical rules, contextual rules, lemma
// list, multi-word list and the text to tag. The first byte holds the settings: bit 0
// splits at spaces instead of tokenizing, bit 1 writes "/", bit 2 turns the sentence
// splitter on, bit 3 lemmas, bit 4 multi-word marks. The resources are loaded as a run
// loads them from the data directory (a bad lemma list ends the run), the text is cut into
// sentences and every sentence is tagged. Checks: no output line holds a line break, a
// line is empty only for a sentence without tokens, and without lemmas and marks the records
// and each line are the reference reader's and tagger's.
#include <memory>
#include <string>
#include <vector>

#include "core/resources.h"
#include "core/sentence_splitter.h"
#include "core/tagger.h"
#include "core/tagging_run.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/tagging_check.h"

namespace quillon {
namespace {

using fuzz::Check;

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size == 0 || size > 8192) return 0;
  const std::vector<std::string_view> parts = fuzz::SplitParts(fuzz::AsText(data + 1, size - 1), 8);
  std::vector<std::vector<std::string>> files;
  for (int i = 0; i < 7; ++i) files.push_back(fuzz::Lines(parts[i]));
  RunSettings settings;
  settings.Tokenization = data[0] & 1;
  settings.Separator = (data[0] >> 1) & 1;
  settings.Splitter = (data[0] >> 2) & 1;
  settings.Lemma = (data[0] >> 3) & 1;
  settings.RadioGroup5 = (data[0] & 16) ? 0 : 1;

  ResourceLines lines;
  lines.ignore = files[0];
  lines.lexicon = files[1];
  lines.tagset = files[2];
  lines.lexical = files[3];
  lines.contextual = files[4];
  lines.lemmas = files[5];
  lines.multiwords = files[6];
  auto resources = std::make_unique<Resources>();
  if (!ResourcesFromLines(lines, settings, resources.get())) return 0;
  std::vector<std::string> sentences;
  std::string error;
  if (!SplitSentences(settings.Splitter, fuzz::Lines(parts[7]), nullptr, &sentences, &error)) {
    Check(!error.empty());
    return 0;
  }
  const TaggerOptions options = OptionsFromSettings(settings);
  Tagger tagger(resources.get(), options);
  std::vector<std::string_view> tokens;
  std::vector<std::string> outputs(sentences.size());
  for (size_t i = 0; i < sentences.size(); ++i) {
    tagger.TagSentence(sentences[i], &outputs[i]);
    Check(outputs[i].find_first_of("\r\n") == std::string::npos);
    tagger.Tokens(sentences[i], &tokens);
    Check(outputs[i].empty() == tokens.empty());
  }
  if (!options.lemma && !options.multiword) {
    const reference::ResourceLines lines{files[0], files[1], files[2], files[3], files[4]};
    fuzz::CheckRecords(*resources, lines);
    reference::ReferenceTagger slow(lines, options.tokenize, options.separator);
    for (size_t i = 0; i < sentences.size(); ++i)
      Check(outputs[i] == slow.TagSentence(sentences[i]));
  }
  return 0;
}
