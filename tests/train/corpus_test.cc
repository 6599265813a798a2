// Corpus readers, tag mapping and the seeded split.
#include "train/corpus.h"

#include <gtest/gtest.h>

#include <set>

namespace quillon {
namespace {

std::string Flatten(const Corpus& corpus) {
  std::string out;
  for (const TaggedSentence& s : corpus.sentences) {
    for (size_t i = 0; i < s.words.size(); ++i)
      out += (i ? " " : "") + s.words[i] + "/" + s.tags[i];
    out += "\n";
  }
  return out;
}

TEST(CorpusReaderTest, ConlluKeepsWordLinesAndMapsTags) {
  const std::string text =
      "# sent_id = 1\n"
      "# text = I'm going to (the) shop\n"
      "1-2\tI'm\t_\t_\t_\t_\t_\t_\t_\t_\n"
      "1\tI\tI\tPRON\tPRP\t_\t2\tnsubj\t_\t_\n"
      "2\t'm\tbe\tAUX\tVBP\t_\t0\troot\t_\t_\n"
      "2.1\tgone\tgo\tVERB\tVBN\t_\t_\t_\t2:x\t_\n"
      "3\tTo\tto\tADP\tIN\t_\t5\tcase\t_\t_\n"
      "4\t(\t(\tPUNCT\t-LRB-\t_\t5\tpunct\t_\t_\n"
      "5\tshop\tshop\tNOUN\tNN\t_\t2\tobl\t_\t_\n"
      "6\t)\t)\tPUNCT\t-RRB-\t_\t5\tpunct\t_\t_\n"
      "\n"
      "\r\n"  // several blank lines end one sentence only
      "1\tin\tin\tADP\tIN\t_\t0\troot\t_\t_\r\n"
      "2\tto\tto\tADP\tTO\t_\t1\tx\t_\t_\r\n"
      "3\tfoo-\tfoo\tX\tAFX\t_\t1\tx\t_\t_";  // the last sentence needs no blank line
  Corpus corpus;
  ASSERT_TRUE(ParseConllu(text, "a.conllu", &corpus).ok());
  EXPECT_EQ(Flatten(corpus), "I/PRP 'm/VBP To/TO (/( shop/NN )/)\nin/IN to/TO foo-/JJ\n");
}

TEST(CorpusReaderTest, WordTagSplitsAtTheLastUnderscore) {
  Corpus corpus;
  ASSERT_TRUE(ParseWordTag("a_b_NN  c_:\t._.\n\n   \nto_IN x__SYM \n", "m.txt", &corpus).ok());
  EXPECT_EQ(Flatten(corpus), "a_b/NN c/: ./.\nto/TO x_/SYM\n");
}

TEST(CorpusReaderTest, TagMapping) {
  const struct {
    const char* word;
    const char* tag;
    const char* mapped;
  } cases[] = {
      {"(", "-LRB-", "("},  {")", "-RRB-", ")"},  {"-", "HYPH", ":"},    {"...", "NFP", ":"},
      {"x@y", "ADD", "NN"}, {"pre", "AFX", "JJ"}, {"gonna", "GW", "FW"}, {"zz", "XX", "FW"},
      {"TO", "IN", "TO"},   {"tO", "IN", "TO"},   {"into", "IN", "IN"},  {"to", "RB", "RB"},
      {"x", "NN", "NN"},
  };
  for (const auto& c : cases) EXPECT_EQ(MapTag(c.word, c.tag), c.mapped) << c.word << " " << c.tag;
}

// MASC's own spellings are mapped before the classic mapping; a sentence with any other
// tag outside the classic set is left out, with the first such token named.
TEST(CorpusReaderTest, MascTagsAreMappedAndOddOnesLeaveTheSentenceOut) {
  const std::string text =
      "He_PP said_VBD (_LRB yes_UH` )_RRB --_-- well_UH ;_; so_RB ..._... to_IN go_VB\n"
      "\"_\" hi_UH '_' running_VBG|NN ._.\n"
      "The_DT cat_NN sat_VBD2 ._.\n"        // a typing slip in the tag
      "It_PRP was_VBD -_- fine_JJ ._.\r\n"  // "-" is a dash tag, mapped
      "Is_VBZ it_PP ?_.\n";
  Corpus corpus;
  SkippedSentences skipped;
  ASSERT_TRUE(ParseMasc(text, "m.txt", &corpus, &skipped).ok());
  EXPECT_EQ(Flatten(corpus),
            "He/PRP said/VBD (/( yes/UH )/) --/: well/UH ;/: so/RB .../: to/TO go/VB\n"
            "\"/'' hi/UH '/'' running/VBG ./.\n"
            "It/PRP was/VBD -/: fine/JJ ./.\n"
            "Is/VBZ it/PRP ?/.\n");
  EXPECT_EQ(skipped.count, 1u);
  EXPECT_EQ(skipped.first, "m.txt:3: the tag of the token \"sat_VBD2\" is not a Penn Treebank tag");
  // The same tags read as plain `word_TAG` stay as they are written.
  Corpus plain;
  ASSERT_TRUE(ParseWordTag("it_PP sat_VBD2", "w.txt", &plain).ok());
  EXPECT_EQ(Flatten(plain), "it/PP sat/VBD2\n");
  Corpus strict;
  EXPECT_FALSE(ParseMasc("it_PP sat_VBD2", "m.txt", &strict).ok());
}

TEST(CorpusReaderTest, MalformedInputNamesFileAndLine) {
  const struct {
    bool conllu;
    const char* text;
    const char* error;
  } cases[] = {
      {true, "1\tx\tx\tX\tNN\n", "c.conllu:1: expected 10 tab-separated columns, found 5"},
      {true, "# c\n1\tx\tx\tX\tNN\t_\t_\t_\t_\t_\t_\n",
       "c.conllu:2: expected 10 tab-separated columns, found 11"},
      {true, "\nx\tx\tx\tX\tNN\t_\t_\t_\t_\t_\n", "c.conllu:2: the ID column \"x\" is not"},
      {true, "1\tx\tx\tX\t_\t_\t_\t_\t_\t_\n", "c.conllu:1: no XPOS tag (column 5) for \"x\""},
      {true, "1\t\tx\tX\tNN\t_\t_\t_\t_\t_\n", "c.conllu:1: the FORM column is empty"},
      {true, "1\tx\tx\tX\tN N\t_\t_\t_\t_\t_\n", "c.conllu:1: the XPOS tag \"N N\" holds"},
      {false, "a_DT\nb_NN cat\n", "w.txt:2: the token \"cat\" has no _TAG"},
      {false, "a_DT\r\nb_NN\r\n_NN\n", "w.txt:3: the token \"_NN\" has an empty word"},
      {false, "word_\n", "w.txt:1: the token \"word_\" has an empty tag"},
      {false, "word_N\x7f\n", "w.txt:1: the tag of the token \"word_N\x7f\" holds a control"},
  };
  for (const auto& c : cases) {
    Corpus corpus;
    const Status status = c.conllu ? ParseConllu(c.text, "c.conllu", &corpus)
                                   : ParseWordTag(c.text, "w.txt", &corpus);
    ASSERT_FALSE(status.ok()) << c.text;
    EXPECT_EQ(status.message().rfind(c.error, 0), 0u) << status.message();
  }
}

TEST(CorpusReaderTest, LenientReadingLeavesOutMalformedSentences) {
  SkippedSentences skipped;
  Corpus corpus;
  ASSERT_TRUE(
      ParseWordTag("a_DT b_NN\nc_DT broken\n\nd_NN e_N\x01N\nf_VB\n", "w.txt", &corpus, &skipped)
          .ok());
  EXPECT_EQ(Flatten(corpus), "a/DT b/NN\nf/VB\n");
  EXPECT_EQ(skipped.count, 2u);
  EXPECT_EQ(skipped.first, "w.txt:2: the token \"broken\" has no _TAG");
  EXPECT_EQ(SkippedNote(skipped),
            "left out 2 malformed sentences; the first: w.txt:2: the token \"broken\" has no _TAG");

  const std::string conllu =
      "1\ta\ta\tX\tDT\t_\t_\t_\t_\t_\n"
      "\n"
      "1\tb\tb\tX\tNN\t_\t_\t_\t_\t_\n"
      "2\tc\tc\tX\n"  // the whole sentence goes, lines before and after the bad one
      "3\td\td\tX\tNN\t_\t_\t_\t_\t_\n"
      "\n"
      "1\te\te\tX\tVB\t_\t_\t_\t_\t_\n"
      "x\tf\tf\tX\tVB\t_\t_\t_\t_\t_";  // the last sentence, without a blank line
  SkippedSentences skipped_conllu;
  Corpus from_conllu;
  ASSERT_TRUE(ParseConllu(conllu, "c.conllu", &from_conllu, &skipped_conllu).ok());
  EXPECT_EQ(Flatten(from_conllu), "a/DT\n");
  EXPECT_EQ(skipped_conllu.count, 2u);
  EXPECT_EQ(skipped_conllu.first, "c.conllu:4: expected 10 tab-separated columns, found 4");
}

TEST(CorpusReaderTest, FormatDetection) {
  EXPECT_EQ(DetectFormat("x.conllu", "a_DT"), CorpusFormat::kConllu);
  EXPECT_EQ(DetectFormat("x.txt", "# c\n\n1\tThe\t_\n"), CorpusFormat::kConllu);
  EXPECT_EQ(DetectFormat("x.txt", "1-2\tdon't\t_\n"), CorpusFormat::kConllu);
  EXPECT_EQ(DetectFormat("x.txt", "The_DT cat_NN\n"), CorpusFormat::kWordTag);
  EXPECT_EQ(DetectFormat("x.txt", "1_CD\tx_NN\n"), CorpusFormat::kWordTag);
  EXPECT_EQ(DetectFormat("x.txt", ""), CorpusFormat::kWordTag);
}

TEST(CorpusSplitTest, SeededSplitIsExactDisjointAndOrdered) {
  Corpus corpus;
  for (int i = 0; i < 101; ++i) corpus.sentences.push_back({{std::to_string(i)}, {"CD"}});
  Corpus kept, held, kept2, held2, kept3, held3;
  SplitCorpus(corpus, 0.3, 7, &kept, &held);
  SplitCorpus(corpus, 0.3, 7, &kept2, &held2);
  SplitCorpus(corpus, 0.3, 8, &kept3, &held3);
  EXPECT_EQ(held.sentences.size(), 30u);
  EXPECT_EQ(kept.sentences.size(), 71u);
  EXPECT_EQ(Flatten(held), Flatten(held2));
  EXPECT_NE(Flatten(held), Flatten(held3));
  std::set<int> seen;
  for (const Corpus* part : {&kept, &held}) {
    int last = -1;
    for (const TaggedSentence& s : part->sentences) {
      const int n = std::stoi(s.words[0]);
      EXPECT_GT(n, last);  // corpus order within each part
      last = n;
      EXPECT_TRUE(seen.insert(n).second);
    }
  }
  EXPECT_EQ(seen.size(), 101u);
  SplitCorpus(corpus, 0.0, 7, &kept, &held);
  EXPECT_TRUE(held.sentences.empty());
  SplitCorpus(corpus, 1.0, 7, &kept, &held);
  EXPECT_TRUE(kept.sentences.empty());
}

TEST(CorpusSplitTest, FoldsPartitionTheCorpus) {
  Corpus corpus;
  for (int i = 0; i < 23; ++i) corpus.sentences.push_back({{std::to_string(i)}, {"CD"}});
  std::multiset<std::string> held_words;
  for (int fold = 0; fold < 4; ++fold) {
    Corpus rest, held;
    SplitFold(corpus, 4, fold, 9, &rest, &held);
    EXPECT_EQ(rest.sentences.size() + held.sentences.size(), 23u);
    EXPECT_GE(held.sentences.size(), 5u);
    EXPECT_LE(held.sentences.size(), 6u);
    for (const TaggedSentence& s : held.sentences) held_words.insert(s.words[0]);
    Corpus rest2, held2;
    SplitFold(corpus, 4, fold, 9, &rest2, &held2);
    EXPECT_EQ(Flatten(held), Flatten(held2));
  }
  EXPECT_EQ(held_words.size(), 23u);
  EXPECT_EQ(std::set<std::string>(held_words.begin(), held_words.end()).size(), 23u);
}

}  // namespace
}  // namespace quillon
