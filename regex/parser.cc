// The recursive-descent parser. The current token is looked at before it is consumed, so
// errors are reported where the scanner stands after that token. Groups nest at most
// kMaxNesting deep: each level is a stack frame here and in the callers' tree walks.
// Tested by parser_test.cc.
#include "regex/parser.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "regex/regexp_error.h"

namespace quillon {
namespace {

constexpr int kMaxNesting = 1000;

// The characters "." stands for: all but code 0 (the end of a text), line feed and
// carriage return.
constexpr std::pair<uint16_t, uint16_t> kAnyCharRanges[] = {{1, 9}, {11, 12}, {14, kMaxCharCode}};

}  // namespace

TREParser::TREParser(std::string_view pattern, CodePage code_page) : scanner_(pattern, code_page) {}

void TREParser::Fail(const char* message) const {
  throw ERegExpParser(message, scanner_.Position());
}

std::unique_ptr<TREParseTree> TREParser::Parse() {
  tree_ = std::make_unique<TREParseTree>();
  Advance();
  const int root = Alternation();
  if (!At(TokenKind::kEnd)) Fail(regexp_messages::kExtraChars);
  tree_->SetRoot(root);
  tree_->MakeLeavesDisjoint();
  return std::move(tree_);
}

int TREParser::Alternation() {
  int node = Sequence();
  while (At(TokenKind::kUnion)) {
    Advance();
    node = tree_->Union(node, Sequence());
  }
  return node;
}

int TREParser::Sequence() {
  auto at_sequence_end = [this] {
    return At(TokenKind::kUnion) || At(TokenKind::kCloseGroup) || At(TokenKind::kEnd);
  };
  if (at_sequence_end()) return tree_->Empty();
  int node = Item();
  while (!at_sequence_end()) node = tree_->Concat(node, Item());
  return node;
}

int TREParser::Item() {
  const int atom = Atom();
  switch (token_.kind) {
    case TokenKind::kStar:
      Advance();
      return tree_->Star(atom);
    case TokenKind::kPlus:
      Advance();
      return tree_->Concat(atom, tree_->Star(atom));
    case TokenKind::kOptional:
      Advance();
      return tree_->Union(atom, tree_->Empty());
    default:
      return atom;
  }
}

int TREParser::Atom() {
  switch (token_.kind) {
    case TokenKind::kChar: {
      const int leaf = tree_->Leaf(token_.low, token_.high);
      Advance();
      return leaf;
    }
    case TokenKind::kOpenGroup: {
      if (++depth_ > kMaxNesting) Fail(regexp_messages::kTooComplex);
      Advance();
      const int inner = Alternation();
      if (!At(TokenKind::kCloseGroup)) Fail(regexp_messages::kNeedRightParen);
      Advance();
      --depth_;
      return inner;
    }
    case TokenKind::kClassStart:
      Advance();
      return PositiveClass();
    case TokenKind::kNegatedClassStart:
      Advance();
      return NegatedClass();
    case TokenKind::kAnyChar:
      Advance();
      return AnyChar();
    case TokenKind::kLineStart:
      Advance();
      return tree_->LineStart();
    case TokenKind::kLineEnd:
      Advance();
      return tree_->LineEnd();
    default:
      Fail(regexp_messages::kNeedCharOrLeftParen);
  }
}

int TREParser::AnyChar() {
  int node = -1;
  for (const auto& [low, high] : kAnyCharRanges) {
    const int leaf = tree_->Leaf(low, high);
    node = node < 0 ? leaf : tree_->Union(node, leaf);
  }
  return node;
}

int TREParser::PositiveClass() {
  if (At(TokenKind::kClassEnd)) Fail(regexp_messages::kBadCharClass);
  int node = -1;
  while (!At(TokenKind::kClassEnd)) {
    const int leaf = tree_->Leaf(token_.low, token_.high);
    node = node < 0 ? leaf : tree_->Union(node, leaf);
    Advance();
  }
  Advance();
  return node;
}

// The characters of "." that none of the class's items names, as the union of the
// ranges left over in ascending order.
int TREParser::NegatedClass() {
  if (At(TokenKind::kClassEnd)) Fail(regexp_messages::kBadCharClass);
  std::vector<std::pair<uint16_t, uint16_t>> items;
  while (!At(TokenKind::kClassEnd)) {
    items.emplace_back(token_.low, token_.high);
    Advance();
  }
  Advance();
  std::sort(items.begin(), items.end());

  std::vector<std::pair<uint16_t, uint16_t>> left(std::begin(kAnyCharRanges),
                                                  std::end(kAnyCharRanges));
  std::vector<std::pair<uint16_t, uint16_t>> next;
  for (const auto& [cut_low, cut_high] : items) {
    next.clear();
    for (const auto& [low, high] : left) {
      if (high < cut_low || low > cut_high) {
        next.emplace_back(low, high);
        continue;
      }
      if (low < cut_low) next.emplace_back(low, cut_low - 1);
      if (high > cut_high) next.emplace_back(cut_high + 1, high);
    }
    left.swap(next);
  }

  if (left.empty()) return tree_->Nothing();
  int node = -1;
  for (const auto& [low, high] : left) {
    const int leaf = tree_->Leaf(low, high);
    node = node < 0 ? leaf : tree_->Union(node, leaf);
  }
  return node;
}

}  // namespace quillon
