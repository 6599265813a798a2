// The module's default data directory. Tested by python/tests/test_tagger.py (build tree)
// and tests/e2e/install_test.cc (installed).
#include "python/package_data_dir.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace quillon {
namespace {

namespace fs = std::filesystem;

bool SameFolder(const std::string& a, const std::string& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

}  // namespace

std::string ModuleFolder() {
  Dl_info info;
  if (::dladdr(reinterpret_cast<void*>(&ModuleFolder), &info) == 0 || info.dli_fname == nullptr) {
    return ".";
  }
  std::error_code error;
  const fs::path file = fs::weakly_canonical(info.dli_fname, error);
  return (error ? fs::path(info.dli_fname) : file).parent_path().string();
}

std::string PackageDataDir() {
  const std::string folder = ModuleFolder();
  if (SameFolder(folder, QUILLON_BUILD_PACKAGE_DIR)) return QUILLON_BUILD_DATA_DIR;
  const fs::path installed = fs::path(folder) / QUILLON_INSTALLED_DATA_RELATIVE;
  std::error_code error;
  const fs::path normal = fs::weakly_canonical(installed, error);
  return (error ? installed.lexically_normal() : normal).string();
}

}  // namespace quillon
