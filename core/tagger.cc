// Start-state tagging and the per-sentence pipeline. Tested by tagger_test.cc.
#include "core/tagger.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "core/ascii.h"
#include "core/lookup_form.h"
#include "core/order_key.h"
#include "core/tokenizer.h"

namespace quillon {

TaggerOptions OptionsFromSettings(const RunSettings& settings) {
  TaggerOptions options;
  options.tokenize = settings.Tokenization != 1;
  options.modern = options.tokenize && settings.modern_tokenizer;
  options.separator = settings.SeparatorChar();
  options.multiword = settings.RadioGroup5 == 0;
  options.lemma = settings.Lemma == 1 && !options.multiword;
  return options;
}

Tagger::Tagger(Resources* resources, TaggerOptions options)
    : resources_(resources),
      options_(options),
      lexical_(resources->lexical_records, &resources->tags),
      contextual_(resources->contextual_records, &resources->tags),
      modern_(&resources->ignore) {
  assert(resources_->lexicon.LexiconCount() >= 2);
  const LexiconTable& lexicon = resources_->lexicon;
  BuildLicenceRows(lexicon, &licence_rows_);
  contextual_.MarkRuleWords(resources_->lexicon_index, &licence_rows_);
  // Every tag the tagger can give is interned by now (lexicon, rules).
  tag_bytes_.resize(resources_->tags.size());
  for (TagId id = 0; id < tag_bytes_.size(); ++id) {
    const std::string_view name = TagName(id);
    tag_bytes_[id].length = name.size();
    std::memcpy(tag_bytes_[id].bytes, name.data(),
                std::min(name.size(), sizeof tag_bytes_[id].bytes));
  }
}

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
  lookups_.resize(n);
  // Three rounds over the tokens, so that the cache misses of one token's lookup overlap
  // those of the others: hash every word, probe every word, then read every row.
  for (size_t i = 0; i < n; ++i) lookups_[i] = index.StartWord(tokens[i], &key_);
  for (size_t i = 0; i < n; ++i) {
    const std::string_view word = tokens[i];
    // A lone byte without a code of its own takes the default row of small-letter words,
    // for its start tag and for the licence; it is not an unknown word. Row 0 marks the
    // unknown words here, whatever their case.
    const int found = IsNullKey(word) ? 1 : index.EndWord(lookups_[i], word, &key_);
    rows_[i] = found < 0 ? 0 : found;
    __builtin_prefetch(&licence_rows_[rows_[i]]);
  }
  for (size_t i = 0; i < n; ++i) {
    if (rows_[i] != 0) {
      tags_[i] = licence_rows_[rows_[i]].tags[0];
      continue;
    }
    const std::string_view word = tokens[i];
    const bool capital = !word.empty() && AsciiIsUpper(static_cast<unsigned char>(word[0]));
    tags_[i] = licence_rows_[capital ? 0 : 1].tags[0];
    lexical_.Apply(i, tokens, &tags_[i], index, &scratch_);
  }
}

std::span<const std::string_view> Tagger::LookupWords(std::span<const std::string_view> tokens,
                                                      bool ascii) {
  if (!options_.modern || ascii) return tokens;
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

void Tagger::TagTokens(std::span<const std::string_view> tokens, std::vector<TagId>* tags,
                       std::vector<uint32_t>* fired) {
  tokens = LookupWords(tokens);
  StartTags(tokens);
  contextual_.Apply(tokens, tags_, LicenceView{&licence_rows_, rows_}, &contextual_scratch_, fired);
  tags->assign(tags_.begin(), tags_.end());
}

void Tagger::AppendPairs(std::string_view sentence, std::string* out) const {
  // A short token that lies inside the sentence with 16 bytes of it from its start is
  // copied with one fixed-size move too (the bytes after it are overwritten next).
  const uintptr_t first = reinterpret_cast<uintptr_t>(sentence.data());
  const uintptr_t last = first + sentence.size();
  // Room for every pair with a whole name slot per tag, cut back to what was written.
  size_t room = 0;
  for (size_t i = 0; i < tokens_.size(); ++i) {
    room += std::max<size_t>(tokens_[i].size(), 16) + 2 +
            std::max(sizeof(TagBytes::bytes), TagName(tags_[i]).size());
  }
  const size_t start = out->size();
  out->resize(start + room);
  char* p = out->data() + start;
  for (size_t i = 0; i < tokens_.size(); ++i) {
    if (i > 0) *p++ = ' ';
    const std::string_view token = tokens_[i];
    const uintptr_t at = reinterpret_cast<uintptr_t>(token.data());
    if (token.size() <= 16 && at >= first && at + 16 <= last) {
      std::memcpy(p, token.data(), 16);
    } else {
      std::memcpy(p, token.data(), token.size());
    }
    p += token.size();
    *p++ = options_.separator;
    const TagBytes& tag = tag_bytes_[tags_[i]];
    if (tag.length <= sizeof tag.bytes) {
      std::memcpy(p, tag.bytes, sizeof tag.bytes);  // one fixed-size move; the rest is slack
    } else {
      std::memcpy(p, TagName(tags_[i]).data(), tag.length);
    }
    p += tag.length;
  }
  out->resize(static_cast<size_t>(p - out->data()));
}

void Tagger::TagSentence(std::string_view sentence, std::string* out) {
  Tokens(sentence, &tokens_);
  const std::span<const std::string_view> words =
      LookupWords(tokens_, options_.modern && !HasNonAscii(sentence));
  StartTags(words);
  contextual_.Apply(words, tags_, LicenceView{&licence_rows_, rows_}, &contextual_scratch_);
  if (options_.multiword) {
    resources_->multiwords.MultiWord(words, &marks_);
  } else if (options_.lemma) {
    for (const std::string_view word : words) resources_->lemmas.Prefetch(word);
  } else {
    AppendPairs(sentence, out);
    return;
  }
  for (size_t i = 0; i < tokens_.size(); ++i) {
    if (i > 0) out->push_back(' ');
    out->append(tokens_[i]);
    out->push_back(options_.separator);
    out->append(TagName(tags_[i]));
    if (options_.multiword) {
      if (marks_.annotation[i] != nullptr) out->append(*marks_.annotation[i]);
    } else if (options_.lemma) {
      out->push_back(options_.separator);
      out->append(resources_->lemmas.Lemmatization(words[i], &lemma_scratch_));
    }
  }
}

}  // namespace quillon
