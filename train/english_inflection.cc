// Spelling rules of regular inflection. Tested by english_inflection_test.cc.
#include "train/english_inflection.h"

namespace quillon {
namespace {

bool IsVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }
bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }
bool IsConsonant(char c) { return IsLetter(c) && !IsVowel(c); }

bool AllLowerLetters(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (!IsLetter(c)) return false;
  }
  return true;
}

// Groups of vowels; a y after a consonant counts as a vowel (happy has two), one after a
// vowel does not (loyal and crayon have two, not one); a final e after a consonant does not
// count when another group comes before it (make and large have one).
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
  if (!IsConsonant(last) || last == 'w' || last == 'x' || last == 'y') return false;
  return IsVowel(word[n - 2]) && IsConsonant(word[n - 3]);
}

bool EndsInConsonantY(std::string_view word) {
  const size_t n = word.size();
  return n >= 2 && word[n - 1] == 'y' && IsConsonant(word[n - 2]);
}

std::string Stem(std::string_view word, size_t drop) {
  return std::string(word.substr(0, word.size() - drop));
}

// The -e- suffixes -ed, -er and -est follow the same spelling rules.
std::string ESuffixForm(std::string_view word, std::string_view suffix) {
  if (word.ends_with("e")) return std::string(word) + std::string(suffix.substr(1));
  if (EndsInConsonantY(word)) return Stem(word, 1) + "i" + std::string(suffix);
  if (DoublesLastConsonant(word)) return std::string(word) + word.back() + std::string(suffix);
  return std::string(word) + std::string(suffix);
}

}  // namespace

std::string PluralOf(std::string_view noun) {
  if (noun.ends_with("s") || noun.ends_with("x") || noun.ends_with("z") || noun.ends_with("ch") ||
      noun.ends_with("sh")) {
    return std::string(noun) + "es";
  }
  if (EndsInConsonantY(noun)) return Stem(noun, 1) + "ies";
  return std::string(noun) + "s";
}

std::string ThirdPersonOf(std::string_view verb) {
  // Verbs in consonant and o take -es (goes, does, echoes, vetoes); after a vowel the o
  // takes -s (radios, tattoos). Nouns vary (heroes, photos) and keep PluralOf's -s.
  const size_t n = verb.size();
  if (n >= 2 && verb[n - 1] == 'o' && IsConsonant(verb[n - 2])) return std::string(verb) + "es";
  return PluralOf(verb);
}

std::string PastOf(std::string_view verb) { return ESuffixForm(verb, "ed"); }

std::string PresentParticipleOf(std::string_view verb) {
  if (verb.ends_with("ie")) return Stem(verb, 2) + "ying";
  if (verb.size() > 2 && verb.ends_with("e") && !verb.ends_with("ee") && !verb.ends_with("oe") &&
      !verb.ends_with("ye")) {
    return Stem(verb, 1) + "ing";
  }
  if (DoublesLastConsonant(verb)) return std::string(verb) + verb.back() + "ing";
  return std::string(verb) + "ing";
}

std::string ComparativeOf(std::string_view adjective) { return ESuffixForm(adjective, "er"); }

std::string SuperlativeOf(std::string_view adjective) { return ESuffixForm(adjective, "est"); }

bool TakesComparison(std::string_view adjective) {
  if (!AllLowerLetters(adjective) || adjective.size() < 2) return false;
  const int syllables = Syllables(adjective);
  return syllables == 1 || (syllables == 2 && EndsInConsonantY(adjective));
}

std::vector<std::string> NounPlurals(std::string_view lemma) {
  if (!AllLowerLetters(lemma)) return {};
  return {PluralOf(lemma)};
}

std::vector<std::string> VerbForms(std::string_view lemma) {
  if (!AllLowerLetters(lemma)) return {};
  return {ThirdPersonOf(lemma), PresentParticipleOf(lemma), PastOf(lemma)};
}

std::vector<std::string> AdjectiveForms(std::string_view lemma) {
  if (!TakesComparison(lemma)) return {};
  return {ComparativeOf(lemma), SuperlativeOf(lemma)};
}

}  // namespace quillon
