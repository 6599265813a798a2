// How a command-line run shows itself: every message on a line of its own on standard
// error, and, when standard error is a terminal and the user did not ask for quiet, one
// progress line that is rewritten in place.
#ifndef QUILLON_CLI_STDERR_OBSERVER_H_
#define QUILLON_CLI_STDERR_OBSERVER_H_

#include <chrono>
#include <cstdio>
#include <string>

#include "core/run_observer.h"

namespace quillon {

class StderrObserver : public RunObserver {
 public:
  // show_progress: draw the progress line (only sensible on a terminal).
  explicit StderrObserver(bool show_progress, std::FILE* out = stderr);
  ~StderrObserver() override;

  void Message(std::string_view text) override;
  void ErrorReport(std::string_view text) override;
  void Warning(std::string_view text) override;
  void OutputFailed(std::string_view message, std::string_view detail) override;
  void ProgressShown(Indicator indicator, int maximum) override;
  void ProgressStep(Indicator indicator) override;
  void ProgressHidden(Indicator indicator) override;
  void FileStarted(size_t index, size_t count, std::string_view path) override;
  void Finished(double seconds) override;

  size_t files_started() const { return files_; }

 private:
  void PrintLine(std::string_view text);
  void DrawProgress(bool force);
  void ClearProgress();

  bool show_progress_;
  std::FILE* out_;
  bool progress_drawn_ = false;
  size_t file_index_ = 0;
  size_t file_count_ = 0;
  size_t files_ = 0;
  std::string file_;
  bool splitting_ = false;  // the steps count lines being split, not sentences tagged
  int sentence_max_ = 0;
  int sentence_steps_ = 0;
  std::chrono::steady_clock::time_point last_draw_{};
};

}  // namespace quillon

#endif  // QUILLON_CLI_STDERR_OBSERVER_H_
