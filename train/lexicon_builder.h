// Building a plain-form lexicon ("word TAG TAG ...") from a tagged corpus. A word's tags
// are ordered by how often the corpus gives it each tag, most frequent first (the first is
// the word's start tag; ties go to the tag that sorts first), and tags from a word list
// (for example one derived from WordNet) follow the corpus tags. Words that the tagger
// cannot tell apart by their order keys share one tag list. A line holds at most ten
// tags, the number a lexicon row stores. The lines are ordered so that the tagger always
// reads the file as plain form.
// Tested by lexicon_builder_test.cc.
#ifndef QUILLON_TRAIN_LEXICON_BUILDER_H_
#define QUILLON_TRAIN_LEXICON_BUILDER_H_

#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"
#include "train/corpus.h"

namespace quillon {

inline constexpr int kMaxLexiconTags = 10;

// One entry of a word list: a word and tags to add after the corpus tags.
struct WordListEntry {
  std::string word;
  std::vector<std::string> tags;
};

// Reads word list lines of the plain lexicon form: a word, then one or more tags, all
// separated by spaces or tabs. Blank lines are skipped; a word without a tag is an error.
Status ParseWordList(std::string_view text, const std::string& name,
                     std::vector<WordListEntry>* entries);
Status ReadWordList(const std::string& path, std::vector<WordListEntry>* entries);

struct LexiconBuildOptions {
  // A tag that the corpus gives a word fewer times than this is left out, unless it is the
  // word's most frequent tag.
  int min_tag_count = 1;
  // Word list entries only add tags to words of the corpus; no new words.
  bool wordlist_known_only = false;
  // Word list entries only add words the corpus lacks; a corpus word keeps its corpus tags
  // alone, so that rare readings from the list do not let contextual rules change it.
  bool wordlist_new_only = false;
  // Word list entries add no word with a capital first letter that the corpus lacks but
  // holds in small letters. Such an entry is mostly a heading word that an automatically
  // tagged list calls a name (Amazingly NNP, Interested NNP), and the licence keeps that
  // one tag. Left out, the word is read in small letters at a sentence start and as an
  // unknown capitalised word elsewhere.
  bool wordlist_small_letters = false;
  // A corpus word with an ASCII lookup form (’s, “) is counted under that form as well,
  // so that the tagger's default lookup, which reads ’s as 's, sees every occurrence,
  // while text looked up as it stands still finds the word's own spelling.
  bool lookup_forms = false;
};

struct LexiconStats {
  size_t entries = 0;           // lines written
  size_t wordlist_words = 0;    // entries that come from the word list alone
  size_t extended = 0;          // corpus words that got tags from the word list
  size_t truncated = 0;         // entries cut to kMaxLexiconTags tags
  size_t skipped_words = 0;     // words a lexicon line cannot hold (white space, control bytes)
  size_t shared_key_words = 0;  // words whose order key another word has: one tag list
};

// True when word can stand in a lexicon line: not empty, and without the bytes that end a
// field of a lexicon row.
bool IsLexiconWord(std::string_view word);

// The lines of a plain-form lexicon for corpus and the word list.
std::vector<std::string> BuildLexiconLines(const Corpus& corpus,
                                           const std::vector<WordListEntry>& wordlist,
                                           const LexiconBuildOptions& options, LexiconStats* stats);

}  // namespace quillon

#endif  // QUILLON_TRAIN_LEXICON_BUILDER_H_
