// Tests of the command parser: how commands split into pattern, replacement program and
// flags, and which commands are refused with which text.
#include "subst/command_parser.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

// Compact dump of a replacement program: literals in quotes, groups as $N.
std::string Dump(const std::vector<ReplacementPiece>& pieces) {
  std::string out;
  for (const ReplacementPiece& piece : pieces) {
    if (!out.empty()) out += ' ';
    if (piece.group == ReplacementPiece::kLiteral) {
      out += '"';
      for (unsigned char c : piece.literal) {
        if (c < 0x20 || c >= 0x7F) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "<%02X>", c);
          out += hex;
        } else {
          out += static_cast<char>(c);
        }
      }
      out += '"';
    } else {
      out += '$' + std::to_string(piece.group);
    }
  }
  return out;
}

struct ParseCase {
  const char* command;
  const char* pattern;
  const char* replacement;  // Dump() of the program
};

TEST(CommandParserTest, SplitsPatternAndReplacement) {
  const ParseCase cases[] = {
      {R"(s/^[ \t]+//)", R"(^[ \t]+)", ""},
      {R"(s/  +/ /g)", "  +", R"(" ")"},
      {R"(s/([\.|!|\?][\"|\)|\']*) +([\"|\(|\']*[A-Z])/\1\n\2/g)",
       R"(([\.|!|\?][\"|\)|\']*) +([\"|\(|\']*[A-Z]))", R"($1 "<0A>" $2)"},
      {R"(s/\b(Mr)\.\n/$1\. /g)", R"(\b(Mr)\.\n)", R"($1 ". ")"},
      // Escaped slashes belong to the part; an escaped backslash does not escape the slash.
      {R"(s/a\/b/c\/d/)", R"(a\/b)", R"("c/d")"},
      {R"(s/a\\/b/)", R"(a\\)", R"("b")"},
      {R"(s/x/\\/)", "x", R"("\")"},
      // Groups: \N alone, $N, ${N}, $&; a \N followed by a digit is an octal escape.
      {R"(s/x/$12${3}0$&/)", "x", R"($12 $3 "0" $0)"},
      {R"(s/x/\9\10\0\101/)", "x", R"($9 "<08><00>A")"},
      // Named escapes; any other escaped byte stands for itself.
      {R"(s/x/\t\r\f\a\e\x41\x{4a}\x\o{101}\cA\c?/)", "x",
       R"("<09><0D><0C><07><1B>AJ<00>A<01><7F>")"},
      {R"(s/x/\.\y\$\@\//)", "x", R"(".y$@/")"},
      {"s///", "", ""},
  };
  for (const ParseCase& c : cases) {
    SubstCommand parsed;
    std::string error;
    ASSERT_TRUE(ParseSubstCommand(c.command, &parsed, &error)) << c.command << ": " << error;
    EXPECT_EQ(parsed.pattern, c.pattern) << c.command;
    EXPECT_EQ(Dump(parsed.replacement), c.replacement) << c.command;
  }
}

TEST(CommandParserTest, ReadsFlags) {
  SubstCommand parsed;
  std::string error;
  ASSERT_TRUE(ParseSubstCommand("s/a/b/gimsx", &parsed, &error)) << error;
  EXPECT_TRUE(parsed.global && parsed.caseless && parsed.multiline && parsed.dotall);
  EXPECT_EQ(parsed.extended, 1);
  ASSERT_TRUE(ParseSubstCommand("s/a/b/xxg", &parsed, &error)) << error;
  EXPECT_EQ(parsed.extended, 2);
  ASSERT_TRUE(ParseSubstCommand("s/a/b/", &parsed, &error)) << error;
  EXPECT_FALSE(parsed.global || parsed.caseless || parsed.multiline || parsed.dotall);
  EXPECT_EQ(parsed.extended, 0);
}

TEST(CommandParserTest, RefusesMalformedCommands) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "A substitution command has the form s/pattern/replacement/flags"},
      {"y/a/b/", "A substitution command has the form s/pattern/replacement/flags"},
      {"s|a|b|", "A substitution command has the form s/pattern/replacement/flags"},
      {"s/abc", "Substitution pattern not terminated"},
      {R"(s/abc\/)", "Substitution pattern not terminated"},
      {"s/a/b", "Substitution replacement not terminated"},
      {R"(s/a/b\/)", "Substitution replacement not terminated"},
      {"s/a/b/q", "Unknown regexp modifier \"/q\""},
      {"s/a/b/g ", "Unknown regexp modifier \"/ \""},
      {"s/a/b/e", "Substitution modifier \"/e\" is not supported"},
      {"s/a/b$/", "Final $ should be \\$ or $name"},
      {"s/a/$x/",
       "Only $N, ${N} and $& can be used in the replacement; write \\$ for a "
       "dollar sign"},
      {"s/a/${x}/",
       "Only $N, ${N} and $& can be used in the replacement; write \\$ for a "
       "dollar sign"},
      {R"(s/a/\U$1/)", "\\U is not supported in the replacement"},
      {R"(s/a/\x{100}/)", "Character code beyond one byte in \\x{...} of the replacement"},
      {R"(s/a/\x{4g}/)", "Non-hex character in \\x{...} of the replacement"},
      {R"(s/a/\x{41/)", "Missing right brace on \\x{}"},
      {R"(s/a/\400/)", "Octal escape beyond one byte in the replacement"},
      {R"(s/a/\o41/)", "Missing braces on \\o{}"},
      {R"(s/a/\c/)", "Missing control char name in \\c"},
  };
  for (const auto& [command, message] : cases) {
    SubstCommand parsed;
    std::string error;
    EXPECT_FALSE(ParseSubstCommand(command, &parsed, &error)) << command;
    EXPECT_EQ(error, message) << command;
  }
}

TEST(CommandParserTest, HugeGroupNumbersDoNotOverflow) {
  SubstCommand parsed;
  std::string error;
  ASSERT_TRUE(ParseSubstCommand("s/a/$99999999999999999999/", &parsed, &error)) << error;
  ASSERT_EQ(parsed.replacement.size(), 1u);
  EXPECT_GT(parsed.replacement[0].group, 9);
}

}  // namespace
}  // namespace quillon
