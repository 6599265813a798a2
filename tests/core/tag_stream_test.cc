// The tagging loop: line ends by target, the splitter, stop requests, sinks that refuse
// bytes and inputs that fail, all through TagInput as the run and standard input use it.
#include "core/tag_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/core/full_sink.h"
#include "tests/core/tagger_fixture.h"

namespace quillon {
namespace {

using testing::TaggerFixture;

const std::vector<std::string> kLexicon = {"the DT", "cat NN VB", "sat VBD", ". .", "Mr NNP"};

// Counts the questions the loop asks, and says stop after `stop_after` of them.
class CountingObserver : public RunObserver {
 public:
  explicit CountingObserver(long stop_after = -1) : stop_after_(stop_after) {}
  bool StopRequested() override { return ++asked == stop_after_; }
  long asked = 0;

 private:
  long stop_after_;
};

using testing::FullSink;

class TagStreamTest : public ::testing::Test {
 protected:
  InputOutcome Run(const std::string& text, const RunSettings& settings, OutputSink* sink,
                   bool crlf, RunObserver* observer) {
    LineStream input{std::string(text)};
    return TagInput(settings, {&input, "test"}, f_.tagger.get(), {sink, crlf}, observer);
  }
  TaggerFixture f_{kLexicon, {}, {}, {}, {"Mr"}};
  CountingObserver observer_;
};

TEST_F(TagStreamTest, LineEndsFollowTheTarget) {
  const struct {
    int splitter;
    bool crlf;
    std::string expected;
    size_t sentences;  // the empty line is a sentence of no tokens
  } cases[] = {
      {0, false, "the_DT cat_NN sat_VBD ._.\n\nMr._NNP cat_NN\n", 3},
      {0, true, "the_DT cat_NN sat_VBD ._.\r\n\r\nMr._NNP cat_NN\r\n", 3},
      {1, false, "the_DT cat_NN sat_VBD ._.\nMr._NNP cat_NN\n", 2},
  };
  for (const auto& c : cases) {
    RunSettings settings;
    settings.Splitter = c.splitter;
    std::string out;
    StringSink sink(&out);
    const InputOutcome outcome =
        Run("the cat sat.\n\nMr. cat", settings, &sink, c.crlf, &observer_);
    EXPECT_EQ(outcome.end, StreamEnd::kDone);
    EXPECT_EQ(out, c.expected) << c.splitter << c.crlf;
    EXPECT_EQ(outcome.counts.sentences, c.sentences);
    EXPECT_EQ(outcome.counts.tokens, 6u);
  }
}

TEST_F(TagStreamTest, StopAfterASentenceWritesNothingMore) {
  CountingObserver stopping(2);
  std::string out;
  StringSink sink(&out);
  EXPECT_EQ(Run("the\ncat\nsat\n", RunSettings(), &sink, false, &stopping).end,
            StreamEnd::kStopped);
  EXPECT_EQ(stopping.asked, 2);
  EXPECT_EQ(out, "");  // the owner abandons what the stopped input would have written
}

// A sink that refuses its bytes ends the input at its next block: the rest of a long
// input is not even tagged.
TEST_F(TagStreamTest, RefusedBytesEndTheInputEarly) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "the cat sat .\n";  // 5 MB of output
  FullSink full(100);
  EXPECT_EQ(Run(text, RunSettings(), &full, false, &observer_).end, StreamEnd::kWriteFailed);
  EXPECT_LT(observer_.asked, 100000);
  FullSink roomy(1 << 30);
  EXPECT_EQ(Run(text, RunSettings(), &roomy, false, &observer_).end, StreamEnd::kDone);
}

TEST_F(TagStreamTest, UnreadableInputFailsWithItsError) {
  const int fd = ::open("/", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  LineStream input(fd, /*owns_fd=*/true, "a folder");
  std::string out;
  StringSink sink(&out);
  const InputOutcome outcome =
      TagInput(RunSettings(), {&input, "a folder"}, f_.tagger.get(), {&sink, false}, &observer_);
  EXPECT_EQ(outcome.end, StreamEnd::kInputFailed);
  EXPECT_NE(outcome.error.find("a folder"), std::string::npos) << outcome.error;
}

TEST(DescriptorSinkTest, WritesEverythingOrSaysWhy) {
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  DescriptorSink sink(pipe_fds[1]);
  EXPECT_TRUE(sink.Write("the_DT\n").ok());
  ::close(pipe_fds[1]);
  char buffer[16] = {};
  EXPECT_EQ(::read(pipe_fds[0], buffer, sizeof buffer), 7);
  ::close(pipe_fds[0]);

  const int full = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  DescriptorSink to_full(full);
  const Status status = to_full.Write("x");
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.message(), "No space left on device");
  EXPECT_FALSE(to_full.Write("").ok());  // a failure stays
  ::close(full);
}

}  // namespace
}  // namespace quillon
