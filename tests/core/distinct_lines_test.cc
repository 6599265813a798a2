// The set of distinct lines: ids in order of first appearance, bytes kept exactly.
#include "core/distinct_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillon {
namespace {

TEST(DistinctLinesTest, KeepsEachLineOnceAndItsBytesExactly) {
  DistinctLines lines;
  const std::vector<std::string> input = {"",     "a NN", std::string("a\0b", 3), "a NN", "",
                                          "A NN", "a nn", std::string(5000, 'x')};
  std::vector<uint32_t> ids;
  for (const std::string& line : input) ids.push_back(lines.Add(line));
  EXPECT_EQ(ids, (std::vector<uint32_t>{0, 1, 2, 1, 0, 3, 4, 5}));
  EXPECT_EQ(lines.size(), 6u);
  lines.StopAdding();
  for (size_t i = 0; i < input.size(); ++i) EXPECT_EQ(lines.Get(ids[i]), input[i]);
}

// Renumbering keeps every line's bytes under its new id, across chunk bounds.
TEST(DistinctLinesTest, ReorderGivesEachLineItsNewId) {
  DistinctLines lines;
  std::vector<std::string> input;
  for (int i = 0; i < 20000; ++i)
    input.push_back(std::string(i % 13, 'a' + i % 26) + std::to_string(i));
  input.push_back(std::string(70000, 'y'));  // a line longer than the first chunks
  for (const std::string& line : input) lines.Add(line);
  lines.StopAdding();
  std::vector<uint32_t> order;
  for (uint32_t id = 0; id < input.size(); ++id) order.push_back((id * 7919) % input.size());
  lines.Reorder(order);
  ASSERT_EQ(lines.size(), input.size());
  for (uint32_t id = 0; id < input.size(); ++id) EXPECT_EQ(lines.Get(id), input[order[id]]);
}

// Enough lines to grow the table many times; every id still finds its line.
TEST(DistinctLinesTest, ManyLinesSurviveGrowth) {
  DistinctLines lines;
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 100000; ++i) {
      EXPECT_EQ(lines.Add("w" + std::to_string(i) + " NN"), static_cast<uint32_t>(i));
    }
  }
  EXPECT_EQ(lines.size(), 100000u);
  EXPECT_EQ(lines.Get(99999), "w99999 NN");
}

// A line ends where the next begins, or at the end of its chunk: lines longer than a
// chunk, empty lines last in a chunk, and a chunk of one line keep their bytes.
TEST(DistinctLinesTest, LinesAtChunkEndsKeepTheirLengths) {
  DistinctLines lines;
  std::vector<std::string> input;
  for (int i = 0; i < 3000; ++i) input.push_back("line " + std::to_string(i));
  input.push_back(std::string(200000, 'y'));  // longer than the next chunk: its own
  input.push_back("");                        // no bytes, at the end of that chunk
  input.push_back(std::string(300000, 'z'));
  for (int i = 0; i < 30000; ++i) input.push_back(std::to_string(i) + " NN");
  input.push_back("last");
  for (size_t i = 0; i < input.size(); ++i) ASSERT_EQ(lines.Add(input[i]), i);
  for (size_t i = 0; i < input.size(); ++i) ASSERT_EQ(lines.Get(i), input[i]) << i;
  lines.StopAdding();
  for (size_t i = 0; i < input.size(); ++i) ASSERT_EQ(lines.Get(i), input[i]) << i;
}

}  // namespace
}  // namespace quillon
