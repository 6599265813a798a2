// The lemma list and the lemma of a token.
#include "core/lemmatizer.h"

#include <gtest/gtest.h>

#include "core/order_key.h"

namespace quillon {
namespace {

std::string LemmaOf(const LemmaTable& table, std::string_view word) {
  LemmaTable::Scratch scratch;
  return std::string(table.Lemmatization(word, &scratch));
}

TEST(LemmatizerTest, LookupsLowerCaseTheToken) {
  LemmaTable table;
  ASSERT_TRUE(table.Load({"[verbs]", "abandon -> abandons,abandoning,abandoned", "go -> went,gone",
                          "", "Paris -> Parises"}));  // a form with capitals is never found
  const struct {
    std::string word;
    std::string lemma;
  } cases[] = {
      {"abandoned", "abandon"},
      {"Abandoned", "abandon"},
      {"ABANDONING", "abandon"},
      {"went", "go"},
      {"Smith", "smith"},
      {".", "."},
      {"abandon", "abandon"},
      {"Parises", "parises"},
      {"\xc3\x89T\xc3\xa9", "\xc3\x89t\xc3\xa9"},
      {"internationalisations", "internationalisations"},
  };
  for (const auto& c : cases) EXPECT_EQ(LemmaOf(table, c.word), c.lemma) << c.word;
}

TEST(LemmatizerTest, FormsAsWritten) {
  LemmaTable table;
  ASSERT_TRUE(table.Load({"be -> Is,was, were,,", "x -> "}));
  EXPECT_EQ(LemmaOf(table, "is"), "is");  // a form with capitals is never found
  EXPECT_EQ(LemmaOf(table, "was"), "be");
  EXPECT_EQ(LemmaOf(table, "were"), "were");  // " were" keeps its space
  EXPECT_EQ(LemmaOf(table, " were"), "be");
  EXPECT_EQ(LemmaOf(table, ""), "be");  // two commas in a row: the empty form
  const std::vector<LemmaRecord>& records = table.records();
  EXPECT_EQ(records.size(), 4u);  // "x -> " adds nothing
  EXPECT_EQ(records.front().key, "");
}

TEST(LemmatizerTest, SortedUniqueRecords) {
  LemmaTable table;
  ASSERT_TRUE(table.Load({"saw -> saw", "see -> saw,saws", "see -> saw", "SEE -> saw"}));
  std::vector<std::string> got;
  for (const LemmaRecord& r : table.records()) got.push_back(r.key + " " + r.lemma);
  const std::string saw = Hash("saw");
  EXPECT_EQ(got, (std::vector<std::string>{saw + " saw", saw + " see", Hash("saws") + " see"}));
  const std::string lemma = LemmaOf(table, "saw");  // either neighbour, as the search meets it
  EXPECT_TRUE(lemma == "saw" || lemma == "see");
}

TEST(LemmatizerTest, MalformedLines) {
  for (const char* line : {"nospace", "lemma ", "lemma ->", "a ->forms"}) {
    LemmaTable table;
    EXPECT_FALSE(table.Load({"ok -> fine", line})) << line;
  }
}

}  // namespace
}  // namespace quillon
