// Our DFA matcher against the C library's POSIX matcher, which is leftmost-longest too,
// on thousands of random patterns and texts from the part of the two languages that
// means the same: literals, ".", classes and ranges, "|", "*", "+", "?", groups, and
// "^"/"$" only where ours treats them as anchors (at the edges of a top-level
// alternative). Texts use line feeds as line ends (mcls_LF, REG_NEWLINE) and never hold a
// carriage return, which our "." and negated classes also leave out.
#include <gtest/gtest.h>
#include <regex.h>

#include <random>
#include <string>

#include "regex/awk_str.h"

namespace quillon {
namespace {

class PatternGenerator {
 public:
  explicit PatternGenerator(uint32_t seed) : rng_(seed) {}

  std::string Pattern() { return Alternation(0, true); }

  std::string Text() {
    static constexpr char kAlphabet[] = "abcdab\nx";
    std::string text;
    const int length = Below(13);
    for (int i = 0; i < length; ++i) text.push_back(kAlphabet[Below(sizeof kAlphabet - 1)]);
    return text;
  }

 private:
  int Below(int n) { return static_cast<int>(rng_() % n); }
  bool Chance(int percent) { return Below(100) < percent; }

  std::string Alternation(int depth, bool top_level) {
    std::string out = Sequence(depth, top_level);
    while (Chance(25)) out += "|" + Sequence(depth, top_level);
    return out;
  }

  std::string Sequence(int depth, bool top_level) {
    std::string out;
    if (top_level && Chance(20)) out += "^";
    const int items = 1 + Below(4);
    for (int i = 0; i < items; ++i) out += Item(depth);
    if (top_level && Chance(20)) out += "$";
    return out;
  }

  std::string Item(int depth) {
    std::string out = Atom(depth);
    switch (Below(8)) {
      case 0:
        out += "*";
        break;
      case 1:
        out += "+";
        break;
      case 2:
        out += "?";
        break;
      default:
        break;
    }
    return out;
  }

  std::string Atom(int depth) {
    const int kind = Below(10);
    if (kind < 5) return std::string(1, "abcd"[Below(4)]);
    if (kind == 5) return ".";
    if (kind < 8 || depth >= 3) return Class();
    return "(" + Alternation(depth + 1, false) + ")";
  }

  std::string Class() {
    std::string out = Chance(30) ? "[^" : "[";
    const int items = 1 + Below(3);
    for (int i = 0; i < items; ++i) {
      const char low = "abcd"[Below(4)];
      out.push_back(low);
      if (Chance(30)) {
        out.push_back('-');
        out.push_back(static_cast<char>(low + Below('e' - low)));
      }
    }
    return out + "]";
  }

  std::mt19937 rng_;
};

TEST(PosixDifferentialTest, LeftmostLongestAgreesWithRegexec) {
  PatternGenerator gen(12345);
  TAWKStr awk(CodePage::kSingleByte);
  awk.SetLineSeparator(mcls_LF);
  int compared = 0;
  int matched = 0;
  int failures = 0;
  for (int round = 0; round < 4000 && failures < 10; ++round) {
    const std::string pattern = gen.Pattern();
    regex_t posix;
    ASSERT_EQ(regcomp(&posix, pattern.c_str(), REG_EXTENDED | REG_NEWLINE), 0) << pattern;
    awk.SetRegExp(pattern);
    for (int t = 0; t < 8; ++t) {
      const std::string text = gen.Text();
      regmatch_t expected;
      const bool posix_found = regexec(&posix, text.c_str(), 1, &expected, 0) == 0;
      MatchSpan ours;
      const bool found = awk.Match(text, &ours);
      ++compared;
      matched += posix_found;
      const bool same =
          found == posix_found && (!found || (ours.start == static_cast<size_t>(expected.rm_so) &&
                                              ours.end == static_cast<size_t>(expected.rm_eo)));
      if (!same) {
        ++failures;
        ADD_FAILURE() << "pattern \"" << pattern << "\" text \"" << text << "\": ours "
                      << (found ? std::to_string(ours.start) + "-" + std::to_string(ours.end)
                                : "none")
                      << ", POSIX "
                      << (posix_found ? std::to_string(expected.rm_so) + "-" +
                                            std::to_string(expected.rm_eo)
                                      : "none");
      }
    }
    regfree(&posix);
  }
  EXPECT_EQ(compared, 32000);
  // The generator must exercise both outcomes, or the comparison proves little.
  EXPECT_GT(matched, compared / 4);
  EXPECT_LT(matched, compared * 3 / 4);
}

}  // namespace
}  // namespace quillon
