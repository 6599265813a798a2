// The tagger's public entry points: Tag on running text, TagWords on words already cut,
// and the result they share (offsets, spacing, lemmas, marks).
#include "core/tagger.h"

#include <gtest/gtest.h>

#include "tests/core/tagger_fixture.h"

namespace quillon {
namespace {

using testing::TaggerFixture;

const std::vector<std::string> kLexicon = {"the DT", "cat NN VB", "sat VBD",  ". .",  "do VBP",
                                           "n't RB", "I PRP",     "cats NNS", "'' ''"};

std::vector<std::string> Words(const SentenceResult& s) { return {s.words.begin(), s.words.end()}; }
std::vector<std::string> Tags(const SentenceResult& s) {
  std::vector<std::string> tags;
  for (size_t i = 0; i < s.size(); ++i) tags.emplace_back(s.tag(i));
  return tags;
}

TEST(TaggerTest, TagGivesTokensWithTheirPlaceInTheSentence) {
  TaggerFixture f(kLexicon, {}, {});
  const std::string sentence = "I don't know the cat.";
  const SentenceResult& s = f.tagger->Tag(sentence);
  EXPECT_EQ(Words(s), (std::vector<std::string>{"I", "do", "n't", "know", "the", "cat", "."}));
  EXPECT_EQ(Tags(s), (std::vector<std::string>{"PRP", "VBP", "RB", "NN", "DT", "NN", "."}));
  EXPECT_EQ(s.text, sentence);
  const size_t offsets[] = {0, 2, 4, 8, 13, 17, 20};
  const bool glued[] = {false, true, false, false, false, true, false};
  for (size_t i = 0; i < s.size(); ++i) {
    EXPECT_EQ(s.Offset(i), offsets[i]) << i;
    EXPECT_EQ(s.NoSpaceAfter(i), glued[i]) << i;
  }
  EXPECT_TRUE(s.lemmas.empty());
  EXPECT_TRUE(s.marks.empty());
  EXPECT_TRUE(f.tagger->Tag("   ").empty());
}

// Words handed over already cut are tagged exactly as the same tokens cut from text, in
// every tokenizer mode; they have no place in any text.
TEST(TaggerTest, TagWordsAgreesWithTag) {
  const std::vector<std::string> contextual = {"NN VB PREVTAG PRP", "VBD VBN PREVWD cat"};
  for (const bool modern : {false, true}) {
    for (const bool tokenize : {true, false}) {
      TaggerOptions options;
      options.tokenize = tokenize;
      options.modern = modern && tokenize;
      TaggerFixture f(kLexicon, {"ly hassuf 2 RB"}, contextual, {}, {}, options);
      for (const std::string sentence :
           {"I cat the cats.", "the cat sat quickly", "“Cat” sat.", "I don’t cat", ""}) {
        const SentenceResult& s = f.tagger->Tag(sentence);
        const std::vector<std::string> words = Words(s), tags = Tags(s);
        const std::vector<std::string_view> views(words.begin(), words.end());
        const SentenceResult& t = f.tagger->TagWords(views);
        EXPECT_EQ(Tags(t), tags) << sentence << " modern " << modern;
        EXPECT_EQ(Words(t), words);
        EXPECT_TRUE(t.text.empty());
        for (size_t i = 0; i < t.size(); ++i) EXPECT_EQ(t.Offset(i), SentenceResult::kNoOffset);
      }
    }
  }
}

TEST(TaggerTest, LemmasFromTheTableAndFromTheWordItself) {
  TaggerOptions options;
  options.lemma = true;
  TaggerFixture f(kLexicon, {}, {}, {}, {}, options);
  ASSERT_TRUE(f.resources->lemmas.Load({"cat -> cats", "sit -> sat"}));
  // Words the table does not know are their own lemma, lower-cased; those lemmas are
  // gathered in one buffer, so many of them must all stay intact.
  const SentenceResult& s = f.tagger->Tag("Cats SAT The Cat Zorblat MANY Words Here");
  EXPECT_TRUE(s.lemmas_on);
  ASSERT_EQ(s.lemmas.size(), 8u);
  const std::vector<std::string> lemmas(s.lemmas.begin(), s.lemmas.end());
  EXPECT_EQ(lemmas, (std::vector<std::string>{"cat", "sit", "the", "cat", "zorblat", "many",
                                              "words", "here"}));
  std::string line;
  f.tagger->TagSentence("cats sat", &line);
  EXPECT_EQ(line, "cats_NNS_cat sat_VBD_sit");
}

TEST(TaggerTest, MultiwordMarksAndTheirLabels) {
  TaggerOptions options;
  options.multiword = true;
  TaggerFixture f(kLexicon, {}, {}, {}, {}, options);
  f.resources->multiwords.Load({"the cat\tNP"}, nullptr);
  const SentenceResult& s = f.tagger->Tag("sat the cat");
  ASSERT_EQ(s.marks.size(), 3u);
  EXPECT_EQ(s.marks[0], nullptr);
  EXPECT_EQ(*s.marks[1], "_M<NP>");
  EXPECT_EQ(s.MarkLabel(1), "NP");
  EXPECT_EQ(s.MarkLabel(0), "");
  std::string line;
  f.tagger->TagSentence("sat the cat", &line);
  EXPECT_EQ(line, "sat_VBD the_DT_M<NP> cat_NN_M<NP>");
}

// A capitalised word that starts a sentence, or a word in capitals only, that the lexicon
// lacks is read in small letters when the lexicon knows that form; elsewhere, or when the
// lexicon knows the word as written, its capital stands (an unknown capital is a name).
// The output keeps the word's own bytes.
TEST(TaggerTest, LetterCaseFallbacksOfTheModernLookup) {
  const std::vector<std::string> lexicon = {
      "crap NN", "like IN", "this DT",  ". .",    "I PRP", "saw VBD", "Cat NNP", "cat NN",
      "`` ``",   "( (",     "said VBD", "he PRP", "'' ''", ", ,",     "! .",     ") )"};
  struct Case {
    const char* sentence;
    const char* lowered;  // with case_fallbacks
    const char* as_is;    // without
  };
  const Case cases[] = {
      {"Crap like this.", "Crap_NN like_IN this_DT ._.", "Crap_NNP like_IN this_DT ._."},
      {"I saw Crap.", "I_PRP saw_VBD Crap_NNP ._.", "I_PRP saw_VBD Crap_NNP ._."},
      {"I saw CRAP.", "I_PRP saw_VBD CRAP_NN ._.", "I_PRP saw_VBD CRAP_NNP ._."},
      {"I saw CRaP.", "I_PRP saw_VBD CRaP_NNP ._.", "I_PRP saw_VBD CRaP_NNP ._."},
      {"I saw CAT.", "I_PRP saw_VBD CAT_NN ._.", "I_PRP saw_VBD CAT_NNP ._."},
      {"I saw. Crap! (Crap)", "I_PRP saw_VBD ._. Crap_NN !_. (_( Crap_NN )_)",
       "I_PRP saw_VBD ._. Crap_NNP !_. (_( Crap_NNP )_)"},
      {"“Crap,” he said.", "“_`` Crap_NN ,_, ”_'' he_PRP said_VBD ._.",
       "“_`` Crap_NNP ,_, ”_'' he_PRP said_VBD ._."},
      {"Cat like this.", "Cat_NNP like_IN this_DT ._.", "Cat_NNP like_IN this_DT ._."},
      {"CRAP like this.", "CRAP_NN like_IN this_DT ._.", "CRAP_NNP like_IN this_DT ._."},
      {"Zorb like this.", "Zorb_NNP like_IN this_DT ._.", "Zorb_NNP like_IN this_DT ._."},
  };
  for (const bool lower : {true, false}) {
    TaggerOptions options;
    options.modern = true;
    options.case_fallbacks = lower;
    TaggerFixture f(lexicon, {}, {}, {}, {}, options);
    for (int round = 0; round < 2; ++round) {  // the second round reads the word cache
      for (const Case& c : cases) {
        EXPECT_EQ(f.Tag(c.sentence), lower ? c.lowered : c.as_is) << c.sentence;
      }
    }
  }
  // A small-letter word the lexicon lacks takes the entry of its capitalised form, and
  // the contextual rules still read the word as written.
  TaggerOptions names;
  names.case_fallbacks = true;
  TaggerFixture g({"Jill NNP NN VBP", "saw VBD", "jen NN"}, {},
                  {"NNP NN CURWD Jill", "NNP VBP CURWD jill"}, {}, {}, names);
  EXPECT_EQ(g.Tag("saw jill"), "saw_VBD jill_VBP");
  EXPECT_EQ(g.Tag("saw Jill"), "saw_VBD Jill_NN");
  EXPECT_EQ(g.Tag("saw jen"), "saw_VBD jen_NN");
  EXPECT_EQ(g.Tag("saw zorb"), "saw_VBD zorb_NN");
  // A word in capitals is read by its small letters, and those by the capitalised form,
  // whether or not the small-letter word was met before (the word cache holds it then).
  for (int round = 0; round < 2; ++round) {
    TaggerFixture h({"Jill NN NNP", "saw VBD"}, {}, {}, {}, {}, names);
    if (round == 1) EXPECT_EQ(h.Tag("saw jill"), "saw_VBD jill_NN");
    EXPECT_EQ(h.Tag("saw JILL"), "saw_VBD JILL_NN") << round;
  }
  EXPECT_EQ(g.Tag("saw jILL"), "saw_VBD jILL_NN");

  // The learners read the words the tagger looked up.
  TaggerOptions options;
  options.case_fallbacks = true;
  TaggerFixture f(lexicon, {}, {}, {}, {}, options);
  const std::vector<std::string_view> words = {"Crap", ".", "Crap", "Crap"};
  std::vector<TagId> tags;
  f.tagger->TagTokens(words, &tags);
  const std::vector<std::string> looked_up(f.tagger->looked_up().begin(),
                                           f.tagger->looked_up().end());
  EXPECT_EQ(looked_up, (std::vector<std::string>{"crap", ".", "crap", "Crap"}));
}

}  // namespace
}  // namespace quillon
