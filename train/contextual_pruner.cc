// Measuring a learned rule list with the real tagger and dropping the rules that hurt.
// The learner applies its rules one after the other over the whole corpus; the tagger
// applies the list position by position in three passes, the first with left-context
// templates only, so a rule that helped during learning can hurt in the tagger (it fires
// before a rule it relied on, or twice). Only the tagger's own result decides.
//
// A rule that changes no tag of a sentence can be removed without changing how that
// sentence is tagged, since every other step of the tagger sees the same tags. So trying
// the list without a rule re-tags only the sentences where that rule fired.
// Tested by contextual_learner_test.cc.
#include <algorithm>
#include <memory>

#include "core/tagger.h"
#include "train/contextual_learner.h"

namespace quillon {
namespace {

constexpr int kMaxRounds = 3;

struct SentenceScore {
  size_t correct = 0;
  std::vector<uint32_t> fired;  // rule numbers of the full list, each once
};

class Pruner {
 public:
  Pruner(const ResourceLines& base, const std::vector<std::string>& rules, const Corpus& held,
         bool lookup_forms)
      : resources_(MakeResources({base.lexicon, base.tagset, base.lexical, {}})),
        rules_(rules),
        held_(held),
        options_(LearningTaggerOptions(lookup_forms)) {}

  // A tagger running the rules numbered ids, in that order.
  std::unique_ptr<Tagger> TaggerFor(const std::vector<uint32_t>& ids) {
    std::vector<std::string> lines;
    for (uint32_t id : ids) lines.push_back(rules_[id]);
    resources_->contextual_records = ParseContextualRules(lines);
    return std::make_unique<Tagger>(resources_.get(), options_);
  }

  SentenceScore Score(Tagger* tagger, const std::vector<uint32_t>& ids, size_t s) {
    const TaggedSentence& sentence = held_.sentences[s];
    words_.assign(sentence.words.begin(), sentence.words.end());
    fired_.clear();
    tagger->TagTokens(words_, &tags_, &fired_);
    SentenceScore score;
    for (size_t i = 0; i < words_.size(); ++i) {
      score.correct += sentence.tags[i] == tagger->TagName(tags_[i]);
    }
    for (uint32_t record : fired_) score.fired.push_back(ids[record]);
    std::sort(score.fired.begin(), score.fired.end());
    score.fired.erase(std::unique(score.fired.begin(), score.fired.end()), score.fired.end());
    return score;
  }

  size_t ScoreAll(const std::vector<uint32_t>& ids, std::vector<SentenceScore>* scores) {
    std::unique_ptr<Tagger> tagger = TaggerFor(ids);
    scores->resize(held_.sentences.size());
    size_t total = 0;
    for (size_t s = 0; s < held_.sentences.size(); ++s) {
      (*scores)[s] = Score(tagger.get(), ids, s);
      total += (*scores)[s].correct;
    }
    return total;
  }

 private:
  std::unique_ptr<Resources> resources_;
  const std::vector<std::string>& rules_;
  const Corpus& held_;
  const TaggerOptions options_;
  std::vector<std::string_view> words_;
  std::vector<TagId> tags_;
  std::vector<uint32_t> fired_;
};

// For each rule number, the sentences where it fired.
std::vector<std::vector<uint32_t>> SentencesByRule(const std::vector<SentenceScore>& scores,
                                                   size_t rule_count) {
  std::vector<std::vector<uint32_t>> by_rule(rule_count);
  for (size_t s = 0; s < scores.size(); ++s) {
    for (uint32_t rule : scores[s].fired) by_rule[rule].push_back(static_cast<uint32_t>(s));
  }
  return by_rule;
}

}  // namespace

PruneResult PruneContextualRules(const ResourceLines& base, const std::vector<std::string>& rules,
                                 const Corpus& held, bool lookup_forms,
                                 const ProgressCallback& progress) {
  PruneResult result;
  result.tokens = held.TokenCount();
  Pruner pruner(base, rules, held, lookup_forms);
  std::vector<SentenceScore> scores;
  result.no_rules_correct = pruner.ScoreAll({}, &scores);
  std::vector<uint32_t> kept(rules.size());
  for (uint32_t r = 0; r < rules.size(); ++r) kept[r] = r;
  size_t total = pruner.ScoreAll(kept, &scores);
  result.all_rules_correct = total;
  std::vector<std::vector<uint32_t>> fired_in = SentencesByRule(scores, rules.size());

  bool dropped = true;
  for (int round = 0; dropped && round < kMaxRounds; ++round) {
    dropped = false;
    const size_t round_size = kept.size();
    for (size_t i = kept.size(); i-- > 0;) {
      const uint32_t rule = kept[i];
      if (!fired_in[rule].empty()) {
        std::vector<uint32_t> trial = kept;
        trial.erase(trial.begin() + static_cast<std::ptrdiff_t>(i));
        std::unique_ptr<Tagger> tagger = pruner.TaggerFor(trial);
        std::vector<SentenceScore> rescored;
        long long gain = 0;
        for (uint32_t s : fired_in[rule]) {
          rescored.push_back(pruner.Score(tagger.get(), trial, s));
          gain += static_cast<long long>(rescored.back().correct) -
                  static_cast<long long>(scores[s].correct);
        }
        if (gain > 0) {
          for (size_t k = 0; k < rescored.size(); ++k) {
            scores[fired_in[rule][k]] = std::move(rescored[k]);
          }
          kept = std::move(trial);
          total += static_cast<size_t>(gain);
          fired_in = SentencesByRule(scores, rules.size());
          dropped = true;
        }
      }
      if (progress) progress({"pruning", round_size - i, round_size, 0, total, result.tokens});
    }
  }
  for (uint32_t r : kept) result.lines.push_back(rules[r]);
  result.kept_rules_correct = total;
  return result;
}

}  // namespace quillon
