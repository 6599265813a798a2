// Fuzzes sentence splitting with any bytes as the text of a file: its lines are split with
// the splitter on, and no sentence may hold a line feed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/line_reader.h"
#include "core/sentence_splitter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 65536) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> sentences;
  std::string error;
  if (!quillon::SplitSentences(1, quillon::SplitLines(text), nullptr, &sentences, &error)) {
    return 0;  // a library limit, reported with its text
  }
  for (const std::string& sentence : sentences) {
    if (sentence.find('\n') != std::string::npos) std::abort();
  }
  return 0;
}
