// The reference lexicon: order keys, the prepared-form test, preparation of a plain-form
// lexicon, row reading, and the recursive bisection. Written to be checked by eye, not to
// be fast. Used by differential_test.cc.
#include <algorithm>

#include "tests/reference/reference_tagger.h"

namespace quillon::reference {
namespace {

const char kSentinel0[] = "\t\tNNP NNS NNP JJ VB VBP VBG RB VBZ VBD";
const char kSentinel1[] = "\t\tNN NN NNS NNPS JJ VB VBP VBG RB VBZ VBD";

// The two-digit code of one byte of a word.
int ByteCode(unsigned char c) {
  if (c >= 'a' && c <= 'z') return 1 + (c - 'a');
  if (c >= 'A' && c <= 'Z') return 27 + (c - 'A');
  if (c >= '0' && c <= '9') return 67 + (c - '0');
  switch (c) {
    case '!':
    case '.':
    case '?':
      return 53;
    case ',':
      return 54;
    case '(':
    case '[':
    case '{':
      return 55;
    case ')':
    case ']':
    case '}':
      return 56;
    case '\'':
      return 57;
    case '"':
      return 58;
    case '$':
      return 59;
    case '*':
    case '+':
    case '<':
    case '=':
    case '>':
      return 60;
    case '-':
    case ':':
    case ';':
      return 61;
    case '@':
      return 62;
    case '#':
      return 63;
    case '%':
    case '/':
      return 64;
    case '&':
      return 65;
    case '`':
      return 66;
    default:
      return 0;
  }
}

// The bytes that end a field of a lexicon row.
bool IsRowSeparator(unsigned char c) {
  return c == 0 || c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == 18 || c == 22 ||
         c == 26 || c == 30;
}

// The fields of a row line: each runs to the next separator, and exactly one separator
// follows it; a separator at the very end adds no field.
std::vector<std::string> RowFields(std::string_view line) {
  std::vector<std::string> fields;
  size_t p = 0;
  while (p < line.size()) {
    size_t end = p;
    while (end < line.size() && !IsRowSeparator(line[end])) ++end;
    fields.emplace_back(line.substr(p, end - p));
    p = end + 1;
  }
  return fields;
}

unsigned char FoldCase(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const unsigned char x = FoldCase(a[i]), y = FoldCase(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

// Plain byte order of keys; a key that begins another is the smaller.
int CompareKeys(const std::string& a, const std::string& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const unsigned char x = a[i], y = b[i];
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

std::string OrderKey(std::string_view word) {
  std::string key;
  for (unsigned char c : word) {
    const int code = ByteCode(c);
    key += static_cast<char>('0' + code / 10);
    key += static_cast<char>('0' + code % 10);
  }
  return key;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

bool IsPreparedForm(const std::vector<std::string>& lines) {
  if (lines.size() < 101) return false;
  const std::vector<std::string> fields = RowFields(lines[100]);
  if (fields.empty() || fields[0].empty()) return false;
  for (char c : fields[0]) {
    if (c < '0' || c > '9') return false;
  }
  const std::string word = fields.size() > 1 ? fields[1] : "";
  return fields[0] == OrderKey(word);
}

std::vector<std::string> LEXICON(const std::vector<std::string>& lines) {
  std::vector<std::string> prepared;
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == ' ' || line[0] == '\t' || line[0] == '\r' || line[0] == '\n') {
      continue;
    }
    size_t end = 0;
    while (end < line.size() && line[end] != 0 && line[end] != '\t' && line[end] != '\n' &&
           line[end] != '\r' && line[end] != ' ') {
      ++end;
    }
    const std::string word = line.substr(0, end);
    // A word without any tag has no rest at all; it is read as an empty one.
    const std::string rest = end < line.size() ? line.substr(end + 1) : "";
    prepared.push_back(OrderKey(word) + " " + word + " " + rest);
  }
  std::stable_sort(prepared.begin(), prepared.end(), LessIgnoringCase);
  prepared.insert(prepared.begin(), kSentinel1);
  prepared.insert(prepared.begin(), kSentinel0);
  return prepared;
}

structure1 ReadRow(std::string_view line) {
  const std::vector<std::string> fields = RowFields(line);
  structure1 row;
  row.FieldCount = static_cast<int>(std::min<size_t>(fields.size(), 13));
  if (fields.size() > 0) row.Key = fields[0];
  if (fields.size() > 1) row.Word = fields[1];
  for (size_t slot = 0; slot < 10 && slot + 2 < fields.size(); ++slot) {
    row.Tags[slot] = fields[slot + 2];
  }
  return row;
}

void LexiconState::Load(const std::vector<std::string>& lines) {
  const std::vector<std::string> prepared = IsPreparedForm(lines) ? lines : LEXICON(lines);
  rows.clear();
  for (const std::string& line : prepared) rows.push_back(ReadRow(line));
}

void LexiconState::BinarySearch(int lo, int hi) { Bisect(lo, hi, 0, &FoundIndex); }

void LexiconState::BiSearch(int lo, int hi) { Bisect(lo, hi, -1, &LookupIndex); }

// Every probe writes its row to the slot at once; an empty range writes absent.
void LexiconState::Bisect(int lo, int hi, int absent, int* slot) {
  if (hi < lo) {
    *slot = absent;
    return;
  }
  const int mid = (lo + hi) / 2;
  *slot = mid;
  const int order = CompareKeys(rows[mid].Key, CurrentKey);
  if (order == 0) return;
  if (order > 0) {
    Bisect(lo, mid - 1, absent, slot);
  } else {
    Bisect(mid + 1, hi, absent, slot);
  }
}

}  // namespace quillon::reference
