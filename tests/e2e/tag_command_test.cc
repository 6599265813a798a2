// `quillon tag` end to end: the real binary on files and standard input.
#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/e2e/e2e_util.h"

namespace quillon {
namespace {

using testing::Outcome;
using testing::RunBinary;
using testing::ScratchDir;
using testing::WriteDataFolder;

class TagCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteDataFolder(dir_); }
  Outcome Tag(const std::string& args, const std::string& input = "") {
    return RunBinary(dir_, "quillon tag -d Q_data " + testing::ClassicUnlessChosen(args), input);
  }
  ScratchDir dir_;
};

TEST_F(TagCommandTest, StandardInputToStandardOutput) {
  const Outcome o = Tag("", "The cat sat on the mat.\nI don't know\n\nquickly");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out,
            "The_DT cat_NN sat_VBD on_IN the_DT mat_NN ._.\n"
            "I_PRP do_VBP n't_RB know_VB\n\nquickly_RB\n");
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(Tag("-", "cats").out, "cats_NNS\n");
}

TEST_F(TagCommandTest, SettingsFromOptions) {
  EXPECT_EQ(Tag("-s /", "and/or to run").out, "and/or/NN to/TO run/VB\n");
  EXPECT_EQ(Tag("--no-tokenize", "  I don't  know. ").out, "I_PRP don't_NN know._NN\n");
}

TEST_F(TagCommandTest, LemmasAndMultiwordMarks) {
  const std::string text = "The cats sat on the mat .\nCats sat\n";
  EXPECT_EQ(Tag("--lemma -s /", text).out,
            "The/DT/the cats/NNS/cat sat/VBD/sit on/IN/on the/DT/the mat/NN/mat ././.\n"
            "Cats/NNP/cat sat/VBD/sit\n");
  // Marks take precedence over lemmas; they follow the tag directly.
  const std::string marked =
      "The_DT cats_NNS sat_VBD on_IN_M<IN> the_DT_M<IN> mat_NN ._.\nCats_NNP sat_VBD\n";
  EXPECT_EQ(Tag("--multiword", text).out, marked);
  EXPECT_EQ(Tag("--multiword --lemma", text).out, marked);
  // With marks on, the lemma list is still needed and checked.
  dir_.Write("Q_data/e_lemma.txt", "broken line\n");
  const Outcome bad = Tag("--multiword --lemma", text);
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, std::string(messages::kBadLemmaList) + "\n");
  dir_.Write("Q_data/Multiword.dat", "no tab\non the\tIN\n");
  const Outcome warned = Tag("--multiword", "on the mat");
  EXPECT_EQ(warned.status, 0);
  EXPECT_EQ(warned.out, "on_IN_M<IN> the_DT_M<IN> mat_NN\n");
  EXPECT_NE(warned.err.find("line 1"), std::string::npos);
}

TEST_F(TagCommandTest, FilesGoIntoTaggedBesideEachInput) {
  dir_.Write("in/news.txt", "The cat sat.\r\n\r\nthe mat\rlast");
  dir_.Write("in/deep/a.b.txt", "cats");
  dir_.Write("in/README", "");
  const Outcome o = Tag("in/news.txt in/deep/a.b.txt in/README -q");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(dir_.Read("in/Tagged/news_tag.txt"),
            "The_DT cat_NN sat_VBD ._.\r\n\r\nthe_DT mat_NN\r\nlast_NN\r\n");
  EXPECT_EQ(dir_.Read("in/deep/Tagged/a.b_tag.txt"), "cats_NNS\r\n");
  EXPECT_TRUE(dir_.Exists("in/Tagged/README_tag.txt"));
  EXPECT_EQ(dir_.Read("in/Tagged/README_tag.txt"), "");
  EXPECT_EQ(o.out, "");
}

TEST_F(TagCommandTest, OutputDirectory) {
  dir_.Write("a.txt", "cat");
  std::system(("mkdir -p " + (dir_ / "out")).c_str());
  EXPECT_EQ(Tag("-o out a.txt").status, 0);
  EXPECT_EQ(dir_.Read("out/a_tag.txt"), "cat_NN\r\n");
  const Outcome missing = Tag("-o nowhere a.txt");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, std::string(messages::kDirectoryNotFound) +
                             "\nCannot write \"nowhere/a_tag.txt\": No such file or directory\n");
}

