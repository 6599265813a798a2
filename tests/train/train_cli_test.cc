// End-to-end runs of `quillon train` and `quillon eval` through the real binary: a data
// folder trained from a small corpus of our own, then measured and used for tagging.
#include <gtest/gtest.h>

#include <regex>

#include "tests/e2e/e2e_util.h"
#include "tests/train/train_test_util.h"

namespace quillon {
namespace {

using testing::Outcome;
using testing::RunBinary;
using testing::ScratchDir;

std::string AsWordTag(const Corpus& corpus) {
  std::string text;
  for (const TaggedSentence& s : corpus.sentences) {
    for (size_t i = 0; i < s.words.size(); ++i) {
      text += (i ? " " : "") + s.words[i] + "_" + s.tags[i];
    }
    text += "\n";
  }
  return text;
}

// The figure that follows label on a line of out: "91.50% (183/200)".
std::string Figure(const std::string& out, const std::string& label) {
  std::smatch m;
  const std::regex pattern(label + R"( +([0-9.]+% \([0-9]+/[0-9]+\)))");
  return std::regex_search(out, m, pattern) ? m[1].str() : "(none)";
}

class TrainCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("train.txt", AsWordTag(testing::RandomCorpus(21, 400)));
    dir_.Write("dev.txt", AsWordTag(testing::RandomCorpus(22, 100)));
    dir_.Write("Q/ignore.dat", "");
  }
  Outcome Run(const std::string& args, const std::string& input = "") {
    return RunBinary(dir_, "quillon " + args, input);
  }

  ScratchDir dir_;
};

TEST_F(TrainCliTest, TrainsAFolderThatEvalAndTagUse) {
  Outcome o = Run("train tagset train.txt -o Q/tagset");
  ASSERT_EQ(o.status, 0) << o.err;
  o = Run("train lexicon train.txt -o Q/LEXICON.BROWN.AND.WSJ");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.out.find("words written to Q/LEXICON.BROWN.AND.WSJ"), std::string::npos);

  o = Run("train lexical train.txt --tagset Q/tagset -o Q/LEXICALRULEFILE.WSJ --max-rules 30");
  ASSERT_EQ(o.status, 0) << o.err;
  const std::string predicted = Figure(o.out, "predicted by the learner");
  EXPECT_NE(predicted, "(none)") << o.out;
  EXPECT_EQ(Figure(o.out, "tagged by the tagger"), predicted);

  o = Run("train contextual train.txt -d Q --heldout dev.txt -o Q/CONTEXTUALRULEFILE.WSJ -q");
  ASSERT_EQ(o.status, 0) << o.err;
  std::smatch match;
  ASSERT_TRUE(std::regex_search(o.out, match, std::regex(R"(with the \d+ rules kept +(\S+ \S+))")))
      << o.out;
  const std::string kept = match[1].str();
  EXPECT_TRUE(o.err.empty()) << o.err;  // -q, and no terminal: no progress line

  // eval tags the held-out file with the files just written, as `tag` would.
  o = Run("eval -d Q dev.txt");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(Figure(o.out, "accuracy"), kept) << o.out;
  EXPECT_NE(o.out.find("known words"), std::string::npos);
  EXPECT_NE(o.out.find("most frequent confusions (gold -> tagged):"), std::string::npos);
  EXPECT_EQ(o.out.find("precision"), std::string::npos);
  o = Run("eval -d Q --detail dev.txt");
  EXPECT_NE(o.out.find("precision     recall"), std::string::npos) << o.out;

  o = Run("tag -d Q -", "the corer redips\n");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out.rfind("the_DT corer_", 0), 0u) << o.out;
}

TEST_F(TrainCliTest, SameInputsSameBytes) {
  for (const char* suffix : {"1", "2"}) {
    const std::string s = suffix;
    ASSERT_EQ(Run("train lexicon train.txt -o lex" + s).status, 0);
    ASSERT_EQ(Run("train lexical train.txt -o lexical" + s + " --seed 3").status, 0);
    ASSERT_EQ(
        Run("train contextual train.txt --lexicon lex1 --lexical-rules lexical1 -o ctx" + s).status,
        0);
  }
  for (const char* name : {"lex", "lexical", "ctx"}) {
    const std::string n = name;
    EXPECT_EQ(dir_.Read(n + "1"), dir_.Read(n + "2")) << n;
    EXPECT_FALSE(dir_.Read(n + "1").empty()) << n;
  }
  ASSERT_EQ(Run("train lexical train.txt -o lexical3 --seed 4").status, 0);
  EXPECT_NE(dir_.Read("lexical1"), dir_.Read("lexical3"));
}

