// Counting word/tag pairs, ordering the tags, merging the word list, and the line order
// that keeps the form test from mistaking the file for a prepared lexicon.
// Tested by lexicon_builder_test.cc.
#include "train/lexicon_builder.h"

#include <algorithm>
#include <map>
#include <utility>

#include "core/ascii.h"
#include "core/lexicon.h"
#include "core/line_reader.h"
#include "core/lookup_form.h"
#include "core/order_key.h"
#include "train/field_lines.h"

namespace quillon {
namespace {

bool IsFieldEnd(unsigned char c) {
  return c == 0 || c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == 18 || c == 22 ||
         c == 26 || c == 30;
}

// The form test looks at the 101st line only. A plain lexicon is misread as prepared when
// that line is a number whose digits equal the order key of its first tag ("2930 CD": the
// key of CD is 2930). Moving another line into that place keeps the file plain.
void KeepPlainForm(std::vector<std::string>* lines) {
  constexpr size_t kFormLine = 100;
  if (!IsPreparedForm(*lines)) return;
  for (size_t other = kFormLine + 1; other < lines->size(); ++other) {
    std::swap((*lines)[kFormLine], (*lines)[other]);
    if (!IsPreparedForm(*lines)) return;
    std::swap((*lines)[kFormLine], (*lines)[other]);
  }
  for (size_t other = 0; other < kFormLine; ++other) {
    std::swap((*lines)[kFormLine], (*lines)[other]);
    if (!IsPreparedForm(*lines)) return;
    std::swap((*lines)[kFormLine], (*lines)[other]);
  }
}

using WordTagCounts = std::map<std::string, std::map<std::string, size_t>, std::less<>>;

// A word's corpus tags, most frequent first; equal counts keep the tags' byte order (the
// map's order). Tags seen fewer times than the options allow are left out; the first
// always stays.
std::vector<std::string> RankedTags(const std::map<std::string, size_t>& tag_counts,
                                    const LexiconBuildOptions& options) {
  std::vector<std::pair<std::string, size_t>> ranked(tag_counts.begin(), tag_counts.end());
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::vector<std::string> tags;
  for (const auto& [tag, count] : ranked) {
    if (tags.empty() || count >= static_cast<size_t>(options.min_tag_count)) tags.push_back(tag);
  }
  return tags;
}

// The tagger finds a word by its order key, in which some characters share a code (. ! ?;
// < > * + =; - : ;; every byte outside ASCII), and of the rows with one key it reads
// whichever its bisection reaches first, for every word with that key: ">" can be read
// with the row of "<", "!!!" with that of "...". So words with equal keys get one tag
// list: their corpus counts added up and ranked, then the other tags of each (word lists)
// in word order. Whichever row the tagger reads then gives the tags the counts of all of
// them support, and contextual rules (which see the word itself) can still tell them apart.
void ShareTagsOfEqualKeys(const WordTagCounts& counts, const LexiconBuildOptions& options,
                          std::map<std::string, std::vector<std::string>, std::less<>>* tags_of,
                          LexiconStats* stats) {
  std::map<std::string, std::vector<std::string_view>> words_by_codes;
  std::string codes;
  for (const auto& [word, tags] : *tags_of) {
    codes.clear();
    AppendCodes(word, &codes);
    words_by_codes[codes].push_back(word);
  }
  for (const auto& [key, words] : words_by_codes) {
    if (words.size() < 2) continue;
    std::map<std::string, size_t> summed;
    for (std::string_view word : words) {
      auto it = counts.find(word);
      if (it == counts.end()) continue;
      for (const auto& [tag, count] : it->second) summed[tag] += count;
    }
    std::vector<std::string> shared = RankedTags(summed, options);
    for (std::string_view word : words) {
      for (const std::string& tag : tags_of->find(word)->second) {
        if (std::find(shared.begin(), shared.end(), tag) == shared.end()) shared.push_back(tag);
      }
    }
    for (std::string_view word : words) tags_of->find(word)->second = shared;
    stats->shared_key_words += words.size();
  }
}

// Whether word, with a capital first letter, is in counts in small letters.
bool HasSmallLetterForm(const WordTagCounts& counts, std::string_view word) {
  if (word.empty() || !AsciiIsUpper(static_cast<unsigned char>(word[0]))) return false;
  return counts.count(AsciiLowered(word)) > 0;
}

}  // namespace

bool IsLexiconWord(std::string_view word) {
  if (word.empty()) return false;
  return std::none_of(word.begin(), word.end(),
                      [](char c) { return IsFieldEnd(static_cast<unsigned char>(c)); });
}

Status ParseWordList(std::string_view text, const std::string& name,
                     std::vector<WordListEntry>* entries) {
  return ReadFieldLines(text, name, [&](std::span<const std::string_view> fields) {
    if (fields.empty()) return std::string();  // a blank line
    WordListEntry entry{std::string(fields[0]), {fields.begin() + 1, fields.end()}};
    if (entry.tags.empty()) return "the word \"" + entry.word + "\" has no tag";
    for (const std::string& tag : entry.tags) {
      if (std::any_of(tag.begin(), tag.end(),
                      [](char c) { return static_cast<unsigned char>(c) < ' '; })) {
        return "a tag of \"" + entry.word + "\" holds a control character";
      }
    }
    entries->push_back(std::move(entry));
    return std::string();
  });
}

Status ReadWordList(const std::string& path, std::vector<WordListEntry>* entries) {
  std::string text;
  Status status = ReadText(path, &text, /*skip_byte_order_mark=*/true);
  if (!status.ok()) return status;
  return ParseWordList(text, path, entries);
}

std::vector<std::string> BuildLexiconLines(const Corpus& corpus,
                                           const std::vector<WordListEntry>& wordlist,
                                           const LexiconBuildOptions& options,
                                           LexiconStats* stats) {
  *stats = LexiconStats();
  // word -> tag -> count; ordered maps make the output independent of hashing.
  WordTagCounts counts;
  std::string form;
  for (const TaggedSentence& sentence : corpus.sentences) {
    for (size_t i = 0; i < sentence.words.size(); ++i) {
      ++counts[sentence.words[i]][sentence.tags[i]];
      form.clear();
      if (options.lookup_forms && AppendLookupForm(sentence.words[i], &form)) {
        ++counts[form][sentence.tags[i]];
      }
    }
  }
  std::map<std::string, std::vector<std::string>, std::less<>> tags_of;
  for (const auto& [word, tag_counts] : counts) {
    if (!IsLexiconWord(word)) {
      ++stats->skipped_words;
      continue;
    }
    tags_of[word] = RankedTags(tag_counts, options);
  }
  for (const WordListEntry& entry : wordlist) {
    if (!IsLexiconWord(entry.word)) {
      ++stats->skipped_words;
      continue;
    }
    auto it = tags_of.find(entry.word);
    const bool known = it != tags_of.end();
    if (!known && options.wordlist_known_only) continue;
    if (options.wordlist_new_only && counts.count(entry.word)) continue;
    if (options.wordlist_small_letters && !known && HasSmallLetterForm(counts, entry.word)) {
      continue;
    }
    std::vector<std::string>& tags = known ? it->second : tags_of[entry.word];
    const size_t before = tags.size();
    for (const std::string& tag : entry.tags) {
      if (std::find(tags.begin(), tags.end(), tag) == tags.end()) tags.push_back(tag);
    }
    if (!known) {
      ++stats->wordlist_words;
    } else if (tags.size() > before && counts.count(entry.word)) {
      ++stats->extended;
    }
  }
  ShareTagsOfEqualKeys(counts, options, &tags_of, stats);
  std::vector<std::string> lines;
  lines.reserve(tags_of.size());
  for (auto& [word, tags] : tags_of) {
    if (tags.size() > static_cast<size_t>(kMaxLexiconTags)) {
      tags.resize(kMaxLexiconTags);
      ++stats->truncated;
    }
    std::string line = word;
    for (const std::string& tag : tags) {
      line += ' ';
      line += tag;
    }
    lines.push_back(std::move(line));
  }
  // Written in the order the tagger's table keeps the rows, so loading finds them sorted
  // (the stable sort keeps the words' byte order among lines the table ties, as it does).
  std::stable_sort(lines.begin(), lines.end(), PlainRowLess);
  KeepPlainForm(&lines);
  stats->entries = lines.size();
  return lines;
}

}  // namespace quillon
