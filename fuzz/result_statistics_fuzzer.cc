// Fuzz harness for reading result files back (the window's statistics and colours). The
// first byte sets how many words to keep per tag (low nibble) and how many first bytes
// tell the layout (high nibble times 16, 0 for the full 64 KiB); the second byte seeds
// where the text is cut into pieces; the rest is the file. Checks: the counter gives the
// same figures fed whole and fed in pieces, and the plain reference's figures; the counts
// add up; every token of the text cuts into word, tag and rest that make it again under
// each layout; the CSV has one row per tag of five fields that read back. Inputs are
// capped at 16 KiB, enough for tokens over the 4 KiB limit.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/result_statistics.h"
#include "fuzz/fuzz_input.h"
#include "tests/reference/reference_statistics.h"

namespace quillon {
namespace {

using fuzz::Check;

void CheckTokenCuts(std::string_view text) {
  static constexpr ResultLayout kLayouts[] = {{'_', false}, {'/', false}, {'_', true}, {'/', true}};
  size_t begin = 0;
  while (begin < text.size()) {
    const size_t end = std::min(text.find_first_of(" \r\n", begin), text.size());
    const std::string_view token = text.substr(begin, end - begin);
    begin = end + 1;
    for (const ResultLayout& layout : kLayouts) {
      const ResultToken cut = SplitResultToken(token, layout);
      if (cut.tag.empty()) {
        Check(cut.word == token && cut.rest.empty());
        continue;
      }
      Check(cut.word.size() + 1 + cut.tag.size() + cut.rest.size() == token.size());
      Check(token[cut.word.size()] == layout.separator);
      Check(cut.tag.data() == token.data() + cut.word.size() + 1);
      Check(cut.rest.data() == cut.tag.data() + cut.tag.size());
    }
  }
}

// The fields of one CSV row (quoted fields may hold commas and doubled quotes).
std::vector<std::string> CsvFields(std::string_view row) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < row.size(); ++i) {
    const char c = row[i];
    if (quoted) {
      if (c == '"' && i + 1 < row.size() && row[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  Check(!quoted);
  return fields;
}

void CheckCsv(const ResultStatistics& stats) {
  const std::string csv = StatisticsCsv(stats);
  std::vector<std::string_view> rows;
  // Rows end with CR LF; a quoted field may hold CR or LF of its own.
  size_t begin = 0;
  bool quoted = false;
  for (size_t i = 0; i < csv.size(); ++i) {
    if (csv[i] == '"') quoted = !quoted;
    if (!quoted && csv[i] == '\r') {
      Check(i + 1 < csv.size() && csv[i + 1] == '\n');
      rows.push_back(std::string_view(csv).substr(begin, i - begin));
      begin = i + 2;
      ++i;
    }
  }
  Check(begin == csv.size());
  Check(rows.size() == stats.tags.size() + 1);
  for (size_t r = 1; r < rows.size(); ++r) {
    const std::vector<std::string> fields = CsvFields(rows[r]);
    Check(fields.size() == 5);
    const std::string& tag = stats.tags[r - 1].tag;
    Check(fields[0] == tag || fields[0] == "'" + tag);
    Check(fields[2] == std::to_string(stats.tags[r - 1].count));
  }
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size < 2 || size > 16384) return 0;
  const size_t top_words = data[0] & 15;
  const size_t sample_bytes =
      (data[0] >> 4) == 0 ? ResultCounter::kSampleBytes : (data[0] >> 4) * 16;
  std::minstd_rand cuts(data[1]);
  const std::string_view text = fuzz::AsText(data + 2, size - 2);

  ResultCounter whole(top_words, sample_bytes);
  whole.Feed(text);
  const ResultStatistics stats = whole.Finish();
  ResultCounter pieces(top_words, sample_bytes);
  for (size_t at = 0; at < text.size();) {
    const size_t length = std::min<size_t>(text.size() - at, cuts() % 97);
    pieces.Feed(text.substr(at, length));
    at += length;
  }
  Check(pieces.Finish() == stats);
  Check(reference::CountResultText(text, top_words, sample_bytes) == stats);

  uint64_t tagged = 0;
  for (const TagStatistics& row : stats.tags) {
    Check(!row.tag.empty() && row.count > 0);
    Check(row.top_words.size() <= top_words);
    uint64_t shown = 0;
    for (const WordCount& word : row.top_words) shown += word.count;
    Check(shown <= row.count);
    tagged += row.count;
  }
  Check(tagged + stats.untagged + stats.overlong == stats.tokens);
  Check(stats.sentences <= stats.tokens);
  Check(stats.word_types <= stats.tokens);
  CheckTokenCuts(text.substr(0, std::min(text.find('\0'), text.size())));
  CheckCsv(stats);
  return 0;
}