// A corpus written with curly apostrophes: the default lookup reads ’s as 's, so the files
// must be learned from that spelling to tag such text as they were trained to.
TEST_F(TrainCliTest, LookupFormsMatchWhatTheDefaultLookupReads) {
  std::string text;
  for (int i = 0; i < 6; ++i) {
    text += "he_PRP \u2019s_VBZ here_RB ._.\nJohn_NNP \u2019s_POS dog_NN ._.\n";
    text += "there_EX \u2019s_VBZ a_DT dog_NN ._.\n";
  }
  dir_.Write("curly.txt", text);
  for (const std::string variant : {"plain", "lookup"}) {
    const std::string q = variant + "/";
    const std::string flag = variant == "lookup" ? " --lookup-forms" : "";
    dir_.Write(q + "ignore.dat", "");
    ASSERT_EQ(Run("train tagset curly.txt -o " + q + "tagset").status, 0);
    ASSERT_EQ(Run("train lexicon curly.txt -o " + q + "LEXICON.BROWN.AND.WSJ" + flag).status, 0);
    ASSERT_EQ(Run("train lexical curly.txt -o " + q + "LEXICALRULEFILE.WSJ" + flag).status, 0);
    Outcome o = Run("train contextual curly.txt --no-prune -d " + q + " -o " + q +
                    "CONTEXTUALRULEFILE.WSJ" + flag);
    ASSERT_EQ(o.status, 0) << o.err;
  }
  // The lexicon holds both spellings: the text's own for the classic tokenizer.
  const std::string lexicon = "\n" + dir_.Read("lookup/LEXICON.BROWN.AND.WSJ");
  EXPECT_NE(lexicon.find("\n's VBZ POS\n"), std::string::npos) << lexicon;
  EXPECT_NE(lexicon.find("\n\u2019s VBZ POS\n"), std::string::npos) << lexicon;
  EXPECT_EQ(("\n" + dir_.Read("plain/LEXICON.BROWN.AND.WSJ")).find("\n's "), std::string::npos);

  Outcome o = Run("eval -d lookup curly.txt");
  EXPECT_EQ(Figure(o.out, "accuracy"), "100.00% (78/78)") << o.out;
  EXPECT_EQ(Figure(o.out, "unknown words"), "(none)") << o.out;
  // Learned from the curly spelling alone, ’s is a word the default lookup never finds.
  o = Run("eval -d plain curly.txt");
  EXPECT_EQ(Figure(o.out, "unknown words"), "0.00% (0/18)") << o.out;
}

TEST_F(TrainCliTest, ErrorsAndUsage) {
  dir_.Write("bad.txt", "the_DT cat_NN\nthe_DT dog\n");
  dir_.Write("bad.conllu", "1\tthe\tthe\tDET\tDT\t_\t0\troot\t_\n");
  dir_.Write("empty/.keep", "");  // a data folder without any resource file
  const struct {
    std::string args;
    int status;
    std::string err;
  } cases[] = {
      {"train lexicon bad.txt -o x", 1, "bad.txt:2: the token \"dog\" has no _TAG\n"},
      {"train lexical bad.conllu -o x", 1,
       "bad.conllu:1: expected 10 tab-separated columns, found 9\n"},
      {"eval -d Q bad.txt", 1, "bad.txt:2: the token \"dog\" has no _TAG\n"},
      {"train lexicon missing.txt -o x", 1, "Cannot open file \"missing.txt\"."},
      {"train contextual train.txt -o x", 1,
       "quillon train contextual: give --lexicon FILE or --data DIR\n"},
      {"eval -d nowhere train.txt", 1,
       "Cannot open data folder \"nowhere\": No such file or directory\n"},
      {"eval -d empty train.txt", 1, "ignore.datが見つかりません\n"},
      {"eval -d Q -f xml train.txt", 2, "quillon eval: unknown corpus format \"xml\"\n"},
      {"train lexicon train.txt", 2, ""},
      {"train lexical train.txt -o x --holdout 2", 2, ""},
      {"train wordlist train.txt -o x", 2, ""},  // --lexical-rules is needed
      {"train wordlist train.txt --lexical-rules none -o x", 1, "Cannot open file \"none\"."},
      {"train", 2, ""},
  };
  for (const auto& c : cases) {
    const Outcome o = Run(c.args);
    EXPECT_EQ(o.status, c.status) << c.args << "\n" << o.err;
    if (!c.err.empty()) {
      EXPECT_EQ(o.err.rfind(c.err, 0), 0u) << c.args << "\n" << o.err;
    }
  }
  EXPECT_FALSE(dir_.Exists("x"));

  // Leaving malformed sentences out is asked for, and said.
  Outcome o = Run("train lexicon bad.txt -o x --skip-malformed");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err,
            "left out 1 malformed sentence; the first: bad.txt:2: the token \"dog\" has "
            "no _TAG\n");
  EXPECT_EQ(dir_.Read("x"), "cat NN\nthe DT\n");
}

