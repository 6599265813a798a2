// The spelling rules of regular inflection, through the single forms the tagged word list
// uses and the lists the lemma list uses. Where the two builders once had rules of their
// own that disagreed (goes/gos, radios/radioes, loyal, crayon, kayak), the cases pin the
// correct spelling, and the rules the shipped word list keeps are pinned apart.
#include "train/english_inflection.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quillon {
namespace {

TEST(EnglishInflectionTest, SpellingRules) {
  using Forms = std::vector<std::string>;
  const std::vector<std::tuple<std::string, Forms, Forms, Forms>> cases = {
      // lemma, as a noun, as a verb, as an adjective
      {"cat", {"cats"}, {"cats", "catting", "catted"}, {"catter", "cattest"}},
      {"box", {"boxes"}, {"boxes", "boxing", "boxed"}, {"boxer", "boxest"}},
      {"church", {"churches"}, {"churches", "churching", "churched"}, {"churcher", "churchest"}},
      {"wish", {"wishes"}, {"wishes", "wishing", "wished"}, {"wisher", "wishest"}},
      {"city", {"cities"}, {"cities", "citying", "citied"}, {"citier", "citiest"}},
      {"day", {"days"}, {"days", "daying", "dayed"}, {"dayer", "dayest"}},
      {"make", {"makes"}, {"makes", "making", "maked"}, {"maker", "makest"}},
      {"die", {"dies"}, {"dies", "dying", "died"}, {"dier", "diest"}},
      {"see", {"sees"}, {"sees", "seeing", "seed"}, {"seer", "seest"}},
      {"go", {"gos"}, {"goes", "going", "goed"}, {"goer", "goest"}},
      {"echo", {"echos"}, {"echoes", "echoing", "echoed"}, {}},
      {"radio", {"radios"}, {"radios", "radioing", "radioed"}, {}},
      {"tattoo", {"tattoos"}, {"tattoos", "tattooing", "tattooed"}, {}},
      // Most verbs in consonant and o take -s; the common ones that take -es are known.
      {"solo", {"solos"}, {"solos", "soloing", "soloed"}, {}},
      {"tango", {"tangos"}, {"tangos", "tangoing", "tangoed"}, {}},
      {"undergo", {"undergos"}, {"undergoes", "undergoing", "undergoed"}, {}},
      {"outdo", {"outdos"}, {"outdoes", "outdoing", "outdoed"}, {}},
      {"veto", {"vetos"}, {"vetoes", "vetoing", "vetoed"}, {}},
      {"show", {"shows"}, {"shows", "showing", "showed"}, {"shower", "showest"}},
      {"visit", {"visits"}, {"visits", "visiting", "visited"}, {}},
      {"large", {"larges"}, {"larges", "larging", "larged"}, {"larger", "largest"}},
      {"simple", {"simples"}, {"simples", "simpling", "simpled"}, {"simpler", "simplest"}},
      {"happy", {"happies"}, {"happies", "happying", "happied"}, {"happier", "happiest"}},
      {"careful", {"carefuls"}, {"carefuls", "carefuling", "carefuled"}, {}},
      // A y between vowels is a consonant: two syllables, so no doubling and no -er.
      {"loyal", {"loyals"}, {"loyals", "loyaling", "loyaled"}, {}},
      {"crayon", {"crayons"}, {"crayons", "crayoning", "crayoned"}, {}},
      {"kayak", {"kayaks"}, {"kayaks", "kayaking", "kayaked"}, {}},
      {"u", {"us"}, {"us", "uing", "ued"}, {}},  // one letter: no comparison
      {"well-known", {}, {}, {}},
      {"Paris", {}, {}, {}},
      {"", {}, {}, {}},
  };
  for (const auto& [lemma, noun, verb, adjective] : cases) {
    EXPECT_EQ(NounPlurals(lemma), noun) << lemma;
    EXPECT_EQ(VerbForms(lemma), verb) << lemma;
    EXPECT_EQ(AdjectiveForms(lemma), adjective) << lemma;
  }
}

TEST(EnglishInflectionTest, SingleForms) {
  const struct {
    const char* lemma;
    const char* plural;  // also the -s form of a verb
    const char* past;
    const char* ing;
  } cases[] = {
      {"walk", "walks", "walked", "walking"},
      {"bus", "buses", "bussed", "bussing"},
      {"box", "boxes", "boxed", "boxing"},
      {"buzz", "buzzes", "buzzed", "buzzing"},
      {"match", "matches", "matched", "matching"},
      {"wish", "wishes", "wished", "wishing"},
      {"carry", "carries", "carried", "carrying"},
      {"play", "plays", "played", "playing"},
      {"hope", "hopes", "hoped", "hoping"},
      {"agree", "agrees", "agreed", "agreeing"},
      {"die", "dies", "died", "dying"},
      {"stop", "stops", "stopped", "stopping"},
      {"plan", "plans", "planned", "planning"},
      {"fix", "fixes", "fixed", "fixing"},
      {"snow", "snows", "snowed", "snowing"},
      {"open", "opens", "opened", "opening"},
      {"treat", "treats", "treated", "treating"},
      {"dye", "dyes", "dyed", "dyeing"},
      // Other bytes stay; the end of the word decides.
      {"x-ray", "x-rays", "x-rayed", "x-raying"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PluralOf(c.lemma), c.plural) << c.lemma;
    EXPECT_EQ(ThirdPersonOf(c.lemma), c.plural) << c.lemma;
    EXPECT_EQ(PastOf(c.lemma), c.past) << c.lemma;
    EXPECT_EQ(PresentParticipleOf(c.lemma), c.ing) << c.lemma;
  }
}

TEST(EnglishInflectionTest, ComparisonOfShortAdjectivesOnly) {
  const struct {
    const char* adjective;
    bool takes;
    const char* comparative;
    const char* superlative;
  } cases[] = {
      {"big", true, "bigger", "biggest"},
      {"large", true, "larger", "largest"},
      {"happy", true, "happier", "happiest"},
      {"grey", true, "greyer", "greyest"},
      {"quick", true, "quicker", "quickest"},
      {"coy", true, "coyer", "coyest"},
      {"beautiful", false, "", ""},
      {"famous", false, "", ""},
      {"well-known", false, "", ""},
      {"gray-green", false, "", ""},
      {"loyal", false, "", ""},
      {"royal", false, "", ""},
      {"i", false, "", ""},
      {"", false, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TakesComparison(c.adjective), c.takes) << c.adjective;
    if (!c.takes) continue;
    EXPECT_EQ(ComparativeOf(c.adjective), c.comparative) << c.adjective;
    EXPECT_EQ(SuperlativeOf(c.adjective), c.superlative) << c.adjective;
  }
}

TEST(EnglishInflectionTest, ShippedWordListRulesDifferOnlyWhereTheyShould) {
  constexpr SpellingRules kShipped = SpellingRules::kShippedWordList;
  const struct {
    const char* lemma;
    const char* third_standard;
    const char* third_shipped;
    const char* past_standard;
    const char* past_shipped;
  } verbs[] = {
      {"go", "goes", "gos", "goed", "goed"},
      {"veto", "vetoes", "vetos", "vetoed", "vetoed"},
      {"crayon", "crayons", "crayons", "crayoned", "crayonned"},
      {"kayak", "kayaks", "kayaks", "kayaked", "kayakked"},
      {"layer", "layers", "layers", "layered", "layerred"},
      {"stop", "stops", "stops", "stopped", "stopped"},
      {"carry", "carries", "carries", "carried", "carried"},
  };
  for (const auto& c : verbs) {
    EXPECT_EQ(ThirdPersonOf(c.lemma), c.third_standard) << c.lemma;
    EXPECT_EQ(ThirdPersonOf(c.lemma, kShipped), c.third_shipped) << c.lemma;
    EXPECT_EQ(PastOf(c.lemma), c.past_standard) << c.lemma;
    EXPECT_EQ(PastOf(c.lemma, kShipped), c.past_shipped) << c.lemma;
  }
  EXPECT_EQ(PresentParticipleOf("crayon", kShipped), "crayonning");
  const struct {
    const char* adjective;
    bool takes_shipped;
    const char* comparative_shipped;
  } adjectives[] = {
      {"loyal", true, "loyaller"}, {"u", true, "uer"},     {"big", true, "bigger"},
      {"happy", true, "happier"},  {"goodbye", false, ""}, {"careful", false, ""},
  };
  for (const auto& c : adjectives) {
    EXPECT_EQ(TakesComparison(c.adjective, kShipped), c.takes_shipped) << c.adjective;
    if (c.takes_shipped) EXPECT_EQ(ComparativeOf(c.adjective, kShipped), c.comparative_shipped);
  }
}

}  // namespace
}  // namespace quillon
