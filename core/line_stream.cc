// Block-wise line cutting and the opening of run inputs. Tested by line_stream_test.cc.
#include "core/line_stream.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cassert>
#include <cerrno>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillon {
namespace {

std::string OpenError(const std::string& path, int error) {
  return "Cannot open file \"" + path + "\". " + std::strerror(error);
}

std::string ReadError(const std::string& path, int error) {
  return "Cannot read file \"" + path + "\". " + std::strerror(error);
}

// read() that retries after a signal and waits on a descriptor left non-blocking.
ssize_t ReadSome(int fd, char* into, size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd, into, size);
    if (got >= 0) return got;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return got;
    pollfd wait = {fd, POLLIN, 0};
    ::poll(&wait, 1, -1);
  }
}

// How many of the first bytes are kept to tell UTF-16 without a byte order mark.
constexpr size_t kHeadBytes = 512;

// Waits until a FIFO opened without blocking has a writer that wrote or left; then the
// descriptor blocks again, so reads wait for data as they would in `cat`.
void WaitForWriter(int fd) {
  pollfd wait = {fd, POLLIN, 0};
  while (::poll(&wait, 1, -1) < 0 && errno == EINTR) {
  }
}

}  // namespace

LineStream::LineStream(int fd, bool owns_fd, std::string name, size_t block_size,
                       TextEncoding encoding)
    : fd_(fd),
      owns_fd_(owns_fd),
      name_(std::move(name)),
      block_size_(block_size),
      decoder_(encoding) {
  assert(block_size_ > 0);
  // A FIFO or a device cannot be read twice: it is tagged as it is read.
  struct stat st;
  can_rewind_ = ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode);
  if (can_rewind_) size_at_open_ = static_cast<uint64_t>(st.st_size);
}

LineStream::LineStream(std::string_view bytes, TextEncoding encoding)
    : block_size_(kDefaultBlock), at_end_(true), in_memory_(true) {
  TextDecoder decoder(encoding);
  decoder.Decode(bytes, &buffer_);
  decoder.Finish(&buffer_);
  end_ = buffer_.size();
}

LineStream::LineStream(std::string text)
    : block_size_(kDefaultBlock), buffer_(std::move(text)), at_end_(true), in_memory_(true) {
  end_ = buffer_.size();
}

LineStream::~LineStream() {
  if (owns_fd_ && fd_ >= 0) ::close(fd_);
}

bool LineStream::FindBreak(size_t* at) {
  const char* bytes = buffer_.data();
  size_t i = scan_;
#if defined(__SSE2__)
  // Sixteen bytes at a time: one compare for each of the three break bytes.
  const __m128i newline = _mm_set1_epi8('\n'), carriage = _mm_set1_epi8('\r');
  const __m128i nul = _mm_setzero_si128();
  for (; i + 16 <= end_; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    const __m128i hits =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, newline), _mm_cmpeq_epi8(x, carriage)),
                     _mm_cmpeq_epi8(x, nul));
    const unsigned found = static_cast<unsigned>(_mm_movemask_epi8(hits));
    if (found != 0) {
      i += static_cast<size_t>(__builtin_ctz(found));
      scan_ = i;
      *at = i;
      return true;
    }
  }
#else
  if constexpr (std::endian::native == std::endian::little) {
    // Eight bytes at a time: the lowest byte flagged in any of the three zero tests is
    // the first break (bits above a flagged byte may be wrong, the lowest never is).
    constexpr uint64_t kOnes = 0x0101010101010101ULL, kHigh = 0x8080808080808080ULL;
    auto zero_bytes = [](uint64_t x) { return (x - kOnes) & ~x & kHigh; };
    for (; i + 8 <= end_; i += 8) {
      uint64_t x;
      std::memcpy(&x, bytes + i, 8);
      const uint64_t found =
          zero_bytes(x ^ ('\n' * kOnes)) | zero_bytes(x ^ ('\r' * kOnes)) | zero_bytes(x);
      if (found != 0) {
        i += static_cast<size_t>(__builtin_ctzll(found)) / 8;
        scan_ = i;
        *at = i;
        return true;
      }
    }
  }
#endif
  for (; i < end_; ++i) {
    const char c = bytes[i];
    if (c == '\n' || c == '\r' || c == '\0') {
      scan_ = i;
      *at = i;
      return true;
    }
  }
  scan_ = end_;
  return false;
}

bool LineStream::Fill() {
  if (at_end_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    scan_ -= begin_;
    begin_ = 0;
  }
  // Only a line longer than the free room makes the buffer grow.
  if (buffer_.size() - end_ < block_size_ / 2 + 1) {
    buffer_.resize(std::max(buffer_.size() * 2, end_ + block_size_));
  }
  if (!decoder_.passes_through()) return FillDecoded();
  // Once the text is known to pass as it stands, it is read straight into place.
  const ssize_t got = ReadSome(fd_, buffer_.data() + end_, buffer_.size() - end_);
  if (got < 0) {
    status_ = Status::Error(ReadError(name_, errno));
    at_end_ = true;
    return false;
  }
  if (got == 0) {
    at_end_ = true;
    return false;
  }
  Took(buffer_.data() + end_, static_cast<size_t>(got));
  end_ += static_cast<size_t>(got);
  return true;
}

void LineStream::Took(const char* bytes, size_t count) {
  bytes_read_ += count;
  if (head_.size() < kHeadBytes) head_.append(bytes, std::min(count, kHeadBytes - head_.size()));
}

