// Output naming and atomic writing. Tested by output_file_test.cc.
#include "core/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>

#include "core/temporary_files.h"

namespace quillon {
namespace {

std::string_view BaseName(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The longest file name the usual Linux file systems take.
constexpr size_t kNameMax = 255;

// The temporary file's name: the target's name and a random suffix. A target name too long
// for the suffix is cut, so that any legal output name can be written.
std::string TemporaryName(std::string_view name, uint64_t random) {
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".quillon-%016llx.tmp",
                static_cast<unsigned long long>(random));
  const size_t room = kNameMax - std::strlen(suffix);
  return std::string(name.substr(0, room)) + suffix;
}

// The file that an output at path replaces: path itself, or the file a symbolic link there
// points to (also when it does not exist yet), so the link stays and its file is written.
std::string WrittenPath(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  const ssize_t length = ::readlink(path.c_str(), resolved, sizeof resolved);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof resolved) return path;
  const std::string target(resolved, static_cast<size_t>(length));
  if (target[0] == '/') return target;
  const std::string folder = FolderOf(path);
  return JoinPath(folder.empty() ? "." : folder, target);
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

std::string OutputFileName(std::string_view input_path) {
  const std::string_view name = BaseName(input_path);
  size_t dot = name.find_last_of('.');
  // The dot that starts a hidden file's name (".notes") begins no extension.
  if (dot == 0) dot = std::string_view::npos;
  std::string out(dot == std::string_view::npos ? name : name.substr(0, dot));
  out += "_tag.txt";
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

Status MakeFolder(const std::string& folder) {
  if (::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST) return Status::Ok();
  return Status::Error(std::strerror(errno));
}

Status OutputFile::Open(const std::string& path) {
  static thread_local std::mt19937_64 random(std::random_device{}());
  Abort();
  path_ = WrittenPath(path);
  status_ = Status::Ok();
  struct stat old;
  const bool exists = ::stat(path_.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return status_ = Status::Error(std::strerror(EISDIR));
  // A device or a FIFO (-o /dev/null) is written in place, as a shell's > would.
  if (exists && !S_ISREG(old.st_mode)) return OpenInPlace();
  const std::string folder = FolderOf(path_);
  for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
    temp_ = JoinPath(folder.empty() ? "." : folder, TemporaryName(BaseName(path_), random()));
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temp_.clear();
    return status_ = Status::Error(std::strerror(errno));
  }
  // Listed only once it is ours: a name taken by someone else is never removed.
  listed_ = ListTemporaryFile(temp_);
  if (exists) {
    // A file that may not be written is not replaced behind its owner's back.
    if (::access(path_.c_str(), W_OK) != 0) {
      const int error = errno;
      Abort();
      return status_ = Status::Error(std::strerror(error));
    }
    // A new file gets the mode of the one it replaces, so a rerun keeps its permissions.
    ::fchmod(fd_, old.st_mode & 07777);
  }
  return status_;
}

Status OutputFile::OpenInPlace() {
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd_ < 0) status_ = Status::Error(std::strerror(errno));
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
  } else if (temp_.empty()) {
    return status_;  // written in place
  } else if (::rename(temp_.c_str(), path_.c_str()) != 0) {
    status_ = Status::Error(std::strerror(errno));
  } else {
    temp_.clear();
    UnlistTemporaryFile(listed_);
    listed_ = -1;
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
  UnlistTemporaryFile(listed_);
  listed_ = -1;
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
  OutputFile file;
  if (Status opened = file.Open(path); !opened.ok()) return opened;
  if (Status wrote = file.Append(bytes); !wrote.ok()) return wrote;
  return file.Commit();
}

namespace {

// The file at path (a symbolic link followed): device and inode; false when there is none.
bool FileIdentity(const std::string& path, std::pair<uint64_t, uint64_t>* identity) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  *identity = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  return true;
}

// One spelling for every spelling of path: the deepest folder of it that exists, resolved
// (links, "." and ".." gone), then the rest as written. A "Tagged" folder not made yet
// thus reads the same whether its input was named relative or absolute.
std::string CanonicalPath(const std::string& path) {
  std::string folder = FolderOf(path);
  std::string rest(BaseName(path));
  char resolved[PATH_MAX];
  while (::realpath(folder.empty() ? "." : folder.c_str(), resolved) == nullptr) {
    if (folder.empty() || folder == "/") return path;
    rest = JoinPath(BaseName(folder), rest);
    folder = FolderOf(folder);
  }
  return JoinPath(resolved, rest);
}

// path with " (number)" before the extension of its name: "a_tag.txt" -> "a_tag(2).txt".
std::string Numbered(const std::string& path, int number) {
  const size_t name_start = path.find_last_of('/') + 1;  // 0 when there is no folder
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot <= name_start) dot = path.size();
  return path.substr(0, dot) + "(" + std::to_string(number) + ")" + path.substr(dot);
}

}  // namespace

OutputPathRegistry::OutputPathRegistry(const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    std::pair<uint64_t, uint64_t> identity;
    if (FileIdentity(input, &identity)) inputs_.insert(identity);
  }
}

std::string OutputPathRegistry::Clash(const std::string& candidate, bool numbered) const {
  if (used_.count(CanonicalPath(candidate)) != 0) {
    return "Another input of this run also maps to ";
  }
  std::pair<uint64_t, uint64_t> identity;
  if (!FileIdentity(candidate, &identity)) return "";
  if (inputs_.count(identity) != 0) return "An input of this run is ";
  // A numbered name that exists was not written by this run: it may be anyone's file.
  if (numbered) return "A file of that name exists: ";
  return "";
}

std::string OutputPathRegistry::Claim(const std::string& path, std::string* warning) {
  std::string candidate = path;
  std::string why = Clash(candidate, false);
  const std::string first_why = why;
  for (int number = 2; !why.empty(); ++number) {
    candidate = Numbered(path, number);
    why = Clash(candidate, true);
  }
  used_.insert(CanonicalPath(candidate));
  if (warning) {
    warning->clear();
    if (candidate != path) *warning = first_why + path + "; writing " + candidate + " instead.";
  }
  return candidate;
}

}  // namespace quillon
