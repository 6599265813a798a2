// Start-state tagging and the per-sentence pipeline. Tested by tagger_test.cc.
#include "core/tagger.h"

#include <algorithm>
#include <cassert>

#include "core/ascii.h"
#include "core/format_writer.h"
#include "core/lookup_form.h"
#include "core/order_key.h"
#include "core/tokenizer.h"

namespace quillon {
namespace {

// Whether the token before a word makes it a sentence start: an opening quote or bracket,
// or the end of a sentence before it on the same line.
bool OpensSentence(std::string_view previous) {
  if (previous.size() == 2) return previous == "``";
  if (previous.size() != 1) return false;
  switch (previous[0]) {
    case '"':
    case '(':
    case '[':
    case '{':
    case '.':
    case '!':
    case '?':
      return true;
    default:
      return false;
  }
}

// Whether word is written in capitals only: two or more letters A-Z, nothing else.
bool IsAllCapitals(std::string_view word) {
  return word.size() >= 2 && std::all_of(word.begin(), word.end(), [](char c) {
           return AsciiIsUpper(static_cast<unsigned char>(c));
         });
}

}  // namespace

TaggerOptions OptionsFromSettings(const RunSettings& settings) {
  TaggerOptions options;
  options.tokenize = settings.Tokenization != 1;
  options.modern = options.tokenize && settings.modern_tokenizer;
  options.case_fallbacks = options.modern;
  options.unknown_spelling = options.modern;
  options.separator = settings.SeparatorChar();
  options.multiword = settings.RadioGroup5 == 0;
  options.lemma = settings.Lemma == 1 && !options.multiword;
  return options;
}

CompiledRules::CompiledRules(Resources* resources)
    : lexical(resources->lexical_records, &resources->tags),
      contextual(resources->contextual_records, &resources->tags) {
  assert(resources->lexicon.LexiconCount() >= 2);
  licence_rows.Build(resources->lexicon, resources->tags);
  contextual.MarkRuleWords(resources->lexicon_index, &licence_rows);
}

Tagger::Tagger(Resources* resources, TaggerOptions options)
    : Tagger(resources, options, std::make_shared<const CompiledRules>(resources)) {}

Tagger::Tagger(Resources* resources, TaggerOptions options,
               std::shared_ptr<const CompiledRules> rules)
    : resources_(resources),
      options_(options),
      rules_(std::move(rules)),
      lexical_(rules_->lexical),
      licence_rows_(rules_->licence_rows),
      contextual_(rules_->contextual),
      modern_(&resources->ignore) {}

void Tagger::Tokens(std::string_view sentence, std::vector<std::string_view>* tokens) const {
  if (options_.tokenize) {
    options_.modern ? modern_.Tokenize(sentence, tokens)
                    : Tokenize(sentence, resources_->ignore, tokens);
    return;
  }
  // With the tokenizer off, the tokens are the fields between runs of blanks. The pattern
  // is set for every sentence, as the splitter expects; after the first sentence that is
  // a cache hit. The empty fields that leading or trailing blanks give are not tokens.
  awk_str1_.SetRegExp(" +");
  awk_str1_.Split(sentence, tokens);
  std::erase(*tokens, std::string_view());
}

void Tagger::StartTags(std::span<const std::string_view> tokens) {
  const size_t n = tokens.size();
  const LexiconIndex& index = resources_->lexicon_index;
  tags_.resize(n);
  rows_.resize(n);
  word_values_.resize(n);
  lookups_.resize(n);
  const LicenceView licence{&licence_rows_, rows_};
  missed_.clear();
  // Most tokens are words met shortly before, found in the cache. The others take three
  // rounds, so that the cache misses of one token's lookup overlap those of the others:
  // hash every word, probe every word, then read every row.
  for (size_t i = 0; i < n; ++i) {
    WordCache::Found found;
    if (word_cache_.Find(tokens[i], &found)) {
      rows_[i] = found.row < 0 ? 0 : found.row;
      word_values_[i] = found.value;
      continue;
    }
    missed_.push_back(i);
    lookups_[i] = index.StartWord(tokens[i], &key_);
  }
  for (const size_t i : missed_) {
    const std::string_view word = tokens[i];
    // A lone byte without a code of its own takes the default row of small-letter words,
    // for its start tag and for the licence; it is not an unknown word. Row 0 marks the
    // unknown words here, whatever their case.
    int found = IsNullKey(word) ? 1 : index.EndWord(lookups_[i], word, &key_);
    // A row found through the capitalised form holds that form's rule word: the word's own
    // is looked up (rule_word_row 0).
    const int rule_word_row = found < 0 ? 0 : found;
    if (found < 0) found = CapitalisedRow(word);
    rows_[i] = found < 0 ? 0 : found;
    word_values_[i] = contextual_.WordValueOf(word, rule_word_row, licence);
    word_cache_.Store(word, {found, word_values_[i]});
  }
  for (size_t i = 0; i < n; ++i) licence_rows_.Prefetch(rows_[i]);
  if (options_.unknown_spelling) spelling_.assign(n, kAnySpelling);
  for (size_t i = 0; i < n; ++i) {
    if (rows_[i] != 0) {
      tags_[i] = licence_rows_.StartTag(rows_[i]);
      continue;
    }
    const std::string_view word = tokens[i];
    if (options_.unknown_spelling) spelling_[i] = SpellingOf(word);
    const bool capital = !word.empty() && AsciiIsUpper(static_cast<unsigned char>(word[0]));
    tags_[i] = licence_rows_.StartTag(capital ? 0 : 1);
    lexical_.Apply(i, tokens, &tags_[i], index, &scratch_);
  }
}

std::span<const std::string_view> Tagger::LookupWords(std::span<const std::string_view> tokens,
                                                      bool ascii) {
  std::span<const std::string_view> words = tokens;
  if (options_.modern && !ascii) words = TypographicForms(tokens);
  if (options_.case_fallbacks) words = CaseFallbackForms(words);
  looked_up_ = words;
  return words;
}

std::span<const std::string_view> Tagger::TypographicForms(
    std::span<const std::string_view> tokens) {
  // Most sentences are plain ASCII and are looked up as they stand. Otherwise the forms
  // are written first and viewed afterwards, since writing may move the bytes.
  size_t first = 0;
  while (first < tokens.size() && !HasNonAscii(tokens[first])) ++first;
  if (first == tokens.size()) return tokens;
  lookup_bytes_.clear();
  lookup_.assign(tokens.begin(), tokens.end());
  std::vector<size_t>& ends = lookup_ends_;
  ends.assign(tokens.size(), 0);
  for (size_t i = first; i < tokens.size(); ++i) {
    const size_t start = lookup_bytes_.size();
    if (!AppendLookupForm(tokens[i], &lookup_bytes_)) continue;
    ends[i] = lookup_bytes_.size();
    // A quotation mark takes the first of its spellings that the lexicon knows.
    const std::string_view form = std::string_view(lookup_bytes_).substr(start);
    if (resources_->lexicon_index.FindWord(form, &key_) >= 2) continue;
    for (const std::string_view fallback : QuoteFallbacks(form)) {
      if (resources_->lexicon_index.FindWord(fallback, &key_) < 2) continue;
      lookup_bytes_.replace(start, std::string::npos, fallback);
      ends[i] = lookup_bytes_.size();
      break;
    }
  }
  size_t start = 0;
  for (size_t i = first; i < tokens.size(); ++i) {
    if (ends[i] == 0) continue;
    lookup_[i] = std::string_view(lookup_bytes_).substr(start, ends[i] - start);
    start = ends[i];
  }
  return lookup_;
}

bool Tagger::Knows(std::string_view word) {
  // The cache holds the row StartTags gave the word, its capitalised form's included;
  // a word not in it is judged the same way, so that the answer never depends on the
  // sentences tagged before.
  WordCache::Found found;
  if (word_cache_.Find(word, &found)) return found.row >= 2;
  return resources_->lexicon_index.FindWord(word, &key_) >= 2 || CapitalisedRow(word) >= 2;
}

int Tagger::CapitalisedRow(std::string_view word) {
  if (!options_.case_fallbacks || word.empty() || word[0] < 'a' || word[0] > 'z') return -1;
  capitalised_.assign(word);
  capitalised_[0] = static_cast<char>(capitalised_[0] - 'a' + 'A');
  const int row = resources_->lexicon_index.FindWord(capitalised_, &key_);
  return row >= 2 ? row : -1;
}

bool Tagger::ReadsLowered(std::string_view word) {
  if (word.empty() || !AsciiIsUpper(static_cast<unsigned char>(word[0])) || Knows(word)) {
    return false;
  }
  scratch_.clear();
  AppendAsciiLowered(word, &scratch_);
  return Knows(scratch_);
}

std::span<const std::string_view> Tagger::CaseFallbackForms(
    std::span<const std::string_view> words) {
  lowered_.clear();
  for (size_t i = 0; i < words.size(); ++i) {
    // Most words have a small first letter: the cheapest test goes first.
    const std::string_view word = words[i];
    if (word.empty() || !AsciiIsUpper(static_cast<unsigned char>(word[0]))) continue;
    if (i > 0 && !OpensSentence(words[i - 1]) && !IsAllCapitals(word)) continue;
    if (ReadsLowered(word)) lowered_.push_back(i);
  }
  if (lowered_.empty()) return words;
  if (words.data() != lookup_.data()) lookup_.assign(words.begin(), words.end());
  // Written first and viewed afterwards, since writing may move the bytes.
  lowered_bytes_.clear();
  for (const size_t i : lowered_) AppendAsciiLowered(lookup_[i], &lowered_bytes_);
  size_t start = 0;
  for (const size_t i : lowered_) {
    const size_t size = lookup_[i].size();
    lookup_[i] = std::string_view(lowered_bytes_).substr(start, size);
    start += size;
  }
  return lookup_;
}

LicenceView Tagger::Licence() const {
  LicenceView licence{&licence_rows_, rows_, word_values_};
  if (options_.unknown_spelling) licence.spelling = spelling_;
  return licence;
}

void Tagger::TagTokens(std::span<const std::string_view> tokens, std::vector<TagId>* tags,
                       std::vector<uint32_t>* fired) {
  tokens = LookupWords(tokens);
  StartTags(tokens);
  contextual_.Apply(tokens, tags_, Licence(), &contextual_scratch_, fired);
  tags->assign(tags_.begin(), tags_.end());
}

const SentenceResult& Tagger::Tag(std::string_view sentence) {
  Tokens(sentence, &tokens_);
  return Finish(sentence, tokens_, options_.modern && !HasNonAscii(sentence));
}

const SentenceResult& Tagger::TagWords(std::span<const std::string_view> words) {
  return Finish({}, words, false);
}

const SentenceResult& Tagger::Finish(std::string_view text,
                                     std::span<const std::string_view> tokens, bool ascii) {
  const std::span<const std::string_view> words = LookupWords(tokens, ascii);
  StartTags(words);
  contextual_.Apply(words, tags_, Licence(), &contextual_scratch_);
  result_ = SentenceResult{};
  result_.text = text;
  result_.words = tokens;
  result_.tags = tags_;
  result_.tag_names = &resources_->tags;
  result_.lemmas_on = options_.lemma;
  result_.marks_on = options_.multiword;
  if (options_.multiword) {
    resources_->multiwords.MultiWord(words, &marks_);
    result_.marks = std::span(marks_.annotation).first(words.size());
  } else if (options_.lemma) {
    Lemmatize(words);
    result_.lemmas = lemmas_;
  }
  return result_;
}

void Tagger::Lemmatize(std::span<const std::string_view> words) {
  for (const std::string_view word : words) resources_->lemmas.Prefetch(word);
  // A lemma from the table stays where it is; one made from the word itself lives in the
  // scratch and is gathered, then viewed once gathering can no longer move it.
  constexpr size_t kInTable = SIZE_MAX;
  lemma_bytes_.clear();
  lemma_ends_.resize(words.size());
  lemmas_.resize(words.size());
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string_view lemma = resources_->lemmas.Lemmatization(words[i], &lemma_scratch_);
    if (lemma.data() != lemma_scratch_.lowered.data()) {
      lemmas_[i] = lemma;
      lemma_ends_[i] = kInTable;
      continue;
    }
    lemma_bytes_.append(lemma);
    lemma_ends_[i] = lemma_bytes_.size();
  }
  size_t start = 0;
  for (size_t i = 0; i < words.size(); ++i) {
    if (lemma_ends_[i] == kInTable) continue;
    lemmas_[i] = std::string_view(lemma_bytes_).substr(start, lemma_ends_[i] - start);
    start = lemma_ends_[i];
  }
}

void Tagger::TagSentence(std::string_view sentence, std::string* out) {
  AppendWordTagLine(Tag(sentence), options_.separator, out);
}

}  // namespace quillon
