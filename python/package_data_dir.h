// Where the Python module finds the resource files when it is given no data directory.
// The programs look beside their executable, but the module's process is the Python
// interpreter, so the module looks from its own file instead: the build tree's bin/Q_data
// when it is the module the build wrote, share/quillon/Q_data of the prefix it is installed
// under otherwise. Tested by python/tests/test_tagger.py and tests/e2e/install_test.cc.
#ifndef QUILLON_PYTHON_PACKAGE_DATA_DIR_H_
#define QUILLON_PYTHON_PACKAGE_DATA_DIR_H_

#include <string>

namespace quillon {

// The folder of the shared object this code is linked into.
std::string ModuleFolder();

// The data directory for this module: the build tree's bin/Q_data when the module is in
// the build tree's package folder (the same folder, however spelled), otherwise
// share/quillon/Q_data of its prefix, as an absolute path (which need not exist).
std::string PackageDataDir();

}  // namespace quillon

#endif  // QUILLON_PYTHON_PACKAGE_DATA_DIR_H_
