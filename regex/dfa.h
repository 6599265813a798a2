// TRE_DFA: the deterministic automaton, built completely from a TRE_NFA by subset
// construction before any matching. Each state is identified during construction by its
// TRE_NFAStateSet and keeps its transitions sorted by ascending low code, never
// overlapping. For speed, the single-byte codes 0-255 also step through a table indexed
// by byte class (bytes that every transition treats alike share a class), so matching a
// byte costs two loads. Tested by matcher_test.cc and posix_differential_test.cc.
#ifndef QUILLON_REGEX_DFA_H_
#define QUILLON_REGEX_DFA_H_

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "regex/nfa.h"

namespace quillon {

// A set of NFA states as a bit set.
class TRE_NFAStateSet {
 public:
  explicit TRE_NFAStateSet(int state_count) : words_((state_count + 63) / 64) {}

  void Add(int state) { words_[state >> 6] |= uint64_t{1} << (state & 63); }
  void Clear() { std::fill(words_.begin(), words_.end(), 0); }
  bool Contains(int state) const { return words_[state >> 6] >> (state & 63) & 1; }
  bool operator==(const TRE_NFAStateSet& other) const { return words_ == other.words_; }
  size_t Hash() const;
  size_t ByteSize() const { return words_.size() * sizeof(uint64_t); }

  // Calls f(state) for every member in ascending order.
  template <typename F>
  void ForEach(F f) const {
    for (size_t w = 0; w < words_.size(); ++w) {
      for (uint64_t bits = words_[w]; bits != 0; bits &= bits - 1) {
        f(static_cast<int>(w * 64 + __builtin_ctzll(bits)));
      }
    }
  }

 private:
  std::vector<uint64_t> words_;
};

struct DfaTransition {
  uint16_t low;
  uint16_t high;
  int target;
};

class TRE_DFA {
 public:
  static constexpr int kInitial = 0;
  static constexpr int kMaxStates = 10000;

  // Builds the automaton of nfa; raises ERegExpParser (position 0) when it would need more
  // than kMaxStates states or too much memory on the way.
  explicit TRE_DFA(const TRE_NFA& nfa);

  int StateCount() const { return static_cast<int>(accepting_.size()); }
  bool Accepting(int state) const { return accepting_[state] != 0; }
  bool HasLineStart() const { return has_line_start_; }
  bool HasLineEnd() const { return has_line_end_; }
  std::span<const DfaTransition> Transitions(int state) const {
    return {transitions_.data() + first_transition_[state],
            transitions_.data() + first_transition_[state + 1]};
  }

  // Whether a search scanning for a start position must stop at this single-byte
  // character: the initial state steps on it, or it is NUL, which ends a text.
  bool StopsStartScan(unsigned char byte) const { return stops_start_scan_[byte]; }

  // The one byte besides NUL that stops that scan, or -1 when there are more or none; a
  // search can then look for it with memchr.
  int OnlyStartByte() const { return only_start_byte_; }

  // The state reached from state on code, or -1 when there is no step.
  int Step(int state, uint16_t code) const {
    if (code < 256) return byte_table_[state * class_count_ + byte_class_[code]];
    return StepSlow(state, code);
  }

 private:
  void Build(const TRE_NFA& nfa);
  void BuildByteTable();
  int StepSlow(int state, uint16_t code) const;

  std::vector<uint8_t> accepting_;
  std::vector<DfaTransition> transitions_;
  std::vector<int> first_transition_;  // per state, plus one past the last
  std::array<uint8_t, 256> byte_class_{};
  int class_count_ = 1;
  std::vector<int16_t> byte_table_;  // state * class_count_ + class -> state or -1
  std::array<bool, 256> stops_start_scan_{};
  int only_start_byte_ = -1;
  bool has_line_start_ = false;
  bool has_line_end_ = false;
};

}  // namespace quillon

#endif  // QUILLON_REGEX_DFA_H_
