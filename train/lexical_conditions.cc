// Conditions of unknown words. Tested by lexical_learner_test.cc.
#include "train/lexical_conditions.h"

#include <algorithm>
#include <bitset>
#include <cassert>
#include <map>
#include <set>
#include <utility>

#include "core/order_key.h"
#include "core/tagger.h"
#include "train/learning_resources.h"

namespace quillon {
namespace {

// The smallest printable byte of each two-digit code of key; empty when a code is none.
std::string SpellKey(std::string_view key) {
  std::string text;
  for (size_t i = 0; i + 1 < key.size(); i += 2) {
    const int code = (key[i] - '0') * 10 + (key[i + 1] - '0');
    int byte = '!';
    while (byte < 127 && KeyCode(static_cast<unsigned char>(byte)) != code) ++byte;
    if (byte == 127) return "";
    text.push_back(static_cast<char>(byte));
  }
  return text;
}

}  // namespace

bool HasLengthField(LexicalKind kind) {
  return kind != LexicalKind::kGoodLeft && kind != LexicalKind::kGoodRight;
}

void ForEachUnknownToken(Tagger* tagger, const Corpus& corpus, bool once_per_word,
                         const std::function<void(std::span<const std::string_view> words, size_t i,
                                                  TagId tag, const std::string& gold)>& visit) {
  std::set<std::pair<std::string, std::string>, std::less<>> met;
  std::vector<TagId> tags;
  for (const TaggedSentence& sentence : corpus.sentences) {
    const std::vector<std::string_view> views = WordViews(sentence.words);
    tagger->TagTokens(views, &tags);
    const std::span<const std::string_view> words = tagger->looked_up();
    const std::span<const int> rows = tagger->rows();
    for (size_t i = 0; i < words.size(); ++i) {
      if (rows[i] != 0) continue;  // the lexicon has a row for it
      if (once_per_word && !met.emplace(words[i], sentence.tags[i]).second) continue;
      visit(words, i, tags[i], sentence.tags[i]);
    }
  }
}

void UnknownTokenSet::Add(Resources* resources, const Corpus& corpus, const TaggerOptions& options,
                          bool once_per_word) {
  assert(resources->lexical_records.empty() && resources->contextual_records.empty());
  const Extensions extensions = LexiconExtensions(*resources);
  Tagger tagger(resources, options);
  std::vector<uint32_t> found;
  ForEachUnknownToken(
      &tagger, corpus, once_per_word,
      [&](std::span<const std::string_view> words, size_t i, TagId tag, const std::string& gold) {
        gold_.push_back(resources->tags.Intern(gold));
        start_.push_back(tag);
        found.clear();
        AddConditions(*resources, extensions, words, i, &found);
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        condition_ids_.insert(condition_ids_.end(), found.begin(), found.end());
        offsets_.push_back(condition_ids_.size());
      });
}

UnknownTokenSet::Extensions UnknownTokenSet::LexiconExtensions(const Resources& resources) const {
  // The argument written for an addsuf condition is a spelling of its ending key: the
  // smallest ending of a lexicon word with that key, or, when no word spells it (a prepared
  // lexicon whose keys do not match its words), the smallest byte of each code.
  std::map<std::string, std::string> spelling;
  Extensions extensions;
  const LexiconTable& table = resources.lexicon;
  for (int r = 0; r < table.LexiconCount(); ++r) {
    const structure1& row = table.row(r);
    const size_t length = row.Key.size() / 2;
    if (row.Key.size() % 2 != 0 || resources.lexicon_index.Find(row.Key) == -1) continue;
    const bool spelled = row.Word.size() == length && Hash(row.Word) == row.Key;
    for (size_t k = 1; k <= static_cast<size_t>(max_affix_) && k < length; ++k) {
      const std::string ending_key(row.Key.substr(2 * (length - k)));
      const std::string text =
          spelled ? std::string(row.Word.substr(length - k)) : SpellKey(ending_key);
      if (!IsRuleField(text)) continue;
      auto [it, fresh] = spelling.emplace(ending_key, text);
      if (!fresh && text < it->second) it->second = text;
      extensions[std::string(row.Key.substr(0, 2 * (length - k)))].emplace_back(ending_key, "");
    }
  }
  for (auto& [prefix, endings] : extensions) {
    std::sort(endings.begin(), endings.end());
    endings.erase(std::unique(endings.begin(), endings.end()), endings.end());
    for (auto& [ending_key, text] : endings) text = spelling[ending_key];
  }
  return extensions;
}

void UnknownTokenSet::AddConditions(const Resources& resources, const Extensions& extensions,
                                    std::span<const std::string_view> words, size_t i,
                                    std::vector<uint32_t>* out) {
  const std::string_view w = words[i];
  auto in_lexicon = [&](std::string_view text) {
    key_.clear();
    AppendKey(text, &key_);
    return resources.lexicon_index.Find(key_) != -1;
  };
  std::bitset<256> seen;
  for (const char c : w) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (seen[byte]) continue;
    seen[byte] = true;
    const std::string_view one(&c, 1);
    if (IsRuleField(one)) out->push_back(Intern(LexicalKind::kChar, one, one));
  }
  const size_t n = w.size();
  for (size_t k = 1; k <= static_cast<size_t>(max_affix_) && k <= n; ++k) {
    const std::string_view suffix = w.substr(n - k);
    if (IsRuleField(suffix)) {
      out->push_back(Intern(LexicalKind::kHasSuf, suffix, suffix));
      if (in_lexicon(w.substr(0, n - k))) {
        out->push_back(Intern(LexicalKind::kDeleteSuf, suffix, suffix));
      }
    }
    const std::string_view prefix = w.substr(0, k);
    if (IsRuleField(prefix)) {
      out->push_back(Intern(LexicalKind::kHasPref, prefix, prefix));
      if (in_lexicon(w.substr(k))) {
        out->push_back(Intern(LexicalKind::kDeletePref, prefix, prefix));
      }
    }
  }
  key_.clear();
  AppendKey(w, &key_);
  if (auto it = extensions.find(key_); it != extensions.end()) {
    for (const auto& [ending_key, text] : it->second) {
      out->push_back(Intern(LexicalKind::kAddSuf, ending_key, text));
    }
  }
  if (i + 1 < words.size() && IsRuleField(words[i + 1])) {
    out->push_back(Intern(LexicalKind::kGoodLeft, words[i + 1], words[i + 1]));
  }
  if (i > 0 && IsRuleField(words[i - 1])) {
    out->push_back(Intern(LexicalKind::kGoodRight, words[i - 1], words[i - 1]));
  }
}

uint32_t UnknownTokenSet::Intern(LexicalKind kind, std::string_view identity,
                                 std::string_view argument) {
  std::string key(1, static_cast<char>(kind));
  key.append(identity);
  auto [it, fresh] = condition_index_.emplace(std::move(key), conditions_.size());
  if (fresh) conditions_.push_back({kind, std::string(argument)});
  return it->second;
}

bool UnknownTokenSet::Holds(size_t token, uint32_t condition) const {
  const std::span<const uint32_t> list = conditions(token);
  return std::binary_search(list.begin(), list.end(), condition);
}

void UnknownTokenSet::Finish() {
  token_offsets_.assign(conditions_.size() + 1, 0);
  for (uint32_t id : condition_ids_) ++token_offsets_[id + 1];
  for (size_t c = 0; c < conditions_.size(); ++c) token_offsets_[c + 1] += token_offsets_[c];
  token_ids_.resize(condition_ids_.size());
  std::vector<size_t> next(token_offsets_.begin(), token_offsets_.end() - 1);
  for (size_t t = 0; t < size(); ++t) {
    for (uint32_t id : conditions(t)) token_ids_[next[id]++] = static_cast<uint32_t>(t);
  }
}

}  // namespace quillon
