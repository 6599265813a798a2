// The eval subcommand: the resources are loaded by the run's own loader, so a missing file
// gives the message `quillon tag` would give, and the tokens are tagged by the same tagger.
#include "cli/eval_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/stderr_observer.h"
#include "cli/text_options.h"
#include "cli/train_io.h"
#include "core/data_dir.h"
#include "core/resources.h"
#include "core/tagger.h"
#include "train/corpus.h"
#include "train/evaluation.h"
#include "train/lemma_evaluation.h"
#include "train/raw_evaluation.h"

namespace quillon {

CLI::App* AddEvalCommand(CLI::App* app, EvalCommandOptions* o) {
  CLI::App* eval = app->add_subcommand("eval", "Measure tagging accuracy on tagged corpora");
  eval->add_option("-d,--data", o->data_dir,
                   "Resource folder (default: Q_data beside the executable)");
  eval->add_option("-l,--lexicon", o->lexicon,
                   "0 LEXICON.BROWN.AND.WSJ, 1 LEXICON.WSJ, 2 LEXICON.BROWN")
      ->check(CLI::Range(0, 2))
      ->default_str("0");
  eval->add_option("-c,--contextual", o->contextual,
                   "0 CONTEXTUALRULEFILE.WSJ, 1 ...BROWN, 2 ...WSJ.NOLEX")
      ->check(CLI::Range(0, 2))
      ->default_str("0");
  eval->add_option("-f,--format", o->format, "Corpus format: auto, conllu, wordtag or masc")
      ->default_str("auto");
  eval->add_flag("--detail", o->detail, "Also print precision and recall per tag");
  eval->add_flag("--lemma", o->lemma,
                 "Also score the lemma list (e_lemma.txt) against the LEMMA column, "
                 "punctuation left out");
  eval->add_flag("--skip-malformed", o->skip_malformed,
                 "Leave out sentences with a malformed line instead of stopping");
  eval->add_option("--seen", o->seen_files,
                   "Training corpus: also score the tokens whose word it never held");
  eval->add_flag("--raw", o->raw,
                 "Cut and tag the raw text of each sentence (its \"# text\" line) and score "
                 "tokens and tags by their spans, CoNLL 2018 style");
  AddTokenizerOption(eval, &o->tokenizer);
  eval->add_option("--system", o->system_file,
                   "With --raw: score this CoNLL-U output of another system instead");
  eval->add_option("files", o->files, "Tagged corpus files (CoNLL-U or word_TAG lines)")
      ->required();
  return eval;
}

namespace {

// Scores another system's CoNLL-U output of the gold texts.
int ScoreSystemOutput(const Corpus& gold, const std::string& path, CorpusFormat format) {
  Corpus system;
  Status status = ReadCorpus(path, format, &system);
  RawScore score;
  if (status.ok()) status = EvaluateSystemOutput(gold, system, &score);
  if (!status.ok()) {
    Fail(status.message());
    return 1;
  }
  const std::string report = FormatRawReport(score);
  std::fwrite(report.data(), 1, report.size(), stdout);
  return 0;
}

}  // namespace

int RunEvalCommand(const EvalCommandOptions& o) {
  CorpusFormat format;
  if (!ParseCorpusFormat(o.format, &format)) {
    std::fprintf(stderr, "quillon eval: unknown corpus format \"%s\"\n", o.format.c_str());
    return 2;
  }
  Corpus corpus;
  SkippedSentences skipped;
  Status status = ReadCorpora(o.files, format, &corpus, o.skip_malformed ? &skipped : nullptr);
  if (!status.ok()) {
    Fail(status.message());
    return 1;
  }
  if (skipped.count > 0) Fail(SkippedNote(skipped));
  Corpus seen_corpus;
  if (!o.seen_files.empty()) {
    status = ReadCorpora(o.seen_files, format, &seen_corpus, o.skip_malformed ? &skipped : nullptr);
    if (!status.ok()) {
      Fail(status.message());
      return 1;
    }
  }
  if (!o.system_file.empty()) {
    if (!o.raw) {
      std::fprintf(stderr, "quillon eval: --system needs --raw\n");
      return 2;
    }
    return ScoreSystemOutput(corpus, o.system_file, format);
  }
  const std::set<std::string, std::less<>> seen = CorpusWords(seen_corpus);
  RunSettings settings;
  settings.RadioGroup4 = o.lexicon;
  settings.RadioGroup3 = o.contextual;
  settings.Lemma = o.lemma ? 1 : 0;
  ApplyTokenizer(o.tokenizer, &settings);
  StderrObserver observer(false);
  Resources resources;
  LoadFailure failure;
  const std::string data_dir = o.data_dir.empty() ? DefaultDataDir() : o.data_dir;
  if (Status found = CheckDataDir(data_dir); !o.data_dir.empty() && !found.ok()) {
    Fail(found.message());
    return 1;
  }
  if (!LoadResources(settings, data_dir, nullptr, &resources, &failure)) {
    failure.is_message ? observer.Message(failure.text) : observer.ErrorReport(failure.text);
    return 1;
  }
  Tagger tagger(&resources, OptionsFromSettings(settings));
  if (o.raw) {
    const std::string report = FormatRawReport(EvaluateRaw(&tagger, corpus));
    std::fwrite(report.data(), 1, report.size(), stdout);
    return 0;
  }
  const EvalResult result = Evaluate(&tagger, corpus, o.seen_files.empty() ? nullptr : &seen);
  const std::string report = FormatEvalReport(result, o.detail);
  std::fwrite(report.data(), 1, report.size(), stdout);
  if (o.lemma) {
    const std::string lemmas = FormatLemmaReport(EvaluateLemmas(resources.lemmas, corpus));
    std::fwrite(lemmas.data(), 1, lemmas.size(), stdout);
  }
  return 0;
}

}  // namespace quillon
