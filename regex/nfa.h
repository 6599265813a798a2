// TRE_NFA: the nondeterministic automaton of a parse tree (Thompson's construction). State
// 0 is the start state and state 1 the final state; transitions are labelled with code
// ranges, with kEmptySymbol for an empty transition and kStartOfLineSymbol /
// kEndOfLineSymbol for the anchors. Tested by matcher_test.cc and the differential test.
#ifndef QUILLON_REGEX_NFA_H_
#define QUILLON_REGEX_NFA_H_

#include <cstdint>
#include <vector>

#include "regex/code_page.h"
#include "regex/parse_tree.h"

namespace quillon {

struct NfaTransition {
  uint16_t low;
  uint16_t high;
  int target;

  bool IsEmpty() const { return low == kEmptySymbol; }
};

class TRE_NFA {
 public:
  static constexpr int kStart = 0;
  static constexpr int kFinal = 1;

  // Builds the automaton of tree's root; raises ERegExpParser (position 0) when it would
  // exceed its size bound.
  explicit TRE_NFA(const TREParseTree& tree);

  int StateCount() const { return static_cast<int>(states_.size()); }
  const std::vector<NfaTransition>& Transitions(int state) const { return states_[state]; }
  bool HasLineStart() const { return has_line_start_; }
  bool HasLineEnd() const { return has_line_end_; }

 private:
  int NewState();
  void AddTransition(int from, uint16_t low, uint16_t high, int to);
  void GenerateStateList(const TREParseTree& tree, int node, int from, int to);

  std::vector<std::vector<NfaTransition>> states_;
  int transition_count_ = 0;
  bool has_line_start_ = false;
  bool has_line_end_ = false;
};

}  // namespace quillon

#endif  // QUILLON_REGEX_NFA_H_
