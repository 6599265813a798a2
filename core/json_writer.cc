// The JSON Lines writer: one object per sentence, on one line, so that a reader can take
// a file sentence by sentence. Strings are escaped and made valid UTF-8.
// Tested by format_writer_test.cc and the end-to-end tests of the formats.
#include "core/format_writer.h"
#include "core/markup_escape.h"

namespace quillon {
namespace {

class JsonWriter : public FormatWriter {
 public:
  void Write(const SentenceResult& sentence, std::string* out) override {
    ++number_;
    if (sentence.empty()) return;
    out->append("{\"id\":");
    out->append(std::to_string(number_));
    out->append(",\"text\":\"");
    replaced_ += AppendJsonEscaped(SentenceText(sentence), out);
    out->append("\",\"tokens\":");
    AppendArray(
        sentence, [&](size_t i) { return sentence.words[i]; }, out);
    out->append(",\"tags\":");
    AppendArray(
        sentence, [&](size_t i) { return sentence.tag(i); }, out);
    if (sentence.lemmas_on) {
      out->append(",\"lemmas\":");
      AppendArray(
          sentence, [&](size_t i) { return sentence.lemmas[i]; }, out);
    } else if (sentence.marks_on) {
      out->append(",\"multiword\":[");
      for (size_t i = 0; i < sentence.size(); ++i) {
        if (i > 0) out->push_back(',');
        if (sentence.marks[i] == nullptr) {
          out->append("null");
          continue;
        }
        out->push_back('"');
        replaced_ += AppendJsonEscaped(sentence.MarkLabel(i), out);
        out->push_back('"');
      }
      out->push_back(']');
    }
    out->append("}\n");
  }

  size_t replaced() const override { return replaced_; }

 private:
  template <typename Field>
  void AppendArray(const SentenceResult& sentence, Field&& field, std::string* out) {
    out->push_back('[');
    for (size_t i = 0; i < sentence.size(); ++i) {
      if (i > 0) out->push_back(',');
      out->push_back('"');
      replaced_ += AppendJsonEscaped(field(i), out);
      out->push_back('"');
    }
    out->push_back(']');
  }

  size_t number_ = 0;
  size_t replaced_ = 0;
};

}  // namespace

std::unique_ptr<FormatWriter> MakeJsonWriter() { return std::make_unique<JsonWriter>(); }

}  // namespace quillon
