// The one tagging loop. Tested by tag_stream_test.cc.
#include "core/tag_stream.h"

#include <algorithm>
#include <cassert>
#include <climits>

#include "core/conllu_reader.h"
#include "core/vertical_reader.h"

namespace quillon {
namespace {

// Output is handed to the sink in blocks of about this size.
constexpr size_t kFlushBytes = 1 << 20;

// An empty output buffer with room for a block.
std::string NewOutputBuffer() {
  std::string out;
  out.reserve(kFlushBytes + (kFlushBytes >> 2));
  return out;
}

// Hands out to sink once it holds a block; false when the sink refused it.
bool FlushWhenFull(std::string* out, OutputSink* sink) {
  if (out->size() < kFlushBytes) return true;
  const bool ok = sink->Write(*out).ok();
  out->clear();
  // One enormous sentence must not keep its buffer for the rest of the input.
  if (out->capacity() > 8 * kFlushBytes) *out = NewOutputBuffer();
  return ok;
}

// Shows the sentence bar for count sentences.
void ShowSentenceBar(size_t count, RunObserver* observer) {
  const long long maximum = (static_cast<long long>(count) - 1) / 10;
  observer->ProgressShown(Indicator::kSentenceBar,
                          static_cast<int>(std::min<long long>(maximum, INT_MAX)));
}

// Closes the output when the loop got to the end, and says how it ended.
StreamEnd FinishStream(FormatWriter* writer, std::string* out, OutputSink* sink,
                       RunObserver* observer, bool ok, bool stopped) {
  if (ok && !stopped) {
    writer->End(out);
    ok = sink->Write(*out).ok();
  }
  observer->ProgressReset(Indicator::kSentenceBar);
  if (stopped) return StreamEnd::kStopped;
  return ok ? StreamEnd::kDone : StreamEnd::kWriteFailed;
}

}  // namespace

StreamEnd TagStream(SentenceSource* source, Tagger* tagger, FormatWriter* writer, OutputSink* sink,
                    RunObserver* observer, StreamCounts* counts) {
  ShowSentenceBar(source->count(), observer);
  std::string out = NewOutputBuffer();
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
    ok = FlushWhenFull(&out, sink);
  }
  return FinishStream(writer, &out, sink, observer, ok, stopped);
}

StreamEnd TagStreamParallel(TextSource* source, ReadAhead* reader, OutputSink* sink,
                            RunObserver* observer, StreamCounts* counts) {
  ShowSentenceBar(source->count(), observer);
  std::string out = NewOutputBuffer();
  const std::unique_ptr<FormatWriter> writer = MakeTextWriter(reader->options());
  writer->Begin(&out);
  reader->Begin(source);
  bool ok = true;
  bool stopped = false;
  size_t i = 0;
  while (ok && !stopped) {
    std::unique_ptr<SentenceBlock> block = reader->Next();
    if (block == nullptr) break;
    for (size_t k = 0; k < block->size(); ++k, ++i) {
      if (i % 10 == 0) observer->ProgressStep(Indicator::kSentenceBar);
      out.append(block->output_of(k));
      if (counts != nullptr) {
        ++counts->sentences;
        counts->tokens += block->tokens[k];
      }
      if (observer->StopRequested()) {
        stopped = true;
        break;
      }
      ok = FlushWhenFull(&out, sink);
      if (!ok) break;
    }
    reader->Recycle(std::move(block));
  }
  reader->Stop();
  return FinishStream(writer.get(), &out, sink, observer, ok, stopped);
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

bool FormatsTaggedOnThreads(const RunSettings& settings) {
  return settings.input_format == InputFormat::kText &&
         settings.output_format == OutputFormat::kText;
}

InputOutcome TagInput(const RunSettings& settings, const InputText& input, Tagger* tagger,
                      const OutputTarget& target, RunObserver* observer, TaggerPool* pool,
                      ReadAhead* reader) {
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
  std::optional<ReadAhead> own_reader;
  if (!FormatsTaggedOnThreads(settings)) {
    reader = nullptr;
  } else if (reader == nullptr && pool != nullptr && pool->threads() > 1) {
    reader = &own_reader.emplace(pool, options);
  }
  assert(reader == nullptr || (reader->options().separator == options.separator &&
                               reader->options().crlf == options.crlf));
  // A read error ends the input as if it were its end; it outranks what the loop saw. An
  // input read ahead of its turn may have met it already, after the sentences before it.
  const LineStream& lines = *input.lines;
  if (lines.status().ok() || (reader != nullptr && reader->turn_read_ahead())) {
    outcome.end =
        reader != nullptr
            ? TagStreamParallel(static_cast<TextSource*>(source.get()), reader, target.sink,
                                observer, &outcome.counts)
            : TagStream(source.get(), tagger, writer.get(), target.sink, observer, &outcome.counts);
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
