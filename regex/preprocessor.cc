// Dictionary preprocessing. The pattern is scanned into tokens with their byte spans;
// everything but runs of ordinary characters outside classes is copied span by span.
// Within a run, the first variant (dictionaries, then groups, then variants, in order)
// whose characters equal the next characters of the run is replaced by its whole group,
// written as an alternation with the pattern's special characters escaped.
// Tested by preprocessor_test.cc.
#include "regex/preprocessor.h"

#include <cstring>

#include "regex/scanner.h"

namespace quillon {
namespace {

bool IsSpecial(unsigned char c) { return c != 0 && std::strchr("^(|)+*?.[]$\\", c) != nullptr; }

}  // namespace

void TREPreProcessor::AddSynonymDictionary(const RegexDictionary& dictionary) {
  synonyms_.added.push_back(&dictionary);
}

void TREPreProcessor::AddFuzzyDictionary(const RegexDictionary& dictionary) {
  fuzzy_.added.push_back(&dictionary);
}

TREPreProcessor::Prepared TREPreProcessor::Prepare(const RegexDictionary& dictionary) const {
  Prepared prepared;
  for (const std::vector<std::string>& group : dictionary.groups) {
    std::vector<std::vector<uint16_t>>& codes = prepared.variants.emplace_back();
    std::string replacement = "(";
    for (size_t v = 0; v < group.size(); ++v) {
      const std::string& variant = group[v];
      if (v > 0) replacement.push_back('|');
      std::vector<uint16_t>& variant_codes = codes.emplace_back();
      for (size_t pos = 0; pos < variant.size();) {
        const size_t length = CharLength(code_page_, variant, pos);
        const auto first = static_cast<unsigned char>(variant[pos]);
        variant_codes.push_back(
            length == 2
                ? static_cast<uint16_t>(first << 8 | static_cast<unsigned char>(variant[pos + 1]))
                : first);
        if (length == 1 && IsSpecial(first)) replacement.push_back('\\');
        replacement.append(variant, pos, length);
        pos += length;
      }
    }
    replacement.push_back(')');
    prepared.replacements.push_back(std::move(replacement));
  }
  return prepared;
}

std::string TREPreProcessor::Preprocess(std::string_view pattern, bool use_synonyms,
                                        bool use_fuzzy) {
  std::string result(pattern);
  if (use_synonyms) result = Apply(result, &synonyms_);
  if (use_fuzzy) result = Apply(result, &fuzzy_);
  return result;
}

std::string TREPreProcessor::Apply(std::string_view pattern, DictionaryList* list) const {
  while (list->prepared.size() < list->added.size()) {
    list->prepared.push_back(Prepare(*list->added[list->prepared.size()]));
  }
  const std::vector<Prepared>& dictionaries = list->prepared;
  std::vector<Token> tokens;
  TREScanner scanner(pattern, code_page_);
  for (Token t = scanner.Next(); t.kind != TokenKind::kEnd; t = scanner.Next()) {
    tokens.push_back(t);
  }

  auto copy = [&](const Token& t, std::string* out) {
    out->append(pattern.substr(t.begin, t.end - t.begin));
  };
  // The group whose variant fits the tokens from first on (before end): its replacement
  // and the number of tokens it covers.
  auto find_fit = [&](size_t first, size_t end, size_t* covered) -> const std::string* {
    for (const Prepared& dictionary : dictionaries) {
      for (size_t g = 0; g < dictionary.variants.size(); ++g) {
        for (const std::vector<uint16_t>& codes : dictionary.variants[g]) {
          if (codes.empty() || codes.size() > end - first) continue;
          size_t k = 0;
          while (k < codes.size() && tokens[first + k].low == codes[k]) ++k;
          if (k == codes.size()) {
            *covered = k;
            return &dictionary.replacements[g];
          }
        }
      }
    }
    return nullptr;
  };

  std::string out;
  bool in_class = false;
  for (size_t i = 0; i < tokens.size();) {
    const Token& t = tokens[i];
    if (in_class || t.kind != TokenKind::kChar) {
      if (t.kind == TokenKind::kClassStart || t.kind == TokenKind::kNegatedClassStart) {
        in_class = true;
      } else if (t.kind == TokenKind::kClassEnd) {
        in_class = false;
      }
      copy(t, &out);
      ++i;
      continue;
    }
    size_t run_end = i;
    while (run_end < tokens.size() && tokens[run_end].kind == TokenKind::kChar) ++run_end;
    while (i < run_end) {
      size_t covered = 0;
      if (const std::string* replacement = find_fit(i, run_end, &covered)) {
        out.append(*replacement);
        i += covered;
      } else {
        copy(tokens[i], &out);
        ++i;
      }
    }
  }
  return out;
}

}  // namespace quillon
