// The list of temporary files that a signal removes.
#include "core/temporary_files.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "core/output_file.h"

namespace quillon {
namespace {

bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

TEST(TemporaryFilesTest, SlotsAreReusedAndAFullTableRefusesQuietly) {
  const int before = ListedTemporaryFileCount();
  std::vector<int> slots;
  for (int i = 0; i < kMaxListedTemporaryFiles; ++i) {
    const int slot = ListTemporaryFile("/nonexistent/t" + std::to_string(i));
    if (slot < 0) break;
    slots.push_back(slot);
  }
  EXPECT_EQ(static_cast<int>(slots.size()) + before, kMaxListedTemporaryFiles);
  EXPECT_EQ(ListTemporaryFile("/nonexistent/one-too-many"), -1);
  EXPECT_EQ(ListTemporaryFile(std::string(10000, 'x')), -1);  // longer than any path
  UnlistTemporaryFile(slots.back());
  EXPECT_EQ(ListTemporaryFile("/nonexistent/again"), slots.back());
  for (const int slot : slots) UnlistTemporaryFile(slot);
  UnlistTemporaryFile(-1);
  EXPECT_EQ(ListedTemporaryFileCount(), before);
}

// A child opens an output, writes part of it and is ended by each signal: its temporary
// file is gone, a finished output stays, and the child ends by that very signal.
TEST(TemporaryFilesTest, SignalRemovesOpenTemporaryFilesAndEndsByTheSignal) {
#if defined(__SANITIZE_THREAD__)
  // ThreadSanitizer does not follow a fork of a test process that has run threads; the
  // plain and the ASan builds, and the end-to-end test with the real binary, cover this.
  GTEST_SKIP() << "fork under ThreadSanitizer";
#endif
  char pattern[] = "/tmp/quillon-signal-XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::signal(signal_number, SIG_DFL);
      RemoveTemporaryFilesOnSignals();
      if (!WriteFileAtomically(dir + "/done.txt", "kept").ok()) ::_exit(3);
      OutputFile file;
      if (!file.Open(dir + "/open.txt").ok() || !file.Append("half").ok()) ::_exit(4);
      ::raise(signal_number);
      ::_exit(5);  // not reached: the signal ends the process
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), signal_number);
    EXPECT_TRUE(Exists(dir + "/done.txt"));
    EXPECT_FALSE(Exists(dir + "/open.txt"));
    EXPECT_EQ(std::system(("test $(ls -A '" + dir + "' | wc -l) -eq 1").c_str()), 0)
        << "a temporary file was left";
  }
  std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
}  // namespace quillon
