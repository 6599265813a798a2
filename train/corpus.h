// Tagged corpora for learning and evaluation: sentences of words with their gold tags.
// Three formats are read: CoNLL-U (the FORM and XPOS columns, and for the list builders the
// LEMMA, UPOS, HEAD and DEPREL columns; multi-word token lines and empty nodes are skipped) and one
// sentence per line of `word_TAG` tokens, where the last underscore of a token splits word from
// tag; and MASC's `word_TAG` lines, whose own tag spellings (PP, LRB, VBG|NN ...) are mapped
// first and whose tags must then be classic Penn tags. Tags are mapped onto the classic Penn set
// that the resource files use (-LRB- becomes "(", "to" is always TO, ...), the same way for
// training and for scoring. Malformed input is an error naming the file and line. Tested by
// corpus_test.cc and the fuzz harnesses.
#ifndef QUILLON_TRAIN_CORPUS_H_
#define QUILLON_TRAIN_CORPUS_H_

#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace quillon {

struct TaggedSentence {
  std::vector<std::string> words;
  std::vector<std::string> tags;  // index-aligned with words
  // The other CoNLL-U columns, index-aligned with words; empty for `word_TAG` text.
  // (Default initialisers keep `{words, tags}` initialisation free of warnings.)
  std::vector<std::string> lemmas = {};   // "_" where the corpus gives none
  std::vector<std::string> upos = {};     // universal tag, "PUNCT" for punctuation
  std::vector<int> heads = {};            // word number of the head (1-based), 0 root, -1 none
  std::vector<std::string> deprels = {};  // relation to the head, "fixed" in a fixed expression
  std::string text = {};                  // the "# text = " comment of CoNLL-U, if any

  bool has_syntax() const { return !words.empty() && heads.size() == words.size(); }
};

struct Corpus {
  std::vector<TaggedSentence> sentences;
  size_t TokenCount() const;
};

enum class CorpusFormat { kAuto, kConllu, kWordTag, kMasc };

// Parses "auto", "conllu", "wordtag" or "masc"; false for anything else.
bool ParseCorpusFormat(std::string_view name, CorpusFormat* format);

// The gold tag as the resource files spell it: the UD extensions mapped onto the classic
// Penn set, and the word "to" (any letter case) tagged IN made TO.
std::string MapTag(std::string_view word, std::string_view tag);

// A MASC tag as the resource files spell it: MASC's own spellings (PP for PRP, LRB and RRB
// for brackets, dashes, ellipses and ";" for ":", a lone quote for '', VBG|NN for VBG,
// UH` for UH), then MapTag. The result may still lie outside the classic set.
std::string MapMascTag(std::string_view word, std::string_view tag);

// The sentences a lenient reading left out because a line of them was malformed.
struct SkippedSentences {
  size_t count = 0;
  std::string first;  // the error that left out the first of them
  void Add(std::string error);
};

// "left out 3 malformed sentences; the first: FILE:LINE: ..." for the user.
std::string SkippedNote(const SkippedSentences& skipped);

// Appends the sentences of text to corpus. name (a file name) prefixes error messages,
// which have the form "name:line: what is wrong". The first malformed line is an error,
// unless skipped is given: then its sentence is left out and counted there.
Status ParseConllu(std::string_view text, const std::string& name, Corpus* corpus,
                   SkippedSentences* skipped = nullptr);
Status ParseWordTag(std::string_view text, const std::string& name, Corpus* corpus,
                    SkippedSentences* skipped = nullptr);
// MASC's lines: `word_TAG` tokens with MapMascTag; a tag outside the classic Penn set
// makes the token malformed, so a lenient reading leaves its sentence out.
Status ParseMasc(std::string_view text, const std::string& name, Corpus* corpus,
                 SkippedSentences* skipped = nullptr);

// The format of text when format is kAuto: CoNLL-U when the path ends in ".conllu" or the
// first line that is neither blank nor a comment starts with a number and a tab.
CorpusFormat DetectFormat(const std::string& path, std::string_view text);

// Reads the file at path and appends its sentences to corpus.
Status ReadCorpus(const std::string& path, CorpusFormat format, Corpus* corpus,
                  SkippedSentences* skipped = nullptr);

// Reads every file of paths, in order, into one corpus.
Status ReadCorpora(const std::vector<std::string>& paths, CorpusFormat format, Corpus* corpus,
                   SkippedSentences* skipped = nullptr);

// Splits corpus into two parts by sentence: round(fraction * sentences) sentences chosen by
// a shuffle seeded with seed go to held, the others to kept; each keeps corpus order. The
// same seed gives the same split on every platform.
void SplitCorpus(const Corpus& corpus, double fraction, uint64_t seed, Corpus* kept, Corpus* held);

// Deals the sentences into folds by the same seeded shuffle: fold k holds the sentences
// at places k, k + folds, k + 2 * folds, ... of the shuffled order. held receives fold
// `fold` and rest every other fold, each in corpus order.
void SplitFold(const Corpus& corpus, int folds, int fold, uint64_t seed, Corpus* rest,
               Corpus* held);

}  // namespace quillon

#endif  // QUILLON_TRAIN_CORPUS_H_
