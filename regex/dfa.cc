// Subset construction. The DFA states are processed in creation order; for each, the
// targets of its NFA states' labelled transitions are gathered per piece of the code
// space, closed over empty transitions and registered as a DFA state (an equal NFA state
// set is the same state). Cutting the labels here, rather than trusting that leaf ranges
// are disjoint, also covers "^" and "$" where they stand for their own characters inside
// a range.
// Tested by matcher_test.cc and posix_differential_test.cc.
#include "regex/dfa.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

#include "regex/regexp_error.h"

namespace quillon {
namespace {

// The NFA state sets of a construction together may use at most this much memory.
constexpr size_t kMaxSetBytes = size_t{64} << 20;

static_assert(TRE_DFA::kMaxStates < 32767, "byte table entries are int16_t");

// Adds to set every state reachable from its members through empty transitions.
void Close(const TRE_NFA& nfa, TRE_NFAStateSet* set, std::vector<int>* stack) {
  stack->clear();
  set->ForEach([stack](int state) { stack->push_back(state); });
  while (!stack->empty()) {
    const int state = stack->back();
    stack->pop_back();
    for (const NfaTransition& t : nfa.Transitions(state)) {
      if (t.IsEmpty() && !set->Contains(t.target)) {
        set->Add(t.target);
        stack->push_back(t.target);
      }
    }
  }
}

// One subset construction: fills the accepting flags, the transitions and the index of
// each state's first transition of a TRE_DFA.
//
// The labels of all NFA transitions are cut once, at every range boundary among them,
// into pieces: runs of codes that every label either covers entirely or not at all. Each
// labelled transition then covers a run of pieces. Expanding a DFA state gathers, per
// piece, the targets of its NFA states' transitions; each piece leads to the closure of
// its targets, and neighbouring pieces with the same targets share one transition.
class SubsetConstruction {
 public:
  SubsetConstruction(const TRE_NFA& nfa, std::vector<uint8_t>* accepting,
                     std::vector<DfaTransition>* transitions, std::vector<int>* first_transition)
      : nfa_(nfa),
        accepting_(*accepting),
        transitions_(*transitions),
        first_transition_(*first_transition) {
    CutLabels();
  }

  void Run() {
    TRE_NFAStateSet initial(nfa_.StateCount());
    initial.Add(TRE_NFA::kStart);
    Close(nfa_, &initial, &stack_);
    Register(initial);
    for (size_t state = 0; state < sets_.size(); ++state) {
      first_transition_.push_back(static_cast<int>(transitions_.size()));
      Expand(state);
    }
    first_transition_.push_back(static_cast<int>(transitions_.size()));
  }

 private:
  // A labelled NFA transition as the pieces [first, last) it covers.
  struct PieceTransition {
    uint32_t first;
    uint32_t last;
    int target;
  };

  void CutLabels() {
    for (int s = 0; s < nfa_.StateCount(); ++s) {
      for (const NfaTransition& t : nfa_.Transitions(s)) {
        if (t.IsEmpty()) continue;
        cuts_.push_back(t.low);
        cuts_.push_back(uint32_t{t.high} + 1);
      }
    }
    std::sort(cuts_.begin(), cuts_.end());
    cuts_.erase(std::unique(cuts_.begin(), cuts_.end()), cuts_.end());
    auto piece_of = [this](uint32_t code) {
      return static_cast<uint32_t>(std::lower_bound(cuts_.begin(), cuts_.end(), code) -
                                   cuts_.begin());
    };
    by_state_.resize(nfa_.StateCount());
    for (int s = 0; s < nfa_.StateCount(); ++s) {
      for (const NfaTransition& t : nfa_.Transitions(s)) {
        if (t.IsEmpty()) continue;
        by_state_[s].push_back({piece_of(t.low), piece_of(uint32_t{t.high} + 1), t.target});
      }
    }
    piece_sets_.resize(cuts_.empty() ? 0 : cuts_.size() - 1);
    piece_used_.assign(piece_sets_.size(), 0);
  }

  // The DFA state of set: the existing one with an equal set, or a new one.
  int Register(const TRE_NFAStateSet& set) {
    const size_t hash = set.Hash();
    for (auto [it, end] = by_hash_.equal_range(hash); it != end; ++it) {
      if (sets_[it->second] == set) return it->second;
    }
    set_bytes_ += set.ByteSize();
    if (static_cast<int>(sets_.size()) >= TRE_DFA::kMaxStates || set_bytes_ > kMaxSetBytes) {
      throw ERegExpParser(regexp_messages::kTooComplex, 0);
    }
    const int id = static_cast<int>(sets_.size());
    accepting_.push_back(set.Contains(TRE_NFA::kFinal) ? 1 : 0);
    sets_.push_back(set);
    by_hash_.emplace(hash, id);
    return id;
  }

