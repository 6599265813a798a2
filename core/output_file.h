// Output files: one per input, named after it with "_tag.txt" in place of its extension,
// in a "Tagged" folder beside the input or in a chosen folder. A file is written to a
// temporary file in its folder and renamed over the target, so a failed write never
// leaves a truncated output and an old output survives until the new one is complete.
// Tested by output_file_test.cc and the end-to-end tests.
#ifndef QUILLON_CORE_OUTPUT_FILE_H_
#define QUILLON_CORE_OUTPUT_FILE_H_

#include <set>
#include <string>
#include <string_view>

#include "core/run_settings.h"
#include "core/status.h"

namespace quillon {

// "news.txt" -> "news_tag.txt", "a.b.txt" -> "a.b_tag.txt", "README" -> "README_tag.txt";
// with another extension (an output format's), "news.txt" -> "news_tag.conllu".
std::string OutputFileName(std::string_view input_path, std::string_view extension = "txt");

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
  // may not be replaced, or the folder cannot take a new file.
  Status Open(const std::string& path);
  // Appends bytes; after a failure every later call fails too.
  Status Append(std::string_view bytes);
  // Closes the temporary file and renames it over the target.
  Status Commit();
  // Removes the temporary file; the target is left untouched.
  void Abort();

 private:
  std::string path_;
  std::string temp_;
  int fd_ = -1;
  Status status_;
};

// Writes bytes to path through a temporary file in the same folder and a rename.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

// Creates folder when it does not exist; reports nothing (a failure shows in the write).
void MakeFolder(const std::string& folder);

// Hands out output paths within one run: a path already used by an earlier input of
// the run gets a numbered name ("news_tag(2).txt") so no output of the run is overwritten.
class OutputPathRegistry {
 public:
  // Returns path, or a numbered variant of it when path was already handed out.
  std::string Claim(const std::string& path);

 private:
  std::set<std::string> used_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_OUTPUT_FILE_H_
