// The two search routines. Both try start positions from the left, a double-byte
// character being one step, and take the first that matches; from a start position the
// DFA walk records the last accepting position before it finds no step. The end of the
// text stops a walk without a step, so no pattern (not even one naming code 0) can make a
// walk stand still or read past the end. Tested by matcher_test.cc.
#include "regex/matcher.h"

#include <cstring>

namespace quillon {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

// Walks the DFA from state at pos as far as it steps. Returns the last accepting position
// (kNone if none); leaves in *last the state it stopped in and in *stop the character that
// stopped it (length 0: the end of the text). The code page is a template argument so that
// the single-byte walk compiles to a byte loop.
template <CodePage kCodePage>
size_t Walk(const TRE_DFA& dfa, int state, std::string_view text, size_t* pos, int* last,
            TextChar* stop) {
  size_t end = kNone;
  size_t at = *pos;
  for (;;) {
    if (dfa.Accepting(state)) end = at;
    const TextChar c = ReadTextChar(kCodePage, text, at);
    if (c.length == 0 || dfa.Step(state, c.code) < 0) {
      *stop = c;
      break;
    }
    state = dfa.Step(state, c.code);
    at += c.length;
  }
  *pos = at;
  *last = state;
  return end;
}

// Advances pos, in a text without lead bytes, to the first byte at which a match could
// start or the text could end. Returns false when the text ends at a NUL before any such
// byte.
bool SkipToStart(const TRE_DFA& dfa, std::string_view text, size_t* pos) {
  const int only = dfa.OnlyStartByte();
  if (only < 0) {
    while (*pos < text.size() && !dfa.StopsStartScan(static_cast<unsigned char>(text[*pos]))) {
      ++*pos;
    }
    return true;
  }
  const char* from = text.data() + *pos;
  const size_t left = text.size() - *pos;
  const void* found = std::memchr(from, only, left);
  const size_t span = found ? static_cast<const char*>(found) - from : left;
  if (std::memchr(from, '\0', span) != nullptr) return false;
  *pos += span;
  return true;
}

// The plain search with the code page fixed at compile time.
template <CodePage kCodePage>
bool PlainSearchIn(const TRE_DFA& dfa, std::string_view text, MatchSpan* match) {
  int last;
  TextChar stop;
  if (dfa.Accepting(TRE_DFA::kInitial)) {  // a match, possibly empty, at the very start
    size_t pos = 0;
    *match = {0, Walk<kCodePage>(dfa, TRE_DFA::kInitial, text, &pos, &last, &stop)};
    return true;
  }
  for (size_t pos = 0;;) {
    // Most start positions fail on their first character; only walk from the others.
    // Without lead bytes every byte starts a character, so the scan can skip bytes.
    if constexpr (kCodePage == CodePage::kSingleByte) {
      if (!SkipToStart(dfa, text, &pos)) return false;
    }
    const TextChar c = ReadTextChar(kCodePage, text, pos);
    if (c.length == 0) return false;
    if (dfa.Step(TRE_DFA::kInitial, c.code) >= 0) {
      size_t walked = pos;
      const size_t end = Walk<kCodePage>(dfa, TRE_DFA::kInitial, text, &walked, &last, &stop);
      if (end != kNone) {
        *match = {pos, end};
        return true;
      }
    }
    pos += c.length;
  }
}

}  // namespace

size_t TMatchCORE::Longest(int state, std::string_view text, size_t pos,
                           bool end_of_line_rule) const {
  const TRE_DFA& dfa = Dfa();
  int last;
  TextChar stop;
  const size_t end = code_page() == CodePage::kSingleByte
                         ? Walk<CodePage::kSingleByte>(dfa, state, text, &pos, &last, &stop)
                         : Walk<CodePage::kShiftJis>(dfa, state, text, &pos, &last, &stop);
  if (end_of_line_rule && (stop.length == 0 || EndsLine(stop.code)) &&
      dfa.Step(last, kEndOfLineSymbol) >= 0) {
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
  return code_page() == CodePage::kSingleByte
             ? PlainSearchIn<CodePage::kSingleByte>(Dfa(), text, match)
             : PlainSearchIn<CodePage::kShiftJis>(Dfa(), text, match);
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
