// Reading the WordNet files, the spelling rules of English inflection, and the merge of
// all forms into one tag list per word. Tested by wordnet_words_test.cc.
#include "train/wordnet_words.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "core/line_reader.h"
#include "train/field_lines.h"

namespace quillon {
namespace {

constexpr const char* kIndexFiles[kWordClasses] = {"index.noun", "index.verb", "index.adj",
                                                   "index.adv"};
constexpr const char* kExceptionFiles[kWordClasses] = {"noun.exc", "verb.exc", "adj.exc",
                                                       "adv.exc"};

bool IsVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }
bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }

bool EndsWith(std::string_view word, std::string_view end) {
  return word.size() >= end.size() && word.substr(word.size() - end.size()) == end;
}

// Vowel groups: a rough count of syllables, enough to tell short words from long ones.
int VowelGroups(std::string_view word) {
  int groups = 0;
  bool in_group = false;
  for (char c : word) {
    const bool vowel = IsVowel(c) || c == 'y';
    if (vowel && !in_group) ++groups;
    in_group = vowel;
  }
  // A final e after a consonant is silent (large, hope).
  const size_t n = word.size();
  if (groups > 1 && n >= 2 && word[n - 1] == 'e' && !IsVowel(word[n - 2]) && word[n - 2] != 'y') {
    --groups;
  }
  return groups;
}

// stop -> stopp-, plan -> plann-: a word of one syllable ending consonant, single vowel,
// consonant doubles its last letter before -ed, -ing, -er, -est. w, x and y never double.
bool DoublesFinalConsonant(std::string_view word) {
  const size_t n = word.size();
  if (n < 3 || VowelGroups(word) != 1) return false;
  const char last = word[n - 1];
  if (!IsLetter(last) || IsVowel(last) || last == 'w' || last == 'x' || last == 'y') return false;
  return IsVowel(word[n - 2]) && IsLetter(word[n - 3]) && !IsVowel(word[n - 3]);
}

bool ConsonantThenY(std::string_view word) {
  const size_t n = word.size();
  return n >= 2 && word[n - 1] == 'y' && IsLetter(word[n - 2]) && !IsVowel(word[n - 2]);
}

