// Tests of TSubstituter: Perl's substitution semantics on byte strings, the errors of
// the library, and the one-pattern cache.
#include "subst/substituter.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

struct SubstCase {
  const char* command;
  std::string text;
  std::string expected;  // the text afterwards
  bool substituted;
};

TEST(SubstituterTest, PerlSemantics) {
  using namespace std::string_literals;
  const SubstCase cases[] = {
      // Anchors, spaces and tabs: the line commands of sentence splitting.
      {R"(s/^[ \t]+//)", " \t x \t", "x \t", true},
      {R"(s/^[ \t]+//)", "x  ", "x  ", false},
      {"s/  +/ /g", "a  b     c d", "a b c d", true},
      {R"(s/\t//g)", "\ta\tb\t", "ab", true},
      {"s/ +$//", "a b  ", "a b", true},
      {"s/ +$//", "a  b", "a  b", false},
      // $ also matches before a final line feed, not before an inner one.
      {"s/ +$//", "a  \n", "a\n", true},
      {"s/ +$//", "a  \nb", "a  \nb", false},
      {"s/ +$//m", "a  \nb", "a\nb", true},
      {"s/^/> /mg", "a\nb", "> a\n> b", true},
      // Without g only the first match is replaced.
      {"s/a/b/", "aaa", "baa", true},
      {"s/a/b/g", "aaa", "bbb", true},
      // Groups by opening parenthesis, \N and $N alike, unset groups empty.
      {R"(s/((a)(b))(c)?/[\1|$2|\3|$4|$&]/g)", "abcab", "[ab|a|b|c|abc][ab|a|b||ab]", true},
      {"s/(a)/$9/", "xay", "xy", true},
      // \t and \n in pattern and replacement; \b; a backslash before another byte.
      {R"(s/\t/\n/g)", "a\tb\tc", "a\nb\nc", true},
      {R"(s/\bis\b/IS/g)", "this is his island is", "this IS his island IS", true},
      {R"(s/\./\!/g)", "a.b.", "a!b!", true},
      {R"(s/\y/\Y/g)", "yay", "YaY", true},
      // Escaped slash in pattern and replacement.
      {R"(s/\//\\\//g)", "a/b", R"(a\/b)", true},
      // Empty matches: Perl's rule, never twice empty at one place.
      {"s/x*/-/g", "xab", "--a-b-", true},
      {"s/x*?/-/g", "xab", "---a-b-", true},
      {"s/(?=a)|a/-/g", "aab", "----b", true},
      {R"(s/\b/|/g)", "ab cd", "|ab| |cd|", true},
      {"s/$/E/g", "ab\n", "abE\nE", true},
      // Flags i, s and x.
      {"s/ab/X/gi", "aBAbab", "XXX", true},
      {"s/a.b/X/g", "a\nb", "a\nb", false},
      {"s/a.b/X/gs", "a\nb", "X", true},
      {"s/a b # comment\n/X/x", "ab a b", "X a b", true},
      // Bytes of every value: no UTF-8 checks, NUL bytes are ordinary bytes.
      {"s/\x82\xA0/<\\x{82}>/g", "\x82\xA0\x82\xA0\xFF", "<\x82><\x82>\xFF", true},
      {"s/b/\\0/", "a\0b"s, "a\0\0"s, true},
      {"s/\\xFF+/!/", "a\xC3\x28\xFF\xFF", "a\xC3\x28!", true},
      // Case-insensitive matching folds ASCII letters only.
      {"s/\xE9/e/i", "\xC9", "\xC9", false},
      // The sentence boundary command of the splitter.
      {R"(s/([\.|!|\?][\"|\)|\']*) +([\"|\(|\']*[A-Z])/\1\n\2/g)",
       "He left. \"Why?\" she asked. (Then) a | B", "He left.\n\"Why?\" she asked.\n(Then) a |\nB",
       true},
  };
  for (const SubstCase& c : cases) {
    TSubstituter substituter;
    std::string text = c.text;
    bool substituted = false;
    ASSERT_NO_THROW(substituted = substituter.Substitute(c.command, &text)) << c.command;
    EXPECT_EQ(text, c.expected) << c.command;
    EXPECT_EQ(substituted, c.substituted) << c.command;
  }
}

