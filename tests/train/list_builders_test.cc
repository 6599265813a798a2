// The word-list builders: the lemma list, the multi-word list, the ignore list, lemma scoring, and
// the CoNLL-U columns they read. Small synthetic corpora written here; every list built is loaded
// again by the core's own loader, as a run would load it.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "core/lemmatizer.h"
#include "core/multiword.h"
#include "train/abbreviation_builder.h"
#include "train/corpus.h"
#include "train/lemma_evaluation.h"
#include "train/lemma_list_builder.h"
#include "train/multiword_builder.h"
#include "train/wordnet.h"

namespace quillon {
namespace {

// One token: FORM LEMMA UPOS XPOS HEAD DEPREL.
struct Token {
  std::string form, lemma, upos, xpos;
  int head;
  std::string deprel;
};

std::string ConlluText(const std::vector<std::vector<Token>>& sentences) {
  std::ostringstream out;
  for (const auto& sentence : sentences) {
    out << "# text = ...\n";
    for (size_t i = 0; i < sentence.size(); ++i) {
      const Token& t = sentence[i];
      out << i + 1 << '\t' << t.form << '\t' << t.lemma << '\t' << t.upos << '\t' << t.xpos
          << "\t_\t" << t.head << '\t' << t.deprel << "\t_\t_\n";
    }
    out << "\n";
  }
  return out.str();
}

Corpus ConlluCorpus(const std::vector<std::vector<Token>>& sentences) {
  Corpus corpus;
  const Status status = ParseConllu(ConlluText(sentences), "test.conllu", &corpus);
  EXPECT_TRUE(status.ok()) << status.message();
  return corpus;
}

// A sentence whose tokens all have the given lemmas, flat under the first word.
std::vector<Token> Lemmatised(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::vector<Token> tokens;
  for (size_t i = 0; i < pairs.size(); ++i) {
    tokens.push_back({pairs[i].first, pairs[i].second, pairs[i].first == "." ? "PUNCT" : "X", "NN",
                      i == 0 ? 0 : 1, i == 0 ? "root" : "dep"});
  }
  return tokens;
}

TEST(CorpusColumnsTest, ConlluKeepsLemmaUposHeadAndRelation) {
  Corpus corpus;
  ASSERT_TRUE(ParseConllu("1\tMice\tmouse\tNOUN\tNNS\t_\t2\tnsubj\t_\t_\n"
                          "1.1\tx\tx\tX\tFW\t_\t_\t_\t_\t_\n"
                          "2\tran\trun\tVERB\tVBD\t_\t0\troot\t_\t_\n"
                          "3\t.\t.\tPUNCT\t.\t_\t_\tpunct\t_\t_\n",
                          "a", &corpus)
                  .ok());
  ASSERT_EQ(corpus.sentences.size(), 1u);
  const TaggedSentence& s = corpus.sentences[0];
  EXPECT_EQ(s.lemmas, (std::vector<std::string>{"mouse", "run", "."}));
  EXPECT_EQ(s.upos, (std::vector<std::string>{"NOUN", "VERB", "PUNCT"}));
  EXPECT_EQ(s.heads, (std::vector<int>{2, 0, -1}));
  EXPECT_EQ(s.deprels, (std::vector<std::string>{"nsubj", "root", "punct"}));
  EXPECT_TRUE(s.has_syntax());

  Corpus tagged;
  ASSERT_TRUE(ParseWordTag("the_DT cat_NN", "b", &tagged).ok());
  EXPECT_TRUE(tagged.sentences[0].lemmas.empty());
  EXPECT_FALSE(tagged.sentences[0].has_syntax());
}

WordNet SmallWordNet() {
  WordNet w;
  w.lemmas[kWordNetNoun] = {"cat", "glass", "glasses", "axe", "axis", "leave", "ice_cream"};
  w.lemmas[kWordNetVerb] = {"walk", "leave", "see", "stop", "saw"};
  w.lemmas[kWordNetAdjective] = {"big", "left"};
  w.exceptions[kWordNetNoun] = {{"axes", {"axis", "axe"}}, {"mice", {"mouse"}}};
  w.exceptions[kWordNetVerb] = {{"left", {"leave"}}, {"saw", {"see"}}, {"went", {"go"}}};
  w.exceptions[kWordNetAdjective] = {{"bigger", {"big"}}};
  return w;
}

// The lemma the shipped lookup gives for word with the list lines.
std::string LookUp(const std::vector<std::string>& lines, const std::string& word) {
  LemmaTable table;
  EXPECT_TRUE(table.Load(lines));
  LemmaTable::Scratch scratch;
  return std::string(table.Lemmatization(word, &scratch));
}

TEST(LemmaListBuilderTest, SourcesInOrderAndOneLemmaPerForm) {
  const Corpus corpus = ConlluCorpus({
      Lemmatised({{"He", "he"}, {"left", "leave"}, {"the", "the"}, {"Cats", "cat"}, {".", "."}}),
      Lemmatised({{"left", "left"}, {"left", "leave"}, {"axes", "axe"}, {"saw", "saw"}}),
      Lemmatised({{"u", "you"}, {"x", "_"}, {"a,b", "ab"}, {"[x]", "[x]"}, {"o k", "ok"}}),
  });
  LemmaListStats stats;
  const std::vector<std::string> lines =
      BuildLemmaListLines(corpus, SmallWordNet(), LemmaListOptions(), &stats);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"left", "leave"},       // corpus: 2 against 1
      {"LEFT", "leave"},       // the lookup lower-cases
      {"saw", "saw"},          // corpus: its own lemma, although WordNet says see
      {"axes", "axe"},         // corpus before the exception list's first lemma
      {"cats", "cat"},         // corpus
      {"u", "you"},            // corpus
      {"mice", "mouse"},       // exception list
      {"went", "go"},          // exception list
      {"bigger", "big"},       // exception list
      {"walks", "walk"},       // inflection
      {"walked", "walk"},      // inflection
      {"stopping", "stop"},    // inflection
      {"glasses", "glasses"},  // a WordNet lemma itself: not inflected
      {"paris", "paris"},      // nowhere: itself, lower-cased
      {"x", "x"},              // "_" is no lemma
  };
  for (const auto& [word, lemma] : expected) EXPECT_EQ(LookUp(lines, word), lemma) << word;
  EXPECT_EQ(stats.unwritable, 2u);   // a,b and "o k"; [x] is its own lemma and needs no line
  EXPECT_EQ(stats.from_corpus, 4u);  // left, axes, cats, u
  for (const std::string& line : lines) {
    if (line[0] == '[') continue;
    const std::string lemma = line.substr(0, line.find(' '));
    std::istringstream forms(line.substr(line.find("-> ") + 3));
    for (std::string form; std::getline(forms, form, ',');) {
      EXPECT_NE(form, lemma) << "a form that is its own lemma needs no line: " << line;
    }
  }
  LemmaListOptions inflect;
  inflect.inflect_lemma_forms = true;
  EXPECT_EQ(LookUp(BuildLemmaListLines(corpus, SmallWordNet(), inflect, &stats), "glasses"),
            "glass");
}

