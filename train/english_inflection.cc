// Spelling rules of regular inflection. Tested by list_builders_test.cc.
#include "train/english_inflection.h"

namespace quillon {
namespace {

bool IsVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

bool AllLowerLetters(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (c < 'a' || c > 'z') return false;
  }
  return true;
}

// Groups of vowels; a y after a consonant counts as a vowel (happy has two), a final e
// after a consonant does not when another group comes before it (make and large have one).
int Syllables(std::string_view word) {
  int groups = 0;
  bool in_group = false;
  for (size_t i = 0; i < word.size(); ++i) {
    const bool vowel = IsVowel(word[i]) || (word[i] == 'y' && i > 0 && !IsVowel(word[i - 1]));
    if (vowel && !in_group) ++groups;
    in_group = vowel;
  }
  const size_t n = word.size();
  if (groups > 1 && n >= 2 && word[n - 1] == 'e' && !IsVowel(word[n - 2])) --groups;
  return groups;
}

// Consonant, single vowel, consonant at the end of a one-syllable word (stop, big, plan):
// the last consonant is doubled before -ing, -ed, -er, -est. Not w, x or y (showed, fixed).
bool DoublesLastConsonant(std::string_view word) {
  const size_t n = word.size();
  if (n < 3 || Syllables(word) != 1) return false;
  const char last = word[n - 1];
  if (IsVowel(last) || last == 'w' || last == 'x' || last == 'y') return false;
  return IsVowel(word[n - 2]) && !IsVowel(word[n - 3]);
}

bool EndsInConsonantY(std::string_view word) {
  const size_t n = word.size();
  return n >= 2 && word[n - 1] == 'y' && !IsVowel(word[n - 2]);
}

std::string Stem(std::string_view word, size_t drop) {
  return std::string(word.substr(0, word.size() - drop));
}

// The -s form shared by plurals and the third person: boxes, cities, days.
std::string SForm(std::string_view word) {
  if (word.ends_with("s") || word.ends_with("x") || word.ends_with("z") || word.ends_with("ch") ||
      word.ends_with("sh")) {
    return std::string(word) + "es";
  }
  if (EndsInConsonantY(word)) return Stem(word, 1) + "ies";
  return std::string(word) + "s";
}

std::string IngForm(std::string_view word) {
  if (word.ends_with("ie")) return Stem(word, 2) + "ying";
  if (word.size() > 2 && word.ends_with("e") && !word.ends_with("ee") && !word.ends_with("oe") &&
      !word.ends_with("ye")) {
    return Stem(word, 1) + "ing";
  }
  if (DoublesLastConsonant(word)) return std::string(word) + word.back() + "ing";
  return std::string(word) + "ing";
}

// The -ed and -er/-est endings follow the same spelling rules: suffix starts with e.
std::string ESuffixForm(std::string_view word, std::string_view suffix) {
  if (word.ends_with("e")) return std::string(word) + std::string(suffix.substr(1));
  if (EndsInConsonantY(word)) return Stem(word, 1) + "i" + std::string(suffix);
  if (DoublesLastConsonant(word)) return std::string(word) + word.back() + std::string(suffix);
  return std::string(word) + std::string(suffix);
}

}  // namespace

std::vector<std::string> NounPlurals(std::string_view lemma) {
  if (!AllLowerLetters(lemma)) return {};
  return {SForm(lemma)};
}

std::vector<std::string> VerbForms(std::string_view lemma) {
  if (!AllLowerLetters(lemma)) return {};
  // Verbs in -o take -es (goes, does, echoes); nouns vary (heroes, photos) and take -s.
  std::string third = lemma.ends_with("o") ? std::string(lemma) + "es" : SForm(lemma);
  return {std::move(third), IngForm(lemma), ESuffixForm(lemma, "ed")};
}

std::vector<std::string> AdjectiveForms(std::string_view lemma) {
  if (!AllLowerLetters(lemma) || lemma.size() < 2) return {};
  const int syllables = Syllables(lemma);
  if (syllables != 1 && !(syllables == 2 && EndsInConsonantY(lemma))) return {};
  return {ESuffixForm(lemma, "er"), ESuffixForm(lemma, "est")};
}

}  // namespace quillon
