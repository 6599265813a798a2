// Streaming line reading. A LineStream yields the lines of a file, a pipe or a text in
// memory exactly as SplitLines cuts a whole text (CR LF, a lone CR or a lone LF end a line,
// a NUL byte ends the text), but reads in blocks, so memory is bounded by the longest line
// and not by the file. Tagging runs use it to tag gigabyte inputs sentence by sentence.
// OpenInput decides how an input path is read: regular files are streamed twice (once to
// count, once to tag), anything else (a FIFO, a device) once, waiting for a FIFO's writer
// as `cat` does. A stream tells what a NUL byte cut off, so the run can say so.
// The bytes go through a TextDecoder on their way in: a UTF-16 text (with its byte order
// mark) or one of a declared encoding is read as UTF-8, still block by block.
// Tested by line_stream_test.cc (against SplitLines) and the end-to-end fault tests.
#ifndef QUILLON_CORE_LINE_STREAM_H_
#define QUILLON_CORE_LINE_STREAM_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/status.h"
#include "core/text_decoder.h"

namespace quillon {

class LineStream {
 public:
  // Reads from fd, which the stream closes when owns_fd is true. name appears in errors.
  LineStream(int fd, bool owns_fd, std::string name, size_t block_size = kDefaultBlock,
             TextEncoding encoding = TextEncoding::kAsIs);
  // Yields the lines of text, which the stream keeps (already decoded).
  explicit LineStream(std::string text);
  // Yields the lines of the bytes of a text in encoding.
  LineStream(std::string_view bytes, TextEncoding encoding);
  ~LineStream();
  LineStream(const LineStream&) = delete;
  LineStream& operator=(const LineStream&) = delete;

  // The next line, valid until the next call; false at the end of the text or on a read
  // error (then status() says which).
  bool Next(std::string_view* line);

  // Starts again from the first line. Only for a seekable file or a text in memory.
  Status Rewind();
  // Lines longer than bytes end the reading with an error naming the file and the line;
  // the buffer then never grows past about that size. Unlimited by default (input texts).
  void set_max_line(size_t bytes) { max_line_ = bytes; }

  // False for a pipe, a FIFO or a device: they are read once.
  bool can_rewind() const { return can_rewind_; }

  const Status& status() const { return status_; }

  // Set when a NUL byte ended the text: the number of the line it stood in (from 1).
  size_t nul_line() const { return nul_line_; }
  // Bytes are known to follow that NUL (so the text was cut short, not merely ended).
  bool bytes_after_nul() const;
  // A file read to its end gave fewer bytes than it held when it was opened: it shrank
  // while it was read.
  bool shrank() const;
  // The bytes taken from the file descriptor so far.
  uint64_t bytes_read() const { return bytes_read_; }
  // The first bytes look like UTF-16 without a byte order mark (every other byte NUL).
  bool looks_like_utf16() const;

  static constexpr size_t kDefaultBlock = 1 << 20;

 private:
  // Moves the unread bytes to the front and reads more; false when nothing more comes.
  bool Fill();
  // Fill for a text that is decoded: reads a block and appends its decoded form.
  bool FillDecoded();
  // Scans for the end of the current line from scan_; true with *at when one is found.
  bool FindBreak(size_t* at);
  // Ends the reading with an error when length passes the line limit.
  bool TooLong(size_t length);
  // Keeps count of the bytes read and a copy of the first of them.
  void Took(const char* bytes, size_t count);

  int fd_ = -1;
  bool owns_fd_ = false;
  std::string name_;
  size_t block_size_;
  std::string buffer_;
  size_t begin_ = 0;     // first unread byte
  size_t end_ = 0;       // one past the last byte read
  size_t scan_ = 0;      // bytes before this hold no line break or NUL of the current line
  bool at_end_ = false;  // no more bytes will come (end of file, a NUL, a text in memory)
  bool in_memory_ = false;
  bool can_rewind_ = true;
  size_t max_line_ = SIZE_MAX;
  size_t lines_ = 0;     // lines yielded since the start
  size_t nul_line_ = 0;  // see nul_line()
  bool bytes_after_nul_ = false;
  uint64_t bytes_read_ = 0;
  uint64_t size_at_open_ = 0;  // a regular file's size when the stream was made
  std::string head_;           // the first bytes read, for looks_like_utf16()
  Status status_;
  TextDecoder decoder_;
  std::string raw_;  // a block as read, while it is being decoded
  std::string decoded_;
};

// Opens input_path for a tagging run. A regular file is streamed and can be rewound.
// Anything else that is no folder (a FIFO, a device) is streamed once, as `cat` reads it:
// a FIFO waits for its writer. Fails with the system's error text in the run's words
// ("Cannot open file ...").
Status OpenInput(const std::string& input_path, std::unique_ptr<LineStream>* stream,
                 TextEncoding encoding = TextEncoding::kAsIs);

// What a reader that reached the end of input lost, as a warning for the user naming path:
// a NUL byte that ended the text before its last byte (said differently when the text
// looks like UTF-16 without a byte order mark), or a file that shrank while it was read.
// Empty when nothing was lost.
std::string InputCutNote(const LineStream& input, const std::string& path,
                         std::string_view done = "tagged");

}  // namespace quillon

#endif  // QUILLON_CORE_LINE_STREAM_H_
