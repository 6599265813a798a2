// Lexicon form test, preparation and row reading. Tested by lexicon_test.cc.
#include "core/lexicon.h"

#include <algorithm>
#include <cassert>

#include "core/ascii.h"
#include "core/messages.h"
#include "core/order_key.h"

namespace quillon {
namespace {

// Bytes that end a field of a lexicon row.
bool IsRowSeparator(unsigned char c) {
  return c == 0 || c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == 18 || c == 22 ||
         c == 26 || c == 30;
}

// Bytes that end the word of a plain-form line.
bool IsWordEnd(char c) { return c == 0 || c == '\t' || c == '\n' || c == '\r' || c == ' '; }

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

int SplitRowFields(std::string_view line, std::array<std::string_view, kLexiconMaxFields>* fields) {
  int count = 0;
  size_t pos = 0;
  const size_t n = line.size();
  while (pos < n && count < kLexiconMaxFields) {
    size_t end = pos;
    while (end < n && !IsRowSeparator(static_cast<unsigned char>(line[end]))) ++end;
    (*fields)[count++] = line.substr(pos, end - pos);
    pos = end + 1;  // exactly one separator (or the end of the line) is passed over
  }
  return count;
}

bool IsPreparedForm(const std::vector<std::string>& lines) {
  if (lines.size() < 101) return false;
  std::array<std::string_view, kLexiconMaxFields> fields;
  const int count = SplitRowFields(lines[100], &fields);
  if (count < 1 || !AllDigits(fields[0])) return false;
  const std::string_view word = count >= 2 ? fields[1] : std::string_view();
  return fields[0] == Hash(word);
}

void LEXICON(std::vector<std::string>* lines, RunObserver* observer) {
  const int line_count = static_cast<int>(lines->size());
  if (observer) observer->ProgressShown(Indicator::kLexiconBar, (line_count - 1) / 7);
  std::vector<std::string> prepared;
  prepared.reserve(lines->size() + 2);
  for (int i = 0; i < line_count; ++i) {
    if (observer && i % 7 == 0) observer->ProgressStep(Indicator::kLexiconBar);
    const std::string& line = (*lines)[i];
    if (line.empty() || line[0] == ' ' || line[0] == '\t' || line[0] == '\r' || line[0] == '\n') {
      continue;
    }
    size_t word_end = 0;
    while (word_end < line.size() && !IsWordEnd(line[word_end])) ++word_end;
    const std::string_view word(line.data(), word_end);
    const std::string_view rest =
        word_end < line.size() ? std::string_view(line).substr(word_end + 1) : std::string_view();
    std::string out;
    out.reserve(3 * word.size() + rest.size() + 2);
    AppendKey(word, &out);
    out += ' ';
    out += word;
    out += ' ';
    out += rest;
    prepared.push_back(std::move(out));
  }
  if (observer) observer->StatusText(3, messages::kStatusSorting);
  // Keys are digits followed by a space, so a case-insensitive comparison of whole lines
  // orders them by key first; the stable sort keeps equal lines in file order.
  std::stable_sort(
      prepared.begin(), prepared.end(),
      [](const std::string& a, const std::string& b) { return AsciiLessIgnoringCase(a, b); });
  if (observer) observer->StatusText(3, messages::kStatusDone);
  prepared.insert(prepared.begin(), {kSentinelRow0, kSentinelRow1});
  *lines = std::move(prepared);
}

void LexiconTable::Build(std::vector<std::string> lines, TagTable* tags) {
  lines_ = std::move(lines);
  rows_.clear();
  rows_.resize(lines_.size());
  const TagId empty = tags->Intern("");
  std::array<std::string_view, kLexiconMaxFields> fields;
  for (size_t i = 0; i < lines_.size(); ++i) {
    structure1& row = rows_[i];
    const int count = SplitRowFields(lines_[i], &fields);
    row.FieldCount = count;
    row.Key = count >= 1 ? fields[0] : std::string_view();
    row.Word = count >= 2 ? fields[1] : std::string_view();
    for (int slot = 0; slot < kLexiconTagSlots; ++slot) {
      const int field = slot + 2;
      row.Tags[slot] = field < count ? tags->Intern(fields[field]) : empty;
    }
  }
}

int LexiconTable::AppendRow(std::string_view word, std::string_view key,
                            std::span<const TagId> tags, TagTable* tag_table) {
  assert(!tags.empty() && tags.size() <= kLexiconTagSlots);
  structure1 row;
  row.Word = appended_.emplace_back(word);
  row.Key = appended_.emplace_back(key);
  const TagId empty = tag_table->Intern("");
  for (int slot = 0; slot < kLexiconTagSlots; ++slot) {
    row.Tags[slot] = slot < static_cast<int>(tags.size()) ? tags[slot] : empty;
  }
  row.FieldCount = 2 + static_cast<int>(tags.size());
  rows_.push_back(row);
  return LexiconCount() - 1;
}

}  // namespace quillon
