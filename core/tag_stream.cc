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

namespace {

// A block is handed to a worker when it holds this many sentences or this many bytes,
// large enough that handing it over costs little beside tagging it, small enough that
// every thread gets blocks to do. A longer sentence makes a block of its own.
constexpr size_t kBlockSentences = 512;
constexpr size_t kBlockBytes = 64 << 10;

// Reads the next block of sentences from source into block; false when there was none.
bool ReadBlock(TextSource* source, SentenceBlock* block) {
  InputSentence sentence;
  while (block->size() < kBlockSentences && block->text.size() < kBlockBytes &&
         source->Next(&sentence)) {
    block->text.append(sentence.text);
    block->text_ends.push_back(block->text.size());
  }
  return block->size() > 0;
}

}  // namespace

StreamEnd TagStreamParallel(TextSource* source, TaggerPool* pool, const WriterOptions& options,
                            OutputSink* sink, RunObserver* observer, StreamCounts* counts) {
  ShowSentenceBar(source->count(), observer);
  std::string out = NewOutputBuffer();
  const std::unique_ptr<FormatWriter> writer = MakeTextWriter(options);
  writer->Begin(&out);
  // A few blocks per thread are read ahead, so no worker waits while the caller writes;
  // that bounds the memory too.
  const size_t ahead = 3 * static_cast<size_t>(pool->threads());
  bool ok = true;
  bool stopped = false;
  bool input_left = true;
  size_t i = 0;
  while (ok && !stopped) {
    while (input_left && pool->in_flight() < ahead) {
      std::unique_ptr<SentenceBlock> block = pool->NewBlock();
      block->writer = options;
      input_left = ReadBlock(source, block.get());
      if (input_left) pool->Submit(std::move(block));
    }
    if (pool->in_flight() == 0) break;
    std::unique_ptr<SentenceBlock> block = pool->Take();
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
    pool->Recycle(std::move(block));
  }
  // Blocks still out belong to this input; the pool is left empty for the next one.
  while (pool->in_flight() > 0) pool->Recycle(pool->Take());
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

InputOutcome TagInput(const RunSettings& settings, const InputText& input, Tagger* tagger,
                      const OutputTarget& target, RunObserver* observer, TaggerPool* pool) {
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
  const bool parallel = pool != nullptr && pool->threads() > 1 &&
                        settings.input_format == InputFormat::kText &&
                        settings.output_format == OutputFormat::kText;
  // A read error ends the input as if it were its end; it outranks what the loop saw.
  const LineStream& lines = *input.lines;
  if (lines.status().ok()) {
    outcome.end = parallel ? TagStreamParallel(static_cast<TextSource*>(source.get()), pool,
                                               options, target.sink, observer, &outcome.counts)
                           : TagStream(source.get(), tagger, writer.get(), target.sink, observer,
                                       &outcome.counts);
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