  // Makes the transitions of one DFA state, in ascending order of codes.
  void Expand(size_t state) {
    used_.clear();
    sets_[state].ForEach([this](int s) {
      for (const PieceTransition& t : by_state_[s]) {
        for (uint32_t k = t.first; k < t.last; ++k) {
          if (!piece_used_[k]) {
            piece_used_[k] = 1;
            used_.push_back(k);
            if (!piece_sets_[k]) piece_sets_[k].emplace(nfa_.StateCount());
            piece_sets_[k]->Clear();
          }
          piece_sets_[k]->Add(t.target);
        }
      }
    });
    std::sort(used_.begin(), used_.end());
    int target = -1;
    for (size_t i = 0; i < used_.size(); ++i) {
      const uint32_t k = used_[i];
      if (i == 0 || used_[i - 1] + 1 != k || !(*piece_sets_[k] == *piece_sets_[k - 1])) {
        closure_ = *piece_sets_[k];
        Close(nfa_, &closure_, &stack_);
        target = Register(closure_);
      }
      AddTransition(static_cast<uint16_t>(cuts_[k]), static_cast<uint16_t>(cuts_[k + 1] - 1),
                    target);
    }
    for (uint32_t k : used_) piece_used_[k] = 0;
  }

  // Appends a transition of the state being expanded, merged with the previous one when
  // they are adjacent and lead to the same state.
  void AddTransition(uint16_t low, uint16_t high, int target) {
    if (static_cast<int>(transitions_.size()) > first_transition_.back() &&
        transitions_.back().target == target && transitions_.back().high + 1 == low) {
      transitions_.back().high = high;
    } else {
      transitions_.push_back({low, high, target});
    }
  }

  const TRE_NFA& nfa_;
  std::vector<uint8_t>& accepting_;
  std::vector<DfaTransition>& transitions_;
  std::vector<int>& first_transition_;
  std::vector<TRE_NFAStateSet> sets_;  // per DFA state; dropped with the construction
  std::unordered_multimap<size_t, int> by_hash_;
  size_t set_bytes_ = 0;
  std::vector<uint32_t> cuts_;                          // piece k is cuts_[k]..cuts_[k+1]-1
  std::vector<std::vector<PieceTransition>> by_state_;  // per NFA state
  // Scratch space reused from state to state.
  std::vector<std::optional<TRE_NFAStateSet>> piece_sets_;
  std::vector<uint8_t> piece_used_;
  std::vector<uint32_t> used_;
  TRE_NFAStateSet closure_{0};
  std::vector<int> stack_;
};

}  // namespace

size_t TRE_NFAStateSet::Hash() const {
  uint64_t h = 0xcbf29ce484222325u;
  for (uint64_t w : words_) h = (h ^ w) * 0x100000001b3u;
  return static_cast<size_t>(h ^ h >> 29);
}

TRE_DFA::TRE_DFA(const TRE_NFA& nfa)
    : has_line_start_(nfa.HasLineStart()), has_line_end_(nfa.HasLineEnd()) {
  Build(nfa);
  BuildByteTable();
}

void TRE_DFA::Build(const TRE_NFA& nfa) {
  SubsetConstruction(nfa, &accepting_, &transitions_, &first_transition_).Run();
}

void TRE_DFA::BuildByteTable() {
  std::array<bool, 256> starts_class{};
  starts_class[0] = true;
  for (const DfaTransition& t : transitions_) {
    if (t.low < 256) starts_class[t.low] = true;
    if (t.high < 255) starts_class[t.high + 1] = true;
  }
  class_count_ = 0;
  for (int b = 0; b < 256; ++b) {
    if (starts_class[b]) ++class_count_;
    byte_class_[b] = static_cast<uint8_t>(class_count_ - 1);
  }
  byte_table_.assign(static_cast<size_t>(StateCount()) * class_count_, -1);
  for (int state = 0; state < StateCount(); ++state) {
    int16_t* row = &byte_table_[static_cast<size_t>(state) * class_count_];
    for (const DfaTransition& t : Transitions(state)) {
      if (t.low > 255) break;
      for (int b = t.low; b <= std::min<int>(t.high, 255); ++b) {
        row[byte_class_[b]] = static_cast<int16_t>(t.target);
      }
    }
  }
  int start_bytes = 0;
  for (int b = 0; b < 256; ++b) {
    stops_start_scan_[b] = b == 0 || Step(kInitial, static_cast<uint16_t>(b)) >= 0;
    if (b != 0 && stops_start_scan_[b]) {
      ++start_bytes;
      only_start_byte_ = b;
    }
  }
  if (start_bytes != 1) only_start_byte_ = -1;
}

int TRE_DFA::StepSlow(int state, uint16_t code) const {
  const std::span<const DfaTransition> ts = Transitions(state);
  auto it = std::upper_bound(ts.begin(), ts.end(), code,
                             [](uint16_t c, const DfaTransition& t) { return c < t.low; });
  if (it == ts.begin()) return -1;
  --it;
  return it->high >= code ? it->target : -1;
}

}  // namespace quillon
