// Fuzz harness for the output formats. The input is a settings byte (tokenizer, lemmas or
// marks) and a text, tagged line by line and written by every writer. Checks: CoNLL-U
// passes the CoNLL-U checker (ten columns, IDs, UD parts of speech), JSON Lines the JSON
// parser, XML the well-formedness checker (whatever bytes the text holds); tsv has two or
// three fields a line; text has one line per sentence.
#include <string>
#include <vector>

#include "core/format_writer.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/small_tagger.h"
#include "tests/reference/format_checks.h"

namespace quillon {
namespace {

using fuzz::Check;

void CheckTsv(std::string_view out, bool third_field) {
  size_t start = 0;
  while (start < out.size()) {
    const size_t end = out.find('\n', start);
    Check(end != std::string_view::npos);
    const std::string_view line = out.substr(start, end - start);
    if (!line.empty()) {
      size_t tabs = 0;
      for (const char c : line) tabs += c == '\t';
      Check(tabs == (third_field ? 2u : 1u));
      Check(line[0] != '\t');
    }
    start = end + 1;
  }
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size < 1 || size > 8192) return 0;
  const TaggerOptions options = fuzz::SmallTaggerOptions(data[0]);
  fuzz::SmallTagger small(options);
  const std::vector<std::string> lines = fuzz::Lines(fuzz::AsText(data + 1, size - 1));
  for (const OutputFormat format : kOutputFormats) {
    const std::unique_ptr<FormatWriter> writer = MakeFormatWriter(format, WriterOptions());
    std::string out;
    writer->Begin(&out);
    for (const std::string& line : lines) writer->Write(small.tagger->Tag(line), &out);
    writer->End(&out);
    switch (format) {
      case OutputFormat::kConllu:
        Check(reference::CheckConllu(out).empty());
        break;
      case OutputFormat::kJson:
        Check(reference::CheckJsonLines(out).empty());
        break;
      case OutputFormat::kXml:
        Check(reference::CheckXml(out).empty());
        break;
      case OutputFormat::kTsv:
        CheckTsv(out, options.lemma || options.multiword);
        break;
      case OutputFormat::kText: {
        size_t breaks = 0;
        for (const char c : out) breaks += c == '\n';
        Check(breaks == lines.size());
        break;
      }
    }
  }
  return 0;
}
