// Measuring a learned rule list with the real tagger and dropping the rules that hurt.
// The learner applies its rules one after the other over the whole corpus; the tagger
// applies the list position by position in three passes, the first with left-context
// templates only, so a rule that helped during learning can hurt in the tagger (it fires
// before a rule it relied on, or twice). Only the tagger's own result decides.
// Tested by contextual_learner_test.cc.
#include "core/tagger.h"
#include "train/contextual_learner.h"
#include "train/evaluation.h"

namespace quillon {
namespace {

constexpr int kMaxRounds = 3;

}  // namespace

PruneResult PruneContextualRules(const ResourceLines& base, const std::vector<std::string>& rules,
                                 const Corpus& held, const ProgressCallback& progress) {
  PruneResult result;
  std::unique_ptr<Resources> resources =
      MakeResources({base.lexicon, base.tagset, base.lexical, {}});
  auto correct_with = [&](const std::vector<std::string>& lines) {
    resources->contextual_records = ParseContextualRules(lines);
    Tagger tagger(resources.get(), TaggerOptions());
    return CountCorrect(&tagger, held);
  };
  result.tokens = held.TokenCount();
  result.no_rules_correct = correct_with({});
  std::vector<std::string> kept = rules;
  size_t best = correct_with(kept);
  result.all_rules_correct = best;
  bool dropped = true;
  for (int round = 0; dropped && round < kMaxRounds; ++round) {
    dropped = false;
    for (size_t i = kept.size(); i-- > 0;) {
      std::vector<std::string> trial = kept;
      trial.erase(trial.begin() + static_cast<std::ptrdiff_t>(i));
      const size_t correct = correct_with(trial);
      if (correct > best) {
        kept = std::move(trial);
        best = correct;
        dropped = true;
      }
      if (progress) {
        progress({"pruning", kept.size() - i, kept.size(), 0, best, result.tokens});
      }
    }
  }
  result.lines = std::move(kept);
  result.kept_rules_correct = best;
  return result;
}

}  // namespace quillon
