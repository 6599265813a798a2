// The result of tagging one sentence, as every output format and every caller of the
// library reads it: the tokens, the final tag of each, and, when they are on, the lemma or
// the multi-word mark of each. Tokens cut from running text are views into that text, so
// each token's byte offset in the sentence is known (CoNLL-U's SpaceAfter=No and "# text"
// come from it); words given already cut have no text behind them.
//
// A SentenceResult views the tagger's working arrays and is valid until that tagger tags
// its next sentence; copy what must outlive it.
// Tested by tagger_test.cc and tag_stream_test.cc.
#ifndef QUILLON_CORE_SENTENCE_RESULT_H_
#define QUILLON_CORE_SENTENCE_RESULT_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "core/tag_table.h"

namespace quillon {

struct ConlluSentence;  // core/conllu_reader.h

struct SentenceResult {
  // The sentence as read (one line, or one sentence of the splitter); empty for words
  // that were given already cut.
  std::string_view text;
  std::span<const std::string_view> words;  // the tokens, in order, as cut or given
  std::span<const TagId> tags;              // the final tag of each word
  // With lemmas on, the lemma of each word; empty otherwise.
  std::span<const std::string_view> lemmas;
  // With multi-word marks on, the mark of each word ("_M<label>") or null; empty otherwise.
  std::span<const std::string* const> marks;
  const TagTable* tag_names = nullptr;
  bool lemmas_on = false;  // lemmas were asked for (so even a sentence of no words says so)
  bool marks_on = false;   // multi-word marks were asked for
  // The CoNLL-U lines the words were read from, so that a CoNLL-U writer can give them
  // back with only the tags changed; null for any other input.
  const ConlluSentence* conllu = nullptr;

  static constexpr size_t kNoOffset = std::string_view::npos;

  size_t size() const { return words.size(); }
  bool empty() const { return words.empty(); }
  std::string_view tag(size_t i) const { return tag_names->Name(tags[i]); }

  // The byte offset of word i in text, or kNoOffset when the word does not lie in it.
  size_t Offset(size_t i) const {
    const std::string_view w = words[i];
    if (text.empty() || w.data() < text.data() || w.data() + w.size() > text.data() + text.size()) {
      return kNoOffset;
    }
    return static_cast<size_t>(w.data() - text.data());
  }

  // True when the text shows word i + 1 following word i with nothing between them.
  bool NoSpaceAfter(size_t i) const {
    if (i + 1 >= words.size()) return false;
    const size_t here = Offset(i), next = Offset(i + 1);
    return here != kNoOffset && next != kNoOffset && here + words[i].size() == next;
  }

  // The label of word i's multi-word mark ("IN" of "_M<IN>"), or empty.
  std::string_view MarkLabel(size_t i) const {
    if (marks.empty() || marks[i] == nullptr) return {};
    std::string_view mark = *marks[i];
    if (mark.starts_with("_M<")) mark.remove_prefix(3);
    if (mark.ends_with('>')) mark.remove_suffix(1);
    return mark;
  }
};

}  // namespace quillon

#endif  // QUILLON_CORE_SENTENCE_RESULT_H_
