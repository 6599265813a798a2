// Fuzz harness for the text decoder. The first byte chooses the declared encoding and the
// block size; the rest is a text. Checks: decoding in blocks gives what decoding whole
// gives; bytes taken as they are come out unchanged unless a UTF-16 byte order mark opens
// them; UTF-16, Windows-1252 and Latin-1 decode to valid UTF-8.
#include <string>

#include "core/text_decoder.h"
#include "core/unicode_class.h"
#include "fuzz/fuzz_input.h"

namespace quillon {
namespace {

using fuzz::Check;

std::string Decode(std::string_view bytes, TextEncoding encoding, size_t block) {
  TextDecoder decoder(encoding);
  std::string out;
  for (size_t at = 0; at < bytes.size(); at += block) {
    decoder.Decode(bytes.substr(at, block), &out);
  }
  decoder.Finish(&out);
  return out;
}

bool IsValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const DecodedChar c = DecodeUtf8At(s, i);
    if (c.code == kInvalidByte) return false;
    i += c.length;
  }
  return true;
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size == 0 || size > 8192) return 0;
  const TextEncoding encoding = static_cast<TextEncoding>(data[0] % 4);
  const size_t block = 1 + (data[0] >> 2);
  const std::string_view text = fuzz::AsText(data + 1, size - 1);
  const std::string whole = Decode(text, encoding, text.size() + 1);
  Check(Decode(text, encoding, block) == whole);
  const bool utf16 = text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
  const bool utf8_mark = text.starts_with("\xEF\xBB\xBF");
  if (utf16) {
    Check(IsValidUtf8(whole));
  } else if (encoding == TextEncoding::kAsIs) {
    Check(whole == text);
  } else if (utf8_mark || encoding == TextEncoding::kUtf8) {
    Check(whole == text.substr(utf8_mark ? 3 : 0));
  } else {
    Check(IsValidUtf8(whole));
  }
  return 0;
}
