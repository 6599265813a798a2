// The merge of every WordNet lemma and its regular and irregular forms into one tag list
// per word. Tested by wordnet_words_test.cc.
#include "train/wordnet_words.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "train/english_inflection.h"

namespace quillon {
namespace {

constexpr SpellingRules kRules = SpellingRules::kShippedWordList;

bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }

bool EndsWith(std::string_view word, std::string_view end) { return word.ends_with(end); }

// The lemmas of a class with their sense counts, and its irregular forms with their lemmas,
// both sorted by word: the merge below depends on a fixed order of adding, as ties in
// weight and rank keep the order in which tags came.
struct ClassData {
  const std::map<std::string, int>& lemmas;
  std::map<std::string, std::vector<std::string>> irregular;
};

struct Data {
  std::vector<ClassData> classes;
  const std::set<std::string>& noun_names;
};

Data SortedData(const WordNet& wordnet) {
  Data data{{}, wordnet.noun_names};
  for (int c = 0; c < kWordNetPosCount; ++c) {
    ClassData class_data{wordnet.tagged_senses[c], {}};
    for (const WordNetException& e : wordnet.exceptions[c]) {
      std::vector<std::string>& lemmas = class_data.irregular[e.form];
      lemmas.insert(lemmas.end(), e.lemmas.begin(), e.lemmas.end());
    }
    data.classes.push_back(std::move(class_data));
  }
  return data;
}

// How the tags of one word are ranked: sense count of the lemma behind them, then the
// part of speech order, then the order inside a part of speech.
struct Candidate {
  int weight;
  int rank;
  std::string tag;
};

class FormCollector {
 public:
  void Add(const std::string& word, int weight, int rank, const char* tag) {
    if (!IsPlainLemma(word)) return;
    std::vector<Candidate>& list = forms_[word];
    for (Candidate& c : list) {
      if (c.tag == tag) {
        c.weight = std::max(c.weight, weight);
        c.rank = std::min(c.rank, rank);
        return;
      }
    }
    list.push_back({weight, rank, tag});
  }

  std::vector<WordListEntry> Entries() {
    std::vector<WordListEntry> entries;
    entries.reserve(forms_.size());
    for (auto& [word, list] : forms_) {
      std::stable_sort(list.begin(), list.end(), [](const Candidate& a, const Candidate& b) {
        return a.weight != b.weight ? a.weight > b.weight : a.rank < b.rank;
      });
      WordListEntry entry{word, {}};
      for (const Candidate& c : list) entry.tags.push_back(c.tag);
      entries.push_back(std::move(entry));
    }
    return entries;
  }