TEST(SubstituterTest, EmptyTextIsLeftAloneWithoutCompiling) {
  TSubstituter substituter;
  std::string text;
  EXPECT_FALSE(substituter.Substitute("s/^/x/", &text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(substituter.held_command(), "");
  // Not even a malformed command is looked at.
  EXPECT_FALSE(substituter.Substitute("s/(/x/", &text));
}

TEST(SubstituterTest, ErrorsCarryTheLibraryText) {
  const std::pair<const char*, const char*> cases[] = {
      {"s/(a/x/", "missing closing parenthesis at offset 2 of the pattern"},
      {"s/a**/x/", "quantifier does not follow a repeatable item at offset 2 of the pattern"},
      {"s/(*UTF)a/x/", "using UTF is disabled by the application at offset 6 of the pattern"},
      {"s/a/x", "Substitution replacement not terminated"},
      {"s/a/x/e", "Substitution modifier \"/e\" is not supported"},
  };
  for (const auto& [command, message] : cases) {
    TSubstituter substituter;
    std::string text = "aaa";
    try {
      substituter.Substitute(command, &text);
      ADD_FAILURE() << command << " was accepted";
    } catch (const ESubstError& e) {
      EXPECT_STREQ(e.what(), message) << command;
    }
    EXPECT_EQ(text, "aaa") << command;
    EXPECT_EQ(substituter.held_command(), "") << command;
  }
}

TEST(SubstituterTest, MatchLimitIsAnErrorNotACrash) {
  TSubstituter substituter;
  std::string text = std::string(40, 'a') + "!";
  const std::string before = text;
  try {
    substituter.Substitute(R"(s/^(\w+\s?)*$/x/)", &text);
    ADD_FAILURE() << "catastrophic backtracking finished";
  } catch (const ESubstError& e) {
    EXPECT_STREQ(e.what(), "match limit exceeded");
  }
  EXPECT_EQ(text, before);
  // The compiled pattern stays usable.
  text = "aa a";
  EXPECT_TRUE(substituter.Substitute(R"(s/^(\w+\s?)*$/x/)", &text));
  EXPECT_EQ(text, "x");
}

TEST(SubstituterTest, CacheHoldsOnePattern) {
  TSubstituter substituter;
  std::string text = "abc";
  EXPECT_TRUE(substituter.Substitute("s/b/B/", &text));
  EXPECT_EQ(substituter.held_command(), "s/b/B/");
  // The same command reuses the pattern, also when it does not match.
  text = "xyz";
  EXPECT_FALSE(substituter.Substitute("s/b/B/", &text));
  EXPECT_EQ(substituter.held_command(), "s/b/B/");
  // A command that differs in any byte, even only in its flags, compiles anew.
  text = "abcb";
  EXPECT_TRUE(substituter.Substitute("s/b/B/g", &text));
  EXPECT_EQ(text, "aBcB");
  EXPECT_EQ(substituter.held_command(), "s/b/B/g");
  // A failing command releases the held one and holds nothing.
  EXPECT_THROW(substituter.Substitute("s/[/x/", &text), ESubstError);
  EXPECT_EQ(substituter.held_command(), "");
  // An empty text still releases a pattern held for another command.
  EXPECT_TRUE(substituter.Substitute("s/B/b/", &text));
  std::string empty;
  EXPECT_FALSE(substituter.Substitute("s/c/C/", &empty));
  EXPECT_EQ(substituter.held_command(), "");
}

TEST(SubstituterTest, LongTextsAreSubstitutedWhole) {
  // 200,000 matches in a 1.2 MB text: the result must be built piecewise, once.
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "ab. Cd";
  std::string expected;
  for (int i = 0; i < 200000; ++i) expected += "ab.\nCd";
  TSubstituter substituter;
  EXPECT_TRUE(substituter.Substitute(R"(s/(\.) +([A-Z])/\1\n\2/g)", &text));
  EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace quillon
