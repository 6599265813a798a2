// Tagging on several threads must change nothing anyone can see: runs over several files
// and a big one, standard input in blocks, stops, unreadable files and full disks give the
// same bytes and the same observer calls, in the same order, with 1, 2 and 3 threads.
// Part of the ThreadSanitizer run (Makefile, tsan-test).
#include "core/tagger_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/messages.h"
#include "core/tag_stream.h"
#include "core/tagging_run.h"
#include "tests/core/full_sink.h"

namespace quillon {
namespace {

// Every call a run makes, as text; the elapsed time is left out (it differs by nature).
class EventLog : public RunObserver {
 public:
  explicit EventLog(long stop_after = -1) : stop_after_(stop_after) {}
  std::vector<std::string> events;
  long asked = 0;

  void ClearPreviews() override { Add("clear"); }
  void Message(std::string_view text) override { Add("message:", text); }
  void ErrorReport(std::string_view text) override { Add("error:", text); }
  void Warning(std::string_view text) override { Add("warning:", text); }
  void StatusText(int panel, std::string_view text) override {
    const bool elapsed = panel == 1 && text.starts_with(messages::kElapsedPrefix);
    Add("status" + std::to_string(panel) + ":", elapsed ? "elapsed" : text);
  }
  void ShowResultPage() override { Add("result-page"); }
  void ProgressShown(Indicator bar, int maximum) override {
    Add("shown" + std::to_string(int(bar)) + ":" + std::to_string(maximum));
  }
  void ProgressStep(Indicator bar) override { Add("step" + std::to_string(int(bar))); }
  void ProgressReset(Indicator bar) override { Add("reset" + std::to_string(int(bar))); }
  void ProgressHidden(Indicator bar) override { Add("hidden" + std::to_string(int(bar))); }
  void FileStarted(size_t index, size_t count, std::string_view path) override {
    Add("file" + std::to_string(index) + "/" + std::to_string(count) + ":", path);
  }
  void OutputAdded(std::string_view path, bool written) override {
    Add(written ? "written:" : "failed:", path);
  }
  void Finished(double) override { Add("finished"); }
  bool StopRequested() override { return ++asked == stop_after_; }

 private:
  void Add(std::string event, std::string_view text = {}) {
    events.push_back(std::move(event) + std::string(text));
  }
  long stop_after_;
};

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void Write(const std::string& path, const std::string& bytes) {
  std::system(("mkdir -p \"$(dirname '" + path + "')\"").c_str());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Where two event logs part, for a readable failure.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return "";
  return "event " + std::to_string(i) + ": " + (i < a.size() ? a[i] : "(end)") + " / " +
         (i < b.size() ? b[i] : "(end)");
}

// Sentences from a small vocabulary, so that the rules below fire often.
std::string Text(int lines, unsigned seed) {
  static const char* const kWords[] = {"the", "cat",  "sat", "on",   "a",     "mat", ".",
                                       "Mr",  "to",   "run", "fast", "it",    "is",  "blue",
                                       ",",   "dogs", "xx",  "Zed",  "walked"};
  std::string text;
  for (int l = 0; l < lines; ++l) {
    seed = seed * 1103515245u + 12345u;
    const int length = static_cast<int>((seed >> 16) % 25);
    for (int w = 0; w < length; ++w) {
      seed = seed * 1103515245u + 12345u;
      if (w > 0) text += ' ';
      text += kWords[(seed >> 16) % (sizeof kWords / sizeof *kWords)];
    }
    text += l % 7 == 3 ? "\r\n" : "\n";
  }
  return text;
}

class TaggerPoolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillon-pool-XXXXXX";
    root_ = mkdtemp(pattern);
    data_ = root_ + "/Q_data";
    Write(data_ + "/ignore.dat", "Mr\n");
    Write(data_ + "/LEXICON.BROWN.AND.WSJ",
          "the DT\na DT\ncat NN VB\nsat VBD VBN\non IN RP\nmat NN\n. .\n, ,\nMr NNP\nto TO\n"
          "run VB NN VBP\nfast RB JJ\nit PRP\nis VBZ\nblue JJ NN\ndogs NNS VBZ\nwalked VBD VBN\n");
    Write(data_ + "/LEXICALRULEFILE.WSJ", "ly hassuf 2 RB\nNN s fhassuf 1 NNS\n");
    Write(data_ + "/tagset", "NN\tnoun\nNNS\tplural\nVB\tverb\n");
    Write(data_ + "/CONTEXTUALRULEFILE.WSJ",
          "VB NN PREVTAG DT\nNN VB PREVTAG TO\nVBD VBN PREV1OR2TAG VBZ\nJJ RB NEXTTAG .\n"
          "NN JJ SURROUNDTAG DT NN\nVBZ NNS WDPREVTAG JJ dogs\nRB JJ CURWD fast\n"
          "NN NNP LBIGRAM STAART xx\n");
    // Three small files, one that maps to the first's output name, and a big one with a
    // sentence longer than a block.
    inputs_ = {root_ + "/a.txt", root_ + "/b.txt", root_ + "/c.txt", root_ + "/sub/a.text",
               root_ + "/big.txt"};
    Write(inputs_[0], Text(5, 1));
    Write(inputs_[1], "");
    Write(inputs_[2], Text(40, 3));
    Write(inputs_[3], Text(12, 4));
    std::string big = Text(3000, 5);
    big += std::string(100000, 'x').replace(0, 0, "the ") + "\n" + Text(200, 6);
    Write(inputs_[4], big);
  }
  void TearDown() override { std::system(("rm -rf " + root_).c_str()); }

