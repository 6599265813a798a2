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
                    RunObserver* observer, StreamCounts* counts) {
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
    if (counts != nullptr) {
      ++counts->sentences;
      counts->tokens += tagged.size();
    }
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

InputOutcome TagInput(const RunSettings& settings, const InputText& input, Tagger* tagger,
                      const OutputTarget& target, RunObserver* observer) {
  InputOutcome outcome;
  LineStream* lines = input.lines;
  std::unique_ptr<SentenceSource> source;
  if (settings.input_format == InputFormat::kConllu) {
    source = std::make_unique<ConlluSource>(lines, input.name, input.block_count, observer);
  } else if (settings.input_format == InputFormat::kVertical) {
    source = std::make_unique<VerticalSource>(lines, input.name, input.block_count, observer);
  } else {
    auto text = std::make_unique<TextSource>(lines, input.line_count);
    if (settings.Splitter == 1 &&
        !text->Split(observer, OptionsFromSettings(settings).modern, &outcome.error)) {
      outcome.end = StreamEnd::kInputFailed;
      return outcome;
    }
    source = std::move(text);
  }
  WriterOptions options;
  options.separator = settings.SeparatorChar();
  options.crlf = target.crlf;
  const std::unique_ptr<FormatWriter> writer = MakeFormatWriter(settings.output_format, options);
  // A read error ends the input as if it were its end; it outranks what the loop saw.
  if (lines->status().ok()) {
    outcome.end =
        TagStream(source.get(), tagger, writer.get(), target.sink, observer, &outcome.counts);
  }
  if (!lines->status().ok()) {
    outcome.end = StreamEnd::kInputFailed;
    outcome.error = lines->status().message();
    return outcome;
  }
  if (const size_t replaced = writer->replaced(); replaced > 0) {
    observer->Warning(input.name + ": " + std::to_string(replaced) +
                      (replaced == 1 ? " byte that is" : " bytes that are") +
                      " not valid UTF-8 (or a control character) written as U+FFFD in the " +
                      std::string(FormatName(settings.output_format)) + " output.");
  }
  return outcome;
}

}  // namespace quillon
