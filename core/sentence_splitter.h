// Sentence splitting of one input text. With the splitter on, every line is normalised
// (leading blanks, runs of spaces, tabs, trailing spaces), all lines are joined into one
// text, a line feed is put between a sentence end and the next capitalised word, the
// line feeds after known abbreviations (Mr., Dr., U.S., single initials, ...) are taken
// back out, and the text is cut at its line feeds. All pattern work goes through the
// substitution service. With the splitter off the lines are the sentences.
// Tested by sentence_splitter_test.cc and the end-to-end tests of quillon tag --split.
#ifndef QUILLON_CORE_SENTENCE_SPLITTER_H_
#define QUILLON_CORE_SENTENCE_SPLITTER_H_

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/run_observer.h"
#include "subst/substituter.h"

namespace quillon {

// The commands, exactly as they are handed to the substitution service.
inline constexpr char kLeadingBlanksCommand[] = R"(s/^[ \t]+//)";
inline constexpr char kSpaceRunsCommand[] = "s/  +/ /g";
inline constexpr char kTabsCommand[] = R"(s/\t//g)";
inline constexpr char kTrailingSpacesCommand[] = "s/ +$//";
inline constexpr char kBoundaryCommand[] =
    R"(s/([\.|!|\?][\"|\)|\']*) +([\"|\(|\']*[A-Z])/\1\n\2/g)";
// The abbreviations after whose period a line feed is taken back out. "[A-Z]" stands for
// any single capital, an initial such as the J of "J. Smith".
inline constexpr char kAbbreviationPattern[] =
    R"(M([rs]|rs|me)|Dr|U\.S(\.A|)|[aApP]\.[mM]|Calif|Fla|D\.C|N\.Y|Ont|Pa|V[Aa]|[MS][Tt])"
    R"(|Jan|Feb|Mar|Apr|Aug|Sept?|Oct|Nov|Dec|Assoc|[oO]\.[kK]|Co|R\.V|Gov|Se[nc]|U\.N)"
    R"(|[A-Z]|i\.e|e\.g|vs?|Re[pv]|Gen|Univ|Jr|[fF]t|[Ss]gt|[Pp]res|[Pp]rof|[Aa]pprox)"
    R"(|[Cc]orp|[Dd]ef)";

// The boundary command of the modern tokenizer's runs: as kBoundaryCommand, but a sentence
// also ends with the ellipsis character "…", the closing marks after its end include the
// typographic quotes ’ ” » and "]", the opening marks before the next sentence “ ‘ « and
// "[", and the vertical bar is no longer taken for a sentence end.
inline constexpr char kModernBoundaryCommand[] =
    R"(s/((?:[.!?]|\xE2\x80\xA6)(?:["')\]]|\xE2\x80[\x99\x9D]|\xC2\xBB)*) +)"
    R"(((?:["('\[]|\xE2\x80[\x98\x9C]|\xC2\xAB)*[A-Z])/\1\n\2/g)";

// The repair command: the abbreviation pattern between R"(s/\b()" and R"()\.\n/$1\. /g)".
std::string RepairCommand();

// Yields the next line of a text into *line (valid until the next call); false after the
// last line.
using NextLine = std::function<bool(std::string_view* line)>;

class SentenceSplitter {
 public:
  SentenceSplitter();

  // The streaming form of Split: the lines come one at a time from next_line, and the
  // result is the split text, whose sentences ForEachSentence visits. line_count, when
  // known, sizes the panel and places the parts as the lines arrive; when it is not known
  // (standard input) the parts are placed once the last line is in. Either way the text is
  // built once and substituted in place, so memory stays near twice the text's size.
  // With modern, sentence ends are found by kModernBoundaryCommand. Throws ESubstError
  // when the substitution library fails.
  std::string SplitText(const NextLine& next_line, std::optional<size_t> line_count,
                        RunObserver* observer, bool modern = false);

  // Cuts lines into sentences. observer (may be null) sees the splitting panel: shown
  // with maximum lines.size() / 10 + 9, stepped at lines 0, 10, 20, ..., and hidden again
  // on every way out. Throws ESubstError when the substitution library fails.
  std::vector<std::string> Split(std::vector<std::string> lines, RunObserver* observer,
                                 bool modern = false);

  // The four line commands applied to one line, in order.
  void NormaliseLine(std::string* line);

 private:
  // One substituter per command, so that each keeps its compiled pattern.
  std::string line_;  // the line being normalised
  TSubstituter leading_blanks_;
  TSubstituter space_runs_;
  TSubstituter tabs_;
  TSubstituter trailing_spaces_;
  TSubstituter boundary_;
  TSubstituter modern_boundary_;
  TSubstituter repair_;
  std::string repair_command_;
};

// The sentence list of one text: with Splitter 1 the sentences of SentenceSplitter,
// otherwise the lines as they stand. Returns false with *error set to the substitution
// library's message when splitting fails. Each thread keeps one splitter, so the
// commands are compiled once per thread, not once per file.
bool SplitSentences(int splitter, std::vector<std::string> lines, RunObserver* observer,
                    std::vector<std::string>* sentences, std::string* error, bool modern = false);

// SplitText with this thread's splitter; false with *error set when splitting fails.
bool SplitTextOnThread(const NextLine& next_line, std::optional<size_t> line_count,
                       RunObserver* observer, std::string* text, std::string* error,
                       bool modern = false);

// Calls visit(sentence) for each sentence of a split text, in order: the text is cut at
// its line feeds, and a line feed at its very end adds no empty sentence.
template <typename Visit>
void ForEachSentence(std::string_view text, Visit&& visit) {
  size_t start = 0;
  for (size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
    visit(text.substr(start, lf - start));
    start = lf + 1;
  }
  if (start < text.size()) visit(text.substr(start));
}

// The number of sentences ForEachSentence visits.
size_t CountSentences(std::string_view text);

}  // namespace quillon

#endif  // QUILLON_CORE_SENTENCE_SPLITTER_H_
