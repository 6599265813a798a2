// The word_TAG writer and the writers' common parts. Tested by format_writer_test.cc.
#include "core/format_writer.h"

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

}  // namespace

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
