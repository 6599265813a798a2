// Decoding of UTF-16 and the single-byte code pages, whole and cut into blocks at every
// place, and the line stream that decodes as it reads.
#include "core/text_decoder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/line_reader.h"
#include "core/line_stream.h"

namespace quillon {
namespace {

std::string Decode(const std::string& bytes, TextEncoding encoding, size_t block = 0) {
  TextDecoder decoder(encoding);
  std::string out;
  if (block == 0) block = bytes.size() + 1;
  for (size_t at = 0; at < bytes.size(); at += block) {
    decoder.Decode(std::string_view(bytes).substr(at, block), &out);
  }
  decoder.Finish(&out);
  return out;
}

// UTF-16 code units as bytes, little-endian (with a byte order mark) or big-endian.
std::string Utf16(std::u16string_view units, bool little, bool mark = true) {
  std::string bytes = mark ? (little ? "\xFF\xFE" : "\xFE\xFF") : "";
  for (const char16_t u : units) {
    const char low = static_cast<char>(u & 0xFF), high = static_cast<char>(u >> 8);
    bytes += little ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(TextDecoderTest, Utf16WithAByteOrderMarkInEveryMode) {
  const struct {
    std::u16string units;
    std::string utf8;
  } cases[] = {
      {u"The cat.\r\n", "The cat.\r\n"},
      {u"“Don’t” – café", "“Don’t” – café"},
      {u"\U0001F44D ok", "\xF0\x9F\x91\x8D ok"},  // a surrogate pair
      {{0xD83D, 'x'}, kReplacement + "x"},        // a high surrogate alone
      {{0xDC00, 'x'}, kReplacement + "x"},        // a low surrogate alone
      {{'a', 0xD83D}, "a" + kReplacement},        // a high surrogate at the very end
      {{'a', 0, 'b'}, std::string("a\0b", 3)},    // NUL stays, for the line cutter
      {u"", ""},
  };
  for (const bool little : {true, false}) {
    for (const auto& c : cases) {
      const std::string bytes = Utf16(c.units, little);
      for (const TextEncoding encoding : {TextEncoding::kAsIs, TextEncoding::kUtf8,
                                          TextEncoding::kWindows1252, TextEncoding::kLatin1}) {
        for (size_t block = 0; block <= 5; ++block) {
          EXPECT_EQ(Decode(bytes, encoding, block), c.utf8)
              << (little ? "LE " : "BE ") << c.utf8 << " block " << block;
        }
      }
    }
  }
  // An odd number of bytes: the last one is no character.
  EXPECT_EQ(Decode(Utf16(u"ab", true) + "c", TextEncoding::kAsIs), "ab" + kReplacement);
  EXPECT_EQ(Decode(Utf16(u"ab", false) + "c", TextEncoding::kAsIs, 1), "ab" + kReplacement);
}

TEST(TextDecoderTest, ByteOrderMarksAndBytesAsTheyStand) {
  const struct {
    std::string bytes;
    TextEncoding encoding;
    std::string text;
  } cases[] = {
      // Without a declared encoding, bytes are taken as they are, a UTF-8 mark too.
      {"caf\xE9 \x93x\x94", TextEncoding::kAsIs, "caf\xE9 \x93x\x94"},
      {"\xEF\xBB\xBFThe", TextEncoding::kAsIs, "\xEF\xBB\xBFThe"},
      {"\xFF", TextEncoding::kAsIs, "\xFF"},  // too short to be a mark
      {"\xFE", TextEncoding::kAsIs, "\xFE"},
      {"\xEF\xBB", TextEncoding::kAsIs, "\xEF\xBB"},
      {"\xFFx", TextEncoding::kAsIs, "\xFFx"},
      // Declared UTF-8 loses its mark and nothing else, broken bytes included.
      {"\xEF\xBB\xBFThe \xFF", TextEncoding::kUtf8, "The \xFF"},
      {"The", TextEncoding::kUtf8, "The"},
      // Windows-1252: smart quotes, dashes, the ellipsis, the euro; undefined bytes keep
      // their C1 control; above 0x9F it is Latin-1.
      {"\x93Hi\x94 \x91x\x92 \x96 \x97 \x85 \x80 \x81 \xE9", TextEncoding::kWindows1252,
       "“Hi” ‘x’ – — … € \xC2\x81 é"},
      {"\x93\xE9\xFF", TextEncoding::kLatin1, "\xC2\x93\xC3\xA9\xC3\xBF"},
      // A UTF-8 mark says UTF-8 whatever was declared.
      {"\xEF\xBB\xBF\xC3\xA9", TextEncoding::kWindows1252, "\xC3\xA9"},
  };
  for (const auto& c : cases) {
    for (size_t block = 0; block <= 3; ++block) {
      EXPECT_EQ(Decode(c.bytes, c.encoding, block), c.text) << c.bytes << " block " << block;
    }
  }
}

TEST(TextDecoderTest, EncodingNames) {
  TextEncoding e = TextEncoding::kAsIs;
  EXPECT_TRUE(ParseTextEncoding("UTF-8", &e));
  EXPECT_EQ(e, TextEncoding::kUtf8);
  EXPECT_TRUE(ParseTextEncoding("cp1252", &e));
  EXPECT_EQ(e, TextEncoding::kWindows1252);
  EXPECT_TRUE(ParseTextEncoding("ISO-8859-1", &e));
  EXPECT_EQ(e, TextEncoding::kLatin1);
  EXPECT_FALSE(ParseTextEncoding("utf-16", &e));
  EXPECT_FALSE(ParseTextEncoding("", &e));
}

// The line stream decodes as it reads: the same lines as cutting the decoded text whole,
// at every block size, and again after a rewind; memory stays with the block, not the file.
TEST(TextDecoderTest, LineStreamDecodesBlockByBlock) {
  std::u16string text;
  for (int i = 0; i < 300; ++i)
    text += u"“Line” número " + std::u16string(1, u'0' + i % 10) + u"\r\n";
  text += u"last\U0001F44D";
  std::string utf8;
  TextDecoder whole;
  whole.Decode(Utf16(text, true), &utf8);
  whole.Finish(&utf8);
  const std::vector<std::string> expected = SplitLines(utf8);
  ASSERT_EQ(expected.size(), 301u);
  for (const bool little : {true, false}) {
    char pattern[] = "/tmp/quillon-utf16-XXXXXX";
    const int fd = ::mkstemp(pattern);
    const std::string bytes = Utf16(text, little);
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
    for (const size_t block : {1, 2, 3, 7, 64, 4096}) {
      LineStream stream(::open(pattern, O_RDONLY), true, pattern, block);
      for (int pass = 0; pass < 2; ++pass) {
        std::vector<std::string> lines;
        for (std::string_view line; stream.Next(&line);) lines.emplace_back(line);
        EXPECT_TRUE(stream.status().ok());
        EXPECT_EQ(lines, expected) << "block " << block << " pass " << pass;
        ASSERT_TRUE(stream.Rewind().ok());
      }
    }
    std::unique_ptr<LineStream> opened;
    ASSERT_TRUE(OpenInput(pattern, &opened, TextEncoding::kAsIs).ok());
    std::vector<std::string> lines;
    for (std::string_view line; opened->Next(&line);) lines.emplace_back(line);
    EXPECT_EQ(lines, expected);
    ::unlink(pattern);
  }
  // Windows-1252 through the stream, and a text in memory.
  LineStream memory("\x93Hi\x94\r\n\x85", TextEncoding::kWindows1252);
  std::vector<std::string> lines;
  for (std::string_view line; memory.Next(&line);) lines.emplace_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"“Hi”", "…"}));
}

// A FIFO is read to the first NUL of its decoded text: UTF-16 holds NUL bytes in every
// ASCII character, which must not end it. The writer stays open, so only that NUL (two
// zero bytes, one code unit) ends the read.
TEST(TextDecoderTest, FifoOfUtf16) {
  char dir[] = "/tmp/quillon-fifo-XXXXXX";
  ASSERT_NE(::mkdtemp(dir), nullptr);
  const std::string fifo = std::string(dir) + "/in";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  const std::string bytes = Utf16(u"one\ntwo", true) + std::string("\0\0more", 6);
  ASSERT_EQ(::write(writer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  std::unique_ptr<LineStream> stream;
  ASSERT_TRUE(OpenInput(fifo, &stream).ok());
  std::vector<std::string> lines;
  for (std::string_view line; stream->Next(&line);) lines.emplace_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two"}));
  ::close(writer);
  ::unlink(fifo.c_str());
  ::rmdir(dir);
}

}  // namespace
}  // namespace quillon
