// The tagging run: order of effects, resource checks, outputs and exit paths.
#include "core/tagging_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "core/messages.h"

namespace quillon {
namespace {

class RecordingObserver : public RunObserver {
 public:
  std::vector<std::string> events;
  void ClearPreviews() override { events.push_back("clear"); }
  void Message(std::string_view text) override { events.push_back("message:" + std::string(text)); }
  void ErrorReport(std::string_view text) override {
    events.push_back("error:" + std::string(text));
  }
  void Warning(std::string_view text) override { events.push_back("warning"); }
  void StatusText(int panel, std::string_view text) override {
    events.push_back("status" + std::to_string(panel) + ":" + std::string(text));
  }
  void ShowResultPage() override { events.push_back("result-page"); }
  void OutputAdded(std::string_view path, bool written) override {
    events.push_back(std::string(written ? "written:" : "failed:") + std::string(path));
  }
  void Finished(double) override { events.push_back("finished"); }
  bool Has(const std::string& event) const {
    return std::find(events.begin(), events.end(), event) != events.end();
  }
};

class TaggingRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillon-run-XXXXXX";
    root_ = mkdtemp(pattern);
    data_ = root_ + "/Q_data";
    Write(data_ + "/ignore.dat", "Mr\n");
    std::string lexicon;
    for (int i = 0; i < 120; ++i) lexicon += "w" + std::to_string(i) + " NN\n";
    lexicon += "the DT\ncat NN VB\nsat VBD\n. .\n";
    Write(data_ + "/LEXICON.BROWN.AND.WSJ", lexicon);
    Write(data_ + "/LEXICALRULEFILE.WSJ", "ly hassuf 2 RB\n");
    Write(data_ + "/tagset", "NN\tnoun\nDT\tdeterminer\n");
    Write(data_ + "/CONTEXTUALRULEFILE.WSJ", "NN VB PREVTAG TO\n");
  }
  void TearDown() override { std::system(("rm -rf " + root_).c_str()); }

