// The run's steps and exit paths. Tested by tagging_run_test.cc.
#include "core/tagging_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

#include "core/line_stream.h"
#include "core/messages.h"
#include "core/output_file.h"
#include "core/read_ahead.h"
#include "core/tag_stream.h"
#include "core/tagger.h"
#include "core/tagger_pool.h"

namespace quillon {
namespace {

using Clock = std::chrono::steady_clock;

class NullObserver : public RunObserver {};

// Opens the output file of one input; fails when it cannot take a new file.
Status OpenOutput(const RunSettings& settings, const std::string& path, OutputFile* file) {
  Status made;
  if (settings.RadioGroup1 == 0) made = MakeFolder(FolderOf(path));
  // A chosen destination that names no folder is not the working directory.
  if (settings.RadioGroup1 != 0 && settings.destination_folder.empty()) {
    return Status::Error("no output folder is chosen");
  }
  Status opened = file->Open(path);
  // Without its folder the file cannot be made: the folder's reason says more.
  if (!opened.ok() && !made.ok()) {
    return Status::Error("cannot create the folder: " + made.message());
  }
  return opened;
}

// The number of lines of input and of its runs of non-blank lines (the sentences of a
// file cut into tokens), after which input is rewound; none for input read only once.
// False with *error on a read error.
bool CountLines(LineStream* input, std::optional<size_t>* count, std::optional<size_t>* blocks,
                std::string* error) {
  if (!input->can_rewind()) return true;
  size_t lines = 0, runs = 0;
  bool blank = true;
  for (std::string_view line; input->Next(&line);) {
    ++lines;
    if (blank && !line.empty()) ++runs;
    blank = line.empty();
  }
  *count = lines;
  *blocks = runs;
  if (input->status().ok()) input->Rewind();
  *error = input->status().message();
  return input->status().ok();
}

// Opens an input and counts its lines and runs of lines; false with *error when either
// fails. With a reader (a run on several threads, without the splitter) the input's first
// blocks go to the workers while its lines are counted on a second descriptor, so that
// counting a large file does not keep them waiting; an input that cannot be read twice (a
// pipe) or opened a second time is counted on its own descriptor, as with one thread.
bool OpenCounted(const RunSettings& settings, const std::string& input_path,
                 std::unique_ptr<LineStream>* input, std::optional<size_t>* line_count,
                 std::optional<size_t>* blocks, std::string* error, ReadAhead* reader = nullptr) {
  if (Status status = OpenInput(input_path, input, settings.encoding); !status.ok()) {
    *error = status.message();
    return false;
  }
  std::unique_ptr<LineStream> counted;
  if (reader == nullptr || !(*input)->can_rewind() ||
      !OpenInput(input_path, &counted, settings.encoding).ok()) {
    return CountLines(input->get(), line_count, blocks, error);
  }
  reader->Prime(input->get());
  return CountLines(counted.get(), line_count, blocks, error);
}

// What became of one input file.
enum class FileResult { kWritten, kNotWritten, kRunEnds, kStopped };

// Reads, splits, tags and writes one input file into the output file at path (already
// claimed). The output replaces an older file only when every sentence is written, so a
// run that ends inside the file leaves no output for it. Reports failures that end the run;
// the system's reason for an output not written goes to *write_error. With a reader
// (several threads), the input may have been opened and read ahead.
FileResult TagFile(const RunSettings& settings, size_t index, const std::string& input_path,
                   const std::string& path, Tagger* tagger, ReadAhead* reader,
                   RunObserver* observer, std::string* write_error) {
  std::unique_ptr<LineStream> opened;
  std::optional<size_t> line_count, blocks;
  LineStream* input = reader != nullptr ? reader->Turn(index, &line_count) : nullptr;
  if (input == nullptr) {
    // The splitter reads the whole input before its first sentence: nothing to prime.
    ReadAhead* const prime = settings.Splitter != 1 ? reader : nullptr;
    if (std::string error;
        !OpenCounted(settings, input_path, &opened, &line_count, &blocks, &error, prime)) {
      observer->ErrorReport(error);
      return FileResult::kRunEnds;
    }
    input = opened.get();
  }
  OutputFile file;
  const Status open_status = OpenOutput(settings, path, &file);
  if (!open_status.ok()) {
    *write_error = open_status.message();
    return FileResult::kNotWritten;
  }
  FileSink sink(&file);
  const InputOutcome tagged = TagInput(settings, {input, input_path, line_count, blocks}, tagger,
                                       {&sink, /*crlf=*/true}, observer, nullptr, reader);
  // A stopped file is abandoned: the OutputFile removes its temporary file.
  switch (tagged.end) {
    case StreamEnd::kInputFailed:
      observer->ErrorReport(tagged.error);
      return FileResult::kRunEnds;
    case StreamEnd::kStopped:
      return FileResult::kStopped;
    case StreamEnd::kWriteFailed:
      *write_error = file.status().message();
      return FileResult::kNotWritten;
    case StreamEnd::kDone:
      break;
  }
  // What a NUL byte or a shrinking file kept from being tagged is said, not lost silently.
  if (const std::string note = InputCutNote(*input, input_path); !note.empty()) {
    observer->Warning(note);
  }
  if (!file.Commit().ok()) {
    *write_error = file.status().message();
    return FileResult::kNotWritten;
  }
  return FileResult::kWritten;
}

}  // namespace

std::string FormatSeconds(double seconds) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", seconds);
  return buffer;
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
  std::unique_ptr<TaggerPool> pool;
  std::unique_ptr<ReadAhead> reader;
  if (settings.threads > 1 && FormatsTaggedOnThreads(settings)) {
    pool = std::make_unique<TaggerPool>(state->resources.get(), tagger, settings.threads);
    WriterOptions options;
    options.separator = settings.SeparatorChar();
    options.crlf = true;
    reader = std::make_unique<ReadAhead>(
        pool.get(), options, settings, inputs,
        [&](size_t index, std::unique_ptr<LineStream>* input, std::optional<size_t>* line_count) {
          std::string error;
          std::optional<size_t> blocks;  // only cut input needs them
          return OpenCounted(settings, inputs[index], input, line_count, &blocks, &error);
        });
  }
  OutputPathRegistry registry(inputs);

  for (size_t f = 0; f < inputs.size(); ++f) {
    const std::string& input = inputs[f];
    if (observer->StopRequested()) {
      result.ended_early = result.stopped = true;
      return result;
    }
    observer->FileStarted(f, inputs.size(), input);
    const std::string wanted =
        JoinPath(OutputFolder(settings, input),
                 OutputFileName(input, FormatExtension(settings.output_format)));
    std::string clash;
    const std::string path = registry.Claim(wanted, &clash);
    std::string write_error;
    const FileResult file =
        TagFile(settings, f, input, path, &tagger, reader.get(), observer, &write_error);
    if (file == FileResult::kRunEnds || file == FileResult::kStopped) {
      result.ended_early = true;
      result.input_failed = file == FileResult::kRunEnds;
      result.stopped = file == FileResult::kStopped;
      return result;
    }
    if (!clash.empty()) observer->Warning(clash);
    const bool written = file == FileResult::kWritten;
    if (!written) {
      observer->OutputFailed(settings.RadioGroup1 == 0 ? messages::kCannotCreateDirectory
                                                       : messages::kDirectoryNotFound,
                             "Cannot write \"" + path + "\": " + write_error);
    }
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
