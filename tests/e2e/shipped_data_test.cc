// The data folder that ships with the program, checked through the real binary: every file
// loads without a message, every lexicon and contextual rule file combination tags a sample
// text, and the three word lists (lemma list, multi-word list, ignore list) are well formed
// and do what they are for.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "core/ascii.h"
#include "core/lemmatizer.h"
#include "core/line_reader.h"
#include "core/multiword.h"
#include "tests/e2e/e2e_util.h"

namespace quillon {
namespace {

using testing::Outcome;
using testing::RunBinary;
using testing::ScratchDir;

const std::string kData = std::string(QUILLON_SOURCE_DIR) + "/Q_data";

constexpr char kSample[] =
    "Mr. Smith went to Washington in spite of the rain.\n"
    "The children were running, and the mice had left the houses by 5 p.m. on Jan. 3.\n"
    "I don't think she's seen the better offers, e.g. the cheaper ones.\n"
    "\n"
    "Because of this, prices rose as well as taxes.\n";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Tokens(const std::string& line) {
  std::vector<std::string> tokens;
  std::istringstream in(line);
  for (std::string token; in >> token;) tokens.push_back(token);
  return tokens;
}

std::vector<std::string> DataLines(const std::string& name) {
  std::vector<std::string> lines;
  const Status status = ReadLines(kData + "/" + name, &lines);
  EXPECT_TRUE(status.ok()) << status.message();
  return lines;
}

std::set<std::string> Tagset() {
  std::set<std::string> tags;
  for (const std::string& line : DataLines("tagset")) tags.insert(line.substr(0, line.find('\t')));
  return tags;
}

class ShippedDataTest : public ::testing::Test {
 protected:
  Outcome Tag(const std::string& args) {
    return RunBinary(dir_, "quillon tag -q -d '" + kData + "' " + args, kSample);
  }
  ScratchDir dir_;
};

TEST_F(ShippedDataTest, EveryLexiconWithEveryContextualRuleFileTagsTheSample) {
  const std::set<std::string> tags = Tagset();
  ASSERT_EQ(tags.size(), 45u);
  const size_t lines_in = Lines(kSample).size();
  for (int lexicon = 0; lexicon <= 2; ++lexicon) {
    for (int contextual = 0; contextual <= 2; ++contextual) {
      const std::string slots =
          "-l " + std::to_string(lexicon) + " -c " + std::to_string(contextual);
      const Outcome o = Tag(slots + " --lemma -s /");
      ASSERT_EQ(o.status, 0) << slots << ": " << o.err;
      EXPECT_EQ(o.err, "") << slots;
      const std::vector<std::string> lines = Lines(o.out);
      ASSERT_EQ(lines.size(), lines_in) << slots;
      EXPECT_EQ(lines[3], "") << slots;
      for (const std::string& line : lines) {
        for (const std::string& token : Tokens(line)) {
          // word/TAG/lemma; the word itself may hold a slash, the tag and lemma do not.
          const size_t lemma_slash = token.rfind('/');
          ASSERT_NE(lemma_slash, std::string::npos) << slots << ": " << token;
          const size_t tag_slash = token.rfind('/', lemma_slash - 1);
          ASSERT_NE(tag_slash, std::string::npos) << slots << ": " << token;
          const std::string tag = token.substr(tag_slash + 1, lemma_slash - tag_slash - 1);
          EXPECT_TRUE(tags.count(tag)) << slots << ": " << token;
          EXPECT_GT(token.size(), lemma_slash + 1) << slots << ": " << token;
        }
      }
      const std::vector<std::string> first = Tokens(lines[0]);
      EXPECT_EQ(first[0].substr(0, 4), "Mr./") << slots << ": the ignore list keeps Mr.";
      EXPECT_TRUE(first[2].starts_with("went/") && first[2].ends_with("/go")) << slots;
    }
  }
}

TEST_F(ShippedDataTest, LemmasOfIrregularAndRegularForms) {
  const Outcome o = Tag("--lemma -s /");
  ASSERT_EQ(o.status, 0) << o.err;
  std::map<std::string, std::string> lemma_of;
  for (const std::string& line : Lines(o.out)) {
    for (const std::string& token : Tokens(line)) {
      const size_t lemma_slash = token.rfind('/');
      const size_t tag_slash = token.rfind('/', lemma_slash - 1);
      lemma_of[token.substr(0, tag_slash)] = token.substr(lemma_slash + 1);
    }
  }
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"went", "go"},      {"children", "child"}, {"were", "be"},
      {"running", "run"},  {"mice", "mouse"},     {"had", "have"},
      {"houses", "house"}, {"n't", "not"},        {"think", "think"},
      {"seen", "see"},     {"offers", "offer"},   {"ones", "one"},
      {"prices", "price"}, {"taxes", "tax"},      {"Washington", "washington"},
      {".", "."}};
  for (const auto& [word, lemma] : expected) EXPECT_EQ(lemma_of[word], lemma) << word;
}

