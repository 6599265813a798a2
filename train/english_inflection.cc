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
// count when another group comes before it (make and large have one). The shipped word
// list's rules count every y as a vowel and keep a final e after y.
int Syllables(std::string_view word, SpellingRules rules) {
  const bool every_y = rules == SpellingRules::kShippedWordList;
  int groups = 0;
  bool in_group = false;
  for (size_t i = 0; i < word.size(); ++i) {
    const bool y_vowel = every_y || (i > 0 && !IsVowel(word[i - 1]));
    const bool vowel = IsVowel(word[i]) || (word[i] == 'y' && y_vowel);
    if (vowel && !in_group) ++groups;
    in_group = vowel;
  }
  const size_t n = word.size();
  if (groups > 1 && n >= 2 && word[n - 1] == 'e' && !IsVowel(word[n - 2]) &&
      !(every_y && word[n - 2] == 'y')) {
    --groups;
  }
  return groups;
}

// Consonant, single vowel, consonant at the end of a one-syllable word (stop, big, plan):
// the last consonant is doubled before -ing, -ed, -er, -est. Not w, x or y (showed, fixed).
bool DoublesLastConsonant(std::string_view word, SpellingRules rules) {
  const size_t n = word.size();
  if (n < 3 || Syllables(word, rules) != 1) return false;
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
std::string ESuffixForm(std::string_view word, std::string_view suffix, SpellingRules rules) {
  if (word.ends_with("e")) return std::string(word) + std::string(suffix.substr(1));
  if (EndsInConsonantY(word)) return Stem(word, 1) + "i" + std::string(suffix);
  if (DoublesLastConsonant(word, rules)) {
    return std::string(word) + word.back() + std::string(suffix);
  }
  return std::string(word) + std::string(suffix);
}

// The -s form of a verb in -o is a matter of usage, not of spelling: goes, does, echoes
// and vetoes, but solos, tangos, discos and radios. The common verbs that take -es, alone
// or after a prefix (undergoes, outdoes, reechoes), are listed; the rest take -s. Verbs
// with both forms in use (zeros, lassos) keep -s; their -oes forms, listed as noun plurals
// in the exception lists, reach the word lists from there.
bool TakesOes(std::string_view verb) {
  static constexpr std::string_view kOesVerbs[] = {"do",   "go",      "echo",
                                                   "veto", "torpedo", "embargo"};
  static constexpr std::string_view kPrefixes[] = {"",     "fore", "for", "mis",  "out",
                                                   "over", "re",   "un",  "under"};
  for (std::string_view prefix : kPrefixes) {
    if (!verb.starts_with(prefix)) continue;
    for (std::string_view oes : kOesVerbs) {
      if (verb.substr(prefix.size()) == oes) return true;
    }
  }
  return false;
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

std::string ThirdPersonOf(std::string_view verb, SpellingRules rules) {
  return rules == SpellingRules::kStandard && TakesOes(verb) ? std::string(verb) + "es"
                                                             : PluralOf(verb);
}

std::string PastOf(std::string_view verb, SpellingRules rules) {
  return ESuffixForm(verb, "ed", rules);
}

std::string PresentParticipleOf(std::string_view verb, SpellingRules rules) {
  if (verb.ends_with("ie")) return Stem(verb, 2) + "ying";
  if (verb.size() > 2 && verb.ends_with("e") && !verb.ends_with("ee") && !verb.ends_with("oe") &&
      !verb.ends_with("ye")) {
    return Stem(verb, 1) + "ing";
  }
  if (DoublesLastConsonant(verb, rules)) return std::string(verb) + verb.back() + "ing";
  return std::string(verb) + "ing";
}

std::string ComparativeOf(std::string_view adjective, SpellingRules rules) {
  return ESuffixForm(adjective, "er", rules);
}

std::string SuperlativeOf(std::string_view adjective, SpellingRules rules) {
  return ESuffixForm(adjective, "est", rules);
}

bool TakesComparison(std::string_view adjective, SpellingRules rules) {
  if (!AllLowerLetters(adjective)) return false;
  if (adjective.size() < 2 && rules == SpellingRules::kStandard) return false;
  const int syllables = Syllables(adjective, rules);
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
