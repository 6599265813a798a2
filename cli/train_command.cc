// The train subcommands: read the corpora, run a builder or learner of the train library,
// write the file, and print the figures that show what the file is worth. The learners'
// predictions are checked against the real tagger before the command reports success.
#include "cli/train_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/progress_line.h"
#include "cli/train_io.h"
#include "core/line_reader.h"
#include "core/resources.h"
#include "train/contextual_learner.h"
#include "train/corpus.h"
#include "train/evaluation.h"
#include "train/guessed_tag_order.h"
#include "train/learning_resources.h"
#include "train/lexical_learner.h"
#include "train/lexicon_builder.h"
#include "train/tagset_builder.h"
#include "train/wordnet_words.h"

namespace quillon {
namespace {

constexpr int kDefaultLexicalRules = 200;
constexpr int kDefaultContextualRules = 300;
constexpr int kDefaultLexicalFolds = 5;

bool LoadLines(const std::string& path, std::vector<std::string>* lines) {
  Status status = ReadLines(path, lines);
  if (!status.ok()) Fail(status.message());
  return status.ok();
}

bool LoadWordLists(const TrainCommandOptions& o, std::vector<WordListEntry>* entries) {
  for (const std::string& path : o.wordlists) {
    Status status = ReadWordList(path, entries);
    if (!status.ok()) {
      Fail(status.message());
      return false;
    }
  }
  return true;
}

// The tag set the rules are written for: the file given, or the one `train tagset` would
// write for this corpus.
bool TagsetLines(const TrainCommandOptions& o, const Corpus& corpus,
                 std::vector<std::string>* lines) {
  if (!o.tagset.empty()) return LoadLines(o.tagset, lines);
  if (!o.data_dir.empty()) return LoadLines(DataPath(o.data_dir, kTagsetFile), lines);
  *lines = BuildTagsetLines(corpus);
  return true;
}

bool ShowProgress(const TrainCommandOptions& o) { return !o.quiet && ::isatty(STDERR_FILENO); }

LexiconBuildOptions LexiconOptions(const TrainCommandOptions& o) {
  LexiconBuildOptions options;
  options.min_tag_count = o.min_tag_count;
  options.wordlist_known_only = o.wordlist_known_only;
  options.wordlist_new_only = o.wordlist_new_only;
  options.wordlist_small_letters = o.wordlist_small_letters;
  options.lookup_forms = o.lookup_forms;
  return options;
}

int RunLexicon(const TrainCommandOptions& o) {
  Corpus corpus;
  std::vector<WordListEntry> wordlist;
  if (!LoadCorpus(o.format, o.corpora, o.skip_malformed, &corpus) || !LoadWordLists(o, &wordlist))
    return 1;
  LexiconStats stats;
  const std::vector<std::string> lines =
      BuildLexiconLines(corpus, wordlist, LexiconOptions(o), &stats);
  if (!Write(o.output, lines)) return 1;
  Say("corpus: " + std::to_string(corpus.sentences.size()) + " sentences, " +
      std::to_string(corpus.TokenCount()) + " tokens");
  Say("lexicon: " + std::to_string(stats.entries) + " words written to " + o.output);
  Say(Label("new words from word lists") + std::to_string(stats.wordlist_words));
  Say(Label("words given word-list tags") + std::to_string(stats.extended));
  Say(Label("entries cut to 10 tags") + std::to_string(stats.truncated));
  Say(Label("words sharing an order key") + std::to_string(stats.shared_key_words));
  Say(Label("words a lexicon line cannot hold") + std::to_string(stats.skipped_words));
  return 0;
}

// Word list entries as lines "word TAG...".
std::vector<std::string> WordListLines(const std::vector<WordListEntry>& entries) {
  std::vector<std::string> lines;
  lines.reserve(entries.size());
  for (const WordListEntry& entry : entries) {
    std::string line = entry.word;
    for (const std::string& tag : entry.tags) line += " " + tag;
    lines.push_back(std::move(line));
  }
  return lines;
}

int RunWordNet(const TrainCommandOptions& o) {
  WordNet wordnet;
  Status status = ReadWordNet(o.wordnet_dir, &wordnet);
  if (!status.ok()) {
    Fail(status.message());
    return 1;
  }
  const std::vector<WordListEntry> entries = WordNetWordList(wordnet);
  const std::vector<std::string> lines = WordListLines(entries);
  if (!Write(o.output, lines)) return 1;
  size_t lemmas = 0;
  for (const auto& by_pos : wordnet.lemmas) lemmas += by_pos.size();
  Say("WordNet: " + std::to_string(lemmas) + " lemmas read from " + o.wordnet_dir);
  Say("word list: " + std::to_string(lines.size()) + " words written to " + o.output);
  return 0;
}

int RunWordList(const TrainCommandOptions& o) {
  Corpus corpus;
  std::vector<WordListEntry> wordlist;
  std::vector<std::string> tagset, rules;
  if (!LoadCorpus(o.format, o.corpora, o.skip_malformed, &corpus) || !LoadWordLists(o, &wordlist) ||
      !TagsetLines(o, corpus, &tagset) || !LoadLines(o.lexical_rules, &rules)) {
    return 1;
  }
  GuessedOrderOptions options;
  options.groups = o.folds > 0 ? o.folds : options.groups;
  options.rare_count = o.rare_count;
  GuessedOrderStats stats;
  const std::vector<WordListEntry> entries =
      OrderByGuessedTags(corpus, wordlist, LexiconOptions(o), tagset, rules, options, &stats);
  const std::vector<std::string> lines = WordListLines(entries);
  if (!Write(o.output, lines)) return 1;
  Say("word list: " + std::to_string(stats.entries) + " words written to " + o.output);
  Say(Label("words the corpus lacks") + std::to_string(stats.list_only));
  Say(Label("guessed by the lexical rules") + std::to_string(stats.guessed));
  Say(Label("guessed tag moved first") + std::to_string(stats.moved_first));
  Say(Label("guess added as second tag") + std::to_string(stats.added));
  Say(Label("rare corpus words given the guess") + std::to_string(stats.rare));
  return 0;
}

int RunTagset(const TrainCommandOptions& o) {
  Corpus corpus;
  if (!LoadCorpus(o.format, o.corpora, o.skip_malformed, &corpus)) return 1;
  const std::vector<std::string> lines = BuildTagsetLines(corpus);
  if (!Write(o.output, lines)) return 1;
  Say("tag set: " + std::to_string(lines.size()) + " tags written to " + o.output);
  return 0;
}

int RunLexical(const TrainCommandOptions& o) {
  Corpus corpus;
  std::vector<WordListEntry> wordlist;
  std::vector<std::string> tagset;
  if (!LoadCorpus(o.format, o.corpora, o.skip_malformed, &corpus) || !LoadWordLists(o, &wordlist) ||
      !TagsetLines(o, corpus, &tagset)) {
    return 1;
  }
  if (o.lookup_forms) UseLookupForms(&corpus);
  const std::vector<LexicalFold> folds =
      MakeLexicalFolds(corpus, o.folds > 0 ? o.folds : kDefaultLexicalFolds, o.holdout, o.seed,
                       wordlist, LexiconOptions(o));
  if (!o.heldout_lexicon_out.empty() && !Write(o.heldout_lexicon_out, folds[0].lexicon)) return 1;

  LexicalLearnOptions options;
  options.max_rules = o.max_rules > 0 ? o.max_rules : kDefaultLexicalRules;
  options.min_score = o.min_score;
  options.max_plain_rules = o.max_plain_rules;
  options.max_affix = o.max_affix;
  options.once_per_word = o.once_per_word;
  options.lookup_forms = o.lookup_forms;
  LexicalLearnResult r;
  Status status;
  {
    ProgressLine progress(ShowProgress(o));
    status = LearnLexicalRules(tagset, folds, options, progress.Callback(), &r);
  }
  if (!status.ok()) {
    Fail(status.message());
    return 1;
  }
  if (!Write(o.output, r.lines)) return 1;

  // The tagger, with each fold's lexicon and the rules written, on that fold's words.
  size_t tagged_unknown = 0;
  size_t tagged_correct = 0;
  TagUnknownWords(tagset, folds, r.lines, options, &tagged_unknown, &tagged_correct);

  Say("corpus: " + std::to_string(corpus.sentences.size()) + " sentences, " +
      std::to_string(corpus.TokenCount()) + " tokens");
  if (folds.size() == 1) {
    Say("held out of the lexicon: " + std::to_string(folds[0].held.sentences.size()) +
        " sentences (seed " + std::to_string(o.seed) + ")");
  } else {
    Say(std::to_string(folds.size()) + " folds (seed " + std::to_string(o.seed) +
        "), each held out of a lexicon of the others");
  }
  Say("unknown words in the held-out sentences: " + std::to_string(r.tokens) + " tokens");
  Say(Label("right with start tags") + FormatAccuracy(r.start_correct, r.tokens));
  Say(Label("f-form rules only") + FormatAccuracy(r.fform_only_correct, r.tokens));
  if (options.max_plain_rules > 0) {
    Say(Label("plain rules first") + FormatAccuracy(r.with_plain_correct, r.tokens));
  }
  Say("rules: " + std::to_string(r.lines.size()) + " (" + std::to_string(r.plain_rules) +
      " plain, " + std::to_string(r.fform_rules) + " f-form) written to " + o.output);
  Say(Label("predicted by the learner") + FormatAccuracy(r.predicted_correct, r.tokens));
  Say(Label("tagged by the tagger") + FormatAccuracy(tagged_correct, tagged_unknown));
  if (tagged_unknown != r.tokens || tagged_correct != r.predicted_correct) {
    Fail("internal error: the tagger does not reproduce the learner's prediction");
    return 1;
  }
  return 0;
}

// The lexicon, tag set and lexical rules the contextual rules will run with.
bool ContextualBase(const TrainCommandOptions& o, const Corpus& corpus, ResourceLines* base) {
  std::string lexicon = o.lexicon;
  if (lexicon.empty() && !o.data_dir.empty()) lexicon = DataPath(o.data_dir, kLexiconFiles[0]);
  if (lexicon.empty()) {
    Fail("quillon train contextual: give --lexicon FILE or --data DIR");
    return false;
  }
  std::string lexical = o.lexical_rules;
  if (lexical.empty() && !o.data_dir.empty()) lexical = DataPath(o.data_dir, kLexicalRuleFile);
  return LoadLines(lexicon, &base->lexicon) && TagsetLines(o, corpus, &base->tagset) &&
         (lexical.empty() || LoadLines(lexical, &base->lexical));
}

int RunContextual(const TrainCommandOptions& o) {
  Corpus corpus;
  ResourceLines base;
  if (!LoadCorpus(o.format, o.corpora, o.skip_malformed, &corpus) ||
      !ContextualBase(o, corpus, &base))
    return 1;
  Corpus learn, held;
  if (!o.heldout_files.empty()) {
    if (!LoadCorpus(o.format, o.heldout_files, o.skip_malformed, &held)) return 1;
    learn = std::move(corpus);
  } else if (o.no_prune) {
    learn = std::move(corpus);
  } else {
    SplitCorpus(corpus, o.heldout_fraction, o.seed, &learn, &held);
  }
  if (o.lookup_forms) {
    UseLookupForms(&learn);
    UseLookupForms(&held);
  }
  ContextualLearnOptions options;
  options.max_rules = o.max_rules > 0 ? o.max_rules : kDefaultContextualRules;
  options.min_score = o.min_score;
  options.licence = !o.no_licence;
  options.folds = o.folds;
  options.seed = o.seed;
  options.lexicon = LexiconOptions(o);
  if (!LoadWordLists(o, &options.wordlist)) return 1;
  ContextualLearnResult r;
  PruneResult pruned;
  const bool prune = !o.no_prune && !held.sentences.empty();
  {
    ProgressLine progress(ShowProgress(o));
    Status status = LearnContextualRules(base, learn, options, progress.Callback(), &r);
    if (!status.ok()) {
      progress.Clear();
      Fail(status.message());
      return 1;
    }
    if (prune)
      pruned = PruneContextualRules(base, r.lines, held, o.lookup_forms, progress.Callback());
  }
  const std::vector<std::string>& lines = prune ? pruned.lines : r.lines;
  if (!Write(o.output, lines)) return 1;

  Say("learning corpus: " + std::to_string(learn.sentences.size()) + " sentences, " +
      std::to_string(r.tokens) + " tokens" + (options.licence ? "" : " (no lexicon licence)"));
  Say(Label("right after start tagging") + FormatAccuracy(r.start_correct, r.tokens));
  Say(Label("after " + std::to_string(r.lines.size()) + " rules, one by one") +
      FormatAccuracy(r.learned_correct, r.tokens));
  if (prune) {
    Say("held-out corpus, tagged by the tagger: " + std::to_string(pruned.tokens) + " tokens");
    Say(Label("without contextual rules") + FormatAccuracy(pruned.no_rules_correct, pruned.tokens));
    Say(Label("with all " + std::to_string(r.lines.size()) + " rules") +
        FormatAccuracy(pruned.all_rules_correct, pruned.tokens));
    Say(Label("with the " + std::to_string(pruned.lines.size()) + " rules kept") +
        FormatAccuracy(pruned.kept_rules_correct, pruned.tokens));
  }
  Say("rules: " + std::to_string(lines.size()) + " written to " + o.output);
  return 0;
}

void AddCorpusOptions(CLI::App* sub, TrainCommandOptions* o) {
  sub->add_option("corpus", o->corpora, "Tagged corpus files (CoNLL-U or word_TAG lines)")
      ->required();
  sub->add_option("-f,--format", o->format, "Corpus format: auto, conllu, wordtag or masc")
      ->default_str("auto");
  sub->add_option("-o,--output", o->output, "File to write")->required();
  sub->add_flag("-q,--quiet", o->quiet, "No progress line");
  sub->add_flag("--skip-malformed", o->skip_malformed,
                "Leave out sentences with a malformed line instead of stopping");
}

void AddLexiconOptions(CLI::App* sub, TrainCommandOptions* o) {
  sub->add_option("--wordlist", o->wordlists,
                  "Extra entries (lines \"word TAG...\"), added after the corpus tags");
  sub->add_flag("--wordlist-new-only", o->wordlist_new_only,
                "Word lists only add words the corpus lacks, no tags to corpus words");
  sub->add_flag("--wordlist-known-only", o->wordlist_known_only,
                "Word lists only add tags to words of the corpus");
  sub->add_flag("--wordlist-small-letters", o->wordlist_small_letters,
                "Word lists add no capitalised word the corpus lacks when it holds the word in "
                "small letters");
  sub->add_option("--min-tag-count", o->min_tag_count,
                  "Leave out a word's tag seen fewer times (its first tag always stays)")
      ->check(CLI::PositiveNumber)
      ->default_str("1");
  sub->add_flag("--lookup-forms", o->lookup_forms,
                "Read the words as the default lookup does (\u2019s as 's): a lexicon holds both "
                "spellings, the rule learners see the lookup forms only");
}

void AddLearnOptions(CLI::App* sub, TrainCommandOptions* o, int default_rules) {
  sub->add_option("--seed", o->seed, "Seed of the held-out split and of the folds")
      ->default_str("1");
  sub->add_option("--max-rules", o->max_rules, "Most rules to learn")
      ->check(CLI::PositiveNumber)
      ->default_str(std::to_string(default_rules));
  sub->add_option("--min-score", o->min_score, "Least score (fixed minus broken) of a rule")
      ->check(CLI::PositiveNumber)
      ->default_str("2");
  sub->add_option("--tagset", o->tagset,
                  "Tag set file the rules are for (default: the one `train tagset` writes)");
}

}  // namespace

CLI::App* AddTrainCommand(CLI::App* app, TrainCommandOptions* o) {
  CLI::App* train = app->add_subcommand("train", "Build resource files from tagged corpora");
  train->require_subcommand(1);

  CLI::App* lexicon = train->add_subcommand("lexicon", "Write a plain-form lexicon");
  AddCorpusOptions(lexicon, o);
  AddLexiconOptions(lexicon, o);
  lexicon->callback([o] { o->command = "lexicon"; });

  CLI::App* tagset = train->add_subcommand("tagset", "Write the tag set file");
  AddCorpusOptions(tagset, o);
  tagset->callback([o] { o->command = "tagset"; });

  CLI::App* wordnet =
      train->add_subcommand("wordnet", "Write a word list of WordNet lemmas and their forms");
  wordnet->add_option("dir", o->wordnet_dir, "WordNet database folder")
      ->default_str(o->wordnet_dir);
  wordnet->add_option("-o,--output", o->output, "File to write")->required();
  wordnet->callback([o] { o->command = "wordnet"; });

  CLI::App* wordlist = train->add_subcommand(
      "wordlist",
      "Join word lists into one, the tags of the words the corpus lacks ordered by what the "
      "lexical rules guess for them");
  AddCorpusOptions(wordlist, o);
  AddLexiconOptions(wordlist, o);
  wordlist->add_option("--lexical-rules", o->lexical_rules, "Lexical rule file")->required();
  wordlist->add_option("--tagset", o->tagset,
                       "Tag set file of the rules (default: the one `train tagset` writes)");
  wordlist
      ->add_option("--folds", o->folds,
                   "Guess the words in this many groups, each left out of the lexicon in turn")
      ->check(CLI::Range(1, 100))
      ->default_str("5");
  wordlist
      ->add_option("--rare-count", o->rare_count,
                   "A listed corpus word seen at most this often, with one tag, gets the guess "
                   "after its listed tags (0: none)")
      ->check(CLI::NonNegativeNumber)
      ->default_str("2");
  wordlist->callback([o] { o->command = "wordlist"; });

  CLI::App* lexical = train->add_subcommand("lexical", "Learn unknown-word lexical rules");
  AddCorpusOptions(lexical, o);
  AddLexiconOptions(lexical, o);
  AddLearnOptions(lexical, o, kDefaultLexicalRules);
  lexical
      ->add_option("--folds", o->folds,
                   "Deal the corpus into this many folds, each held out of a lexicon of the "
                   "others; 1: hold out one share only (--holdout)")
      ->check(CLI::Range(1, 100))
      ->default_str(std::to_string(kDefaultLexicalFolds));
  lexical
      ->add_option("--holdout", o->holdout,
                   "With --folds 1: share of sentences kept out of the lexicon")
      ->check(CLI::Range(0.0, 1.0))
      ->default_str("0.5");
  lexical
      ->add_option("--max-plain-rules", o->max_plain_rules,
                   "Plain rules to try before the f-form rules (0: none)")
      ->check(CLI::NonNegativeNumber)
      ->default_str("30");
  lexical->add_flag("--once-per-word", o->once_per_word,
                    "Count each unknown word once per fold with each tag (its first token)");
  lexical
      ->add_option("--max-affix", o->max_affix, "Longest prefix or suffix a rule names, in bytes")
      ->check(CLI::Range(1, 9))
      ->default_str("4");
  lexical->add_option("--heldout-lexicon-out", o->heldout_lexicon_out,
                      "Also write the lexicon built without the first held-out part");
  lexical->callback([o] { o->command = "lexical"; });

  CLI::App* contextual = train->add_subcommand("contextual", "Learn contextual rules");
  AddCorpusOptions(contextual, o);
  AddLearnOptions(contextual, o, kDefaultContextualRules);
  contextual->add_option("-d,--data", o->data_dir,
                         "Resource folder with the lexicon, lexical rules and tag set");
  contextual->add_option("--lexicon", o->lexicon, "Lexicon file (plain or prepared form)");
  contextual->add_option("--lexical-rules", o->lexical_rules, "Lexical rule file");
  contextual->add_option("--heldout", o->heldout_files,
                         "Tagged files for pruning (default: a share of the corpus)");
  contextual
      ->add_option("--heldout-fraction", o->heldout_fraction,
                   "Share of sentences held out for pruning when no --heldout is given")
      ->check(CLI::Range(0.0, 1.0))
      ->default_str("0.1");
  contextual
      ->add_option("--folds", o->folds,
                   "Start-tag each of this many folds with a lexicon of the others "
                   "(default: the lexicon given, for the whole corpus)")
      ->check(CLI::Range(2, 100));
  AddLexiconOptions(contextual, o);
  contextual->add_flag("--no-licence", o->no_licence,
                       "Count changes the lexicon licence refuses, too (for a NOLEX file)");
  contextual->add_flag("--no-prune", o->no_prune, "Keep every learned rule");
  contextual->callback([o] { o->command = "contextual"; });
  return train;
}

int RunTrainCommand(const TrainCommandOptions& o) {
  if (o.command == "lexicon") return RunLexicon(o);
  if (o.command == "tagset") return RunTagset(o);
  if (o.command == "wordnet") return RunWordNet(o);
  if (o.command == "wordlist") return RunWordList(o);
  if (o.command == "lexical") return RunLexical(o);
  if (o.command == "contextual") return RunContextual(o);
  return 2;
}

}  // namespace quillon
