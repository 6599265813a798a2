// What a result file is made of: tokens, sentences (lines with at least one token), word
// types (distinct spellings, letter case kept), and per tag its count and most frequent
// words. The counter is fed the file's bytes in pieces of any size, so a file of any size
// is counted in one pass with memory that grows with its vocabulary, not its length. Lines
// end at CR, LF or CR LF and a NUL ends the text, as for every text the program reads;
// tokens are separated by spaces and cut by result_tokens.h under the layout told from the
// file's first 64 KiB. Also the table as CSV. Plain C++, no Qt.
// Tested by result_statistics_test.cc and fuzz/result_statistics_fuzzer.cc.
#ifndef QUILLON_CORE_RESULT_STATISTICS_H_
#define QUILLON_CORE_RESULT_STATISTICS_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result_tokens.h"
#include "core/status.h"
#include "core/string_id_map.h"

namespace quillon {

struct WordCount {
  std::string word;
  uint64_t count = 0;
  bool operator==(const WordCount&) const = default;
};

struct TagStatistics {
  std::string tag;
  uint64_t count = 0;
  std::vector<WordCount> top_words;  // most frequent first; equal counts by spelling
  bool operator==(const TagStatistics&) const = default;
};

struct ResultStatistics {
  ResultLayout layout;
  uint64_t tokens = 0;              // every token, tagged or not
  uint64_t sentences = 0;           // lines holding at least one token
  uint64_t word_types = 0;          // distinct words, of tagged and untagged tokens alike
  uint64_t untagged = 0;            // tokens without a separator and a tag after it
  uint64_t overlong = 0;            // tokens over kMaxTokenBytes: counted as tokens only
  std::vector<TagStatistics> tags;  // most frequent first; equal counts by tag

  double TokensPerSentence() const {
    return sentences == 0 ? 0.0 : static_cast<double>(tokens) / static_cast<double>(sentences);
  }
  bool operator==(const ResultStatistics&) const = default;
};

class ResultCounter {
 public:
  // A token longer than this is no word of running text; it is not stored.
  static constexpr size_t kMaxTokenBytes = 4096;
  // The layout is told from this many first bytes (or all, when the file is shorter).
  static constexpr size_t kSampleBytes = 64 << 10;

  // top_words: how many words to keep per tag; sample_bytes: how many first bytes tell
  // the layout (smaller only in tests).
  explicit ResultCounter(size_t top_words = 10, size_t sample_bytes = kSampleBytes)
      : top_words_(top_words), sample_bytes_(sample_bytes) {}

  // Counts the next bytes of the file.
  void Feed(std::string_view bytes);
  // Counts what is left and returns the figures; the counter is spent.
  ResultStatistics Finish();

 private:
  void Count(std::string_view bytes);
  // Adds piece to the token cut off at the end of a piece, unless it grows too long.
  void AppendToToken(std::string_view piece);
  void EndToken();
  void CountToken(std::string_view token);

  struct Cell {  // how often one word carries one tag; a word's cells form a list
    uint32_t tag;
    uint32_t next;
    uint64_t count;
  };
  static constexpr uint32_t kNoCell = UINT32_MAX;

  size_t top_words_;
  size_t sample_bytes_;
  ResultStatistics stats_;
  bool layout_known_ = false;
  bool ended_ = false;  // a NUL ended the text
  std::string sample_;  // bytes held until the layout is known
  std::string token_;   // a token cut off at the end of the last piece
  bool token_overlong_ = false;
  bool line_has_token_ = false;
  StringIdMap words_;
  StringIdMap tags_;
  std::vector<uint64_t> tag_counts_;
  std::vector<uint32_t> first_cell_;  // per word
  std::vector<Cell> cells_;
};

// Counts the file at path, reading it in blocks of 1 MiB. After every block,
// keep_going(bytes read so far) is asked; false abandons the count and returns an error
// "Cancelled.". Fails with the system's error text when the file cannot be read.
Status CountResultFile(const std::string& path,
                       const std::function<bool(uint64_t bytes_read)>& keep_going,
                       ResultStatistics* stats, size_t top_words = 10);

// The tag table as CSV (RFC 4180, CR LF line ends): a header row, then per tag its class,
// count, share of all tagged tokens in percent with two decimals, and its most frequent
// words as "word (count)" joined by "; ". A field that a spreadsheet would take for a
// formula (it begins with = + - @ or a tab) gets a leading apostrophe.
std::string StatisticsCsv(const ResultStatistics& stats);

}  // namespace quillon

#endif  // QUILLON_CORE_RESULT_STATISTICS_H_
