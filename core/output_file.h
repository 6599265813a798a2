// Output files: one per input, named after it with "_tag.txt" in place of its extension,
// in a "Tagged" folder beside the input or in a chosen folder. A file is written to a
// temporary file in its folder and renamed over the target, so a failed write never
// leaves a truncated output and an old output survives until the new one is complete.
// Tested by output_file_test.cc and the end-to-end tests.
#ifndef QUILLON_CORE_OUTPUT_FILE_H_
#define QUILLON_CORE_OUTPUT_FILE_H_

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/run_settings.h"
#include "core/status.h"

namespace quillon {

// "news.txt" -> "news_tag.txt", "a.b.txt" -> "a.b_tag.txt", "README" -> "README_tag.txt".
std::string OutputFileName(std::string_view input_path);

// The folder part of path without its trailing separator ("" for a bare name).
std::string FolderOf(std::string_view path);

// The folder the output of input_path goes to under settings.
std::string OutputFolder(const RunSettings& settings, std::string_view input_path);

// Joins folder and name with one separator.
std::string JoinPath(std::string_view folder, std::string_view name);

// An output file written piece by piece: the bytes go to a temporary file in the target's
// folder, which replaces the target only on Commit. Until then the old target (if any)
// stays as it was; an OutputFile destroyed uncommitted removes its temporary file.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile() { Abort(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates the temporary file beside path. Fails when path is a folder or a file that
  // may not be replaced, or the folder cannot take a new file. A symbolic link at path is
  // followed: the file it points to is replaced and the link stays. A device or a FIFO at
  // path (/dev/null) is written in place, as a shell's > would write it.
  Status Open(const std::string& path);
  // Appends bytes; after a failure every later call fails too.
  Status Append(std::string_view bytes);
  // Closes the temporary file and renames it over the target.
  Status Commit();
  // Removes the temporary file; the target is left untouched.
  void Abort();
  // The first failure, with the system's reason.
  const Status& status() const { return status_; }

 private:
  Status OpenInPlace();

  std::string path_;  // the file that is replaced
  std::string temp_;  // empty while a device or FIFO is written in place
  int fd_ = -1;
  int listed_ = -1;  // slot in the list of temporary files a signal removes
  Status status_;
};

// Writes bytes to path through a temporary file in the same folder and a rename.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

// Creates folder when it does not exist; fails with the system's reason otherwise (a
// failure shows in the write that follows, which may use the reason).
Status MakeFolder(const std::string& folder);

// Hands out output paths within one run so that no output overwrites a file it did not
// produce: a path already handed out in this run (in any spelling), a path that is an
// input of the run (compared by device and inode, so a relative or absolute spelling,
// "./", a symbolic or a hard link are all seen), and an existing file that a numbered name
// would land on are passed over; the next free numbered name ("news_tag(2).txt") is taken.
// An unnumbered path that is no input of the run replaces an older output, as a rerun
// should.
class OutputPathRegistry {
 public:
  OutputPathRegistry() = default;
  // inputs: the input files of the run, which no output may replace.
  explicit OutputPathRegistry(const std::vector<std::string>& inputs);

  // Returns path, or a numbered variant of it; *warning says why when it is not path.
  std::string Claim(const std::string& path, std::string* warning = nullptr);

 private:
  // Why candidate cannot be taken ("" when it can); numbered: it is a numbered variant.
  std::string Clash(const std::string& candidate, bool numbered) const;

  std::set<std::string> used_;                      // canonical spellings handed out
  std::set<std::pair<uint64_t, uint64_t>> inputs_;  // device and inode of each input
};

}  // namespace quillon

#endif  // QUILLON_CORE_OUTPUT_FILE_H_
