// Cutting result tokens and telling a file's layout. Tested by result_statistics_test.cc.
#include "core/result_tokens.h"

#include <array>

namespace quillon {
namespace {

constexpr size_t npos = std::string_view::npos;
constexpr std::string_view kMark = "_M<";
// Enough tokens to tell a layout; the rest of the sample is not looked at.
constexpr int kSampleTokens = 4096;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

// The token with the tag at [begin, end), the separator just before begin.
ResultToken Tagged(std::string_view token, size_t begin, size_t end) {
  return {token.substr(0, begin - 1), token.substr(begin, end - begin), token.substr(end)};
}

ResultToken Untagged(std::string_view token) {
  return {token, token.substr(token.size()), token.substr(token.size())};
}

// Where a multi-word mark begins in token, or npos: the first "_M<" that follows a
// separator and a tag-like field, in a token that ends with ">".
size_t MarkStart(std::string_view token, char separator) {
  if (token.empty() || token.back() != '>') return npos;
  for (size_t at = token.find(kMark, 1); at != npos; at = token.find(kMark, at + 1)) {
    const std::string_view before = token.substr(0, at);
    const size_t sep = before.rfind(separator);
    if (sep != npos && IsTagLike(before.substr(sep + 1))) return at;
  }
  return npos;
}

// The tag after the last separator (before a mark). strict: the tag looks like one.
ResultToken SplitPlain(std::string_view token, char separator, bool* strict) {
  size_t end = MarkStart(token, separator);
  if (end == npos) end = token.size();
  const size_t sep = token.substr(0, end).rfind(separator);
  if (sep == npos || sep + 1 == end) return Untagged(token);
  const ResultToken cut = Tagged(token, sep + 1, end);
  *strict = IsTagLike(cut.tag);
  return cut;
}

// The rightmost tag-like field between two separators; strict when there is one.
ResultToken SplitWithLemma(std::string_view token, char separator, bool* strict) {
  const size_t last = token.rfind(separator);
  for (size_t j = last; j != npos && j > 0; j = token.rfind(separator, j - 1)) {
    const size_t i = token.rfind(separator, j - 1);
    if (i == npos) break;
    if (IsTagLike(token.substr(i + 1, j - i - 1))) {
      *strict = true;
      return Tagged(token, i + 1, j);
    }
  }
  // No field looks like a tag: take the one before the last separator, if any.
  if (last != npos && last > 0) {
    const size_t i = token.rfind(separator, last - 1);
    if (i != npos && i + 1 < last) return Tagged(token, i + 1, last);
  }
  bool plain_strict = false;
  return SplitPlain(token, separator, &plain_strict);
}

ResultToken Split(std::string_view token, const ResultLayout& layout, bool* strict) {
  *strict = false;
  return layout.lemmas ? SplitWithLemma(token, layout.separator, strict)
                       : SplitPlain(token, layout.separator, strict);
}

}  // namespace

bool IsTagLike(std::string_view field) {
  if (field.empty() || field.size() > 10) return false;
  bool all_digits = true;
  for (const char c : field) {
    if (IsLower(c) || c <= ' ' || c > '~') return false;
    all_digits = all_digits && IsDigit(c);
  }
  return !all_digits;
}

ResultToken SplitResultToken(std::string_view token, const ResultLayout& layout) {
  bool strict = false;
  return Split(token, layout, &strict);
}

ResultLayout DetectResultLayout(std::string_view sample) {
  if (const size_t nul = sample.find('\0'); nul != npos) sample = sample.substr(0, nul);
  static constexpr std::array<ResultLayout, 4> kCandidates = {
      ResultLayout{'_', false}, ResultLayout{'/', false}, ResultLayout{'_', true},
      ResultLayout{'/', true}};
  std::array<int, 4> scores{};
  int tokens = 0;
  size_t begin = 0;
  while (begin < sample.size() && tokens < kSampleTokens) {
    const size_t end = std::min(sample.find_first_of(" \r\n", begin), sample.size());
    if (end > begin) {
      const std::string_view token = sample.substr(begin, end - begin);
      for (size_t c = 0; c < kCandidates.size(); ++c) {
        bool strict = false;
        Split(token, kCandidates[c], &strict);
        scores[c] += strict;
      }
      ++tokens;
    }
    begin = end + 1;
  }
  size_t best = 0;
  for (size_t c = 1; c < kCandidates.size(); ++c) {
    if (scores[c] > scores[best]) best = c;
  }
  return kCandidates[best];
}

WordClass ClassOfTag(std::string_view tag) {
  if (tag.starts_with("NN")) return WordClass::kNoun;
  if (tag.starts_with("VB") || tag == "MD") return WordClass::kVerb;
  if (tag.starts_with("JJ")) return WordClass::kAdjective;
  if (tag == "RB" || tag == "RBR" || tag == "RBS") return WordClass::kAdverb;
  static constexpr std::string_view kFunctionTags[] = {
      "CC", "DT", "EX", "IN", "PDT", "POS", "PRP", "RP", "TO", "WDT", "PRP$", "WP", "WP$", "WRB"};
  for (const std::string_view function_tag : kFunctionTags) {
    if (tag == function_tag) return WordClass::kFunction;
  }
  if (tag == "-LRB-" || tag == "-RRB-") return WordClass::kPunctuation;
  bool letters_or_digits = false;
  for (const char c : tag)
    letters_or_digits = letters_or_digits || IsUpper(c) || IsLower(c) || IsDigit(c);
  if (!tag.empty() && !letters_or_digits) return WordClass::kPunctuation;
  return WordClass::kOther;
}

const char* WordClassName(WordClass word_class) {
  switch (word_class) {
    case WordClass::kNoun:
      return "Noun";
    case WordClass::kVerb:
      return "Verb";
    case WordClass::kAdjective:
      return "Adjective";
    case WordClass::kAdverb:
      return "Adverb";
    case WordClass::kFunction:
      return "Function word";
    case WordClass::kPunctuation:
      return "Punctuation";
    case WordClass::kOther:
      return "Other";
  }
  return "Other";
}

}  // namespace quillon
