// The two greedy learners (plain decision list, f-form transformations), the simulation
// of the two passes that measures a rule file, and the rule lines.
// Tested by lexical_learner_test.cc.
#include "train/lexical_learner.h"

#include <algorithm>
#include <unordered_set>

#include "core/ascii.h"
#include "core/lexical_rules.h"
#include "core/tagger.h"
#include "train/flat_map.h"
#include "train/lexical_conditions.h"

namespace quillon {
namespace {

// Score table keys pack a condition and two tags into 64 bits.
constexpr int kTagBits = 20;
constexpr uint64_t kTagMask = (uint64_t{1} << kTagBits) - 1;
constexpr uint64_t kMaxConditions = (uint64_t{1} << (64 - 2 * kTagBits)) - 1;

struct Rule {
  bool fform = false;
  TagId from = 0;  // f-form only
  uint32_t condition = 0;
  TagId to = 0;
  int score = 0;
};

// What the learners share: the tokens, and which tags and conditions a rule line can hold.
struct Context {
  const UnknownTokenSet* tokens;
  const TagTable* tags;
  std::vector<bool> from_ok;   // per tag: a FromTag the tag list makes an f-form line
  std::vector<bool> to_ok;     // per tag: can be written as NewTag
  std::vector<bool> plain_ok;  // per condition: a plain rule on it can be written and read
};

Context MakeContext(const UnknownTokenSet& tokens, const Resources& resources) {
  Context ctx{&tokens, &resources.tags, {}, {}, {}};
  std::unordered_set<std::string> folded;
  for (const std::string& tag : resources.tag_list) folded.insert(AsciiLowered(tag));
  for (size_t id = 0; id < resources.tags.size(); ++id) {
    const std::string_view name = resources.tags.Name(static_cast<TagId>(id));
    ctx.from_ok.push_back(folded.count(AsciiLowered(name)) > 0);
    // A NewTag that begins with a digit would be taken for a length field.
    ctx.to_ok.push_back(IsRuleField(name) && !(name[0] >= '0' && name[0] <= '9'));
  }
  for (size_t c = 0; c < tokens.condition_count(); ++c) {
    const LexicalCondition& condition = tokens.condition(static_cast<uint32_t>(c));
    // "char" rules are not learned in the plain layout: a match there does not end the
    // pass. A plain line whose first field is a tag would be read as an f-form line.
    ctx.plain_ok.push_back(condition.kind != LexicalKind::kChar &&
                           folded.count(AsciiLowered(condition.argument)) == 0);
  }
  return ctx;
}

// Content order of rules, to break ties between equal scores the same way every time.
bool ComesFirst(const Context& ctx, const Rule& a, const Rule& b) {
  const LexicalCondition& ca = ctx.tokens->condition(a.condition);
  const LexicalCondition& cb = ctx.tokens->condition(b.condition);
  if (ca.kind != cb.kind) return ca.kind < cb.kind;
  if (ca.argument != cb.argument) return ca.argument < cb.argument;
  if (a.from != b.from) return ctx.tags->Name(a.from) < ctx.tags->Name(b.from);
  return ctx.tags->Name(a.to) < ctx.tags->Name(b.to);
}

bool Better(const Context& ctx, const Rule& candidate, const Rule* best) {
  if (best == nullptr || candidate.score != best->score) {
    return best == nullptr || candidate.score > best->score;
  }
  return ComesFirst(ctx, candidate, *best);
}

// The best rule that make(key, count, &rule) builds from an entry of counts (it returns
// false for an entry that makes no rule), with a score of at least min_score.
template <typename Make>
bool BestRule(const Context& ctx, const FlatMap64& counts, int min_score, Rule* best, Make&& make) {
  bool found = false;
  counts.ForEach([&](uint64_t key, int32_t n) {
    Rule candidate;
    if (n < min_score || !make(key, n, &candidate) || candidate.score < min_score) return;
    if (Better(ctx, candidate, found ? best : nullptr)) {
      *best = candidate;
      found = true;
    }
  });
  return found;
}

// Greedy f-form transformations. counts_ holds, for each condition, current tag and gold
// tag, the number of tokens; a rule (from, condition, to) fixes counts_[c, from, to] tokens
// and breaks counts_[c, from, from].
class FformLearner {
 public:
  FformLearner(const Context& ctx, std::vector<TagId> current)
      : ctx_(ctx), current_(std::move(current)) {
    for (size_t t = 0; t < current_.size(); ++t) Count(t, +1);
  }

