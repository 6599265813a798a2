// Counting a result file in one pass, and the CSV of the table. Every token costs one
// lookup of its word and one of its tag (both open addressing) and a walk over the few
// tags that word has carried; the most frequent words of each tag are picked at the end
// with one bounded heap per tag. Tested by result_statistics_test.cc.
#include "core/result_statistics.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <queue>

namespace quillon {
namespace {

constexpr size_t kReadBlock = 1 << 20;

bool IsBreak(char c) { return c == ' ' || c == '\r' || c == '\n'; }

// Quotes a CSV field when it needs it and defuses a leading formula character.
std::string CsvField(std::string_view text) {
  std::string field;
  if (!text.empty() &&
      (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@' || text[0] == '\t')) {
    field = "'";
  }
  field.append(text);
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (const char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

void ResultCounter::Feed(std::string_view bytes) {
  if (!layout_known_) {
    const size_t take = std::min(bytes.size(), sample_bytes_ - sample_.size());
    sample_.append(bytes.substr(0, take));
    bytes.remove_prefix(take);
    if (sample_.size() < sample_bytes_) return;
    stats_.layout = DetectResultLayout(sample_);
    layout_known_ = true;
    Count(sample_);
    std::string().swap(sample_);
  }
  Count(bytes);
}

void ResultCounter::Count(std::string_view bytes) {
  if (ended_) return;
  if (const size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
    bytes = bytes.substr(0, nul);
    ended_ = true;
  }
  size_t begin = 0;
  const size_t n = bytes.size();
  while (begin < n) {
    size_t end = begin;
    while (end < n && !IsBreak(bytes[end])) ++end;
    const std::string_view piece = bytes.substr(begin, end - begin);
    if (end == n) {  // the token may go on in the next piece
      AppendToToken(piece);
      break;
    }
    if (token_.empty() && !token_overlong_) {
      if (!piece.empty()) CountToken(piece);
    } else {
      AppendToToken(piece);
      EndToken();
    }
    if (bytes[end] != ' ') {
      stats_.sentences += line_has_token_;
      line_has_token_ = false;
    }
    begin = end + 1;
  }
}

void ResultCounter::AppendToToken(std::string_view piece) {
  if (token_overlong_) return;
  if (token_.size() + piece.size() > kMaxTokenBytes) {
    token_overlong_ = true;
    std::string().swap(token_);
    return;
  }
  token_.append(piece);
}

void ResultCounter::EndToken() {
  if (token_overlong_) {
    ++stats_.tokens;
    ++stats_.overlong;
    line_has_token_ = true;
    token_overlong_ = false;
  } else if (!token_.empty()) {
    CountToken(token_);
    token_.clear();
  }
}

void ResultCounter::CountToken(std::string_view token) {
  ++stats_.tokens;
  line_has_token_ = true;
  if (token.size() > kMaxTokenBytes) {
    ++stats_.overlong;
    return;
  }
  const ResultToken cut = SplitResultToken(token, stats_.layout);
  const uint32_t word = words_.Add(cut.word);
  if (word == first_cell_.size()) first_cell_.push_back(kNoCell);
  if (cut.tag.empty()) {
    ++stats_.untagged;
    return;
  }
  const uint32_t tag = tags_.Add(cut.tag);
  if (tag == tag_counts_.size()) tag_counts_.push_back(0);
  ++tag_counts_[tag];
  for (uint32_t c = first_cell_[word]; c != kNoCell; c = cells_[c].next) {
    if (cells_[c].tag == tag) {
      ++cells_[c].count;
      return;
    }
  }
  cells_.push_back({tag, first_cell_[word], 1});
  first_cell_[word] = static_cast<uint32_t>(cells_.size() - 1);
}

ResultStatistics ResultCounter::Finish() {
  if (!layout_known_) {
    stats_.layout = DetectResultLayout(sample_);
    layout_known_ = true;
    Count(sample_);
    std::string().swap(sample_);
  }
  EndToken();
  stats_.sentences += line_has_token_;
  line_has_token_ = false;
  stats_.word_types = words_.size();

  // Per tag a heap whose top is the weakest of the words kept so far.
  struct Entry {
    uint64_t count;
    uint32_t word;
  };
  const auto stronger = [this](const Entry& a, const Entry& b) {
    if (a.count != b.count) return a.count > b.count;
    return words_.String(a.word) < words_.String(b.word);
  };
  using Heap = std::priority_queue<Entry, std::vector<Entry>, decltype(stronger)>;
  std::vector<Heap> heaps(tag_counts_.size(), Heap(stronger));
  for (uint32_t word = 0; word < first_cell_.size() && top_words_ > 0; ++word) {
    for (uint32_t c = first_cell_[word]; c != kNoCell; c = cells_[c].next) {
      Heap& heap = heaps[cells_[c].tag];
      const Entry entry{cells_[c].count, word};
      if (heap.size() < top_words_) {
        heap.push(entry);
      } else if (stronger(entry, heap.top())) {
        heap.pop();
        heap.push(entry);
      }
    }
  }
  stats_.tags.clear();
  for (uint32_t tag = 0; tag < tag_counts_.size(); ++tag) {
    TagStatistics row{std::string(tags_.String(tag)), tag_counts_[tag], {}};
    for (Heap& heap = heaps[tag]; !heap.empty(); heap.pop()) {
      row.top_words.push_back({std::string(words_.String(heap.top().word)), heap.top().count});
    }
    std::reverse(row.top_words.begin(), row.top_words.end());
    stats_.tags.push_back(std::move(row));
  }
  std::sort(stats_.tags.begin(), stats_.tags.end(),
            [](const TagStatistics& a, const TagStatistics& b) {
              return a.count != b.count ? a.count > b.count : a.tag < b.tag;
            });
  return std::move(stats_);
}

Status CountResultFile(const std::string& path,
                       const std::function<bool(uint64_t bytes_read)>& keep_going,
                       ResultStatistics* stats, size_t top_words) {
  const auto fail = [&path](const char* what, int error) {
    return Status::Error(std::string(what) + " file \"" + path + "\". " + std::strerror(error));
  };
  // Without O_NONBLOCK a FIFO would wait for a writer; it is cleared again for reading.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return fail("Cannot open", errno);
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return fail("Cannot open", EISDIR);
  }
  ResultCounter counter(top_words);
  const auto buffer = std::make_unique<char[]>(kReadBlock);
  uint64_t read_so_far = 0;
  for (;;) {
    const ssize_t got = ::read(fd, buffer.get(), kReadBlock);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return fail("Cannot read", error);
    }
    counter.Feed(std::string_view(buffer.get(), static_cast<size_t>(got)));
    read_so_far += static_cast<uint64_t>(got);
    if (keep_going && !keep_going(read_so_far)) {
      ::close(fd);
      return Status::Error("Cancelled.");
    }
  }
  ::close(fd);
  *stats = counter.Finish();
  return Status::Ok();
}

std::string StatisticsCsv(const ResultStatistics& stats) {
  uint64_t tagged = 0;
  for (const TagStatistics& row : stats.tags) tagged += row.count;
  std::string csv = "Tag,Word class,Tokens,Share (%),Most frequent words\r\n";
  for (const TagStatistics& row : stats.tags) {
    char share[32];
    std::snprintf(share, sizeof share, "%.2f",
                  tagged == 0 ? 0.0 : 100.0 * static_cast<double>(row.count) / tagged);
    std::string words;
    for (const WordCount& word : row.top_words) {
      if (!words.empty()) words += "; ";
      words += word.word + " (" + std::to_string(word.count) + ")";
    }
    csv += CsvField(row.tag) + "," + CsvField(WordClassName(ClassOfTag(row.tag))) + "," +
           std::to_string(row.count) + "," + share + "," + CsvField(words) + "\r\n";
  }
  return csv;
}

}  // namespace quillon
