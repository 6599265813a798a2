// The two search routines. Both try start positions from the left, a double-byte
// character being one step, and take the first that matches; from a start position the
// DFA walk records the last accepting position before it finds no step. The end of the
// text stops a walk without a step, so no pattern (not even one naming code 0) can make a
// walk stand still or read past the end. Tested by matcher_test.cc.
#include "regex/matcher.h"

namespace quillon {

size_t TMatchCORE::Longest(int state, std::string_view text, size_t pos,
                           bool end_of_line_rule) const {
  const TRE_DFA& dfa = Dfa();
  const CodePage cp = code_page();
  size_t end = kNone;
  TextChar c;
  for (;;) {
    if (dfa.Accepting(state)) end = pos;
    c = ReadTextChar(cp, text, pos);
    if (c.length == 0) break;
    const int next = dfa.Step(state, c.code);
    if (next < 0) break;
    state = next;
    pos += c.length;
  }
  if (end_of_line_rule && (c.length == 0 || EndsLine(c.code)) &&
      dfa.Step(state, kEndOfLineSymbol) >= 0) {
    return pos;
  }
  return end;
}

size_t TMatchCORE::LongestAtLineStart(std::string_view text, size_t pos) const {
  const TRE_DFA& dfa = Dfa();
  if (!dfa.HasLineStart()) return Longest(TRE_DFA::kInitial, text, pos, true);
  const int after_anchor = dfa.Step(TRE_DFA::kInitial, kStartOfLineSymbol);
  if (after_anchor < 0) return kNone;
  const size_t anchored = Longest(after_anchor, text, pos, true);
  if (anchored == kNone) return kNone;
  const size_t unanchored = Longest(TRE_DFA::kInitial, text, pos, true);
  return unanchored != kNone && unanchored > anchored ? unanchored : anchored;
}

bool TMatchCORE::PlainSearch(std::string_view text, MatchSpan* match) const {
  const TRE_DFA& dfa = Dfa();
  const CodePage cp = code_page();
  if (dfa.Accepting(TRE_DFA::kInitial)) {  // a match, possibly empty, at the very start
    *match = {0, Longest(TRE_DFA::kInitial, text, 0, false)};
    return true;
  }
  for (size_t pos = 0;;) {
    const TextChar c = ReadTextChar(cp, text, pos);
    if (c.length == 0) return false;
    // Most start positions fail on their first character; only walk from the others.
    if (dfa.Step(TRE_DFA::kInitial, c.code) >= 0) {
      const size_t end = Longest(TRE_DFA::kInitial, text, pos, false);
      if (end != kNone) {
        *match = {pos, end};
        return true;
      }
    }
    pos += c.length;
  }
}

bool TMatchCORE::AnchoredSearch(std::string_view text, MatchSpan* match) const {
  const TRE_DFA& dfa = Dfa();
  const CodePage cp = code_page();
  size_t end = LongestAtLineStart(text, 0);
  if (end != kNone) {
    *match = {0, end};
    return true;
  }
  // The end of the text is the last start position: there "$" matches, and so does a
  // pattern that matches the empty string, also in the empty text.
  for (size_t pos = 0;;) {
    end = Longest(TRE_DFA::kInitial, text, pos, true);
    if (end != kNone) {
      *match = {pos, end};
      return true;
    }
    const TextChar c = ReadTextChar(cp, text, pos);
    if (c.length == 0) return false;
    pos += c.length;
    if (c.code == '\n' && dfa.HasLineStart()) {
      end = LongestAtLineStart(text, pos);
      if (end != kNone) {
        *match = {pos, end};
        return true;
      }
    }
  }
}

}  // namespace quillon
