// An observer that keeps the warnings it is told, for tests (and fuzz harnesses) of the
// readers that warn about what they skip.
#ifndef QUILLON_TESTS_CORE_WARNING_LOG_H_
#define QUILLON_TESTS_CORE_WARNING_LOG_H_

#include <string>
#include <string_view>
#include <vector>

#include "core/run_observer.h"

namespace quillon::testing {

class WarningLog : public RunObserver {
 public:
  void Warning(std::string_view text) override { warnings.emplace_back(text); }
  std::vector<std::string> warnings;
};

}  // namespace quillon::testing

#endif  // QUILLON_TESTS_CORE_WARNING_LOG_H_
