// The command parser. The pattern and the replacement end at the first slash that is not
// escaped by a backslash; a backslash always takes the next byte with it, so "\\/" ends a
// part with a backslash. Tested by command_parser_test.cc.
#include "subst/command_parser.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace quillon {
namespace {

constexpr char kDelimiter = '/';
// Group numbers beyond this name no group of any pattern PCRE2 can compile; they are
// kept as "absent" instead of overflowing.
constexpr int kMaxGroupNumber = 1 << 20;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsOctal(char c) { return c >= '0' && c <= '7'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Finds the end of one part that starts at pos: the index of its closing slash, or npos.
size_t FindDelimiter(std::string_view command, size_t pos) {
  while (pos < command.size()) {
    if (command[pos] == '\\') {
      pos += 2;
    } else if (command[pos] == kDelimiter) {
      return pos;
    } else {
      ++pos;
    }
  }
  return std::string_view::npos;
}

// Builds the replacement program, merging adjacent literal bytes.
class ReplacementBuilder {
 public:
  explicit ReplacementBuilder(std::vector<ReplacementPiece>* pieces) : pieces_(pieces) {
    pieces_->clear();
  }

  void Byte(char c) {
    if (pieces_->empty() || pieces_->back().group != ReplacementPiece::kLiteral) {
      pieces_->push_back(ReplacementPiece{});
    }
    pieces_->back().literal.push_back(c);
  }
  void Group(int group) {
    ReplacementPiece piece;
    piece.group = group;
    pieces_->push_back(std::move(piece));
  }

 private:
  std::vector<ReplacementPiece>* pieces_;
};

// Reads a braced number "{...}" of the given base at text[*pos] (just after the '{').
// Returns false with *error set when it is not closed, holds a foreign digit or is
// more than a byte.
bool ReadBracedByte(std::string_view text, size_t* pos, int base, char escape, char* byte,
                    std::string* error) {
  uint32_t value = 0;
  for (size_t i = *pos; i < text.size(); ++i) {
    if (text[i] == '}') {
      *byte = static_cast<char>(value);
      *pos = i + 1;
      return true;
    }
    const int digit = HexValue(text[i]);
    if (digit < 0 || digit >= base) {
      *error = std::string("Non-") + (base == 16 ? "hex" : "octal") + " character in \\" + escape +
               "{...} of the replacement";
      return false;
    }
    value = value * base + digit;
    if (value > 0xFF) {
      *error =
          std::string("Character code beyond one byte in \\") + escape + "{...} of the replacement";
      return false;
    }
  }
  *error = std::string("Missing right brace on \\") + escape + "{}";
  return false;
}

// The escapes that name one control byte ("\t" is a tab); 0 for any other letter.
char NamedControl(char c) {
  static constexpr std::pair<char, char> kNamed[] = {{'t', '\t'}, {'n', '\n'}, {'r', '\r'},
                                                     {'f', '\f'}, {'a', '\a'}, {'e', '\x1B'}};
  for (const auto& [name, byte] : kNamed) {
    if (name == c) return byte;
  }
  return 0;
}

// Reads up to max_digits digits of base at text[*pos] into a number.
uint32_t ReadDigits(std::string_view text, size_t* pos, int base, int max_digits, uint32_t value) {
  for (int digits = 0; digits < max_digits && *pos < text.size(); ++digits) {
    const int digit = HexValue(text[*pos]);
    if (digit < 0 || digit >= base) break;
    value = value * base + digit;
    ++*pos;
  }
  return value;
}

// Reads the rest of "\x41", "\x{41}", "\o{101}" or "\cA"; text[*pos] follows the letter.
bool ReadCodedByte(char letter, std::string_view text, size_t* pos, char* byte,
                   std::string* error) {
  const bool braced = *pos < text.size() && text[*pos] == '{';
  if (letter == 'x' && !braced) {
    *byte = static_cast<char>(ReadDigits(text, pos, 16, 2, 0));
    return true;
  }
  if (letter == 'x' || letter == 'o') {
    if (!braced) {
      *error = "Missing braces on \\o{}";
      return false;
    }
    ++*pos;
    return ReadBracedByte(text, pos, letter == 'x' ? 16 : 8, letter, byte, error);
  }
  if (*pos >= text.size()) {
    *error = "Missing control char name in \\c";
    return false;
  }
  char name = text[(*pos)++];
  if (name >= 'a' && name <= 'z') name = static_cast<char>(name - 'a' + 'A');
  *byte = static_cast<char>(name ^ 0x40);
  return true;
}

// Reads the escape after a backslash at text[*pos] (the byte after the backslash).
bool ReadEscape(std::string_view text, size_t* pos, ReplacementBuilder* out, std::string* error) {
  const char c = text[(*pos)++];
  const bool next_is_digit = *pos < text.size() && IsDigit(text[*pos]);
  if (c >= '1' && c <= '9' && !next_is_digit) {
    out->Group(c - '0');  // "\1" in a replacement means "$1"
    return true;
  }
  if (IsOctal(c)) {
    const uint32_t value = ReadDigits(text, pos, 8, 2, c - '0');
    if (value > 0xFF) {
      *error = "Octal escape beyond one byte in the replacement";
      return false;
    }
    out->Byte(static_cast<char>(value));
    return true;
  }
  if (std::string_view("luLUEQFN").find(c) != std::string_view::npos) {
    // Perl gives these a meaning (case changes, quoting, named characters) that this
    // service does not provide; taking them as plain letters would silently differ.
    *error = std::string("\\") + c + " is not supported in the replacement";
    return false;
  }
  char byte = NamedControl(c);
  if (c == 'x' || c == 'o' || c == 'c') {
    if (!ReadCodedByte(c, text, pos, &byte, error)) return false;
  } else if (byte == 0) {
    byte = c;  // a backslash before any other byte stands for that byte
  }
  out->Byte(byte);
  return true;
}

// Reads a group number of decimal digits at text[*pos].
int ReadGroupNumber(std::string_view text, size_t* pos) {
  int group = 0;
  while (*pos < text.size() && IsDigit(text[*pos])) {
    group = group * 10 + (text[(*pos)++] - '0');
    if (group > kMaxGroupNumber) group = kMaxGroupNumber;
  }
  return group;
}

// Reads what follows a dollar sign at text[*pos]: $N, ${N} or $&.
bool ReadDollar(std::string_view text, size_t* pos, ReplacementBuilder* out, std::string* error) {
  if (*pos >= text.size()) {
    *error = "Final $ should be \\$ or $name";
    return false;
  }
  const char c = text[*pos];
  if (IsDigit(c)) {
    out->Group(ReadGroupNumber(text, pos));
    return true;
  }
  if (c == '&') {
    ++*pos;
    out->Group(0);
    return true;
  }
  if (c == '{' && *pos + 1 < text.size() && IsDigit(text[*pos + 1])) {
    size_t p = *pos + 1;
    const int group = ReadGroupNumber(text, &p);
    if (p < text.size() && text[p] == '}') {
      *pos = p + 1;
      out->Group(group);
      return true;
    }
  }
  // In Perl anything else after a dollar sign interpolates a program variable, of which
  // a substitution service has none.
  *error = "Only $N, ${N} and $& can be used in the replacement; write \\$ for a dollar sign";
  return false;
}

bool ParseReplacement(std::string_view text, std::vector<ReplacementPiece>* pieces,
                      std::string* error) {
  ReplacementBuilder out(pieces);
  size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos++];
    if (c == '\\' && pos < text.size()) {
      if (!ReadEscape(text, &pos, &out, error)) return false;
    } else if (c == '$') {
      if (!ReadDollar(text, &pos, &out, error)) return false;
    } else {
      out.Byte(c);
    }
  }
  return true;
}

