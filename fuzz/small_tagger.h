// A small but complete tagger for the harnesses of the formats and their readers: a
// lexicon with punctuation and quotes, lexical and contextual rules that fire, a lemma
// list and a multi-word list, and the tag set. One settings byte picks the options.
#ifndef QUILLON_FUZZ_SMALL_TAGGER_H_
#define QUILLON_FUZZ_SMALL_TAGGER_H_

#include <memory>

#include "core/resources.h"
#include "core/tagger.h"

namespace quillon::fuzz {

// Options from the low bits of settings: tokenizer (classic, modern, spaces), then lemmas
// or multi-word marks.
inline TaggerOptions SmallTaggerOptions(unsigned char settings) {
  TaggerOptions options;
  options.tokenize = settings % 3 != 2;
  options.modern = settings % 3 == 1;
  options.lemma = (settings / 3) % 3 == 1;
  options.multiword = (settings / 3) % 3 == 2;
  return options;
}

struct SmallTagger {
  explicit SmallTagger(TaggerOptions options, bool contextual = true) {
    resources->ignore = IgnoreList({"Mr", "etc"});
    BuildLexicon({"the DT", "cat NN VB", "sat VBD VBN", ". .", ", ,", "` ``", "'' ''", "do VBP VB",
                  "n't RB", "in IN", "spite NN", "of IN", "to TO", "run VB NN", "\" ''"},
                 nullptr, resources.get());
    resources->tag_list = {"CC", "CD",  "DT",  "IN",  "JJ",  "NN", "NNS", "NNP", "RB", "TO",
                           "VB", "VBD", "VBN", "VBP", "VBZ", ".",  ",",   "``",  "''", "PRP$"};
    resources->lexical_records = ParseLexicalRules(
        {"ly hassuf 2 RB", "NN s fhassuf 1 NNS", "- char JJ"}, resources->tag_list);
    if (contextual) {
      resources->contextual_records =
          ParseContextualRules({"NN VB PREVTAG TO", "VBD VBN PREVWD had", "NN JJ NEXTTAG NN"});
    }
    resources->lemmas.Load({"cat -> cats", "sit -> sat,sits", "run -> ran,running"});
    resources->multiwords.Load({"in spite of\tIN", "the cat\tN|P"}, nullptr);
    tagger = std::make_unique<Tagger>(resources.get(), options);
  }
  // Builds the tagger again, after the resources changed.
  void Rebuild(TaggerOptions options) {
    tagger = std::make_unique<Tagger>(resources.get(), options);
  }

  std::unique_ptr<Resources> resources = std::make_unique<Resources>();
  std::unique_ptr<Tagger> tagger;
};

}  // namespace quillon::fuzz

#endif  // QUILLON_FUZZ_SMALL_TAGGER_H_
