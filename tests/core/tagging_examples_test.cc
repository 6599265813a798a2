// Worked examples of tagging, each run through both the fast tagger and the plain
// reference tagger, and both checked against the line worked out by hand. The
// differential test only shows that the two agree; these pin down that they agree on the
// right answer in the cases where a misreading is easiest: the order of the rule passes,
// the lexicon licence, the boundary cases, changed flags across sentences, the tokenizer.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/resources.h"
#include "core/tagger.h"
#include "tests/core/resources_from_lines.h"
#include "tests/reference/reference_tagger.h"

namespace quillon {
namespace {

struct Example {
  const char* name;
  std::vector<std::string> lexicon;
  std::vector<std::string> tagset;
  std::vector<std::string> lexical_rules;
  std::vector<std::string> contextual_rules;
  std::vector<std::string> sentences;  // tagged in a row by one tagger
  std::vector<std::string> expected;
  bool tokenize = true;
  char separator = '_';
};

const std::vector<std::string> kLexicon = {"the DT",    "to TO IN", "walk NN VB JJ",
                                           "run VB NN", "only RB",  "^ SYM",
                                           "a DT",      "cat NN",   "sat VBD"};

std::vector<Example> Examples() {
  return {
      {"start tags of known and unknown words",
       kLexicon,
       {},
       {},
       {},
       {"The cat sat on zorblat Zorblat 3rd \xc9t\xe9 ."},
       {"The_NNP cat_NN sat_VBD on_NN zorblat_NN Zorblat_NNP 3rd_NN \xc9t\xe9_NN ._NN"}},
      {"a word keyed 00 takes sentinel row 1 and no lexical rules",
       kLexicon,
       {},
       {"^ char VB"},
       {},
       {"a ^ x^"},
       {"a_DT ^_NN x^_VB"}},
      {"plain rules: char goes on, hassuf ends the pass, current tag ignored",
       kLexicon,
       {},
       {"a char JJ", "l char RB", "ed hassuf 2 VBD", "d hassuf 1 NNS"},
       {},
       {"talked tall Tall"},
       {"talked_VBD tall_RB Tall_RB"}},
      {"f-form rules chain on the current tag",
       kLexicon,
       {"NN\tnoun", "NNS\tplural"},
       {"NN s fhassuf 1 NNS", "NNS es fhassuf 2 VBZ", "NN x fchar 1 JJ"},
       {},
       {"boxes boxs Foxes"},
       {"boxes_VBZ boxs_NNS Foxes_NNP"}},
      {"a first field equal to a tag ignoring case makes an f-form line",
       kLexicon,
       {"TO\tto"},
       {"to hassuf 2 RB"},
       {},
       {"into"},
       {"into_NN"}},
      {"the same line without that tag is a plain rule",
       kLexicon,
       {},
       {"to hassuf 2 RB"},
       {},
       {"into"},
       {"into_RB"}},
      {"a two-digit length leaves the new tag empty",
       kLexicon,
       {},
       {"ly hassuf 22 RB"},
       {},
       {"quickly"},
       {"quickly_"}},
      {"deletesuf finds the stem, and the empty stem in the sentinel rows",
       kLexicon,
       {},
       {"ing deletesuf 3 VBG"},
       {},
       {"walking ing running"},
       {"walking_VBG ing_VBG running_NN"}},
      {"addsuf, goodleft and goodright",
       kLexicon,
       {},
       {"k addsuf 1 VB", "the goodleft 3 JJ", "the goodright 3 NNS"},
       {},
       {"wal", "foo the bar", "xyz"},
       {"wal_VB", "foo_JJ the_DT bar_NNS", "xyz_NN"}},
      {"right-context templates wait for pass 1",
       kLexicon,
       {},
       {},
       {"NN VB NEXTTAG NN", "NN JJ PREVTAG STAART"},
       {"walk walk"},
       {"walk_JJ walk_NN"}},
      {"pass 0 stops at a position once it has changed",
       kLexicon,
       {},
       {},
       {"TO IN NEXTTAG VB", "NN VB PREVTAG TO", "VB JJ PREVTAG TO"},
       {"to walk"},
       {"to_IN walk_VB"}},
      {"a known word: one tag never changes, others only to slots 2 to 10 or back",
       kLexicon,
       {},
       {},
       {"RB JJ PREVTAG DT", "VB JJ PREVTAG DT", "VB NN PREVTAG DT", "NN VB PREVTAG DT"},
       {"the only", "the run"},
       {"the_DT only_RB", "the_DT run_VB"}},
      {"an unknown word through WDPREVTAG: sentinel row 0's slots only",
       kLexicon,
       {},
       {},
       {"NN NNPS WDPREVTAG DT blick", "NN VBZ WDPREVTAG DT blick"},
       {"the blick"},
       {"the_DT blick_VBZ"}},
      {"an unknown word through any other template: any tag",
       kLexicon,
       {},
       {},
       {"NN NNPS PREVTAG DT"},
       {"the blick"},
       {"the_DT blick_NNPS"}},
      {"STAART before one token",
       kLexicon,
       {},
       {},
       {"NN VB PREVTAG STAART", "VB JJ LBIGRAM STAART blick", "JJ RB SURROUNDTAG STAART JJ",
        "JJ RB NEXTBIGRAM JJ STAART"},
       {"blick"},
       {"blick_JJ"}},
      {"STAART around two tokens",
       kLexicon,
       {},
       {},
       {"NN JJ NEXTBIGRAM NN STAART", "JJ VB SURROUNDTAG STAART NN"},
       {"blick blick", "blick"},
       {"blick_VB blick_NN", "blick_NN"}},
      {"changed flags do not outlive their sentence",
       kLexicon,
       {},
       {},
       {"NN VB PREVTAG DT", "VB JJ WDPREVTAG DT run"},
       {"the blick", "the run"},
       {"the_DT blick_VB", "the_DT run_VB"}},
      {"splitting at spaces keeps punctuation and drops empty fields",
       kLexicon,
       {},
       {},
       {},
       {"  He said  so.\tnow  "},
       {"He/NNP said/NN so.\tnow/NN"},
       false,
       '/'},
      {"the separator is not escaped inside a word",
       {"and/or CC"},
       {},
       {},
       {},
       {"and/or"},
       {"and/or/CC"},
       true,
       '/'},
  };
}

TEST(TaggingExamplesTest, BothTaggersGiveTheWorkedOutLines) {
  for (const Example& e : Examples()) {
    SCOPED_TRACE(e.name);
    reference::ResourceLines lines;
    lines.lexicon = e.lexicon;
    lines.tagset = e.tagset;
    lines.lexical_rules = e.lexical_rules;
    lines.contextual_rules = e.contextual_rules;
    std::unique_ptr<Resources> resources = ResourcesFromLines(lines);
    Tagger fast(resources.get(), TaggerOptions{e.tokenize, e.separator});
    reference::ReferenceTagger slow(lines, e.tokenize, e.separator);
    ASSERT_EQ(e.sentences.size(), e.expected.size());
    for (size_t i = 0; i < e.sentences.size(); ++i) {
      std::string line;
      fast.TagSentence(e.sentences[i], &line);
      EXPECT_EQ(line, e.expected[i]) << "fast tagger, sentence " << i;
      EXPECT_EQ(slow.TagSentence(e.sentences[i]), e.expected[i]) << "reference, sentence " << i;
    }
  }
}

// Tokens of the rule-based tokenizer, with Mr and e.g in the ignore list; "|" joins the
// expected tokens.
TEST(TaggingExamplesTest, BothTokenizersGiveTheWorkedOutTokens) {
  const struct {
    const char* sentence;
    const char* tokens;
  } kCases[] = {
      {"I don't know.", "I|do|n't|know|."},
      {"No, I don't.", "No|,|I|do|n't|."},
      {"can't won't", "ca|n't|wo|n't"},
      {"It's John's book.", "It|'s|John|'s|book|."},
      {"I'm here", "I|'m|here"},
      {"50's", "50|'s"},
      {"Mr. Smith said so.", "Mr.|Smith|said|so|."},
      {"mr. Smith", "mr.|Smith"},
      {"e.g. this", "e.g.|this"},
      {"U.S.", "U.S|."},
      {"U.S.A. is", "U.S.A|.|is"},
      {"Wait... ok", "Wait..|.|ok"},
      {"3.5% of 100", "3.5|%|of|100"},
      {"word . next", "word|.|next"},
      {"a.b.-x", "a.b.|-|x"},
      {"well-known", "well|-|known"},
      {"e-mail: see page 3.", "e|-|mail|:|see|page|3|."},
      {"'Tis the season", "'|Tis|the|season"},
      {"the '90s", "the|'|90s"},
      {"dogs' food", "dogs|'|food"},
      {"rock 'n' roll", "rock|'|n|'|roll"},
      {"o'clock", "o|'clock"},
      {"rock'n'roll", "rock|'n'roll"},
      {"x/'y", "x/'y"},
      {"''Hello''", "'|'Hello''"},
      {"It's. then go", "It|'s|.|then|go"},
      {"(n't)", "(|n't|)"},
      {"n't", "n't"},
      {"DON'T", "DON|'T"},
      {"a\tb", "a|\t|b"},
      {"\ta", "\t|a"},
      {"", ""},
      {"   ", ""},
  };
  const std::vector<std::string> ignore_lines = {"Mr", "e.g"};
  Resources resources;
  resources.ignore = IgnoreList(ignore_lines);
  BuildLexicon({"a DT"}, nullptr, &resources);
  Tagger fast(&resources, TaggerOptions{});
  for (const auto& c : kCases) {
    std::vector<std::string_view> views;
    fast.Tokens(c.sentence, &views);
    std::string fast_joined, reference_joined;
    for (std::string_view token : views) {
      fast_joined += (fast_joined.empty() ? "" : "|") + std::string(token);
    }
    for (const std::string& token : reference::TokenizeOn(c.sentence, ignore_lines)) {
      reference_joined += (reference_joined.empty() ? "" : "|") + token;
    }
    EXPECT_EQ(fast_joined, c.tokens) << "fast tokenizer: " << c.sentence;
    EXPECT_EQ(reference_joined, c.tokens) << "reference tokenizer: " << c.sentence;
  }
}

// Keys and rows of the examples worked out by hand.
TEST(TaggingExamplesTest, KeysAndPreparedRows) {
  EXPECT_EQ(reference::OrderKey("the"), "200805");
  EXPECT_EQ(reference::OrderKey("The"), "460805");
  EXPECT_EQ(reference::OrderKey("U.S."), "47534553");
  EXPECT_EQ(reference::OrderKey("U.S?"), "47534553");
  EXPECT_EQ(reference::OrderKey("1,000"), "6854676767");
  EXPECT_EQ(reference::OrderKey("a_b"), "010002");
  EXPECT_EQ(reference::OrderKey("a~b"), "010002");
  EXPECT_EQ(reference::OrderKey(""), "");

  reference::LexiconState state;
  state.Load({"U.S? NNP", "Mr. NNP", "U.S. NNP", "word NN  VB"});
  ASSERT_EQ(state.LexiconCount(), 6);
  EXPECT_EQ(state.rows[0].FieldCount, 12);
  EXPECT_EQ(state.rows[1].FieldCount, 13);
  EXPECT_EQ(state.rows[1].Tags[9], "VBZ");  // the 11th tag is counted, not stored
  EXPECT_EQ(state.rows[2].Word, "word");    // lower-case letters have the smallest codes
  EXPECT_EQ(state.rows[2].FieldCount, 5);   // two spaces: an empty slot between the tags
  EXPECT_EQ(state.rows[2].Tags[1], "");
  EXPECT_EQ(state.rows[2].Tags[2], "VB");
  EXPECT_EQ(state.rows[3].Key, "391853");
  EXPECT_EQ(state.rows[3].Word, "Mr.");
  EXPECT_EQ(state.rows[3].FieldCount, 3);
  EXPECT_EQ(state.rows[4].Word, "U.S.");  // a shared key: ordered by word ignoring case
  EXPECT_EQ(state.rows[5].Word, "U.S?");
}

}  // namespace
}  // namespace quillon
