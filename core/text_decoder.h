// Reading texts in other encodings. A run reads bytes as they stand, with two exceptions:
// a file that starts with a UTF-16 byte order mark (as Windows editors save "Unicode"
// text) is decoded to UTF-8 in every mode, and a text whose encoding is declared
// (--encoding) is decoded from Windows-1252 or Latin-1, or read as UTF-8 without its
// byte order mark. Decoding works block by block, so a stream of any length is decoded
// in bounded memory; a code unit or a surrogate pair cut by a block's end waits for the
// next block. What cannot be decoded (a lone surrogate, an odd last byte) becomes
// U+FFFD; nothing is dropped silently. Tested by text_decoder_test.cc.
#ifndef QUILLON_CORE_TEXT_DECODER_H_
#define QUILLON_CORE_TEXT_DECODER_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

enum class TextEncoding : uint8_t {
  kAsIs,         // bytes as they stand (UTF-16 with a byte order mark is still decoded)
  kUtf8,         // UTF-8: as they stand, without a byte order mark
  kWindows1252,  // Windows' Western code page: smart quotes at 0x91 to 0x94, ...
  kLatin1,       // ISO 8859-1: every byte is the code point of its value
};

// Reads "utf-8", "windows-1252" or "latin-1" (and the spellings utf8, cp1252,
// iso-8859-1, latin1), ignoring ASCII letter case; false for any other name.
bool ParseTextEncoding(std::string_view name, TextEncoding* encoding);

class TextDecoder {
 public:
  explicit TextDecoder(TextEncoding declared = TextEncoding::kAsIs) : declared_(declared) {}

  // Appends the decoded form of the next bytes of the text to out.
  void Decode(std::string_view bytes, std::string* out);

  // Appends what the end of the text leaves pending: a byte order mark that was too short
  // to tell, an odd byte or a lone surrogate of UTF-16 (as U+FFFD).
  void Finish(std::string* out);

  // Starts again at the beginning of a text.
  void Reset();

  // True once the text is known to pass as it stands: the caller may read the rest
  // straight into place without calling Decode.
  bool passes_through() const { return mode_ == Mode::kAsIs; }

 private:
  enum class Mode : uint8_t { kUndecided, kAsIs, kUtf16Le, kUtf16Be, kWindows1252, kLatin1 };

  // Chooses the mode from the first bytes of the text (in head_); false while they are too
  // few to tell and more may come.
  bool Choose(bool at_end, std::string* out);
  void DecodeUtf16(std::string_view bytes, std::string* out);
  void DecodeUnit(uint16_t unit, std::string* out);

  TextEncoding declared_;
  Mode mode_ = Mode::kUndecided;
  std::string head_;             // the first bytes, while the mode is undecided
  int odd_byte_ = -1;            // UTF-16: a byte waiting for its partner
  uint16_t high_surrogate_ = 0;  // UTF-16: a high surrogate waiting for its low one
};

// Appends code point c to out as UTF-8.
void AppendUtf8(char32_t c, std::string* out);

}  // namespace quillon

#endif  // QUILLON_CORE_TEXT_DECODER_H_
