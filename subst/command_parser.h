// Parsing of whole substitution commands, "s/pattern/replacement/flags", the way Perl
// reads them. The pattern is kept as written (PCRE2 reads Perl's pattern syntax itself);
// the replacement, a double-quoted string in Perl, is turned into a small program of
// literal bytes and capture-group references so that applying it needs no re-parsing.
// Tested by command_parser_test.cc and fuzzed by subst_fuzzer.cc.
#ifndef QUILLON_SUBST_COMMAND_PARSER_H_
#define QUILLON_SUBST_COMMAND_PARSER_H_

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// One piece of a replacement: literal bytes, or the text of capture group `group`
// (0 is the whole match). An unset or absent group gives the empty string, as in Perl.
struct ReplacementPiece {
  static constexpr int kLiteral = -1;
  int group = kLiteral;
  std::string literal;

  bool operator==(const ReplacementPiece&) const = default;
};

struct SubstCommand {
  std::string pattern;                        // between the first two slashes, escapes untouched
  std::vector<ReplacementPiece> replacement;  // adjacent literals merged
  bool global = false;                        // g: every match, left to right, without overlap
  bool caseless = false;                      // i
  bool multiline = false;                     // m: ^ and $ also at inner line ends
  bool dotall = false;                        // s: . also matches a line feed
  int extended = 0;  // x: 1, xx: 2 (spaces in bracketed classes ignored too)
};

// Parses command into *out. Returns false and sets *error (Perl's wording where Perl
// has one) when the command is malformed or uses what this service does not provide.
bool ParseSubstCommand(std::string_view command, SubstCommand* out, std::string* error);

}  // namespace quillon

#endif  // QUILLON_SUBST_COMMAND_PARSER_H_
