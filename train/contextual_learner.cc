// The incremental transformation learner. Tested by contextual_learner_test.cc.
#include "train/contextual_learner.h"

#include <algorithm>
#include <cassert>

#include "core/tagger.h"
#include "train/context_corpus.h"
#include "train/flat_map.h"

namespace quillon {
namespace {

constexpr int kArgBits = 29;   // word and tag ids in an instance key
constexpr int kTagBits = 16;   // tags in a rule key
constexpr size_t kWindow = 3;  // the farthest a template looks from its position

struct Candidate {
  uint32_t rule = 0;
  int score = 0;
};

class TblLearner {
 public:
  TblLearner(ContextCorpus corpus, const Resources& resources, const WordTable& words, bool licence)
      : c_(std::move(corpus)),
        resources_(resources),
        words_(words),
        licence_(licence),
        spelling_tags_(resources.tags) {
    for (size_t id = 0; id < resources.tags.size(); ++id) {
      tag_ok_.push_back(IsRuleField(resources.tags.Name(static_cast<TagId>(id))));
    }
    IndexWords();
    stamp_.assign(c_.size(), 0);
    for (size_t j = 0; j < c_.size(); ++j) {
      correct_ += c_.tags[j] == c_.gold[j];
      Contribute(j, +1);
    }
  }

  size_t correct() const { return correct_; }
  size_t size() const { return c_.size(); }

  // The best rule with a score of at least min_score, or false.
  bool Next(int min_score, Candidate* best);
  // Applies rule everywhere it holds and is licensed; returns the tags fixed minus broken.
  int Apply(uint32_t rule);
  std::string Line(uint32_t rule) const;

 private:
  static uint64_t InstanceKey(const Instance& in) {
    return (uint64_t{in.templ} << (2 * kArgBits)) | (uint64_t{in.arg1} << kArgBits) | in.arg2;
  }
  static uint64_t RuleKey(uint32_t instance, TagId from, TagId to) {
    return (uint64_t{instance} << 32) | (uint64_t{from} << kTagBits) | to;
  }
  static uint64_t ContextKey(uint32_t instance, TagId from) {
    return (uint64_t{instance} << kTagBits) | from;
  }

  // The spelling of an unknown word binds even without the lexicon licence: the tagger
  // applies it either way.
  bool Licensed(size_t j, TagId to, uint8_t templ) const {
    if (!spelling_tags_.Allows(c_.spelling[j], to)) return false;
    return !licence_ || LicenceAllows(c_.licence_rows[c_.licence[j]], c_.rows[j], to,
                                      templ == kWdPrevTag, c_.changed[j]);
  }
  uint32_t InternInstance(const Instance& in);
  uint32_t InternRule(uint32_t instance, TagId from, TagId to);
  void Contribute(size_t j, int sign);
  void IndexWords();
  template <typename Visit>
  void ForEachCandidate(const Instance& in, Visit&& visit) const;
  int CountBad(uint32_t rule) const;
  void Cache(uint32_t rule);
  bool ComesFirst(uint32_t a, uint32_t b) const;
  std::string ArgText(ArgKind kind, uint32_t arg) const;

  ContextCorpus c_;
  const Resources& resources_;
  const WordTable& words_;
  bool licence_;
  SpellingTags spelling_tags_;
  std::vector<bool> tag_ok_;
  size_t correct_ = 0;

  FlatMap64 instance_ids_;
  std::vector<Instance> instances_;
  FlatMap64 rule_ids_;
  std::vector<uint32_t> rule_instance_;
  std::vector<TagId> rule_from_;
  std::vector<TagId> rule_to_;
  std::vector<int32_t> good_;
  std::vector<int32_t> bad_;                   // -1 until counted
  FlatMap64 cached_ids_;                       // (instance, from) -> index into cached_
  std::vector<std::vector<uint32_t>> cached_;  // rules whose bad count is kept

