// What the lexical learner knows about each unknown word: the conditions of the eight rule
// kinds that hold for it. A condition is a rule kind with its argument ("hassuf ly",
// "goodright the"); a rule is a condition with a new tag (and, in f-form, the tag the word
// must carry). The conditions that hold for a word depend on its spelling, its neighbours
// and the lexicon only, never on its tag, so they are computed once and the learners count
// over them. Lexicon look-ups (deletesuf, deletepref, addsuf) go through the same index the
// tagger uses, by order key, so two affixes with the same key are one addsuf condition.
// Tested by lexical_learner_test.cc.
#ifndef QUILLON_TRAIN_LEXICAL_CONDITIONS_H_
#define QUILLON_TRAIN_LEXICAL_CONDITIONS_H_

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/lexical_rules.h"
#include "core/resources.h"
#include "core/tagger.h"
#include "train/corpus.h"

namespace quillon {

// True for the kinds whose argument is an affix or character, written with its length.
bool HasLengthField(LexicalKind kind);

struct LexicalCondition {
  LexicalKind kind;
  std::string argument;
};

// Calls visit(words, i, tag, gold) for every token of corpus that the lexicon of tagger
// does not know, as the tagger decides: words are those the tagger looked the sentence up
// by, tag the one it gave the token. With once_per_word, only for the first token of each
// word with each gold tag: a name repeated through one document then counts once, as a
// word seen once does.
void ForEachUnknownToken(Tagger* tagger, const Corpus& corpus, bool once_per_word,
                         const std::function<void(std::span<const std::string_view> words, size_t i,
                                                  TagId tag, const std::string& gold)>& visit);

class UnknownTokenSet {
 public:
  // Affixes are 1 to max_affix bytes long.
  explicit UnknownTokenSet(int max_affix) : max_affix_(max_affix) {}

  // Adds the tokens of corpus that the lexicon of resources does not know, as the tagger
  // decides, with their start tags and the conditions that hold for them under that
  // lexicon. resources must hold no rules; gold tags are interned into its tag table, so
  // every part added must come with the same resources (its lexicon rebuilt in between).
  // The conditions read the words the tagger looked the tokens up by (with options). With
  // once_per_word only the first token of a word with each gold tag is added.
  void Add(Resources* resources, const Corpus& corpus,
           const TaggerOptions& options = TaggerOptions(), bool once_per_word = false);
  // Builds the index of tokens by condition; call after the last Add.
  void Finish();

  size_t size() const { return gold_.size(); }
  TagId gold(size_t token) const { return gold_[token]; }
  TagId start(size_t token) const { return start_[token]; }

  // The conditions that hold for token, ascending ids.
  std::span<const uint32_t> conditions(size_t token) const {
    return {condition_ids_.data() + offsets_[token], offsets_[token + 1] - offsets_[token]};
  }
  bool Holds(size_t token, uint32_t condition) const;

  size_t condition_count() const { return conditions_.size(); }
  const LexicalCondition& condition(uint32_t id) const { return conditions_[id]; }
  // The tokens for which condition holds, ascending.
  std::span<const uint32_t> tokens_with(uint32_t condition) const {
    return {token_ids_.data() + token_offsets_[condition],
            token_offsets_[condition + 1] - token_offsets_[condition]};
  }

 private:
  // Suffix extensions that make a word of the lexicon: for the order key of a prefix, the
  // keys of the 1 to max_affix byte endings with a spelling for each.
  using Extensions =
      std::unordered_map<std::string, std::vector<std::pair<std::string, std::string>>>;
  Extensions LexiconExtensions(const Resources& resources) const;
  void AddConditions(const Resources& resources, const Extensions& extensions,
                     std::span<const std::string_view> words, size_t i, std::vector<uint32_t>* out);
  uint32_t Intern(LexicalKind kind, std::string_view identity, std::string_view argument);

  int max_affix_;
  std::vector<TagId> gold_;
  std::vector<TagId> start_;
  std::vector<uint32_t> condition_ids_;
  std::vector<size_t> offsets_{0};
  std::vector<LexicalCondition> conditions_;
  std::unordered_map<std::string, uint32_t> condition_index_;
  std::vector<uint32_t> token_ids_;
  std::vector<size_t> token_offsets_;
  std::string key_;
};

}  // namespace quillon

#endif  // QUILLON_TRAIN_LEXICAL_CONDITIONS_H_
