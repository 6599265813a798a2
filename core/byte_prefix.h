// The first bytes of a string as one number, for the hash tables that compare short
// strings by a number instead of byte by byte (the lexicon index, the rule-word ids, the
// tagger's word cache): up to 8 bytes, little-endian, zero padded. Read without a loop,
// since these tables are read once per token: one 8-byte read, two overlapping 4-byte
// reads, or three single bytes.
// Tested by word_cache_test.cc.
#ifndef QUILLON_CORE_BYTE_PREFIX_H_
#define QUILLON_CORE_BYTE_PREFIX_H_

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace quillon {

namespace byte_prefix_internal {

inline uint64_t LoadLittle64(const char* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
  return v;
}

inline uint32_t LoadLittle32(const char* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
  return v;
}

}  // namespace byte_prefix_internal

// Byte k of bytes (k < 8) in bits 8k to 8k+7; bytes past the end are zero.
inline uint64_t BytePrefix(std::string_view bytes) {
  using byte_prefix_internal::LoadLittle32;
  const char* p = bytes.data();
  const size_t n = bytes.size();
  if (n >= 8) return byte_prefix_internal::LoadLittle64(p);
  if (n >= 4) return LoadLittle32(p) | uint64_t{LoadLittle32(p + n - 4)} << (8 * (n - 4));
  if (n == 0) return 0;
  return uint64_t{static_cast<unsigned char>(p[0])} |
         uint64_t{static_cast<unsigned char>(p[n / 2])} << (8 * (n / 2)) |
         uint64_t{static_cast<unsigned char>(p[n - 1])} << (8 * (n - 1));
}

}  // namespace quillon

#endif  // QUILLON_CORE_BYTE_PREFIX_H_
