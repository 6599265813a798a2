// Escaping control bytes for the terminal. Tested by fault_e2e_test.cc.
#include "cli/terminal_text.h"

#include <cstdio>

namespace quillon {
namespace {

void AppendEscaped(unsigned char byte, std::string* out) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "\\x%02X", byte);
  *out += hex;
}

}  // namespace

std::string EscapeForTerminal(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const bool c1 = c == 0xC2 && i + 1 < text.size() &&
                    static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (c1) {  // a C1 control in UTF-8 (U+009B is a one-character escape sequence)
      AppendEscaped(c, &out);
      AppendEscaped(static_cast<unsigned char>(text[++i]), &out);
    } else if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F) {
      AppendEscaped(c, &out);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace quillon