  // Runs inputs with threads; returns the events and the bytes of every output.
  std::pair<std::vector<std::string>, std::vector<std::string>> Run(
      RunSettings settings, int threads, const std::vector<std::string>& inputs,
      long stop_after = -1) {
    settings.threads = threads;
    settings.RadioGroup1 = 1;
    settings.destination_folder = root_ + "/out" + std::to_string(threads);
    std::system(("rm -rf '" + settings.destination_folder + "' && mkdir -p '" +
                 settings.destination_folder + "'")
                    .c_str());
    for (const std::string& name : blocked_outputs_) {
      std::filesystem::create_directories(settings.destination_folder + "/" + name);
    }
    EventLog log(stop_after);
    TaggerState state;
    const RunResult result = TaggingRun(settings, inputs, data_, &state, &log);
    std::vector<std::string> outputs;
    for (const std::string& path : result.outputs) outputs.push_back(Read(path));
    // Paths differ by folder only; events name them relative to it.
    const std::string& folder = settings.destination_folder;
    for (std::string& event : log.events) {
      for (size_t at; (at = event.find(folder)) != std::string::npos;) {
        event.replace(at, folder.size(), "OUT");
      }
    }
    return {log.events, outputs};
  }

  std::string root_, data_;
  std::vector<std::string> inputs_;
  std::vector<std::string> blocked_outputs_;  // made folders in the way of these outputs
};

TEST_F(TaggerPoolTest, RunsGiveTheSameOutputsAndEventsWithAnyThreadCount) {
  const struct {
    const char* name;
    int tokenization;
    bool modern;
    int splitter;
  } kCases[] = {
      {"classic", 0, false, 0},        {"modern", 0, true, 0},        {"spaces", 1, false, 0},
      {"classic, split", 0, false, 1}, {"modern, split", 0, true, 1},
  };
  for (const auto& c : kCases) {
    RunSettings settings;
    settings.Tokenization = c.tokenization;
    settings.modern_tokenizer = c.modern;
    settings.Splitter = c.splitter;
    const auto one = Run(settings, 1, inputs_);
    ASSERT_EQ(one.second.size(), inputs_.size()) << c.name;
    EXPECT_GT(one.second[4].size(), 100000u) << c.name;
    for (const int threads : {2, 3}) {
      const auto many = Run(settings, threads, inputs_);
      EXPECT_EQ(FirstDifference(many.first, one.first), "") << c.name << ", " << threads;
      EXPECT_TRUE(many.second == one.second) << c.name << ", " << threads << " threads";
    }
  }
}

TEST_F(TaggerPoolTest, AnUnreadableFileEndsTheRunWhereOneThreadEndsIt) {
  const std::vector<std::string> inputs = {inputs_[4], root_ + "/missing.txt", inputs_[2]};
  const auto one = Run(RunSettings(), 1, inputs);
  const auto two = Run(RunSettings(), 2, inputs);
  EXPECT_EQ(FirstDifference(two.first, one.first), "");
  EXPECT_TRUE(two.second == one.second);
  EXPECT_EQ(one.second.size(), 1u);  // the big file only
}

