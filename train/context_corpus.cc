// Template conditions over the flat arrays. Each case reads the same positions as the
// tagger's own test of that template, including the STAART cases at the sentence edges.
// Tested by contextual_learner_test.cc.
#include "train/context_corpus.h"

#include <algorithm>
#include <cassert>

#include "core/tagger.h"
#include "train/learning_resources.h"

namespace quillon {
namespace {

constexpr ArgKind T = ArgKind::kTag;
constexpr ArgKind W = ArgKind::kWord;
constexpr ArgKind N = ArgKind::kNone;

constexpr ArgKind kArgKinds[kTemplateCount][2] = {
    {T, N}, {T, N}, {T, N}, {T, N}, {W, N}, {W, N},  // PREVTAG .. PREV1OR2WD
    {T, N}, {T, N}, {T, N}, {T, N}, {W, N}, {W, N},  // NEXTTAG .. NEXT1OR2WD
    {W, N}, {T, W}, {W, T}, {T, T}, {T, T}, {T, T},  // CURWD .. NEXTBIGRAM
    {W, W}, {W, W}, {W, W}, {W, T},                  // LBIGRAM .. WDAND2TAGAFT
};

}  // namespace

ArgKind FirstArgKind(uint8_t templ) { return kArgKinds[templ][0]; }
ArgKind SecondArgKind(uint8_t templ) { return kArgKinds[templ][1]; }

uint32_t WordTable::Intern(std::string_view word) {
  auto [it, fresh] = ids_.emplace(std::string(word), static_cast<uint32_t>(names_.size()));
  if (fresh) names_.emplace_back(word);
  return it->second;
}

void ContextCorpus::AddSentence(std::span<const uint32_t> word_ids,
                                std::span<const TagId> start_tags, std::span<const TagId> gold_tags,
                                std::span<const int> lexicon_rows,
                                std::span<const uint8_t> spellings, uint32_t licence_base) {
  const uint32_t first = static_cast<uint32_t>(words.size());
  const uint32_t last = first + static_cast<uint32_t>(word_ids.size());
  words.insert(words.end(), word_ids.begin(), word_ids.end());
  tags.insert(tags.end(), start_tags.begin(), start_tags.end());
  gold.insert(gold.end(), gold_tags.begin(), gold_tags.end());
  rows.insert(rows.end(), lexicon_rows.begin(), lexicon_rows.end());
  spelling.insert(spelling.end(), spellings.begin(), spellings.end());
  for (int row : lexicon_rows) licence.push_back(licence_base + static_cast<uint32_t>(row));
  changed.resize(last, 0);
  begin.resize(last, first);
  end.resize(last, last);
}

void AppendContextCorpus(Resources* resources, const Corpus& corpus, WordTable* words,
                         ContextCorpus* out, const TaggerOptions& options) {
  assert(resources->contextual_records.empty());
  const uint32_t licence_base = static_cast<uint32_t>(out->licence_rows.size());
  HugePageBuffer<LicenceRow> licence_rows;
  BuildLicenceRows(resources->lexicon, &licence_rows);
  for (size_t r = 0; r < licence_rows.size(); ++r) out->licence_rows.push_back(licence_rows[r]);
  Tagger tagger(resources, options);
  std::vector<TagId> tags;
  std::vector<uint32_t> word_ids;
  std::vector<TagId> gold;
  std::vector<uint8_t> spellings;
  for (const TaggedSentence& sentence : corpus.sentences) {
    const std::vector<std::string_view> views = WordViews(sentence.words);
    tagger.TagTokens(views, &tags);
    const std::span<const std::string_view> looked_up = tagger.looked_up();
    word_ids.clear();
    gold.clear();
    spellings.clear();
    for (size_t i = 0; i < views.size(); ++i) {
      const bool unknown = tagger.rows()[i] == 0;
      spellings.push_back(options.unknown_spelling && unknown ? SpellingOf(looked_up[i])
                                                              : kAnySpelling);
      word_ids.push_back(words->Intern(looked_up[i]));
      gold.push_back(resources->tags.Intern(sentence.tags[i]));
    }
    out->AddSentence(word_ids, tags, gold, tagger.rows(), spellings, licence_base);
  }
}

void FinishContextCorpus(Resources* resources, WordTable* words, ContextCorpus* out) {
  out->staart_tag = resources->tags.Intern("STAART");
  out->staart_word = words->Intern("STAART");
  out->word_ok.clear();
  for (size_t w = 0; w < words->size(); ++w) {
    out->word_ok.push_back(IsRuleField(words->Name(static_cast<uint32_t>(w))));
  }
}

bool InstanceHolds(const ContextCorpus& c, size_t j, const Instance& in) {
  const size_t b = c.begin[j];
  const size_t n = c.end[j] - b;
  const size_t i = j - b;
  const TagId* t = c.tags.data() + b;
  const uint32_t* w = c.words.data() + b;
  const uint32_t a1 = in.arg1;
  const uint32_t a2 = in.arg2;
  auto tag_at = [&](size_t k, uint32_t tag) { return k < n && t[k] == tag; };
  auto word_at = [&](size_t k, uint32_t word) { return k < n && w[k] == word; };
  switch (in.templ) {
    case kPrevTag:
      return i == 0 ? a1 == c.staart_tag : t[i - 1] == a1;
    case kPrev1Or2Tag:
      return (i >= 1 && t[i - 1] == a1) || (i >= 2 && t[i - 2] == a1);
    case kPrev1Or2Or3Tag:
      return (i >= 1 && t[i - 1] == a1) || (i >= 2 && t[i - 2] == a1) || (i >= 3 && t[i - 3] == a1);
    case kPrev2Tag:
      return i >= 2 && t[i - 2] == a1;
    case kPrevWd:
      return i >= 1 && w[i - 1] == a1;
    case kPrev1Or2Wd:
      return (i >= 1 && w[i - 1] == a1) || (i >= 2 && w[i - 2] == a1);
    case kNextTag:
      return tag_at(i + 1, a1);
    case kNext1Or2Tag:
      return tag_at(i + 1, a1) || tag_at(i + 2, a1);
    case kNext1Or2Or3Tag:
      return tag_at(i + 1, a1) || tag_at(i + 2, a1) || tag_at(i + 3, a1);
    case kNext2Tag:
      return tag_at(i + 2, a1);
    case kNextWd:
      return word_at(i + 1, a1);
    case kNext1Or2Wd:
      return word_at(i + 1, a1) || word_at(i + 2, a1);
    case kCurWd:
      return w[i] == a1;
    case kWdPrevTag:
      return i >= 1 && t[i - 1] == a1 && w[i] == a2;
    case kWdNextTag:
      return i + 1 < n && w[i] == a1 && t[i + 1] == a2;
    case kSurroundTag:
      if (i == 0) return a1 == c.staart_tag && 1 < n && t[1] == a2;
      return i + 1 < n && t[i - 1] == a1 && t[i + 1] == a2;
    case kPrevBigram:
      return i >= 2 && t[i - 2] == a1 && t[i - 1] == a2;
    case kNextBigram:
      if (i + 2 < n) return t[i + 1] == a1 && t[i + 2] == a2;
      return i + 2 == n && a2 == c.staart_tag && t[i + 1] == a1;
    case kLBigram:
      if (i == 0) return a1 == c.staart_word && w[0] == a2;
      return w[i - 1] == a1 && w[i] == a2;
    case kRBigram:
      return i + 1 < n && w[i] == a1 && w[i + 1] == a2;
    case kWdAnd2Aft:
      return i + 2 < n && w[i] == a1 && w[i + 2] == a2;
    case kWdAnd2TagAft:
      return i + 2 < n && w[i] == a1 && t[i + 2] == a2;
  }
  return false;
}

void InstancesAt(const ContextCorpus& c, size_t j, std::vector<Instance>* out) {
  out->clear();
  const size_t b = c.begin[j];
  const size_t n = c.end[j] - b;
  const size_t i = j - b;
  const TagId* t = c.tags.data() + b;
  const uint32_t* w = c.words.data() + b;
  auto ok = [&](uint32_t word) { return c.word_ok[word]; };
  auto add = [&](uint8_t templ, uint32_t a1, uint32_t a2) { out->push_back({templ, a1, a2}); };
  // The alternatives of the "1 or 2 (or 3)" templates: each distinct value once.
  auto add_distinct = [&](uint8_t templ, std::initializer_list<std::pair<bool, uint32_t>> values,
                          bool words) {
    const size_t mark = out->size();
    for (const auto& [present, value] : values) {
      if (!present || (words && !ok(value))) continue;
      const Instance instance{templ, value, 0};
      if (std::find(out->begin() + static_cast<std::ptrdiff_t>(mark), out->end(), instance) ==
          out->end()) {
        out->push_back(instance);
      }
    }
  };
  const bool p1 = i >= 1, p2 = i >= 2, p3 = i >= 3;
  const bool n1 = i + 1 < n, n2 = i + 2 < n, n3 = i + 3 < n;
  const uint32_t tm1 = p1 ? t[i - 1] : 0, tm2 = p2 ? t[i - 2] : 0, tm3 = p3 ? t[i - 3] : 0;
  const uint32_t tp1 = n1 ? t[i + 1] : 0, tp2 = n2 ? t[i + 2] : 0, tp3 = n3 ? t[i + 3] : 0;
  const uint32_t wm1 = p1 ? w[i - 1] : 0, wm2 = p2 ? w[i - 2] : 0;
  const uint32_t wp1 = n1 ? w[i + 1] : 0, wp2 = n2 ? w[i + 2] : 0;
  const uint32_t w0 = w[i];

  add(kPrevTag, p1 ? tm1 : c.staart_tag, 0);
  add_distinct(kPrev1Or2Tag, {{p1, tm1}, {p2, tm2}}, false);
  add_distinct(kPrev1Or2Or3Tag, {{p1, tm1}, {p2, tm2}, {p3, tm3}}, false);
  if (p2) add(kPrev2Tag, tm2, 0);
  if (p1 && ok(wm1)) add(kPrevWd, wm1, 0);
  add_distinct(kPrev1Or2Wd, {{p1, wm1}, {p2, wm2}}, true);
  if (n1) add(kNextTag, tp1, 0);
  add_distinct(kNext1Or2Tag, {{n1, tp1}, {n2, tp2}}, false);
  add_distinct(kNext1Or2Or3Tag, {{n1, tp1}, {n2, tp2}, {n3, tp3}}, false);
  if (n2) add(kNext2Tag, tp2, 0);
  if (n1 && ok(wp1)) add(kNextWd, wp1, 0);
  add_distinct(kNext1Or2Wd, {{n1, wp1}, {n2, wp2}}, true);
  if (p1 && n1) add(kSurroundTag, tm1, tp1);
  if (!p1 && n1) add(kSurroundTag, c.staart_tag, tp1);
  if (p2) add(kPrevBigram, tm2, tm1);
  if (n2) add(kNextBigram, tp1, tp2);
  if (n1 && !n2) add(kNextBigram, tp1, c.staart_tag);
  if (!ok(w0)) return;  // the remaining templates all name the current word
  add(kCurWd, w0, 0);
  if (p1) add(kWdPrevTag, tm1, w0);
  if (n1) add(kWdNextTag, w0, tp1);
  if (!p1) add(kLBigram, c.staart_word, w0);
  if (p1 && ok(wm1)) add(kLBigram, wm1, w0);
  if (n1 && ok(wp1)) add(kRBigram, w0, wp1);
  if (n2 && ok(wp2)) add(kWdAnd2Aft, w0, wp2);
  if (n2) add(kWdAnd2TagAft, w0, tp2);
}

}  // namespace quillon
