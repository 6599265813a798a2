// Regular English inflection, for listing the forms of dictionary lemmas: noun plurals,
// verb forms (-s, -ing, -ed) and comparatives and superlatives of short adjectives, by the
// ordinary spelling rules (boxes, cities, goes, making, dying, stopped, tried, larger,
// happier, bigger). Irregular forms are not made here: they come from the WordNet exception
// lists. Both word-list builders use these rules, the lemma list through the list functions
// (lemmas of letters a to z only) and the tagged word list through the single forms.
// Tested by english_inflection_test.cc.
#ifndef QUILLON_TRAIN_ENGLISH_INFLECTION_H_
#define QUILLON_TRAIN_ENGLISH_INFLECTION_H_

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The rules the lemma list and every new list use, and those the shipped tagged word list
// was built with: there every y counts as a vowel (so loyal takes loyaller, crayon makes
// crayonned), a one-letter adjective takes -er/-est and every verb in -o takes -s. Its lexicon's
// tag order, and the rules learned from it, depend on those forms; built with the standard rules
// the retrained files tagged EWT dev worse (93.67% against 93.73%), so the word list keeps its own
// until a retraining that scores no worse.
enum class SpellingRules { kStandard, kShippedWordList };

// One form each. Letters other than a to z (hyphens in well-fed) are kept as they are and
// only the end of the word is looked at.
std::string PluralOf(std::string_view noun);  // boxes, cities, days, photos
// As PluralOf, but goes, vetoes; the shipped word list's rules make it PluralOf (gos).
std::string ThirdPersonOf(std::string_view verb, SpellingRules rules = SpellingRules::kStandard);
std::string PastOf(std::string_view verb, SpellingRules rules = SpellingRules::kStandard);
std::string PresentParticipleOf(std::string_view verb,
                                SpellingRules rules = SpellingRules::kStandard);
std::string ComparativeOf(std::string_view adjective,
                          SpellingRules rules = SpellingRules::kStandard);  // -er
std::string SuperlativeOf(std::string_view adjective,
                          SpellingRules rules = SpellingRules::kStandard);  // -est
// Whether an adjective takes -er/-est: letters a to z only, one syllable, or two ending in
// a consonant and y (happy, not careful or loyal).
bool TakesComparison(std::string_view adjective, SpellingRules rules = SpellingRules::kStandard);

// "box" -> {"boxes"}; "city" -> {"cities"}; "day" -> {"days"}.
std::vector<std::string> NounPlurals(std::string_view lemma);

// "stop" -> {"stops", "stopping", "stopped"}; "like" -> {"likes", "liking", "liked"};
// "go" -> {"goes", "going", "goed"}: the caller drops what the exception lists replace.
// The doubled final consonant is written only for words of one syllable; longer words
// that double (admit, refer) are in the exception lists.
std::vector<std::string> VerbForms(std::string_view lemma);

// Comparative and superlative of adjectives of one syllable or of two ending in y:
// "big" -> {"bigger", "biggest"}; "happy" -> {"happier", "happiest"}; "careful" -> {}.
std::vector<std::string> AdjectiveForms(std::string_view lemma);

}  // namespace quillon

#endif  // QUILLON_TRAIN_ENGLISH_INFLECTION_H_
