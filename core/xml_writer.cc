// The XML writer: one document for the whole input, a <s> element per sentence and a <w>
// element per token with its tag (and lemma or multi-word label) as attributes. Text and
// attributes are escaped and made valid UTF-8, so the document is well-formed whatever
// bytes the input held. Tested by format_writer_test.cc and fuzz/format_writer_fuzzer.cc.
#include "core/format_writer.h"
#include "core/markup_escape.h"

namespace quillon {
namespace {

class XmlWriter : public FormatWriter {
 public:
  void Begin(std::string* out) override {
    out->append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<text>\n");
  }

  void Write(const SentenceResult& sentence, std::string* out) override {
    ++number_;
    if (sentence.empty()) return;
    out->append("<s n=\"");
    out->append(std::to_string(number_));
    out->append("\">\n");
    for (size_t i = 0; i < sentence.size(); ++i) {
      out->append("<w pos=\"");
      replaced_ += AppendXmlEscaped(sentence.tag(i), out);
      if (sentence.lemmas_on) {
        out->append("\" lemma=\"");
        replaced_ += AppendXmlEscaped(sentence.lemmas[i], out);
      } else if (sentence.marks_on && sentence.marks[i] != nullptr) {
        out->append("\" mw=\"");
        replaced_ += AppendXmlEscaped(sentence.MarkLabel(i), out);
      }
      out->append("\">");
      replaced_ += AppendXmlEscaped(sentence.words[i], out);
      out->append("</w>\n");
    }
    out->append("</s>\n");
  }

  void End(std::string* out) override { out->append("</text>\n"); }

  size_t replaced() const override { return replaced_; }

 private:
  size_t number_ = 0;
  size_t replaced_ = 0;
};

}  // namespace

std::unique_ptr<FormatWriter> MakeXmlWriter() { return std::make_unique<XmlWriter>(); }

}  // namespace quillon
