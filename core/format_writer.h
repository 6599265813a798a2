// Output formats. A FormatWriter turns tagged sentences into the bytes of one output, the
// same way whether they go to a file or to standard output: `text` writes the word_TAG
// line of each sentence (the window's own format), the others write one of the formats
// other tools read. Writers append to a buffer that the caller hands to its sink.
// Tested by format_writer_test.cc and the end-to-end tests of `quillon tag`.
#ifndef QUILLON_CORE_FORMAT_WRITER_H_
#define QUILLON_CORE_FORMAT_WRITER_H_

#include <cstddef>
#include <memory>
#include <string>

#include "core/formats.h"
#include "core/sentence_result.h"

namespace quillon {

struct WriterOptions {
  char separator = '_';  // text: between word and tag, and before a lemma
  bool crlf = false;     // text: lines end in CR LF (output files) instead of LF; the
                         // other formats always end lines in LF, as their readers expect
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
  // How many bytes (or characters the format forbids) were written as U+FFFD so far.
  virtual size_t replaced() const { return 0; }
};

// The writer of format.
std::unique_ptr<FormatWriter> MakeFormatWriter(OutputFormat format, const WriterOptions& options);

// The writers, one per format. Sentences without tokens give an empty line in `text` (one
// line per input line) and nothing in the others, which number sentences by their place
// in the input all the same.
//
// text: the word_TAG line of each sentence.
std::unique_ptr<FormatWriter> MakeTextWriter(const WriterOptions& options);
// tsv: "word TAB tag", then TAB lemma (lemmas on) or TAB multi-word label (marks on, empty
// for an unmarked token); a blank line after each sentence.
std::unique_ptr<FormatWriter> MakeTsvWriter();
// conllu: "# sent_id = N", "# text = ...", then ID FORM LEMMA UPOS XPOS _ _ _ _ MISC with
// LEMMA "_" unless lemmas are on, and MISC holding MWE=label and SpaceAfter=No where they
// apply. A sentence read from CoNLL-U is given back line for line instead.
std::unique_ptr<FormatWriter> MakeConlluWriter();
// json: JSON Lines, {"id":N,"text":"...","tokens":[...],"tags":[...]} plus "lemmas" or
// "multiword" (labels, null where unmarked) when they are on.
std::unique_ptr<FormatWriter> MakeJsonWriter();
// xml: <?xml ...?><text>, <s n="N"> per sentence, <w pos=".." lemma=".." mw="..">word</w>.
std::unique_ptr<FormatWriter> MakeXmlWriter();

// The text of a sentence for "# text" and "text": the sentence as read, its runs of spaces
// and TABs made one space and those around it dropped; or words given already cut joined
// by single spaces.
std::string SentenceText(const SentenceResult& sentence);

// Appends the word_TAG line of sentence, without a line end: tokens joined by one space,
// each its word, separator and tag, then the multi-word mark or separator and lemma.
void AppendWordTagLine(const SentenceResult& sentence, char separator, std::string* out);

}  // namespace quillon

#endif  // QUILLON_CORE_FORMAT_WRITER_H_
