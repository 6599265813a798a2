// Start tags, lexical rules and contextual rules, observed through whole sentences.
#include <gtest/gtest.h>

#include "core/contextual_rules.h"
#include "core/lexical_rules.h"
#include "tests/core/tagger_fixture.h"

namespace quillon {
namespace {

using testing::TaggerFixture;

const std::vector<std::string> kLexicon = {
    "the DT", "The DT", "cat NN VB", "run VB NN",     "walk VB NN", "dogs NNS VBZ", "to TO",
    "a DT",   ". .",    "sing VB",   "ring VB NN JJ", "fast RB JJ", "slow JJ",
};

TEST(StartStateTest, KnownAndUnknownWords) {
  TaggerFixture f(kLexicon, {}, {});
  EXPECT_EQ(f.Tag("the cat"), "the_DT cat_NN");
  EXPECT_EQ(f.Tag("Zorblat zorblat 3rd"), "Zorblat_NNP zorblat_NN 3rd_NN");
  EXPECT_EQ(f.Tag("\xc3\x89t\xc3\xa9"), "\xc3\x89t\xc3\xa9_NN");  // accented capital: not A-Z
  EXPECT_EQ(f.Tag("The Cat"), "The_DT Cat_NNP");                  // lookups are case-sensitive
  EXPECT_EQ(f.Tag(""), "");
}

TEST(StartStateTest, LoneByteWithoutCodeTakesTheSmallLetterRowAndIsNotUnknown) {
  // "^ char JJ" would retag an unknown "^"; the lone byte is not unknown, so it stays NN.
  TaggerFixture f(kLexicon, {"^ char JJ"}, {});
  EXPECT_EQ(f.Tag("^ x^"), "^_NN x^_JJ");
}

TEST(LexicalRulesTest, PlainRules) {
  const struct {
    std::vector<std::string> rules;
    std::string sentence;
    std::string tagged;
  } cases[] = {
      // Plain rules ignore the current tag: a capitalised word is retagged too.
      {{"ly hassuf 2 RB"}, "Quickly quickly", "Quickly_RB quickly_RB"},
      {{"un haspref 2 JJ"}, "unhappy", "unhappy_JJ"},
      // Two char rules: the later one's tag stands; a later hassuf ends pass A.
      {{"/ char JJ", "x char CD"}, "x/ray", "x/ray_CD"},
      {{"/ char JJ", "ay hassuf 2 VB", "y hassuf 1 RB"}, "x/ray", "x/ray_VB"},
      // A word equal to the affix: hassuf and deletesuf match (the empty rest is found).
      {{"ing deletesuf 3 VBG"}, "ing", "ing_VBG"},
      {{"ing hassuf 3 VBG"}, "ng", "ng_NN"},  // shorter than the affix
      {{"s deletesuf 1 NNS"}, "cats rings", "cats_NNS rings_NNS"},
      {{"s deletesuf 1 NNS"}, "catz", "catz_NN"},
      {{"re deletepref 2 VB"}, "resing rezing", "resing_VB rezing_NN"},
      {{"s addsuf 1 VB"}, "dog", "dog_VB"},  // "dogs" is in the lexicon
      {{"s addsuf 1 VB"}, "cow", "cow_NN"},
      // goodleft: the word stands left of the argument; never at the last token.
      {{"the goodleft JJ"}, "zz the zz", "zz_JJ the_DT zz_NN"},
      {{"the goodright JJ"}, "zz the zz", "zz_NN the_DT zz_JJ"},
      // A length field of two digits leaves NewTag empty.
      {{"ly hassuf 12 RB"}, "oddly", "oddly_"},
      // A first field equal to a tag ignoring case makes an f-form line with no rule name.
      {{"to hassuf 2 VB"}, "potato", "potato_NN"},
      // A line that ends before its new tag is no rule.
      {{"ly hassuf 2", "ly hassuf"}, "oddly", "oddly_NN"},
  };
  for (const auto& c : cases) {
    TaggerFixture f(kLexicon, c.rules, {});
    EXPECT_EQ(f.Tag(c.sentence), c.tagged) << c.rules[0];
  }
}

TEST(LexicalRulesTest, FFormRulesChainAfterPassA) {
  TaggerFixture f(kLexicon,
                  {"NN s fhassuf 1 NNS", "NNS es fhassuf 2 VBZ", "NNP s fhassuf 1 NNPS",
                   "ly hassuf 2 RB", "RB y fhassuf 1 JJ"},
                  {});
  EXPECT_EQ(f.Tag("boxes Smiths boats jolly"), "boxes_VBZ Smiths_NNPS boats_NNS jolly_JJ");
}

TEST(LexicalRulesTest, KnownWordsAreNeverTouched) {
  TaggerFixture f(kLexicon, {"t hassuf 1 JJ", "NN t fhassuf 1 VB"}, {});
  EXPECT_EQ(f.Tag("cat"), "cat_NN");
}

TEST(ContextualRulesTest, TemplatesAndBoundaries) {
  const struct {
    std::string rule;
    std::string sentence;
    std::string tagged;
  } cases[] = {
      {"NN VB PREVTAG TO", "to zz", "to_TO zz_VB"},
      {"NN VB PREVTAG STAART", "zz", "zz_VB"},
      {"NN VB LBIGRAM STAART zz", "zz", "zz_VB"},
      {"NN VB SURROUNDTAG STAART DT", "zz", "zz_NN"},  // needs a token at position 1
      {"NN VB SURROUNDTAG STAART DT", "zz the", "zz_VB the_DT"},
      {"NN VB NEXTBIGRAM DT STAART", "zz", "zz_NN"},
      {"NN VB NEXTBIGRAM DT STAART", "zz the", "zz_VB the_DT"},
      {"NN VB NEXTBIGRAM DT STAART", "zz the yy", "zz_NN the_DT yy_NN"},
      {"NN VB NEXTTAG STAART", "zz", "zz_NN"},
      {"NN VB PREV1OR2TAG STAART", "zz", "zz_NN"},
      {"NN VB PREV1OR2OR3TAG TO", "to a b zz", "to_TO a_DT b_VB zz_VB"},
      {"NN VB PREV1OR2OR3TAG TO", "to a b c zz", "to_TO a_DT b_VB c_VB zz_NN"},
      {"NN VB PREV2TAG TO", "to b zz", "to_TO b_NN zz_VB"},
      {"NN VB PREVWD to", "to zz", "to_TO zz_VB"},
      {"NN VB PREV1OR2WD to", "to a zz", "to_TO a_DT zz_VB"},
      {"NN VB NEXTTAG DT", "zz the", "zz_VB the_DT"},
      {"NN VB NEXT1OR2TAG TO", "zz a to", "zz_VB a_DT to_TO"},
      {"NN VB NEXT1OR2OR3TAG TO", "zz a a to", "zz_VB a_DT a_DT to_TO"},
      {"NN VB NEXT2TAG TO", "zz a to", "zz_VB a_DT to_TO"},
      {"NN VB NEXTWD to", "zz to", "zz_VB to_TO"},
      {"NN VB NEXT1OR2WD to", "zz a to", "zz_VB a_DT to_TO"},
      {"NN VB CURWD zz", "zz Zz", "zz_VB Zz_NNP"},
      {"NN VB WDNEXTTAG zz TO", "zz to", "zz_VB to_TO"},
      {"NN VB SURROUNDTAG DT TO", "a zz to", "a_DT zz_VB to_TO"},
      {"NN VB PREVBIGRAM TO DT", "to a zz", "to_TO a_DT zz_VB"},
      {"NN VB NEXTBIGRAM TO DT", "zz to a", "zz_VB to_TO a_DT"},
      {"NN VB LBIGRAM to zz", "to zz", "to_TO zz_VB"},
      {"NN VB RBIGRAM zz to", "zz to", "zz_VB to_TO"},
      {"NN VB WDAND2AFT zz to", "zz a to", "zz_VB a_DT to_TO"},
      {"NN VB WDAND2TAGAFT zz TO", "zz a to", "zz_VB a_DT to_TO"},
      {"NN VB NOSUCHTEMPLATE TO", "to zz", "to_TO zz_NN"},
  };
  for (const auto& c : cases) {
    TaggerFixture f(kLexicon, {}, {c.rule});
    EXPECT_EQ(f.Tag(c.sentence), c.tagged) << c.rule << " / " << c.sentence;
  }
}

TEST(ContextualRulesTest, FirstPassUsesLeftContextOnlyAndStopsAtAChange) {
  // NEXTTAG is not tried in the first pass, so "yy" sees "xx" still tagged NN.
  TaggerFixture f(kLexicon, {}, {"NN VB NEXTTAG NN", "NN JJ PREVTAG NN"});
  EXPECT_EQ(f.Tag("xx yy"), "xx_NN yy_JJ");
  // A change ends the first pass at a position: "VB JJ" is not tried on "zz" there, and
  // by the second pass its left neighbour has changed.
  TaggerFixture g(kLexicon, {}, {"NN VB PREVTAG NN", "VB JJ PREVTAG NN", "NN DT NEXTTAG VB"});
  EXPECT_EQ(g.Tag("xx zz"), "xx_DT zz_VB");
}

TEST(ContextualRulesTest, LexiconLicence) {
  const struct {
    std::vector<std::string> rules;
    std::string sentence;
    std::string tagged;
  } cases[] = {
      {{"VB NN PREVTAG DT"}, "the run", "the_DT run_NN"},    // NN is listed after VB
      {{"VB JJ PREVTAG DT"}, "the run", "the_DT run_VB"},    // JJ is not listed
      {{"VB NN PREVTAG DT"}, "the sing", "the_DT sing_VB"},  // one tag: never changes
      {{"VB NN PREVTAG DT", "NN VB PREVTAG DT"}, "the run", "the_DT run_VB"},  // back to VB
      {{"NN NNS PREVTAG DT", "NNS VB PREVTAG DT"}, "the zz", "the_DT zz_VB"},
      // Through WDPREVTAG an unknown word may take only sentinel row 0's later tags.
      {{"NN CD WDPREVTAG DT zz"}, "the zz", "the_DT zz_NN"},
      {{"NN VBD WDPREVTAG DT zz"}, "the zz", "the_DT zz_VBD"},
      // ... and a changed known word any tag.
      {{"VB NN PREVTAG DT", "NN CD WDPREVTAG DT run"}, "the run", "the_DT run_CD"},
      {{"VB CD WDPREVTAG DT run"}, "the run", "the_DT run_VB"},
      // Slots 2 to 10 of a longer row.
      {{"VB JJ PREVTAG DT"}, "the ring", "the_DT ring_JJ"},
  };
  for (const auto& c : cases) {
    TaggerFixture f(kLexicon, {}, c.rules);
    EXPECT_EQ(f.Tag(c.sentence), c.tagged) << c.rules[0] << " / " << c.sentence;
  }
}

TEST(ContextualRulesTest, ChangedFlagsStartAfreshWithEverySentence) {
  TaggerFixture f(kLexicon, {}, {"VB NN PREVTAG NN", "VB JJ WDPREVTAG DT walk"});
  EXPECT_EQ(f.Tag("xx run"), "xx_NN run_NN");  // changes position 1
  EXPECT_EQ(f.Tag("the walk"), "the_DT walk_VB");
}

TEST(ContextualRulesTest, ParsingFields) {
  const std::vector<structure4> rules = ParseContextualRules({"NN VB PREVTAG TO", "",
                                                              "NN\tVB\x12WDPREVTAG DT\x1e"
                                                              "x extra",
                                                              "A  B"});
  ASSERT_EQ(rules.size(), 4u);
  EXPECT_EQ(rules[0].Arg1, "TO");
  EXPECT_EQ(rules[0].FieldCount, 4);
  EXPECT_EQ(rules[1].FieldCount, 0);
  EXPECT_EQ(rules[2].Template, "WDPREVTAG");
  EXPECT_EQ(rules[2].Arg2, "x");
  EXPECT_EQ(rules[2].FieldCount, 5);
  EXPECT_EQ(rules[3].ToTag, "");
  EXPECT_EQ(rules[3].Template, "B");
}

TEST(LexicalRulesTest, ParsingLayouts) {
  const std::vector<std::string> tags = ReadTagList({"NN\tnoun", "VB\tverb", "JJ"});
  EXPECT_EQ(tags, (std::vector<std::string>{"NN", "VB", "JJ"}));
  const std::vector<structure2> rules =
      ParseLexicalRules({"ly hassuf 2 RB", "nn s fhassuf 1 NNS", "x\ty char 7 Q",
                         "ly\x12hassuf\x12"
                         "2\x12RB"},
                        tags);
  ASSERT_EQ(rules.size(), 4u);
  EXPECT_EQ(rules[0].IsFForm, 0);
  EXPECT_EQ(rules[0].Argument, "ly");
  EXPECT_EQ(rules[0].FromTag, "ly");
  EXPECT_EQ(rules[0].NewTag, "RB");
  EXPECT_EQ(rules[1].IsFForm, 1);
  EXPECT_EQ(rules[1].FromTag, "nn");
  EXPECT_EQ(rules[1].RuleName, "fhassuf");
  EXPECT_EQ(rules[2].Argument, "x\ty");  // a tab is part of a field
  EXPECT_EQ(rules[2].NewTag, "Q");
  EXPECT_EQ(rules[3].NewTag, "RB");
}

}  // namespace
}  // namespace quillon
