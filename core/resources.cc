// Resource loading in the run's fixed order, each file checked for existence just before
// it is read. Tested by resources_test.cc and the end-to-end tests.
#include "core/resources.h"

#include "core/line_reader.h"
#include "core/messages.h"

namespace quillon {
namespace {

// Reads one resource file line by line (bounded: see ForEachFileLine), or fills failure
// with its missing-file message or read error. A file that a NUL byte cut short is read
// as far as the NUL, as every text is, but the user is told.
bool ForEachResourceLine(const std::string& data_dir, const std::string& name, const char* missing,
                         RunObserver* observer, const std::function<void(std::string_view)>& visit,
                         LoadFailure* failure) {
  const std::string path = DataPath(data_dir, name);
  if (!FileExists(path)) {
    *failure = {true, missing};
    return false;
  }
  std::string lost;
  Status status = ForEachFileLine(path, visit, /*skip_byte_order_mark=*/false, &lost);
  if (!status.ok()) {
    *failure = {false, status.message()};
    return false;
  }
  if (!lost.empty() && observer) observer->Warning(lost + " Is it a text file?");
  return true;
}

bool ReadResource(const std::string& data_dir, const std::string& name, const char* missing,
                  RunObserver* observer, std::vector<std::string>* lines, LoadFailure* failure) {
  lines->clear();
  return ForEachResourceLine(
      data_dir, name, missing, observer, [&](std::string_view line) { lines->emplace_back(line); },
      failure);
}

// A lexicon without a single tag leaves every word unknown: the run goes on, as the
// lexicon form allows it, but not silently.
void WarnOfEmptyLexicon(const std::string& path, const LexiconTable& table, RunObserver* observer) {
  if (!observer) return;
  for (int e = 2; e < table.EntryCount(); ++e) {
    if (table.entry(e).FieldCount >= 3) return;
  }
  observer->Warning(path + " holds no word with a tag: every word will be tagged as unknown.");
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

void BuildLexicon(const std::vector<std::string>& lines, RunObserver* observer,
                  Resources* resources) {
  LexiconBuilder builder;
  for (const std::string& line : lines) builder.Add(line);
  FinishLexicon(&builder, observer, resources);
}

void FinishLexicon(LexiconBuilder* builder, RunObserver* observer, Resources* resources) {
  builder->Finish(observer, &resources->tags, &resources->lexicon);
  resources->lexicon_index.Build(resources->lexicon);
}

bool ResourcesFromLines(const ResourceLines& lines, const RunSettings& settings,
                        Resources* resources) {
  resources->ignore = IgnoreList(lines.ignore);
  if (settings.Lemma == 1 && !resources->lemmas.Load(lines.lemmas)) return false;
  BuildLexicon(lines.lexicon, nullptr, resources);
  resources->tag_list = ReadTagList(lines.tagset);
  resources->lexical_records = ParseLexicalRules(lines.lexical, resources->tag_list);
  resources->contextual_records = ParseContextualRules(lines.contextual);
  if (settings.RadioGroup5 == 0) resources->multiwords.Load(lines.multiwords, nullptr);
  return true;
}

bool LoadResources(const RunSettings& settings, const std::string& data_dir, RunObserver* observer,
                   Resources* resources, LoadFailure* failure) {
  std::vector<std::string> lines;
  if (!ReadResource(data_dir, kIgnoreFile, messages::kMissingIgnore, observer, &lines, failure)) {
    return false;
  }
  resources->ignore = IgnoreList(lines);

  if (settings.Lemma == 1) {
    if (!ReadResource(data_dir, kLemmaFile, messages::kMissingLemmaList, observer, &lines,
                      failure)) {
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
  // The lexicon goes into the table line by line: it may be large, and its lines are
  // held once however often they repeat.
  LexiconBuilder builder;
  if (!ForEachResourceLine(
          data_dir, kLexiconFiles[lexicon], MissingLexiconMessage(lexicon), observer,
          [&](std::string_view line) { builder.Add(line); }, failure)) {
    return false;
  }
  FinishLexicon(&builder, observer, resources);
  WarnOfEmptyLexicon(DataPath(data_dir, kLexiconFiles[lexicon]), resources->lexicon, observer);

  std::vector<std::string> rule_lines;
  if (!ReadResource(data_dir, kLexicalRuleFile, messages::kMissingLexicalRules, observer,
                    &rule_lines, failure) ||
      !ReadResource(data_dir, kTagsetFile, messages::kMissingTagset, observer, &lines, failure)) {
    return false;
  }
  resources->tag_list = ReadTagList(lines);
  resources->lexical_records = ParseLexicalRules(rule_lines, resources->tag_list);

  resources->contextual_records.clear();
  if (settings.RadioGroup3 < 0 || settings.RadioGroup3 > 2) {
    *failure = {false, messages::kNoContextualRules};
    return false;
  }
  const int slot = settings.RadioGroup3;
  if (!ReadResource(data_dir, kContextualFiles[slot], MissingContextualMessage(slot), observer,
                    &lines, failure)) {
    return false;
  }
  resources->contextual_records = ParseContextualRules(lines);

  if (settings.RadioGroup5 == 0) {
    if (!ReadResource(data_dir, kMultiwordFile, messages::kMissingMultiword, observer, &lines,
                      failure)) {
      return false;
    }
    resources->multiwords.Load(lines, observer);
  }
  return true;
}

}  // namespace quillon
