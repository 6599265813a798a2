// The run's steps and exit paths. Tested by tagging_run_test.cc.
#include "core/tagging_run.h"

#include <chrono>
#include <cstdio>

#include "core/line_reader.h"
#include "core/messages.h"
#include "core/output_file.h"
#include "core/sentence_splitter.h"
#include "core/tagger.h"

namespace quillon {
namespace {

using Clock = std::chrono::steady_clock;

class NullObserver : public RunObserver {};

// Tags the sentences of one file into its output bytes, lines ended by CR LF.
void TagSentences(const std::vector<std::string>& sentences, Tagger* tagger, RunObserver* observer,
                  std::string* out) {
  const int count = static_cast<int>(sentences.size());
  observer->ProgressShown(Indicator::kSentenceBar, (count - 1) / 10);
  for (int i = 0; i < count; ++i) {
    if (i % 10 == 0) observer->ProgressStep(Indicator::kSentenceBar);
    tagger->TagSentence(sentences[i], out);
    out->append("\r\n");
  }
  observer->ProgressReset(Indicator::kSentenceBar);
}

// Writes one output file; reports a failure with its message. Returns whether it worked.
bool WriteOutput(const RunSettings& settings, const std::string& path, const std::string& bytes,
                 RunObserver* observer) {
  if (settings.RadioGroup1 == 0) MakeFolder(FolderOf(path));
  // A chosen destination that names no folder is not the working directory.
  const bool no_destination = settings.RadioGroup1 != 0 && settings.destination_folder.empty();
  if (!no_destination && WriteFileAtomically(path, bytes).ok()) return true;
  observer->Message(settings.RadioGroup1 == 0 ? messages::kCannotCreateDirectory
                                              : messages::kDirectoryNotFound);
  return false;
}

}  // namespace

std::string FormatSeconds(double seconds) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", seconds);
  return buffer;
}

bool TextToSentences(const RunSettings& settings, std::vector<std::string> lines,
                     RunObserver* observer, std::vector<std::string>* sentences,
                     std::string* error) {
  return SplitSentences(settings.Splitter, std::move(lines), observer, sentences, error);
}

RunResult TaggingRun(const RunSettings& settings, const std::vector<std::string>& inputs,
                     const std::string& data_dir, TaggerState* state, RunObserver* observer) {
  NullObserver null_observer;
  if (observer == nullptr) observer = &null_observer;
  RunResult result;
  observer->ClearPreviews();
  if (inputs.empty()) {
    observer->Message(messages::kNoInputFiles);
    result.ended_early = true;
    return result;
  }
  observer->StatusText(1, messages::kStatusProcessing);
  const Clock::time_point start = Clock::now();
  observer->ShowResultPage();

  state->resources = std::make_unique<Resources>();
  LoadFailure failure;
  if (!LoadResources(settings, data_dir, observer, state->resources.get(), &failure)) {
    failure.is_message ? observer->Message(failure.text) : observer->ErrorReport(failure.text);
    result.ended_early = true;
    return result;
  }
  Tagger tagger(state->resources.get(), OptionsFromSettings(settings));
  OutputPathRegistry registry;

  for (size_t f = 0; f < inputs.size(); ++f) {
    const std::string& input = inputs[f];
    observer->FileStarted(f, inputs.size(), input);
    std::vector<std::string> lines;
    Status read = ReadLines(input, &lines);
    if (!read.ok()) {
      observer->ErrorReport(read.message());
      result.ended_early = true;
      return result;
    }
    std::vector<std::string> sentences;
    std::string error;
    if (!TextToSentences(settings, std::move(lines), observer, &sentences, &error)) {
      observer->ErrorReport(error);
      result.ended_early = true;
      return result;
    }
    std::string out;
    TagSentences(sentences, &tagger, observer, &out);

    const std::string wanted = JoinPath(OutputFolder(settings, input), OutputFileName(input));
    const std::string path = registry.Claim(wanted);
    if (path != wanted) {
      observer->Warning("Another input of this run also maps to " + wanted + "; writing " + path +
                        " instead.");
    }
    const bool written = WriteOutput(settings, path, out, observer);
    result.all_written = result.all_written && written;
    result.outputs.push_back(path);
    observer->OutputAdded(path, written);
    observer->ProgressHidden(Indicator::kLexiconBar);
    observer->StatusText(3, "");
  }

  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const double shown = static_cast<double>(static_cast<long long>(seconds * 1000)) / 1000;
  observer->StatusText(
      1, std::string(messages::kElapsedPrefix) + FormatSeconds(shown) + messages::kElapsedSuffix);
  observer->Finished(shown);
  return result;
}

}  // namespace quillon
