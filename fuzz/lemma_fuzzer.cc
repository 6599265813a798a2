// Fuzz harness for the lemma list and Lemmatization. The input is two texts cut at a NUL
// byte: the lemma list and words to lemmatize (one a line). Checks: a list is refused only
// for a line without "lemma arrow forms" spacing; the records are sorted by key ignoring
// case with no two equal; every word gets the lemma of the record the plain bisection over
// the records reaches for its lowered key, or itself lowered. The listed forms are
// looked up as well as the given words.
#include <string>
#include <vector>

#include "core/ascii.h"
#include "core/lemmatizer.h"
#include "fuzz/fuzz_input.h"
#include "tests/reference/reference_tagger.h"

namespace quillon {
namespace {

using fuzz::Check;

// The lines the loader must refuse: not empty, not a "[" section line, and with no space,
// or nothing after it, or no second space after the arrow's first character.
bool Malformed(const std::string& line) {
  if (line.empty() || line[0] == '[') return false;
  const size_t space = line.find(' ');
  if (space == std::string::npos || space + 1 >= line.size()) return true;
  return line.find(' ', space + 2) == std::string::npos;
}

void CheckWord(const LemmaTable& table, reference::LexiconState* slow, std::string_view word) {
  LemmaTable::Scratch scratch;
  const std::string lowered = AsciiLowered(word);
  slow->Hash(lowered);
  slow->BiSearch(0, slow->LexiconCount() - 1);
  const std::string expected =
      slow->LookupIndex >= 0 ? table.records()[slow->LookupIndex].lemma : lowered;
  Check(table.Lemmatization(word, &scratch) == expected);
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size > 8192) return 0;
  const std::vector<std::string_view> parts = fuzz::SplitParts(fuzz::AsText(data, size), 2);
  const std::vector<std::string> lines = fuzz::Lines(parts[0]);
  LemmaTable table;
  bool malformed = false;
  for (const std::string& line : lines) malformed = malformed || Malformed(line);
  if (!table.Load(lines)) {
    Check(malformed);
    return 0;
  }
  Check(!malformed);
  const std::vector<LemmaRecord>& records = table.records();
  reference::LexiconState slow;
  for (size_t i = 0; i < records.size(); ++i) {
    if (i > 0) {
      const std::string a = records[i - 1].key + " " + records[i - 1].lemma;
      const std::string b = records[i].key + " " + records[i].lemma;
      Check(AsciiCompareIgnoringCase(a, b) < 0);
    }
    reference::structure1 row;
    row.Key = records[i].key;
    slow.rows.push_back(row);
  }
  for (const std::string& word : fuzz::Lines(parts[1])) CheckWord(table, &slow, word);
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == '[') continue;
    const std::string lemma = line.substr(0, line.find(' '));
    const size_t forms = line.find(' ', line.find(' ') + 2) + 1;
    size_t pos = forms;
    while (pos < line.size()) {
      size_t end = line.find(',', pos);
      if (end == std::string::npos) end = line.size();
      CheckWord(table, &slow, std::string_view(line).substr(pos, end - pos));
      pos = end + 1;
    }
  }
  return 0;
}
