// Tests of sentence splitting: the examples of how text is cut, the parts the lines are
// joined in, the splitting panel's progress on every way out, and the fast splitter
// against a plain splitter that hands every command to one shared substituter.
#include "core/sentence_splitter.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace quillon {
namespace {

using Lines = std::vector<std::string>;

Lines SplitOn(Lines lines) {
  std::vector<std::string> sentences;
  std::string error;
  EXPECT_TRUE(SplitSentences(1, std::move(lines), nullptr, &sentences, &error)) << error;
  return sentences;
}

TEST(SentenceSplitterTest, OffKeepsLinesAsTheyAre) {
  const Lines lines = {"  First\tline  ", "", " x.  Y", "\t"};
  Lines sentences;
  std::string error;
  ASSERT_TRUE(SplitSentences(0, lines, nullptr, &sentences, &error));
  EXPECT_EQ(sentences, lines);
  // Only 1 switches the splitter on.
  ASSERT_TRUE(SplitSentences(2, lines, nullptr, &sentences, &error));
  EXPECT_EQ(sentences, lines);
}

struct SplitCase {
  Lines lines;
  Lines sentences;
};

// The modern tokenizer's variant: sentences also end after typographic closing quotes and
// the ellipsis character, and begin with typographic opening quotes; the vertical bar is
// no sentence end; a lower-case word after "…" goes on with the sentence.
TEST(SentenceSplitterTest, ModernVariantKnowsTypographicMarks) {
  const SplitCase cases[] = {
      {{"“Stop.” He left."}, {" “Stop.”", "He left.  "}},
      {{"He said “no.” “Why?” she asked."}, {" He said “no.”", "“Why?” she asked.  "}},
      {{"Wait… and then… Then it ended."}, {" Wait… and then…", "Then it ended.  "}},
      {{"It ended.’ ‘Yes.» «Non."}, {" It ended.’", "‘Yes.»", "«Non.  "}},
      {{"(See it.) [Done.] Next"}, {" (See it.)", "[Done.]", "Next  "}},
      {{"a | B"}, {" a | B  "}},
      {{"Mr. Smith came. The U.S. Army met J. Smith."},
       {" Mr. Smith came.", "The U.S. Army met J. Smith.  "}},
  };
  for (const SplitCase& c : cases) {
    Lines sentences;
    std::string error;
    ASSERT_TRUE(SplitSentences(1, c.lines, nullptr, &sentences, &error, true)) << error;
    EXPECT_EQ(sentences, c.sentences) << c.lines[0];
  }
  // The classic variant is untouched by all this.
  EXPECT_EQ(SplitOn({"“Stop.” He left. Wait… Then"}), (Lines{" “Stop.” He left.", "Wait… Then  "}));
}

TEST(SentenceSplitterTest, CutsAtSentenceEnds) {
  const SplitCase cases[] = {
      // An empty file is the two joining spaces; one line ends with both, two with one.
      {{}, {"  "}},
      {{"Mr. Smith arrived. He sat down."}, {" Mr. Smith arrived.", "He sat down.  "}},
      {{"One.", "Two."}, {" One.", "Two. "}},
      // No capital after the period, or a digit: no end.
      {{"It was late. the end came."}, {" It was late. the end came.  "}},
      {{"See (Fig. 2). Next"}, {" See (Fig. 2).", "Next  "}},
      // Closing quotes and brackets stay with their sentence, opening ones go with the next.
      {{R"(He said "Stop." Then 'Go.' (Later) "Why?" No!)"},
       {R"( He said "Stop.")", R"(Then 'Go.')", R"((Later) "Why?")", "No!  "}},
      {{"a | B"}, {" a |", "B  "}},
      // A sentence runs over line ends; a line end alone is no sentence end.
      {{"This is", "one sentence. And", "another"}, {" This is  one sentence.", "And  another"}},
      // Abbreviations keep what follows them, written with or without inner periods.
      {{"The U.S. Army met J. Smith there."}, {" The U.S. Army met J. Smith there.  "}},
      {{"In the U.S.A. Today it rains."}, {" In the U.S.A. Today it rains.  "}},
      {{"Sept. Oct. Nov. Dec. 5 came."}, {" Sept. Oct. Nov. Dec. 5 came.  "}},
      {{"Mrs. Jones and Dr. Who met at 9 a.m. Then Gov. Brown came, i.e. Nobody."},
       {" Mrs. Jones and Dr. Who met at 9 a.m. Then Gov. Brown came, i.e. Nobody.  "}},
      // An abbreviation counts only as a whole word, and a known one before a space only.
      {{"He met Mr. X. Then ADr. Y left, mr. Z too."},
       {" He met Mr. X. Then ADr.", "Y left, mr.", "Z too.  "}},
      // Tabs go after runs of spaces were collapsed; the two spaces stay.
      {{"a \t b"}, {" a  b  "}},
      {{"\t  Lead and trail  \t  "}, {" Lead and trail  "}},
      // Bytes beyond ASCII pass unchanged; they are never capitals.
      {{"caf\xC3\xA9 \xFF\xFE. \x82\xA0 End. \x83\x41 X."},
       {" caf\xC3\xA9 \xFF\xFE. \x82\xA0 End. \x83\x41 X.  "}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(SplitOn(c.lines), c.sentences) << testing::PrintToString(c.lines);
  }
}

TEST(SentenceSplitterTest, PartsEndAtThreeAndSixTenths) {
  // 25 lines: 0-7, 8-14, 15-24; an extra space before the first line of parts 2 and 3.
  Lines lines;
  std::string expected;
  for (int i = 0; i < 25; ++i) {
    lines.push_back("L" + std::to_string(i));
    expected += (i == 8 || i == 15 ? "  L" : " L") + std::to_string(i);
  }
  EXPECT_EQ(SplitOn(lines), Lines{expected});
  // 10 lines: the bounds 3 and 6 are exact, so lines 3 and 6 open parts 2 and 3.
  lines.resize(10);
  EXPECT_EQ(SplitOn(lines), Lines{" L0 L1 L2  L3 L4 L5  L6 L7 L8 L9"});
}

class PanelRecorder : public RunObserver {
 public:
  void ProgressShown(Indicator indicator, int maximum) override {
    events += "shown(" + Name(indicator) + "," + std::to_string(maximum) + ")";
  }
  void ProgressStep(Indicator indicator) override {
    events += "step(" + Name(indicator) + ")";
    if (--steps_before_throw == 0) throw std::runtime_error("stop");
  }
  void ProgressHidden(Indicator indicator) override { events += "hidden(" + Name(indicator) + ")"; }

  std::string events;
  int steps_before_throw = -1;

 private:
  static std::string Name(Indicator indicator) {
    return indicator == Indicator::kSplitPanel ? "panel" : "other";
  }
};

TEST(SentenceSplitterTest, PanelStepsEveryTenLinesAndIsHiddenOnEveryWayOut) {
  const struct {
    size_t lines;
    const char* events;
  } cases[] = {
      {0, "shown(panel,9)hidden(panel)"},
      {1, "shown(panel,9)step(panel)hidden(panel)"},
      {10, "shown(panel,10)step(panel)hidden(panel)"},
      {25, "shown(panel,11)step(panel)step(panel)step(panel)hidden(panel)"},
  };
  for (const auto& c : cases) {
    PanelRecorder recorder;
    Lines sentences;
    std::string error;
    ASSERT_TRUE(SplitSentences(1, Lines(c.lines, "x"), &recorder, &sentences, &error));
    EXPECT_EQ(recorder.events, c.events) << c.lines << " lines";
  }
  // The panel is hidden also when splitting is left by an exception.
  PanelRecorder recorder;
  recorder.steps_before_throw = 2;
  SentenceSplitter splitter;
  EXPECT_THROW(splitter.Split(Lines(25, "x"), &recorder), std::runtime_error);
  EXPECT_EQ(recorder.events, "shown(panel,11)step(panel)step(panel)hidden(panel)");
  // The splitter on its own: splitting stays off the panel with no observer.
  Lines sentences;
  std::string error;
  EXPECT_TRUE(SplitSentences(1, Lines(25, "x"), nullptr, &sentences, &error));
}

TEST(SentenceSplitterTest, RepairCommandIsTheAbbreviationsBetweenTheFixedEnds) {
  const std::string command = RepairCommand();
  EXPECT_TRUE(command.starts_with(R"(s/\b(M([rs]|rs|me)|Dr|)")) << command;
  EXPECT_TRUE(command.ends_with(R"(|[Dd]ef)\.\n/$1\. /g)")) << command;
  EXPECT_NE(command.find(R"(|U\.S(\.A|)|)"), std::string::npos);
  EXPECT_NE(command.find("|[A-Z]|"), std::string::npos);
}

// The splitter written plainly: three accumulators, every command applied to every line
// through one shared substituter, as if nothing were known about the commands.
Lines PlainSplit(const Lines& input) {
  TSubstituter substituter;
  const size_t n = input.size();
  std::string parts[3];
  for (size_t i = 0; i < n; ++i) {
    std::string line = input[i];
    for (const char* command :
         {kLeadingBlanksCommand, kSpaceRunsCommand, kTabsCommand, kTrailingSpacesCommand}) {
      substituter.Substitute(command, &line);
    }
    const int part = i < 0.3 * n ? 0 : i < 0.6 * n ? 1 : 2;
    parts[part] += " " + line;
  }
  std::string text = parts[0] + " " + parts[1] + " " + parts[2];
  substituter.Substitute(kBoundaryCommand, &text);
  substituter.Substitute(RepairCommand(), &text);
  Lines sentences;
  size_t start = 0;
  for (size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1) {
    sentences.push_back(text.substr(start, lf - start));
  }
  if (start < text.size()) sentences.push_back(text.substr(start));
  return sentences;
}

TEST(SentenceSplitterTest, AgreesWithThePlainSplitter) {
  static constexpr const char* kWords[] = {
      "a",   "The",  "Mr",       "U.S", "J",    "e.g", "it",  "Dec", "5",  "\t",        " ",
      "  ",  ".",    "!",        "?",   "|",    "\"",  "'",   "(",   ")",  "X",         "x.",
      "Mrs", "\xE9", "\x82\xA0", "i.e", "Sept", "St",  "a.M", "O.k", "vs", "\\[A-Z\\]", "\n"};
  std::mt19937 random(4711);
  SentenceSplitter splitter;  // one splitter for all files, as in a run
  for (int file = 0; file < 1000; ++file) {
    Lines lines(random() % 30);
    for (std::string& line : lines) {
      for (int w = random() % 12; w > 0; --w) {
        line += kWords[random() % std::size(kWords)];
        if (random() % 3 != 0) line += ' ';
      }
    }
    const Lines expected = PlainSplit(lines);
    ASSERT_EQ(splitter.Split(lines, nullptr), expected) << testing::PrintToString(lines);
  }
}

// The streaming form gives the same text whether the number of lines is known up front
// (files, counted first) or only at the end (standard input), and the panel steps alike.
TEST(SentenceSplitterTest, StreamingWithAndWithoutALineCountAgree) {
  static constexpr const char* kWords[] = {"a",  "The", "Mr",  ".",  "!", "\t",  " ",
                                           "  ", "X",   "U.S", "\"", "(", "e.g", "\xE9"};
  std::mt19937 random(99);
  SentenceSplitter splitter;
  for (int file = 0; file < 400; ++file) {
    Lines lines(random() % 40);
    for (std::string& line : lines) {
      for (int w = random() % 10; w > 0; --w) {
        line += kWords[random() % std::size(kWords)];
        if (random() % 3 != 0) line += ' ';
      }
    }
    std::string joined;
    for (const std::string& sentence : PlainSplit(lines)) joined += sentence + "\n";
    for (const std::optional<size_t> count :
         {std::optional<size_t>(lines.size()), std::optional<size_t>()}) {
      size_t next = 0;
      const std::string text = splitter.SplitText(
          [&](std::string_view* line) {
            if (next == lines.size()) return false;
            *line = lines[next++];
            return true;
          },
          count, nullptr);
      std::string cut;
      ForEachSentence(text,
                      [&](std::string_view sentence) { cut += std::string(sentence) + "\n"; });
      ASSERT_EQ(cut, joined) << testing::PrintToString(lines) << " count known: " << !!count;
      ASSERT_EQ(CountSentences(text), PlainSplit(lines).size());
    }
  }
}

TEST(SentenceSplitterTest, SentencesOfASplitText) {
  const struct {
    std::string text;
    Lines sentences;
  } cases[] = {
      {"", {}},     {"a", {"a"}},         {"a\n", {"a"}},
      {"\n", {""}}, {"a\nb", {"a", "b"}}, {"a\n\nb\n", {"a", "", "b"}},
  };
  for (const auto& c : cases) {
    Lines got;
    ForEachSentence(c.text, [&](std::string_view s) { got.emplace_back(s); });
    EXPECT_EQ(got, c.sentences) << testing::PrintToString(c.text);
    EXPECT_EQ(CountSentences(c.text), c.sentences.size());
  }
}

}  // namespace
}  // namespace quillon