TEST_F(ShippedDataTest, MultiwordMarksWithoutWarnings) {
  const Outcome o = Tag("--multiword");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err, "") << "every line of Multiword.dat is an entry";
  const std::vector<std::string> lines = Lines(o.out);
  EXPECT_TRUE(std::regex_search(lines[0],
                                std::regex(" in_[A-Z]+_M<IN> spite_[A-Z]+_M<IN> of_[A-Z]+_M<IN> ")))
      << lines[0];
  EXPECT_TRUE(std::regex_search(lines[4], std::regex("^Because_[A-Z]+_M<IN> of_[A-Z]+_M<IN> ")))
      << lines[4];
}

TEST(ShippedListsTest, LemmaListIsWellFormedWithOneLemmaPerForm) {
  const std::vector<std::string> lines = DataLines("e_lemma.txt");
  LemmaTable table;
  ASSERT_TRUE(table.Load(lines));
  EXPECT_GE(table.records().size(), 40000u);
  std::set<std::string> keys;
  size_t forms = 0;
  for (const std::string& line : lines) {
    ASSERT_FALSE(line.empty());
    if (line[0] == '[') continue;
    const size_t arrow = line.find(" -> ");
    ASSERT_NE(arrow, std::string::npos) << line;
    ASSERT_EQ(line.find(' ', arrow + 4), std::string::npos) << line;
    std::istringstream in(line.substr(arrow + 4));
    for (std::string form; std::getline(in, form, ',');) {
      ++forms;
      EXPECT_EQ(form, AsciiLowered(form)) << "the lookup lower-cases tokens: " << line;
      EXPECT_NE(form, line.substr(0, arrow)) << "a form that is its own lemma: " << line;
    }
  }
  // One record per form: no form stands under two lemmas, so no lookup depends on
  // which of two neighbours the search happens to reach.
  for (const LemmaRecord& record : table.records()) {
    EXPECT_TRUE(keys.insert(record.key).second) << record.lemma;
  }
  // Spellings that share an order key (a.m, a!m) and a lemma make one record.
  EXPECT_LE(table.records().size(), forms);
  EXPECT_GT(table.records().size(), forms - 10);
}

TEST(ShippedListsTest, MultiwordAndIgnoreListsAreWellFormed) {
  const std::vector<std::string> multiwords = DataLines("Multiword.dat");
  EXPECT_GE(multiwords.size(), 100u);
  std::set<std::string> expressions;
  for (const std::string& line : multiwords) {
    const size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const std::string expression = line.substr(0, tab);
    EXPECT_TRUE(expressions.insert(expression).second) << "twice: " << line;
    EXPECT_NE(expression.find(' '), std::string::npos) << "one word: " << line;
    EXPECT_EQ(expression.find("  "), std::string::npos) << line;
    const std::string first = expression.substr(0, expression.find(' '));
    EXPECT_EQ(first, AsciiLowered(first)) << "a capital first word never matches: " << line;
    EXPECT_FALSE(line.substr(tab + 1).empty()) << line;
  }
  MultiwordTable table;
  table.Load(multiwords, nullptr);
  EXPECT_EQ(table.size(), multiwords.size());

  const std::vector<std::string> ignore = DataLines("ignore.dat");
  EXPECT_GE(ignore.size(), 50u);
  std::set<std::string> folded;
  for (const std::string& entry : ignore) {
    EXPECT_FALSE(entry.empty());
    EXPECT_EQ(entry.find_first_of(" \t"), std::string::npos) << entry;
    EXPECT_NE(entry.back(), '.') << "entries are written without their period: " << entry;
    EXPECT_TRUE(folded.insert(AsciiLowered(entry)).second) << "twice: " << entry;
  }
  // Ordinary words that end sentences must not be listed: the lookup ignores case.
  for (const char* word : {"a", "i", "no", "sat", "sun", "wed", "mass", "ill", "in", "is", "me"}) {
    EXPECT_FALSE(folded.count(word)) << word;
  }
}

}  // namespace
}  // namespace quillon
