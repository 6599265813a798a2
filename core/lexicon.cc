// Lexicon form test, preparation and row reading. Tested by lexicon_test.cc.
#include "core/lexicon.h"

#include <algorithm>
#include <cassert>
#include <numeric>
#include <optional>

#include "core/ascii.h"
#include "core/messages.h"
#include "core/order_key.h"

#include <cstdint>

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

// A plain-form line as the table keeps it: its prepared form without the key, "word rest"
// (one space after the word, whatever ended it), into *out; false for a line that holds
// no entry (empty, or beginning with a blank or a line break).
bool KeylessLine(std::string_view line, std::string* out) {
  out->clear();
  if (line.empty() || line[0] == ' ' || line[0] == '\t' || line[0] == '\r' || line[0] == '\n') {
    return false;
  }
  size_t word_end = 0;
  while (word_end < line.size() && !IsWordEnd(line[word_end])) ++word_end;
  out->append(line.substr(0, word_end));
  *out += ' ';
  if (word_end < line.size()) out->append(line.substr(word_end + 1));
  return true;
}

// The word of a kept plain-form line: up to its first space.
std::string_view KeylessWord(std::string_view line) { return line.substr(0, line.find(' ')); }

// The prepared form of a plain-form line into *out ("key word rest"): the kept line with
// its word's key in front; false as for KeylessLine.
bool PrepareLine(std::string_view line, std::string* out) {
  std::string keyless;
  out->clear();
  if (!KeylessLine(line, &keyless)) return false;
  AppendKey(KeylessWord(keyless), out);
  *out += ' ';
  *out += keyless;
  return true;
}

// The first 8 codes of word as one number, zero padded, so that numbers order as the keys
// of the words do (a word of fewer codes first among those it begins).
uint64_t CodesHead(std::string_view word) {
  uint64_t head = 0;
  for (size_t i = 0; i < 8; ++i) {
    head = (head << 8) | (i < word.size() ? KeyCode(static_cast<unsigned char>(word[i])) : 0);
  }
  return head;
}

// The order of the keys of words a and b: negative, zero or positive.
int CompareWordKeys(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int x = KeyCode(static_cast<unsigned char>(a[i]));
    const int y = KeyCode(static_cast<unsigned char>(b[i]));
    if (x != y) return x - y;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Kept plain-form lines in the order of their prepared forms ignoring case: the key
// decides first (a key that begins another is followed by a space, below every digit),
// and lines of one key compare as the rest of their prepared forms do.
int CompareKeyless(std::string_view a, std::string_view b) {
  const int by_key = CompareWordKeys(KeylessWord(a), KeylessWord(b));
  return by_key != 0 ? by_key : AsciiCompareIgnoringCase(a, b);
}

// SplitRowFields, keeping at most max fields.
int SplitFields(std::string_view line, std::string_view* fields, int max) {
  int count = 0;
  size_t pos = 0;
  const size_t n = line.size();
  while (pos < n && count < max) {
    size_t end = pos;
    while (end < n && !IsRowSeparator(static_cast<unsigned char>(line[end]))) ++end;
    fields[count++] = line.substr(pos, end - pos);
    pos = end + 1;  // exactly one separator (or the end of the line) is passed over
  }
  return count;
}

}  // namespace

bool PlainRowLess(std::string_view a, std::string_view b) { return CompareKeyless(a, b) < 0; }

int SplitRowFields(std::string_view line, std::array<std::string_view, kLexiconMaxFields>* fields) {
  return SplitFields(line, fields->data(), kLexiconMaxFields);
}

bool IsPreparedLine(std::string_view line_101) {
  std::array<std::string_view, kLexiconMaxFields> fields;
  const int count = SplitRowFields(line_101, &fields);
  if (count < 1 || !AllDigits(fields[0])) return false;
  const std::string_view word = count >= 2 ? fields[1] : std::string_view();
  return fields[0] == Hash(word);
}

bool IsPreparedForm(const std::vector<std::string>& lines) {
  return lines.size() >= 101 && IsPreparedLine(lines[100]);
}

