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

// Tags every sentence of source and writes it through writer to sink, the output handed
// over in blocks of about a megabyte. observer (not null) sees the sentence bar, stepped
// once per 10 sentences, and is asked after every sentence whether to stop.
StreamEnd TagStream(SentenceSource* source, Tagger* tagger, FormatWriter* writer, OutputSink* sink,
                    RunObserver* observer);

struct InputOutcome {
  StreamEnd end = StreamEnd::kDone;
  std::string error;  // with kInputFailed: the read error or the splitter's message
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
                            RunObserver* observer);

// Tags one input as settings say (splitter, separator, lemmas, marks) into target.
// line_count, when known, sizes the progress indicators; observer (not null) sees them.
// With a pool (may be null), its threads do the tagging; with a reader (may be null; a
// run's, reading its inputs ahead), the reader's pool does.
InputOutcome TagInput(const RunSettings& settings, LineStream* input,
                      std::optional<size_t> line_count, Tagger* tagger, const OutputTarget& target,
                      RunObserver* observer, TaggerPool* pool = nullptr,
                      ReadAhead* reader = nullptr);

}  // namespace quillon

#endif  // QUILLON_CORE_TAG_STREAM_H_
