// Reading CoNLL-U files to tag them in place. A sentence is its lines up to a blank line:
// comments ("# ..."), word lines (an integer ID and ten TAB-separated columns), multi-word
// token lines ("3-4") and empty nodes ("5.1"). The FORM of every word line is tagged; the
// writer gives every line back as it was, with only UPOS and XPOS (and LEMMA, with lemmas
// on) replaced. A line that is none of these is reported with its file and line number
// and kept as it stands, outside the words; the rest of the file goes on.
// Tested by conllu_reader_test.cc and fuzz/conllu_reader_fuzzer.cc.
#ifndef QUILLON_CORE_CONLLU_READER_H_
#define QUILLON_CORE_CONLLU_READER_H_

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/line_stream.h"
#include "core/run_observer.h"
#include "core/sentence_source.h"

namespace quillon {

inline constexpr int kConlluColumns = 10;
// The columns by their place.
enum ConlluColumn { kId, kForm, kLemma, kUpos, kXpos, kFeats, kHead, kDeprel, kDeps, kMisc };

// One sentence as read. The views point into the reader's storage and stay valid until
// it reads the next sentence.
struct ConlluSentence {
  std::vector<std::string_view> lines;  // every line of the sentence, in order
  struct Word {
    size_t line;  // index into lines
    std::array<std::string_view, kConlluColumns> columns;
  };
  std::vector<Word> words;  // the word lines (integer IDs), in order
};

// What a line of a CoNLL-U sentence is.
enum class ConlluLineKind { kComment, kWord, kMultiwordToken, kEmptyNode, kBad };

// Classifies line; for a word line fills columns. For a bad line, *problem says what is
// wrong with it.
ConlluLineKind ReadConlluLine(std::string_view line,
                              std::array<std::string_view, kConlluColumns>* columns,
                              std::string* problem);

class ConlluSource : public SentenceSource {
 public:
  // Reads input (which must outlive the source); name and line numbers go into the
  // reports of bad lines that observer (may be null) receives. sentence_count, when
  // known, sizes the progress bar.
  ConlluSource(LineStream* input, std::string name, std::optional<size_t> sentence_count,
               RunObserver* observer)
      : blocks_(input, std::move(name), observer), sentence_count_(sentence_count) {}

  bool Next(InputSentence* sentence) override;
  size_t count() const override { return sentence_count_.value_or(0); }

  // Bad lines met so far.
  size_t bad_lines() const { return blocks_.reported(); }

 private:
  LineBlocks blocks_;
  std::optional<size_t> sentence_count_;
  ConlluSentence sentence_;
  std::vector<std::string_view> forms_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_CONLLU_READER_H_
