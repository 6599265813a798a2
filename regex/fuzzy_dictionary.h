// Dictionaries for pattern preprocessing, and the program-wide fuzzy character dictionary:
// 145 groups of characters that count as the same (full- and half-width letters, digits
// and signs, hiragana and katakana, voiced marks written apart). Its rows are stored as
// comma texts in Shift-JIS bytes, the code page the engine's double-byte mode works in.
// Tested by preprocessor_test.cc.
#ifndef QUILLON_REGEX_FUZZY_DICTIONARY_H_
#define QUILLON_REGEX_FUZZY_DICTIONARY_H_

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// An ordered list of groups; a group is an ordered list of variants (byte strings) that
// count as the same.
struct RegexDictionary {
  std::vector<std::vector<std::string>> groups;
};

// Splits a comma text into its items: items are separated by commas; an item in double
// quotes may hold commas and blanks, a doubled double quote in it standing for one; a
// trailing comma adds an empty item. The empty text has no item.
std::vector<std::string> ParseCommaText(std::string_view text);

// The stored rows of the fuzzy character dictionary, one comma text per group.
std::span<const char* const> FuzzyCharDictionaryRows();

// The fuzzy character dictionary, built from its rows on first use.
const RegexDictionary& FuzzyCharDictionary();

}  // namespace quillon

#endif  // QUILLON_REGEX_FUZZY_DICTIONARY_H_
