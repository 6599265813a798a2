// One progress line on standard error, rewritten in place while a learner works, and only
// when standard error is a terminal (a log file gets no carriage returns).
#ifndef QUILLON_CLI_PROGRESS_LINE_H_
#define QUILLON_CLI_PROGRESS_LINE_H_

#include <chrono>
#include <cstdio>

#include "train/learn_progress.h"

namespace quillon {

class ProgressLine {
 public:
  // enabled: draw at all (the caller checks for a terminal and for --quiet).
  explicit ProgressLine(bool enabled, std::FILE* out = stderr);
  ~ProgressLine();

  void Update(const LearnProgress& progress);
  // Removes the line, so that the next output starts on a clean line.
  void Clear();

  // A callback for the learners, drawing on this line.
  ProgressCallback Callback() {
    return [this](const LearnProgress& progress) { Update(progress); };
  }

 private:
  bool enabled_;
  std::FILE* out_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace quillon

#endif  // QUILLON_CLI_PROGRESS_LINE_H_
