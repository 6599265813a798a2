// Fuzz harness for the lexicon: any bytes are read as a lexicon file, in plain form or, when
// bit 0 of the first byte is set, forced into prepared form (padded to 101 lines, with line
// 101 made a keyed row), so that both readings see arbitrary rows. The rest of the input
// after a NUL byte holds words to look up. Checks: the table keeps one row per prepared
// line, plain form puts the sentinel rows first and sorts the others by key, the rows agree
// field by field with the plain reference reader, and every search over the index (by word,
// by codes and by digit key) reaches the row the reference bisection reaches.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/ascii.h"
#include "core/lexicon.h"
#include "core/lexicon_index.h"
#include "core/order_key.h"
#include "core/resources.h"
#include "fuzz/fuzz_input.h"
#include "tests/reference/reference_tagger.h"

namespace quillon {
namespace {

using fuzz::Check;

constexpr size_t kMaxInput = 8192;

// Makes lines read as prepared form: at least 101 lines, line 101 a row whose key is that
// of its word.
void ForcePreparedForm(std::vector<std::string>* lines) {
  const size_t original = lines->size();
  for (size_t i = original; i < 101; ++i) {
    lines->push_back(original == 0 ? std::string("a NN") : (*lines)[i % original]);
  }
  std::string& line = (*lines)[100];
  std::array<std::string_view, kLexiconMaxFields> fields;
  const int count = SplitRowFields(line, &fields);
  const std::string word(count >= 2 && !fields[1].empty() ? fields[1] : std::string_view("x"));
  line = Hash(word) + " " + word + " NN";
}

// The index answers with the table's entry of the row the bisection reaches.
void CheckSearch(const LexiconTable& table, const LexiconIndex& index,
                 reference::LexiconState* slow, std::string_view word) {
  std::string scratch;
  slow->Hash(word);
  slow->BiSearch(0, slow->LexiconCount() - 1);
  const int by_word = index.FindWord(word, &scratch);
  const int row = slow->LookupIndex;
  Check(by_word == (row < 0 ? -1 : table.EntryOfRow(row)));
  std::string codes;
  AppendCodes(word, &codes);
  Check(index.FindCodes(codes) == by_word);
  Check(index.Find(Hash(word)) == by_word);
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size == 0 || size > kMaxInput) return 0;
  const bool force_prepared = data[0] & 1;
  const std::vector<std::string_view> parts = fuzz::SplitParts(fuzz::AsText(data + 1, size - 1), 2);
  std::vector<std::string> lines = fuzz::Lines(parts[0]);
  if (force_prepared) ForcePreparedForm(&lines);
  const bool prepared = IsPreparedForm(lines);
  Check(prepared == reference::IsPreparedForm(lines));
  Check(!force_prepared || prepared);

  Resources resources;
  BuildLexicon(lines, nullptr, &resources);
  const std::vector<std::string> expected = prepared ? lines : reference::LEXICON(lines);
  const LexiconTable& table = resources.lexicon;
  Check(table.LexiconCount() == static_cast<int>(expected.size()));
  if (!prepared) {
    Check(table.row(0).Word.empty() && table.row(1).Word.empty());
    for (int i = 3; i < table.LexiconCount(); ++i) {
      Check(AsciiCompareIgnoringCase(table.row(i - 1).Key, table.row(i).Key) <= 0);
    }
  }

  reference::LexiconState slow;
  for (int i = 0; i < table.LexiconCount(); ++i) {
    const reference::structure1 row = reference::ReadRow(expected[i]);
    const structure1& fast = table.row(i);
    Check(fast.Key == row.Key && fast.Word == row.Word && fast.FieldCount == row.FieldCount);
    for (int slot = 0; slot < kLexiconTagSlots; ++slot) {
      Check(resources.tags.Name(fast.Tags[slot]) == row.Tags[slot]);
    }
    slow.rows.push_back(row);
  }
  // Rows 0 and 1 have entries 0 and 1 and no other row has them; rows with the same
  // entry read the same.
  for (int i = 0; i < table.LexiconCount(); ++i) {
    Check((i < 2) == (table.EntryOfRow(i) < 2) && (i >= 2 || table.EntryOfRow(i) == i));
  }
  for (const reference::structure1& row : slow.rows) {
    CheckSearch(table, resources.lexicon_index, &slow, row.Word);
    CheckSearch(table, resources.lexicon_index, &slow, AsciiLowered(row.Word));
  }
  for (const std::string& word : fuzz::Lines(parts[1])) {
    CheckSearch(table, resources.lexicon_index, &slow, word);
  }
  return 0;
}
