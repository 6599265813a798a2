// Whole-file reading and line cutting. Tested by line_reader_test.cc.
#include "core/line_reader.h"

#include "core/line_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quillon {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

namespace {

// Opens path for reading without waiting for a FIFO's writer (a FIFO without one then
// reads as empty); a folder is refused with the system's text.
Status OpenForReading(const std::string& path, int* fd) {
  *fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (*fd < 0) return Status::Error("Cannot open file \"" + path + "\". " + std::strerror(errno));
  ::fcntl(*fd, F_SETFL, ::fcntl(*fd, F_GETFL) & ~O_NONBLOCK);
  struct stat st;
  if (::fstat(*fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(*fd);
    *fd = -1;
    return Status::Error("Cannot open file \"" + path + "\". " + std::strerror(EISDIR));
  }
  return Status::Ok();
}

}  // namespace

Status ReadFileBytes(const std::string& path, std::string* bytes) {
  bytes->clear();
  int fd;
  if (Status opened = OpenForReading(path, &fd); !opened.ok()) return opened;
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    bytes->reserve(static_cast<size_t>(st.st_size));
  }
  char buffer[1 << 16];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      int error = errno;
      ::close(fd);
      bytes->clear();
      return Status::Error("Cannot read file \"" + path + "\". " + std::strerror(error));
    }
    bytes->append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  return Status::Ok();
}

Status ForEachFileLine(const std::string& path, const std::function<void(std::string_view)>& visit,
                       bool skip_byte_order_mark, std::string* lost) {
  int fd;
  if (Status opened = OpenForReading(path, &fd); !opened.ok()) return opened;
  // Blocks of 64 KiB: resource files are small, and a long line grows the buffer anyway.
  LineStream stream(fd, true, path, size_t{1} << 16,
                    skip_byte_order_mark ? TextEncoding::kUtf8 : TextEncoding::kAsIs);
  stream.set_max_line(kMaxLineBytes);
  for (std::string_view line; stream.Next(&line);) visit(line);
  if (lost) *lost = stream.status().ok() ? InputCutNote(stream, path, "read") : "";
  return stream.status();
}

Status ReadLines(const std::string& path, std::vector<std::string>* lines,
                 bool skip_byte_order_mark, std::string* lost) {
  lines->clear();
  Status status = ForEachFileLine(
      path, [&](std::string_view line) { lines->emplace_back(line); }, skip_byte_order_mark, lost);
  if (!status.ok()) lines->clear();
  return status;
}

Status ReadText(const std::string& path, std::string* text, bool skip_byte_order_mark) {
  text->clear();
  Status status = ForEachFileLine(
      path,
      [&](std::string_view line) {
        text->append(line);
        text->push_back('\n');
      },
      skip_byte_order_mark);
  if (!status.ok()) text->clear();
  return status;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace quillon
