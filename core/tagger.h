// The tagger: one sentence in, its tokens and their tags out. Each token gets its start tag from
// the lexicon (or a sentinel row when the lexicon does not know it, and then the lexical
// rules), then the contextual rules correct the tags. Tags are interned integers, rules
// are indexed by their FromTag, the lexicon is at most one hash probe per token (the
// tagger's WordCache answers for the words it met lately), and the working arrays are
// reused from sentence to sentence, so tagging allocates nothing per token.
//
// The public entry points for a program that tags text: build the Resources (LoadResources
// of core/resources.h), a Tagger over them, then
//   const SentenceResult& s = tagger.Tag("The cat sat.");       // running text
//   const SentenceResult& t = tagger.TagWords(words);           // words already cut
// and read s.words[i], s.tag(i), s.lemmas[i] (with lemmas on). The result is valid until
// the next call; a tagger is used by one thread at a time (one tagger per thread).
// Tested by tagger_test.cc and differential_test.cc (against a plain reference tagger).
#ifndef QUILLON_CORE_TAGGER_H_
#define QUILLON_CORE_TAGGER_H_

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/contextual_rules.h"
#include "core/lexical_rules.h"
#include "core/modern_tokenizer.h"
#include "core/resources.h"
#include "core/sentence_result.h"
#include "core/word_cache.h"
#include "regex/awk_str.h"

namespace quillon {

struct TaggerOptions {
  bool tokenize = true;  // false: split at runs of spaces, nothing else
  char separator = '_';
  bool lemma = false;      // write each token's lemma after its tag
  bool multiword = false;  // write multi-word marks after the tag (no lemmas then)
  // With tokenize: the modern tokenizer instead of the classic one, and each token looked
  // up (lexicon, rules, lemmas, multi-words) by its ASCII form (’s as 's); the output
  // keeps the token's own bytes.
  bool modern = false;
  // A word with a capital first letter that starts a sentence (the first token, or one
  // after an opening quote or bracket or after . ! ?), or a word in capitals only
  // anywhere, that the lexicon lacks and knows in small letters, is looked up in small
  // letters: "Crap like this" reads "crap", "HELP MILLIONS" "help millions". Such
  // capitals mark a sentence or a heading, not a name. The other way round, a word with a
  // small first letter that the lexicon lacks takes the entry of its capitalised form
  // (web text writes names in small letters: "jill", "francisco"). On with modern; the
  // learners set it with their lookup forms, so that rules are learned on the words the
  // tagger reads.
  bool case_fallbacks = false;
  // A contextual rule gives a word the lexicon lacks only a tag its ending allows (no VBG
  // without -ing: core/unknown_spelling.h). On with modern; the learners set it with
  // their lookup forms.
  bool unknown_spelling = false;
};

// Options of a run's settings.
TaggerOptions OptionsFromSettings(const RunSettings& settings);

// What a tagger compiles from its resources before the first sentence: the rules in the
// form the passes read, and the lexicon rows as the tagger reads them. Read-only once
// built, so taggers on several threads share one.
struct CompiledRules {
  // Compiles the rules of resources (interning their tags: build before other threads
  // read the tag table).
  explicit CompiledRules(Resources* resources);

  LexicalRules lexical;
  ContextualRules contextual;
  // Every lexicon entry as the tagger reads it: the start tag, and what the licence reads.
  LicenceTable licence_rows;
};

class Tagger {
 public:
  // Compiles the rules of resources, which must outlive the tagger.
  Tagger(Resources* resources, TaggerOptions options);

  // A tagger that shares rules compiled from the same resources (one per thread).
  Tagger(Resources* resources, TaggerOptions options, std::shared_ptr<const CompiledRules> rules);

  // The compiled rules, to share with another tagger over the same resources.
  const std::shared_ptr<const CompiledRules>& rules() const { return rules_; }
  const TaggerOptions& options() const { return options_; }

  // Tags one sentence of running text: cuts it into tokens as the run would (the
  // tokenizer of the options) and tags them. The result views sentence and the tagger's
  // own arrays; it is valid until the next call and while sentence lives.
  const SentenceResult& Tag(std::string_view sentence);

  // Tags words that were cut already (a vertical or CoNLL-U file, a caller's token list),
  // one token each, as they are. The result views words, which must outlive its reading.
  const SentenceResult& TagWords(std::span<const std::string_view> words);

  // Tags sentence and appends its word_TAG line, without a line end, to out.
  void TagSentence(std::string_view sentence, std::string* out);

