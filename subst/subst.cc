// The substitution library over PCRE2. Patterns are compiled for 8-bit code units without
// UTF, so the text may hold any bytes (Latin-1, Shift-JIS, broken UTF-8) and no check is
// made. PCRE2 reads the pattern syntax itself; unknown escapes such as "\y" stand for the
// letter, as in Perl. A pattern is JIT-compiled when the platform allows and falls back
// to the interpreter otherwise.
//
// Global substitution follows Perl: after an empty match at p the next match may not be
// empty at p, so it is tried anchored at p without the empty match; when that fails the
// search moves on one byte. The result is appended piecewise, so a substitution costs
// time linear in text and result. PCRE2's own limits (match count, depth, heap, JIT
// stack) bound the work of one match; exceeding them is an error, never a crash.
// Tested by substituter_test.cc and perl_differential_test.cc.
#include "subst/subst.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstdint>

#include "subst/command_parser.h"

namespace quillon {
namespace {

constexpr uint32_t kMatchLimit = 10'000'000;  // PCRE2's default, stated here on purpose
constexpr uint32_t kDepthLimit = 10'000'000;
constexpr uint32_t kHeapLimitKiB = 256 * 1024;  // backtracking memory of one match
constexpr size_t kJitStackStart = 32 * 1024;
constexpr size_t kJitStackMax = 8 * 1024 * 1024;

std::string ErrorText(int code) {
  PCRE2_UCHAR buffer[256];
  const int length = pcre2_get_error_message(code, buffer, sizeof buffer);
  if (length < 0) return "PCRE2 error " + std::to_string(code);
  return std::string(reinterpret_cast<const char*>(buffer), static_cast<size_t>(length));
}

// PCRE2 10.42 may take the first byte of a positive lookahead both as the first byte of a
// match and as a byte required later in it, so "(?=a)x?a" misses the "a" of "ba". Patterns
// that may hold a positive lookahead are therefore matched without the start-up
// optimisations (a plain scan: slower, never wrong).
bool MayHoldPositiveLookahead(std::string_view pattern) {
  return pattern.find("(?=") != std::string_view::npos ||
         pattern.find("(*") != std::string_view::npos;
}

uint32_t CompileOptions(const SubstCommand& command) {
  // (*UTF) or (*UCP) at the start of a pattern would switch on UTF checks of the text.
  uint32_t options = PCRE2_NEVER_UTF | PCRE2_NEVER_UCP;
  if (MayHoldPositiveLookahead(command.pattern)) options |= PCRE2_NO_START_OPTIMIZE;
  if (command.caseless) options |= PCRE2_CASELESS;
  if (command.multiline) options |= PCRE2_MULTILINE;
  if (command.dotall) options |= PCRE2_DOTALL;
  if (command.extended == 1) options |= PCRE2_EXTENDED;
  if (command.extended >= 2) options |= PCRE2_EXTENDED_MORE;
  return options;
}

}  // namespace

class SubstPattern {
 public:
  // Parses and compiles command; returns null with *error set on failure.
  static SubstPattern* Compile(std::string_view command, std::string* error);
  ~SubstPattern();
  SubstPattern(const SubstPattern&) = delete;
  SubstPattern& operator=(const SubstPattern&) = delete;

  bool Apply(std::string_view text, std::string* result, std::string* error);
  const std::string& command() const { return command_; }

 private:
  SubstPattern() = default;
  int Match(std::string_view text, size_t offset, uint32_t options);
  void AppendReplacement(std::string_view text, int pairs, std::string* result) const;