// The on/off flag a modifier letter sets, or null for any other letter.
bool* FlagFor(char c, SubstCommand* out) {
  switch (c) {
    case 'g':
      return &out->global;
    case 'i':
      return &out->caseless;
    case 'm':
      return &out->multiline;
    case 's':
      return &out->dotall;
    default:
      return nullptr;
  }
}

bool ParseFlags(std::string_view flags, SubstCommand* out, std::string* error) {
  for (char c : flags) {
    if (bool* flag = FlagFor(c, out)) {
      *flag = true;
    } else if (c == 'x') {
      out->extended = std::min(out->extended + 1, 2);
    } else if (std::string_view("erodlupnc").find(c) != std::string_view::npos) {
      // Modifiers Perl knows: evaluation, copying, character sets, capture control.
      *error = std::string("Substitution modifier \"/") + c + "\" is not supported";
      return false;
    } else {
      *error = std::string("Unknown regexp modifier \"/") + c + "\"";
      return false;
    }
  }
  return true;
}

}  // namespace

bool ParseSubstCommand(std::string_view command, SubstCommand* out, std::string* error) {
  *out = SubstCommand{};
  if (command.size() < 2 || command[0] != 's' || command[1] != kDelimiter) {
    *error = "A substitution command has the form s/pattern/replacement/flags";
    return false;
  }
  const size_t pattern_end = FindDelimiter(command, 2);
  if (pattern_end == std::string_view::npos) {
    *error = "Substitution pattern not terminated";
    return false;
  }
  const size_t replacement_end = FindDelimiter(command, pattern_end + 1);
  if (replacement_end == std::string_view::npos) {
    *error = "Substitution replacement not terminated";
    return false;
  }
  out->pattern.assign(command.substr(2, pattern_end - 2));
  return ParseReplacement(command.substr(pattern_end + 1, replacement_end - pattern_end - 1),
                          &out->replacement, error) &&
         ParseFlags(command.substr(replacement_end + 1), out, error);
}

}  // namespace quillon
