// Start-state tagging and the per-sentence pipeline. Tested by tagger_test.cc.
#include "core/tagger.h"

#include <cassert>

#include "core/ascii.h"
#include "core/order_key.h"
#include "core/tokenizer.h"

namespace quillon {

TaggerOptions OptionsFromSettings(const RunSettings& settings) {
  TaggerOptions options;
  options.tokenize = settings.Tokenization != 1;
  options.separator = settings.SeparatorChar();
  options.multiword = settings.RadioGroup5 == 0;
  options.lemma = settings.Lemma == 1 && !options.multiword;
  return options;
}

Tagger::Tagger(Resources* resources, TaggerOptions options)
    : resources_(resources),
      options_(options),
      lexical_(resources->lexical_records, &resources->tags),
      contextual_(resources->contextual_records, &resources->tags) {
  assert(resources_->lexicon.LexiconCount() >= 2);
  const LexiconTable& lexicon = resources_->lexicon;
  BuildLicenceRows(lexicon, &licence_rows_);
}

void Tagger::Tokens(std::string_view sentence, std::vector<std::string_view>* tokens) const {
  if (options_.tokenize) {
    Tokenize(sentence, resources_->ignore, tokens);
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
  tags_.resize(n);
  rows_.resize(n);
  for (const std::string_view word : tokens) resources_->lexicon_index.PrefetchWord(word);
  for (size_t i = 0; i < n; ++i) {
    const std::string_view word = tokens[i];
    if (IsNullKey(word)) {
      // A lone byte without a code of its own: the default row of small-letter words,
      // for its start tag and for the licence; it is not an unknown word.
      rows_[i] = 1;
      tags_[i] = licence_rows_[1].tags[0];
      continue;
    }
    const int found = resources_->lexicon_index.FindWord(word, &key_);
    rows_[i] = found < 0 ? 0 : found;
    if (rows_[i] != 0) {
      tags_[i] = licence_rows_[rows_[i]].tags[0];
      continue;
    }
    const bool capital = !word.empty() && AsciiIsUpper(static_cast<unsigned char>(word[0]));
    tags_[i] = licence_rows_[capital ? 0 : 1].tags[0];
    lexical_.Apply(i, tokens, &tags_[i], resources_->lexicon_index, &scratch_);
  }
}

void Tagger::TagTokens(std::span<const std::string_view> tokens, std::vector<TagId>* tags,
                       std::vector<uint32_t>* fired) {
  StartTags(tokens);
  contextual_.Apply(tokens, tags_, LicenceView{&licence_rows_, rows_}, &contextual_scratch_, fired);
  tags->assign(tags_.begin(), tags_.end());
}

void Tagger::TagSentence(std::string_view sentence, std::string* out) {
  Tokens(sentence, &tokens_);
  StartTags(tokens_);
  contextual_.Apply(tokens_, tags_, LicenceView{&licence_rows_, rows_}, &contextual_scratch_);
  if (options_.multiword) {
    resources_->multiwords.MultiWord(tokens_, &marks_);
  } else if (options_.lemma) {
    for (const std::string_view token : tokens_) resources_->lemmas.Prefetch(token);
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
      out->append(resources_->lemmas.Lemmatization(tokens_[i], &lemma_scratch_));
    }
  }
}

}  // namespace quillon
