// Whole-file reading and line cutting. Tested by line_reader_test.cc.
#include "core/line_reader.h"

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

Status ReadFileBytes(const std::string& path, std::string* bytes) {
  bytes->clear();
  // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come; once open,
  // reads block again as usual (a FIFO without a writer then reads as empty).
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Status::Error("Cannot open file \"" + path + "\". " + std::strerror(errno));
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Status::Error("Cannot open file \"" + path + "\". " + std::strerror(EISDIR));
  }
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

Status ReadLines(const std::string& path, std::vector<std::string>* lines) {
  std::string bytes;
  Status status = ReadFileBytes(path, &bytes);
  if (!status.ok()) return status;
  *lines = SplitLines(bytes);
  return Status::Ok();
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace quillon
