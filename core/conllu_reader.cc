// Reading CoNLL-U sentences. Tested by conllu_reader_test.cc.
#include "core/conllu_reader.h"

namespace quillon {
namespace {

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "3-4" (a multi-word token) or "5.1" (an empty node): two numbers around one mark.
bool IsPair(std::string_view id, char mark) {
  const size_t at = id.find(mark);
  return at != std::string_view::npos && AllDigits(id.substr(0, at)) &&
         AllDigits(id.substr(at + 1));
}

}  // namespace

ConlluLineKind ReadConlluLine(std::string_view line,
                              std::array<std::string_view, kConlluColumns>* columns,
                              std::string* problem) {
  if (!line.empty() && line[0] == '#') return ConlluLineKind::kComment;
  size_t count = 0;
  for (size_t start = 0;; ++count) {
    const size_t tab = line.find('\t', start);
    if (count < kConlluColumns) (*columns)[count] = line.substr(start, tab - start);
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  ++count;
  if (count != kConlluColumns) {
    *problem = "a word line has 10 TAB-separated columns, this one " + std::to_string(count) +
               "; kept as it is, not tagged.";
    return ConlluLineKind::kBad;
  }
  const std::string_view id = (*columns)[kId];
  if (IsPair(id, '-')) return ConlluLineKind::kMultiwordToken;
  if (IsPair(id, '.')) return ConlluLineKind::kEmptyNode;
  if (!AllDigits(id) || id.find_first_not_of('0') == std::string_view::npos) {
    *problem =
        "the ID \"" + std::string(id) + "\" is not a word number; kept as it is, not tagged.";
    return ConlluLineKind::kBad;
  }
  if ((*columns)[kForm].empty()) {
    *problem = "the word has an empty FORM; kept as it is, not tagged.";
    return ConlluLineKind::kBad;
  }
  return ConlluLineKind::kWord;
}

bool ConlluSource::Next(InputSentence* sentence) {
  size_t first_line = 0;
  if (!blocks_.Next(&sentence_.lines, &first_line)) return false;
  sentence_.words.clear();
  forms_.clear();
  std::array<std::string_view, kConlluColumns> columns;
  std::string problem;
  for (size_t i = 0; i < sentence_.lines.size(); ++i) {
    switch (ReadConlluLine(sentence_.lines[i], &columns, &problem)) {
      case ConlluLineKind::kWord:
        sentence_.words.push_back({i, columns});
        forms_.push_back(columns[kForm]);
        break;
      case ConlluLineKind::kBad:
        blocks_.Report(first_line + i, problem);
        break;
      default:
        break;
    }
  }
  sentence->is_cut = true;
  sentence->text = {};
  sentence->words = forms_;
  sentence->conllu = &sentence_;
  return true;
}

}  // namespace quillon
