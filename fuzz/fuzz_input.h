// Helpers shared by the fuzz harnesses: cutting one fuzz input into several texts, and a
// check that stops the fuzzer (and fails the seed replay) when an invariant breaks.
// A resource file never holds a NUL byte (a NUL ends the text as it is read), so the
// harnesses use NUL to separate the texts of one input without losing any case.
#ifndef QUILLON_FUZZ_FUZZ_INPUT_H_
#define QUILLON_FUZZ_FUZZ_INPUT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/line_reader.h"

namespace quillon::fuzz {

// Traps rather than aborts so the sanitizers print the stack of the broken check.
inline void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// The first count texts of data, cut at NUL bytes; texts that are missing are empty and
// whatever follows the last one belongs to it.
inline std::vector<std::string_view> SplitParts(std::string_view data, size_t count) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < count) {
    const size_t nul = data.find('\0');
    if (nul == std::string_view::npos) break;
    parts.push_back(data.substr(0, nul));
    data.remove_prefix(nul + 1);
  }
  parts.push_back(data);
  parts.resize(count);
  return parts;
}

// The lines of one text, cut the way a resource file is cut when it is read.
inline std::vector<std::string> Lines(std::string_view text) { return SplitLines(text); }

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

}  // namespace quillon::fuzz

#endif  // QUILLON_FUZZ_FUZZ_INPUT_H_
