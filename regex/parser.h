// TREParser: recursive descent over the scanner's tokens into a TREParseTree.
//   pattern     := alternation END
//   alternation := sequence ("|" sequence)*        nests to the left
//   sequence    := empty | item+                   up to "|", ")" or the end
//   item        := atom ("*" | "+" | "?")?
//   atom        := char | "(" alternation ")" | class | "." | "^" | "$"
// Tested by parser_test.cc.
#ifndef QUILLON_REGEX_PARSER_H_
#define QUILLON_REGEX_PARSER_H_

#include <memory>
#include <string_view>

#include "regex/code_page.h"
#include "regex/parse_tree.h"
#include "regex/scanner.h"

namespace quillon {

class TREParser {
 public:
  TREParser(std::string_view pattern, CodePage code_page);

  // Parses the pattern into a tree with disjoint leaves; raises ERegExpParser.
  std::unique_ptr<TREParseTree> Parse();

 private:
  void Advance() { token_ = scanner_.Next(); }
  bool At(TokenKind kind) const { return token_.kind == kind; }
  [[noreturn]] void Fail(const char* message) const;

  int Alternation();
  int Sequence();
  int Item();
  int Atom();
  int AnyChar();
  int PositiveClass();
  int NegatedClass();

  TREScanner scanner_;
  Token token_{TokenKind::kEnd};
  std::unique_ptr<TREParseTree> tree_;
  int depth_ = 0;
};

}  // namespace quillon

#endif  // QUILLON_REGEX_PARSER_H_
