// TSubstituter applies whole Perl-style substitution commands ("s/ +$//",
// "s/(a)b/\1\n/g") to byte strings in place. It keeps one compiled pattern: repeating a
// command reuses it, a different command releases it and compiles anew. A caller that
// alternates between a few fixed commands keeps one TSubstituter per command.
// Tested by substituter_test.cc.
#ifndef QUILLON_SUBST_SUBSTITUTER_H_
#define QUILLON_SUBST_SUBSTITUTER_H_

#include <stdexcept>
#include <string>
#include <string_view>

namespace quillon {

class SubstPattern;

// Raised when a command cannot be compiled or a match exceeds the library's limits; the
// message is the library's own text.
class ESubstError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TSubstituter {
 public:
  TSubstituter() = default;
  ~TSubstituter();
  TSubstituter(const TSubstituter&) = delete;
  TSubstituter& operator=(const TSubstituter&) = delete;

  // Applies command to *text. Returns whether a substitution was made; *text is replaced
  // by the result only then. An empty text is left alone without compiling anything.
  // Throws ESubstError; *text is then unchanged.
  bool Substitute(std::string_view command, std::string* text);

  // The command whose compiled pattern is held, or empty when none is held.
  std::string_view held_command() const;

  // Frees the scratch buffer, which after a substitution of a large text holds a copy of
  // that text's old bytes. The compiled pattern is kept.
  void ReleaseScratch() { std::string().swap(result_); }

 private:
  SubstPattern* pattern_ = nullptr;  // the compiled-pattern cache, released by Regfree
  std::string result_;               // scratch for the substituted text, reused
};

}  // namespace quillon

#endif  // QUILLON_SUBST_SUBSTITUTER_H_
