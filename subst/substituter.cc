// The one-pattern cache in front of the substitution library. Tested by
// substituter_test.cc.
#include "subst/substituter.h"

#include "subst/subst.h"

namespace quillon {

TSubstituter::~TSubstituter() { Regfree(pattern_); }

std::string_view TSubstituter::held_command() const {
  return pattern_ == nullptr ? std::string_view() : PatternCommand(*pattern_);
}

bool TSubstituter::Substitute(std::string_view command, std::string* text) {
  if (pattern_ != nullptr && PatternCommand(*pattern_) != command) {
    Regfree(pattern_);
    pattern_ = nullptr;
  }
  if (text->empty()) return false;
  std::string error;
  const bool substituted = Subst(command, *text, &pattern_, &result_, &error);
  if (!error.empty()) throw ESubstError(error);
  if (substituted) text->swap(result_);
  return substituted;
}

}  // namespace quillon