TEST(LemmaListBuilderTest, ExceptionTieGoesToTheLemmaTheCorpusUses) {
  WordNet wordnet;
  wordnet.exceptions[kWordNetNoun] = {{"bases", {"basis", "base"}}, {"axes", {"axis", "axe"}}};
  const Corpus corpus = ConlluCorpus({Lemmatised({{"base", "base"}, {"the", "the"}})});
  LemmaListStats stats;
  const std::vector<std::string> lines =
      BuildLemmaListLines(corpus, wordnet, LemmaListOptions(), &stats);
  EXPECT_EQ(LookUp(lines, "bases"), "base");  // base is a lemma of the corpus
  EXPECT_EQ(LookUp(lines, "axes"), "axis");   // neither is: the first listed
  EXPECT_EQ(stats.from_exceptions, 2u);
}

TEST(LemmaListBuilderTest, FormsSharingAnOrderKeyKeepTheBetterAttestedLemma) {
  // "!" and "." have the same code, so "a.m" and "a!m" are one key for the lookup.
  const Corpus corpus = ConlluCorpus({
      Lemmatised({{"a.m", "a.m."}, {"a.m", "a.m."}, {"a!m", "am"}}),
  });
  LemmaListStats stats;
  const std::vector<std::string> lines =
      BuildLemmaListLines(corpus, WordNet(), LemmaListOptions(), &stats);
  EXPECT_EQ(LookUp(lines, "a.m"), "a.m.");
  EXPECT_EQ(LookUp(lines, "a!m"), "a.m.");
  EXPECT_EQ(stats.forms, 1u);
}