// The suffix-adding rule shared by -ed, -er and -est (their first letter is e).
std::string AddESuffix(std::string_view word, std::string_view suffix) {
  std::string base(word);
  if (ConsonantThenY(word)) {
    base.back() = 'i';
  } else if (EndsWith(word, "e")) {
    base.pop_back();
  } else if (DoublesFinalConsonant(word)) {
    base.push_back(word.back());
  }
  return base + std::string(suffix);
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
int Rank(WordClass word_class, int place) { return static_cast<int>(word_class) * 10 + place; }

// Which lemmas have irregular forms of a kind, so that the regular ones are not made.
struct IrregularKinds {
  std::map<std::string, bool> plural, past, comparison;
};

IrregularKinds KindsOf(const WordNetData& data) {
  IrregularKinds kinds;
  for (const auto& [form, lemmas] : data.irregular[static_cast<int>(WordClass::kNoun)]) {
    for (const std::string& lemma : lemmas) kinds.plural[lemma] = true;
  }
  for (const auto& [form, lemmas] : data.irregular[static_cast<int>(WordClass::kVerb)]) {
    if (EndsWith(form, "ing") || EndsWith(form, "s")) continue;
    for (const std::string& lemma : lemmas) kinds.past[lemma] = true;
  }
  for (const auto& [form, lemmas] : data.irregular[static_cast<int>(WordClass::kAdjective)]) {
    for (const std::string& lemma : lemmas) kinds.comparison[lemma] = true;
  }
  return kinds;
}

int SenseWeight(const std::map<std::string, int>& lemmas, const std::string& lemma) {
  auto it = lemmas.find(lemma);
  return it == lemmas.end() ? 0 : it->second;
}

void AddNouns(const WordNetData& data, const IrregularKinds& kinds, FormCollector* out) {
  const int c = static_cast<int>(WordClass::kNoun);
  for (const auto& [lemma, count] : data.lemmas[c]) {
    out->Add(lemma, count, Rank(WordClass::kNoun, 0), "NN");
    if (!kinds.plural.count(lemma)) {
      out->Add(PluralOf(lemma), count, Rank(WordClass::kNoun, 1), "NNS");
    }
  }
  for (const auto& [form, lemmas] : data.irregular[c]) {
    for (const std::string& lemma : lemmas) {
      out->Add(form, SenseWeight(data.lemmas[c], lemma), Rank(WordClass::kNoun, 1), "NNS");
    }
  }
}

void AddVerbs(const WordNetData& data, const IrregularKinds& kinds, FormCollector* out) {
  const int c = static_cast<int>(WordClass::kVerb);
  const auto rank = [](int place) { return Rank(WordClass::kVerb, place); };
  for (const auto& [lemma, count] : data.lemmas[c]) {
    out->Add(lemma, count, rank(0), "VB");
    out->Add(lemma, count, rank(1), "VBP");
    out->Add(PluralOf(lemma), count, rank(2), "VBZ");
    out->Add(PresentParticipleOf(lemma), count, rank(3), "VBG");
    if (!kinds.past.count(lemma)) {
      const std::string past = PastOf(lemma);
      out->Add(past, count, rank(4), "VBD");
      out->Add(past, count, rank(5), "VBN");
    }
  }
  for (const auto& [form, lemmas] : data.irregular[c]) {
    for (const std::string& lemma : lemmas) {
      const int weight = SenseWeight(data.lemmas[c], lemma);
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

void AddAdjectives(const WordNetData& data, const IrregularKinds& kinds, FormCollector* out) {
  const int c = static_cast<int>(WordClass::kAdjective);
  const auto rank = [](int place) { return Rank(WordClass::kAdjective, place); };
  for (const auto& [lemma, count] : data.lemmas[c]) {
    out->Add(lemma, count, rank(0), "JJ");
    if (!kinds.comparison.count(lemma) && TakesComparison(lemma)) {
      out->Add(ComparativeOf(lemma), count, rank(1), "JJR");
      out->Add(SuperlativeOf(lemma), count, rank(2), "JJS");
    }
  }
  for (const auto& [form, lemmas] : data.irregular[c]) {
    const bool superlative = EndsWith(form, "st");
    const bool comparative = EndsWith(form, "er") || form == "worse" || form == "less";
    for (const std::string& lemma : lemmas) {
      const int weight = SenseWeight(data.lemmas[c], lemma);
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

void AddAdverbs(const WordNetData& data, FormCollector* out) {
  const int c = static_cast<int>(WordClass::kAdverb);
  const auto rank = [](int place) { return Rank(WordClass::kAdverb, place); };
  for (const auto& [lemma, count] : data.lemmas[c]) out->Add(lemma, count, rank(0), "RB");
  for (const auto& [form, lemmas] : data.irregular[c]) {
    for (const std::string& lemma : lemmas) {
      const int weight = SenseWeight(data.lemmas[c], lemma);
      out->Add(form, weight, rank(EndsWith(form, "st") ? 2 : 1),
               EndsWith(form, "st") ? "RBS" : "RBR");
    }
  }
}

bool ParseInt(std::string_view field, int* value) {
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), *value);
  return error == std::errc() && end == field.data() + field.size() && *value >= 0;
}

}  // namespace

Status ParseWordNetIndex(std::string_view text, const std::string& name,
                         std::map<std::string, int>* lemmas) {
  // lemma pos synset_cnt p_cnt ptr_symbol{p_cnt} sense_cnt tagsense_cnt synset_offset...
  // The licence text at the top has numbered lines ("  1 This software ..."): a lemma
  // never is a number, so a first field of digits marks them.
  return ReadFieldLines(text, name, [&](std::span<const std::string_view> f) -> std::string {
    int number = 0;
    if (f.empty() || ParseInt(f[0], &number)) return "";
    int pointers = 0;
    int tagged = 0;
    if (f.size() < 6 || !ParseInt(f[3], &pointers) || f.size() < 6 + size_t(pointers) ||
        !ParseInt(f[5 + pointers], &tagged)) {
      return "not a WordNet index line";
    }
    (*lemmas)[std::string(f[0])] = tagged;
    return "";
  });
}

Status ParseWordNetExceptions(std::string_view text, const std::string& name,
                              std::map<std::string, std::vector<std::string>>* forms) {
  return ReadFieldLines(text, name, [&](std::span<const std::string_view> f) -> std::string {
    if (f.empty()) return "";
    if (f.size() < 2) return "an irregular form without its lemma";
    std::vector<std::string>& lemmas = (*forms)[std::string(f[0])];
    for (size_t i = 1; i < f.size(); ++i) lemmas.emplace_back(f[i]);
    return "";
  });
}

Status ReadWordNet(const std::string& dir, WordNetData* data) {
  for (int c = 0; c < kWordClasses; ++c) {
    std::string bytes;
    const std::string index = dir + "/" + kIndexFiles[c];
    Status status = ReadFileBytes(index, &bytes);
    if (status.ok()) status = ParseWordNetIndex(bytes, index, &data->lemmas[c]);
    if (!status.ok()) return status;
    const std::string exceptions = dir + "/" + kExceptionFiles[c];
    status = ReadFileBytes(exceptions, &bytes);
    if (status.ok()) status = ParseWordNetExceptions(bytes, exceptions, &data->irregular[c]);
    if (!status.ok()) return status;
  }
  return Status::Ok();
}

std::string PluralOf(std::string_view noun) {
  std::string out(noun);
  if (ConsonantThenY(noun)) {
    out.back() = 'i';
    return out + "es";
  }
  if (EndsWith(noun, "s") || EndsWith(noun, "x") || EndsWith(noun, "z") || EndsWith(noun, "ch") ||
      EndsWith(noun, "sh")) {
    return out + "es";
  }
  return out + "s";
}

std::string PastOf(std::string_view verb) { return AddESuffix(verb, "ed"); }

std::string PresentParticipleOf(std::string_view verb) {
  std::string base(verb);
  if (EndsWith(verb, "ie")) {
    base.resize(base.size() - 2);
    return base + "ying";
  }
  if (EndsWith(verb, "e") && !EndsWith(verb, "ee") && !EndsWith(verb, "ye") &&
      !EndsWith(verb, "oe") && verb.size() > 2) {
    base.pop_back();
  } else if (DoublesFinalConsonant(verb)) {
    base.push_back(verb.back());
  }
  return base + "ing";
}

std::string ComparativeOf(std::string_view adjective) { return AddESuffix(adjective, "er"); }

std::string SuperlativeOf(std::string_view adjective) { return AddESuffix(adjective, "est"); }

bool TakesComparison(std::string_view adjective) {
  if (!IsPlainLemma(adjective) || adjective.find_first_of("-'.") != std::string_view::npos) {
    return false;
  }
  const int groups = VowelGroups(adjective);
  return groups == 1 || (groups == 2 && ConsonantThenY(adjective));
}

bool IsPlainLemma(std::string_view lemma) {
  // "st." and "e.g." end in a period; every other lemma begins and ends with a letter.
  if (lemma.size() < 2 || !IsLetter(lemma.front())) return lemma.size() == 1 && IsLetter(lemma[0]);
  if (!IsLetter(lemma.back()) && lemma.back() != '.') return false;
  return std::all_of(lemma.begin(), lemma.end(),
                     [](char c) { return IsLetter(c) || c == '-' || c == '\'' || c == '.'; });
}

std::vector<WordListEntry> WordNetWordList(const WordNetData& data) {
  const IrregularKinds kinds = KindsOf(data);
  FormCollector forms;
  AddNouns(data, kinds, &forms);
  AddVerbs(data, kinds, &forms);
  AddAdjectives(data, kinds, &forms);
  AddAdverbs(data, &forms);
  return forms.Entries();
}

}  // namespace quillon