TEST_F(TrainCliTest, WordNetListAndUnseenWords) {
  dir_.Write("wn/index.noun", "  1 licence text\ncat n 1 0 1 3 0\n");
  dir_.Write("wn/index.verb", "walk v 1 0 1 2 0\n");
  dir_.Write("wn/index.adj", "");
  dir_.Write("wn/index.adv", "");
  dir_.Write("wn/noun.exc", "");
  dir_.Write("wn/verb.exc", "");
  dir_.Write("wn/adj.exc", "");
  dir_.Write("wn/adv.exc", "");
  Outcome o = Run("train wordnet wn -o wn.list");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(dir_.Read("wn.list"),
            "cat NN\ncats NNS\nwalk VB VBP\nwalked VBD VBN\nwalking VBG\nwalks VBZ\n");
  EXPECT_NE(o.out.find("word list: 6 words written to wn.list"), std::string::npos) << o.out;

  dir_.Write("wn/verb.exc", "walk\n");
  o = Run("train wordnet wn -o wn2.list");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "wn/verb.exc:1: an irregular form without its lemma\n");
  EXPECT_FALSE(dir_.Exists("wn2.list"));
  o = Run("train wordnet nowhere -o wn2.list");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err.rfind("Cannot open file \"nowhere/index.noun\".", 0), 0u) << o.err;

  // The list joined with the guesses of a suffix rule: "walking" (the list's alone) and
  // "walks" (seen once) take NN and NNS as second tags; "cats" has NNS first already.
  dir_.Write("seen.txt", "the_DT cat_NN walks_VBZ\n");
  dir_.Write("rules", "s hassuf 1 NNS\n");
  dir_.Write("tags", "DT\tx\nNN\tx\nNNS\tx\nVB\tx\nVBD\tx\nVBG\tx\nVBN\tx\nVBP\tx\nVBZ\tx\n");
  o = Run(
      "train wordlist seen.txt --wordlist wn.list --lexical-rules rules --tagset tags -o g.list");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(dir_.Read("g.list"),
            "cat NN\ncats NNS\nwalk VB VBP\nwalked VBD VBN\nwalking VBG NN\nwalks VBZ NNS\n");
  EXPECT_NE(o.out.find("guess added as second tag         1"), std::string::npos) << o.out;

  // The list makes "cats" known to the lexicon, but it is still unseen in the corpus.
  dir_.Write("test.txt", "the_DT cats_NNS walk_VBP\n");
  ASSERT_EQ(Run("train tagset train.txt -o Q/tagset").status, 0);
  ASSERT_EQ(Run("train lexicon seen.txt --wordlist wn.list -o Q/LEXICON.BROWN.AND.WSJ").status, 0);
  dir_.Write("Q/LEXICALRULEFILE.WSJ", "");
  dir_.Write("Q/CONTEXTUALRULEFILE.WSJ", "");
  o = Run("eval -d Q --seen seen.txt test.txt");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(Figure(o.out, "unknown words"), "(none)");
  EXPECT_EQ(Figure(o.out, "unseen words"), "50.00% (1/2)") << o.out;
  o = Run("eval -d Q test.txt");
  EXPECT_EQ(o.out.find("unseen"), std::string::npos) << o.out;
}

}  // namespace
}  // namespace quillon
