// The one tagging loop. Tested by tag_stream_test.cc.
#include "core/tag_stream.h"

#include <algorithm>
#include <climits>

#include "core/conllu_reader.h"
#include "core/vertical_reader.h"

namespace quillon {
namespace {

// Output is handed to the sink in blocks of about this size.
constexpr size_t kFlushBytes = 1 << 20;

}  // namespace

StreamEnd TagStream(SentenceSource* source, Tagger* tagger, FormatWriter* writer, OutputSink* sink,
                    RunObserver* observer) {
  const long long maximum = (static_cast<long long>(source->count()) - 1) / 10;
  observer->ProgressShown(Indicator::kSentenceBar,
                          static_cast<int>(std::min<long long>(maximum, INT_MAX)));
  std::string out;
  out.reserve(kFlushBytes + (kFlushBytes >> 2));
  writer->Begin(&out);
  bool ok = true;
  bool stopped = false;
  size_t i = 0;
  for (InputSentence sentence; ok && source->Next(&sentence); ++i) {
    if (i % 10 == 0) observer->ProgressStep(Indicator::kSentenceBar);
    SentenceResult tagged =
        sentence.is_cut ? tagger->TagWords(sentence.words) : tagger->Tag(sentence.text);
    tagged.conllu = sentence.conllu;
    writer->Write(tagged, &out);
    if (observer->StopRequested()) {
      stopped = true;
      break;
    }
    if (out.size() >= kFlushBytes) {
      ok = sink->Write(out).ok();
      out.clear();
      // One enormous sentence must not keep its buffer for the rest of the input.
      if (out.capacity() > 8 * kFlushBytes) {
        std::string().swap(out);
        out.reserve(kFlushBytes + (kFlushBytes >> 2));
      }
    }
  }
  if (ok && !stopped) {
    writer->End(&out);
    ok = sink->Write(out).ok();
  }
  observer->ProgressReset(Indicator::kSentenceBar);
  if (stopped) return StreamEnd::kStopped;
  return ok ? StreamEnd::kDone : StreamEnd::kWriteFailed;
}

namespace {

// The sentences of input as settings read it (the splitter applies to running text only);
// null, with *error set, when splitting fails.
std::unique_ptr<SentenceSource> MakeSource(const RunSettings& settings, const InputText& input,
                                           RunObserver* observer, std::string* error) {
  switch (settings.input_format) {
    case InputFormat::kConllu:
      return std::make_unique<ConlluSource>(input.lines, input.name, input.block_count, observer);
    case InputFormat::kVertical:
      return std::make_unique<VerticalSource>(input.lines, input.name, input.block_count, observer);
    case InputFormat::kText:
      break;
  }
  auto text = std::make_unique<TextSource>(input.lines, input.line_count);
  if (settings.Splitter == 1 &&
      !text->Split(observer, OptionsFromSettings(settings).modern, error)) {
    return nullptr;
  }
  return text;
}

}  // namespace

InputOutcome TagInput(const RunSettings& settings, const InputText& input, Tagger* tagger,
                      const OutputTarget& target, RunObserver* observer) {
  InputOutcome outcome;
  const std::unique_ptr<SentenceSource> source =
      MakeSource(settings, input, observer, &outcome.error);
  if (source == nullptr) {
    outcome.end = StreamEnd::kInputFailed;
    return outcome;
  }
  WriterOptions options;
  options.separator = settings.SeparatorChar();
  options.crlf = target.crlf;
  const std::unique_ptr<FormatWriter> writer = MakeFormatWriter(settings.output_format, options);
  // A read error ends the input as if it were its end; it outranks what the loop saw.
  const LineStream& lines = *input.lines;
  if (lines.status().ok()) {
    outcome.end = TagStream(source.get(), tagger, writer.get(), target.sink, observer);
  }
  if (!lines.status().ok()) {
    outcome.end = StreamEnd::kInputFailed;
    outcome.error = lines.status().message();
    return outcome;
  }
  const size_t replaced = writer->replaced();
  if (outcome.end == StreamEnd::kDone && replaced > 0) {
    observer->Warning(input.name + ": " + std::to_string(replaced) +
                      (replaced == 1 ? " byte that is" : " bytes that are") +
                      " not valid UTF-8 (or a control character) written as U+FFFD in the " +
                      std::string(FormatName(settings.output_format)) + " output.");
  }
  return outcome;
}

}  // namespace quillon
