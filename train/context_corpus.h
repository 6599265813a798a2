// The contextual learner's view of its training data: every sentence laid end to end in
// flat arrays (word ids, current and gold tags, lexicon rows, changed flags), each
// position knowing the bounds of its sentence, and the templates' conditions evaluated on
// those arrays exactly as the tagger evaluates them. An instance is a template with its
// arguments (PREVTAG DT, LBIGRAM STAART The); a rule is an instance with a FROM and a TO tag.
// Tested by contextual_learner_test.cc (against the tagger itself).
#ifndef QUILLON_TRAIN_CONTEXT_CORPUS_H_
#define QUILLON_TRAIN_CONTEXT_CORPUS_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/contextual_rules.h"
#include "core/resources.h"
#include "core/tag_table.h"
#include "core/tagger.h"
#include "train/corpus.h"

namespace quillon {

enum class ArgKind : uint8_t { kNone, kTag, kWord };

// What each argument of a template is.
ArgKind FirstArgKind(uint8_t templ);
ArgKind SecondArgKind(uint8_t templ);

struct Instance {
  uint8_t templ = 0;
  uint32_t arg1 = 0;  // a tag id or a word id, by FirstArgKind; 0 when unused
  uint32_t arg2 = 0;
  bool operator==(const Instance&) const = default;
};

// Words interned as small integers.
class WordTable {
 public:
  uint32_t Intern(std::string_view word);
  std::string_view Name(uint32_t id) const { return names_[id]; }
  size_t size() const { return names_.size(); }

 private:
  std::vector<std::string> names_;
  std::unordered_map<std::string, uint32_t> ids_;
};

struct ContextCorpus {
  std::vector<uint32_t> words;
  std::vector<TagId> tags;  // current tags
  std::vector<TagId> gold;
  std::vector<int> rows;          // lexicon row per position, as the tagger found it (0: none)
  std::vector<uint32_t> licence;  // per position: its row in licence_rows
  std::vector<LicenceRow> licence_rows;  // the rows of every lexicon the corpus was tagged with
  std::vector<uint8_t> changed;
  std::vector<uint8_t> spelling;  // per position: as LicenceView::spelling, kAnySpelling if off
  std::vector<uint32_t> begin;    // per position: first position of its sentence
  std::vector<uint32_t> end;      // per position: one past its sentence's last position
  std::vector<bool> word_ok;      // per word id: can stand as a rule argument
  uint32_t staart_tag = 0;        // the tag and word "STAART"
  uint32_t staart_word = 0;

  size_t size() const { return words.size(); }
  // Appends one sentence; licence_base is where its lexicon's rows begin in licence_rows.
  void AddSentence(std::span<const uint32_t> word_ids, std::span<const TagId> start_tags,
                   std::span<const TagId> gold_tags, std::span<const int> lexicon_rows,
                   std::span<const uint8_t> spellings, uint32_t licence_base);
};

// Start-tags corpus with the tagger of resources (lexicon and lexical rules; it must hold
// no contextual rules) and appends it, with that lexicon's licence rows. Words are interned
// into words, gold tags into the resources' tag table: every part appended must come with
// the same resources (its lexicon rebuilt in between). The words kept are those the
// tagger looked the tokens up by (with options).
void AppendContextCorpus(Resources* resources, const Corpus& corpus, WordTable* words,
                         ContextCorpus* out, const TaggerOptions& options = TaggerOptions());

// Interns "STAART" as tag and word and marks the words a rule line can hold; call after
// the last append.
void FinishContextCorpus(Resources* resources, WordTable* words, ContextCorpus* out);

// True when instance's condition holds at position j for the current tags.
bool InstanceHolds(const ContextCorpus& corpus, size_t j, const Instance& instance);

// The instances whose condition holds at position j, each once; instances with a word
// argument that a rule line cannot hold are left out.
void InstancesAt(const ContextCorpus& corpus, size_t j, std::vector<Instance>* out);

}  // namespace quillon

#endif  // QUILLON_TRAIN_CONTEXT_CORPUS_H_
