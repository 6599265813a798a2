// The plain result counter.
#include "tests/reference/reference_statistics.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/line_reader.h"

namespace quillon::reference {

ResultStatistics CountResultText(std::string_view text, size_t top_words, size_t sample_bytes) {
  ResultStatistics stats;
  stats.layout = DetectResultLayout(text.substr(0, sample_bytes));
  std::set<std::string> words;
  std::map<std::string, std::map<std::string, uint64_t>> by_tag;
  for (const std::string& line : SplitLines(text)) {
    bool any = false;
    size_t begin = 0;
    while (begin <= line.size()) {
      const size_t end = std::min(line.find(' ', begin), line.size());
      const std::string_view token = std::string_view(line).substr(begin, end - begin);
      begin = end + 1;
      if (token.empty()) continue;
      any = true;
      ++stats.tokens;
      if (token.size() > ResultCounter::kMaxTokenBytes) {
        ++stats.overlong;
        continue;
      }
      const ResultToken cut = SplitResultToken(token, stats.layout);
      words.emplace(cut.word);
      if (cut.tag.empty()) {
        ++stats.untagged;
      } else {
        ++by_tag[std::string(cut.tag)][std::string(cut.word)];
      }
    }
    stats.sentences += any;
  }
  stats.word_types = words.size();
  for (const auto& [tag, counts] : by_tag) {
    TagStatistics row{tag, 0, {}};
    std::vector<WordCount> all;
    for (const auto& [word, count] : counts) {
      row.count += count;
      all.push_back({word, count});
    }
    std::sort(all.begin(), all.end(), [](const WordCount& a, const WordCount& b) {
      return a.count != b.count ? a.count > b.count : a.word < b.word;
    });
    all.resize(std::min(all.size(), top_words));
    row.top_words = std::move(all);
    stats.tags.push_back(std::move(row));
  }
  std::stable_sort(
      stats.tags.begin(), stats.tags.end(),
      [](const TagStatistics& a, const TagStatistics& b) { return a.count > b.count; });
  return stats;
}

}  // namespace quillon::reference
