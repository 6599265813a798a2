// Escaping for JSON and XML, and single-field text. Tested by format_writer_test.cc.
#include "core/markup_escape.h"

#include "core/unicode_class.h"

namespace quillon {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// Calls plain(run) for each run of printable ASCII and special(c, bytes) for every other
// character (bytes is its UTF-8 form, or the stray byte for kInvalidByte).
template <typename Plain, typename Special>
void ForEachPiece(std::string_view text, bool (*is_plain)(unsigned char), Plain&& plain,
                  Special&& special) {
  size_t i = 0;
  while (i < text.size()) {
    size_t run = i;
    while (run < text.size() && is_plain(static_cast<unsigned char>(text[run]))) ++run;
    if (run > i) plain(text.substr(i, run - i));
    if (run == text.size()) break;
    const DecodedChar c = DecodeUtf8At(text, run);
    special(c.code, text.substr(run, c.length));
    i = run + c.length;
  }
}

bool JsonPlain(unsigned char c) { return c >= 0x20 && c < 0x80 && c != '"' && c != '\\'; }

bool XmlPlain(unsigned char c) {
  return c >= 0x20 && c < 0x80 && c != '&' && c != '<' && c != '>' && c != '"' && c != '\'';
}

}  // namespace

size_t AppendJsonEscaped(std::string_view text, std::string* out) {
  size_t replaced = 0;
  ForEachPiece(
      text, JsonPlain, [&](std::string_view run) { out->append(run); },
      [&](char32_t code, std::string_view bytes) {
        switch (code) {
          case '"':
            out->append("\\\"");
            return;
          case '\\':
            out->append("\\\\");
            return;
          case '\n':
            out->append("\\n");
            return;
          case '\r':
            out->append("\\r");
            return;
          case '\t':
            out->append("\\t");
            return;
        }
        if (code == kInvalidByte) {
          out->append(kReplacement);
          ++replaced;
        } else if (code < 0x20) {
          static constexpr char kHex[] = "0123456789abcdef";
          out->append("\\u00");
          out->push_back(kHex[code >> 4]);
          out->push_back(kHex[code & 15]);
        } else {
          out->append(bytes);
        }
      });
  return replaced;
}

size_t AppendXmlEscaped(std::string_view text, std::string* out) {
  size_t replaced = 0;
  ForEachPiece(
      text, XmlPlain, [&](std::string_view run) { out->append(run); },
      [&](char32_t code, std::string_view bytes) {
        switch (code) {
          case '&':
            out->append("&amp;");
            return;
          case '<':
            out->append("&lt;");
            return;
          case '>':
            out->append("&gt;");
            return;
          case '"':
            out->append("&quot;");
            return;
          case '\'':
            out->append("&apos;");
            return;
          case '\t':
            out->append("&#9;");
            return;
          case '\n':
            out->append("&#10;");
            return;
          case '\r':
            out->append("&#13;");
            return;
        }
        if (code == kInvalidByte || code < 0x20 || code == 0xFFFE || code == 0xFFFF) {
          out->append(kReplacement);
          ++replaced;
        } else {
          out->append(bytes);
        }
      });
  return replaced;
}

void AppendOneField(std::string_view text, std::string* out) {
  for (const char c : text) out->push_back(c == '\t' || c == '\n' || c == '\r' ? ' ' : c);
}

}  // namespace quillon