  std::string command_;
  SubstCommand parsed_;
  pcre2_code* code_ = nullptr;
  pcre2_match_data* match_data_ = nullptr;
  pcre2_match_context* match_context_ = nullptr;
  pcre2_jit_stack* jit_stack_ = nullptr;
};

SubstPattern* SubstPattern::Compile(std::string_view command, std::string* error) {
  SubstCommand parsed;
  if (!ParseSubstCommand(command, &parsed, error)) return nullptr;

  pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
  if (context == nullptr) {
    *error = "Out of memory compiling the substitution";
    return nullptr;
  }
  pcre2_set_compile_extra_options(context, PCRE2_EXTRA_BAD_ESCAPE_IS_LITERAL);
  pcre2_set_newline(context, PCRE2_NEWLINE_LF);
  int code = 0;
  PCRE2_SIZE offset = 0;
  pcre2_code* compiled =
      pcre2_compile(reinterpret_cast<PCRE2_SPTR>(parsed.pattern.data()), parsed.pattern.size(),
                    CompileOptions(parsed), &code, &offset, context);
  pcre2_compile_context_free(context);
  if (compiled == nullptr) {
    *error = ErrorText(code) + " at offset " + std::to_string(offset) + " of the pattern";
    return nullptr;
  }

  SubstPattern* pattern = new SubstPattern;
  pattern->command_.assign(command);
  pattern->parsed_ = std::move(parsed);
  pattern->code_ = compiled;
  // A pattern the JIT cannot take is still matched, by the interpreter.
  pcre2_jit_compile(compiled, PCRE2_JIT_COMPLETE);
  pattern->match_data_ = pcre2_match_data_create_from_pattern(compiled, nullptr);
  pattern->match_context_ = pcre2_match_context_create(nullptr);
  if (pattern->match_data_ == nullptr || pattern->match_context_ == nullptr) {
    delete pattern;
    *error = "Out of memory compiling the substitution";
    return nullptr;
  }
  pcre2_set_match_limit(pattern->match_context_, kMatchLimit);
  pcre2_set_depth_limit(pattern->match_context_, kDepthLimit);
  pcre2_set_heap_limit(pattern->match_context_, kHeapLimitKiB);
  pattern->jit_stack_ = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
  if (pattern->jit_stack_ != nullptr) {
    pcre2_jit_stack_assign(pattern->match_context_, nullptr, pattern->jit_stack_);
  }
  return pattern;
}

SubstPattern::~SubstPattern() {
  pcre2_jit_stack_free(jit_stack_);
  pcre2_match_context_free(match_context_);
  pcre2_match_data_free(match_data_);
  pcre2_code_free(code_);
}

int SubstPattern::Match(std::string_view text, size_t offset, uint32_t options) {
  const auto* subject = reinterpret_cast<PCRE2_SPTR>(text.data());
  int rc = pcre2_match(code_, subject, text.size(), offset, options, match_data_, match_context_);
  // The JIT's stack is bounded separately; the interpreter keeps its frames on the heap
  // and may still finish within the heap limit.
  if (rc == PCRE2_ERROR_JIT_STACKLIMIT) {
    rc = pcre2_match(code_, subject, text.size(), offset, options | PCRE2_NO_JIT, match_data_,
                     match_context_);
  }
  return rc;
}

void SubstPattern::AppendReplacement(std::string_view text, int pairs, std::string* result) const {
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(match_data_);
  for (const ReplacementPiece& piece : parsed_.replacement) {
    if (piece.group == ReplacementPiece::kLiteral) {
      result->append(piece.literal);
      continue;
    }
    if (piece.group >= pairs) continue;  // absent or unset: the empty string
    const PCRE2_SIZE start = ovector[2 * piece.group];
    const PCRE2_SIZE end = ovector[2 * piece.group + 1];
    if (start == PCRE2_UNSET || end < start) continue;
    result->append(text.substr(start, end - start));
  }
}

bool SubstPattern::Apply(std::string_view text, std::string* result, std::string* error) {
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(match_data_);
  size_t offset = 0;  // where the next search starts
  size_t copied = 0;  // text before this is already in *result
  uint32_t options = 0;
  bool substituted = false;
  for (;;) {
    const int rc = Match(text, offset, options);
    if (rc == PCRE2_ERROR_NOMATCH) {
      if (options == 0 || offset >= text.size()) break;
      // No non-empty match at the place of the last empty one: search on from the
      // next byte, where an empty match is allowed again.
      ++offset;
      options = 0;
      continue;
    }
    if (rc < 0) {
      *error = ErrorText(rc);
      return false;
    }
    const size_t start = ovector[0];
    const size_t end = ovector[1];
    if (start < copied || end < start) {
      // Only \K inside a lookaround can do this, and PCRE2 refuses that by default.
      *error = "The match ends before it starts (\\K in an assertion)";
      return false;
    }
    if (!substituted) {
      result->clear();
      result->reserve(text.size());
      substituted = true;
    }
    result->append(text.substr(copied, start - copied));
    AppendReplacement(text, rc, result);
    copied = end;
    if (!parsed_.global) break;
    offset = end;
    options = start == end ? PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED : 0;
  }
  if (substituted) result->append(text.substr(copied));
  return substituted;
}

bool Subst(std::string_view command, std::string_view text, SubstPattern** pattern,
           std::string* result, std::string* error) {
  error->clear();
  if (*pattern == nullptr) {
    *pattern = SubstPattern::Compile(command, error);
    if (*pattern == nullptr) return false;
  }
  return (*pattern)->Apply(text, result, error);
}

void Regfree(SubstPattern* pattern) { delete pattern; }

std::string_view PatternCommand(const SubstPattern& pattern) { return pattern.command(); }

}  // namespace quillon
