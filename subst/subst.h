// The substitution library: compiles a whole "s/pattern/replacement/flags" command over
// PCRE2 (8-bit code units, no UTF: any bytes are accepted) and applies it to a text with
// Perl's semantics. `Subst` compiles on demand and substitutes; `Regfree` releases what
// it compiled. TSubstituter (substituter.h) is the interface the rest of the program uses.
// Tested by substituter_test.cc and perl_differential_test.cc.
#ifndef QUILLON_SUBST_SUBST_H_
#define QUILLON_SUBST_SUBST_H_

#include <string>
#include <string_view>

namespace quillon {

// A compiled command. It remembers the command text it was compiled from.
class SubstPattern;

// When *pattern is null, compiles command and stores the new pattern there (owned by the
// caller, released with Regfree). Then substitutes the first match of text, or with the
// g flag every match, left to right and without overlap, building *result in time linear
// in the text and the output. Returns whether at least one substitution was made; *result
// is meaningful only then. On failure (a malformed command, a pattern PCRE2 rejects, a
// match that exceeds PCRE2's limits) returns false with *error set to the message;
// *error is left empty otherwise.
bool Subst(std::string_view command, std::string_view text, SubstPattern** pattern,
           std::string* result, std::string* error);

// Releases a pattern made by Subst; null is allowed.
void Regfree(SubstPattern* pattern);

// The command text pattern was compiled from.
std::string_view PatternCommand(const SubstPattern& pattern);

}  // namespace quillon

#endif  // QUILLON_SUBST_SUBST_H_