bool LineStream::bytes_after_nul() const {
  return nul_line_ > 0 && (bytes_after_nul_ || (can_rewind_ && bytes_read_ < size_at_open_));
}

bool LineStream::shrank() const {
  return can_rewind_ && at_end_ && nul_line_ == 0 && status_.ok() && bytes_read_ < size_at_open_;
}

bool LineStream::looks_like_utf16() const {
  if (!decoder_.passes_through()) return false;  // a byte order mark said what it is
  // In UTF-16 text that is mostly ASCII, one byte of each pair is NUL and the other not.
  size_t low_nul = 0, high_nul = 0;
  const size_t pairs = head_.size() / 2;
  for (size_t i = 0; i + 1 < head_.size(); i += 2) {
    const bool first = head_[i] == '\0', second = head_[i + 1] == '\0';
    if (first && !second) ++high_nul;
    if (second && !first) ++low_nul;
  }
  return pairs >= 4 && 2 * std::max(low_nul, high_nul) >= pairs;
}

bool LineStream::FillDecoded() {
  // A quarter of the free room, so that the decoded block (at most three bytes for each
  // byte read) always fits; at least the few bytes that tell a byte order mark.
  raw_.resize(std::max<size_t>((buffer_.size() - end_) / 4, 4));
  const ssize_t got = ReadSome(fd_, raw_.data(), raw_.size());
  if (got < 0) {
    status_ = Status::Error(ReadError(name_, errno));
    at_end_ = true;
    return false;
  }
  Took(raw_.data(), static_cast<size_t>(got));
  decoded_.clear();
  if (got == 0) {
    decoder_.Finish(&decoded_);  // what the decoder held back
    at_end_ = true;
  } else {
    decoder_.Decode(std::string_view(raw_.data(), static_cast<size_t>(got)), &decoded_);
  }
  if (buffer_.size() - end_ < decoded_.size()) buffer_.resize(end_ + decoded_.size());
  std::memcpy(buffer_.data() + end_, decoded_.data(), decoded_.size());
  end_ += decoded_.size();
  return !decoded_.empty();
}

bool LineStream::TooLong(size_t length) {
  if (length <= max_line_) return false;
  status_ = Status::Error(name_ + ":" + std::to_string(lines_ + 1) + ": the line is longer than " +
                          std::to_string(max_line_) + " bytes");
  at_end_ = true;
  return true;
}

bool LineStream::Next(std::string_view* line) {
  for (;;) {
    if (!status_.ok()) return false;
    size_t at;
    const bool found = FindBreak(&at);
    if (TooLong((found ? at : end_) - begin_)) return false;
    if (found) {
      const char c = buffer_[at];
      if (c == '\0') {  // the text ends here; nothing after it is read
        nul_line_ = lines_ + 1;
        bytes_after_nul_ = at + 1 < end_;
        end_ = at;
        at_end_ = true;
        continue;
      }
      if (c == '\r' && at + 1 == end_ && !at_end_) {  // is it CR LF? read on to see
        Fill();
        continue;
      }
      *line = std::string_view(buffer_.data() + begin_, at - begin_);
      size_t next = at + 1;
      if (c == '\r' && next < end_ && buffer_[next] == '\n') ++next;
      begin_ = scan_ = next;
      ++lines_;
      return true;
    }
    if (at_end_) {
      if (begin_ >= end_) return false;
      *line = std::string_view(buffer_.data() + begin_, end_ - begin_);
      begin_ = scan_ = end_;
      ++lines_;
      return true;
    }
    Fill();
  }
}

Status LineStream::Rewind() {
  assert(can_rewind_);
  status_ = Status::Ok();
  begin_ = scan_ = 0;
  lines_ = nul_line_ = 0;
  bytes_after_nul_ = false;
  bytes_read_ = 0;
  head_.clear();
  if (in_memory_) return status_;
  decoder_.Reset();
  if (::lseek(fd_, 0, SEEK_SET) < 0) {
    status_ = Status::Error(ReadError(name_, errno));
    at_end_ = true;
    return status_;
  }
  end_ = 0;
  at_end_ = false;
  return status_;
}

Status OpenInput(const std::string& input_path, std::unique_ptr<LineStream>* stream,
                 TextEncoding encoding) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
  const int fd = ::open(input_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Status::Error(OpenError(input_path, errno));
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    return Status::Error(OpenError(input_path, error));
  }
  if (S_ISFIFO(st.st_mode)) WaitForWriter(fd);
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  *stream = std::make_unique<LineStream>(fd, true, input_path, LineStream::kDefaultBlock, encoding);
  return Status::Ok();
}

std::string InputCutNote(const LineStream& input, const std::string& path, std::string_view done) {
  const std::string quoted = "\"" + path + "\"";
  if (input.bytes_after_nul()) {
    const std::string where = "line " + std::to_string(input.nul_line());
    if (input.looks_like_utf16()) {
      return quoted + " looks like UTF-16 without a byte order mark: its first NUL byte (" + where +
             ") ends the text, so only the bytes before it were " + std::string(done) +
             ". Save it as " + "UTF-8, or as UTF-16 with a byte order mark.";
    }
    return quoted + ": a NUL byte in " + where + " ends the text; only the bytes before it were " +
           std::string(done) + ".";
  }
  if (input.shrank()) {
    return quoted + " became shorter while it was read; only its first " +
           std::to_string(input.bytes_read()) + " bytes were " + std::string(done) + ".";
  }
  return "";
}

}  // namespace quillon
