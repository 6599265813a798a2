// The rule-based tokenizer, one sentence at a time.
#include "core/tokenizer.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

std::vector<std::string> Tokens(std::string_view sentence, const IgnoreList& ignore) {
  std::vector<std::string_view> views;
  Tokenize(sentence, ignore, &views);
  return {views.begin(), views.end()};
}

TEST(TokenizerTest, Sentences) {
  const IgnoreList ignore({"Mr", "e.g"});
  using V = std::vector<std::string>;
  const struct {
    std::string sentence;
    V tokens;
  } cases[] = {
      {"I don't know.", {"I", "do", "n't", "know", "."}},
      {"No, I don't.", {"No", ",", "I", "do", "n't", "."}},
      {"can't", {"ca", "n't"}},
      {"won't", {"wo", "n't"}},
      {"DON'T", {"DON", "'T"}},  // only a small t makes the n't contraction
      {"It's John's book.", {"It", "'s", "John", "'s", "book", "."}},
      {"I'm here", {"I", "'m", "here"}},
      {"50's", {"50", "'s"}},
      {"Mr. Smith said so.", {"Mr.", "Smith", "said", "so", "."}},
      {"mr. Smith", {"mr.", "Smith"}},
      {"e.g. this", {"e.g.", "this"}},
      {"U.S.", {"U.S", "."}},
      {"U.S.A. is", {"U.S.A", ".", "is"}},
      {"Wait... ok", {"Wait..", ".", "ok"}},
      {"3.5% of 100", {"3.5", "%", "of", "100"}},
      {"word . next", {"word", ".", "next"}},
      {"a.b.-x", {"a.b.", "-", "x"}},
      {"well-known", {"well", "-", "known"}},
      {"e-mail: see page 3.", {"e", "-", "mail", ":", "see", "page", "3", "."}},
      {"'Tis the season", {"'", "Tis", "the", "season"}},
      {"the '90s", {"the", "'", "90s"}},
      {"dogs' food", {"dogs", "'", "food"}},
      {"rock 'n' roll", {"rock", "'", "n", "'", "roll"}},
      {"o'clock", {"o", "'clock"}},
      {"rock'n'roll", {"rock", "'n'roll"}},
      {"x/'y", {"x/'y"}},
      {"''Hello''", {"'", "'Hello''"}},
      {"It's. then go", {"It", "'s", ".", "then", "go"}},
      {"(n't)", {"(", "n't", ")"}},
      {"n't", {"n't"}},
      {"don't.", {"do", "n't", "."}},
      {"a\tb", {"a", "\t", "b"}},
      {"\tx", {"\t", "x"}},
      {"a \tb", {"a", "b"}},  // blanks after a space are skipped, the tab too
      {"", {}},
      {"    ", {}},
      {"  lead", {"lead"}},
      {"end.", {"end", "."}},
      {"x.y", {"x.y"}},
      {"a.&b", {"a.", "&", "b"}},  // a period before & stays in the word; & is punctuation
      {"\"Yes,\" he said.", {"\"", "Yes", ",", "\"", "he", "said", "."}},
      {"caf\xc3\xa9 au lait", {"caf\xc3\xa9", "au", "lait"}},
      {"#'t", {"#", "#'t"}},  // the contraction starts at the byte before the apostrophe
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Tokens(c.sentence, ignore), c.tokens) << testing::PrintToString(c.sentence);
  }
}

TEST(TokenizerTest, IgnoreListIsCaseInsensitive) {
  EXPECT_EQ(Tokens("Mr. X", IgnoreList({"MR"})), (std::vector<std::string>{"Mr.", "X"}));
  EXPECT_EQ(Tokens("Mr. X", IgnoreList({"mr"})), (std::vector<std::string>{"Mr.", "X"}));
  EXPECT_EQ(Tokens("Mr. X", IgnoreList({"Mrs"})), (std::vector<std::string>{"Mr", ".", "X"}));
  EXPECT_EQ(Tokens("U.S. and", IgnoreList({"U.S"})), (std::vector<std::string>{"U.S.", "and"}));
}

TEST(TokenizerTest, EveryByteValueIsSafe) {
  // No byte sequence may make the tokenizer emit an empty token or read out of range.
  const IgnoreList ignore({"x"});
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  for (size_t start = 0; start < all.size(); start += 7) {
    std::string s = all.substr(start) + all.substr(0, start);
    for (const std::string& token : Tokens(s, ignore)) EXPECT_FALSE(token.empty());
  }
}

}  // namespace
}  // namespace quillon
