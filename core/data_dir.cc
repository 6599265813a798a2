// Finding the data directory from the executable's own path.
#include "core/data_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "core/output_file.h"

namespace quillon {
namespace {

bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string ExecutableFolder() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return ".";
  return FolderOf(std::string(buffer, static_cast<size_t>(length)));
}

std::string DefaultDataDir() {
  const std::string folder = ExecutableFolder();
  const std::string beside = JoinPath(folder, "Q_data");
  if (IsFolder(beside)) return beside;
  const std::string installed = JoinPath(folder, "../share/quillon/Q_data");
  if (IsFolder(installed)) return installed;
  return beside;
}

Status CheckDataDir(const std::string& dir) {
  struct stat st;
  if (::stat(dir.c_str(), &st) != 0) {
    return Status::Error("Cannot open data folder \"" + dir + "\": " + std::strerror(errno));
  }
  if (!S_ISDIR(st.st_mode)) {
    return Status::Error("Cannot open data folder \"" + dir + "\": " + std::strerror(ENOTDIR));
  }
  return Status::Ok();
}

}  // namespace quillon
