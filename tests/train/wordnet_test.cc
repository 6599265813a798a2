// The WordNet reader: index lines with their tagged sense counts, the licence skipped,
// exception lines in file order, and the errors that name a damaged or missing file.
#include "train/wordnet.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(WordNetTest, IndexSkipsLicenceAndKeepsLemmasInOrderWithSenseCounts) {
  const struct {
    const char* text;
    std::vector<std::string> lemmas;
    std::map<std::string, int> tagged;
  } cases[] = {
      // Licence lines come first, numbered; then "lemma pos synsets pointers ptr... senses
      // tagged offsets...".
      {"  1 This software and database is being provided\n"
       "  2 by Princeton University.\n"
       "run n 16 4 @ ~ + ; 16 7 00189565 00791078\n"
       "zebra n 1 3 @ #m %p 1 0 02391049\n",
       {"run", "zebra"},
       {{"run", 7}, {"zebra", 0}}},
      {"  1 This software and database\n  2 is provided\n"
       "able a 4 4 & ^ = + 4 0 01 02\nat_least r 1 0 1 2 00001\r\nzoo n 1 0 1 0 00002\n",
       {"able", "at_least", "zoo"},
       {{"able", 0}, {"at_least", 2}, {"zoo", 0}}},
      {"0 a 1 1 & 1 1 02186133\n\n", {"0"}, {{"0", 1}}},  // a lemma of digits is a lemma
      {"", {}, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lemmas;
    std::map<std::string, int> tagged;
    ASSERT_TRUE(ParseWordNetIndex(c.text, "index.noun", &lemmas, &tagged).ok()) << c.text;
    EXPECT_EQ(lemmas, c.lemmas) << c.text;
    EXPECT_EQ(tagged, c.tagged) << c.text;
  }
}

TEST(WordNetTest, MalformedLinesAreErrorsNamingFileAndLine) {
  const struct {
    const char* text;
    const char* error;
  } index_cases[] = {
      {"run n 16\n", "index.noun:1: not a WordNet index line"},
      {"run n 16 9 @ ~ 16 7\n", "index.noun:1: not a WordNet index line"},
      {"run n 16 x @ 16 7 1\n", "index.noun:1: not a WordNet index line"},
      {"  1 licence\nrun n 1 0 1 -2 0001\n", "index.noun:2: not a WordNet index line"},
      {"zoo n 1\n", "index.noun:1: not a WordNet index line"},
  };
  for (const auto& c : index_cases) {
    std::vector<std::string> lemmas;
    std::map<std::string, int> tagged;
    const Status status = ParseWordNetIndex(c.text, "index.noun", &lemmas, &tagged);
    ASSERT_FALSE(status.ok()) << c.text;
    EXPECT_EQ(status.message(), c.error);
  }
  const struct {
    const char* text;
    const char* error;
  } exception_cases[] = {
      {"ran\n", "verb.exc:1: an irregular form without its lemma"},
      {"axes axis axe\nwent go\nlonely\n", "verb.exc:3: an irregular form without its lemma"},
  };
  for (const auto& c : exception_cases) {
    std::vector<WordNetException> entries;
    const Status status = ParseWordNetExceptions(c.text, "verb.exc", &entries);
    ASSERT_FALSE(status.ok()) << c.text;
    EXPECT_EQ(status.message(), c.error);
  }
}

TEST(WordNetTest, ExceptionsKeepFileOrderAndAllLemmas) {
  std::vector<WordNetException> exceptions;
  ASSERT_TRUE(
      ParseWordNetExceptions("axes axis axe\nwent go\n\nmice  mouse\n", "noun.exc", &exceptions)
          .ok());
  ASSERT_EQ(exceptions.size(), 3u);
  EXPECT_EQ(exceptions[0].form, "axes");
  EXPECT_EQ(exceptions[0].lemmas, (std::vector<std::string>{"axis", "axe"}));
  EXPECT_EQ(exceptions[1].form, "went");
  EXPECT_EQ(exceptions[2].form, "mice");
  EXPECT_EQ(exceptions[2].lemmas, (std::vector<std::string>{"mouse"}));
}

// A noun lemma is a name when every synset that holds it writes it with a capital letter;
// one synset in small letters makes it a common noun (god, God).
TEST(WordNetTest, NamesAreLemmasWrittenWithACapitalEverywhere) {
  const std::string data =
      "  1 This software and database is being provided\n"
      "08772922 15 n 02 Mexico 0 United_Mexican_States 0 011 @ 08544813 n 0000 | a country\n"
      "09044862 15 n 01 Saturday 0 001 @ 15163979 n 0000 | the seventh day\n"
      "09505418 18 n 02 God 0 Supreme_Being 0 002 @ 09505153 n 0000 | the one god\n"
      "09505153 18 n 01 god 0 001 @ 09504915 n 0000 | any supernatural being\n"
      "07739125 13 n 01 apple 0 003 @ 07705931 n 0000 | fruit\n"
      "03491724 06 n 0a iPod 0 x 1 y 2 z 3 w 4 v 5 u 6 t 7 s 8 r 9 002 | hex word count\r\n";
  std::set<std::string> names;
  ASSERT_TRUE(ParseWordNetNames(data, "data.noun", &names).ok());
  EXPECT_EQ(names, (std::set<std::string>{"ipod", "mexico", "saturday", "supreme_being",
                                          "united_mexican_states"}));
  const struct {
    const char* text;
    const char* error;
  } bad[] = {
      {"08772922 15 n\n", "data.noun:1: not a WordNet data line"},
      {"08772922 15 n 02 Mexico 0\n", "data.noun:1: not a WordNet data line"},
      {"  1 licence\n08772922 15 n zz Mexico 0\n", "data.noun:2: not a WordNet data line"},
  };
  for (const auto& c : bad) {
    std::set<std::string> none;
    const Status status = ParseWordNetNames(c.text, "data.noun", &none);
    ASSERT_FALSE(status.ok()) << c.text;
    EXPECT_EQ(status.message(), c.error);
  }
}

TEST(WordNetTest, MissingFileIsNamed) {
  WordNet wordnet;
  const Status missing = ReadWordNet("/nonexistent-wordnet", &wordnet);
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.message().find("index.noun"), std::string::npos) << missing.message();
}

}  // namespace
}  // namespace quillon
