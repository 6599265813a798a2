// The tagging run: what Start does. It checks the input list, loads every resource in
// the fixed order, then file by file and sentence by sentence tokenises, tags and writes,
// reporting everything a person sees through a RunObserver. Files are independent: the
// contextual rules' changed flags start afresh with every sentence. A file is streamed:
// with the splitter off its lines are read, tagged and written a block at a time, so
// memory does not grow with the file; with the splitter on the joined text is held once.
// Tested by tagging_run_test.cc and the end-to-end tests of the command line.
#ifndef QUILLON_CORE_TAGGING_RUN_H_
#define QUILLON_CORE_TAGGING_RUN_H_

#include <memory>
#include <string>
#include <vector>

#include "core/resources.h"
#include "core/run_observer.h"
#include "core/run_settings.h"

namespace quillon {

// What outlives a run: the resources the last run loaded (each run replaces them).
struct TaggerState {
  std::unique_ptr<Resources> resources;
};

struct RunResult {
  bool ended_early = false;          // a message, an error or a stop request ended the run
  bool stopped = false;              // the run ended because StopRequested said so
  bool input_failed = false;         // the run ended at an input it could not read
  bool all_written = true;           // every output file was written
  std::vector<std::string> outputs;  // the result list, in input order
};

// Tags inputs (file paths) with the resources in data_dir.
RunResult TaggingRun(const RunSettings& settings, const std::vector<std::string>& inputs,
                     const std::string& data_dir, TaggerState* state, RunObserver* observer);

// "12" for twelve seconds, "3.5" for three and a half: at most 15 significant digits.
std::string FormatSeconds(double seconds);

}  // namespace quillon

#endif  // QUILLON_CORE_TAGGING_RUN_H_
