// The fast tagger against the plain reference tagger of tests/reference, on generated
// resource sets and sentences: every output line must be the same, in both tokenizer modes
// and with both separators, over several sentences in a row on one tagger. The lexicon
// rows and the precomputed lexicon index are also compared with the reference's rows and
// recursive bisection, key by key.
//
// Runs are seeded and reproducible. QUILLON_DIFF_SEED fixes the base seed and
// QUILLON_DIFF_SCALE multiplies the counts for long soak runs. A mismatch is shrunk to a
// small failing case, which is printed with its seed.
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include <cctype>

#include "core/contextual_rules.h"
#include "core/ignore_list.h"
#include "core/lexical_rules.h"
#include "core/lexicon.h"
#include "core/lexicon_index.h"
#include "core/resources.h"
#include "core/tagger.h"
#include "tests/core/random_resources.h"
#include "tests/core/resources_from_lines.h"
#include "tests/reference/reference_tagger.h"

namespace quillon {
namespace {

using differential::Escape;
using differential::ResourceGenerator;
using reference::ResourceLines;

uint64_t EnvNumber(const char* name, uint64_t fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != 0 ? std::strtoull(value, nullptr, 10) : fallback;
}

uint64_t BaseSeed() {
  static const uint64_t seed = EnvNumber("QUILLON_DIFF_SEED", std::random_device()());
  return seed;
}

uint64_t Scale() { return std::max<uint64_t>(1, EnvNumber("QUILLON_DIFF_SCALE", 1)); }

// One comparison: resources, options and the sentences tagged in a row.
struct Case {
  ResourceLines lines;
  std::vector<std::string> sentences;
  bool tokenize = true;
  char separator = '_';
};

// Tags the case's sentences with both taggers; on the first difference fills the index
// and the two lines and returns true.
bool FindMismatch(const Case& c, size_t* index, std::string* fast_line,
                  std::string* reference_line) {
  std::unique_ptr<Resources> resources = ResourcesFromLines(c.lines);
  Tagger fast(resources.get(), TaggerOptions{c.tokenize, c.separator});
  reference::ReferenceTagger slow(c.lines, c.tokenize, c.separator);
  for (size_t i = 0; i < c.sentences.size(); ++i) {
    std::string line;
    fast.TagSentence(c.sentences[i], &line);
    std::string expected = slow.TagSentence(c.sentences[i]);
    if (line != expected) {
      *index = i;
      *fast_line = line;
      *reference_line = expected;
      return true;
    }
  }
  return false;
}

bool Fails(const Case& c) {
  size_t index;
  std::string a, b;
  return FindMismatch(c, &index, &a, &b);
}

// Removes chunks of items, halving the chunk size, while the case still fails.
void ShrinkList(Case* c, std::vector<std::string>* items) {
  for (size_t chunk = std::max<size_t>(items->size() / 2, 1); chunk > 0; chunk /= 2) {
    for (size_t start = 0; start < items->size();) {
      const size_t end = std::min(items->size(), start + chunk);
      std::vector<std::string> removed(items->begin() + start, items->begin() + end);
      items->erase(items->begin() + start, items->begin() + end);
      if (Fails(*c)) continue;
      items->insert(items->begin() + start, removed.begin(), removed.end());
      start = end;
    }
  }
}

// Shrinks a failing case: fewer sentences, fewer resource lines, fewer sentence bytes.
void Shrink(Case* c) {
  ShrinkList(c, &c->sentences);
  for (std::vector<std::string>* lines : {&c->lines.contextual_rules, &c->lines.lexical_rules,
                                          &c->lines.tagset, &c->lines.ignore, &c->lines.lexicon}) {
    ShrinkList(c, lines);
  }
  for (std::string& sentence : c->sentences) {
    for (size_t i = 0; i < sentence.size();) {
      std::string shorter = sentence;
      shorter.erase(i, 1);
      std::swap(sentence, shorter);
      if (Fails(*c)) continue;
      std::swap(sentence, shorter);
      ++i;
    }
  }
}

std::string Describe(const Case& c) {
  std::ostringstream out;
  auto list = [&out](const char* name, const std::vector<std::string>& lines) {
    out << name << " (" << lines.size() << " lines):\n";
    for (const std::string& line : lines) out << "  " << Escape(line) << "\n";
  };
  out << "tokenize " << c.tokenize << ", separator '" << c.separator << "'\n";
  list("lexicon", c.lines.lexicon);
  list("tagset", c.lines.tagset);
  list("lexical rules", c.lines.lexical_rules);
  list("contextual rules", c.lines.contextual_rules);
  list("ignore list", c.lines.ignore);
  list("sentences", c.sentences);
  size_t index;
  std::string fast_line, reference_line;
  if (FindMismatch(c, &index, &fast_line, &reference_line)) {
    out << "sentence " << index << "\n  fast:      " << Escape(fast_line)
        << "\n  reference: " << Escape(reference_line) << "\n";
  }
  return out.str();
}

TEST(DifferentialTest, TaggerMatchesReference) {
  const uint64_t sets = 300 * Scale();
  const int sentences_per_set = 25;
  std::printf("differential seed %llu (QUILLON_DIFF_SEED repeats it), %llu resource sets\n",
              static_cast<unsigned long long>(BaseSeed()), static_cast<unsigned long long>(sets));
  size_t compared = 0;
  for (uint64_t set = 0; set < sets; ++set) {
    const uint64_t seed = BaseSeed() + set;
    ResourceGenerator generator(seed);
    Case c;
    c.lines = generator.NewResources();
    for (int i = 0; i < sentences_per_set; ++i) c.sentences.push_back(generator.NewSentence());
    for (const bool tokenize : {true, false}) {
      for (const char separator : {'_', '/'}) {
        c.tokenize = tokenize;
        c.separator = separator;
        if (Fails(c)) {
          Case small = c;
          Shrink(&small);
          ADD_FAILURE() << "fast tagger and reference differ; set seed " << seed << "\n"
                        << Describe(small);
          return;
        }
        compared += c.sentences.size();
      }
    }
  }
  std::printf("%zu sentences compared\n", compared);
}

// Rule files of 10,000 rules over a handful of tags: every FromTag has hundreds of rules,
// many hold at once at a position and chains of changes run through passes 1 and 2, so
// the rule index is checked where its lists are long and its keys collide.
TEST(DifferentialTest, ManyRulesPerFromTagMatchReference) {
  const uint64_t sets = 4 * Scale();
  size_t changes = 0, tokens = 0;
  for (uint64_t set = 0; set < sets; ++set) {
    const uint64_t seed = BaseSeed() + 1000 + set;
    ResourceGenerator generator(seed);
    Case c;
    c.lines = generator.NewResources();
    c.lines.contextual_rules = generator.ManyContextualRules(10000);
    for (int i = 0; i < 10; ++i) c.sentences.push_back(generator.NewSentence());
    c.tokenize = set % 2 == 0;
    if (Fails(c)) {
      Case small = c;
      Shrink(&small);
      ADD_FAILURE() << "fast tagger and reference differ; set seed " << seed << "\n"
                    << Describe(small);
      return;
    }
    // The comparison means something only if the rules change tags, and change some
    // position more than once (a chain through passes 1 and 2).
    std::unique_ptr<Resources> resources = ResourcesFromLines(c.lines);
    Tagger tagger(resources.get(), TaggerOptions{c.tokenize, '_'});
    std::vector<std::string_view> words;
    std::vector<TagId> tags;
    std::vector<uint32_t> fired;
    for (const std::string& sentence : c.sentences) {
      tagger.Tokens(sentence, &words);
      tagger.TagTokens(words, &tags, &fired);
      tokens += words.size();
    }
    changes += fired.size();
  }
  EXPECT_GT(changes, tokens) << "too few rules fire for the comparison to mean much";
}

// The lexicon rows that both readings build from the same lines.
TEST(DifferentialTest, LexiconRowsMatchReference) {
  const uint64_t sets = 300 * Scale();
  for (uint64_t set = 0; set < sets; ++set) {
    const uint64_t seed = BaseSeed() + set;
    ResourceGenerator generator(seed);
    const ResourceLines lines = generator.NewResources();
    std::unique_ptr<Resources> resources = ResourcesFromLines(lines);
    reference::LexiconState slow;
    slow.Load(lines.lexicon);
    ASSERT_EQ(resources->lexicon.LexiconCount(), slow.LexiconCount()) << "set seed " << seed;
    for (int i = 0; i < slow.LexiconCount(); ++i) {
      const structure1& row = resources->lexicon.row(i);
      const reference::structure1& expected = slow.rows[i];
      ASSERT_EQ(row.Key, expected.Key) << "set seed " << seed << ", row " << i;
      ASSERT_EQ(row.Word, expected.Word) << "set seed " << seed << ", row " << i;
      ASSERT_EQ(row.FieldCount, expected.FieldCount) << "set seed " << seed << ", row " << i;
      for (int slot = 0; slot < kLexiconTagSlots; ++slot) {
        ASSERT_EQ(resources->tags.Name(row.Tags[slot]), expected.Tags[slot])
            << "set seed " << seed << ", row " << i << ", slot " << slot + 1;
      }
    }
  }
}

// The form test decides whether a lexicon is sorted and keyed again, so a wrong answer
// changes every lookup. The 101st line alone decides; both readings must agree with the
// expected answer.
TEST(DifferentialTest, FormTestMatchesReference) {
  const struct {
    const char* line_101;
    bool prepared;
  } kCases[] = {
      {"0102 ab NN", true},
      {"0102 ab", true},      // a row without tags is still keyed
      {"0102\tab NN", true},  // any row separator ends the key
      {"0102\x16"
       "ab NN",
       true},
      {"00 ^ SYM", true},             // a word of the "00" group
      {"6854676767 1,000 CD", true},  // 1,000 keyed
      {"1,000 CD", false},            // a plain entry that is a number
      {"1000\tCD JJ", false},
      {"0102 AB NN", false},  // the key of another word
      {"0102", false},
      {" 0102 ab NN", false},
      {"0102  ab", false},  // the second field is empty
      {"", false},
  };
  for (const auto& c : kCases) {
    std::vector<std::string> lines(120, "x NN");
    lines[100] = c.line_101;
    EXPECT_EQ(IsPreparedForm(lines), c.prepared) << Escape(c.line_101);
    EXPECT_EQ(reference::IsPreparedForm(lines), c.prepared) << Escape(c.line_101);
  }
  // Fewer than 101 lines is plain form, whatever the lines hold.
  const std::vector<std::string> short_prepared(100, "0102 ab NN");
  EXPECT_FALSE(IsPreparedForm(short_prepared));
  EXPECT_FALSE(reference::IsPreparedForm(short_prepared));
}

// True when some word has key: digit pairs, each a code from 00 to 76. Lookups are made
// for words only, and the index leaves out the keys no word can have.
bool IsWordKey(const std::string& key) {
  if (key.size() % 2 != 0) return false;
  for (size_t i = 0; i < key.size(); i += 2) {
    if (!std::isdigit(static_cast<unsigned char>(key[i])) ||
        !std::isdigit(static_cast<unsigned char>(key[i + 1])) ||
        (key[i] - '0') * 10 + (key[i + 1] - '0') > 76) {
      return false;
    }
  }
  return true;
}

// Checks index against the reference bisection for key; returns a failure text or "". The
// index answers with the table's entry of the row the bisection reaches.
std::string CompareSearch(const LexiconTable& table, const LexiconIndex& index,
                          reference::LexiconState* slow, const std::string& key) {
  if (!IsWordKey(key)) {
    if (index.Find(key) == -1) return "";
    return "key " + Escape(key) + " that no word has is found";
  }
  slow->CurrentKey = key;
  slow->BiSearch(0, slow->LexiconCount() - 1);
  slow->BinarySearch(0, slow->LexiconCount() - 1);
  const int found = index.Find(key);
  const int row = slow->LookupIndex;
  if (found == (row < 0 ? -1 : table.EntryOfRow(row)) && (row < 0 ? 0 : row) == slow->FoundIndex) {
    return "";
  }
  std::ostringstream out;
  out << "key " << Escape(key) << ": Find " << found << ", BiSearch " << slow->LookupIndex
      << ", BinarySearch " << slow->FoundIndex;
  return out.str();
}

TEST(DifferentialTest, LexiconIndexMatchesBisection) {
  const uint64_t tables = 400 * Scale();
  for (uint64_t t = 0; t < tables; ++t) {
    const uint64_t seed = BaseSeed() + t;
    ResourceGenerator generator(seed);
    // Small and large tables of arbitrary order, and generated lexicons.
    std::vector<std::string> lines;
    if (t % 4 == 0) {
      lines = generator.NewTableLines(1 + static_cast<int>(t % 40));
    } else if (t % 4 == 2) {
      lines = generator.NewTableLines(200 + static_cast<int>(t % 900));
    } else {
      lines = generator.NewResources().lexicon;
      if (!reference::IsPreparedForm(lines)) lines = reference::LEXICON(lines);
    }
    TagTable tags;
    LexiconTable table;
    table.Build(lines, &tags);
    LexiconIndex index;
    index.Build(table);
    reference::LexiconState slow;
    for (const std::string& line : lines) slow.rows.push_back(reference::ReadRow(line));
    std::vector<std::string> keys;
    for (const reference::structure1& row : slow.rows) {
      keys.push_back(row.Key);
      keys.push_back(generator.NearbyKey(row.Key));
      keys.push_back(reference::OrderKey(row.Word));
    }
    for (const std::string& key : keys) {
      const std::string failure = CompareSearch(table, index, &slow, key);
      if (!failure.empty()) {
        std::ostringstream table_text;
        for (const std::string& line : lines) table_text << "  " << Escape(line) << "\n";
        FAIL() << "seed " << seed << ", " << failure << "\ntable:\n" << table_text.str();
      }
    }
  }
}

}  // namespace
}  // namespace quillon
