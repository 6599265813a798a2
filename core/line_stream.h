// Streaming line reading. A LineStream yields the lines of a file, a pipe or a text in
// memory exactly as SplitLines cuts a whole text (CR LF, a lone CR or a lone LF end a line,
// a NUL byte ends the text), but reads in blocks, so memory is bounded by the longest line
// and not by the file. Tagging runs use it to tag gigabyte inputs sentence by sentence.
// OpenInput decides how an input path is read: regular files are streamed twice (once to
// count, once to tag), anything else (a FIFO, a device) is opened without blocking and
// read to its end or its first NUL, so a FIFO without a writer never hangs the run.
// The bytes go through a TextDecoder on their way in: a UTF-16 text (with its byte order
// mark) or one of a declared encoding is read as UTF-8, still block by block.
// Tested by line_stream_test.cc (against SplitLines) and the end-to-end fault tests.
#ifndef QUILLON_CORE_LINE_STREAM_H_
#define QUILLON_CORE_LINE_STREAM_H_

#include <cstddef>
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

  const Status& status() const { return status_; }

  static constexpr size_t kDefaultBlock = 1 << 20;

 private:
  // Moves the unread bytes to the front and reads more; false when nothing more comes.
  bool Fill();
  // Fill for a text that is decoded: reads a block and appends its decoded form.
  bool FillDecoded();
  // Scans for the end of the current line from scan_; true with *at when one is found.
  bool FindBreak(size_t* at);

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
  Status status_;
  TextDecoder decoder_;
  std::string raw_;  // a block as read, while it is being decoded
  std::string decoded_;
};

// Opens input_path for a tagging run. A regular file is streamed; anything else that is
// no folder is read whole at once (stopping at its first NUL) without waiting for a
// writer. Either way the stream can be rewound. Fails with the system's error text in the
// run's words ("Cannot open file ...").
Status OpenInput(const std::string& input_path, std::unique_ptr<LineStream>* stream,
                 TextEncoding encoding = TextEncoding::kAsIs);

}  // namespace quillon

#endif  // QUILLON_CORE_LINE_STREAM_H_
