// Where the resource files are: Q_data beside the executable, or, in an installed layout,
// ../share/quillon/Q_data relative to it. The working directory plays no part.
#ifndef QUILLON_CORE_DATA_DIR_H_
#define QUILLON_CORE_DATA_DIR_H_

#include <string>

namespace quillon {

// The folder of the running executable, without a trailing separator.
std::string ExecutableFolder();

// The data directory to use when none is given: the first candidate that exists, or the
// one beside the executable when neither does (so its messages name the usual place).
std::string DefaultDataDir();

}  // namespace quillon

#endif  // QUILLON_CORE_DATA_DIR_H_
