// Fuzz harness for the WordNet readers: an index file or an exception file (byte 0, bit 0),
// read as the part of speech of bits 1-2, or with bit 3 a noun data file (the names); the
// rest is the file. Inputs above 4 KiB are
// skipped. Besides crashes, it traps when an invariant breaks: an error names the file and a
// line; an accepted index gives every lemma a sense count, and its fields hold no blank; the
// word list built from what was read holds only plain words with at least one tag, sorted;
// and every form the spelling rules make of a lemma read is longer than the lemma.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "train/english_inflection.h"
#include "train/wordnet.h"
#include "train/wordnet_words.h"

namespace quillon {
namespace {

constexpr size_t kMaxInput = 4096;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

bool HasBlank(std::string_view field) { return field.find_first_of(" \t\r\n") != field.npos; }

void CheckWordList(const WordNet& wordnet) {
  const std::vector<WordListEntry> entries = WordNetWordList(wordnet);
  for (size_t i = 0; i < entries.size(); ++i) {
    Check(IsPlainLemma(entries[i].word) && !entries[i].tags.empty());
    Check(i == 0 || entries[i - 1].word < entries[i].word);
  }
}

void Inflect(const std::string& lemma) {
  for (const auto& forms : {NounPlurals(lemma), VerbForms(lemma), AdjectiveForms(lemma)}) {
    for (const std::string& form : forms) Check(form.size() > lemma.size());
  }
  for (SpellingRules rules : {SpellingRules::kStandard, SpellingRules::kShippedWordList}) {
    Check(PastOf(lemma, rules).size() > lemma.size());
    Check(PresentParticipleOf(lemma, rules).size() > lemma.size());
    Check(ThirdPersonOf(lemma, rules).size() > lemma.size());
    if (TakesComparison(lemma, rules)) Check(SuperlativeOf(lemma, rules).size() > lemma.size());
  }
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size == 0 || size > kMaxInput) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const int pos = (data[0] >> 1) % kWordNetPosCount;
  WordNet wordnet;
  Status status;
  if (data[0] & 8) {
    status = ParseWordNetNames(text, "fuzz", &wordnet.noun_names);
    if (status.ok()) {
      for (const std::string& name : wordnet.noun_names) {
        Check(!name.empty() && !HasBlank(name));
        Check(std::none_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; }));
        wordnet.lemmas[kWordNetNoun].push_back(name);
        wordnet.tagged_senses[kWordNetNoun][name] = 1;
      }
    }
  } else if (data[0] & 1) {
    status = ParseWordNetExceptions(text, "fuzz", &wordnet.exceptions[pos]);
  } else {
    status = ParseWordNetIndex(text, "fuzz", &wordnet.lemmas[pos], &wordnet.tagged_senses[pos]);
  }
  if (!status.ok()) {
    Check(status.message().rfind("fuzz:", 0) == 0);
    return 0;
  }
  for (const std::string& lemma : wordnet.lemmas[pos]) {
    Check(!lemma.empty() && !HasBlank(lemma) && wordnet.tagged_senses[pos].count(lemma) == 1);
    Check(wordnet.tagged_senses[pos].at(lemma) >= 0);
    Inflect(lemma);
  }
  for (const WordNetException& e : wordnet.exceptions[pos]) {
    Check(!e.form.empty() && !HasBlank(e.form) && !e.lemmas.empty());
    for (const std::string& lemma : e.lemmas) Check(!lemma.empty() && !HasBlank(lemma));
  }
  CheckWordList(wordnet);
  return 0;
}
