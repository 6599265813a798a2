// The endings of words the lexicon lacks, and what they let a contextual rule do.
#include "core/unknown_spelling.h"

#include <gtest/gtest.h>

#include "tests/core/tagger_fixture.h"

namespace quillon {
namespace {

using testing::TaggerFixture;

TEST(UnknownSpellingTest, EndingsAndTheTagsTheyAllow) {
  TagTable tags;
  for (const char* tag : {"NN", "VBG", "VBD", "VBN", "NNS", "NNPS", "VBZ", "JJ"}) tags.Intern(tag);
  const SpellingTags spelling_tags(tags);
  const struct {
    const char* word;
    const char* allowed;  // of VBG VBD VBN NNS NNPS VBZ, in that order: 1 allowed
  } cases[] = {
      {"jill", "000000"},    {"bottling", "100000"}, {"BOTTLING", "100000"}, {"walkin", "111000"},
      {"walkin'", "100000"}, {"wrokked", "011000"},  {"burnt", "011000"},    {"ing", "000000"},
      {"blogs", "000111"},   {"s", "000000"},        {"", "000000"},         {"fd", "011000"},
  };
  const char* checked[] = {"VBG", "VBD", "VBN", "NNS", "NNPS", "VBZ"};
  for (const auto& c : cases) {
    const uint8_t spelling = SpellingOf(c.word);
    for (int t = 0; t < 6; ++t) {
      EXPECT_EQ(spelling_tags.Allows(spelling, tags.Find(checked[t])), c.allowed[t] == '1')
          << c.word << " " << checked[t];
    }
    EXPECT_TRUE(spelling_tags.Allows(spelling, tags.Find("JJ"))) << c.word;
    EXPECT_TRUE(spelling_tags.Allows(spelling, tags.Find("NN"))) << c.word;
  }
  for (const char* tag : checked) EXPECT_TRUE(spelling_tags.Allows(kAnySpelling, tags.Find(tag)));
  // A table without the tags rules nothing out.
  const SpellingTags none{TagTable()};
  EXPECT_TRUE(none.Allows(SpellingOf("jill"), 0));
}

// A rule learned for known words reaches an unknown word only where its ending allows the
// new tag; known words keep the lexicon licence alone, and without the option nothing
// changes.
TEST(UnknownSpellingTest, ContextualRulesOnUnknownWords) {
  const std::vector<std::string> lexicon = {"I PRP", "met VBD", "building NN VBG", "jill NN"};
  const std::vector<std::string> rules = {"NN VBG PREVTAG VBD", "NNP VBZ PREVTAG VBD"};
  const struct {
    const char* sentence;
    const char* with;     // unknown_spelling on
    const char* without;  // off
  } cases[] = {
      {"I met zorb", "I_PRP met_VBD zorb_NN", "I_PRP met_VBD zorb_VBG"},
      {"I met zorbing", "I_PRP met_VBD zorbing_VBG", "I_PRP met_VBD zorbing_VBG"},
      {"I met building", "I_PRP met_VBD building_VBG", "I_PRP met_VBD building_VBG"},
      {"I met jill", "I_PRP met_VBD jill_NN", "I_PRP met_VBD jill_NN"},
      {"I met Zorb", "I_PRP met_VBD Zorb_NNP", "I_PRP met_VBD Zorb_VBZ"},
      {"I met Zorbs", "I_PRP met_VBD Zorbs_VBZ", "I_PRP met_VBD Zorbs_VBZ"},
  };
  for (const bool on : {true, false}) {
    TaggerOptions options;
    options.unknown_spelling = on;
    TaggerFixture f(lexicon, {}, rules, {}, {}, options);
    for (const auto& c : cases) EXPECT_EQ(f.Tag(c.sentence), on ? c.with : c.without) << on;
  }
}

}  // namespace
}  // namespace quillon
