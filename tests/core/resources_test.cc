// Loading the data folder: what the user hears of resource files that are cut by a NUL,
// hold no word, repeat a bad line thousands of times or hold a line without end, and that
// a lexicon read from its file gives the table that its lines give.
#include "core/resources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "core/line_reader.h"
#include "tests/core/warning_log.h"

namespace quillon {
namespace {

using testing::WarningLog;

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillon-resources-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    Write("ignore.dat", "Mr\n");
    for (int i = 0; i < 120; ++i) lexicon_ += "w" + std::to_string(i) + " NN\n";
    lexicon_ += "the DT\ncat NN VB\nthe DT\n";
    Write("LEXICON.BROWN.AND.WSJ", lexicon_);
    Write("LEXICALRULEFILE.WSJ", "ly hassuf 2 RB\n");
    Write("tagset", "NN\tnoun\n");
    Write("CONTEXTUALRULEFILE.WSJ", "NN VB PREVTAG TO\n");
    Write("Multiword.dat", "on the\tIN\n");
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << bytes;
  }

  bool Load(RunSettings settings = {}) {
    resources_ = std::make_unique<Resources>();
    return LoadResources(settings, dir_, &log_, resources_.get(), &failure_);
  }

  std::string dir_, lexicon_;
  WarningLog log_;
  std::unique_ptr<Resources> resources_;
  LoadFailure failure_;
};

// The lexicon is streamed from its file into the table; the table is the one its lines
// give when they are held in memory (as the learners build it).
TEST_F(ResourcesTest, StreamedLexiconEqualsTheOneBuiltFromLines) {
  ASSERT_TRUE(Load());
  EXPECT_TRUE(log_.warnings.empty());
  Resources from_lines;
  BuildLexicon(SplitLines(lexicon_), nullptr, &from_lines);
  const LexiconTable& a = resources_->lexicon;
  const LexiconTable& b = from_lines.lexicon;
  ASSERT_EQ(a.LexiconCount(), b.LexiconCount());
  for (int i = 0; i < a.LexiconCount(); ++i) {
    EXPECT_EQ(a.row(i).Key, b.row(i).Key);
    EXPECT_EQ(a.row(i).Word, b.row(i).Word);
    EXPECT_EQ(a.row(i).FieldCount, b.row(i).FieldCount);
  }
  EXPECT_EQ(a.EntryCount(), a.LexiconCount() - 1);  // "the DT" twice: one entry
}

TEST_F(ResourcesTest, ANulThatCutsAFileIsNamed) {
  Write("ignore.dat", std::string("Mr\0Dr\n", 6));
  ASSERT_TRUE(Load());
  ASSERT_EQ(log_.warnings.size(), 1u);
  EXPECT_EQ(log_.warnings[0], "\"" + dir_ +
                                  "/ignore.dat\": a NUL byte in line 1 ends the text; only the "
                                  "bytes before it were read. Is it a text file?");
}

TEST_F(ResourcesTest, ALexiconWithoutTagsIsNamed) {
  for (const std::string& lexicon :
       {std::string(), std::string("just\nwords\n"), std::string("\x01\x02\x03\n\x7f\n", 6)}) {
    SCOPED_TRACE(::testing::PrintToString(lexicon));
    log_.warnings.clear();
    Write("LEXICON.BROWN.AND.WSJ", lexicon);
    ASSERT_TRUE(Load());  // the run may go on, as the lexicon form allows
    ASSERT_EQ(log_.warnings.size(), 1u);
    EXPECT_EQ(log_.warnings[0], dir_ +
                                    "/LEXICON.BROWN.AND.WSJ holds no word with a tag: every "
                                    "word will be tagged as unknown.");
  }
}

TEST_F(ResourcesTest, MultiwordWarningsAreCapped) {
  std::string list;
  for (int i = 0; i < 500; ++i) list += "no tab here\n";
  Write("Multiword.dat", list + "on the\tIN\n");
  RunSettings settings;
  settings.RadioGroup5 = 0;
  ASSERT_TRUE(Load(settings));
  ASSERT_EQ(log_.warnings.size(), kMaxMultiwordWarnings + 1);
  EXPECT_EQ(log_.warnings[0],
            "Multiword.dat, line 1: no tab between expression and label; skipped.");
  EXPECT_EQ(log_.warnings.back(), "Multiword.dat: 500 lines skipped in all.");
}

// A resource line without end stops the loading with the file and the line, whatever
// the file: memory stays bounded.
TEST_F(ResourcesTest, ALineOverTheLimitEndsTheLoading) {
  for (const char* name : {"ignore.dat", "LEXICON.BROWN.AND.WSJ", "tagset", "Multiword.dat"}) {
    SCOPED_TRACE(name);
    SetUp();
    Write(name, "ok\n" + std::string(kMaxLineBytes + 1, 'x'));
    RunSettings settings;
    settings.RadioGroup5 = 0;
    EXPECT_FALSE(Load(settings));
    EXPECT_FALSE(failure_.is_message);
    EXPECT_EQ(failure_.text, dir_ + "/" + name + ":2: the line is longer than " +
                                 std::to_string(kMaxLineBytes) + " bytes");
    TearDown();
  }
  SetUp();
}

}  // namespace
}  // namespace quillon