  bool Next(int min_score, Rule* rule) const {
    return BestRule(ctx_, counts_, min_score, rule, [&](uint64_t key, int32_t n, Rule* r) {
      const TagId gold = static_cast<TagId>(key & kTagMask);
      const TagId from = static_cast<TagId>((key >> kTagBits) & kTagMask);
      if (from == gold || !ctx_.from_ok[from] || !ctx_.to_ok[gold]) return false;
      const uint32_t condition = static_cast<uint32_t>(key >> (2 * kTagBits));
      *r = {true, from, condition, gold, n - counts_.Get(Key(condition, from, from))};
      return true;
    });
  }

  void Apply(const Rule& rule) {
    for (uint32_t t : ctx_.tokens->tokens_with(rule.condition)) {
      if (current_[t] != rule.from) continue;
      Count(t, -1);
      current_[t] = rule.to;
      Count(t, +1);
    }
  }

 private:
  static uint64_t Key(uint32_t condition, TagId current, TagId gold) {
    return (uint64_t{condition} << (2 * kTagBits)) | (uint64_t{current} << kTagBits) | gold;
  }
  void Count(size_t t, int sign) {
    const TagId gold = ctx_.tokens->gold(t);
    for (uint32_t c : ctx_.tokens->conditions(t)) counts_[Key(c, current_[t], gold)] += sign;
  }

  const Context& ctx_;
  std::vector<TagId> current_;
  FlatMap64 counts_;
};

// Greedy plain decision list over the tokens no earlier plain rule has matched. A rule
// (condition, to) gives every such token with the condition the tag to: it fixes those
// whose gold tag is to and breaks those that were right, so its gain is
// counts_[c, to] - right_[c].
class PlainLearner {
 public:
  PlainLearner(const Context& ctx, std::vector<TagId> current)
      : ctx_(ctx), current_(std::move(current)), matched_(current_.size(), false) {
    for (size_t t = 0; t < current_.size(); ++t) Count(t, +1);
  }

  bool Next(int min_score, Rule* rule) const {
    return BestRule(ctx_, counts_, min_score, rule, [&](uint64_t key, int32_t n, Rule* r) {
      const TagId to = static_cast<TagId>(key & kTagMask);
      const uint32_t condition = static_cast<uint32_t>(key >> kTagBits);
      if (!ctx_.plain_ok[condition] || !ctx_.to_ok[to]) return false;
      *r = {false, 0, condition, to, n - right_.Get(condition)};
      return true;
    });
  }

  void Apply(const Rule& rule) {
    for (uint32_t t : ctx_.tokens->tokens_with(rule.condition)) {
      if (matched_[t]) continue;
      Count(t, -1);
      matched_[t] = true;
      current_[t] = rule.to;
    }
  }

  const std::vector<TagId>& current() const { return current_; }

 private:
  void Count(size_t t, int sign) {
    const TagId gold = ctx_.tokens->gold(t);
    const bool right = current_[t] == gold;
    for (uint32_t c : ctx_.tokens->conditions(t)) {
      counts_[(uint64_t{c} << kTagBits) | gold] += sign;
      if (right) right_[c] += sign;
    }
  }

