// Synthetic resource files and text for the benchmarks.
#include "bench/synthetic_data.h"

#include <cmath>
#include <fstream>
#include <random>
#include <set>
#include <vector>

namespace quillon::bench {
namespace {

const std::vector<std::string> kTags = {
    "NN",  "NN", "NN", "NNS", "NNS", "NNP", "JJ", "JJ", "VB", "VBD", "VBZ", "VBP", "VBN",
    "VBG", "RB", "IN", "DT",  "CC",  "PRP", "MD", "CD", "TO", "WDT", "RP",  "JJR", "NNPS"};

std::string RandomWord(std::mt19937& random) {
  static const char kLetters[] = "etaoinshrdlucmfwypvbgkjqxz";
  std::uniform_int_distribution<int> length(2, 10);
  std::geometric_distribution<int> letter(0.15);
  std::string word;
  for (int i = length(random); i > 0; --i) word += kLetters[std::min(letter(random), 25)];
  return word;
}

struct Vocabulary {
  std::vector<std::string> words;  // lexicon words, most frequent first
  std::vector<double> cumulative;  // Zipf weights
};

Vocabulary MakeVocabulary(const SyntheticLoad& load, std::mt19937& random) {
  Vocabulary v;
  std::set<std::string> seen = {"the", "a", "of", "and", "to", "in", "is", "it", "that"};
  v.words.assign(seen.begin(), seen.end());
  while (static_cast<int>(v.words.size()) < load.lexicon_entries) {
    std::string word = RandomWord(random);
    if (seen.insert(word).second) v.words.push_back(word);
  }
  double total = 0;
  for (size_t i = 0; i < v.words.size(); ++i) {
    total += 1.0 / std::pow(static_cast<double>(i + 1), 1.05);
    v.cumulative.push_back(total);
  }
  return v;
}

const std::string& PickWord(const Vocabulary& v, std::mt19937& random) {
  std::uniform_real_distribution<double> u(0, v.cumulative.back());
  const size_t i =
      std::lower_bound(v.cumulative.begin(), v.cumulative.end(), u(random)) - v.cumulative.begin();
  return v.words[std::min(i, v.words.size() - 1)];
}

const std::string& PickTag(std::mt19937& random) {
  return kTags[std::uniform_int_distribution<size_t>(0, kTags.size() - 1)(random)];
}

}  // namespace

void WriteSyntheticData(const SyntheticLoad& load, const std::string& folder) {
  std::mt19937 random(load.seed);
  const Vocabulary v = MakeVocabulary(load, random);
  std::ofstream lexicon(folder + "/LEXICON.BROWN.AND.WSJ", std::ios::binary);
  std::uniform_int_distribution<int> tag_count(1, 4);
  for (const std::string& word : v.words) {
    lexicon << word;
    for (int t = tag_count(random); t > 0; --t) lexicon << ' ' << PickTag(random);
    lexicon << '\n';
  }
  lexicon << ". .\n, ,\n'' ''\n`` ``\nn't RB\n's POS VBZ\n( (\n) )\n: :\n";

  std::ofstream tagset(folder + "/tagset", std::ios::binary);
  for (const std::string& tag : std::set<std::string>(kTags.begin(), kTags.end())) {
    tagset << tag << "\tdescription\n";
  }
  std::ofstream lexical(folder + "/LEXICALRULEFILE.WSJ", std::ios::binary);
  static const char* kPlain[] = {"hassuf", "haspref",  "deletesuf", "deletepref",
                                 "addsuf", "goodleft", "goodright", "char"};
  for (int r = 0; r < load.lexical_rules; ++r) {
    const std::string kind = kPlain[r % 8];
    std::string arg = kind == "char"             ? std::string(1, "-.0123456789"[r % 12])
                      : kind.starts_with("good") ? PickWord(v, random)
                                                 : RandomWord(random).substr(0, 1 + r % 4);
    if (r % 2 == 0) {
      lexical << arg << ' ' << kind << ' ' << arg.size() << ' ' << PickTag(random) << '\n';
    } else {
      lexical << PickTag(random) << ' ' << arg << " f" << kind << ' ' << arg.size() << ' '
              << PickTag(random) << '\n';
    }
  }
  std::ofstream contextual(folder + "/CONTEXTUALRULEFILE.WSJ", std::ios::binary);
  static const char* kTemplates[] = {
      "PREVTAG", "PREV1OR2TAG", "PREV1OR2OR3TAG", "PREV2TAG",    "PREVWD",     "PREV1OR2WD",
      "NEXTTAG", "NEXT1OR2TAG", "NEXT1OR2OR3TAG", "NEXT2TAG",    "NEXTWD",     "NEXT1OR2WD",
      "CURWD",   "WDPREVTAG",   "WDNEXTTAG",      "SURROUNDTAG", "PREVBIGRAM", "NEXTBIGRAM",
      "LBIGRAM", "RBIGRAM",     "WDAND2AFT",      "WDAND2TAGAFT"};
  for (int r = 0; r < load.contextual_rules; ++r) {
    const std::string t = kTemplates[r % 22];
    auto tag_or_word = [&](bool word) { return word ? PickWord(v, random) : PickTag(random); };
    const bool word1 = t.find("WD") != std::string::npos || t == "LBIGRAM" || t == "RBIGRAM";
    const bool two = t == "WDPREVTAG" || t == "WDNEXTTAG" || t == "SURROUNDTAG" ||
                     t.find("BIGRAM") != std::string::npos || t.starts_with("WDAND");
    contextual << PickTag(random) << ' ' << PickTag(random) << ' ' << t << ' ';
    if (t == "WDPREVTAG") {
      contextual << PickTag(random) << ' ' << PickWord(v, random);
    } else if (t == "WDAND2TAGAFT" || t == "WDNEXTTAG") {
      contextual << PickWord(v, random) << ' ' << PickTag(random);
    } else {
      contextual << tag_or_word(word1);
      if (two) contextual << ' ' << tag_or_word(word1);
    }
    contextual << '\n';
  }
  std::ofstream(folder + "/ignore.dat", std::ios::binary) << "Mr\nMrs\nDr\ne.g\ni.e\netc\n";
  // A lemma list of realistic size: every lexicon word is a form of some lemma.
  std::ofstream lemmas(folder + "/e_lemma.txt", std::ios::binary);
  lemmas << "be -> is,was,were\n";
  for (size_t i = 0; i + 3 < v.words.size(); i += 3) {
    lemmas << v.words[i] << " -> " << v.words[i] << "s," << v.words[i + 1] << ',' << v.words[i + 2]
           << '\n';
  }
  std::ofstream(folder + "/Multiword.dat", std::ios::binary) << "in spite of\tIN\n";
}

long WriteSyntheticText(const SyntheticLoad& load, const std::string& path) {
  std::mt19937 vocabulary_random(load.seed);  // the same words as the lexicon
  const Vocabulary v = MakeVocabulary(load, vocabulary_random);
  std::mt19937 random(load.seed + 1);
  std::ofstream text(path, std::ios::binary);
  std::uniform_int_distribution<int> length(5, 35);
  std::uniform_int_distribution<int> percent(0, 99);
  long tokens = 0;
  std::string line;
  while (tokens < load.tokens) {
    line.clear();
    for (int i = length(random); i > 0; --i) {
      if (!line.empty()) line += ' ';
      const int p = percent(random);
      std::string word = p < 4 ? RandomWord(random) + "ed" : PickWord(v, random);  // unknowns
      if (i == 1 || p == 4) word[0] = static_cast<char>(word[0] - 'a' + 'A');
      line += word;
      ++tokens;
      if (p == 5) {
        line += ',';
        ++tokens;
      } else if (p == 6) {
        line += "n't";  // "xn't" -> "x" "n't"
        ++tokens;
      }
    }
    line += ".\n";
    ++tokens;
    text << line;
  }
  return tokens;
}

}  // namespace quillon::bench