void LEXICON(std::vector<std::string>* lines, RunObserver* observer) {
  const int line_count = static_cast<int>(lines->size());
  if (observer) observer->ProgressShown(Indicator::kLexiconBar, (line_count - 1) / 7);
  std::vector<std::string> prepared;
  prepared.reserve(lines->size() + 2);
  for (int i = 0; i < line_count; ++i) {
    if (observer && i % 7 == 0) observer->ProgressStep(Indicator::kLexiconBar);
    std::string out;
    if (PrepareLine((*lines)[i], &out)) prepared.push_back(std::move(out));
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

int LexiconTable::EntryFields(uint32_t entry,
                              std::array<std::string_view, kLexiconMaxFields>* fields,
                              std::string* key) const {
  if (!keyless_ || entry < 2) return SplitRowFields(EntryLine(entry), fields);
  // The prepared line is "key word rest", and a key holds no separator: its fields are
  // the key and then those of the kept line.
  const std::string_view line = EntryLine(entry);
  key->clear();
  AppendKey(KeylessWord(line), key);
  (*fields)[0] = *key;
  return 1 + SplitFields(line, fields->data() + 1, kLexiconMaxFields - 1);
}

structure1 LexiconTable::entry(int entry) const {
  if (const structure1* appended = Appended(entry)) return *appended;
  structure1 row;
  std::array<std::string_view, kLexiconMaxFields> fields;
  std::string key;
  const int count = EntryFields(static_cast<uint32_t>(entry), &fields, &key);
  row.FieldCount = count;
  row.Key = count >= 1 ? fields[0] : std::string_view();
  row.Word = count >= 2 ? fields[1] : std::string_view();
  FindTags(fields, count, &row.Tags);
  return row;
}

void LexiconTable::FindTags(const std::array<std::string_view, kLexiconMaxFields>& fields,
                            int count, std::array<TagId, kLexiconTagSlots>* tags) const {
  const TagId empty = tags_->Find("");
  for (int slot = 0; slot < kLexiconTagSlots; ++slot) {
    const int field = slot + 2;
    (*tags)[slot] = field < count ? tags_->Find(fields[field]) : empty;
  }
}

int LexiconTable::EntryTags(int entry, std::array<TagId, kLexiconTagSlots>* tags) const {
  if (const structure1* appended = Appended(entry)) {
    *tags = appended->Tags;
    return appended->FieldCount;
  }
  std::array<std::string_view, kLexiconMaxFields> fields;
  const std::string_view line = EntryLine(static_cast<uint32_t>(entry));
  // The key of a kept plain-form line is one field and holds no separator.
  const int count = keyless_ && entry >= 2
                        ? 1 + SplitFields(line, fields.data() + 1, kLexiconMaxFields - 1)
                        : SplitRowFields(line, &fields);
  FindTags(fields, count, tags);
  return count;
}

std::string_view LexiconTable::EntryKey(int entry, std::string* scratch) const {
  if (const structure1* appended = Appended(entry)) return appended->Key;
  const std::string_view line = EntryLine(static_cast<uint32_t>(entry));
  if (keyless_ && entry >= 2) {
    scratch->clear();
    AppendKey(KeylessWord(line), scratch);
    return *scratch;
  }
  size_t end = 0;
  while (end < line.size() && !IsRowSeparator(static_cast<unsigned char>(line[end]))) ++end;
  return line.substr(0, end);
}

std::string_view LexiconTable::KeylessEntryWord(int entry) const {
  assert(keyless_ && entry >= 0 && Appended(entry) == nullptr);
  return entry < 2 ? std::string_view() : KeylessWord(EntryLine(static_cast<uint32_t>(entry)));
}

bool LexiconTable::EntryHasCodes(int entry, std::string_view codes, size_t from) const {
  const size_t n = codes.size();
  if (keyless_ && entry >= 2 && Appended(entry) == nullptr) {
    // The key is the word's, and the word is the line up to its first space.
    const std::string_view line = EntryLine(static_cast<uint32_t>(entry));
    if (line.size() <= n || line[n] != ' ') return false;
    for (size_t i = from; i < n; ++i) {
      const unsigned char byte = static_cast<unsigned char>(line[i]);
      if (byte == ' ' || KeyCode(byte) != static_cast<unsigned char>(codes[i])) return false;
    }
    return true;
  }
  // A prepared line's key, or an appended entry's: few are long, so they are decoded whole.
  std::string scratch;
  const std::optional<std::string> key_codes = CodesOfKey(EntryKey(entry, &scratch));
  return key_codes && *key_codes == codes;
}

void LexiconTable::Build(const std::vector<std::string>& lines, TagTable* tags) {
  LexiconBuilder builder(/*as_rows=*/true);
  for (const std::string& line : lines) builder.Add(line);
  builder.Finish(nullptr, tags, this);
}

LexiconBuilder::LexiconBuilder(bool as_rows) {
  if (as_rows) form_ = Form::kPrepared;
}

void LexiconBuilder::Add(std::string_view line) {
  ++line_count_;
  if (form_ != Form::kUndecided) {
    AddDecided(line);
    return;
  }
  head_.emplace_back(line);
  if (head_.size() == 101) Decide(IsPreparedLine(head_[100]) ? Form::kPrepared : Form::kPlain);
}

void LexiconBuilder::Decide(Form form) {
  form_ = form;
  std::vector<std::string> head;
  head.swap(head_);
  for (const std::string& line : head) AddDecided(line);
}

void LexiconBuilder::AddDecided(std::string_view line) {
  if (form_ == Form::kPlain) {
    if (!KeylessLine(line, &prepared_)) return;
    const uint32_t id = table_.lines_.Add(prepared_);
    // Until a line repeats, the id of each kept line is its number: ids_ is written out
    // only from the first repeat on.
    if (ids_.empty() && id != kept_) {
      ids_.resize(kept_);
      std::iota(ids_.begin(), ids_.end(), 0u);
    }
    if (!ids_.empty() || id != kept_) ids_.push_back(id);
    ++kept_;
    return;
  }
  // Prepared form: rows 0 and 1 are the first two lines, whatever they hold.
  const uint32_t row = table_.row_count_++;
  if (row < 2) {
    table_.first_rows_[row] = line;
    table_.row_entries_.push_back(row);
  } else {
    table_.row_entries_.push_back(table_.lines_.Add(line) + 2);
  }
}

// The rows of a plain-form file are its kept lines sorted by their prepared form ignoring
// case, equal lines in file order: LEXICON's stable sort. The distinct lines are sorted,
// ties broken by id (ids are handed out in file order). Without repeated lines that order
// is the rows' own, and the lines are renumbered into it, so the table needs no row
// numbers; otherwise DealRepeatedRows places the rows.
void LexiconBuilder::SortPlainRows(RunObserver* observer) {
  DistinctLines& lines = table_.lines_;
  lines.StopAdding();  // no more lines: the lookup slots are freed before the sort
  const uint32_t distinct = lines.size();
  const bool repeats = kept_ != distinct;
  // The bar moves once per 7 lines of the file, over a pass that counts each line.
  const int maximum = static_cast<int>((static_cast<long long>(line_count_) - 1) / 7);
  if (observer) observer->ProgressShown(Indicator::kLexiconBar, maximum);
  for (size_t i = 0; i < line_count_; ++i) {
    if (observer && i % 7 == 0) observer->ProgressStep(Indicator::kLexiconBar);
  }
  if (observer) observer->StatusText(3, messages::kStatusSorting);
  std::vector<uint32_t> order(distinct);
  for (uint32_t id = 0; id < distinct; ++id) order[id] = id;
  {
    // The first 8 codes of each word, read big-endian, order most pairs without touching
    // the lines themselves.
    std::vector<uint64_t> head(distinct);
    for (uint32_t id = 0; id < distinct; ++id) head[id] = CodesHead(KeylessWord(lines.Get(id)));
    auto before = [&](uint32_t a, uint32_t b) {
      if (head[a] != head[b]) return head[a] < head[b];
      const int by_line = CompareKeyless(lines.Get(a), lines.Get(b));
      return by_line != 0 ? by_line < 0 : a < b;
    };
    // A file written in key order (as the learner writes it) needs one pass, not a sort.
    if (!std::is_sorted(order.begin(), order.end(), before)) {
      std::sort(order.begin(), order.end(), before);
    }
  }
  table_.row_count_ = 2 + kept_;
  if (repeats) {
    DealRepeatedRows(order);
  } else {
    lines.Reorder(order);
  }
  std::vector<uint32_t>().swap(ids_);
  if (observer) observer->StatusText(3, messages::kStatusDone);
  table_.first_rows_[0] = kSentinelRow0;
  table_.first_rows_[1] = kSentinelRow1;
}

// Lines with the same bytes get the same place in the sorted order, so the rows are dealt
// into their places by a counting sort over the classes of lines equal ignoring case.
void LexiconBuilder::DealRepeatedRows(const std::vector<uint32_t>& order) {
  const DistinctLines& lines = table_.lines_;
  const uint32_t distinct = lines.size();
  std::vector<uint32_t> count(distinct, 0);
  for (const uint32_t id : ids_) ++count[id];
  // class_of[id]: the class of lines equal to id ignoring case, numbered in sorted order;
  // next[c]: the row (counted from row 2) that the next line of class c goes to.
  std::vector<uint32_t> class_of(distinct, 0);
  std::vector<uint32_t> next;
  uint32_t at = 0;
  for (uint32_t k = 0; k < distinct;) {
    uint32_t end = k;
    const uint32_t klass = static_cast<uint32_t>(next.size());
    next.push_back(at);
    while (end < distinct &&
           (end == k || CompareKeyless(lines.Get(order[k]), lines.Get(order[end])) == 0)) {
      at += count[order[end]];
      class_of[order[end]] = klass;
      ++end;
    }
    k = end;
  }
  std::vector<uint32_t>().swap(count);
  std::vector<uint32_t>& rows = table_.row_entries_;
  rows.assign(2 + kept_, 0);
  rows[1] = 1;
  for (const uint32_t id : ids_) rows[2 + next[class_of[id]]++] = id + 2;
}

void LexiconBuilder::Finish(RunObserver* observer, TagTable* tags, LexiconTable* table) {
  if (form_ == Form::kUndecided) Decide(Form::kPlain);  // fewer than 101 lines
  if (form_ == Form::kPlain) SortPlainRows(observer);
  table_.keyless_ = form_ == Form::kPlain;
  table_.lines_.StopAdding();
  // A prepared file without repeated lines has each row as its own entry.
  std::vector<uint32_t>& rows = table_.row_entries_;
  bool identity = true;
  for (uint32_t row = 0; row < rows.size() && identity; ++row) identity = rows[row] == row;
  if (identity) std::vector<uint32_t>().swap(rows);
  table_.entry_count_ = 2 + table_.lines_.size();
  // Every tag of every entry is interned once, so that reading an entry only looks up.
  tags->Intern("");
  std::array<std::string_view, kLexiconMaxFields> fields;
  std::string key;
  for (uint32_t e = 0; e < table_.entry_count_; ++e) {
    const int count = table_.EntryFields(e, &fields, &key);
    for (int field = 2; field < count && field < 2 + kLexiconTagSlots; ++field) {
      tags->Intern(fields[field]);
    }
  }
  table_.tags_ = tags;
  *table = std::move(table_);
  table_ = LexiconTable();
}

int LexiconTable::AppendEntry(std::string_view word, std::string_view key,
                              std::span<const TagId> tags) {
  assert(!tags.empty() && tags.size() <= kLexiconTagSlots && tags_ != nullptr);
  structure1 row;
  row.Word = appended_text_.emplace_back(word);
  row.Key = key;
  const TagId empty = tags_->Find("");
  for (int slot = 0; slot < kLexiconTagSlots; ++slot) {
    row.Tags[slot] = slot < static_cast<int>(tags.size()) ? tags[slot] : empty;
  }
  row.FieldCount = 2 + static_cast<int>(tags.size());
  appended_.push_back(row);
  return static_cast<int>(entry_count_++);
}

}  // namespace quillon
