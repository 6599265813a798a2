// What the spelling of a word the lexicon does not know rules out. English forms its
// -ing participles with -ing, its past forms with -ed, -d, -t or -n, its plurals and
// third persons with -s, and every irregular form is in the lexicon; so a contextual
// rule may not make an unknown "jill" VBG, nor an unknown "amstel" VBN. Without this
// check a rule learned on known words (NN VBG PREV1OR2TAG PRP, for "building") reached
// every unknown word in the same context. Used by the modern lookup and by the learners
// with it.
// Tested by unknown_spelling_test.cc.
#ifndef QUILLON_CORE_UNKNOWN_SPELLING_H_
#define QUILLON_CORE_UNKNOWN_SPELLING_H_

#include <cstdint>
#include <string_view>

#include "core/ascii.h"
#include "core/tag_table.h"

namespace quillon {

// The endings a word has, as bits of one byte. kAnySpelling allows every tag: it marks a
// word the lexicon knows, whose tags its entry licenses.
inline constexpr uint8_t kEndsIng = 1;   // -ing, -in (walkin), -in'
inline constexpr uint8_t kEndsPast = 2;  // -d (-ed), -t, -n (-en)
inline constexpr uint8_t kEndsS = 4;     // -s
inline constexpr uint8_t kAnySpelling = 0xFF;

inline uint8_t SpellingOf(std::string_view word) {
  auto ends = [&](std::string_view ending) {
    if (word.size() <= ending.size()) return false;
    const std::string_view tail = word.substr(word.size() - ending.size());
    return AsciiEqualsIgnoringCase(tail, ending);
  };
  uint8_t spelling = 0;
  if (ends("ing") || ends("in") || ends("in'")) spelling |= kEndsIng;
  if (ends("d") || ends("t") || ends("n")) spelling |= kEndsPast;
  if (ends("s")) spelling |= kEndsS;
  return spelling;
}

// The tags whose forms have those endings.
class SpellingTags {
 public:
  SpellingTags() = default;
  // Tags the table lacks are never a rule's target; they stay kNone.
  explicit SpellingTags(const TagTable& tags)
      : vbg_(tags.Find("VBG")),
        vbd_(tags.Find("VBD")),
        vbn_(tags.Find("VBN")),
        nns_(tags.Find("NNS")),
        nnps_(tags.Find("NNPS")),
        vbz_(tags.Find("VBZ")) {}

  // Whether a word of spelling may take the tag to.
  bool Allows(uint8_t spelling, TagId to) const {
    if (spelling == kAnySpelling) return true;
    if (to == vbg_) return (spelling & kEndsIng) != 0;
    if (to == vbd_ || to == vbn_) return (spelling & kEndsPast) != 0;
    if (to == nns_ || to == nnps_ || to == vbz_) return (spelling & kEndsS) != 0;
    return true;
  }

 private:
  TagId vbg_ = TagTable::kNone, vbd_ = TagTable::kNone, vbn_ = TagTable::kNone,
        nns_ = TagTable::kNone, nnps_ = TagTable::kNone, vbz_ = TagTable::kNone;
};

}  // namespace quillon

#endif  // QUILLON_CORE_UNKNOWN_SPELLING_H_
