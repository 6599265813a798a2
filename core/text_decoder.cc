// Byte order marks, UTF-16 and the single-byte code pages. Tested by text_decoder_test.cc.
#include "core/text_decoder.h"

#include "core/ascii.h"

namespace quillon {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Windows-1252 at 0x80 to 0x9F; the five bytes it leaves undefined keep the C1 control of
// their value, as browsers read them.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsHighSurrogate(uint16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(uint16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

bool ParseTextEncoding(std::string_view name, TextEncoding* encoding) {
  const std::string lowered = AsciiLowered(name);
  if (lowered == "utf-8" || lowered == "utf8") {
    *encoding = TextEncoding::kUtf8;
  } else if (lowered == "windows-1252" || lowered == "cp1252") {
    *encoding = TextEncoding::kWindows1252;
  } else if (lowered == "latin-1" || lowered == "latin1" || lowered == "iso-8859-1") {
    *encoding = TextEncoding::kLatin1;
  } else {
    return false;
  }
  return true;
}

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void TextDecoder::Reset() {
  mode_ = Mode::kUndecided;
  head_.clear();
  odd_byte_ = -1;
  high_surrogate_ = 0;
}

bool TextDecoder::Choose(bool at_end, std::string* out) {
  const std::string_view head = head_;
  // Until the head is three bytes long, a shorter one may still grow into a mark.
  const auto may_become = [&](std::string_view mark) {
    return head.size() < mark.size() && mark.starts_with(head);
  };
  if (!at_end && (may_become(kUtf8Mark) || may_become(kUtf16LeMark) || may_become(kUtf16BeMark))) {
    return false;
  }
  std::string_view rest = head;
  if (head.starts_with(kUtf16LeMark)) {
    mode_ = Mode::kUtf16Le;
    rest.remove_prefix(kUtf16LeMark.size());
  } else if (head.starts_with(kUtf16BeMark)) {
    mode_ = Mode::kUtf16Be;
    rest.remove_prefix(kUtf16BeMark.size());
  } else if (head.starts_with(kUtf8Mark)) {
    // A UTF-8 mark says what the text is; only bytes taken as they stand keep it.
    mode_ = Mode::kAsIs;
    if (declared_ != TextEncoding::kAsIs) rest.remove_prefix(kUtf8Mark.size());
  } else if (declared_ == TextEncoding::kWindows1252) {
    mode_ = Mode::kWindows1252;
  } else if (declared_ == TextEncoding::kLatin1) {
    mode_ = Mode::kLatin1;
  } else {
    mode_ = Mode::kAsIs;
  }
  const std::string pending(rest);
  head_.clear();
  Decode(pending, out);
  return true;
}

void TextDecoder::Decode(std::string_view bytes, std::string* out) {
  switch (mode_) {
    case Mode::kUndecided:
      head_.append(bytes);
      Choose(false, out);
      return;
    case Mode::kAsIs:
      out->append(bytes);
      return;
    case Mode::kUtf16Le:
    case Mode::kUtf16Be:
      DecodeUtf16(bytes, out);
      return;
    case Mode::kWindows1252:
    case Mode::kLatin1:
      for (const char byte : bytes) {
        const unsigned char b = static_cast<unsigned char>(byte);
        if (b < 0x80) {
          out->push_back(byte);
        } else {
          const bool table = mode_ == Mode::kWindows1252 && b < 0xA0;
          AppendUtf8(table ? kWindows1252High[b - 0x80] : b, out);
        }
      }
      return;
  }
}

void TextDecoder::DecodeUtf16(std::string_view bytes, std::string* out) {
  const bool little = mode_ == Mode::kUtf16Le;
  size_t i = 0;
  if (odd_byte_ >= 0 && !bytes.empty()) {
    const unsigned char second = static_cast<unsigned char>(bytes[0]);
    const unsigned char first = static_cast<unsigned char>(odd_byte_);
    DecodeUnit(static_cast<uint16_t>(little ? first | second << 8 : first << 8 | second), out);
    odd_byte_ = -1;
    i = 1;
  }
  for (; i + 1 < bytes.size(); i += 2) {
    const unsigned char a = static_cast<unsigned char>(bytes[i]);
    const unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
    DecodeUnit(static_cast<uint16_t>(little ? a | b << 8 : a << 8 | b), out);
  }
  if (i < bytes.size()) odd_byte_ = static_cast<unsigned char>(bytes[i]);
}

void TextDecoder::DecodeUnit(uint16_t unit, std::string* out) {
  if (high_surrogate_ != 0) {
    const uint16_t high = high_surrogate_;
    high_surrogate_ = 0;
    if (IsLowSurrogate(unit)) {
      AppendUtf8(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00), out);
      return;
    }
    AppendUtf8(kReplacement, out);
  }
  if (IsHighSurrogate(unit)) {
    high_surrogate_ = unit;
  } else {
    AppendUtf8(IsLowSurrogate(unit) ? kReplacement : unit, out);
  }
}

void TextDecoder::Finish(std::string* out) {
  if (mode_ == Mode::kUndecided) Choose(true, out);
  if (high_surrogate_ != 0) {
    AppendUtf8(kReplacement, out);
    high_surrogate_ = 0;
  }
  if (odd_byte_ >= 0) {
    AppendUtf8(kReplacement, out);
    odd_byte_ = -1;
  }
}

}  // namespace quillon
