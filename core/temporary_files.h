// Temporary output files that must not outlive the process. An output is written to a
// temporary file beside its target and renamed over it at the end; when the process is
// ended by SIGINT, SIGTERM or SIGHUP in the middle, the temporary file would be left behind.
// So every open temporary file is listed in a fixed table that a signal handler can read
// without allocating or locking: the handler unlinks each listed file, then ends the
// process with the signal's default action, so the parent sees the usual status (130 for
// SIGINT in a shell, 143 for SIGTERM, 129 for SIGHUP). Finished outputs are not listed
// and stay. Tested by temporary_files_test.cc and fault_e2e_test.cc (real signals).
#ifndef QUILLON_CORE_TEMPORARY_FILES_H_
#define QUILLON_CORE_TEMPORARY_FILES_H_

#include <string>

namespace quillon {

// How many temporary files can be listed at once; an output opened while the table is
// full is written as usual, it is only not removed by a signal.
inline constexpr int kMaxListedTemporaryFiles = 64;

// Lists path; returns its slot, or -1 when the table is full or path too long.
int ListTemporaryFile(const std::string& path);

// Takes the file of slot off the list (after its rename or removal). -1 is ignored.
void UnlistTemporaryFile(int slot);

// Installs the handler for SIGINT, SIGTERM and SIGHUP. A signal that was ignored when the
// process started (a background job of a shell without job control) stays ignored.
void RemoveTemporaryFilesOnSignals();

// The number of files listed now (for tests).
int ListedTemporaryFileCount();

}  // namespace quillon

#endif  // QUILLON_CORE_TEMPORARY_FILES_H_
