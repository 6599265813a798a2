// Generates the NFA from the parse tree, walking it with an explicit stack: a long
// sequence nests to the left as deep as it is long, deeper than a call stack should go.
// "^" is an anchor only when it leaves the start state (nothing can come before it) and
// "$" only when it enters the final state; elsewhere they are their own characters.
// Leaf codes above kMaxCharCode (written as escapes) name no character of any text, so
// they are cut off here: the symbols above them stay reserved for the automaton.
// Tested by matcher_test.cc and posix_differential_test.cc.
#include "regex/nfa.h"

#include <algorithm>
#include <stdexcept>

#include "regex/code_page.h"
#include "regex/regexp_error.h"

namespace quillon {
namespace {

// Bounds that keep a pathological pattern (nested "+" doubles the automaton per level)
// from exhausting memory.
constexpr int kMaxStates = 100000;
constexpr int kMaxTransitions = 1000000;

struct Job {
  int node;
  int from;
  int to;
};

}  // namespace

TRE_NFA::TRE_NFA(const TREParseTree& tree) {
  NewState();  // kStart
  NewState();  // kFinal
  GenerateStateList(tree, tree.root(), kStart, kFinal);
}

int TRE_NFA::NewState() {
  if (static_cast<int>(states_.size()) >= kMaxStates) {
    throw ERegExpParser(regexp_messages::kTooComplex, 0);
  }
  states_.emplace_back();
  return static_cast<int>(states_.size()) - 1;
}

void TRE_NFA::AddTransition(int from, uint16_t low, uint16_t high, int to) {
  if (++transition_count_ > kMaxTransitions) {
    throw ERegExpParser(regexp_messages::kTooComplex, 0);
  }
  states_[from].push_back({low, high, to});
}

void TRE_NFA::GenerateStateList(const TREParseTree& tree, int root, int from, int to) {
  std::vector<Job> stack = {{root, from, to}};
  while (!stack.empty()) {
    const Job job = stack.back();
    stack.pop_back();
    const ParseNode& n = tree.node(job.node);
    switch (n.op) {
      case NodeOp::kLeaf:
        if (n.low <= kMaxCharCode) {
          AddTransition(job.from, n.low, std::min(n.high, kMaxCharCode), job.to);
        }
        break;
      case NodeOp::kLineStart:
      case NodeOp::kLineEnd: {
        const bool start = n.op == NodeOp::kLineStart;
        uint16_t label = n.written;
        if (start ? job.from == kStart : job.to == kFinal) {
          (start ? has_line_start_ : has_line_end_) = true;
          label = start ? kStartOfLineSymbol : kEndOfLineSymbol;
        }
        AddTransition(job.from, label, label, job.to);
        break;
      }
      case NodeOp::kConcat: {
        const int middle = NewState();
        stack.push_back({n.right, middle, job.to});
        stack.push_back({n.left, job.from, middle});
        break;
      }
      case NodeOp::kUnion:
        stack.push_back({n.right, job.from, job.to});
        stack.push_back({n.left, job.from, job.to});
        break;
      case NodeOp::kStar: {
        const int loop_in = NewState();
        const int loop_out = NewState();
        AddTransition(job.from, kEmptySymbol, kEmptySymbol, loop_in);
        AddTransition(loop_out, kEmptySymbol, kEmptySymbol, loop_in);
        AddTransition(loop_in, kEmptySymbol, kEmptySymbol, job.to);
        stack.push_back({n.left, loop_in, loop_out});
        break;
      }
      case NodeOp::kEmpty:
        AddTransition(job.from, kEmptySymbol, kEmptySymbol, job.to);
        break;
      case NodeOp::kNothing:
        break;
      default:
        throw std::logic_error("This cannot happen in TRE_NFA.GenerateStateList");
    }
  }
}

}  // namespace quillon