  std::vector<uint32_t> word_offsets_;  // positions of each word, CSR
  std::vector<uint32_t> word_positions_;
  std::vector<Instance> scratch_;
  std::vector<uint32_t> stamp_;
  uint32_t epoch_ = 0;
};

uint32_t TblLearner::InternInstance(const Instance& in) {
  int32_t& id = instance_ids_[InstanceKey(in)];
  if (id == 0) {
    instances_.push_back(in);
    id = static_cast<int32_t>(instances_.size());  // stored plus one: 0 marks a new entry
  }
  return static_cast<uint32_t>(id - 1);
}

uint32_t TblLearner::InternRule(uint32_t instance, TagId from, TagId to) {
  int32_t& id = rule_ids_[RuleKey(instance, from, to)];
  if (id == 0) {
    rule_instance_.push_back(instance);
    rule_from_.push_back(from);
    rule_to_.push_back(to);
    good_.push_back(0);
    bad_.push_back(-1);
    id = static_cast<int32_t>(good_.size());
  }
  return static_cast<uint32_t>(id - 1);
}

// Adds (sign +1) or removes (sign -1) what position j contributes to the counts: as an
// error, to the good count of every licensed rule from its tag to its gold tag; as a right
// tag, to the bad count of every kept rule from its tag.
void TblLearner::Contribute(size_t j, int sign) {
  const TagId from = c_.tags[j];
  const TagId gold = c_.gold[j];
  if (!tag_ok_[from]) return;
  InstancesAt(c_, j, &scratch_);
  if (from != gold) {
    if (!tag_ok_[gold]) return;
    for (const Instance& in : scratch_) {
      if (!Licensed(j, gold, in.templ)) continue;
      good_[InternRule(InternInstance(in), from, gold)] += sign;
    }
    return;
  }
  for (const Instance& in : scratch_) {
    const int32_t* instance = instance_ids_.Find(InstanceKey(in));
    if (instance == nullptr) continue;
    const int32_t* cached =
        cached_ids_.Find(ContextKey(static_cast<uint32_t>(*instance - 1), from));
    if (cached == nullptr) continue;
    for (uint32_t rule : cached_[static_cast<size_t>(*cached - 1)]) {
      if (Licensed(j, rule_to_[rule], in.templ)) bad_[rule] += sign;
    }
  }
}

void TblLearner::IndexWords() {
  word_offsets_.assign(words_.size() + 1, 0);
  for (uint32_t w : c_.words) ++word_offsets_[w + 1];
  for (size_t w = 0; w < words_.size(); ++w) word_offsets_[w + 1] += word_offsets_[w];
  word_positions_.resize(c_.size());
  std::vector<uint32_t> next(word_offsets_.begin(), word_offsets_.end() - 1);
  for (size_t j = 0; j < c_.size(); ++j) {
    word_positions_[next[c_.words[j]]++] = static_cast<uint32_t>(j);
  }
}

// Calls visit(j) once for every position where in can hold: for templates that name a
// word, the positions at the right distance from that word's occurrences in the same
// sentence; for the tag-only templates, every position.
template <typename Visit>
void TblLearner::ForEachCandidate(const Instance& in, Visit&& visit) const {
  auto occurrences = [&](uint32_t word) {
    return std::span<const uint32_t>(word_positions_.data() + word_offsets_[word],
                                     word_offsets_[word + 1] - word_offsets_[word]);
  };
  const uint32_t* w = c_.words.data();
  switch (in.templ) {
    case kCurWd:
    case kWdNextTag:
    case kRBigram:
    case kWdAnd2Aft:
    case kWdAnd2TagAft:
      for (uint32_t p : occurrences(in.arg1)) visit(p);
      return;
    case kWdPrevTag:
    case kLBigram:
      for (uint32_t p : occurrences(in.arg2)) visit(p);
      return;
    case kPrevWd:
    case kPrev1Or2Wd:
      for (uint32_t p : occurrences(in.arg1)) {
        if (p + 1 < c_.end[p]) visit(p + 1);
        // Two occurrences in a row reach p + 2 through p + 1 already.
        if (in.templ == kPrev1Or2Wd && p + 2 < c_.end[p] && w[p + 1] != in.arg1) visit(p + 2);
      }
      return;
    case kNextWd:
    case kNext1Or2Wd:
      for (uint32_t p : occurrences(in.arg1)) {
        if (p >= c_.begin[p] + 1) visit(p - 1);
        if (in.templ == kNext1Or2Wd && p >= c_.begin[p] + 2 && w[p - 1] != in.arg1) visit(p - 2);
      }
      return;
    default:
      for (size_t j = 0; j < c_.size(); ++j) visit(j);
      return;
  }
}

int TblLearner::CountBad(uint32_t rule) const {
  const Instance& in = instances_[rule_instance_[rule]];
  const TagId from = rule_from_[rule];
  const TagId to = rule_to_[rule];
  int bad = 0;
  ForEachCandidate(in, [&](size_t j) {
    if (c_.tags[j] == from && c_.gold[j] == from && InstanceHolds(c_, j, in) &&
        Licensed(j, to, in.templ)) {
      ++bad;
    }
  });
  return bad;
}

void TblLearner::Cache(uint32_t rule) {
  bad_[rule] = CountBad(rule);
  int32_t& index = cached_ids_[ContextKey(rule_instance_[rule], rule_from_[rule])];
  if (index == 0) {
    cached_.emplace_back();
    index = static_cast<int32_t>(cached_.size());
  }
  cached_[static_cast<size_t>(index - 1)].push_back(rule);
}

std::string TblLearner::ArgText(ArgKind kind, uint32_t arg) const {
  if (kind == ArgKind::kTag) return std::string(resources_.tags.Name(arg));
  if (kind == ArgKind::kWord) return std::string(words_.Name(arg));
  return "";
}

// Content order, so that equal scores are decided the same way on every run.
bool TblLearner::ComesFirst(uint32_t a, uint32_t b) const {
  const auto& tags = resources_.tags;
  if (rule_from_[a] != rule_from_[b]) return tags.Name(rule_from_[a]) < tags.Name(rule_from_[b]);
  if (rule_to_[a] != rule_to_[b]) return tags.Name(rule_to_[a]) < tags.Name(rule_to_[b]);
  const Instance& x = instances_[rule_instance_[a]];
  const Instance& y = instances_[rule_instance_[b]];
  if (x.templ != y.templ) return x.templ < y.templ;
  const std::string x1 = ArgText(FirstArgKind(x.templ), x.arg1);
  const std::string y1 = ArgText(FirstArgKind(y.templ), y.arg1);
  if (x1 != y1) return x1 < y1;
  return ArgText(SecondArgKind(x.templ), x.arg2) < ArgText(SecondArgKind(y.templ), y.arg2);
}

bool TblLearner::Next(int min_score, Candidate* out) {
  bool found = false;
  Candidate best;
  auto consider = [&](uint32_t rule, int score) {
    if (score < min_score) return;
    if (!found || score > best.score || (score == best.score && ComesFirst(rule, best.rule))) {
      best = {rule, score};
      found = true;
    }
  };
  for (uint32_t r = 0; r < good_.size(); ++r) {
    if (good_[r] >= min_score && bad_[r] >= 0) consider(r, good_[r] - bad_[r]);
  }
  // A rule's score is at most its good count: count the bad ones of the rules whose good
  // count could still reach the best score, largest good counts first.
  std::vector<uint32_t> pending;
  const int threshold = found ? best.score : min_score;
  for (uint32_t r = 0; r < good_.size(); ++r) {
    if (bad_[r] < 0 && good_[r] >= threshold) pending.push_back(r);
  }
  std::sort(pending.begin(), pending.end(),
            [&](uint32_t a, uint32_t b) { return good_[a] > good_[b]; });
  for (uint32_t r : pending) {
    if (found && good_[r] < best.score) break;
    Cache(r);
    consider(r, good_[r] - bad_[r]);
  }
  if (found) *out = best;
  return found;
}

int TblLearner::Apply(uint32_t rule) {
  const Instance in = instances_[rule_instance_[rule]];
  const TagId from = rule_from_[rule];
  const TagId to = rule_to_[rule];
  std::vector<uint32_t> changes;
  ForEachCandidate(in, [&](size_t j) {
    if (c_.tags[j] == from && InstanceHolds(c_, j, in) && Licensed(j, to, in.templ)) {
      changes.push_back(static_cast<uint32_t>(j));
    }
  });
  ++epoch_;
  std::vector<uint32_t> affected;
  for (uint32_t p : changes) {
    const size_t first = std::max<size_t>(c_.begin[p], p >= kWindow ? p - kWindow : 0);
    const size_t last = std::min<size_t>(c_.end[p], p + kWindow + 1);
    for (size_t j = first; j < last; ++j) {
      if (stamp_[j] == epoch_) continue;
      stamp_[j] = epoch_;
      affected.push_back(static_cast<uint32_t>(j));
    }
  }
  for (uint32_t j : affected) Contribute(j, -1);
  int delta = 0;
  for (uint32_t p : changes) {
    delta += (c_.gold[p] == to) - (c_.gold[p] == from);
    c_.tags[p] = to;
    c_.changed[p] = 1;
  }
  for (uint32_t j : affected) Contribute(j, +1);
  correct_ = static_cast<size_t>(static_cast<long long>(correct_) + delta);
  return delta;
}

std::string TblLearner::Line(uint32_t rule) const {
  const Instance& in = instances_[rule_instance_[rule]];
  std::string line;
  line += resources_.tags.Name(rule_from_[rule]);
  line += ' ';
  line += resources_.tags.Name(rule_to_[rule]);
  line += ' ';
  line += kTemplateNames[in.templ];
  line += ' ';
  line += ArgText(FirstArgKind(in.templ), in.arg1);
  if (SecondArgKind(in.templ) != ArgKind::kNone) {
    line += ' ';
    line += ArgText(SecondArgKind(in.templ), in.arg2);
  }
  return line;
}

// The tagger reads each line back into the rule it was written for.
Status CheckLines(const std::vector<std::string>& lines) {
  const std::vector<structure4> records = ParseContextualRules(lines);
  for (size_t i = 0; i < lines.size(); ++i) {
    const structure4& r = records[i];
    std::string again = r.FromTag + " " + r.ToTag + " " + r.Template + " " + r.Arg1;
    if (r.FieldCount == 5) again += " " + r.Arg2;
    if (again != lines[i] || r.FieldCount < 4) {
      return Status::Error("internal error: the rule line \"" + lines[i] +
                           "\" would not be read as learned");
    }
  }
  return Status::Ok();
}

}  // namespace

Status LearnContextualRules(const ResourceLines& lines, const Corpus& corpus,
                            const ContextualLearnOptions& options, const ProgressCallback& progress,
                            ContextualLearnResult* result) {
  *result = ContextualLearnResult();
  std::unique_ptr<Resources> resources =
      MakeResources({lines.lexicon, lines.tagset, lines.lexical, {}});
  WordTable words;
  ContextCorpus c;
  const TaggerOptions tagger_options = LearningTaggerOptions(options.lexicon.lookup_forms);
  if (options.folds >= 2) {
    for (int fold = 0; fold < options.folds; ++fold) {
      Corpus rest, held;
      SplitFold(corpus, options.folds, fold, options.seed, &rest, &held);
      LexiconStats stats;
      BuildLexicon(BuildLexiconLines(rest, options.wordlist, options.lexicon, &stats), nullptr,
                   resources.get());
      AppendContextCorpus(resources.get(), held, &words, &c, tagger_options);
    }
  } else {
    AppendContextCorpus(resources.get(), corpus, &words, &c, tagger_options);
  }
  FinishContextCorpus(resources.get(), &words, &c);
  if (words.size() >= (size_t{1} << kArgBits) ||
      resources->tags.size() >= (size_t{1} << kTagBits)) {
    return Status::Error("The learning data hold too many distinct tags or words to count.");
  }

  TblLearner learner(std::move(c), *resources, words, options.licence);
  result->tokens = learner.size();
  result->start_correct = learner.correct();
  const size_t limit = static_cast<size_t>(std::max(options.max_rules, 0));
  Candidate best;
  while (result->lines.size() < limit && learner.Next(options.min_score, &best)) {
    const int delta = learner.Apply(best.rule);
    assert(delta == best.score);
    (void)delta;
    result->lines.push_back(learner.Line(best.rule));
    result->scores.push_back(best.score);
    if (progress) {
      progress({"contextual rules", result->lines.size(), limit, best.score, learner.correct(),
                learner.size()});
    }
  }
  result->learned_correct = learner.correct();
  return CheckLines(result->lines);
}

}  // namespace quillon
