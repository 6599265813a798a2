// Resource loading in the run's fixed order, each file checked for existence just before
// it is read. Tested by resources_test.cc and the end-to-end tests.
#include "core/resources.h"

#include "core/line_reader.h"
#include "core/messages.h"
#include "core/user_lexicon.h"

namespace quillon {
namespace {

// Reads one resource file, or fills failure with its missing-file message or read error.
bool ReadResource(const std::string& data_dir, const std::string& name, const char* missing,
                  std::vector<std::string>* lines, LoadFailure* failure) {
  const std::string path = DataPath(data_dir, name);
  if (!FileExists(path)) {
    *failure = {true, missing};
    return false;
  }
  Status status = ReadLines(path, lines);
  if (!status.ok()) {
    *failure = {false, status.message()};
    return false;
  }
  return true;
}

const char* MissingLexiconMessage(int slot) {
  static constexpr const char* kMessages[] = {
      messages::kMissingLexicon0, messages::kMissingLexicon1, messages::kMissingLexicon2};
  return kMessages[slot];
}

const char* MissingContextualMessage(int slot) {
  static constexpr const char* kMessages[] = {
      messages::kMissingContextual0, messages::kMissingContextual1, messages::kMissingContextual2};
  return kMessages[slot];
}

}  // namespace

std::string DataPath(const std::string& data_dir, const std::string& name) {
  if (data_dir.empty() || data_dir.back() == '/') return data_dir + name;
  return data_dir + "/" + name;
}

void BuildLexicon(std::vector<std::string> lines, RunObserver* observer, Resources* resources) {
  if (!IsPreparedForm(lines)) LEXICON(&lines, observer);
  resources->lexicon.Build(std::move(lines), &resources->tags);
  resources->lexicon_index.Build(resources->lexicon);
}

bool LoadResources(const RunSettings& settings, const std::string& data_dir, RunObserver* observer,
                   Resources* resources, LoadFailure* failure) {
  std::vector<std::string> lines;
  if (!ReadResource(data_dir, kIgnoreFile, messages::kMissingIgnore, &lines, failure)) {
    return false;
  }
  resources->ignore = IgnoreList(lines);

  if (settings.Lemma == 1) {
    if (!ReadResource(data_dir, kLemmaFile, messages::kMissingLemmaList, &lines, failure)) {
      return false;
    }
    if (!resources->lemmas.Load(lines)) {
      *failure = {true, messages::kBadLemmaList};
      return false;
    }
  }

  if (settings.RadioGroup4 < 0 || settings.RadioGroup4 > 2) {
    *failure = {false, messages::kNoLexicon};
    return false;
  }
  const int lexicon = settings.RadioGroup4;
  if (!ReadResource(data_dir, kLexiconFiles[lexicon], MissingLexiconMessage(lexicon), &lines,
                    failure)) {
    return false;
  }
  BuildLexicon(std::move(lines), observer, resources);

  std::vector<std::string> rule_lines;
  if (!ReadResource(data_dir, kLexicalRuleFile, messages::kMissingLexicalRules, &rule_lines,
                    failure) ||
      !ReadResource(data_dir, kTagsetFile, messages::kMissingTagset, &lines, failure)) {
    return false;
  }
  resources->tag_list = ReadTagList(lines);
  resources->lexical_records = ParseLexicalRules(rule_lines, resources->tag_list);

  // The user's own words go in front of the lexicon once the tag set is known.
  if (!settings.user_lexicon.empty()) {
    const bool modern = settings.Tokenization != 1 && settings.modern_tokenizer;
    std::string error;
    if (!LoadUserLexicon(settings.user_lexicon, modern, resources, observer, &error)) {
      *failure = {false, error};
      return false;
    }
  }

  resources->contextual_records.clear();
  if (settings.RadioGroup3 < 0 || settings.RadioGroup3 > 2) {
    *failure = {false, messages::kNoContextualRules};
    return false;
  }
  const int slot = settings.RadioGroup3;
  if (!ReadResource(data_dir, kContextualFiles[slot], MissingContextualMessage(slot), &lines,
                    failure)) {
    return false;
  }
  resources->contextual_records = ParseContextualRules(lines);

  if (settings.RadioGroup5 == 0) {
    if (!ReadResource(data_dir, kMultiwordFile, messages::kMissingMultiword, &lines, failure)) {
      return false;
    }
    resources->multiwords.Load(lines, observer);
  }
  return true;
}

}  // namespace quillon
