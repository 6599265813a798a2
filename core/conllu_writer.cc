// The CoNLL-U writer. A sentence of running text or of a vertical file gets the two
// comments that identify it and one line per token; a sentence read from CoNLL-U is
// written back line for line with its tags in place, so a treebank can be re-tagged
// without losing its trees, features or comments. Lines end in LF, as CoNLL-U requires.
// Tested by format_writer_test.cc and the end-to-end tests of the formats.
#include <cassert>

#include "core/conllu_reader.h"
#include "core/format_writer.h"
#include "core/markup_escape.h"
#include "core/upos.h"

namespace quillon {
namespace {

// A field of a new word line: one field, and "_" where there is nothing to write.
void AppendField(std::string_view text, std::string* out) {
  if (text.empty()) {
    out->push_back('_');
  } else {
    AppendOneField(text, out);
  }
}

class ConlluWriter : public FormatWriter {
 public:
  void Write(const SentenceResult& sentence, std::string* out) override {
    ++number_;
    if (sentence.conllu != nullptr) {
      WriteInPlace(sentence, out);
    } else if (!sentence.empty()) {
      WriteNew(sentence, out);
    }
  }

 private:
  void WriteNew(const SentenceResult& sentence, std::string* out) {
    out->append("# sent_id = ");
    out->append(std::to_string(number_));
    out->append("\n# text = ");
    AppendOneField(SentenceText(sentence), out);
    out->push_back('\n');
    for (size_t i = 0; i < sentence.size(); ++i) {
      out->append(std::to_string(i + 1));
      out->push_back('\t');
      AppendField(sentence.words[i], out);
      out->push_back('\t');
      AppendField(sentence.lemmas_on ? sentence.lemmas[i] : std::string_view(), out);
      out->push_back('\t');
      out->append(UposOfPenn(sentence.tag(i)));
      out->push_back('\t');
      AppendField(sentence.tag(i), out);
      out->append("\t_\t_\t_\t_\t");
      AppendMisc(sentence, i, out);
      out->push_back('\n');
    }
    out->push_back('\n');
  }

  static void AppendMisc(const SentenceResult& sentence, size_t i, std::string* out) {
    const std::string_view label = sentence.MarkLabel(i);
    const bool glued = sentence.NoSpaceAfter(i);
    if (label.empty() && !glued) {
      out->push_back('_');
      return;
    }
    if (!label.empty()) {
      out->append("MWE=");
      // A label of the multi-word list may hold anything; the MISC column may not hold
      // its separators or blanks.
      for (const char c : label) {
        out->push_back(c == '|' || c == ' ' || c == '\t' || c == '\n' || c == '\r' ? '_' : c);
      }
      if (glued) out->push_back('|');
    }
    if (glued) out->append("SpaceAfter=No");
  }

  // The sentence's lines as read, the tags written into the UPOS and XPOS columns of its
  // word lines (and the lemmas into LEMMA, when they are on).
  static void WriteInPlace(const SentenceResult& sentence, std::string* out) {
    const ConlluSentence& conllu = *sentence.conllu;
    assert(conllu.words.size() == sentence.size());
    size_t next_word = 0;
    for (size_t line = 0; line < conllu.lines.size(); ++line) {
      if (next_word == conllu.words.size() || conllu.words[next_word].line != line) {
        out->append(conllu.lines[line]);
        out->push_back('\n');
        continue;
      }
      std::array<std::string_view, kConlluColumns> columns = conllu.words[next_word].columns;
      const std::string_view tag = sentence.tag(next_word);
      columns[kUpos] = UposOfPenn(tag);
      columns[kXpos] = tag.empty() ? "_" : tag;
      if (sentence.lemmas_on && !sentence.lemmas[next_word].empty()) {
        columns[kLemma] = sentence.lemmas[next_word];
      }
      for (int c = 0; c < kConlluColumns; ++c) {
        if (c > 0) out->push_back('\t');
        AppendOneField(columns[c], out);
      }
      out->push_back('\n');
      ++next_word;
    }
    out->push_back('\n');
  }

  size_t number_ = 0;
};

}  // namespace

std::unique_ptr<FormatWriter> MakeConlluWriter() { return std::make_unique<ConlluWriter>(); }

}  // namespace quillon