TEST(LemmaListBuilderTest, OutputIsSortedAndDeterministic) {
  const Corpus corpus = ConlluCorpus({Lemmatised({{"went", "go"}, {"gone", "go"}, {"was", "be"}})});
  LemmaListStats stats;
  const std::vector<std::string> lines =
      BuildLemmaListLines(corpus, SmallWordNet(), LemmaListOptions(), &stats);
  EXPECT_EQ(lines, BuildLemmaListLines(corpus, SmallWordNet(), LemmaListOptions(), &stats));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "be -> was"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "go -> gone,went"), lines.end());
  std::vector<std::string> body;
  for (const std::string& line : lines) {
    if (line[0] != '[') body.push_back(line);
  }
  EXPECT_TRUE(std::is_sorted(body.begin(), body.end()));
  EXPECT_EQ(body.size(), stats.lemmas);
}

TEST(LemmaEvaluationTest, PunctuationLeftOutAndCaseIgnored) {
  LemmaTable table;
  ASSERT_TRUE(table.Load({"go -> went", "I -> me"}));
  const Corpus corpus = ConlluCorpus({
      Lemmatised({{"Went", "go"}, {"Paris", "Paris"}, {"me", "I"}, {"cats", "cat"}, {".", "."}}),
  });
  const LemmaEvalResult r = EvaluateLemmas(table, corpus);
  EXPECT_EQ(r.tokens, 4u);
  EXPECT_EQ(r.correct, 3u);
  EXPECT_EQ(r.listed, 2u);
  EXPECT_EQ(r.listed_correct, 2u);
  EXPECT_EQ(r.misses.size(), 1u);
  EXPECT_EQ(r.misses.begin()->first,
            (std::tuple<std::string, std::string, std::string>{"cats", "cat", "cats"}));
  const std::string report = FormatLemmaReport(r);
  EXPECT_NE(report.find("lemma accuracy  75.00% (3/4)"), std::string::npos) << report;

  Corpus tagged;
  ASSERT_TRUE(ParseWordTag("went_VBD", "t", &tagged).ok());
  const LemmaEvalResult none = EvaluateLemmas(table, tagged);
  EXPECT_EQ(none.tokens, 0u);
  EXPECT_EQ(none.sentences_without_lemmas, 1u);
}

// "because of the rain , as well as the cold , each other" with its relations.
Corpus FixedCorpus(int copies) {
  std::vector<std::vector<Token>> sentences;
  for (int i = 0; i < copies; ++i) {
    sentences.push_back({
        {"Because", "because", "ADP", "IN", 4, "case"},
        {"of", "of", "ADP", "IN", 1, "fixed"},
        {"the", "the", "DET", "DT", 4, "det"},
        {"rain", "rain", "NOUN", "NN", 0, "root"},
        {"as", "as", "ADV", "RB", 8, "cc"},
        {"well", "well", "ADV", "RB", 5, "fixed"},
        {"as", "as", "ADP", "IN", 5, "fixed"},
        {"cold", "cold", "NOUN", "NN", 4, "conj"},
        {"at", "at", "ADP", "IN", 10, "case"},
        {"least", "least", "ADJ", "JJS", 4, "obl"},
        {"to", "to", "ADP", "IN", 12, "case"},
        {"it", "it", "PRON", "PRP", 4, "obl"},
        {"each", "each", "DET", "DT", 4, "obj"},
        {"other", "other", "ADJ", "JJ", 13, "fixed"},
    });
  }
  return ConlluCorpus(sentences);
}

