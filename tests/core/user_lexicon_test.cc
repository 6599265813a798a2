// The user lexicon: which lines are refused and how they are named, words listed twice,
// the index entries it adds, and tagging with it against tagging with the same lines
// written into the lexicon itself (a differential test on generated resources).
#include "core/user_lexicon.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "core/order_key.h"
#include "tests/core/tagger_fixture.h"
#include "tests/core/warning_log.h"

namespace quillon {
namespace {

using testing::TaggerFixture;

const std::vector<std::string> kTagSet = {"NN", "NNS", "VB", "DT", "JJ", "NNP", "``", "."};

using testing::WarningLog;

TEST(UserLexiconTest, MalformedLinesAreNamedAndRefuseTheFile) {
  const struct {
    std::vector<std::string> lines;
    std::string error;  // "" for a file that is taken
    size_t entries;
  } cases[] = {
      {{"Quillon\tNNP", "", "  \t ", "# words of ours", "mat\tVB NN\t JJ"}, "", 2},
      {{"#\t."}, "", 1},  // "#" with a TAB is the word #
      {{"cat NN"}, "u.lex, line 1: no TAB between the word and its tags.", 0},
      {{"ok\tNN", "\tNN"}, "u.lex, line 2: no word before the TAB.", 0},
      {{" \tNN"}, "u.lex, line 1: no word before the TAB.", 0},
      {{"cat\t"}, "u.lex, line 1: no tag after the word.", 0},
      {{"cat\tnn"}, "u.lex, line 1: \"nn\" is not a tag of the tag set.", 0},
      {{"cat\tNN VB\tXYZ"}, "u.lex, line 1: \"XYZ\" is not a tag of the tag set.", 0},
      {{"cat\tNN NN NN NN NN NN NN NN NN NN"}, "", 1},
      {{"cat\tNN NN NN NN NN NN NN NN NN NN NN"},
       "u.lex, line 1: more than 10 tags (a lexicon row holds 10).",
       0},
      {{"a", "b\tNN", "c"},
       "u.lex, line 1: no TAB between the word and its tags.\n"
       "u.lex, line 3: no TAB between the word and its tags.",
       0},
  };
  for (const auto& c : cases) {
    std::vector<UserEntry> entries;
    std::string error;
    EXPECT_EQ(ParseUserLexicon(c.lines, "u.lex", kTagSet, &entries, &error), c.error.empty());
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(entries.size(), c.entries);
  }
  std::vector<std::string> many(25, "bad");
  std::vector<UserEntry> entries;
  std::string error;
  EXPECT_FALSE(ParseUserLexicon(many, "u.lex", kTagSet, &entries, &error));
  EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 10);
  EXPECT_TRUE(error.ends_with("\nu.lex: 15 more malformed lines.")) << error;
}

TEST(UserLexiconTest, WordsTakeTheirTagsAheadOfTheLexicon) {
  const std::vector<std::string> lexicon = {"the DT", "cat NN VB", "mat NN"};
  for (const bool modern : {false, true}) {
    TaggerOptions options;
    options.modern = modern;
    TaggerFixture f(lexicon, {}, {"JJ VB PREVTAG DT", "NN JJ NEXTTAG NN"}, {}, {}, options);
    std::vector<UserEntry> entries;
    std::string error;
    ASSERT_TRUE(ParseUserLexicon(
        {"cat\tNNS", "Quillon\tNNP", "mat\tNN JJ", "rock’n’roll\tJJ", "cat\tJJ NN VB"}, "u",
        {"NN", "NNS", "NNP", "JJ", "VB", "DT"}, &entries, &error));
    WarningLog warnings;
    AddUserLexicon(entries, "u", modern, f.resources.get(), &warnings);
    EXPECT_EQ(
        warnings.warnings,
        std::vector<std::string>{"u, line 5: \"cat\" is listed on line 1 too; this line is used."});
    f.tagger = std::make_unique<Tagger>(f.resources.get(), options);
    // cat: start tag JJ (its last line), VB licensed after DT. mat: its licence now holds
    // JJ. Quillon: one tag, which nothing may change.
    EXPECT_EQ(f.Tag("the cat Quillon mat mat"), "the_DT cat_VB Quillon_NNP mat_JJ mat_NN");
    // The modern tokenizer looks "rock’n’roll" up as rock'n'roll, and the word was entered
    // under that form; the other tokenizers look it up as it stands.
    EXPECT_EQ(f.Tag("rock’n’roll"), "rock’n’roll_JJ");
    if (modern) {
      EXPECT_EQ(f.Tag("rock'n'roll"), "rock'n'roll_JJ");
    }
  }
}

TEST(UserLexiconTest, IndexFindsSetWordsAfterGrowing) {
  LexiconIndex index;
  index.Build(std::vector<std::string_view>{"01", "0102"});  // rows 0 and 1: "a"-like keys
  std::vector<std::string> words;
  for (int i = 0; i < 500; ++i) words.push_back("word" + std::to_string(i) + "-long-enough");
  for (size_t i = 0; i < words.size(); ++i) index.Set(words[i], static_cast<int>(100 + i));
  std::string scratch;
  for (size_t i = 0; i < words.size(); ++i) {
    EXPECT_EQ(index.FindWord(words[i], &scratch), static_cast<int>(100 + i));
    EXPECT_EQ(index.Find(Hash(words[i])), static_cast<int>(100 + i));
  }
  EXPECT_EQ(index.Find("01"), 0);
  EXPECT_EQ(index.Find("0102"), 1);
  index.Set("tiny", 7);
  index.Set("tiny", 8);
  EXPECT_EQ(index.FindWord("tiny", &scratch), 8);
  EXPECT_EQ(index.FindWord("absent", &scratch), -1);
}

// Tagging with a user lexicon is tagging with a lexicon in which the user's lines stand
// in place of the lines of the same words: generated lexicons, rules, entries, sentences.
TEST(UserLexiconTest, SameAsTheLinesWrittenIntoTheLexicon) {
  const std::vector<std::string> tags = {"NN", "NNS", "VB", "VBD", "DT", "JJ", "RB", "NNP"};
  const std::vector<std::string> templates = {"PREVTAG", "NEXTTAG", "PREV1OR2TAG", "NEXT2TAG"};
  std::mt19937 random(1616);
  const auto pick = [&](const std::vector<std::string>& from) {
    return from[random() % from.size()];
  };
  int changed = 0;
  for (int round = 0; round < 40; ++round) {
    std::vector<std::string> vocabulary;
    for (int i = 0; i < 30; ++i) {
      vocabulary.push_back(std::string(1, "abcdeAB"[random() % 7]) + std::to_string(i) +
                           (random() % 3 == 0 ? "ly"
                            : random() % 2    ? "s"
                                              : ""));
    }
    const auto tag_list = [&] {
      std::string list = pick(tags);
      for (int n = random() % 4; n > 0; --n) list += " " + pick(tags);
      return list;
    };
    std::vector<std::string> lexicon;
    for (size_t i = 0; i < 20; ++i) lexicon.push_back(vocabulary[i] + " " + tag_list());
    std::vector<std::string> contextual;
    for (int i = 0; i < 12; ++i) {
      contextual.push_back(pick(tags) + " " + pick(tags) + " " + pick(templates) + " " +
                           pick(tags));
    }
    const std::vector<std::string> lexical = {"ly hassuf 2 RB", "NN s fhassuf 1 NNS",
                                              "s deletesuffix 1 NNS"};
    // User words: some of the lexicon's, some new; each once.
    std::vector<std::string> user_lines;
    std::set<std::string> user_words;
    for (int i = 0; i < 8; ++i) {
      const std::string word = vocabulary[random() % vocabulary.size()];
      if (user_words.insert(word).second) user_lines.push_back(word + "\t" + tag_list());
    }
    std::vector<std::string> tagset;
    for (const std::string& tag : tags) tagset.push_back(tag + "\tx");

    TaggerFixture with_user(lexicon, lexical, contextual, tagset);
    std::vector<UserEntry> entries;
    std::string error;
    ASSERT_TRUE(ParseUserLexicon(user_lines, "u", with_user.resources->tag_list, &entries, &error))
        << error;
    AddUserLexicon(entries, "u", false, with_user.resources.get(), nullptr);
    with_user.tagger = std::make_unique<Tagger>(with_user.resources.get(), TaggerOptions());

    std::vector<std::string> edited;
    for (const std::string& line : lexicon) {
      if (!user_words.count(line.substr(0, line.find(' ')))) edited.push_back(line);
    }
    for (std::string line : user_lines) edited.push_back(line.replace(line.find('\t'), 1, " "));
    TaggerFixture written(edited, lexical, contextual, tagset);
    TaggerFixture without_user(lexicon, lexical, contextual, tagset);

    for (int s = 0; s < 30; ++s) {
      std::string sentence;
      for (int w = random() % 10; w > 0; --w) sentence += pick(vocabulary) + " ";
      const std::string tagged = with_user.Tag(sentence);
      ASSERT_EQ(tagged, written.Tag(sentence)) << "round " << round;
      changed += tagged != without_user.Tag(sentence);
    }
  }
  EXPECT_GT(changed, 200);  // the user's words did change tags
}

}  // namespace
}  // namespace quillon
