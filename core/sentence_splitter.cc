// Sentence splitting through the substitution service. The lines are normalised one by
// one and appended to the joined text at once, in the order of the file: the text holds
// " " + line for every line, and one more space where the second and the third part of
// the lines begin (the parts end at 0.3·n and 0.6·n); both of those spaces are there even
// when a part is empty. The boundary and repair commands then run once over the whole
// text, whose size is linear in the input. The lines may come from a stream, so the
// file is never held as a list of lines beside the text; each substitution's scratch copy
// is freed at once, so at most two copies of the text are alive.
//
// A line command is handed to the service only when the line holds what the command
// needs ("  " for the space runs, a tab, a leading blank, a trailing space); otherwise
// the command would leave the line as it is, and most lines need none of the four.
// sentence_splitter_test.cc checks this against a plain run of every command on every
// line.
#include "core/sentence_splitter.h"

#include <algorithm>
#include <cassert>
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

// The first line of n that belongs to part (2 or 3); n when that part is empty.
size_t FirstLineOfPart(int part, size_t n) {
  size_t i = static_cast<size_t>((part == 2 ? 0.3 : 0.6) * static_cast<double>(n));
  while (i > 0 && PartOf(i - 1, n) >= part) --i;
  while (i < n && PartOf(i, n) < part) ++i;
  return i;
}

// text holds "\n" + line for each of n lines (no line holds a line feed). Turns every
// line feed into the space before its line and adds the one more space where the second
// and the third part begin, at the end of the text when a part is empty; in place, from
// the back, so that no second copy of the text is needed.
void PlaceParts(size_t n, std::string* text) {
  const size_t first2 = FirstLineOfPart(2, n);
  const size_t first3 = FirstLineOfPart(3, n);
  size_t read = text->size();
  text->resize(read + 2);
  char* bytes = text->data();
  size_t write = text->size();
  if (first2 == n) bytes[--write] = ' ';
  if (first3 == n) bytes[--write] = ' ';
  size_t line = n;  // one more than the index of the line being moved
  while (read > 0) {
    const char c = bytes[--read];
    if (c != '\n') {
      bytes[--write] = c;
      continue;
    }
    --line;
    bytes[--write] = ' ';
    if (line == first2) bytes[--write] = ' ';
    if (line == first3) bytes[--write] = ' ';
  }
  assert(write == 0 && line == 0);
}

// Each thread keeps one splitter, so the commands are compiled once per thread.
SentenceSplitter& ThreadSplitter() {
  thread_local SentenceSplitter splitter;
  return splitter;
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
                                                 RunObserver* observer, bool modern) {
  size_t next = 0;
  const std::string text = SplitText(
      [&](std::string_view* line) {
        if (next == lines.size()) return false;
        if (next > 0) std::string().swap(lines[next - 1]);  // the joined text now holds it
        *line = lines[next++];
        return true;
      },
      lines.size(), observer, modern);
  std::vector<std::string> sentences;
  sentences.reserve(CountSentences(text));
  ForEachSentence(text, [&](std::string_view sentence) { sentences.emplace_back(sentence); });
  return sentences;
}

std::string SentenceSplitter::SplitText(const NextLine& next_line, std::optional<size_t> line_count,
                                        RunObserver* observer, bool modern) {
  PanelGuard panel(observer, static_cast<int>(line_count.value_or(0) / 10 + 9));
  // Known count: each line goes into its part as it comes. Unknown: a line feed marks the
  // start of every line until PlaceParts knows the parts.
  const char line_start = line_count ? ' ' : '\n';
  std::string text;
  int part = 1;
  size_t i = 0;
  for (std::string_view line; next_line(&line); ++i) {
    line_.assign(line);
    NormaliseLine(&line_);
    if (line_count) {
      for (const int line_part = PartOf(i, *line_count); part < line_part; ++part) {
        text.push_back(' ');
      }
    }
    text.push_back(line_start);
    text.append(line_);
    if (i % 10 == 0 && observer != nullptr) observer->ProgressStep(Indicator::kSplitPanel);
  }
  if (line_count) {
    for (; part < 3; ++part) text.push_back(' ');
  } else {
    PlaceParts(i, &text);
  }
  std::string().swap(line_);

  // Each substitution builds its result beside the text; free the old bytes at once so
  // that no more than two copies of the text are ever alive.
  if (modern) {
    modern_boundary_.Substitute(kModernBoundaryCommand, &text);
    modern_boundary_.ReleaseScratch();
  } else {
    boundary_.Substitute(kBoundaryCommand, &text);
    boundary_.ReleaseScratch();
  }
  repair_.Substitute(repair_command_, &text);
  repair_.ReleaseScratch();
  return text;
}

size_t CountSentences(std::string_view text) {
  size_t count = 0;
  ForEachSentence(text, [&](std::string_view) { ++count; });
  return count;
}

bool SplitSentences(int splitter, std::vector<std::string> lines, RunObserver* observer,
                    std::vector<std::string>* sentences, std::string* error, bool modern) {
  if (splitter != 1) {
    *sentences = std::move(lines);
    return true;
  }
  try {
    *sentences = ThreadSplitter().Split(std::move(lines), observer, modern);
  } catch (const ESubstError& e) {
    *error = e.what();
    return false;
  }
  return true;
}

bool SplitTextOnThread(const NextLine& next_line, std::optional<size_t> line_count,
                       RunObserver* observer, std::string* text, std::string* error, bool modern) {
  try {
    *text = ThreadSplitter().SplitText(next_line, line_count, observer, modern);
  } catch (const ESubstError& e) {
    *error = e.what();
    return false;
  }
  return true;
}

}  // namespace quillon
