// The word_TAG writer and the writers' common parts. Tested by tag_stream_test.cc.
#include "core/format_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

namespace {

// The line of a sentence without lemmas or marks, the common case, written into room made
// once: tags and short tokens each with one fixed-size move (the bytes after them are
// overwritten next, and the room is cut back at the end) instead of appends.
void AppendPairs(const SentenceResult& sentence, char separator, std::string* out) {
  constexpr size_t kSlot = TagTable::kNameSlot;
  const TagTable& names = *sentence.tag_names;
  // A token is moved so only when the 16 bytes from its start lie in the sentence.
  const uintptr_t first = reinterpret_cast<uintptr_t>(sentence.text.data());
  const uintptr_t last = first + sentence.text.size();
  size_t room = 0;
  for (size_t i = 0; i < sentence.size(); ++i) {
    room += std::max(sentence.words[i].size(), kSlot) + 2 +
            std::max(names.Name(sentence.tags[i]).size(), kSlot);
  }
  const size_t start = out->size();
  out->resize(start + room);
  char* p = out->data() + start;
  for (size_t i = 0; i < sentence.size(); ++i) {
    if (i > 0) *p++ = ' ';
    const std::string_view word = sentence.words[i];
    const uintptr_t at = reinterpret_cast<uintptr_t>(word.data());
    if (word.size() <= kSlot && at >= first && at + kSlot <= last) {
      std::memcpy(p, word.data(), kSlot);
    } else {
      std::memcpy(p, word.data(), word.size());
    }
    p += word.size();
    *p++ = separator;
    const std::string_view tag = names.Name(sentence.tags[i]);
    std::memcpy(p, tag.size() <= kSlot ? names.NameSlot(sentence.tags[i]) : tag.data(),
                std::max(tag.size(), kSlot));
    p += tag.size();
  }
  out->resize(static_cast<size_t>(p - out->data()));
}

}  // namespace

void AppendWordTagLine(const SentenceResult& sentence, char separator, std::string* out) {
  if (sentence.marks.empty() && sentence.lemmas.empty()) {
    AppendPairs(sentence, separator, out);
    return;
  }
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