  // Cuts sentence into tokens as the run would (views into sentence).
  void Tokens(std::string_view sentence, std::vector<std::string_view>* tokens) const;

  // Tags a token list; tags receives one tag per token. For learning and evaluation;
  // fired, when given, receives the line index of each contextual rule that changed a tag.
  void TagTokens(std::span<const std::string_view> tokens, std::vector<TagId>* tags,
                 std::vector<uint32_t>* fired = nullptr);

  // The lexicon row of each token of the last sentence tagged, as the licence uses it:
  // 0 for a word the lexicon does not know. For learning and evaluation.
  std::span<const int> rows() const { return rows_; }

  // The words the last sentence was looked up by (see LookupWords), valid until the next
  // call. For learning, which must see the words the rules will see.
  std::span<const std::string_view> looked_up() const { return looked_up_; }

  std::string_view TagName(TagId id) const { return resources_->tags.Name(id); }
  const Resources& resources() const { return *resources_; }

 private:
  // Tags tokens (cut from text, or given) and fills result_.
  const SentenceResult& Finish(std::string_view text, std::span<const std::string_view> tokens,
                               bool ascii);

  // The lemma of each of words, into lemmas_.
  void Lemmatize(std::span<const std::string_view> words);

  // Start tags (and lexical rules for unknown words) for tokens_, into tags_ and rows_.
  void StartTags(std::span<const std::string_view> tokens);

  // The words that tokens are looked up by: the tokens themselves, or in modern mode
  // their lookup forms (views into lookup_bytes_, valid until the next call). ascii tells
  // that no token holds a byte above ASCII, when the caller knows it.
  std::span<const std::string_view> LookupWords(std::span<const std::string_view> tokens,
                                                bool ascii = false);

  // The ASCII forms of the typographic characters of tokens (modern lookup).
  std::span<const std::string_view> TypographicForms(std::span<const std::string_view> tokens);

  // words with their capitalised sentence starts and all-capitals words in small letters
  // where case_fallbacks says so.
  std::span<const std::string_view> CaseFallbackForms(std::span<const std::string_view> words);

  // With case_fallbacks, for a small-letter word the lexicon lacks, the row of its
  // capitalised form; otherwise, or when there is none, -1.
  int CapitalisedRow(std::string_view word);

  // Whether word, a capitalised sentence start, is looked up in small letters.
  bool ReadsLowered(std::string_view word);

  // Whether StartTags finds a row for word, with the case fallbacks it applies (the word
  // cache answers for words met lately).
  bool Knows(std::string_view word);

  Resources* resources_;
  TaggerOptions options_;
  std::shared_ptr<const CompiledRules> rules_;
  const LexicalRules& lexical_;
  const LicenceTable& licence_rows_;
  const ContextualRules& contextual_;
  // Reused from sentence to sentence.
  std::vector<std::string_view> tokens_;
  std::vector<TagId> tags_;
  std::vector<int> rows_;
  std::vector<uint32_t> word_values_;  // what the contextual rules read for each word
  std::vector<uint8_t> spelling_;      // with unknown_spelling: see LicenceView
  // The licence of the last sentence's tokens, for the contextual rules.
  LicenceView Licence() const;
  WordCache word_cache_;
  std::vector<size_t> missed_;  // the tokens the cache did not hold
  std::vector<LexiconIndex::WordLookup> lookups_;
  ContextualRules::Scratch contextual_scratch_;
  LemmaTable::Scratch lemma_scratch_;
  MultiwordTable::Marks marks_;
  std::string lemma_bytes_;
  std::vector<size_t> lemma_ends_;
  std::vector<std::string_view> lemmas_;
  SentenceResult result_;
  std::string key_;
  std::string scratch_;
  std::vector<std::string_view> lookup_;
  std::vector<size_t> lookup_ends_;  // where each token's form ends in lookup_bytes_, or 0
  std::string lookup_bytes_;
  std::vector<size_t> lowered_;  // the sentence starts read in small letters
  std::string lowered_bytes_;
  std::string capitalised_;  // CapitalisedRow's scratch
  std::span<const std::string_view> looked_up_;
  // Keeps its scratch between sentences; cutting changes nothing else, hence mutable.
  mutable ModernTokenizer modern_;
  // The splitter of the tokenizer-off mode. Splitting only changes which cached pattern is
  // current, never what Tokens computes, hence mutable.
  mutable TAWKStr awk_str1_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_TAGGER_H_
