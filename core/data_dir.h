// Where the resource files are: Q_data beside the executable, or, in an installed layout,
// ../share/quillon/Q_data relative to it. The working directory plays no part.
// Tested by tag_command_test.cc and install_test.cc (through the real binaries).
#ifndef QUILLON_CORE_DATA_DIR_H_
#define QUILLON_CORE_DATA_DIR_H_

#include <string>

#include "core/status.h"

namespace quillon {

// The folder of the running executable, without a trailing separator.
std::string ExecutableFolder();

// The data directory to use when none is given: the first candidate that exists, or the
// one beside the executable when neither does (so its messages name the usual place).
std::string DefaultDataDir();

// A data folder the user named (--data DIR) that is not there, or is no folder, fails
// here with the system's reason, instead of at its first resource file, whose message
// would only say that file is missing.
Status CheckDataDir(const std::string& dir);

}  // namespace quillon

#endif  // QUILLON_CORE_DATA_DIR_H_
