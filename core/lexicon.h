// The lexicon table: one row per lexicon line, searched by order key. A lexicon file in
// plain form ("word TAG TAG ...") is prepared first: every entry gets its key, the lines
// are sorted by key and two sentinel rows carrying the start tags of unknown words are put
// in front. A file in prepared form ("key word TAG ...") is read as it stands.
// Tested by lexicon_test.cc.
#ifndef QUILLON_CORE_LEXICON_H_
#define QUILLON_CORE_LEXICON_H_

#include <array>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/distinct_lines.h"
#include "core/run_observer.h"
#include "core/tag_table.h"

namespace quillon {

// The sentinel rows, as lines: row 0 serves unknown words with a capital first letter,
// row 1 every other unknown word.
inline constexpr char kSentinelRow0[] = "\t\tNNP NNS NNP JJ VB VBP VBG RB VBZ VBD";
inline constexpr char kSentinelRow1[] = "\t\tNN NN NNS NNPS JJ VB VBP VBG RB VBZ VBD";

inline constexpr int kLexiconTagSlots = 10;
inline constexpr int kLexiconMaxFields = 13;

// One lexicon row. Word views the table's own line storage; Tags[0] is slot 1. Slots
// without a tag hold the empty tag. Key is a copy: a plain-form file's keys are not kept.
struct structure1 {
  std::string_view Word;
  std::array<TagId, kLexiconTagSlots> Tags{};
  std::string Key;
  int FieldCount = 0;
};

// True when the lines are in prepared form: the 101st line begins with a field of digits
// equal to the order key of its second field. Shorter files are in plain form.
bool IsPreparedForm(const std::vector<std::string>& lines);

// The same test on the 101st line alone.
bool IsPreparedLine(std::string_view line_101);

// Prepares plain-form lines in place: keyed, sorted by key (ties ignoring case), with the
// two sentinel lines in front. observer (may be null) sees the preparation bar and status.
void LEXICON(std::vector<std::string>* lines, RunObserver* observer);

// The order of a plain-form lexicon's rows: by the words' order keys, then by the whole
// line ignoring case (lines "word TAG ..." with one space after the word). The table keeps
// equal lines in file order; a file already in this order is not sorted again on loading.
bool PlainRowLess(std::string_view a, std::string_view b);

// Splits one row line into its fields; at most kLexiconMaxFields are kept. Returns the
// number of fields read, capped at kLexiconMaxFields.
int SplitRowFields(std::string_view line, std::array<std::string_view, kLexiconMaxFields>* fields);

// The lexicon table. Rows keep the numbers the bisection sees (line order, or sorted
// order for a plain-form file), but rows whose lines are the same bytes share one entry:
// each distinct line costs its bytes once, and a row 4 bytes when some line repeats (the
// usual file, without repeats, has its entries numbered as its rows and no row table). Entries 0
// and 1 are rows 0 and 1 (the sentinel rows of a prepared plain file), so an entry number tells a
// known word (2 and above) from an unknown one as a row number does; the lexicon index and the
// licence of the contextual rules work on entries.
class LexiconTable {
 public:
  // Reads the rows of prepared lines (either form), one row per line as they stand; tags
  // are interned into tags.
  void Build(const std::vector<std::string>& lines, TagTable* tags);

  int LexiconCount() const { return static_cast<int>(row_count_); }
  // Row index (0 .. LexiconCount() - 1), with views into the table.
  structure1 row(int index) const { return entry(EntryOfRow(index)); }
  // The order key of row index, the first field of its line; a view into the table or
  // into scratch.
  std::string_view Key(int index, std::string* scratch) const {
    return EntryKey(EntryOfRow(index), scratch);
  }
  std::string_view EntryKey(int entry, std::string* scratch) const;
  // True when the order key of entry is the one of these codes (see AppendCodes), given
  // that its first from codes are (the key is at least that long): what the lexicon
  // index checks a long word against, without a copy of the key of its own.
  bool EntryHasCodes(int entry, std::string_view codes, size_t from = 0) const;

