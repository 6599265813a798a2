// Fuzzes the substitution service with a command and a text: the input up to its first
// NUL byte is the command, the rest the text (a fixed sentence when there is no NUL).
// Any command must either work or raise ESubstError; the command is applied to the text
// twice, so the cached pattern is used as well. (Applying it to its own result instead
// would let an empty pattern with a long replacement grow the text without bound.)
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "subst/substituter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.find('\0');
  const std::string_view command = input.substr(0, nul);
  const std::string text = nul == std::string_view::npos ? std::string("Mr. Smith left. He sat.\n")
                                                         : std::string(input.substr(nul + 1));
  quillon::TSubstituter substituter;
  try {
    for (int round = 0; round < 2; ++round) {
      std::string subject = text;
      substituter.Substitute(command, &subject);
    }
  } catch (const quillon::ESubstError&) {
  }
  return 0;
}