 private:
  std::map<std::string, std::vector<Candidate>> forms_;  // ordered: sorted output
};

// Rank of a tag: its class first, then its place in the class.
int Rank(WordNetPos pos, int place) { return static_cast<int>(pos) * 10 + place; }

// Which lemmas have irregular forms of a kind, so that the regular ones are not made.
struct IrregularKinds {
  std::map<std::string, bool> plural, past, comparison;
};

IrregularKinds KindsOf(const Data& data) {
  IrregularKinds kinds;
  for (const auto& [form, lemmas] : data.classes[kWordNetNoun].irregular) {
    for (const std::string& lemma : lemmas) kinds.plural[lemma] = true;
  }
  for (const auto& [form, lemmas] : data.classes[kWordNetVerb].irregular) {
    if (EndsWith(form, "ing") || EndsWith(form, "s")) continue;
    for (const std::string& lemma : lemmas) kinds.past[lemma] = true;
  }
  for (const auto& [form, lemmas] : data.classes[kWordNetAdjective].irregular) {
    for (const std::string& lemma : lemmas) kinds.comparison[lemma] = true;
  }
  return kinds;
}

int SenseWeight(const std::map<std::string, int>& lemmas, const std::string& lemma) {
  auto it = lemmas.find(lemma);
  return it == lemmas.end() ? 0 : it->second;
}

void AddNouns(const Data& data, const IrregularKinds& kinds, FormCollector* out) {
  const int c = kWordNetNoun;
  for (const auto& [lemma, count] : data.classes[c].lemmas) {
    // A name is written in small letters only by careless text, where it is still a name.
    const bool name = data.noun_names.count(lemma) > 0;
    out->Add(lemma, count, Rank(kWordNetNoun, 0), name ? "NNP" : "NN");
    if (!kinds.plural.count(lemma)) {
      out->Add(PluralOf(lemma), count, Rank(kWordNetNoun, 1), name ? "NNPS" : "NNS");
    }
  }
  for (const auto& [form, lemmas] : data.classes[c].irregular) {
    for (const std::string& lemma : lemmas) {
      out->Add(form, SenseWeight(data.classes[c].lemmas, lemma), Rank(kWordNetNoun, 1), "NNS");
    }
  }
}

void AddVerbs(const Data& data, const IrregularKinds& kinds, FormCollector* out) {
  const int c = kWordNetVerb;
  const auto rank = [](int place) { return Rank(kWordNetVerb, place); };
  for (const auto& [lemma, count] : data.classes[c].lemmas) {
    out->Add(lemma, count, rank(0), "VB");
    out->Add(lemma, count, rank(1), "VBP");
    out->Add(ThirdPersonOf(lemma, kRules), count, rank(2), "VBZ");
    out->Add(PresentParticipleOf(lemma, kRules), count, rank(3), "VBG");
    if (!kinds.past.count(lemma)) {
      const std::string past = PastOf(lemma, kRules);
      out->Add(past, count, rank(4), "VBD");
      out->Add(past, count, rank(5), "VBN");
    }
  }
  for (const auto& [form, lemmas] : data.classes[c].irregular) {
    for (const std::string& lemma : lemmas) {
      const int weight = SenseWeight(data.classes[c].lemmas, lemma);
      if (EndsWith(form, "ing")) {
        out->Add(form, weight, rank(3), "VBG");
      } else if (EndsWith(form, "s") && !EndsWith(form, "ss")) {
        out->Add(form, weight, rank(2), "VBZ");
      } else {
        // Forms like written, shown, gone, begun, sung are seldom simple past forms.
        const bool participle = EndsWith(form, "en") || EndsWith(form, "wn") ||
                                EndsWith(form, "ne") || EndsWith(form, "un") ||
                                EndsWith(form, "ung") || EndsWith(form, "unk");
        out->Add(form, weight, rank(participle ? 4 : 5), "VBN");
        out->Add(form, weight, rank(participle ? 5 : 4), "VBD");
      }
    }
  }
}

void AddAdjectives(const Data& data, const IrregularKinds& kinds, FormCollector* out) {
  const int c = kWordNetAdjective;
  const auto rank = [](int place) { return Rank(kWordNetAdjective, place); };
  for (const auto& [lemma, count] : data.classes[c].lemmas) {
    out->Add(lemma, count, rank(0), "JJ");
    if (!kinds.comparison.count(lemma) && TakesComparison(lemma, kRules)) {
      out->Add(ComparativeOf(lemma, kRules), count, rank(1), "JJR");
      out->Add(SuperlativeOf(lemma, kRules), count, rank(2), "JJS");
    }
  }
  for (const auto& [form, lemmas] : data.classes[c].irregular) {
    const bool superlative = EndsWith(form, "st");
    const bool comparative = EndsWith(form, "er") || form == "worse" || form == "less";
    for (const std::string& lemma : lemmas) {
      const int weight = SenseWeight(data.classes[c].lemmas, lemma);
      if (superlative) {
        out->Add(form, weight, rank(2), "JJS");
      } else if (comparative) {
        out->Add(form, weight, rank(1), "JJR");
      } else {
        out->Add(form, weight, rank(0), "JJ");
      }
    }
  }
}

void AddAdverbs(const Data& data, FormCollector* out) {
  const int c = kWordNetAdverb;
  const auto rank = [](int place) { return Rank(kWordNetAdverb, place); };
  for (const auto& [lemma, count] : data.classes[c].lemmas) out->Add(lemma, count, rank(0), "RB");
  for (const auto& [form, lemmas] : data.classes[c].irregular) {
    for (const std::string& lemma : lemmas) {
      const int weight = SenseWeight(data.classes[c].lemmas, lemma);
      out->Add(form, weight, rank(EndsWith(form, "st") ? 2 : 1),
               EndsWith(form, "st") ? "RBS" : "RBR");
    }
  }
}

}  // namespace

bool IsPlainLemma(std::string_view lemma) {
  // "st." and "e.g." end in a period; every other lemma begins and ends with a letter.
  if (lemma.size() < 2 || !IsLetter(lemma.front())) return lemma.size() == 1 && IsLetter(lemma[0]);
  if (!IsLetter(lemma.back()) && lemma.back() != '.') return false;
  return std::all_of(lemma.begin(), lemma.end(),
                     [](char c) { return IsLetter(c) || c == '-' || c == '\'' || c == '.'; });
}

std::vector<WordListEntry> WordNetWordList(const WordNet& wordnet) {
  const Data data = SortedData(wordnet);
  const IrregularKinds kinds = KindsOf(data);
  FormCollector forms;
  AddNouns(data, kinds, &forms);
  AddVerbs(data, kinds, &forms);
  AddAdjectives(data, kinds, &forms);
  AddAdverbs(data, &forms);
  return forms.Entries();
}

}  // namespace quillon
