// The tag subcommand. Files go through the core's tagging run; standard input goes through
// the same tagging loop (core/tag_stream.h) and is written to standard output.
#include "cli/tag_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>

#include "cli/stderr_observer.h"
#include "cli/text_options.h"
#include "core/data_dir.h"
#include "core/line_stream.h"
#include "core/messages.h"
#include "core/tag_stream.h"
#include "core/tagger.h"
#include "core/tagger_pool.h"
#include "core/tagging_run.h"

namespace quillon {
namespace {

// Standard input shows no progress, since its length is not known: only what the run
// says (messages, warnings) reaches the user.
class MessagesOnly : public RunObserver {
 public:
  explicit MessagesOnly(RunObserver* to) : to_(to) {}
  void Message(std::string_view text) override { to_->Message(text); }
  void ErrorReport(std::string_view text) override { to_->ErrorReport(text); }
  void Warning(std::string_view text) override { to_->Warning(text); }

 private:
  RunObserver* to_;
};

// Standard input is streamed like a file and written to standard output with LF line
// ends: with the splitter off each line is tagged and written as soon as it is read;
// with the splitter on the joined text is held once.
int TagStandardInput(const RunSettings& settings, const std::string& data_dir,
                     StderrObserver* observer) {
  Resources resources;
  LoadFailure failure;
  if (!LoadResources(settings, data_dir, observer, &resources, &failure)) {
    failure.is_message ? observer->Message(failure.text) : observer->ErrorReport(failure.text);
    return 1;
  }
  Tagger tagger(&resources, OptionsFromSettings(settings));
  std::unique_ptr<TaggerPool> pool;
  if (settings.threads > 1 && FormatsTaggedOnThreads(settings)) {
    pool = std::make_unique<TaggerPool>(&resources, tagger, settings.threads);
  }
  LineStream input(STDIN_FILENO, false, "standard input", LineStream::kDefaultBlock,
                   settings.encoding);
  DescriptorSink sink(STDOUT_FILENO);
  MessagesOnly messages(observer);
  const InputOutcome outcome = TagInput(settings, {&input, "standard input"}, &tagger,
                                        {&sink, /*crlf=*/false}, &messages, pool.get());
  if (outcome.end == StreamEnd::kInputFailed) {
    // A splitter failure has a text of its own; a read failure is said plainly.
    observer->ErrorReport(input.status().ok() ? outcome.error : "Cannot read standard input.");
    return 1;
  }
  if (const std::string note = InputCutNote(input, "standard input"); !note.empty()) {
    observer->Warning(note);
  }
  if (outcome.end == StreamEnd::kWriteFailed) {
    observer->ErrorReport("Cannot write standard output.");
    return 1;
  }
  return 0;
}

}  // namespace

CLI::App* AddTagCommand(CLI::App* app, TagCommandOptions* o) {
  CLI::App* tag = app->add_subcommand("tag", "Tag text files (or standard input) with POS tags");
  tag->add_option("-d,--data", o->data_dir,
                  "Resource folder (default: Q_data beside the executable)");
  tag->add_option("-l,--lexicon", o->lexicon,
                  "0 LEXICON.BROWN.AND.WSJ, 1 LEXICON.WSJ, 2 LEXICON.BROWN")
      ->check(CLI::Range(0, 2))
      ->default_str("0");
  tag->add_option("-c,--contextual", o->contextual,
                  "0 CONTEXTUALRULEFILE.WSJ, 1 ...BROWN, 2 ...WSJ.NOLEX")
      ->check(CLI::Range(0, 2))
      ->default_str("0");
  tag->add_option("-s,--separator", o->separator, "Between word and tag: _ or /")
      ->check(CLI::IsMember({"_", "/"}))
      ->default_str("_");
  tag->add_flag("--split", o->split, "Split the text into sentences first");
  AddTokenizerOption(tag, &o->tokenizer);
  tag->add_flag("--no-tokenize", o->no_tokenize, "The same as --tokenizer spaces");
  tag->add_flag("--lemma", o->lemma, "Append lemmas");
  tag->add_flag("--multiword", o->multiword,
                "Append multi-word marks (takes precedence over --lemma)");
  tag->add_option("--encoding", o->encoding,
                  "Read text as utf-8, windows-1252 or latin-1 (default: bytes as they are; "
                  "UTF-16 with a byte order mark is read anyway)")
      ->check(CLI::IsMember({"utf-8", "windows-1252", "latin-1"}, CLI::ignore_case));
  tag->add_option("--format", o->format,
                  "Output format: text (word_TAG lines), tsv (word TAB tag, a token a line), "
                  "conllu (CoNLL-U), json (JSON Lines, a sentence a line), xml (default: text; "
                  "tsv for --input vertical, conllu for --input conllu)")
      ->check(CLI::IsMember({"text", "tsv", "conllu", "json", "xml"}));
  tag->add_option("--input", o->input,
                  "Input format: text (running text, default), vertical (a token a line, blank "
                  "lines between sentences), conllu (CoNLL-U: FORM is tagged, all else kept)")
      ->check(CLI::IsMember({"text", "vertical", "conllu"}));
  tag->add_option("--user-lexicon", o->user_lexicon,
                  "Lines \"word TAB tag [tag ...]\" (most likely tag first) that take "
                  "precedence over the lexicon")
      ->check(CLI::ExistingFile);
  tag->add_option("-o,--output-dir", o->output_dir,
                  "Write outputs into DIR (default: Tagged/ beside each input)");
  tag->add_flag("-q,--quiet", o->quiet, "No progress output");
  tag->add_option("-j,--jobs", o->jobs,
                  "Threads that tag (default: the cores this process may use); the output is "
                  "the same for every count")
      ->check(CLI::Range(1, 1024));
  tag->add_option("files", o->files, "Text files to tag; none or - for standard input");
  return tag;
}

RunSettings SettingsFromOptions(const TagCommandOptions& o) {
  RunSettings settings;
  settings.RadioGroup4 = o.lexicon;
  settings.RadioGroup3 = o.contextual;
  settings.Separator = o.separator == "/" ? 1 : 0;
  settings.Splitter = o.split ? 1 : 0;
  ApplyTokenizer(o.no_tokenize         ? "spaces"
                 : o.tokenizer.empty() ? "modern"
                                       : o.tokenizer,
                 &settings);
  settings.Lemma = o.lemma ? 1 : 0;
  settings.RadioGroup5 = o.multiword ? 0 : 1;
  settings.RadioGroup1 = o.output_dir.empty() ? 0 : 1;
  settings.destination_folder = o.output_dir;
  if (!o.encoding.empty()) ParseTextEncoding(o.encoding, &settings.encoding);
  settings.input_format = ParseInputFormat(o.input).value_or(InputFormat::kText);
  settings.output_format =
      ParseOutputFormat(o.format).value_or(DefaultOutputFormat(settings.input_format));
  settings.user_lexicon = o.user_lexicon;
  settings.threads = o.jobs > 0 ? o.jobs : AvailableCores();
  return settings;
}

int RunTagCommand(const TagCommandOptions& o) {
  if (o.no_tokenize && !o.tokenizer.empty() && o.tokenizer != "spaces") {
    std::fprintf(stderr, "quillon tag: --no-tokenize is --tokenizer spaces, not %s\n",
                 o.tokenizer.c_str());
    return 2;
  }
  if (o.split && !o.input.empty() && o.input != "text") {
    std::fprintf(stderr, "quillon tag: --split cuts running text; --input %s is cut already\n",
                 o.input.c_str());
    return 2;
  }
  const RunSettings settings = SettingsFromOptions(o);
  const std::string data_dir = o.data_dir.empty() ? DefaultDataDir() : o.data_dir;
  const bool show_progress = !o.quiet && ::isatty(STDERR_FILENO);
  StderrObserver observer(show_progress);
  if (Status found = CheckDataDir(data_dir); !o.data_dir.empty() && !found.ok()) {
    observer.ErrorReport(found.message());
    return 1;
  }

  const bool has_stdin = std::find(o.files.begin(), o.files.end(), "-") != o.files.end();
  if (o.files.empty() || (has_stdin && o.files.size() == 1)) {
    return TagStandardInput(settings, data_dir, &observer);
  }
  if (has_stdin) {
    std::fprintf(stderr, "quillon tag: standard input (-) cannot be mixed with files\n");
    return 2;
  }
  TaggerState state;
  const RunResult result = TaggingRun(settings, o.files, data_dir, &state, &observer);
  if (result.input_failed) {
    // The failed input and the ones after it were skipped; say so, or they pass unnoticed.
    const size_t left = o.files.size() - result.outputs.size();
    observer.Warning(std::to_string(left) + " of " + std::to_string(o.files.size()) + " file" +
                     (o.files.size() == 1 ? " was" : "s were") + " not tagged.");
  }
  return result.ended_early || !result.all_written ? 1 : 0;
}

}  // namespace quillon
