// Sentence splitting through the substitution service. The lines are normalised one by
// one and appended to the joined text at once, in the order of the file: the text holds
// " " + line for every line, and one more space where the second and the third part of
// the lines begin (the parts end at 0.3·n and 0.6·n); both of those spaces are there even
// when a part is empty. The boundary and repair commands then run once over the whole
// text, whose size is linear in the input.
//
// A line command is handed to the service only when the line holds what the command
// needs ("  " for the space runs, a tab, a leading blank, a trailing space); otherwise
// the command would leave the line as it is, and most lines need none of the four.
// sentence_splitter_test.cc checks this against a plain run of every command on every
// line.
#include "core/sentence_splitter.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace quillon {
namespace {

// Hides the splitting panel when Split is left, whichever way that happens.
class PanelGuard {
 public:
  PanelGuard(RunObserver* observer, int maximum) : observer_(observer) {
    if (observer_ != nullptr) observer_->ProgressShown(Indicator::kSplitPanel, maximum);
  }
  ~PanelGuard() {
    if (observer_ != nullptr) observer_->ProgressHidden(Indicator::kSplitPanel);
  }
  PanelGuard(const PanelGuard&) = delete;
  PanelGuard& operator=(const PanelGuard&) = delete;

 private:
  RunObserver* observer_;
};

// Which of the three parts line i of n belongs to (1, 2 or 3).
int PartOf(size_t i, size_t n) {
  const double index = static_cast<double>(i);
  const double count = static_cast<double>(n);
  if (index < 0.3 * count) return 1;
  if (index < 0.6 * count) return 2;
  return 3;
}

// True when " +$" can match: a space ends the line or stands before a final line feed.
bool EndsWithSpace(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  return !line.empty() && line.back() == ' ';
}

// Cuts text at its line feeds; a line feed at the very end adds no empty piece.
std::vector<std::string> CutAtLineFeeds(std::string_view text) {
  std::vector<std::string> pieces;
  pieces.reserve(std::count(text.begin(), text.end(), '\n') + 1);
  size_t start = 0;
  for (size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
    pieces.emplace_back(text.substr(start, lf - start));
    start = lf + 1;
  }
  if (start < text.size()) pieces.emplace_back(text.substr(start));
  return pieces;
}

}  // namespace

std::string RepairCommand() {
  return std::string(R"(s/\b()") + kAbbreviationPattern + R"()\.\n/$1\. /g)";
}

SentenceSplitter::SentenceSplitter() : repair_command_(RepairCommand()) {}

void SentenceSplitter::NormaliseLine(std::string* line) {
  if (!line->empty() && ((*line)[0] == ' ' || (*line)[0] == '\t')) {
    leading_blanks_.Substitute(kLeadingBlanksCommand, line);
  }
  if (line->find("  ") != std::string::npos) space_runs_.Substitute(kSpaceRunsCommand, line);
  if (line->find('\t') != std::string::npos) tabs_.Substitute(kTabsCommand, line);
  if (EndsWithSpace(*line)) trailing_spaces_.Substitute(kTrailingSpacesCommand, line);
}

std::vector<std::string> SentenceSplitter::Split(std::vector<std::string> lines,
                                                 RunObserver* observer) {
  const size_t n = lines.size();
  PanelGuard panel(observer, static_cast<int>(n / 10 + 9));

  size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size() + 1;
  std::string text;
  text.reserve(bytes + 2);
  int part = 1;
  for (size_t i = 0; i < n; ++i) {
    NormaliseLine(&lines[i]);
    for (const int line_part = PartOf(i, n); part < line_part; ++part) text.push_back(' ');
    text.push_back(' ');
    text.append(lines[i]);
    std::string().swap(lines[i]);  // the joined text now holds it
    if (i % 10 == 0 && observer != nullptr) observer->ProgressStep(Indicator::kSplitPanel);
  }
  for (; part < 3; ++part) text.push_back(' ');

  boundary_.Substitute(kBoundaryCommand, &text);
  repair_.Substitute(repair_command_, &text);
  return CutAtLineFeeds(text);
}

bool SplitSentences(int splitter, std::vector<std::string> lines, RunObserver* observer,
                    std::vector<std::string>* sentences, std::string* error) {
  if (splitter != 1) {
    *sentences = std::move(lines);
    return true;
  }
  thread_local SentenceSplitter sentence_splitter;
  try {
    *sentences = sentence_splitter.Split(std::move(lines), observer);
  } catch (const ESubstError& e) {
    *error = e.what();
    return false;
  }
  return true;
}

}  // namespace quillon
