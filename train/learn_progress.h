// How a learner reports progress: one call per rule learned (or per rule pruned), which
// the command line turns into a progress line on a terminal. Library code never prints.
#ifndef QUILLON_TRAIN_LEARN_PROGRESS_H_
#define QUILLON_TRAIN_LEARN_PROGRESS_H_

#include <cstddef>
#include <functional>
#include <string_view>

namespace quillon {

struct LearnProgress {
  std::string_view stage;  // "plain rules", "f-form rules", "contextual rules", "pruning"
  size_t step = 0;         // rules learned (or tried) so far in this stage
  size_t limit = 0;        // the most this stage will do
  int score = 0;           // score of the latest rule
  size_t correct = 0;      // tokens tagged correctly now
  size_t total = 0;        // tokens counted
};

using ProgressCallback = std::function<void(const LearnProgress&)>;

}  // namespace quillon

#endif  // QUILLON_TRAIN_LEARN_PROGRESS_H_
