// The word_TAG and tsv writers and the writers' common parts. Tested by
// format_writer_test.cc.
#include "core/format_writer.h"

#include "core/markup_escape.h"

namespace quillon {
namespace {

class TextWriter : public FormatWriter {
 public:
  explicit TextWriter(const WriterOptions& options)
      : separator_(options.separator), line_end_(options.crlf ? "\r\n" : "\n") {}

  void Write(const SentenceResult& sentence, std::string* out) override {
    AppendWordTagLine(sentence, separator_, out);
    out->append(line_end_);
  }

 private:
  char separator_;
  std::string_view line_end_;
};

class TsvWriter : public FormatWriter {
 public:
  void Write(const SentenceResult& sentence, std::string* out) override {
    if (sentence.empty()) return;
    for (size_t i = 0; i < sentence.size(); ++i) {
      AppendOneField(sentence.words[i], out);
      out->push_back('\t');
      AppendOneField(sentence.tag(i), out);
      if (sentence.lemmas_on) {
        out->push_back('\t');
        AppendOneField(sentence.lemmas[i], out);
      } else if (sentence.marks_on) {
        out->push_back('\t');
        AppendOneField(sentence.MarkLabel(i), out);
      }
      out->push_back('\n');
    }
    out->push_back('\n');
  }
};

}  // namespace

std::string SentenceText(const SentenceResult& sentence) {
  std::string text;
  if (sentence.text.empty()) {
    for (size_t i = 0; i < sentence.size(); ++i) {
      if (i > 0) text.push_back(' ');
      text.append(sentence.words[i]);
    }
    return text;
  }
  // Runs of blanks become one space, as the tokens show them.
  bool blank = false;
  for (const char c : sentence.text) {
    if (c == ' ' || c == '\t') {
      blank = true;
      continue;
    }
    if (blank && !text.empty()) text.push_back(' ');
    blank = false;
    text.push_back(c);
  }
  return text;
}

std::unique_ptr<FormatWriter> MakeFormatWriter(OutputFormat format, const WriterOptions& options) {
  switch (format) {
    case OutputFormat::kTsv:
      return MakeTsvWriter();
    case OutputFormat::kConllu:
      return MakeConlluWriter();
    case OutputFormat::kJson:
      return MakeJsonWriter();
    case OutputFormat::kXml:
      return MakeXmlWriter();
    case OutputFormat::kText:
      break;
  }
  return MakeTextWriter(options);
}

std::unique_ptr<FormatWriter> MakeTsvWriter() { return std::make_unique<TsvWriter>(); }

void AppendWordTagLine(const SentenceResult& sentence, char separator, std::string* out) {
  for (size_t i = 0; i < sentence.size(); ++i) {
    if (i > 0) out->push_back(' ');
    out->append(sentence.words[i]);
    out->push_back(separator);
    out->append(sentence.tag(i));
    if (!sentence.marks.empty()) {
      if (sentence.marks[i] != nullptr) out->append(*sentence.marks[i]);
    } else if (!sentence.lemmas.empty()) {
      out->push_back(separator);
      out->append(sentence.lemmas[i]);
    }
  }
}

std::unique_ptr<FormatWriter> MakeTextWriter(const WriterOptions& options) {
  return std::make_unique<TextWriter>(options);
}

}  // namespace quillon
