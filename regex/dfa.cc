// Subset construction. The DFA states are processed in creation order; for each, the
// labelled transitions of its NFA states are cut at every range boundary among them, the
// targets of each piece are closed over empty transitions and registered as a DFA state
// (an equal NFA state set is the same state), and neighbouring pieces that lead to the
// same state are merged. Cutting here, rather than trusting that leaf ranges are disjoint,
// also covers "^" and "$" where they stand for their own characters inside a range.
// Tested by matcher_test.cc and posix_differential_test.cc.
#include "regex/dfa.h"

#include <algorithm>
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

// One NFA transition's share of one piece between neighbouring cut points.
struct Piece {
  size_t cut;  // the piece runs from cuts[cut] to cuts[cut + 1] - 1
  int nfa_target;
  bool operator<(const Piece& o) const {
    return cut != o.cut ? cut < o.cut : nfa_target < o.nfa_target;
  }
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
  const int nfa_states = nfa.StateCount();
  std::vector<TRE_NFAStateSet> sets;
  std::unordered_multimap<size_t, int> by_hash;
  size_t set_bytes = 0;
  auto register_set = [&](TRE_NFAStateSet&& set) {
    const size_t hash = set.Hash();
    for (auto [it, end] = by_hash.equal_range(hash); it != end; ++it) {
      if (sets[it->second] == set) return it->second;
    }
    set_bytes += set.ByteSize();
    if (static_cast<int>(sets.size()) >= kMaxStates || set_bytes > kMaxSetBytes) {
      throw ERegExpParser(regexp_messages::kTooComplex, 0);
    }
    const int id = static_cast<int>(sets.size());
    accepting_.push_back(set.Contains(TRE_NFA::kFinal) ? 1 : 0);
    sets.push_back(std::move(set));
    by_hash.emplace(hash, id);
    return id;
  };

  std::vector<int> stack;
  TRE_NFAStateSet initial(nfa_states);
  initial.Add(TRE_NFA::kStart);
  Close(nfa, &initial, &stack);
  register_set(std::move(initial));

  std::vector<NfaTransition> labelled;
  std::vector<uint32_t> cuts;
  std::vector<Piece> pieces;
  for (size_t state = 0; state < sets.size(); ++state) {
    first_transition_.push_back(static_cast<int>(transitions_.size()));
    labelled.clear();
    sets[state].ForEach([&](int s) {
      for (const NfaTransition& t : nfa.Transitions(s)) {
        if (!t.IsEmpty()) labelled.push_back(t);
      }
    });
    if (labelled.empty()) continue;

    cuts.clear();
    for (const NfaTransition& t : labelled) {
      cuts.push_back(t.low);
      cuts.push_back(uint32_t{t.high} + 1);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    pieces.clear();
    for (const NfaTransition& t : labelled) {
      size_t k = std::lower_bound(cuts.begin(), cuts.end(), uint32_t{t.low}) - cuts.begin();
      for (; cuts[k] <= t.high; ++k) pieces.push_back({k, t.target});
    }
    std::sort(pieces.begin(), pieces.end());

    for (size_t i = 0; i < pieces.size();) {
      const size_t cut = pieces[i].cut;
      TRE_NFAStateSet targets(nfa_states);
      for (; i < pieces.size() && pieces[i].cut == cut; ++i) targets.Add(pieces[i].nfa_target);
      Close(nfa, &targets, &stack);
      const int target = register_set(std::move(targets));
      const auto low = static_cast<uint16_t>(cuts[cut]);
      const auto high = static_cast<uint16_t>(cuts[cut + 1] - 1);
      if (static_cast<int>(transitions_.size()) > first_transition_.back() &&
          transitions_.back().target == target && transitions_.back().high + 1 == low) {
        transitions_.back().high = high;
      } else {
        transitions_.push_back({low, high, target});
      }
    }
  }
  first_transition_.push_back(static_cast<int>(transitions_.size()));
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
