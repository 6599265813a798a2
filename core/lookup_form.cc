// Mapping typographic characters onto their ASCII counterparts, one code point at a time,
// with quotation-mark tokens treated as a whole. Tested by lookup_form_test.cc.
#include "core/lookup_form.h"

#include <cstdint>
#include <cstring>

#include "core/unicode_class.h"

namespace quillon {
namespace {

enum class QuoteSide { kNone, kOpening, kClosing };

QuoteSide SideOf(char32_t c) {
  switch (c) {
    case 0x2018:  // ‘
    case 0x201A:  // ‚
    case 0x201B:  // ‛
    case 0x201C:  // “
    case 0x201E:  // „
    case 0x201F:  // ‟
    case 0xAB:    // «
    case 0x2039:  // ‹
    case '`':
      return QuoteSide::kOpening;
    case 0x2019:  // ’
    case 0x201D:  // ”
    case 0xBB:    // »
    case 0x203A:  // ›
    case 0x2033:  // ″
    case '\'':
    case '"':
      return QuoteSide::kClosing;
    default:
      return QuoteSide::kNone;
  }
}

// Whether c is a double mark (“ ” „ « » ″ "), which alone already stands for `` or ''.
bool IsDoubleQuote(char32_t c) {
  return c == 0x201C || c == 0x201D || c == 0x201E || c == 0x201F || c == 0xAB || c == 0xBB ||
         c == 0x2033 || c == '"';
}

// The letters of U+00C0 to U+017F without their accents, two bytes each (a space pads
// single letters); × and ÷ (U+00D7, U+00F7) are no letters and stay.
constexpr std::string_view kUnaccented =
    "A A A A A A AEC E E E E I I I I D N O O O O O   O U U U U Y Thssa a a a a a aec e e e e "
    "i i i i d n o o o o o   o u u u u y thy A a A a A a C c C c C c C c D d D d E e E e E e "
    "E e E e G g G g G g G g H h H h I i I i I i I i I i IJijJ j K k k L l L l L l L l L l N "
    "n N n N n n N n O o O o O o OEoeR r R r R r S s S s S s S s T t T t T t U u U u U u U u "
    "U u U u W w Y y Y Z z Z z Z z s ";

// The ASCII text that code stands for inside a word, or empty when it stays as it is.
std::string_view AsciiFor(char32_t code) {
  if (code >= 0xC0 && code < 0x180) {
    std::string_view letters = kUnaccented.substr(2 * (code - 0xC0), 2);
    if (letters[1] == ' ') letters.remove_suffix(1);
    return letters[0] == ' ' ? std::string_view() : letters;
  }
  switch (code) {
    case 0x2018:  // ‘ ’ ‛ ′ ʼ
    case 0x2019:
    case 0x201B:
    case 0x2032:
    case 0x02BC:
      return "'";
    case 0x201C:  // “ ” „ ‟ ″
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x2033:
      return "\"";
    case 0x201A:  // ‚
      return ",";
    case 0xAB:  // «
      return "<<";
    case 0xBB:  // »
      return ">>";
    case 0x2039:  // ‹
      return "<";
    case 0x203A:  // ›
      return ">";
    case 0x2010:  // ‐ ‑ ‒ – — ― −: the em dash too, since the shipped lexicons know
    case 0x2011:  // "-" far better than "--" (GUM dev: 93.92% against 93.81% tag F1)
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212:
      return "-";
    case 0x2026:  // …
      return "...";
    case 0x2022:  // • · ‧ ∙
    case 0xB7:
    case 0x2027:
    case 0x2219:
      return "*";
    case 0xA2:  // ¢ £ ¥ € ₹
    case 0xA3:
    case 0xA5:
    case 0x20AC:
    case 0x20B9:
      return "$";
    case 0x2044:  // ⁄
      return "/";
    default:
      return {};
  }
}

// A token of quotation marks only: `` or '' (or ` and ' for one single mark).
bool AppendQuoteForm(std::string_view token, std::string* out) {
  QuoteSide side = QuoteSide::kNone;
  size_t marks = 0;
  bool double_mark = false;
  for (size_t i = 0; i < token.size();) {
    const DecodedChar d = DecodeUtf8At(token, i);
    const QuoteSide s = SideOf(d.code);
    if (s == QuoteSide::kNone) return false;
    if (side == QuoteSide::kNone) side = s;
    double_mark = double_mark || IsDoubleQuote(d.code);
    ++marks;
    i += d.length;
  }
  const bool twice = double_mark || marks > 1;
  if (side == QuoteSide::kOpening) {
    out->append(twice ? "``" : "`");
  } else {
    out->append(twice ? "''" : "'");
  }
  return true;
}

}  // namespace

bool HasNonAscii(std::string_view token) {
  // Eight bytes at a time: a sentence's worth of ASCII costs a few instructions a word.
  size_t i = 0;
  for (; i + 8 <= token.size(); i += 8) {
    uint64_t bytes;
    std::memcpy(&bytes, token.data() + i, 8);
    if (bytes & 0x8080808080808080u) return true;
  }
  for (; i < token.size(); ++i) {
    if (static_cast<unsigned char>(token[i]) >= 0x80) return true;
  }
  return false;
}

bool AppendLookupForm(std::string_view token, std::string* out) {
  if (!HasNonAscii(token)) return false;
  const size_t start = out->size();
  if (AppendQuoteForm(token, out)) return true;
  bool mapped = false;
  for (size_t i = 0; i < token.size();) {
    const DecodedChar d = DecodeUtf8At(token, i);
    if (const std::string_view ascii = AsciiFor(d.code); !ascii.empty()) {
      out->append(ascii);
      mapped = true;
    } else if (d.code >= 0xFF01 && d.code <= 0xFF5E) {  // full-width ASCII
      out->push_back(static_cast<char>(d.code - 0xFF01 + '!'));
      mapped = true;
    } else {
      out->append(token.substr(i, d.length));
    }
    i += d.length;
  }
  if (!mapped) out->resize(start);
  return mapped;
}

std::span<const std::string_view> QuoteFallbacks(std::string_view form) {
  static constexpr std::string_view kOpening[] = {"`", "\""};
  static constexpr std::string_view kClosing[] = {"'", "\""};
  static constexpr std::string_view kSingle[] = {"'"};
  if (form == "``") return kOpening;
  if (form == "''") return kClosing;
  if (form == "`") return kSingle;
  return {};
}

}  // namespace quillon
