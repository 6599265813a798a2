// Lexicon lines from a corpus and word lists, as the tagger reads them back.
#include "train/lexicon_builder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/lexicon.h"
#include "core/tagger.h"
#include "train/learning_resources.h"
#include "train/tagset_builder.h"

namespace quillon {
namespace {

Corpus MakeCorpus(const std::vector<std::vector<std::pair<std::string, std::string>>>& tagged) {
  Corpus corpus;
  for (const auto& sentence : tagged) {
    TaggedSentence s;
    for (const auto& [word, tag] : sentence) {
      s.words.push_back(word);
      s.tags.push_back(tag);
    }
    corpus.sentences.push_back(std::move(s));
  }
  return corpus;
}

TEST(LexiconBuilderTest, TagsByFrequencyThenByteOrder) {
  const Corpus corpus = MakeCorpus({
      {{"run", "VB"}, {"run", "NN"}, {"run", "VB"}, {"the", "DT"}},
      {{"run", "VBP"}, {"run", "NN"}, {"tie", "VB"}, {"tie", "NN"}},
  });
  LexiconStats stats;
  EXPECT_EQ(BuildLexiconLines(corpus, {}, {}, &stats),
            (std::vector<std::string>{"run NN VB VBP", "the DT", "tie NN VB"}));
  EXPECT_EQ(stats.entries, 3u);
  LexiconBuildOptions options;
  options.min_tag_count = 2;
  // A rare tag is left out, but every word keeps its most frequent tag.
  EXPECT_EQ(BuildLexiconLines(corpus, {}, options, &stats),
            (std::vector<std::string>{"run NN VB", "the DT", "tie NN"}));
}

TEST(LexiconBuilderTest, WordListsAddTagsAfterTheCorpusTags) {
  const Corpus corpus = MakeCorpus({{{"walk", "VB"}, {"book", "NN"}}});
  std::vector<WordListEntry> wordlist;
  ASSERT_TRUE(ParseWordList("walk NN VB\n\n  \nbook\tVB  NN\nzebra NN\n", "wl", &wordlist).ok());
  LexiconStats stats;
  EXPECT_EQ(BuildLexiconLines(corpus, wordlist, {}, &stats),
            (std::vector<std::string>{"book NN VB", "walk VB NN", "zebra NN"}));
  EXPECT_EQ(stats.wordlist_words, 1u);
  EXPECT_EQ(stats.extended, 2u);
  LexiconBuildOptions known_only;
  known_only.wordlist_known_only = true;
  EXPECT_EQ(BuildLexiconLines(corpus, wordlist, known_only, &stats),
            (std::vector<std::string>{"book NN VB", "walk VB NN"}));
  LexiconBuildOptions new_only;
  new_only.wordlist_new_only = true;
  EXPECT_EQ(BuildLexiconLines(corpus, wordlist, new_only, &stats),
            (std::vector<std::string>{"book NN", "walk VB", "zebra NN"}));
  EXPECT_EQ(stats.extended, 0u);

  const struct {
    const char* text;
    const char* error;
  } bad[] = {{"ok NN\nlonely\n", "wl:2: the word \"lonely\" has no tag"},
             {"x N\x12N\n", "wl:1: a tag of \"x\" holds a control character"}};
  for (const auto& c : bad) {
    std::vector<WordListEntry> entries;
    const Status status = ParseWordList(c.text, "wl", &entries);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.message(), c.error);
  }
}

// A capitalised list word the corpus lacks but holds in small letters is left out (the
// tagger reads it in small letters at a sentence start); a corpus word keeps its list
// tags, and so does a capitalised word whose small-letter form the corpus lacks too.
TEST(LexiconBuilderTest, WordListCapitalsOfSmallLetterCorpusWords) {
  const Corpus corpus = MakeCorpus({{{"laughter", "NN"}, {"Truly", "RB"}, {"truly", "RB"}}});
  std::vector<WordListEntry> wordlist;
  ASSERT_TRUE(ParseWordList("Laughter NNP\nTruly NNP\nAthens NNP\nLAUGHTER NNP\nlaughter VB\n",
                            "wl", &wordlist)
                  .ok());
  LexiconBuildOptions options;
  options.wordlist_small_letters = true;
  LexiconStats stats;
  EXPECT_EQ(BuildLexiconLines(corpus, wordlist, options, &stats),
            (std::vector<std::string>{"laughter NN VB", "truly RB", "Athens NNP", "Truly RB NNP"}));
  EXPECT_EQ(BuildLexiconLines(corpus, wordlist, {}, &stats).size(), 6u);
}

TEST(LexiconBuilderTest, LookupFormsCountUnderBothSpellings) {
  const Corpus corpus = MakeCorpus({
      {{"it", "PRP"}, {"\u2019s", "VBZ"}, {"\u201c", "``"}, {"John", "NNP"}, {"\u2019s", "POS"}},
      {{"it", "PRP"}, {"'s", "POS"}, {"\u2019s", "VBZ"}, {"\u2019s", "VBZ"}},
  });
  auto has = [](const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  LexiconStats stats;
  LexiconBuildOptions options;
  options.lookup_forms = true;
  // The text's own spelling keeps its own counts; the ASCII form sums both spellings, so
  // that 's, seen once as POS, reads VBZ first like the VBZ of its curly spelling.
  std::vector<std::string> lines = BuildLexiconLines(corpus, {}, options, &stats);
  EXPECT_EQ(lines.size(), 6u);
  for (const char* line : {"'s VBZ POS", "\u2019s VBZ POS", "`` ``", "\u201c ``", "it PRP"}) {
    EXPECT_TRUE(has(lines, line)) << line;
  }
  lines = BuildLexiconLines(corpus, {}, {}, &stats);
  EXPECT_EQ(lines.size(), 5u);
  EXPECT_TRUE(has(lines, "'s POS"));
  EXPECT_FALSE(has(lines, "`` ``"));
}

TEST(LexiconBuilderTest, AtMostTenTagsAndOnlyWordsALineCanHold) {
  TaggedSentence s;
  const char* tags[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L"};
  for (int t = 0; t < 12; ++t) {
    for (int k = 0; k <= 12 - t; ++k) {  // A most frequent, L least
      s.words.push_back("w");
      s.tags.push_back(tags[t]);
    }
  }
  for (const char* word : {"two words", "tab\there", "ctl\x12", "ok"}) {
    s.words.push_back(word);
    s.tags.push_back("NN");
  }
  Corpus corpus;
  corpus.sentences.push_back(s);
  LexiconStats stats;
  EXPECT_EQ(BuildLexiconLines(corpus, {}, {}, &stats),
            (std::vector<std::string>{"ok NN", "w A B C D E F G H I J"}));
  EXPECT_EQ(stats.truncated, 1u);
  EXPECT_EQ(stats.skipped_words, 3u);
}

TEST(LexiconBuilderTest, NeverMistakenForAPreparedLexicon) {
  // Sorted, "2930 CD" would be the 101st line, and the key of CD is 2930: the form test
  // would take the whole file for a prepared lexicon.
  TaggedSentence s;
  for (int i = 0; i < 100; ++i) {
    s.words.push_back("1" + std::to_string(1000 + i));
    s.tags.push_back("CD");
  }
  for (const char* word : {"2930", "apple", "zoo"}) {
    s.words.push_back(word);
    s.tags.push_back(word[0] == '2' ? "CD" : "NN");
  }
  Corpus corpus;
  corpus.sentences.push_back(s);
  LexiconStats stats;
  const std::vector<std::string> lines = BuildLexiconLines(corpus, {}, {}, &stats);
  ASSERT_EQ(lines.size(), 103u);
  EXPECT_FALSE(IsPreparedForm(lines));
  std::vector<std::string> sorted = lines;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted[100], "2930 CD");
  EXPECT_TRUE(IsPreparedForm(sorted));  // what the reordering avoids

  // The tagger reads every word back with its start tag.
  std::unique_ptr<Resources> resources = MakeResources({lines, {}, {}, {}});
  EXPECT_EQ(resources->lexicon.LexiconCount(), 105);
}

TEST(LexiconBuilderTest, WordsWithOneOrderKeyShareOneTagList) {
  // "<", ">", "*" and "+" have one order key, so the tagger reads one row for all of them,
  // whichever its search reaches: every one of them gets the summed counts' tags, then the
  // word lists' ("+" CC). "x" keeps its own.
  const Corpus corpus = MakeCorpus(
      {{{"<", "("}, {">", ")"}, {"x", "NN"}, {">", ")"}}, {{"<", "("}, {">", ")"}, {"*", "SYM"}}});
  std::vector<WordListEntry> wordlist;
  ASSERT_TRUE(ParseWordList("+ CC\n", "wl", &wordlist).ok());
  LexiconStats stats;
  const std::vector<std::string> lines = BuildLexiconLines(corpus, wordlist, {}, &stats);
  // In the order of the tagger's rows: by key, and letters have lower codes than these.
  EXPECT_EQ(lines, (std::vector<std::string>{"x NN", "* ) ( SYM CC", "+ ) ( SYM CC", "< ) ( SYM CC",
                                             "> ) ( SYM CC"}));
  EXPECT_EQ(stats.shared_key_words, 4u);

  // Whatever row the tagger finds, each of them starts with the tag most of them have.
  std::unique_ptr<Resources> resources = MakeResources({lines, {}, {}, {}});
  Tagger tagger(resources.get(), TaggerOptions());
  const std::vector<std::string_view> words = {"<", ">", "*", "+", "x"};
  std::vector<TagId> tags;
  tagger.TagTokens(words, &tags);
  std::vector<std::string> names;
  for (TagId tag : tags) names.emplace_back(tagger.TagName(tag));
  EXPECT_EQ(names, (std::vector<std::string>{")", ")", ")", ")", "NN"}));
}

// The lines come in the order of the tagger's rows, so the table it loads keeps them as
// they stand: words of mixed case, digits, punctuation sharing a key, words beginning one
// another, bytes outside ASCII.
TEST(LexiconBuilderTest, LinesComeInTheTablesRowOrder) {
  const Corpus corpus = MakeCorpus({{{"the", "DT"},
                                     {"The", "DT"},
                                     {"THE", "NNP"},
                                     {"10", "CD"},
                                     {"1", "CD"},
                                     {"a", "DT"},
                                     {"A", "DT"},
                                     {"ab", "NN"},
                                     {"a.", "FW"},
                                     {"a!", "UH"},
                                     {"caf\xc3\xa9", "NN"},
                                     {"cafe", "NN"},
                                     {"Zebra", "NNP"},
                                     {"-", ":"},
                                     {";", ":"}}});
  LexiconStats stats;
  const std::vector<std::string> lines = BuildLexiconLines(corpus, {}, {}, &stats);
  EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(), PlainRowLess));
  LexiconBuilder builder;
  for (const std::string& line : lines) builder.Add(line);
  TagTable tags;
  LexiconTable table;
  builder.Finish(nullptr, &tags, &table);
  ASSERT_EQ(table.LexiconCount(), static_cast<int>(lines.size()) + 2);
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(table.row(static_cast<int>(i) + 2).Word, lines[i].substr(0, lines[i].find(' ')));
  }
}

TEST(TagsetBuilderTest, LegendOrderThenOtherCorpusTags) {
  const Corpus corpus = MakeCorpus({{{"x", "ZZ"}, {"y", "NN"}, {"z", "AA"}}});
  const std::vector<std::string> lines = BuildTagsetLines(corpus);
  ASSERT_EQ(lines.size(), 47u);
  EXPECT_EQ(lines[0], "CC\tCoordinating conjunction");
  EXPECT_EQ(lines[44], "''\tRight close double quote");
  EXPECT_EQ(lines[45], "AA\t");
  EXPECT_EQ(lines[46], "ZZ\t");
  EXPECT_EQ(ReadTagList(lines)[18], "PRP$");
}

}  // namespace
}  // namespace quillon
