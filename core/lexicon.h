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

#include "core/run_observer.h"
#include "core/tag_table.h"

namespace quillon {

// The sentinel rows, as lines: row 0 serves unknown words with a capital first letter,
// row 1 every other unknown word.
inline constexpr char kSentinelRow0[] = "\t\tNNP NNS NNP JJ VB VBP VBG RB VBZ VBD";
inline constexpr char kSentinelRow1[] = "\t\tNN NN NNS NNPS JJ VB VBP VBG RB VBZ VBD";

inline constexpr int kLexiconTagSlots = 10;
inline constexpr int kLexiconMaxFields = 13;

// One lexicon row. Word and Key view the table's own line storage; Tags[0] is slot 1.
// Slots without a tag hold the empty tag.
struct structure1 {
  std::string_view Word;
  std::array<TagId, kLexiconTagSlots> Tags{};
  std::string_view Key;
  int FieldCount = 0;
};

// True when the lines are in prepared form: the 101st line begins with a field of digits
// equal to the order key of its second field. Shorter files are in plain form.
bool IsPreparedForm(const std::vector<std::string>& lines);

// Prepares plain-form lines in place: keyed, sorted by key (ties ignoring case), with the
// two sentinel lines in front. observer (may be null) sees the preparation bar and status.
void LEXICON(std::vector<std::string>* lines, RunObserver* observer);

// Splits one row line into its fields; at most kLexiconMaxFields are kept. Returns the
// number of fields read, capped at kLexiconMaxFields.
int SplitRowFields(std::string_view line, std::array<std::string_view, kLexiconMaxFields>* fields);

class LexiconTable {
 public:
  // Reads the rows of prepared lines (either form); tags are interned into tags.
  void Build(std::vector<std::string> lines, TagTable* tags);

  int LexiconCount() const { return static_cast<int>(rows_.size()); }
  const structure1& row(int index) const { return rows_[index]; }

  // Appends a row for word (of order key key) with tags, as a prepared line "key word
  // tags" would give it; returns its index. The table's searches never reach it: only an
  // index told of it does (a user's own words, see user_lexicon.h).
  int AppendRow(std::string_view word, std::string_view key, std::span<const TagId> tags,
                TagTable* tag_table);

 private:
  std::vector<std::string> lines_;    // storage behind the rows' views
  std::deque<std::string> appended_;  // storage of appended rows: addresses stay put
  std::vector<structure1> rows_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_LEXICON_H_
