// Fuzz harness for the vertical reader. The input is a settings byte and a file of one
// token a line. Checks: tokens are non-empty, hold no TAB or line break and are not all
// blanks; every report names a line of the file; reading twice gives the same sentences;
// the tagged sentences written as tsv and read back as vertical give the same tokens and
// the same tsv again.
#include <string>
#include <vector>

#include "core/format_writer.h"
#include "core/vertical_reader.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/small_tagger.h"
#include "tests/core/warning_log.h"

namespace quillon {
namespace {

using fuzz::Check;
using testing::WarningLog;

struct Read {
  std::vector<std::vector<std::string>> sentences;
  std::vector<std::string> warnings;
  std::string tsv;  // the sentences tagged and written as tsv
};

Read ReadAll(std::string_view text, Tagger* tagger) {
  LineStream input{std::string(text)};
  WarningLog reports;
  VerticalSource source(&input, "in", std::nullopt, &reports);
  Read read;
  const std::unique_ptr<FormatWriter> writer = MakeTsvWriter();
  for (InputSentence s; source.Next(&s);) {
    Check(s.is_cut && !s.words.empty());
    read.sentences.emplace_back(s.words.begin(), s.words.end());
    writer->Write(tagger->TagWords(s.words), &read.tsv);
  }
  read.warnings = reports.warnings;
  return read;
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size < 1 || size > 8192) return 0;
  TaggerOptions options = fuzz::SmallTaggerOptions(data[0]);
  options.multiword = options.lemma = false;
  fuzz::SmallTagger small(options);
  const std::string_view text = fuzz::AsText(data + 1, size - 1);
  const Read first = ReadAll(text, small.tagger.get());
  const size_t lines = fuzz::Lines(text).size();
  for (const auto& sentence : first.sentences) {
    for (const std::string& word : sentence) {
      Check(!word.empty());
      Check(word.find_first_of("\t\n\r") == std::string::npos);
      Check(word.find_first_not_of(' ') != std::string::npos);
    }
  }
  for (const std::string& warning : first.warnings) {
    if (warning.find(" more lines ") != std::string::npos) continue;
    const size_t at = warning.find(", line ");
    Check(at != std::string::npos);
    const size_t number = std::strtoul(warning.c_str() + at + 7, nullptr, 10);
    Check(number >= 1 && number <= lines);
  }
  Check(ReadAll(text, small.tagger.get()).sentences == first.sentences);
  // A first token that opens with a byte order mark (one that was not on the first line)
  // loses it when the tsv is read back, as a file's byte order mark does.
  if (first.tsv.starts_with("\xEF\xBB\xBF")) return 0;
  const Read again = ReadAll(first.tsv, small.tagger.get());
  Check(again.sentences == first.sentences);
  Check(again.tsv == first.tsv);
  Check(again.warnings.empty());
  return 0;
}
