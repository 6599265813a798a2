// Scoring tokenization and tagging of running text against a gold corpus, as the CoNLL
// 2018 shared task scores them: each sentence's raw text (the "# text" line of CoNLL-U)
// is cut and tagged by the system, gold words and system tokens are placed in that text
// by their byte spans (white space between them skipped), and a system token is right
// when its span is exactly a gold word's span; for the tags, when its tag is that word's
// gold tag too (both mapped onto the classic Penn set). Precision, recall and F1 follow.
// The words of a multi-word token (do n't, gon na) spell its text, so they are placed
// like any other word. Tested by raw_evaluation_test.cc and the `quillon eval --raw`
// end-to-end test.
#ifndef QUILLON_TRAIN_RAW_EVALUATION_H_
#define QUILLON_TRAIN_RAW_EVALUATION_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"
#include "core/tagger.h"
#include "train/corpus.h"

namespace quillon {

struct RawScore {
  size_t sentences = 0;  // sentences scored
  size_t left_out = 0;   // sentences without a text, or whose words do not spell it
  size_t gold = 0;       // gold words
  size_t system = 0;     // tokens the system gave
  size_t spans = 0;      // system tokens whose span is a gold word's
  size_t tagged = 0;     // ... and whose tag is that word's tag
};

struct TokenSpan {
  size_t begin = 0;
  size_t end = 0;
  bool operator==(const TokenSpan&) const = default;
};

// Places words one after another in text, skipping the white space (Unicode's spaces
// included) before each. False when a word does not stand where it should.
bool PlaceWords(std::string_view text, std::span<const std::string> words,
                std::vector<TokenSpan>* spans);

// Adds one sentence to score. Both span lists are in text order.
void ScoreSentence(std::span<const TokenSpan> gold_spans, std::span<const std::string> gold_tags,
                   std::span<const TokenSpan> system_spans,
                   std::span<const std::string_view> system_tags, RawScore* score);

// Cuts and tags the text of every sentence of gold with tagger and scores the result.
RawScore EvaluateRaw(Tagger* tagger, const Corpus& gold);

// Scores another system's output, a corpus of the same sentences in the same order whose
// words spell each gold text (its FORM and XPOS columns). Fails, naming the sentence,
// when the two do not fit together.
Status EvaluateSystemOutput(const Corpus& gold, const Corpus& system, RawScore* score);

// The report that `quillon eval --raw` prints.
std::string FormatRawReport(const RawScore& score);

}  // namespace quillon

#endif  // QUILLON_TRAIN_RAW_EVALUATION_H_