TEST_F(TaggerPoolTest, ALargeFileCutShortByANulGivesTheSameRun) {
  // The first input of a run is handed to the workers while its lines are counted on a
  // second descriptor; a NUL byte ends the text for both, and the warning comes after.
  const std::string path = root_ + "/nul.txt";
  std::string text = Text(4000, 7);
  text.insert(text.size() / 2, std::string("tail\0", 5));
  Write(path, text);
  const std::vector<std::string> inputs = {path, inputs_[2]};
  const auto one = Run(RunSettings(), 1, inputs);
  ASSERT_EQ(one.second.size(), 2u);
  // Cut at the NUL: about half of the 4,000 lines are tagged.
  EXPECT_LT(std::count(one.second[0].begin(), one.second[0].end(), '\n'), 2500);
  bool warned = false;
  for (const std::string& event : one.first) warned |= event.find("NUL byte") != std::string::npos;
  EXPECT_TRUE(warned);
  for (const int threads : {2, 3}) {
    const auto many = Run(RunSettings(), threads, inputs);
    EXPECT_EQ(FirstDifference(many.first, one.first), "") << threads;
    EXPECT_TRUE(many.second == one.second) << threads << " threads";
  }
}

TEST_F(TaggerPoolTest, AStopEndsTheRunAfterTheSameSentence) {
  // Questions are asked before each file and after each sentence: stop inside the big
  // file, with blocks of it still being tagged by the workers.
  for (const long stop_after : {3L, 60L, 1500L, 3100L}) {
    const auto one = Run(RunSettings(), 1, inputs_, stop_after);
    const auto two = Run(RunSettings(), 2, inputs_, stop_after);
    EXPECT_EQ(FirstDifference(two.first, one.first), "") << stop_after;
    EXPECT_TRUE(two.second == one.second) << stop_after;
  }
}

// The names in a folder, sorted: outputs, and temporary files left behind if any.
std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  if (!std::filesystem::exists(folder)) return names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A batch of many small files, read ahead of their turn with several threads.
class BatchTest : public TaggerPoolTest {
 protected:
  void SetUp() override {
    TaggerPoolTest::SetUp();
    for (int i = 0; i < 60; ++i) {
      batch_.push_back(root_ + "/batch/f" + std::to_string(i) + ".txt");
      Write(batch_.back(), i % 9 == 4 ? "" : Text(i % 13 * 3 + 1, 100 + i));
    }
  }
  // Runs batch with 1, 2 and 3 threads; every run must match the first in events, output
  // bytes and the files left in the output folder.
  void ExpectSameRuns(const RunSettings& settings, const std::vector<std::string>& batch,
                      long stop_after = -1) {
    const auto one = Run(settings, 1, batch, stop_after);
    const std::vector<std::string> one_files = Listing(root_ + "/out1");
    for (const int threads : {2, 3}) {
      const auto many = Run(settings, threads, batch, stop_after);
      EXPECT_EQ(FirstDifference(many.first, one.first), "") << threads << ", " << stop_after;
      EXPECT_TRUE(many.second == one.second) << threads << " threads, " << stop_after;
      EXPECT_EQ(Listing(root_ + "/out" + std::to_string(threads)), one_files) << threads;
    }
  }
  std::vector<std::string> batch_;
};

TEST_F(BatchTest, ManySmallFilesGiveTheSameRunWithAnyThreadCount) {
  const struct {
    int tokenization;
    bool modern;
    int splitter;
  } kCases[] = {{0, false, 0}, {0, true, 0}, {0, false, 1}};
  for (const auto& c : kCases) {
    RunSettings settings;
    settings.Tokenization = c.tokenization;
    settings.modern_tokenizer = c.modern;
    settings.Splitter = c.splitter;
    ExpectSameRuns(settings, batch_);
  }
}

TEST_F(BatchTest, FailuresInTheMiddleEndOrSkipAsWithOneThread) {
  // An output that cannot be written (a folder is in its way) is skipped and the run goes
  // on; a missing input or a folder given as input ends the run there, and no output of a
  // later file may be made, even though later files may have been read already.
  std::vector<std::string> skipped = batch_;
  skipped.insert(skipped.begin() + 20, root_ + "/batch/blocked.txt");
  Write(root_ + "/batch/blocked.txt", Text(30, 7));
  blocked_outputs_ = {"blocked_tag.txt"};
  RunSettings settings;
  ExpectSameRuns(settings, skipped);
  for (const std::string& breaker : {root_ + "/batch/missing.txt", root_ + "/batch"}) {
    std::vector<std::string> broken = batch_;
    broken.insert(broken.begin() + 25, breaker);
    ExpectSameRuns(settings, broken);
    // 25 outputs before it and the folder in the way.
    EXPECT_EQ(Listing(root_ + "/out2").size(), 26u) << breaker;
  }
}

