// Fixed word lists of the modern tokenizer, searched linearly: each is short and is asked
// only about words of the right shape. Tested by modern_tokenizer_test.cc.
#include "core/token_patterns.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <span>

#include "core/ascii.h"

namespace quillon {
namespace {

bool ContainsIgnoringCase(std::span<const std::string_view> list, std::string_view word) {
  return std::any_of(list.begin(), list.end(),
                     [&](std::string_view entry) { return AsciiEqualsIgnoringCase(entry, word); });
}

// Prefixes that the corpora keep joined to the rest of the word by a hyphen. Whole words
// before a hyphen ("self", "well", "vice", "x") are cut there, as the corpora cut them.
constexpr std::string_view kHyphenPrefixes[] = {
    "anti",   "arch",   "bi",    "bio",   "co",    "counter", "cross", "cyber", "de",    "e",
    "eco",    "ex",     "extra", "hyper", "infra", "inter",   "intra", "macro", "mega",  "micro",
    "mid",    "mini",   "mis",   "multi", "neo",   "non",     "over",  "post",  "pre",   "pro",
    "pseudo", "psycho", "quasi", "re",    "semi",  "socio",   "sub",   "super", "trans", "ultra"};

constexpr std::string_view kUnits[] = {
    "am", "pm", "m",  "k",   "b",   "bn",   "mm",  "cm",   "km",      "kg",      "mg",
    "ml", "x",  "ft", "f",   "hz",  "lb",   "lbs", "oz",   "kb",      "mb",      "gb",
    "tb", "sq", "hr", "hrs", "min", "mins", "mph", "days", "minutes", "percent", "kw"};

struct Contraction {
  std::string_view word;
  unsigned char parts[4];  // lengths, ending with 0
};

// Words that hide a contraction, cut as the corpora cut them ("dont" as "do" "nt").
constexpr Contraction kContractions[] = {
    {"cannot", {3, 3, 0}},   {"gonna", {3, 2, 0}},    {"wanna", {3, 2, 0}},  {"gotta", {3, 2, 0}},
    {"outta", {3, 2, 0}},    {"lotta", {3, 2, 0}},    {"gimme", {3, 2, 0}},  {"lemme", {3, 2, 0}},
    {"dunno", {2, 1, 2, 0}}, {"dont", {2, 2, 0}},     {"doesnt", {4, 2, 0}}, {"didnt", {3, 2, 0}},
    {"cant", {2, 2, 0}},     {"wont", {2, 2, 0}},     {"aint", {2, 2, 0}},   {"couldnt", {5, 2, 0}},
    {"wouldnt", {5, 2, 0}},  {"shouldnt", {6, 2, 0}}, {"isnt", {2, 2, 0}},   {"arent", {3, 2, 0}},
    {"wasnt", {3, 2, 0}},    {"werent", {4, 2, 0}},   {"havent", {4, 2, 0}}, {"hasnt", {3, 2, 0}},
    {"hadnt", {3, 2, 0}},    {"mustnt", {4, 2, 0}},   {"neednt", {4, 2, 0}}, {"im", {1, 1, 0}},
    {"ive", {1, 2, 0}},      {"youre", {3, 2, 0}},    {"theyre", {4, 2, 0}}, {"youve", {3, 2, 0}},
    {"theyve", {4, 2, 0}},   {"youll", {3, 2, 0}},    {"itll", {2, 2, 0}},   {"thats", {4, 1, 0}},
    {"whats", {4, 1, 0}},    {"theres", {5, 1, 0}},   {"hes", {2, 1, 0}},
};

// Ordered so that a longer one comes before any that begins it (":-)" before ":-").
constexpr std::string_view kEmoticons[] = {
    ":'-)", ">:(", ":-)", ":-(", ";-)", ":-D", ":-P", ":-p", ":'(", ":-/", ":-|",
    ":-O",  ":-*", "</3", "^_^", "o_O", "O_o", "-_-", ":)",  ":(",  ";)",  ":D",
    ";D",   ":P",  ":p",  ";P",  ";p",  ":/",  ":|",  ":o",  ":O",  ":]",  ":[",
    ":*",   "=)",  "=(",  "=D",  "XD",  "xD",  "<3",  "^^",  ":S"};

// Words that begin with an apostrophe standing for letters left out.
constexpr std::string_view kApostropheWords[] = {"em", "n", "cause", "til", "bout"};

constexpr std::string_view kUrlOpenings[] = {"http://", "https://", "ftp://",
                                             "file://", "mailto:",  "www."};

constexpr std::string_view kMonthsAndDays[] = {
    "Jan", "Feb", "Mar", "Apr",  "Jun", "Jul", "Aug",  "Sep",   "Sept", "Oct", "Nov",
    "Dec", "Mon", "Tue", "Tues", "Wed", "Thu", "Thur", "Thurs", "Fri",  "Sat", "Sun"};

constexpr LetterSets MakeContractionLetters() {
  LetterSets sets;
  for (const Contraction& c : kContractions) {
    sets.first[c.word.size()] |= 1u << (c.word.front() - 'a');
    sets.last[c.word.size()] |= 1u << (c.word.back() - 'a');
  }
  return sets;
}
constexpr LetterSets kLetters = MakeContractionLetters();

// The bytes that emoticons begin and end with, so that most texts are ruled out at once.
struct ByteSets {
  std::array<bool, 256> first{};
  std::array<bool, 256> last{};
};
constexpr ByteSets MakeEmoticonBytes() {
  ByteSets sets;
  for (std::string_view e : kEmoticons) {
    sets.first[static_cast<unsigned char>(e.front())] = true;
    sets.last[static_cast<unsigned char>(e.back())] = true;
  }
  return sets;
}
constexpr ByteSets kEmoticonBytes = MakeEmoticonBytes();

bool MayStartEmoticon(std::string_view text) {
  return !text.empty() && kEmoticonBytes.first[static_cast<unsigned char>(text.front())];
}
bool MayEndEmoticon(std::string_view text) {
  return !text.empty() && kEmoticonBytes.last[static_cast<unsigned char>(text.back())];
}

size_t DigitsLength(std::string_view text) {
  size_t n = 0;
  while (n < text.size() && IsAsciiDigit(static_cast<unsigned char>(text[n]))) ++n;
  return n;
}

}  // namespace

const LetterSets kContractionLetters = kLetters;

bool IsHyphenPrefix(std::string_view prefix) {
  return prefix.size() <= 7 && ContainsIgnoringCase(kHyphenPrefixes, prefix);
}

bool IsUnitAfterNumber(std::string_view letters) {
  return letters.size() <= 7 && ContainsIgnoringCase(kUnits, letters);
}

const unsigned char* ContractionParts(std::string_view word) {
  if (!MayHideContraction(word)) return nullptr;
  for (const Contraction& c : kContractions) {
    if (AsciiEqualsIgnoringCase(c.word, word)) return c.parts;
  }
  return nullptr;
}

bool IsEmoticon(std::string_view text) {
  return text.size() >= 2 && text.size() <= 4 && MayStartEmoticon(text) && MayEndEmoticon(text) &&
         std::find(std::begin(kEmoticons), std::end(kEmoticons), text) != std::end(kEmoticons);
}

size_t EmoticonPrefixLength(std::string_view text) {
  if (!MayStartEmoticon(text)) return 0;
  for (std::string_view emoticon : kEmoticons) {
    if (text.starts_with(emoticon)) return emoticon.size();
  }
  return 0;
}

size_t EmoticonSuffixLength(std::string_view text) {
  if (!MayEndEmoticon(text)) return 0;
  for (std::string_view emoticon : kEmoticons) {
    if (text.ends_with(emoticon)) return emoticon.size();
  }
  return 0;
}

size_t UrlOpeningLength(std::string_view text) {
  const char first = text.empty() ? 0 : static_cast<char>(text[0] | 0x20);
  if (first != 'h' && first != 'f' && first != 'm' && first != 'w') return 0;
  for (std::string_view opening : kUrlOpenings) {
    if (text.size() > opening.size() &&
        AsciiEqualsIgnoringCase(text.substr(0, opening.size()), opening)) {
      return opening.size();
    }
  }
  return 0;
}

bool IsApostropheWord(std::string_view letters) {
  return letters.size() <= 5 && ContainsIgnoringCase(kApostropheWords, letters);
}

bool IsMonthAbbreviation(std::string_view word) {
  return word.size() <= 5 && ContainsIgnoringCase(kMonthsAndDays, word);
}

size_t DateLength(std::string_view text) {
  const size_t day = DigitsLength(text);
  if (day == 0 || day > 2 || day >= text.size() || text[day] != '-') return 0;
  size_t month_end = day + 1;
  while (month_end < text.size() && IsAsciiLetter(static_cast<unsigned char>(text[month_end]))) {
    ++month_end;
  }
  const std::string_view month = text.substr(day + 1, month_end - day - 1);
  if (!IsMonthAbbreviation(month) || month_end >= text.size() || text[month_end] != '-') return 0;
  const size_t year = DigitsLength(text.substr(month_end + 1));
  return year > 0 && year <= 4 ? month_end + 1 + year : 0;
}

size_t NumberCodeLength(std::string_view text) {
  size_t groups = 0, first = 0, last = 0, end = 0;
  for (size_t i = 0;;) {
    const size_t group = DigitsLength(text.substr(i));
    if (group == 0) break;
    last = group;
    if (groups++ == 0) first = group;
    end = i + group;
    if (end + 1 >= text.size() || text[end] != '-') break;
    i = end + 1;
  }
  return groups >= 3 || (groups == 2 && first <= 3 && last >= 4) ? end : 0;
}

}  // namespace quillon