  static void Write(const std::string& path, const std::string& bytes) {
    std::system(("mkdir -p \"$(dirname '" + path + "')\"").c_str());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  RunResult Run(const RunSettings& settings, const std::vector<std::string>& inputs) {
    TaggerState state;
    return TaggingRun(settings, inputs, data_, &state, &observer_);
  }

  std::string root_, data_;
  RecordingObserver observer_;
};

TEST_F(TaggingRunTest, NoInputsClearsThenAsks) {
  const RunResult result = Run(RunSettings(), {});
  EXPECT_TRUE(result.ended_early);
  EXPECT_EQ(observer_.events,
            (std::vector<std::string>{"clear", std::string("message:") + messages::kNoInputFiles}));
}

TEST_F(TaggingRunTest, TagsOneLinePerSentenceWithCrLf) {
  Write(root_ + "/in/a.txt", "The cat sat.\n\nthe cat quickly\r\nlast");
  const RunResult result = Run(RunSettings(), {root_ + "/in/a.txt"});
  EXPECT_FALSE(result.ended_early);
  EXPECT_TRUE(result.all_written);
  EXPECT_EQ(Read(root_ + "/in/Tagged/a_tag.txt"),
            "The_NNP cat_NN sat_VBD ._.\r\n\r\nthe_DT cat_NN quickly_RB\r\nlast_NN\r\n");
  EXPECT_EQ(observer_.events.front(), "clear");
  EXPECT_EQ(observer_.events[1], "status1:Processing Time");
  EXPECT_EQ(observer_.events[2], "result-page");
  EXPECT_TRUE(observer_.Has("written:" + root_ + "/in/Tagged/a_tag.txt"));
  EXPECT_EQ(observer_.events.back(), "finished");
}

TEST_F(TaggingRunTest, EmptyInputGivesEmptyOutputAndSecondRunReplaces) {
  Write(root_ + "/e.txt", "");
  Run(RunSettings(), {root_ + "/e.txt"});
  EXPECT_EQ(Read(root_ + "/Tagged/e_tag.txt"), "");
  Write(root_ + "/e.txt", "cat");
  Run(RunSettings(), {root_ + "/e.txt"});
  EXPECT_EQ(Read(root_ + "/Tagged/e_tag.txt"), "cat_NN\r\n");
}

TEST_F(TaggingRunTest, SeparatorAndDestinationFolder) {
  Write(root_ + "/a.txt", "and/or cat");
  std::system(("mkdir -p " + root_ + "/out").c_str());
  RunSettings settings;
  settings.Separator = 1;
  settings.RadioGroup1 = 1;
  settings.destination_folder = root_ + "/out";
  Run(settings, {root_ + "/a.txt"});
  EXPECT_EQ(Read(root_ + "/out/a_tag.txt"), "and/or/NN cat/NN\r\n");
}

TEST_F(TaggingRunTest, MissingFilesAreReportedInLoadingOrder) {
  Write(root_ + "/a.txt", "cat");
  struct Case {
    std::string remove;
    RunSettings settings;
    std::string message;
  };
  RunSettings lemma;
  lemma.Lemma = 1;
  RunSettings multiword;
  multiword.RadioGroup5 = 0;
  RunSettings brown;
  brown.RadioGroup4 = 2;
  brown.RadioGroup3 = 1;
  const Case cases[] = {
      {"ignore.dat", RunSettings(), messages::kMissingIgnore},
      {"e_lemma.txt", lemma, messages::kMissingLemmaList},
      {"LEXICON.BROWN", brown, messages::kMissingLexicon2},
      {"LEXICALRULEFILE.WSJ", RunSettings(), messages::kMissingLexicalRules},
      {"tagset", RunSettings(), messages::kMissingTagset},
      {"CONTEXTUALRULEFILE.WSJ", RunSettings(), messages::kMissingContextual0},
      {"Multiword.dat", multiword, messages::kMissingMultiword},
  };
  for (const Case& c : cases) {
    SetUp();
    std::system(("rm -f " + data_ + "/" + c.remove).c_str());
    observer_.events.clear();
    const RunResult result = Run(c.settings, {root_ + "/a.txt"});
    EXPECT_TRUE(result.ended_early) << c.remove;
    EXPECT_TRUE(observer_.Has("message:" + c.message)) << c.remove;
    EXPECT_FALSE(observer_.Has("finished"));
    TearDown();
  }
}

// A setting outside 0..2 names no file: the run ends before any input with the
// failure's own text, for the lexicon and the contextual rules alike.
TEST_F(TaggingRunTest, SettingsOutsideTheirRange) {
  Write(root_ + "/a.txt", "to cat");
  struct Case {
    int lexicon, contextual;
    const char* message;
  };
  const Case cases[] = {{3, 0, messages::kNoLexicon},
                        {-1, 0, messages::kNoLexicon},
                        {0, 7, messages::kNoContextualRules},
                        {0, -1, messages::kNoContextualRules},
                        {0, -5, messages::kNoContextualRules}};
  for (const Case& c : cases) {
    RunSettings settings;
    settings.RadioGroup4 = c.lexicon;
    settings.RadioGroup3 = c.contextual;
    observer_.events.clear();
    const RunResult result = Run(settings, {root_ + "/a.txt"});
    EXPECT_TRUE(result.ended_early) << c.lexicon << " " << c.contextual;
    EXPECT_TRUE(observer_.Has(std::string("error:") + c.message)) << c.contextual;
    EXPECT_FALSE(observer_.Has("finished"));
    EXPECT_TRUE(result.outputs.empty());
    EXPECT_FALSE(std::ifstream(root_ + "/Tagged/a_tag.txt").good()) << c.contextual;
  }
}

TEST_F(TaggingRunTest, FailedWriteIsReportedAndTheRunGoesOn) {
  Write(root_ + "/a/x.txt", "cat");
  Write(root_ + "/b/y.txt", "cat");
  Write(root_ + "/a/Tagged", "a file where the folder should be");
  const RunResult result = Run(RunSettings(), {root_ + "/a/x.txt", root_ + "/b/y.txt"});
  EXPECT_FALSE(result.ended_early);
  EXPECT_FALSE(result.all_written);
  EXPECT_TRUE(observer_.Has(std::string("message:") + messages::kCannotCreateDirectory));
  EXPECT_TRUE(observer_.Has("failed:" + root_ + "/a/Tagged/x_tag.txt"));
  EXPECT_EQ(Read(root_ + "/b/Tagged/y_tag.txt"), "cat_NN\r\n");
  EXPECT_EQ(result.outputs.size(), 2u);

  RunSettings chosen;
  chosen.RadioGroup1 = 1;
  chosen.destination_folder = root_ + "/no-such-folder";
  observer_.events.clear();
  Run(chosen, {root_ + "/b/y.txt"});
  EXPECT_TRUE(observer_.Has(std::string("message:") + messages::kDirectoryNotFound));
}

TEST_F(TaggingRunTest, UnreadableInputEndsTheRunKeepingEarlierOutputs) {
  Write(root_ + "/a.txt", "cat");
  const RunResult result = Run(RunSettings(), {root_ + "/a.txt", root_ + "/gone.txt"});
  EXPECT_TRUE(result.ended_early);
  EXPECT_EQ(Read(root_ + "/Tagged/a_tag.txt"), "cat_NN\r\n");
  EXPECT_FALSE(observer_.Has("finished"));
}

TEST_F(TaggingRunTest, TwoInputsMappingToOneOutputKeepBoth) {
  Write(root_ + "/a.txt", "cat");
  Write(root_ + "/a.md", "the");
  const RunResult result = Run(RunSettings(), {root_ + "/a.txt", root_ + "/a.md"});
  EXPECT_TRUE(observer_.Has("warning"));
  EXPECT_EQ(Read(root_ + "/Tagged/a_tag.txt"), "cat_NN\r\n");
  EXPECT_EQ(Read(root_ + "/Tagged/a_tag(2).txt"), "the_DT\r\n");
  EXPECT_EQ(result.outputs.back(), root_ + "/Tagged/a_tag(2).txt");
}

// A stop request after a given number of sentences, as the Stop button makes it.
class StoppingObserver : public RecordingObserver {
 public:
  explicit StoppingObserver(int after) : left_(after) {}
  bool StopRequested() override { return left_-- <= 0; }

