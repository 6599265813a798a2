// Joining the word lists, guessing the tags of their words the corpus lacks with the real
// tagger (each group of them unknown in turn), and reordering the entries by the guesses.
// Tested by guessed_tag_order_test.cc.
#include "train/guessed_tag_order.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string_view>

#include "core/lookup_form.h"
#include "core/tagger.h"
#include "train/learning_resources.h"

namespace quillon {
namespace {

// Each word's entries joined, in the order the words first appear; a tag given twice is
// kept at its first place, as the lexicon builder adds them.
std::vector<WordListEntry> JoinEntries(const std::vector<WordListEntry>& wordlist) {
  std::vector<WordListEntry> joined;
  std::map<std::string, size_t, std::less<>> index;
  for (const WordListEntry& entry : wordlist) {
    auto [it, fresh] = index.emplace(entry.word, joined.size());
    if (fresh) joined.push_back({entry.word, {}});
    std::vector<std::string>& tags = joined[it->second].tags;
    for (const std::string& tag : entry.tags) {
      if (std::find(tags.begin(), tags.end(), tag) == tags.end()) tags.push_back(tag);
    }
  }
  return joined;
}

// What the corpus gives a lexicon under each spelling (every word, and its lookup form
// when the lexicon counts words under both): how often it is seen, its first tag and
// whether it ever has another.
struct CorpusWord {
  size_t count = 0;
  std::string tag;
  bool one_tag = true;
};

std::map<std::string, CorpusWord, std::less<>> CorpusWords(const Corpus& corpus,
                                                           const LexiconBuildOptions& options) {
  std::map<std::string, CorpusWord, std::less<>> words;
  auto add = [&](const std::string& word, const std::string& tag) {
    CorpusWord& seen = words[word];
    if (seen.count++ == 0) seen.tag = tag;
    if (seen.tag != tag) seen.one_tag = false;
  };
  std::string form;
  for (const TaggedSentence& sentence : corpus.sentences) {
    for (size_t i = 0; i < sentence.words.size(); ++i) {
      add(sentence.words[i], sentence.tags[i]);
      form.clear();
      if (options.lookup_forms && AppendLookupForm(sentence.words[i], &form)) {
        add(form, sentence.tags[i]);
      }
    }
  }
  return words;
}

// A group number fixed by the word's bytes alone (FNV-1a), so that the groups, and the
// guesses, do not depend on the order of the lists.
int GroupOf(std::string_view word, int groups) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : word) hash = (hash ^ c) * 16777619u;
  return static_cast<int>(hash % static_cast<uint32_t>(groups));
}

std::string_view LineWord(std::string_view line) { return line.substr(0, line.find(' ')); }

// The tag the tagger gives each word of group, alone in a sentence, with a lexicon of
// every line whose word is not in the group; none for a word it still finds there (one
// that shares its order key with another word).
std::map<std::string, std::string, std::less<>> GuessGroup(
    const std::vector<std::string>& lexicon, const std::set<std::string_view>& group,
    const std::vector<std::string>& tagset, const std::vector<std::string>& lexical_rules) {
  std::vector<std::string> kept;
  kept.reserve(lexicon.size());
  for (const std::string& line : lexicon) {
    if (!group.count(LineWord(line))) kept.push_back(line);
  }
  std::unique_ptr<Resources> resources =
      MakeResources({std::move(kept), tagset, lexical_rules, {}});
  Tagger tagger(resources.get(), TaggerOptions());
  std::map<std::string, std::string, std::less<>> guesses;
  std::vector<TagId> tags;
  for (std::string_view word : group) {
    tagger.TagTokens({&word, 1}, &tags);
    if (tagger.rows()[0] != 0) continue;
    guesses.emplace(std::string(word), std::string(tagger.TagName(tags[0])));
  }
  return guesses;
}

// A word-list word's tags after the guess: the guess first when listed, or added to a
// single tag.
void ApplyGuess(const std::string& guess, const GuessedOrderOptions& options,
                std::vector<std::string>* tags, GuessedOrderStats* stats) {
  auto listed = std::find(tags->begin(), tags->end(), guess);
  if (listed != tags->end()) {
    if (options.guess_first && listed != tags->begin()) {
      std::rotate(tags->begin(), listed, listed + 1);
      ++stats->moved_first;
    }
  } else if (options.add_to_single && tags->size() == 1) {
    tags->push_back(guess);
    ++stats->added;
  }
}

}  // namespace

std::vector<WordListEntry> OrderByGuessedTags(const Corpus& corpus,
                                              const std::vector<WordListEntry>& wordlist,
                                              const LexiconBuildOptions& lexicon_options,
                                              const std::vector<std::string>& tagset,
                                              const std::vector<std::string>& lexical_rules,
                                              const GuessedOrderOptions& options,
                                              GuessedOrderStats* stats) {
  *stats = GuessedOrderStats();
  std::vector<WordListEntry> joined = JoinEntries(wordlist);
  stats->entries = joined.size();
  const std::map<std::string, CorpusWord, std::less<>> corpus_words =
      CorpusWords(corpus, lexicon_options);
  // The entries to guess: words the corpus lacks (nullptr) and rare one-tag corpus words.
  std::map<std::string_view, const CorpusWord*> to_guess;
  const int groups = std::max(options.groups, 1);
  std::vector<std::set<std::string_view>> members(static_cast<size_t>(groups));
  for (const WordListEntry& entry : joined) {
    if (!IsLexiconWord(entry.word)) continue;
    auto seen = corpus_words.find(entry.word);
    const CorpusWord* word = seen == corpus_words.end() ? nullptr : &seen->second;
    if (word == nullptr) {
      ++stats->list_only;
    } else if (!word->one_tag || word->count > static_cast<size_t>(options.rare_count)) {
      continue;
    }
    to_guess.emplace(entry.word, word);
    members[static_cast<size_t>(GroupOf(entry.word, groups))].insert(entry.word);
  }
  LexiconStats lexicon_stats;
  const std::vector<std::string> lexicon =
      BuildLexiconLines(corpus, joined, lexicon_options, &lexicon_stats);
  std::map<std::string, std::string, std::less<>> guesses;
  for (const auto& group : members) {
    guesses.merge(GuessGroup(lexicon, group, tagset, lexical_rules));
  }
  for (WordListEntry& entry : joined) {
    auto it = guesses.find(entry.word);
    if (it == guesses.end()) continue;
    const CorpusWord* word = to_guess.at(entry.word);
    if (word == nullptr) {
      ++stats->guessed;
      ApplyGuess(it->second, options, &entry.tags, stats);
    } else if (it->second != word->tag &&
               std::find(entry.tags.begin(), entry.tags.end(), it->second) == entry.tags.end()) {
      entry.tags.push_back(it->second);
      ++stats->rare;
    }
  }
  return joined;
}

}  // namespace quillon