TEST_F(TagCommandTest, UnwritableOutputIsReportedAndTheBatchGoesOn) {
  dir_.Write("a/x.txt", "cat");
  dir_.Write("b/y.txt", "cat");
  dir_.Write("a/Tagged", "a file where the folder should be");
  const Outcome o = Tag("a/x.txt b/y.txt");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, std::string(messages::kCannotCreateDirectory) +
                       "\nCannot write \"a/Tagged/x_tag.txt\": Not a directory\n");
  EXPECT_EQ(dir_.Read("b/Tagged/y_tag.txt"), "cat_NN\r\n");
  EXPECT_EQ(dir_.Read("a/Tagged"), "a file where the folder should be");
}

TEST_F(TagCommandTest, OddBytes) {
  const std::string nul("cat\0sat\n", 8);
  EXPECT_EQ(Tag("", nul).out, "cat_NN\n");  // NUL ends the text
  EXPECT_EQ(Tag("", "caf\xc3\xa9 \xff\xfe\n").out, "caf\xc3\xa9_NN \xff\xfe_NN\n");
  EXPECT_EQ(Tag("", "a\n\rb\r\n").out, "a_DT\n\nb_NN\n");
  EXPECT_EQ(Tag("", "").out, "");
  EXPECT_EQ(Tag("", "\n\n").out, "\n\n");
}

TEST_F(TagCommandTest, MissingResourcesInLoadingOrder) {
  const struct {
    std::string file;
    std::string args;
    std::string message;
  } cases[] = {
      {"ignore.dat", "", messages::kMissingIgnore},
      {"e_lemma.txt", "--lemma", "Can't open \"e_lemma.txt\"."},
      {"LEXICON.BROWN.AND.WSJ", "", messages::kMissingLexicon0},
      {"LEXICON.WSJ", "-l 1", messages::kMissingLexicon1},
      {"LEXICON.BROWN", "-l 2", messages::kMissingLexicon2},
      {"LEXICALRULEFILE.WSJ", "", messages::kMissingLexicalRules},
      {"tagset", "", messages::kMissingTagset},
      {"CONTEXTUALRULEFILE.WSJ", "", messages::kMissingContextual0},
      {"CONTEXTUALRULEFILE.BROWN", "-c 1", messages::kMissingContextual1},
      {"CONTEXTUALRULEFILE.WSJ.NOLEX", "-c 2", messages::kMissingContextual2},
      {"Multiword.dat", "--multiword", messages::kMissingMultiword},
  };
  dir_.Write("a.txt", "cat");
  for (const auto& c : cases) {
    WriteDataFolder(dir_);
    std::system(("rm " + (dir_ / ("Q_data/" + c.file))).c_str());
    const Outcome o = Tag(c.args + " a.txt");
    EXPECT_EQ(o.status, 1) << c.file;
    EXPECT_EQ(o.err.substr(0, c.message.size()), c.message) << c.file;
    EXPECT_FALSE(dir_.Exists("Tagged/a_tag.txt")) << c.file;
  }
  // Files the settings do not call for are never looked at.
  WriteDataFolder(dir_);
  for (const char* unused : {"e_lemma.txt", "Multiword.dat", "LEXICON.WSJ", "LEXICON.BROWN",
                             "CONTEXTUALRULEFILE.BROWN", "CONTEXTUALRULEFILE.WSJ.NOLEX"}) {
    std::system(("rm " + (dir_ / (std::string("Q_data/") + unused))).c_str());
  }
  EXPECT_EQ(Tag("a.txt").status, 0);
}

TEST_F(TagCommandTest, UsageErrorsExitWithTwo) {
  for (const char* args : {"-l 3", "-c -1", "-s x", "--bogus", "-l"}) {
    const Outcome o = Tag(args);
    EXPECT_EQ(o.status, 2) << args;
    EXPECT_FALSE(o.err.empty()) << args;
  }
  dir_.Write("a.txt", "cat");
  EXPECT_EQ(Tag("a.txt -").status, 2);
  EXPECT_EQ(RunBinary(dir_, "quillon").status, 2);
}

TEST_F(TagCommandTest, HelpAndVersion) {
  const Outcome help = RunBinary(dir_, "quillon tag --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--output-dir"), std::string::npos);
  const Outcome version = RunBinary(dir_, "quillon --version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("quillon ", 0), 0u);
}

TEST_F(TagCommandTest, UnreadableInputEndsTheRun) {
  dir_.Write("a.txt", "cat");
  std::system(("mkdir " + (dir_ / "folder.txt")).c_str());
  const Outcome o = Tag("a.txt folder.txt");
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("folder.txt"), std::string::npos);
  EXPECT_EQ(dir_.Read("Tagged/a_tag.txt"), "cat_NN\r\n");
}

}  // namespace
}  // namespace quillon