TEST_F(BatchTest, StopsInTheMiddleEndTheRunAtTheSamePlace) {
  // Questions come before each file and after each sentence: some of these fall between
  // files, some inside one, with files after it already read and being tagged.
  for (const long stop_after : {2L, 41L, 200L, 333L, 700L}) {
    ExpectSameRuns(RunSettings(), batch_, stop_after);
  }
}

TEST_F(BatchTest, InputsThatEarlierOutputsMakeOrShadowAreReadAsWithOneThread) {
  // With outputs in a Tagged folder beside each input: the second input does not exist
  // until the first one's output is written (one thread then reads it; reading ahead finds
  // nothing and must leave it for its turn), and the fourth exists and is where the third's
  // output would go (the run writes a numbered name instead and reads the input as it was).
  const std::string folder = root_ + "/alias";
  const std::vector<std::string> inputs = {folder + "/a.txt", folder + "/Tagged/a_tag.txt",
                                           folder + "/b.txt", folder + "/Tagged/b_tag.txt"};
  RunSettings settings;
  settings.RadioGroup1 = 0;
  std::vector<std::string> first;
  for (const int threads : {1, 2, 3}) {
    std::filesystem::remove_all(folder);
    Write(inputs[0], Text(20, 11));
    Write(inputs[2], Text(20, 12));
    Write(inputs[3], "an old output\n");
    settings.threads = threads;
    TaggerState state;
    const RunResult result = TaggingRun(settings, inputs, data_, &state, nullptr);
    ASSERT_EQ(result.outputs.size(), 4u) << threads;
    std::vector<std::string> outputs;
    for (const std::string& path : result.outputs) outputs.push_back(Read(path));
    if (threads == 1) {
      first = outputs;
      EXPECT_NE(first[1].find("_DT"), std::string::npos);  // the first output, tagged again
      EXPECT_NE(first[3].find("old"), std::string::npos);
    } else {
      EXPECT_TRUE(outputs == first) << threads;
    }
  }
}

using testing::FullSink;

TEST_F(TaggerPoolTest, StandardInputInBlocksWritesTheSameBytes) {
  Resources resources;
  LoadFailure failure;
  ASSERT_TRUE(LoadResources(RunSettings(), data_, nullptr, &resources, &failure));
  Tagger tagger(&resources, OptionsFromSettings(RunSettings()));
  TaggerPool pool(&resources, tagger, 2);
  const std::string text = Read(inputs_[4]) + Text(20000, 9);
  // Unlimited room, and room that runs out after some blocks of a megabyte.
  for (const size_t room : {SIZE_MAX, size_t{1} << 21}) {
    FullSink one_sink(room), two_sink(room);
    EventLog one_log, two_log;
    LineStream one_input{std::string(text)}, two_input{std::string(text)};
    const InputOutcome one =
        TagInput(RunSettings(), {&one_input, "one"}, &tagger, {&one_sink, false}, &one_log);
    const InputOutcome two =
        TagInput(RunSettings(), {&two_input, "two"}, &tagger, {&two_sink, false}, &two_log, &pool);
    EXPECT_EQ(two.end, one.end) << room;
    EXPECT_EQ(FirstDifference(two_log.events, one_log.events), "") << room;
    EXPECT_EQ(two_log.asked, one_log.asked) << room;
    // The counts a caller reports (the Python module's per-file figures) agree too.
    EXPECT_EQ(two.counts.sentences, one.counts.sentences) << room;
    EXPECT_EQ(two.counts.tokens, one.counts.tokens) << room;
    EXPECT_GT(one.counts.tokens, one.counts.sentences) << room;
    EXPECT_TRUE(two_sink.taken == one_sink.taken) << room;
    EXPECT_GT(one_sink.taken.size(), size_t{1} << 20) << room;
  }
  EXPECT_EQ(pool.in_flight(), 0u);  // nothing left over for the next input
}

TEST(AvailableCoresTest, AtLeastOne) { EXPECT_GE(AvailableCores(), 1); }

}  // namespace
}  // namespace quillon
