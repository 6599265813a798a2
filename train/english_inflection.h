// Regular English inflection, for listing the forms of dictionary lemmas: noun plurals,
// verb forms (-s, -ing, -ed) and comparatives and superlatives of short adjectives, by the
// ordinary spelling rules (boxes, cities, making, dying, stopped, tried, larger, happier,
// bigger). Irregular forms are not made here: they come from the WordNet exception lists.
// Only lemmas of lower-case letters a to z are inflected; others give no forms.
// Tested by list_builders_test.cc.
#ifndef QUILLON_TRAIN_ENGLISH_INFLECTION_H_
#define QUILLON_TRAIN_ENGLISH_INFLECTION_H_

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

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
