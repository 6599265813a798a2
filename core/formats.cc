// Format names. Tested by format_writer_test.cc.
#include "core/formats.h"

namespace quillon {

std::string_view FormatName(OutputFormat format) {
  switch (format) {
    case OutputFormat::kText:
      return "text";
    case OutputFormat::kTsv:
      return "tsv";
    case OutputFormat::kConllu:
      return "conllu";
    case OutputFormat::kJson:
      return "json";
    case OutputFormat::kXml:
      return "xml";
  }
  return "text";
}

std::string_view FormatName(InputFormat format) {
  switch (format) {
    case InputFormat::kText:
      return "text";
    case InputFormat::kVertical:
      return "vertical";
    case InputFormat::kConllu:
      return "conllu";
  }
  return "text";
}

std::optional<OutputFormat> ParseOutputFormat(std::string_view name) {
  for (const OutputFormat format : kOutputFormats) {
    if (FormatName(format) == name) return format;
  }
  return std::nullopt;
}

std::optional<InputFormat> ParseInputFormat(std::string_view name) {
  for (const InputFormat format :
       {InputFormat::kText, InputFormat::kVertical, InputFormat::kConllu}) {
    if (FormatName(format) == name) return format;
  }
  return std::nullopt;
}

std::string_view FormatExtension(OutputFormat format) {
  switch (format) {
    case OutputFormat::kText:
      return "txt";
    case OutputFormat::kJson:
      return "jsonl";
    default:
      return FormatName(format);
  }
}

OutputFormat DefaultOutputFormat(InputFormat input) {
  switch (input) {
    case InputFormat::kVertical:
      return OutputFormat::kTsv;
    case InputFormat::kConllu:
      return OutputFormat::kConllu;
    case InputFormat::kText:
      break;
  }
  return OutputFormat::kText;
}

}  // namespace quillon
