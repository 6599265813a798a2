// The order key of a word: two decimal digits per byte, from a fixed code table in which
// some characters share a code (! . ? all give 53). Every lexicon and lemma lookup goes
// through it, and it fixes the order in which those tables are sorted. Comparing two keys
// byte by byte (a key that begins another is the smaller) orders words by their codes.
// Tested by order_key_test.cc.
#ifndef QUILLON_CORE_ORDER_KEY_H_
#define QUILLON_CORE_ORDER_KEY_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// The code of every byte value.
extern const std::array<uint8_t, 256> kKeyCodes;

// The two-digit code of one byte, 0 to 76.
inline uint8_t KeyCode(unsigned char byte) { return kKeyCodes[byte]; }

// Builds the order key of word (the key builder the searches read from).
std::string Hash(std::string_view word);

// Appends the order key of word to key; no allocation when key has room.
void AppendKey(std::string_view word, std::string* key);

// Appends the codes of word to codes, one byte (0 to 76) per byte of word: the key in
// compact form. Two words have equal keys exactly when their codes are equal.
void AppendCodes(std::string_view word, std::string* codes);

// The codes of a digit key (the inverse of AppendKey over AppendCodes), or nothing when no
// word has that key: an odd length, a byte other than a digit, a pair above 76.
std::optional<std::string> CodesOfKey(std::string_view key);

// True when the key of word is exactly "00": one byte without a code of its own.
inline bool IsNullKey(std::string_view word) {
  return word.size() == 1 && KeyCode(static_cast<unsigned char>(word[0])) == 0;
}

// Byte-wise key order: negative, zero or positive like memcmp, shorter prefix first.
int CompareKeys(std::string_view a, std::string_view b);

}  // namespace quillon

#endif  // QUILLON_CORE_ORDER_KEY_H_
