// The modern tokenizer: one table of cases per convention, most of them as the English Web
// Treebank and GUM cut their own sentences, then what must hold for any bytes at all.
#include "core/modern_tokenizer.h"

#include <gtest/gtest.h>

#include <random>

#include "core/unicode_class.h"

namespace quillon {
namespace {

using V = std::vector<std::string>;

struct Case {
  std::string text;
  V tokens;
};

class ModernTokenizerTest : public ::testing::Test {
 protected:
  V Tokens(std::string_view text) {
    std::vector<std::string_view> views;
    tokenizer_.Tokenize(text, &views);
    return {views.begin(), views.end()};
  }
  void Check(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(Tokens(c.text), c.tokens) << c.text;
  }

  IgnoreList ignore_{{"Mr", "Dr", "Nov", "etc", "Inc", "e.g", "No"}};
  ModernTokenizer tokenizer_{&ignore_};
};

TEST_F(ModernTokenizerTest, PunctuationAndSpaces) {
  Check({
      {"From the AP comes this story :", {"From", "the", "AP", "comes", "this", "story", ":"}},
      {"reasons, Columbia, problem?", {"reasons", ",", "Columbia", ",", "problem", "?"}},
      {"(miniscule \"It [17], of)", {"(", "miniscule", "\"", "It", "[", "17", "]", ",", "of", ")"}},
      {"profitable.\"", {"profitable", ".", "\""}},
      {"tradeoff).", {"tradeoff", ")", "."}},
      {"ago,they", {"ago", ",", "they"}},
      {"", {}},
      {" \t ", {}},
      // No-break, thin and ideographic spaces and zero-width characters separate.
      {"a\u00A0b\u2009c\u3000d\u200Be\uFEFFf", {"a", "b", "c", "d", "e", "f"}},
      {"\uFEFFThe cat", {"The", "cat"}},  // a byte order mark is not a token
      {"line\r\nbreak\x01x", {"line", "break", "x"}},
  });
}

TEST_F(ModernTokenizerTest, TypographicPunctuation) {
  Check({
      {"“This is”, he said.", {"“", "This", "is", "”", ",", "he", "said", "."}},
      {"a “merit system.”", {"a", "“", "merit", "system", ".", "”"}},
      {"‘Be quiet’", {"‘", "Be", "quiet", "’"}},
      {"‘’Should", {"‘’", "Should"}},
      {"''Every ''decided''", {"''", "Every", "''", "decided", "''"}},
      {"«Oui» „Ja“", {"«", "Oui", "»", "„", "Ja", "“"}},
      {"power—influence – it", {"power", "—", "influence", "–", "it"}},
      {"lifestyle… …and", {"lifestyle", "…", "…", "and"}},
      {"Tel ☏ ✉ 5 · 6 • x", {"Tel", "☏", "✉", "5", "·", "6", "•", "x"}},
      {"£5 €20", {"£", "5", "€", "20"}},
      {"I ♥ NY!", {"I", "♥", "NY", "!"}},
      {"ok👍🏽 🇺🇸", {"ok", "👍🏽", "🇺🇸"}},  // a skin tone stays with its emoji
      {"café naïve", {"café", "naïve"}},
  });
}

TEST_F(ModernTokenizerTest, ApostrophesAndContractions) {
  Check({
      {"I don't know.", {"I", "do", "n't", "know", "."}},
      {"couldn’t haven’t DON'T", {"could", "n’t", "have", "n’t", "DO", "N'T"}},
      {"can't won't ain't", {"ca", "n't", "wo", "n't", "ai", "n't"}},
      {"world’s Iran’s it's", {"world", "’s", "Iran", "’s", "it", "'s"}},
      {"I’m you're we've they'll I'd",
       {"I", "’m", "you", "'re", "we", "'ve", "they", "'ll", "I", "'d"}},
      {"Oʼs", {"O", "ʼs"}},
      {"shouldn't've", {"should", "n't", "'ve"}},
      {"citizens’ soldiers'", {"citizens", "’", "soldiers", "'"}},
      {"o'clock O'Brien c'est", {"o'clock", "O'Brien", "c'est"}},
      {"'s n't ’ll", {"'s", "n't", "’ll"}},
      {"'The 'proof'", {"'", "The", "'", "proof", "'"}},
      {"the '90s ’72, 1960's 2003's", {"the", "'90s", "’72", ",", "1960's", "2003", "'s"}},
      {"’em 'cause", {"’em", "'cause"}},
      {"cannot gonna wanna gotta", {"can", "not", "gon", "na", "wan", "na", "got", "ta"}},
      {"Cannot dont Im ive thats", {"Can", "not", "do", "nt", "I", "m", "i", "ve", "that", "s"}},
      {"dunno outta", {"du", "n", "no", "out", "ta"}},
      {"its kinda whose", {"its", "kinda", "whose"}},
  });
}

TEST_F(ModernTokenizerTest, NumbersStayWhole) {
  Check({
      {"$5,000 1,000,000.50 3.5 10:30 1/2", {"$", "5,000", "1,000,000.50", "3.5", "10:30", "1/2"}},
      {"2nd 1990s +44 +1 .5", {"2nd", "1990s", "+44", "+1", ".5"}},
      {"02/13/2001 08:02 03:14:14", {"02/13/2001", "08:02", "03:14:14"}},
      {"713.837.1638 853-7906 1-800-991-9019", {"713.837.1638", "853-7906", "1-800-991-9019"}},
      {"3-5213 11-20-2000 01-Feb-02", {"3-5213", "11-20-2000", "01-Feb-02"}},
      {"1998-2000 3-4 15-year", {"1998", "-", "2000", "3", "-", "4", "15", "-", "year"}},
      {"5%, -5 #1", {"5", "%", ",", "-", "5", "#", "1"}},
      {"5pm 7:30PM 35mm $5m 10th", {"5", "pm", "7:30", "PM", "35", "mm", "$", "5", "m", "10th"}},
      {"2,", {"2", ","}},
      {"4.", {"4", "."}},
  });
}

TEST_F(ModernTokenizerTest, HyphenatedWords) {
  Check({
      {"well-known wheel-chair", {"well", "-", "known", "wheel", "-", "chair"}},
      {"e-mail non-stop re-elected co-workers", {"e-mail", "non-stop", "re-elected", "co-workers"}},
      {"counter-attack Non-Microsoft", {"counter-attack", "Non-Microsoft"}},
      {"keep-it-simple", {"keep", "-", "it", "-", "simple"}},
      {"self-driven vice-president", {"self", "-", "driven", "vice", "-", "president"}},
      {"af- th- PS- service-", {"af-", "th-", "PS", "-", "service", "-"}},
      {"alt.animals.dogs.open-forum", {"alt.animals.dogs.open-forum"}},
      {"smoke--free ---", {"smoke", "--", "free", "---"}},
  });
}

TEST_F(ModernTokenizerTest, AddressesNamesAndCodes) {
  Check({
      {"http://www.4gamer.net/news/image/2005.09/20050920111900_21big.html",
       {"http://www.4gamer.net/news/image/2005.09/20050920111900_21big.html"}},
      {"(see http://x.com/a_(b).)", {"(", "see", "http://x.com/a_(b)", ".", ")"}},
      {"at www.accenture.com.", {"at", "www.accenture.com", "."}},
      {"\"https://a.b/c?d=1&e=2\"", {"\"", "https://a.b/c?d=1&e=2", "\""}},
      {"mail janesmith@paulhastings.com, franz371...@gmail.com",
       {"mail", "janesmith@paulhastings.com", ",", "franz371...@gmail.com"}},
      {"\"Ryan\"<rreynol...@cogeco.ca>", {"\"", "Ryan", "\"", "<", "rreynol...@cogeco.ca", ">"}},
      {"@john: #audiobooks #tag!", {"@john", ":", "#audiobooks", "#tag", "!"}},
      {"Lisa_coverletter.doc API.pdf unitedway.enron.com",
       {"Lisa_coverletter.doc", "API.pdf", "unitedway.enron.com"}},
      {"AT&T's PG&E B&B", {"AT&T", "'s", "PG&E", "B&B"}},
      {"and/or l/c w/o s/he w/", {"and", "/", "or", "l/c", "w/o", "s/he", "w", "/"}},
      {"SX40 fm78", {"SX40", "fm78"}},
  });
}

TEST_F(ModernTokenizerTest, RunsAndEmoticons) {
  Check({
      {"... !!! ?? ?! .? ---- **", {"...", "!!!", "??", "?!", ".?", "----", "**"}},
      {"people!!! best!!! lifestyle...", {"people", "!!!", "best", "!!!", "lifestyle", "..."}},
      {"past...and back..", {"past", "...", "and", "back", ".."}},
      {"----== ==---- \\\\", {"----==", "==----", "\\\\"}},
      {":) ;-) :D :-( <3 ^_^", {":)", ";-)", ":D", ":-(", "<3", "^_^"}},
      {"lingerie :-). free:) XD", {"lingerie", ":-)", ".", "free", ":)", "XD"}},
      {"note (see 2): 3,40", {"note", "(", "see", "2", ")", ":", "3,40"}},
  });
}

TEST_F(ModernTokenizerTest, AbbreviationsAndInitials) {
  Check({
      {"Mr. Smith met Dr. Who on Nov. 29.",
       {"Mr.", "Smith", "met", "Dr.", "Who", "on", "Nov.", "29", "."}},
      {"J. R. R. Tolkien wrote it.", {"J.", "R.", "R.", "Tolkien", "wrote", "it", "."}},
      {"the U.S. Army, e.g. this, i.e. that",
       {"the", "U.S.", "Army", ",", "e.g.", "this", ",", "i.e.", "that"}},
      {"and so did I.", {"and", "so", "did", "I", "."}},
      {"cats, dogs, etc.", {"cats", ",", "dogs", ",", "etc", "."}},
      {"in the U.S.", {"in", "the", "U.S."}},  // dotted forms keep the period at the end
      {"at 5 p.m. today", {"at", "5", "p.m.", "today"}},
      {"Enron Inc.. Then", {"Enron", "Inc.", ".", "Then"}},
      {"(Mr. X)", {"(", "Mr.", "X", ")"}},
      {"said no.", {"said", "no", "."}},
      {"a sentence. another", {"a", "sentence", ".", "another"}},
  });
}

// Bytes that are not valid UTF-8 are word characters: nothing is dropped, nothing read
// twice, whatever the bytes.
TEST_F(ModernTokenizerTest, InvalidUtf8StaysInWords) {
  Check({
      {"caf\xE9 \xFF\xFE x\x80y", {"caf\xE9", "\xFF\xFE", "x\x80y"}},
      {"\xC3", {"\xC3"}},
      {"\xE2\x80 end", {"\xE2\x80", "end"}},
      {"\xED\xA0\x80.", {"\xED\xA0\x80", "."}},  // a surrogate's encoding is no character
      {"\xC0\xAF", {"\xC0\xAF"}},                // neither is an overlong slash
  });
}

// Tokens are views into the sentence in order, never empty and never overlapping, and
// between them stand only spaces: for random texts over an alphabet of awkward pieces.
TEST_F(ModernTokenizerTest, TokensCoverEveryCharacterButSpaces) {
  const std::vector<std::string> pieces = {
      "a",        "Z",      "7",       " ",    ".",     ",",    "'",        "’",
      "-",        "\"",     "“",       "”",    "n't",   "@",    "#",        "/",
      ":",        ")",      "(",       "…",    "\xC3",  "\xA9", "\xE2\x80", "\xF0\x9F\x91\x8D",
      "\xCC\x81", "\u00A0", "http://", "www.", ":)",    "e",    "-mail",    "'s",
      "$",        "%",      "&",       "\xFF", "\t",    "_",    "u.s",      "Mr",
      "...",      "+",      "=",       "0x",   "\u200B"};
  std::mt19937 rng(20240511);
  for (int round = 0; round < 4000; ++round) {
    std::string text;
    const int count = static_cast<int>(rng() % 14);
    for (int i = 0; i < count; ++i) text += pieces[rng() % pieces.size()];
    std::vector<std::string_view> tokens;
    tokenizer_.Tokenize(text, &tokens);
    size_t at = 0;
    for (const std::string_view token : tokens) {
      ASSERT_FALSE(token.empty()) << text;
      ASSERT_GE(token.data(), text.data() + at) << text;
      const size_t begin = static_cast<size_t>(token.data() - text.data());
      ASSERT_LE(begin + token.size(), text.size()) << text;
      for (size_t k = at; k < begin;) {  // what lies between tokens is space
        const DecodedChar c = DecodeUtf8At(text, k);
        ASSERT_EQ(ClassOf(c.code), CharClass::kSpace) << text << " at " << k;
        k += c.length;
      }
      at = begin + token.size();
    }
    for (size_t k = at; k < text.size();) {
      const DecodedChar c = DecodeUtf8At(text, k);
      ASSERT_EQ(ClassOf(c.code), CharClass::kSpace) << text << " at " << k;
      k += c.length;
    }
  }
}

// A long chunk of punctuation and a long word are taken apart in linear time (a slow
// tokenizer would take minutes here).
TEST_F(ModernTokenizerTest, LongChunksAreLinear) {
  const std::string closing = "word" + std::string(200000, ')');
  EXPECT_EQ(Tokens(closing).size(), 200001u);
  const std::string opening = std::string(200000, '(') + "x@y.z";
  EXPECT_EQ(Tokens(opening).size(), 200001u);
  const std::string hyphens = "non" + std::string(100000, '-') + "x";
  EXPECT_EQ(Tokens(hyphens), (V{"non", std::string(100000, '-'), "x"}));
  std::string marks = "a";
  for (int i = 0; i < 1000; ++i) marks += "\xCC\x81";  // combining acute accents
  EXPECT_EQ(Tokens(marks + ")"), (V{marks, ")"}));
}

}  // namespace
}  // namespace quillon
