// The list subcommands: read the corpora and WordNet, run a list builder of the train
// library, write the file and print what went into it. Tested by list_commands_test.cc.
#include "cli/train_lists_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <unordered_set>

#include "cli/train_io.h"
#include "core/ascii.h"
#include "core/line_reader.h"
#include "train/abbreviation_builder.h"
#include "train/corpus.h"
#include "train/learning_resources.h"
#include "train/lemma_list_builder.h"
#include "train/multiword_builder.h"
#include "train/wordnet.h"

namespace quillon {
namespace {

constexpr int kDefaultAbbreviationCount = 2;

// The list builders also say how big the corpus was.
bool LoadCorpus(const TrainListsOptions& o, Corpus* corpus) {
  if (!LoadCorpus(o.format, o.corpora, o.skip_malformed, corpus)) return false;
  Say("corpus: " + std::to_string(corpus->sentences.size()) + " sentences, " +
      std::to_string(corpus->TokenCount()) + " tokens");
  return true;
}

bool LoadWordNet(const TrainListsOptions& o, WordNet* wordnet) {
  Status status = ReadWordNet(o.wordnet_dir, wordnet);
  if (!status.ok()) Fail(status.message());
  return status.ok();
}

bool LoadLineFiles(const std::vector<std::string>& paths, std::vector<std::string>* lines) {
  for (const std::string& path : paths) {
    std::vector<std::string> more;
    Status status = ReadLines(path, &more);
    if (!status.ok()) {
      Fail(status.message());
      return false;
    }
    lines->insert(lines->end(), more.begin(), more.end());
  }
  return true;
}

int RunLemmas(const TrainListsOptions& o) {
  Corpus corpus;
  WordNet wordnet;
  if (!LoadCorpus(o, &corpus) || !LoadWordNet(o, &wordnet)) return 1;
  LemmaListOptions options;
  options.inflect_lemma_forms = o.inflect_lemma_forms;
  LemmaListStats stats;
  const std::vector<std::string> lines = BuildLemmaListLines(corpus, wordnet, options, &stats);
  if (!Write(o.output, lines)) return 1;
  Say("lemma list: " + std::to_string(stats.forms) + " word forms under " +
      std::to_string(stats.lemmas) + " lemmas written to " + o.output);
  Say(Label("forms from the corpus") + std::to_string(stats.from_corpus));
  Say(Label("forms from the exception lists") + std::to_string(stats.from_exceptions));
  Say(Label("forms from regular inflection") + std::to_string(stats.from_inflection));
  Say(Label("forms that are their own lemma") + std::to_string(stats.own_lemma));
  Say(Label("corpus tokens the format cannot hold") + std::to_string(stats.unwritable));
  return 0;
}

int RunMultiwords(const TrainListsOptions& o) {
  Corpus corpus;
  WordNet wordnet;
  std::vector<std::string> extra;
  if (!LoadCorpus(o, &corpus) || !LoadWordNet(o, &wordnet) || !LoadLineFiles(o.extra_files, &extra))
    return 1;
  MultiwordBuildOptions options;
  if (o.min_count > 0) options.min_fixed_count = options.min_adverb_count = o.min_count;
  MultiwordStats stats;
  const std::vector<std::string> lines =
      BuildMultiwordLines(corpus, wordnet.lemmas[kWordNetAdverb], extra, options, &stats);
  if (!Write(o.output, lines)) return 1;
  Say("multi-word list: " + std::to_string(stats.entries) + " expressions written to " + o.output);
  Say(Label("fixed expressions of the corpus") + std::to_string(stats.fixed));
  Say(Label("WordNet adverbs found as phrases") + std::to_string(stats.adverbs));
  Say(Label("extra entries") + std::to_string(stats.extra));
  return 0;
}

int RunAbbreviations(const TrainListsOptions& o) {
  Corpus corpus;
  WordNet wordnet;
  std::vector<std::string> common;
  if (!LoadCorpus(o, &corpus) || !LoadWordNet(o, &wordnet) ||
      !LoadLineFiles(o.common_files, &common)) {
    return 1;
  }
  // Ordinary words: the single-word WordNet lemmas and irregular forms (sat, wed, no).
  std::unordered_set<std::string> ordinary;
  for (int pos = 0; pos < kWordNetPosCount; ++pos) {
    for (const std::string& lemma : wordnet.lemmas[pos]) {
      if (lemma.find('_') == std::string::npos) ordinary.insert(AsciiLowered(lemma));
    }
    for (const WordNetException& e : wordnet.exceptions[pos]) {
      if (e.form.find('_') == std::string::npos) ordinary.insert(AsciiLowered(e.form));
    }
  }
  std::vector<std::string> entries;
  for (std::string& line : common) {
    if (!line.empty() && line[0] != '#') entries.push_back(std::move(line));
  }
  AbbreviationStats stats;
  const std::vector<std::string> lines = BuildAbbreviationLines(
      corpus, entries, ordinary, o.min_count > 0 ? o.min_count : kDefaultAbbreviationCount, &stats);
  if (!Write(o.output, lines)) return 1;
  Say("ignore list: " + std::to_string(stats.entries) + " abbreviations written to " + o.output);
  Say(Label("from the corpus") + std::to_string(stats.from_corpus));
  Say(Label("from the common list") + std::to_string(stats.from_common));
  Say(Label("common entries left out") + std::to_string(stats.common_rejected));
  return 0;
}

CLI::App* AddListCommand(CLI::App* train, TrainListsOptions* o, const char* name,
                         const char* help) {
  CLI::App* sub = train->add_subcommand(name, help);
  sub->add_option("corpus", o->corpora, "Tagged corpus files (CoNLL-U for lemmas and syntax)")
      ->required();
  sub->add_option("-f,--format", o->format, "Corpus format: auto, conllu, wordtag or masc")
      ->default_str("auto");
  sub->add_option("-o,--output", o->output, "File to write")->required();
  sub->add_option("--wordnet", o->wordnet_dir, "WordNet 3.0 folder (index.* and *.exc files)")
      ->default_str("/usr/share/wordnet");
  sub->add_flag("--skip-malformed", o->skip_malformed,
                "Leave out sentences with a malformed line instead of stopping");
  sub->callback([o, name] { o->command = name; });
  return sub;
}

}  // namespace

void AddTrainListsCommands(CLI::App* train, TrainListsOptions* o) {
  CLI::App* lemmas = AddListCommand(train, o, "lemmas", "Write the lemma list");
  lemmas->add_flag("--inflect-lemma-forms", o->inflect_lemma_forms,
                   "Also list inflections that are WordNet lemmas themselves");
  CLI::App* multiwords = AddListCommand(train, o, "multiwords", "Write the multi-word list");
  multiwords->add_option("--extra", o->extra_files,
                         "Hand-written \"expression<TAB>label\" lines to add");
  multiwords->add_option("--min-count", o->min_count, "Least occurrences of an expression")
      ->check(CLI::PositiveNumber);
  CLI::App* abbreviations =
      AddListCommand(train, o, "abbreviations", "Write the ignore list of abbreviations");
  abbreviations->add_option("--common", o->common_files,
                            "Common abbreviations, one a line without the period (# comments)");
  abbreviations
      ->add_option("--min-count", o->min_count, "Least occurrences of \"x.\" in the corpus")
      ->check(CLI::PositiveNumber)
      ->default_str("2");
}

int RunTrainListsCommand(const TrainListsOptions& o) {
  if (o.command == "lemmas") return RunLemmas(o);
  if (o.command == "multiwords") return RunMultiwords(o);
  if (o.command == "abbreviations") return RunAbbreviations(o);
  return 2;
}

}  // namespace quillon
