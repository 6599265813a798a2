// Fuzz harness for the learner's readers of outside bytes: the CoNLL-U and word_TAG corpus
// readers (strict and lenient) and the word list reader, and the lexicon built from what
// they accept. Byte 0 picks the reader (its value modulo 3: CoNLL-U, word_TAG, word list)
// and, for a corpus, the lenient reading (bit 2) and, for word_TAG, MASC's tag mapping (bit 8);
// the rest is the file. Inputs above 4 KiB are
// skipped. A lenient reading never fails. Besides crashes, it traps when an invariant breaks: an
// accepted corpus has no empty sentence, one tag per word and only tags a resource line can hold;
// the lexicon lines built from it are plain form, and the tagger, reading them, starts every word
// with its first tag.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/lexicon.h"
#include "core/tagger.h"
#include "train/corpus.h"
#include "train/learning_resources.h"
#include "train/lexicon_builder.h"

namespace quillon {
namespace {

constexpr size_t kMaxInput = 4096;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void CheckLexicon(const Corpus& corpus, const std::vector<WordListEntry>& wordlist) {
  LexiconStats stats;
  const std::vector<std::string> lines = BuildLexiconLines(corpus, wordlist, {}, &stats);
  Check(!IsPreparedForm(lines));
  Check(stats.entries == lines.size());
  std::unique_ptr<Resources> resources = MakeResources({lines, {}, {}, {}});
  Tagger tagger(resources.get(), TaggerOptions());
  std::vector<std::string_view> word(1);
  std::vector<TagId> tags;
  for (const std::string& line : lines) {
    const size_t space = line.find(' ');
    Check(space != std::string::npos && space > 0);
    const size_t end = line.find(' ', space + 1);
    const std::string_view first_tag =
        std::string_view(line).substr(space + 1, end == std::string::npos ? end : end - space - 1);
    word[0] = std::string_view(line).substr(0, space);
    tagger.TagTokens(word, &tags);
    // A word whose order key another word shares may start with that word's tag instead.
    if (tagger.rows()[0] != 0 && resources->lexicon.entry(tagger.rows()[0]).Word == word[0]) {
      Check(tagger.TagName(tags[0]) == first_tag);
    }
  }
}

void CheckCorpus(const Corpus& corpus) {
  for (const TaggedSentence& s : corpus.sentences) {
    Check(!s.words.empty() && s.words.size() == s.tags.size());
    for (size_t i = 0; i < s.words.size(); ++i) {
      Check(!s.words[i].empty());
      Check(IsRuleField(s.tags[i]));
    }
  }
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size == 0 || size > kMaxInput) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  Corpus corpus;
  std::vector<WordListEntry> wordlist;
  Status status;
  SkippedSentences skipped;
  SkippedSentences* lenient = (data[0] & 4) && data[0] % 3 != 2 ? &skipped : nullptr;
  switch (data[0] % 3) {
    case 0:
      status = ParseConllu(text, "fuzz", &corpus, lenient);
      break;
    case 1:
      // Bit 8 reads the same lines as MASC, with its tag mapping and tag check.
      status = (data[0] & 8) ? ParseMasc(text, "fuzz", &corpus, lenient)
                             : ParseWordTag(text, "fuzz", &corpus, lenient);
      break;
    default:
      status = ParseWordList(text, "fuzz", &wordlist);
      break;
  }
  if (!status.ok()) {
    Check(lenient == nullptr && status.message().rfind("fuzz:", 0) == 0);
    return 0;
  }
  Check(skipped.count == 0 || skipped.first.rfind("fuzz:", 0) == 0);
  CheckCorpus(corpus);
  CheckLexicon(corpus, wordlist);
  return 0;
}
