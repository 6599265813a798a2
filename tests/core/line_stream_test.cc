// The streaming line reader against the whole-text cutter: the same lines for every text,
// whatever the block size (so line breaks, CR LF pairs and NULs fall on block edges), and
// the opening of inputs that are no regular files.
#include "core/line_stream.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>

#include "core/line_reader.h"

namespace quillon {
namespace {

using Lines = std::vector<std::string>;

Lines Drain(LineStream* stream) {
  Lines lines;
  for (std::string_view line; stream->Next(&line);) lines.emplace_back(line);
  EXPECT_TRUE(stream->status().ok()) << stream->status().message();
  return lines;
}

class TempFile {
 public:
  explicit TempFile(const std::string& bytes) {
    char pattern[] = "/tmp/quillon-stream-XXXXXX";
    const int fd = ::mkstemp(pattern);
    path_ = pattern;
    EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
  }
  ~TempFile() { ::unlink(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

Lines StreamFile(const std::string& bytes, size_t block) {
  TempFile file(bytes);
  LineStream stream(::open(file.path().c_str(), O_RDONLY), true, file.path(), block);
  Lines first = Drain(&stream);
  EXPECT_TRUE(stream.Rewind().ok());
  EXPECT_EQ(Drain(&stream), first) << "a second pass after Rewind differs";
  return first;
}

TEST(LineStreamTest, CutsLikeTheWholeTextAtEveryBlockSize) {
  const std::string cases[] = {
      "",
      "a",
      "a\n",
      "a\r\n",
      "a\r",
      "a\r\nb\rc\nd",
      "a\n\rb",
      "\r\n\r\n",
      std::string("ab\0cd\nef", 8),
      std::string("\0abc", 4),
      std::string("ab\r\0\ncd", 7),
      "long line without any break at all, longer than the smallest blocks",
      "x\r\r\n\n\r\ry",
  };
  for (const std::string& text : cases) {
    const Lines expected = SplitLines(text);
    for (size_t block : {1, 2, 3, 5, 64, 1 << 20}) {
      EXPECT_EQ(StreamFile(text, block), expected)
          << testing::PrintToString(text) << " block " << block;
    }
    LineStream memory{std::string(text)};
    EXPECT_EQ(Drain(&memory), expected) << testing::PrintToString(text);
  }
}

TEST(LineStreamTest, RandomTextsAgreeWithTheWholeTextCutter) {
  std::mt19937 random(1234);
  const char alphabet[] = {'a', 'b', ' ', '\r', '\n', '\0', '\xff'};
  for (int round = 0; round < 300; ++round) {
    std::string text(random() % 200, 'a');
    for (char& c : text) c = alphabet[random() % (random() % 8 == 0 ? 7 : 5)];
    const size_t block = 1 + random() % 17;
    ASSERT_EQ(StreamFile(text, block), SplitLines(text))
        << testing::PrintToString(text) << " block " << block;
  }
}

// Breaks far apart, among bytes one bit or one step away from them, so that the search
// over eight bytes at a time meets its break at every offset of a word.
TEST(LineStreamTest, SparseBreaksAmongBytesNearThemAreFound) {
  std::mt19937 random(77);
  const char near[] = {'\x0b', '\x0c', '\x09', '\x0e', '\x01',        '\x8a',
                       '\x8d', '\x80', '\xff', 'a',    '\x0a' ^ 0x20, '\x0d' ^ 0x40};
  const char breaks[] = {'\n', '\r', '\0'};
  for (int round = 0; round < 300; ++round) {
    std::string text(random() % 300, 'a');
    for (char& c : text) {
      c = random() % 40 == 0 ? breaks[random() % 3] : near[random() % sizeof(near)];
    }
    for (size_t block : {size_t{1} + random() % 40, size_t{1} << 16}) {
      ASSERT_EQ(StreamFile(text, block), SplitLines(text))
          << testing::PrintToString(text) << " block " << block;
    }
  }
}

TEST(LineStreamTest, AVeryLongLineGrowsTheBufferOnly) {
  const std::string line(3 << 20, 'x');
  EXPECT_EQ(StreamFile(line + "\r\nend", 1 << 16), (Lines{line, "end"}));
}

TEST(LineStreamTest, OpensInputsThatAreNoRegularFiles) {
  char pattern[] = "/tmp/quillon-inputs-XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  std::unique_ptr<LineStream> stream;
  // A folder is refused with the system's text.
  Status folder = OpenInput(dir, &stream);
  EXPECT_FALSE(folder.ok());
  EXPECT_NE(folder.message().find("Is a directory"), std::string::npos) << folder.message();
  // A missing file names itself.
  Status missing = OpenInput(dir + "/gone.txt", &stream);
  EXPECT_NE(missing.message().find(dir + "/gone.txt"), std::string::npos);
  // A FIFO waits for its writer, as `cat` does, and is read once.
  const std::string fifo = dir + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::ofstream(fifo) << "late\nwriter";
  });
  ASSERT_TRUE(OpenInput(fifo, &stream).ok());
  EXPECT_EQ(Drain(stream.get()), (Lines{"late", "writer"}));
  EXPECT_FALSE(stream->can_rewind());
  writer.join();
  // An endless device of zeros ends at its first byte, and knows more bytes followed.
  ASSERT_TRUE(OpenInput("/dev/zero", &stream).ok());
  EXPECT_EQ(Drain(stream.get()), Lines{});
  EXPECT_EQ(stream->nul_line(), 1u);
  EXPECT_TRUE(stream->bytes_after_nul());
  // A regular file streams and rewinds.
  std::ofstream(dir + "/a.txt") << "one\ntwo";
  ASSERT_TRUE(OpenInput(dir + "/a.txt", &stream).ok());
  EXPECT_EQ(Drain(stream.get()), (Lines{"one", "two"}));
  ASSERT_TRUE(stream->Rewind().ok());
  EXPECT_EQ(Drain(stream.get()), (Lines{"one", "two"}));
  std::system(("rm -rf " + dir).c_str());
}

// What a NUL byte or a shrinking file cut off, and how the run words it.
TEST(LineStreamTest, TellsWhatWasCutOff) {
  char pattern[] = "/tmp/quillon-cut-XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  const std::string path = dir + "/t.txt";
  const struct {
    std::string bytes;
    size_t nul_line;
    bool after;
    bool utf16;
  } cases[] = {
      {std::string("a\nb\0c", 5), 2, true, false},
      {std::string("a\nb\0", 4), 2, false, false},  // a last NUL loses nothing
      {std::string("\0", 1), 1, false, false},
      {std::string("a\0\0\0", 4), 1, true, false},
      {std::string("a\0b\0c\0\n\0", 8), 1, true, true},
      {std::string("\0a\0b\0c\0\n", 8), 1, true, true},
      {"plain", 0, false, false},
  };
  for (const auto& c : cases) {
    for (const size_t block : {size_t{1}, size_t{2}, size_t{1} << 16}) {
      SCOPED_TRACE(testing::PrintToString(c.bytes) + " block " + std::to_string(block));
      std::ofstream(path, std::ios::binary) << c.bytes;
      LineStream stream(::open(path.c_str(), O_RDONLY), true, path, block);
      Drain(&stream);
      EXPECT_EQ(stream.nul_line(), c.nul_line);
      EXPECT_EQ(stream.bytes_after_nul(), c.after);
      // The guess looks at the first block read; tiny blocks give it too little to go on.
      if (block > 2) EXPECT_EQ(stream.looks_like_utf16(), c.utf16);
      EXPECT_FALSE(stream.shrank());
      EXPECT_EQ(InputCutNote(stream, "t.txt").empty(), !c.after);
    }
  }
  // A file cut shorter after its first line was read.
  std::ofstream(path, std::ios::binary) << std::string(1000, 'x') + "\n" + std::string(5000, 'y');
  LineStream stream(::open(path.c_str(), O_RDONLY), true, path, 1024);
  std::string_view line;
  ASSERT_TRUE(stream.Next(&line));
  ASSERT_EQ(::truncate(path.c_str(), 2000), 0);
  Drain(&stream);
  EXPECT_TRUE(stream.shrank());
  EXPECT_EQ(InputCutNote(stream, "t.txt"),
            "\"t.txt\" became shorter while it was read; only its first 2000 bytes were tagged.");
  std::system(("rm -rf " + dir).c_str());
}

TEST(LineStreamTest, ReadErrorsAreReported) {
  // A folder opened directly fails at its first read.
  const int fd = ::open("/", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  LineStream stream(fd, true, "/");
  std::string_view line;
  EXPECT_FALSE(stream.Next(&line));
  EXPECT_FALSE(stream.status().ok());
  EXPECT_EQ(stream.status().message().rfind("Cannot read file \"/\".", 0), 0u)
      << stream.status().message();
}

}  // namespace
}  // namespace quillon
