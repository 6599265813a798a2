// Output names, folders and the atomic write.
#include "core/output_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace quillon {
namespace {

TEST(OutputFileTest, Names) {
  const struct {
    std::string input;
    std::string name;
  } cases[] = {
      {"/data/news.txt", "news_tag.txt"},    {"a.b.txt", "a.b_tag.txt"},
      {"/x/README", "README_tag.txt"},       {"/x.y/README", "README_tag.txt"},
      {"/x/.hidden", ".hidden_tag.txt"},     {"/x/trailing.", "trailing_tag.txt"},
      {"/x/.hidden.txt", ".hidden_tag.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(OutputFileName(c.input), c.name) << c.input;
}

TEST(OutputFileTest, Folders) {
  RunSettings beside;
  EXPECT_EQ(OutputFolder(beside, "/data/in/news.txt"), "/data/in/Tagged");
  EXPECT_EQ(OutputFolder(beside, "/a.txt"), "/Tagged");
  EXPECT_EQ(OutputFolder(beside, "a.txt"), "./Tagged");
  RunSettings chosen;
  chosen.RadioGroup1 = 1;
  chosen.destination_folder = "/out";
  EXPECT_EQ(OutputFolder(chosen, "/data/in/news.txt"), "/out");
  EXPECT_EQ(JoinPath("/out/", "x"), "/out/x");
}

TEST(OutputFileTest, RegistryNumbersRepeatedPaths) {
  OutputPathRegistry registry;
  EXPECT_EQ(registry.Claim("/o/a_tag.txt"), "/o/a_tag.txt");
  EXPECT_EQ(registry.Claim("/o/a_tag.txt"), "/o/a_tag(2).txt");
  EXPECT_EQ(registry.Claim("/o/a_tag.txt"), "/o/a_tag(3).txt");
  EXPECT_EQ(registry.Claim("/o/b_tag.txt"), "/o/b_tag.txt");
  EXPECT_EQ(registry.Claim("/o.d/README_tag"), "/o.d/README_tag");
  EXPECT_EQ(registry.Claim("/o.d/README_tag"), "/o.d/README_tag(2)");  // no dot in the name
}

// Inputs are recognised by the file they are, existing numbered names are passed over.
TEST(OutputFileTest, RegistryPassesOverInputsAndExistingNumberedNames) {
  char pattern[] = "/tmp/quillon-claim-XXXXXX";
  const std::string dir = mkdtemp(pattern);
  for (const char* name : {"a.txt", "a_tag.txt", "a_tag(2).txt", "b.txt"}) {
    std::ofstream(dir + "/" + name) << name;
  }
  ASSERT_EQ(::symlink("a.txt", (dir + "/link_tag.txt").c_str()), 0);
  ASSERT_EQ(::link((dir + "/b.txt").c_str(), (dir + "/hard_tag.txt").c_str()), 0);
  OutputPathRegistry registry({dir + "/a.txt", dir + "/./a_tag.txt", dir + "/b.txt"});
  std::string warning;
  // a_tag.txt is an input; a_tag(2).txt exists; a_tag(3).txt is free.
  EXPECT_EQ(registry.Claim(dir + "/a_tag.txt", &warning), dir + "/a_tag(3).txt");
  EXPECT_EQ(warning, "An input of this run is " + dir + "/a_tag.txt; writing " + dir +
                         "/a_tag(3).txt instead.");
  EXPECT_EQ(registry.Claim(dir + "/link_tag.txt"), dir + "/link_tag(2).txt");
  EXPECT_EQ(registry.Claim(dir + "/hard_tag.txt"), dir + "/hard_tag(2).txt");
  // Another spelling of a path handed out already.
  EXPECT_EQ(registry.Claim(dir + "/../" + dir.substr(dir.rfind('/') + 1) + "/a_tag(3).txt"),
            dir + "/../" + dir.substr(dir.rfind('/') + 1) + "/a_tag(3)(2).txt");
  // An existing output that is no input is replaced (a rerun), and says nothing.
  std::ofstream(dir + "/c_tag.txt") << "old";
  EXPECT_EQ(registry.Claim(dir + "/c_tag.txt", &warning), dir + "/c_tag.txt");
  EXPECT_EQ(warning, "");
  std::system(("rm -rf " + dir).c_str());
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(OutputFileTest, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
  char pattern[] = "/tmp/quillon-out-XXXXXX";
  const std::string dir = mkdtemp(pattern);
  const std::string path = dir + "/x_tag.txt";
  ASSERT_TRUE(WriteFileAtomically(path, "old\r\n").ok());
  ASSERT_TRUE(WriteFileAtomically(path, std::string("a\0b\r\n", 5)).ok());
  EXPECT_EQ(ReadAll(path), std::string("a\0b\r\n", 5));
  EXPECT_FALSE(WriteFileAtomically(dir + "/missing/x_tag.txt", "x").ok());
  ASSERT_EQ(::mkdir((dir + "/adir").c_str(), 0755), 0);
  EXPECT_FALSE(WriteFileAtomically(dir + "/adir", "x").ok());  // a folder is never replaced
  EXPECT_EQ(std::system(("test $(ls -A " + dir + " | wc -l) -eq 2").c_str()), 0);
  std::system(("rm -rf " + dir).c_str());
}

// A file written piece by piece replaces the old one only on Commit: an abandoned or
// failed write leaves the old output as it was and no temporary file behind.
TEST(OutputFileTest, PiecewiseWriteKeepsTheOldFileUntilCommit) {
  char pattern[] = "/tmp/quillon-out-XXXXXX";
  const std::string dir = mkdtemp(pattern);
  const std::string path = dir + "/x_tag.txt";
  ASSERT_TRUE(WriteFileAtomically(path, "old\r\n").ok());
  {
    OutputFile file;
    ASSERT_TRUE(file.Open(path).ok());
    ASSERT_TRUE(file.Append("new ").ok());
    EXPECT_EQ(ReadAll(path), "old\r\n");
  }  // destroyed uncommitted
  EXPECT_EQ(ReadAll(path), "old\r\n");
  OutputFile file;
  ASSERT_TRUE(file.Open(path).ok());
  ASSERT_TRUE(file.Append("new ").ok());
  ASSERT_TRUE(file.Append("lines\r\n").ok());
  EXPECT_EQ(ReadAll(path), "old\r\n");
  ASSERT_TRUE(file.Commit().ok());
  EXPECT_EQ(ReadAll(path), "new lines\r\n");
  // Opening fails on a missing folder, and nothing is left behind.
  OutputFile nowhere;
  EXPECT_FALSE(nowhere.Open(dir + "/missing/x_tag.txt").ok());
  EXPECT_EQ(std::system(("test $(ls -A " + dir + " | wc -l) -eq 1").c_str()), 0);
  std::system(("rm -rf " + dir).c_str());
}

// A file size limit stands in for a full disk: the write fails, the failure sticks, Commit
// reports it and never renames, and the old output survives.
TEST(OutputFileTest, FailedAppendIsStickyAndCommitFails) {
  char pattern[] = "/tmp/quillon-out-XXXXXX";
  const std::string dir = mkdtemp(pattern);
  const std::string path = dir + "/x_tag.txt";
  ASSERT_TRUE(WriteFileAtomically(path, "old").ok());
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  OutputFile file;
  const bool opened = file.Open(path).ok();
  const bool first = file.Append(std::string(4000, 'a')).ok();
  const Status too_big = file.Append(std::string(4000, 'b'));
  const bool later = file.Append("c").ok();
  const Status committed = file.Commit();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_TRUE(opened);
  EXPECT_TRUE(first);
  EXPECT_FALSE(too_big.ok());
  EXPECT_EQ(too_big.message(), std::strerror(EFBIG));
  EXPECT_FALSE(later);
  EXPECT_FALSE(committed.ok());
  EXPECT_EQ(ReadAll(path), "old");
  EXPECT_EQ(std::system(("test $(ls -A " + dir + " | wc -l) -eq 1").c_str()), 0);
  std::system(("rm -rf " + dir).c_str());
}

}  // namespace
}  // namespace quillon