TEST(MultiwordBuilderTest, FixedExpressionsAdverbsAndExtras) {
  const std::vector<std::string> adverbs = {"at_least", "to_it", "rain_as", "well", "in_fact"};
  const std::vector<std::string> extra = {"In spite of\tIN", "because of\tXX", "no tab", ""};
  MultiwordStats stats;
  const std::vector<std::string> lines =
      BuildMultiwordLines(FixedCorpus(3), adverbs, extra, MultiwordBuildOptions(), &stats);
  EXPECT_EQ(lines, (std::vector<std::string>{"at least\tRB", "because of\tIN", "each other\tPRP",
                                             "as well as\tCC", "in spite of\tIN"}));
  EXPECT_EQ(stats.fixed, 3u);
  EXPECT_EQ(stats.adverbs, 1u);  // "to it" ends in a pronoun, "rain as" is no phrase
  EXPECT_EQ(stats.extra, 1u);
  // Seen once only: below the counts.
  EXPECT_EQ(BuildMultiwordLines(FixedCorpus(1), adverbs, {}, MultiwordBuildOptions(), &stats),
            std::vector<std::string>{});

  MultiwordTable table;
  table.Load(lines, nullptr);
  EXPECT_EQ(table.size(), lines.size());
}

TEST(AbbreviationBuilderTest, CorpusAndCommonEntries) {
  Corpus corpus;
  ASSERT_TRUE(ParseWordTag("Mr._NNP Smith_NNP sat_VBD ._.\n"
                           "Mr._NNP Jones_NNP and_CC Dr._NNP Who_NNP ._.\n"
                           "mr._NNP x_NN Dr._NNP y_NN ._.\n"
                           "I_PRP said_VBD no_DT ._. No._NN 5_CD\n"
                           "U.S._NNP a_DT etc._FW b_NN ._. ..._: e.g._FW\n"
                           "Fig._NN Fig._NN Fig._NN Fig._NN fig._NN a_DT fig_NN ._.\n"
                           "Sen._NNP Sen._NNP Sen._NNP Sen._NNP sen_NN ._.\n"
                           "we_PRP wash_VBP on_IN Feb_NNP ._. 19_CD and_CC Feb._NNP 2_CD\n"
                           "Corp_NNP ._. ,_, Corp._NNP Corp_NNP ._. Then_RB\n"
                           "Jr_NNP ._. He_PRP left_VBD Jr._NNP\n",
                           "c", &corpus)
                  .ok());
  const std::vector<std::string> common = {"Calif", "Wash",   "Sat", "No",   "etc",
                                           "Ph.D",  "e-mail", "Feb", "Corp", "Jr"};
  // WordNet lists feb and corp too, but no text writes them in small letters.
  const std::unordered_set<std::string> ordinary = {"wash", "sat", "no",  "smith",
                                                    "fig",  "sen", "feb", "corp"};
  AbbreviationStats stats;
  const std::vector<std::string> lines =
      BuildAbbreviationLines(corpus, common, ordinary, 2, &stats);
  // Mr (3 times, spelt Mr mostly), Dr (2), Fig (an ordinary word, but 5 against 1); then
  // Calif (unseen, no ordinary word), etc (seen once), Ph.D, Feb (its split period before a
  // number is no sentence end). Left out: Sen (an ordinary word, 4 against 1), Wash and Sat
  // (ordinary words), No (ends a sentence as often as abbreviated), e-mail (the tokenizer
  // splits it), Corp and Jr (once abbreviated, once before a new sentence), U.S. and e.g.
  // (once only).
  EXPECT_EQ(lines, (std::vector<std::string>{"Calif", "Dr", "etc", "Feb", "Fig", "Mr", "Ph.D"}));
  EXPECT_EQ(stats.from_corpus, 3u);
  EXPECT_EQ(stats.from_common, 4u);
  EXPECT_EQ(stats.common_rejected, 6u);

  const std::vector<std::tuple<std::string, bool>> candidates = {
      {"Mr", true},   {"U.S", true},   {"p.m", true},         {"Ph.D", true}, {"3D", true},
      {"", false},    {"5", false},    {".x", false},         {"x.", false},  {"a..b", false},
      {"e-g", false}, {"it's", false}, {"caf\xC3\xA9", false}};
  for (const auto& [word, ok] : candidates) EXPECT_EQ(IsAbbreviationCandidate(word), ok) << word;
}

}  // namespace
}  // namespace quillon
