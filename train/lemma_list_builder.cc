// Choosing one lemma per word form from the corpus and WordNet, and writing the lines.
// Tested by list_builders_test.cc.
#include "train/lemma_list_builder.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/ascii.h"
#include "core/order_key.h"
#include "train/english_inflection.h"

namespace quillon {
namespace {

enum Source { kCorpus = 0, kException = 1, kInflection = 2 };

struct Choice {
  std::string lemma;
  Source source;
  size_t weight;  // corpus tokens of the form; 0 for WordNet forms
};

bool HasSpaceOrControl(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 127; });
}

// A form ends at a comma; white space would make it match no token.
bool WritableForm(std::string_view form) {
  return !form.empty() && form.find(',') == std::string_view::npos && !HasSpaceOrControl(form);
}

// A lemma ends at the first space; a line that begins with "[" is a heading.
bool WritableLemma(std::string_view lemma) {
  return !lemma.empty() && lemma[0] != '[' && !HasSpaceOrControl(lemma);
}

bool IsMultiWord(std::string_view text) { return text.find('_') != std::string_view::npos; }

using LemmaCounts = std::unordered_map<std::string, size_t>;

// The lemma with the largest count; on a tie the form itself, else the smallest in byte order.
std::string MostFrequent(const std::string& form, const std::map<std::string, size_t>& counts) {
  const std::string* best = nullptr;
  size_t best_count = 0;
  for (const auto& [lemma, count] : counts) {
    if (best == nullptr || count > best_count || (count == best_count && lemma == form)) {
      best = &lemma;
      best_count = count;
    }
  }
  return *best;
}

// Of candidate lemmas in their order, the one the corpus uses most as a lemma; the first
// on a tie.
std::string MostUsed(const std::vector<std::string>& candidates, const LemmaCounts& lemma_counts) {
  const std::string* best = &candidates[0];
  size_t best_count = 0;
  for (const std::string& lemma : candidates) {
    const auto it = lemma_counts.find(lemma);
    const size_t count = it == lemma_counts.end() ? 0 : it->second;
    if (count > best_count) {
      best = &lemma;
      best_count = count;
    }
  }
  return *best;
}

void AddCandidate(const std::string& form, const std::string& lemma,
                  std::map<std::string, std::vector<std::string>>* candidates) {
  std::vector<std::string>& lemmas = (*candidates)[form];
  if (std::find(lemmas.begin(), lemmas.end(), lemma) == lemmas.end()) lemmas.push_back(lemma);
}

void ChooseFromCorpus(const Corpus& corpus, std::map<std::string, Choice>* chosen,
                      LemmaCounts* lemma_counts, LemmaListStats* stats) {
  std::map<std::string, std::map<std::string, size_t>> counts;  // form -> lemma -> tokens
  std::unordered_map<std::string, size_t> form_counts;
  for (const TaggedSentence& sentence : corpus.sentences) {
    if (sentence.lemmas.size() != sentence.words.size()) continue;
    for (size_t i = 0; i < sentence.words.size(); ++i) {
      if (sentence.lemmas[i] == "_") continue;  // no lemma given
      std::string form = AsciiLowered(sentence.words[i]);
      std::string lemma = AsciiLowered(sentence.lemmas[i]);
      if (!WritableForm(form) || !WritableLemma(lemma)) {
        stats->unwritable += form != lemma;  // a form that is its own lemma needs no line
        continue;
      }
      ++(*lemma_counts)[lemma];
      ++form_counts[form];
      ++counts[std::move(form)][std::move(lemma)];
    }
  }
  for (const auto& [form, lemmas] : counts) {
    (*chosen)[form] = {MostFrequent(form, lemmas), kCorpus, form_counts[form]};
  }
}

void ChooseFromExceptions(const WordNet& wordnet, const LemmaCounts& lemma_counts,
                          std::map<std::string, Choice>* chosen) {
  std::map<std::string, std::vector<std::string>> candidates;
  for (const auto& entries : wordnet.exceptions) {
    for (const WordNetException& entry : entries) {
      if (IsMultiWord(entry.form)) continue;
      for (const std::string& lemma : entry.lemmas) {
        if (!IsMultiWord(lemma))
          AddCandidate(AsciiLowered(entry.form), AsciiLowered(lemma), &candidates);
      }
    }
  }
  for (const auto& [form, lemmas] : candidates) {
    if (chosen->count(form) || !WritableForm(form)) continue;
    std::string lemma = MostUsed(lemmas, lemma_counts);
    if (WritableLemma(lemma)) (*chosen)[form] = {std::move(lemma), kException, 0};
  }
}

// What the exception lists replace: the plural of a noun they list (mice for mouses); the
// comparative or superlative of an adjective, the -ing or the -ed form of a verb, when they
// list one of that kind (better for gooder, went for goed, abetted for abeted).
struct Irregular {
  std::unordered_set<std::string> nouns, comparatives, superlatives, verbs_ing, verbs_ed;
};

