// Output names, folders and the atomic write.
#include "core/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
      {"/data/news.txt", "news_tag.txt"}, {"a.b.txt", "a.b_tag.txt"},
      {"/x/README", "README_tag.txt"},    {"/x.y/README", "README_tag.txt"},
      {"/x/.hidden", "_tag.txt"},         {"/x/trailing.", "trailing_tag.txt"},
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

}  // namespace
}  // namespace quillon
