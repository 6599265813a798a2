// Everything a run reads from the data directory, loaded in a fixed order: the ignore
// list, the lemma list (when lemmas are on), the chosen lexicon, the lexical rules with
// the tag set, the user's own lexicon (when one is given, from outside the directory),
// the chosen contextual rules, the multi-word list (when marks are on).
// A missing file ends the loading at once with that file's own message.
// Tested by resources_test.cc and the end-to-end tests.
#ifndef QUILLON_CORE_RESOURCES_H_
#define QUILLON_CORE_RESOURCES_H_

#include <memory>
#include <string>
#include <vector>

#include "core/contextual_rules.h"
#include "core/ignore_list.h"
#include "core/lemmatizer.h"
#include "core/lexical_rules.h"
#include "core/lexicon.h"
#include "core/lexicon_index.h"
#include "core/multiword.h"
#include "core/run_observer.h"
#include "core/run_settings.h"
#include "core/tag_table.h"

namespace quillon {

inline constexpr char kIgnoreFile[] = "ignore.dat";
inline constexpr char kLemmaFile[] = "e_lemma.txt";
inline constexpr char kLexicalRuleFile[] = "LEXICALRULEFILE.WSJ";
inline constexpr char kTagsetFile[] = "tagset";
inline constexpr char kMultiwordFile[] = "Multiword.dat";
inline constexpr const char* kLexiconFiles[] = {"LEXICON.BROWN.AND.WSJ", "LEXICON.WSJ",
                                                "LEXICON.BROWN"};
inline constexpr const char* kContextualFiles[] = {
    "CONTEXTUALRULEFILE.WSJ", "CONTEXTUALRULEFILE.BROWN", "CONTEXTUALRULEFILE.WSJ.NOLEX"};

// The loaded resources of one run. The tag table is shared by all of them.
struct Resources {
  Resources() = default;
  // The lexicon index reads the lexicon table in place: resources stay where they are made.
  Resources(const Resources&) = delete;
  Resources& operator=(const Resources&) = delete;

  TagTable tags;
  IgnoreList ignore;
  LexiconTable lexicon;
  LexiconIndex lexicon_index;
  std::vector<std::string> tag_list;
  std::vector<structure2> lexical_records;
  std::vector<structure4> contextual_records;  // empty when no rule file is selected
  LemmaTable lemmas;                           // loaded when lemmas are on
  MultiwordTable multiwords;                   // loaded when multi-word marks are on
};

// The lines of the resource files, held in memory (by the learners, tests and fuzzers).
struct ResourceLines {
  std::vector<std::string> lexicon;  // plain or prepared form
  std::vector<std::string> tagset;
  std::vector<std::string> lexical;
  std::vector<std::string> contextual;
  std::vector<std::string> ignore = {};
  std::vector<std::string> lemmas = {};      // read when the settings ask for lemmas
  std::vector<std::string> multiwords = {};  // read when the settings ask for marks
};

// Builds resources from lines as LoadResources builds them from files: the same parsers
// in the same order. False when the lemma list is malformed (lemmas on).
bool ResourcesFromLines(const ResourceLines& lines, const RunSettings& settings,
                        Resources* resources);

// How a failed load reaches the user: a fixed message, or the failure's own text.
struct LoadFailure {
  bool is_message = true;  // false: a general error report (an unreadable file)
  std::string text;
};

// The path of a resource file: data_dir, the platform's separator, name.
std::string DataPath(const std::string& data_dir, const std::string& name);

// Loads what settings call for from data_dir. On failure returns false and fills failure.
// observer (may be null) sees the lexicon preparation.
bool LoadResources(const RunSettings& settings, const std::string& data_dir, RunObserver* observer,
                   Resources* resources, LoadFailure* failure);

// Builds the lexicon table and its index from lexicon lines in either form.
void BuildLexicon(const std::vector<std::string>& lines, RunObserver* observer,
                  Resources* resources);

// The same from lines already handed to builder.
void FinishLexicon(LexiconBuilder* builder, RunObserver* observer, Resources* resources);

}  // namespace quillon

#endif  // QUILLON_CORE_RESOURCES_H_
