// Order keys. The code table is built once at compile time; the key of a word is the
// concatenation of its bytes' codes as two digits each. Tested by order_key_test.cc.
#include "core/order_key.h"

#include <array>
#include <optional>

namespace quillon {
namespace {

constexpr std::array<uint8_t, 256> MakeCodeTable() {
  std::array<uint8_t, 256> codes{};  // every byte not listed below: 00
  for (int c = 'a'; c <= 'z'; ++c) codes[c] = static_cast<uint8_t>(1 + c - 'a');
  for (int c = 'A'; c <= 'Z'; ++c) codes[c] = static_cast<uint8_t>(27 + c - 'A');
  for (int c = '0'; c <= '9'; ++c) codes[c] = static_cast<uint8_t>(67 + c - '0');
  codes['!'] = codes['.'] = codes['?'] = 53;
  codes[','] = 54;
  codes['('] = codes['['] = codes['{'] = 55;
  codes[')'] = codes[']'] = codes['}'] = 56;
  codes['\''] = 57;
  codes['"'] = 58;
  codes['$'] = 59;
  codes['*'] = codes['+'] = codes['<'] = codes['='] = codes['>'] = 60;
  codes['-'] = codes[':'] = codes[';'] = 61;
  codes['@'] = 62;
  codes['#'] = 63;
  codes['%'] = codes['/'] = 64;
  codes['&'] = 65;
  codes['`'] = 66;
  return codes;
}

constexpr std::array<uint8_t, 256> kCodes = MakeCodeTable();

// The two digits of each code, so a key byte pair is one table read.
constexpr std::array<std::array<char, 2>, 256> MakeDigitTable() {
  std::array<std::array<char, 2>, 256> digits{};
  for (int b = 0; b < 256; ++b) {
    digits[b][0] = static_cast<char>('0' + kCodes[b] / 10);
    digits[b][1] = static_cast<char>('0' + kCodes[b] % 10);
  }
  return digits;
}

constexpr std::array<std::array<char, 2>, 256> kDigits = MakeDigitTable();

}  // namespace

const std::array<uint8_t, 256> kKeyCodes = kCodes;

void AppendKey(std::string_view word, std::string* key) {
  size_t at = key->size();
  key->resize(at + 2 * word.size());
  char* out = key->data() + at;
  for (unsigned char c : word) {
    out[0] = kDigits[c][0];
    out[1] = kDigits[c][1];
    out += 2;
  }
}

std::optional<std::string> CodesOfKey(std::string_view key) {
  if (key.size() % 2 != 0) return std::nullopt;
  std::string codes(key.size() / 2, '\0');
  for (size_t i = 0; i < codes.size(); ++i) {
    const char hi = key[2 * i], lo = key[2 * i + 1];
    if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return std::nullopt;
    const int code = (hi - '0') * 10 + (lo - '0');
    if (code > 76) return std::nullopt;
    codes[i] = static_cast<char>(code);
  }
  return codes;
}

void AppendCodes(std::string_view word, std::string* codes) {
  size_t at = codes->size();
  codes->resize(at + word.size());
  char* out = codes->data() + at;
  for (unsigned char c : word) *out++ = static_cast<char>(kCodes[c]);
}

std::string Hash(std::string_view word) {
  std::string key;
  AppendKey(word, &key);
  return key;
}

int CompareKeys(std::string_view a, std::string_view b) { return a.compare(b); }

}  // namespace quillon