  const Context& ctx_;
  std::vector<TagId> current_;
  std::vector<bool> matched_;
  FlatMap64 counts_;
  FlatMap64 right_;
};

// The tags the tagger gives the tokens with rules: pass A over the plain rules (the first
// match that is not "char" ends it), then pass B over the f-form rules in order. Returns
// the number of tokens tagged right.
size_t Simulate(const Context& ctx, const std::vector<Rule>& rules) {
  const UnknownTokenSet& tokens = *ctx.tokens;
  std::vector<TagId> tag(tokens.size());
  std::vector<bool> decided(tokens.size(), false);
  for (size_t t = 0; t < tokens.size(); ++t) tag[t] = tokens.start(t);
  for (const Rule& rule : rules) {
    if (rule.fform) continue;
    const bool ends_pass = tokens.condition(rule.condition).kind != LexicalKind::kChar;
    for (uint32_t t : tokens.tokens_with(rule.condition)) {
      if (decided[t]) continue;
      tag[t] = rule.to;
      decided[t] = ends_pass;
    }
  }
  for (const Rule& rule : rules) {
    if (!rule.fform) continue;
    for (uint32_t t : tokens.tokens_with(rule.condition)) {
      if (tag[t] == rule.from) tag[t] = rule.to;
    }
  }
  size_t correct = 0;
  for (size_t t = 0; t < tokens.size(); ++t) correct += tag[t] == tokens.gold(t);
  return correct;
}

template <typename Learner>
void LearnRules(const Context& ctx, Learner* learner, size_t limit, int min_score,
                std::string_view stage, size_t correct, const ProgressCallback& progress,
                std::vector<Rule>* rules) {
  Rule rule;
  for (size_t step = 0; step < limit && learner->Next(min_score, &rule); ++step) {
    learner->Apply(rule);
    rules->push_back(rule);
    correct += static_cast<size_t>(rule.score);
    if (progress) progress({stage, step + 1, limit, rule.score, correct, ctx.tokens->size()});
  }
}

std::string FormatRule(const Context& ctx, const Rule& rule) {
  const LexicalCondition& condition = ctx.tokens->condition(rule.condition);
  std::string line;
  if (rule.fform) {
    line += ctx.tags->Name(rule.from);
    line += ' ';
  }
  line += condition.argument;
  line += ' ';
  line += LexicalKindName(condition.kind, rule.fform);
  if (HasLengthField(condition.kind)) line += " " + std::to_string(condition.argument.size());
  line += ' ';
  line += ctx.tags->Name(rule.to);
  return line;
}

// The tagger reads each line back into the rule it was written for.
Status CheckLines(const Context& ctx, const std::vector<Rule>& rules,
                  const std::vector<std::string>& lines, const std::vector<std::string>& tag_list) {
  const std::vector<structure2> records = ParseLexicalRules(lines, tag_list);
  for (size_t i = 0; i < rules.size(); ++i) {
    const Rule& rule = rules[i];
    const LexicalCondition& condition = ctx.tokens->condition(rule.condition);
    const bool same = i < records.size() && records[i].IsFForm == (rule.fform ? 1 : 0) &&
                      records[i].Argument == condition.argument &&
                      records[i].RuleName == LexicalKindName(condition.kind, rule.fform) &&
                      records[i].NewTag == ctx.tags->Name(rule.to) &&
                      (!rule.fform || records[i].FromTag == ctx.tags->Name(rule.from));
    if (!same)
      return Status::Error("internal error: the rule line \"" + lines[i] +
                           "\" would not be read as learned");
  }
  return Status::Ok();
}

}  // namespace

std::vector<LexicalFold> MakeLexicalFolds(const Corpus& corpus, int folds, double holdout,
                                          uint64_t seed, const std::vector<WordListEntry>& wordlist,
                                          const LexiconBuildOptions& options) {
  std::vector<LexicalFold> result;
  LexiconStats stats;
  for (int fold = 0; fold < std::max(folds, 1); ++fold) {
    Corpus rest, held;
    if (folds <= 1) {
      SplitCorpus(corpus, holdout, seed, &rest, &held);
    } else {
      SplitFold(corpus, folds, fold, seed, &rest, &held);
    }
    result.push_back({BuildLexiconLines(rest, wordlist, options, &stats), std::move(held)});
  }
  return result;
}

void TagUnknownWords(const std::vector<std::string>& tagset, const std::vector<LexicalFold>& folds,
                     const std::vector<std::string>& rules, const LexicalLearnOptions& options,
                     size_t* unknown, size_t* correct) {
  *unknown = 0;
  *correct = 0;
  for (const LexicalFold& fold : folds) {
    std::unique_ptr<Resources> resources = MakeResources({fold.lexicon, tagset, rules, {}});
    Tagger tagger(resources.get(), LearningTaggerOptions(options.lookup_forms));
    ForEachUnknownToken(
        &tagger, fold.held, options.once_per_word,
        [&](std::span<const std::string_view>, size_t, TagId tag, const std::string& gold) {
          ++*unknown;
          *correct += tagger.TagName(tag) == gold;
        });
  }
}

Status LearnLexicalRules(const std::vector<std::string>& tagset,
                         const std::vector<LexicalFold>& folds, const LexicalLearnOptions& options,
                         const ProgressCallback& progress, LexicalLearnResult* result) {
  *result = LexicalLearnResult();
  // One resources object for every fold, its lexicon rebuilt per fold, so that all tokens
  // share one tag table.
  std::unique_ptr<Resources> resources = MakeResources({{}, tagset, {}, {}});
  UnknownTokenSet tokens(std::clamp(options.max_affix, 1, 9));  // the length field is one digit
  for (const LexicalFold& fold : folds) {
    BuildLexicon(fold.lexicon, nullptr, resources.get());
    tokens.Add(resources.get(), fold.held, LearningTaggerOptions(options.lookup_forms),
               options.once_per_word);
  }
  tokens.Finish();
  if (resources->tags.size() > kTagMask || tokens.condition_count() >= kMaxConditions) {
    return Status::Error("The learning data hold too many distinct tags or words to count.");
  }
  const Context ctx = MakeContext(tokens, *resources);
  std::vector<TagId> start(tokens.size());
  for (size_t t = 0; t < tokens.size(); ++t) start[t] = tokens.start(t);
  result->tokens = tokens.size();
  result->start_correct = Simulate(ctx, {});
  const size_t max_rules = static_cast<size_t>(std::max(options.max_rules, 0));

  std::vector<Rule> chosen;
  FformLearner fform(ctx, start);
  LearnRules(ctx, &fform, max_rules, options.min_score, "f-form rules", result->start_correct,
             progress, &chosen);
  result->fform_only_correct = Simulate(ctx, chosen);
  result->predicted_correct = result->fform_only_correct;

  const size_t max_plain =
      std::min(static_cast<size_t>(std::max(options.max_plain_rules, 0)), max_rules);
  if (max_plain > 0) {
    std::vector<Rule> rules;
    PlainLearner plain(ctx, start);
    LearnRules(ctx, &plain, max_plain, options.min_score, "plain rules", result->start_correct,
               progress, &rules);
    const size_t plain_count = rules.size();
    FformLearner after_plain(ctx, plain.current());
    LearnRules(ctx, &after_plain, max_rules - plain_count, options.min_score, "f-form rules",
               Simulate(ctx, rules), progress, &rules);
    // Keep a plain rule only if the file tags the learning data worse without it.
    size_t correct = Simulate(ctx, rules);
    for (size_t i = plain_count; i-- > 0;) {
      std::vector<Rule> without = rules;
      without.erase(without.begin() + static_cast<std::ptrdiff_t>(i));
      const size_t correct_without = Simulate(ctx, without);
      if (correct_without >= correct) {
        rules = std::move(without);
        correct = correct_without;
      }
    }
    result->with_plain_correct = correct;
    if (correct > result->predicted_correct) {
      chosen = std::move(rules);
      result->predicted_correct = correct;
    }
  }

  for (const Rule& rule : chosen) {
    result->lines.push_back(FormatRule(ctx, rule));
    ++(rule.fform ? result->fform_rules : result->plain_rules);
  }
  return CheckLines(ctx, chosen, result->lines, resources->tag_list);
}

}  // namespace quillon
