// The tagging loop, the one place where sentences become output: a source yields the
// sentences of one input, the tagger tags each, a format writer turns the result into
// bytes, and a sink takes them in blocks (an output file or standard output). The run's
// files and `quillon tag` on standard input both go through TagInput, on one thread or,
// with a TaggerPool, on several.
// Tested by tag_stream_test.cc and the end-to-end tests of `quillon tag`.
#ifndef QUILLON_CORE_TAG_STREAM_H_
#define QUILLON_CORE_TAG_STREAM_H_

#include <optional>
#include <string>
#include <utility>

#include "core/format_writer.h"
#include "core/line_stream.h"
#include "core/output_sink.h"
#include "core/read_ahead.h"
#include "core/run_observer.h"
#include "core/run_settings.h"
#include "core/sentence_source.h"
#include "core/tagger.h"
#include "core/tagger_pool.h"

namespace quillon {

// How tagging one input ended.
enum class StreamEnd {
  kDone,         // every sentence was tagged and written
  kWriteFailed,  // the sink refused bytes; the rest was not tagged
  kStopped,      // StopRequested said so after a sentence
  kInputFailed,  // the input could not be read or split (InputOutcome::error says why)
};

// What a stream wrote: sentences (each, with or without tokens) and tokens.
struct StreamCounts {
  size_t sentences = 0;
  size_t tokens = 0;
};

// Tags every sentence of source and writes it through writer to sink, the output handed
// over in blocks of about a megabyte. observer (not null) sees the sentence bar, stepped
// once per 10 sentences, and is asked after every sentence whether to stop. counts, when
// given, adds up the sentences and tokens handed to the writer.
StreamEnd TagStream(SentenceSource* source, Tagger* tagger, FormatWriter* writer, OutputSink* sink,
                    RunObserver* observer, StreamCounts* counts = nullptr);

struct InputOutcome {
  StreamEnd end = StreamEnd::kDone;
  std::string error;    // with kInputFailed: the read error or the splitter's message
  StreamCounts counts;  // what was written
};

// One input to tag: its lines, its name for messages, and what is known of its size.
struct InputText {
  // The sizes are often unknown (standard input, a pipe): they may be left out.
  InputText(LineStream* lines_in, std::string name_in,
            std::optional<size_t> line_count_in = std::nullopt,
            std::optional<size_t> block_count_in = std::nullopt)
      : lines(lines_in),
        name(std::move(name_in)),
        line_count(line_count_in),
        block_count(block_count_in) {}

  LineStream* lines = nullptr;
  std::string name;                   // the input's path, or "standard input"
  std::optional<size_t> line_count;   // the number of lines, when known
  std::optional<size_t> block_count;  // the number of runs of non-blank lines, when known
};

// Where output goes and how its lines end.
struct OutputTarget {
  OutputSink* sink = nullptr;
  bool crlf = false;  // the text format ends lines in CR LF (output files do)
};

// The same as TagStream for running text in the text format (as reader's options say),
// the sentences of source read by reader and tagged in blocks by its pool's threads: the
// output bytes, the sink's writes, and the observer's calls (progress steps, stop
// questions) are those of TagStream, in the same order.
StreamEnd TagStreamParallel(TextSource* source, ReadAhead* reader, OutputSink* sink,
                            RunObserver* observer, StreamCounts* counts = nullptr);

// Whether threads may tag with these settings: running text written in the text format
// (other inputs and formats take one thread, whatever settings.threads says).
bool FormatsTaggedOnThreads(const RunSettings& settings);

// Tags one input as settings say (input and output format, splitter, separator, lemmas,
// marks) into target. observer (not null) sees the progress indicators and the warnings:
// bytes a format could not hold, lines of a cut input that could not be read. Running text
// written in the text format is tagged by threads: a pool's (may be null), or with a reader
// (may be null; a run's, reading its inputs ahead) the reader's pool. Other inputs and
// formats are tagged on the caller's thread.
InputOutcome TagInput(const RunSettings& settings, const InputText& input, Tagger* tagger,
                      const OutputTarget& target, RunObserver* observer, TaggerPool* pool = nullptr,
                      ReadAhead* reader = nullptr);

}  // namespace quillon

#endif  // QUILLON_CORE_TAG_STREAM_H_
