// Loading once and tagging texts, word lists and files. Files go through the same loop
// as the command's output files (TagInput), so their bytes are the command's.
// Tested by python/tests/test_tagger.py.
#include "python/loaded_tagger.h"

#include <optional>

#include "core/line_stream.h"
#include "core/output_file.h"
#include "core/output_sink.h"
#include "core/sentence_source.h"
#include "core/tag_stream.h"

namespace quillon {
namespace {

TaggedText::Piece AppendPiece(std::string_view bytes, TaggedText* out) {
  const TaggedText::Piece piece{out->bytes.size(), bytes.size()};
  out->bytes.append(bytes);
  return piece;
}

Status WriteError(const std::string& path, const Status& status) {
  return Status::Error("Cannot write file \"" + path + "\". " + status.message());
}

// Keeps the warnings of a run; shows nothing else.
class WarningList : public RunObserver {
 public:
  explicit WarningList(std::vector<std::string>* warnings) : warnings_(warnings) {}
  void Warning(std::string_view text) override { warnings_->emplace_back(text); }

 private:
  std::vector<std::string>* warnings_;
};

}  // namespace

std::unique_ptr<LoadedTagger> LoadedTagger::Load(const RunSettings& settings,
                                                 const std::string& data_dir, LoadFailure* failure,
                                                 std::vector<std::string>* warnings) {
  auto resources = std::make_unique<Resources>();
  WarningList observer(warnings);
  if (!LoadResources(settings, data_dir, &observer, resources.get(), failure)) return nullptr;
  return std::unique_ptr<LoadedTagger>(new LoadedTagger(settings, std::move(resources)));
}

LoadedTagger::LoadedTagger(const RunSettings& settings, std::unique_ptr<Resources> resources)
    : settings_(settings),
      resources_(std::move(resources)),
      tagger_(resources_.get(), OptionsFromSettings(settings)) {}

void LoadedTagger::Append(const SentenceResult& sentence, TaggedText* out) {
  for (size_t i = 0; i < sentence.size(); ++i) {
    out->words.push_back(AppendPiece(sentence.words[i], out));
    out->tags.push_back(sentence.tag(i));
    if (sentence.lemmas_on) out->lemmas.push_back(AppendPiece(sentence.lemmas[i], out));
  }
  out->sentence_ends.push_back(out->words.size());
}

bool LoadedTagger::TagText(std::string_view text, bool split, TaggedText* out, std::string* error) {
  std::lock_guard<std::mutex> lock(mutex_);
  LineStream lines{std::string(text)};
  TextSource source(&lines, std::nullopt);
  if (split && !source.Split(nullptr, OptionsFromSettings(settings_).modern, error)) return false;
  for (InputSentence sentence; source.Next(&sentence);) Append(tagger_.Tag(sentence.text), out);
  return true;
}

void LoadedTagger::TagWords(std::span<const std::string_view> words, TaggedText* out) {
  std::lock_guard<std::mutex> lock(mutex_);
  Append(tagger_.TagWords(words), out);
}

Status LoadedTagger::TagFile(const std::string& input_path, const std::string& output_path,
                             const FileFormats& formats, FileCounts* counts) {
  std::lock_guard<std::mutex> lock(mutex_);
  *counts = FileCounts();
  RunSettings settings = settings_;
  settings.Splitter = formats.split ? 1 : 0;
  settings.input_format = formats.input;
  settings.output_format = formats.output;
  std::unique_ptr<LineStream> input;
  if (Status opened = OpenInput(input_path, &input, settings.encoding); !opened.ok()) {
    return opened;
  }
  OutputFile file;
  if (Status opened = file.Open(output_path); !opened.ok()) return WriteError(output_path, opened);
  FileSink sink(&file);
  WarningList warnings(&counts->warnings);
  const InputOutcome outcome =
      TagInput(settings, {input.get(), input_path}, &tagger_, {&sink, /*crlf=*/true}, &warnings);
  // An input that fails leaves no output: the file's temporary file goes with it.
  if (outcome.end == StreamEnd::kInputFailed) return Status::Error(outcome.error);
  // After a refused write the file keeps refusing, with the system's reason.
  if (Status committed = file.Commit(); !committed.ok()) return WriteError(output_path, committed);
  counts->sentences = outcome.counts.sentences;
  counts->tokens = outcome.counts.tokens;
  return Status::Ok();
}

}  // namespace quillon