  int EntryCount() const { return static_cast<int>(entry_count_); }
  // True when the rows are a plain-form file's (kept without keys, sorted by key).
  bool keyless() const { return keyless_; }
  // The word of an entry of the file (not an appended one) of a keyless table: its key is
  // the word's.
  std::string_view KeylessEntryWord(int entry) const;
  int EntryOfRow(int row) const {
    return row_entries_.empty() ? row : static_cast<int>(row_entries_[row]);
  }
  structure1 entry(int entry) const;
  // The tags of entry, as entry() gives them, without building its key; returns its field
  // count.
  int EntryTags(int entry, std::array<TagId, kLexiconTagSlots>* tags) const;

  // Appends an entry for word, of order key key, with tags (1 to 10, interned already):
  // the entry a prepared line "key word tags" would give, whatever bytes word holds.
  // Returns its number. No row holds it, so the bisection never reaches it; only an index
  // told of it does (a user's own words, see user_lexicon.h).
  int AppendEntry(std::string_view word, std::string_view key, std::span<const TagId> tags);

 private:
  friend class LexiconBuilder;
  // The appended entry numbered entry, or null for an entry of the file.
  const structure1* Appended(int entry) const {
    const size_t at = static_cast<size_t>(entry) - 2 - lines_.size();
    return entry >= 2 && at < appended_.size() ? &appended_[at] : nullptr;
  }

  std::string_view EntryLine(uint32_t entry) const {
    return entry < 2 ? std::string_view(first_rows_[entry]) : lines_.Get(entry - 2);
  }
  // The fields of entry's line, as SplitRowFields gives them; a plain-form key is built
  // in key.
  int EntryFields(uint32_t entry, std::array<std::string_view, kLexiconMaxFields>* fields,
                  std::string* key) const;
  // The ids of fields 2 on, the empty tag for those missing.
  void FindTags(const std::array<std::string_view, kLexiconMaxFields>& fields, int count,
                std::array<TagId, kLexiconTagSlots>* tags) const;

  const TagTable* tags_ = nullptr;
  std::string first_rows_[2];  // the lines of rows 0 and 1
  DistinctLines lines_;        // the distinct lines of rows 2 and on; entry = id + 2
  // The lines of a plain-form file are kept without their keys, "word rest": the key is
  // the word's, and took as many bytes again.
  bool keyless_ = false;
  uint32_t row_count_ = 0;
  std::vector<uint32_t> row_entries_;  // the entry of each row; empty when it is the row
  uint32_t entry_count_ = 0;
  std::vector<structure1> appended_;       // entries after those of the file's lines
  std::deque<std::string> appended_text_;  // their words: addresses stay put
};

// Builds a lexicon table from the lines of a lexicon file handed over one by one, in
// bounded memory: the first 101 lines are held until the form test has its line, later
// lines go straight into the table's distinct lines. A plain-form file is prepared as
// LEXICON prepares it (the same rows in the same order), a prepared one read as it stands.
class LexiconBuilder {
 public:
  // as_rows: the lines are rows as they stand (no form test, no preparation).
  explicit LexiconBuilder(bool as_rows = false);

  void Add(std::string_view line);

  // Prepares and reads the rows into table; observer (may be null) sees the preparation.
  void Finish(RunObserver* observer, TagTable* tags, LexiconTable* table);

  // Lines handed over so far.
  size_t line_count() const { return line_count_; }

 private:
  enum class Form { kUndecided, kPrepared, kPlain };
  void Decide(Form form);
  void AddDecided(std::string_view line);
  void SortPlainRows(RunObserver* observer);
  void DealRepeatedRows(const std::vector<uint32_t>& order);

  Form form_ = Form::kUndecided;
  size_t line_count_ = 0;
  std::vector<std::string> head_;  // the first lines, while the form is undecided
  LexiconTable table_;             // filled as lines come, handed over by Finish
  uint32_t kept_ = 0;              // plain-form lines kept (those holding an entry)
  // The distinct-line id of each kept line, in file order; empty while no line repeats.
  std::vector<uint32_t> ids_;
  std::string prepared_;  // scratch for one line as kept
};

}  // namespace quillon

#endif  // QUILLON_CORE_LEXICON_H_
