// The names of the output and input formats, as the command line, the window's settings
// file and output file names spell them. The formats themselves are written by the
// writers of format_writer.h and read by the readers of vertical_reader.h and
// conllu_reader.h. Tested by format_writer_test.cc.
#ifndef QUILLON_CORE_FORMATS_H_
#define QUILLON_CORE_FORMATS_H_

#include <optional>
#include <string_view>

namespace quillon {

// How tagged sentences are written.
enum class OutputFormat {
  kText,    // word_TAG, one sentence a line (the window's own format)
  kTsv,     // one token a line: word TAB tag [TAB lemma], a blank line after a sentence
  kConllu,  // CoNLL-U: UPOS mapped from the Penn tag, XPOS the Penn tag
  kJson,    // JSON Lines: one object per sentence
  kXml,     // one XML document, <s> per sentence, <w> per token
};
inline constexpr OutputFormat kOutputFormats[] = {OutputFormat::kText, OutputFormat::kTsv,
                                                  OutputFormat::kConllu, OutputFormat::kJson,
                                                  OutputFormat::kXml};

// How an input is read.
enum class InputFormat {
  kText,      // running text, cut by the tokenizer (and the splitter)
  kVertical,  // one token a line (the first TAB-separated column), blank lines between sentences
  kConllu,    // CoNLL-U: the FORM column; every other column and comment is kept
};

// "text", "tsv", "conllu", "json", "xml".
std::string_view FormatName(OutputFormat format);
// "text", "vertical", "conllu".
std::string_view FormatName(InputFormat format);

std::optional<OutputFormat> ParseOutputFormat(std::string_view name);
std::optional<InputFormat> ParseInputFormat(std::string_view name);

// The extension of output files, without its dot: "txt", "tsv", "conllu", "jsonl", "xml".
std::string_view FormatExtension(OutputFormat format);

// The output format an input gives when none is asked for: CoNLL-U comes back as
// CoNLL-U (tagged in place), one token a line as tsv, running text as word_TAG lines.
OutputFormat DefaultOutputFormat(InputFormat input);

}  // namespace quillon

#endif  // QUILLON_CORE_FORMATS_H_