 private:
  int left_;
};

// Stopping keeps the outputs already written, leaves no output (and no temporary file)
// for the file it interrupts, and never reports a normal end. Asked once before each file
// and once after each sentence, so `after` counts those questions.
TEST_F(TaggingRunTest, StopKeepsWrittenOutputsAndLeavesNoPartialFile) {
  Write(root_ + "/a.txt", "cat\nthe\n");
  Write(root_ + "/b.txt", "cat\nthe\ncat\n");
  Write(root_ + "/Tagged/b_tag.txt", "an older output");
  struct Case {
    int after;
    bool a_written;
  } cases[] = {{0, false}, {1, false}, {3, true}, {5, true}};
  for (const Case& c : cases) {
    std::system(("rm -f " + root_ + "/Tagged/a_tag.txt").c_str());
    StoppingObserver observer(c.after);
    TaggerState state;
    const RunResult result =
        TaggingRun(RunSettings(), {root_ + "/a.txt", root_ + "/b.txt"}, data_, &state, &observer);
    EXPECT_TRUE(result.stopped) << c.after;
    EXPECT_TRUE(result.ended_early) << c.after;
    EXPECT_FALSE(observer.Has("finished")) << c.after;
    EXPECT_EQ(Read(root_ + "/Tagged/a_tag.txt"), c.a_written ? "cat_NN\r\nthe_DT\r\n" : "")
        << c.after;
    EXPECT_EQ(Read(root_ + "/Tagged/b_tag.txt"), "an older output") << c.after;
    EXPECT_EQ(std::system(("ls -a " + root_ + "/Tagged | grep -q tmp").c_str()) == 0, false)
        << "a temporary file is left after stopping at " << c.after;
  }
}

// Runs are independent: two runs on two threads, each with its own tagger state, write
// exactly what they write one after the other. Under ThreadSanitizer (make tsan-test) this
// also catches state that runs share without a lock (splitters, caches, random sources).
TEST_F(TaggingRunTest, ParallelRunsOnTwoThreadsMatchSequentialRuns) {
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "The cat sat. the w" + std::to_string(i % 120) + " quickly\n";
  Write(root_ + "/a/in.txt", text);
  Write(root_ + "/b/in.txt", text + "cat\n");
  for (const int splitter : {0, 1}) {
    RunSettings settings;
    settings.Splitter = splitter;
    Run(settings, {root_ + "/a/in.txt"});
    Run(settings, {root_ + "/b/in.txt"});
    const std::string a = Read(root_ + "/a/Tagged/in_tag.txt");
    const std::string b = Read(root_ + "/b/Tagged/in_tag.txt");
    std::system(("rm -rf " + root_ + "/a/Tagged " + root_ + "/b/Tagged").c_str());
    auto run = [&](const std::string& input, RunResult* result) {
      TaggerState state;
      *result = TaggingRun(settings, {input}, data_, &state, nullptr);
    };
    RunResult first, second;
    std::thread one(run, root_ + "/a/in.txt", &first);
    std::thread two(run, root_ + "/b/in.txt", &second);
    one.join();
    two.join();
    EXPECT_TRUE(first.all_written && second.all_written);
    EXPECT_EQ(Read(root_ + "/a/Tagged/in_tag.txt"), a) << "splitter " << splitter;
    EXPECT_EQ(Read(root_ + "/b/Tagged/in_tag.txt"), b) << "splitter " << splitter;
  }
}

TEST(FormatSecondsTest, ShortestForm) {
  EXPECT_EQ(FormatSeconds(3.5), "3.5");
  EXPECT_EQ(FormatSeconds(12), "12");
  EXPECT_EQ(FormatSeconds(0.125), "0.125");
  EXPECT_EQ(FormatSeconds(0), "0");
}

}  // namespace
}  // namespace quillon
