// The command parser. The pattern and the replacement end at the first slash that is not
// escaped by a backslash; a backslash always takes the next byte with it, so "\\/" ends a
// part with a backslash. Tested by command_parser_test.cc.
#include "subst/command_parser.h"

#include <cstdint>

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

// Reads the escape after a backslash at text[*pos] (the byte after the backslash).
bool ReadEscape(std::string_view text, size_t* pos, ReplacementBuilder* out, std::string* error) {
  const char c = text[*pos];
  ++*pos;
  const bool next_is_digit = *pos < text.size() && IsDigit(text[*pos]);
  if (c >= '1' && c <= '9' && !next_is_digit) {
    out->Group(c - '0');  // "\1" in a replacement means "$1"
    return true;
  }
  if (IsOctal(c)) {
    uint32_t value = c - '0';
    for (int digits = 1; digits < 3 && *pos < text.size() && IsOctal(text[*pos]); ++digits) {
      value = value * 8 + (text[(*pos)++] - '0');
    }
    if (value > 0xFF) {
      *error = "Octal escape beyond one byte in the replacement";
      return false;
    }
    out->Byte(static_cast<char>(value));
    return true;
  }
  char byte = c;
  switch (c) {
    case 't':
      byte = '\t';
      break;
    case 'n':
      byte = '\n';
      break;
    case 'r':
      byte = '\r';
      break;
    case 'f':
      byte = '\f';
      break;
    case 'a':
      byte = '\a';
      break;
    case 'e':
      byte = '\x1B';
      break;
    case 'x':
      if (*pos < text.size() && text[*pos] == '{') {
        ++*pos;
        if (!ReadBracedByte(text, pos, 16, 'x', &byte, error)) return false;
      } else {
        int value = 0;
        for (int digits = 0; digits < 2 && *pos < text.size() && HexValue(text[*pos]) >= 0;
             ++digits) {
          value = value * 16 + HexValue(text[(*pos)++]);
        }
        byte = static_cast<char>(value);
      }
      break;
    case 'o':
      if (*pos >= text.size() || text[*pos] != '{') {
        *error = "Missing braces on \\o{}";
        return false;
      }
      ++*pos;
      if (!ReadBracedByte(text, pos, 8, 'o', &byte, error)) return false;
      break;
    case 'c': {
      if (*pos >= text.size()) {
        *error = "Missing control char name in \\c";
        return false;
      }
      char name = text[(*pos)++];
      if (name >= 'a' && name <= 'z') name = static_cast<char>(name - 'a' + 'A');
      byte = static_cast<char>(name ^ 0x40);
      break;
    }
    case 'l':
    case 'u':
    case 'L':
    case 'U':
    case 'E':
    case 'Q':
    case 'F':
    case 'N':
      // Perl gives these a meaning (case changes, quoting, named characters) that this
      // service does not provide; taking them as plain letters would silently differ.
      *error = std::string("\\") + c + " is not supported in the replacement";
      return false;
    default:
      break;  // a backslash before any other byte stands for that byte
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

bool ParseFlags(std::string_view flags, SubstCommand* out, std::string* error) {
  for (char c : flags) {
    switch (c) {
      case 'g':
        out->global = true;
        break;
      case 'i':
        out->caseless = true;
        break;
      case 'm':
        out->multiline = true;
        break;
      case 's':
        out->dotall = true;
        break;
      case 'x':
        out->extended = out->extended < 2 ? out->extended + 1 : 2;
        break;
      case 'e':
      case 'r':
      case 'o':
      case 'a':
      case 'd':
      case 'l':
      case 'u':
      case 'p':
      case 'n':
      case 'c':
        *error = std::string("Substitution modifier \"/") + c + "\" is not supported";
        return false;
      default:
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