Irregular IrregularLemmas(const WordNet& wordnet) {
  Irregular irregular;
  for (int pos = 0; pos < kWordNetPosCount; ++pos) {
    for (const WordNetException& e : wordnet.exceptions[pos]) {
      for (const std::string& raw : e.lemmas) {
        const std::string lemma = AsciiLowered(raw);
        if (pos == kWordNetNoun) irregular.nouns.insert(lemma);
        if (pos == kWordNetAdjective) {
          (e.form.ends_with("st") ? irregular.superlatives : irregular.comparatives).insert(lemma);
        }
        if (pos == kWordNetVerb) {
          (e.form.ends_with("ing") ? irregular.verbs_ing : irregular.verbs_ed).insert(lemma);
        }
      }
    }
  }
  return irregular;
}

// The regular forms of a lemma of one part of speech that the exception lists leave.
std::vector<std::string> RegularForms(int pos, const std::string& lemma, const Irregular& irr) {
  if (pos == kWordNetNoun && !irr.nouns.count(lemma)) return NounPlurals(lemma);
  std::vector<std::string> forms;
  if (pos == kWordNetAdjective) {
    forms = AdjectiveForms(lemma);  // -er, -est
    if (forms.empty()) return forms;
    if (irr.superlatives.count(lemma)) forms.erase(forms.begin() + 1);
    if (irr.comparatives.count(lemma)) forms.erase(forms.begin());
  }
  if (pos == kWordNetVerb) {
    forms = VerbForms(lemma);  // -s, -ing, -ed
    if (forms.empty()) return forms;
    if (irr.verbs_ed.count(lemma)) forms.erase(forms.begin() + 2);
    if (irr.verbs_ing.count(lemma)) forms.erase(forms.begin() + 1);
  }
  return forms;
}

void ChooseFromInflection(const WordNet& wordnet, const LemmaCounts& lemma_counts,
                          const LemmaListOptions& options, std::map<std::string, Choice>* chosen) {
  const Irregular irregular = IrregularLemmas(wordnet);
  std::unordered_set<std::string> wordnet_lemmas;
  std::map<std::string, std::vector<std::string>> candidates;
  for (int pos = 0; pos < kWordNetPosCount; ++pos) {
    for (const std::string& raw : wordnet.lemmas[pos]) {
      if (IsMultiWord(raw)) continue;
      const std::string lemma = AsciiLowered(raw);
      wordnet_lemmas.insert(lemma);
      for (const std::string& form : RegularForms(pos, lemma, irregular)) {
        AddCandidate(form, lemma, &candidates);
      }
    }
  }
  for (auto& [form, lemmas] : candidates) {
    if (chosen->count(form)) continue;
    if (!options.inflect_lemma_forms && wordnet_lemmas.count(form)) continue;
    std::sort(lemmas.begin(), lemmas.end());
    (*chosen)[form] = {MostUsed(lemmas, lemma_counts), kInflection, 0};
  }
}

}  // namespace

std::vector<std::string> BuildLemmaListLines(const Corpus& corpus, const WordNet& wordnet,
                                             const LemmaListOptions& options,
                                             LemmaListStats* stats) {
  *stats = LemmaListStats();
  std::map<std::string, Choice> chosen;  // form -> its lemma
  LemmaCounts lemma_counts;
  ChooseFromCorpus(corpus, &chosen, &lemma_counts, stats);
  ChooseFromExceptions(wordnet, lemma_counts, &chosen);
  ChooseFromInflection(wordnet, lemma_counts, options, &chosen);

  // The lookup finds a form by its order key, and a few spellings share one (a.m / a!m):
  // the better-attested form decides the lemma of that key.
  std::vector<const std::pair<const std::string, Choice>*> order;
  for (const auto& entry : chosen) order.push_back(&entry);
  std::stable_sort(order.begin(), order.end(), [](const auto* a, const auto* b) {
    if (a->second.source != b->second.source) return a->second.source < b->second.source;
    return a->second.weight > b->second.weight;
  });
  std::unordered_map<std::string, const std::string*> lemma_of_key;
  std::map<std::string, std::vector<std::string>> forms_of_lemma;
  std::string codes;
  for (const auto* entry : order) {
    const std::string& form = entry->first;
    const Choice& choice = entry->second;
    codes.clear();
    AppendCodes(form, &codes);
    const auto [it, fresh] = lemma_of_key.emplace(codes, &choice.lemma);
    if (!fresh && *it->second != choice.lemma) continue;
    if (choice.lemma == form) {
      ++stats->own_lemma;
      continue;
    }
    forms_of_lemma[choice.lemma].push_back(form);
    ++stats->forms;
    ++(choice.source == kCorpus      ? stats->from_corpus
       : choice.source == kException ? stats->from_exceptions
                                     : stats->from_inflection);
  }

  std::vector<std::string> lines = {
      "[ Lemma list: lemma -> word forms; each form under the one lemma it most often has ]",
      "[ From the LEMMA column of a tagged corpus, the WordNet 3.0 exception lists and the "
      "regular inflections of WordNet lemmas ]"};
  for (auto& [lemma, forms] : forms_of_lemma) {
    std::sort(forms.begin(), forms.end());
    std::string line = lemma + " ->";
    for (size_t i = 0; i < forms.size(); ++i) line += (i == 0 ? " " : ",") + forms[i];
    lines.push_back(std::move(line));
  }
  stats->lemmas = forms_of_lemma.size();
  return lines;
}

}  // namespace quillon
