// Output naming and atomic writing. Tested by output_file_test.cc.
#include "core/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace quillon {
namespace {

std::string_view BaseName(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
    if (wrote < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(wrote));
  }
  return true;
}

}  // namespace

std::string OutputFileName(std::string_view input_path, std::string_view extension) {
  const std::string_view name = BaseName(input_path);
  const size_t dot = name.find_last_of('.');
  std::string out(dot == std::string_view::npos ? name : name.substr(0, dot));
  out += "_tag.";
  out += extension;
  return out;
}

std::string FolderOf(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string_view::npos) return "";
  if (slash == 0) return "/";
  return std::string(path.substr(0, slash));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && out.back() != '/') out += '/';
  out += name;
  return out;
}

std::string OutputFolder(const RunSettings& settings, std::string_view input_path) {
  if (settings.RadioGroup1 == 0) {
    std::string folder = FolderOf(input_path);
    return JoinPath(folder.empty() ? "." : folder, "Tagged");
  }
  return settings.destination_folder;
}

void MakeFolder(const std::string& folder) { ::mkdir(folder.c_str(), 0777); }

Status OutputFile::Open(const std::string& path) {
  static thread_local std::mt19937_64 random(std::random_device{}());
  Abort();
  path_ = path;
  status_ = Status::Ok();
  const std::string folder = FolderOf(path);
  for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".quillon-%016llx.tmp",
                  static_cast<unsigned long long>(random()));
    temp_ = JoinPath(folder.empty() ? "." : folder, std::string(BaseName(path)) + suffix);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temp_.clear();
    return status_ = Status::Error(std::strerror(errno));
  }
  // A new file gets the mode of the one it replaces, so a rerun keeps its permissions.
  struct stat old;
  if (::stat(path.c_str(), &old) == 0) {
    if (!S_ISREG(old.st_mode) || ::access(path.c_str(), W_OK) != 0) {
      Abort();
      return status_ = Status::Error(std::strerror(S_ISREG(old.st_mode) ? EACCES : EISDIR));
    }
    ::fchmod(fd_, old.st_mode & 07777);
  }
  return status_;
}

Status OutputFile::Append(std::string_view bytes) {
  if (!status_.ok()) return status_;
  assert(fd_ >= 0);
  if (!WriteAll(fd_, bytes)) status_ = Status::Error(std::strerror(errno));
  return status_;
}

Status OutputFile::Commit() {
  if (!status_.ok()) {
    Abort();
    return status_;
  }
  assert(fd_ >= 0);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    status_ = Status::Error(std::strerror(errno));
  } else if (::rename(temp_.c_str(), path_.c_str()) != 0) {
    status_ = Status::Error(std::strerror(errno));
  } else {
    temp_.clear();
    return status_;
  }
  Abort();
  return status_;
}

void OutputFile::Abort() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
  OutputFile file;
  if (Status opened = file.Open(path); !opened.ok()) return opened;
  if (Status wrote = file.Append(bytes); !wrote.ok()) return wrote;
  return file.Commit();
}

std::string OutputPathRegistry::Claim(const std::string& path) {
  if (used_.insert(path).second) return path;
  const size_t dot = path.find_last_of('.');
  const std::string stem = path.substr(0, dot);
  const std::string extension = path.substr(dot);
  for (int number = 2;; ++number) {
    std::string candidate = stem + "(" + std::to_string(number) + ")" + extension;
    if (used_.insert(candidate).second) return candidate;
  }
}

}  // namespace quillon
