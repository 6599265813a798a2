// Output formats. A FormatWriter turns tagged sentences into the bytes of one output, the
// same way whether they go to a file or to standard output: `text` writes the word_TAG
// line of each sentence (the window's own format), the others write one of the formats
// other tools read. Writers append to a buffer that the caller hands to its sink.
// Tested by tag_stream_test.cc and the end-to-end tests of `quillon tag`.
#ifndef QUILLON_CORE_FORMAT_WRITER_H_
#define QUILLON_CORE_FORMAT_WRITER_H_

#include <cstddef>
#include <memory>
#include <string>

#include "core/sentence_result.h"

namespace quillon {

struct WriterOptions {
  char separator = '_';  // text: between word and tag, and before a lemma
  bool crlf = false;     // text: lines end in CR LF (output files) instead of LF
};

class FormatWriter {
 public:
  virtual ~FormatWriter() = default;
  // What opens the output, before the first sentence.
  virtual void Begin(std::string* out) {}
  // The lines of one sentence. Every sentence of the input is handed over, those without
  // any token too, so that a writer can number sentences by their place in the input.
  virtual void Write(const SentenceResult& sentence, std::string* out) = 0;
  // What closes the output, after the last sentence.
  virtual void End(std::string* out) {}
};

// The word_TAG writer: one line per sentence, an empty line for a sentence without tokens.
std::unique_ptr<FormatWriter> MakeTextWriter(const WriterOptions& options);

// Appends the word_TAG line of sentence, without a line end: tokens joined by one space,
// each its word, separator and tag, then the multi-word mark or separator and lemma.
void AppendWordTagLine(const SentenceResult& sentence, char separator, std::string* out);

}  // namespace quillon

#endif  // QUILLON_CORE_FORMAT_WRITER_H_
