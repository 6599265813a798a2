// A user's own lexicon: words the chosen lexicon lacks or gets wrong (product names, a
// field's terms), one a line as "word TAB tag [tag ...]", the most likely tag first, as in
// the lexicon files. Its words take these tags ahead of the chosen lexicon: the first tag
// is the start tag, and the others are what the contextual rules may change it to (the
// licence), exactly as if the word's line stood in the lexicon instead of its own.
//
// Blank lines, and lines that start with "#" and hold no TAB, are skipped. A line without
// a TAB, without a word or without tags, with more than 10 tags (what a lexicon row holds)
// or with a tag that is not in the tag set is malformed: the file is refused with every
// such line named, and the run does not start. A word listed twice takes its last line,
// with a warning; so do two spellings that the lexicon cannot tell apart ("Hi!", "Hi.").
//
// With the modern tokenizer, tokens are looked up by their ASCII forms (’ as ', “ as ``):
// a user's word is entered under that same form, so "rock’n’roll" and "rock'n'roll" in the
// file both match either spelling in the text. Other tokenizers look tokens up as they
// stand, and the words are entered as they are written.
// Tested by user_lexicon_test.cc and fuzz/user_lexicon_fuzzer.cc.
#ifndef QUILLON_CORE_USER_LEXICON_H_
#define QUILLON_CORE_USER_LEXICON_H_

#include <string>
#include <vector>

#include "core/resources.h"
#include "core/run_observer.h"

namespace quillon {

struct UserEntry {
  std::string word;
  std::vector<std::string> tags;
  size_t line = 0;  // its line number, from 1
};

// Reads the lines of a user lexicon called name. tag_set: the tags a line may use. On a
// malformed line returns false with *error naming the lines ("NAME, line N: ...").
// observer (may be null) receives the warnings about words listed twice.
bool ParseUserLexicon(const std::vector<std::string>& lines, const std::string& name,
                      const std::vector<std::string>& tag_set, std::vector<UserEntry>* entries,
                      std::string* error);

// Puts entries in front of resources' lexicon (already built): each word's lookups give
// its own row. modern: enter words under their ASCII lookup forms. observer (may be null)
// is told of words that share a lookup with an earlier line.
void AddUserLexicon(const std::vector<UserEntry>& entries, const std::string& name, bool modern,
                    Resources* resources, RunObserver* observer);

// Reads the user lexicon at path (with the tag set of resources) and adds it. Fails with
// the reason when the file cannot be read or is malformed.
bool LoadUserLexicon(const std::string& path, bool modern, Resources* resources,
                     RunObserver* observer, std::string* error);

}  // namespace quillon

#endif  // QUILLON_CORE_USER_LEXICON_H_
