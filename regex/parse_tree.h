// TREParseTree: the tree a pattern parses into. It owns its nodes in one array and frees
// them together; nodes refer to each other by index, so a subtree can have several parents
// (the atom of "a+" is shared by both halves of a.a*). Leaves are character ranges, and
// the tree keeps one leaf per distinct range. Tested by parser_test.cc.
#ifndef QUILLON_REGEX_PARSE_TREE_H_
#define QUILLON_REGEX_PARSE_TREE_H_

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quillon {

enum class NodeOp : uint8_t {
  kLeaf,       // a character range low..high
  kLineStart,  // "^": an anchor at the start of the pattern, else the character itself
  kLineEnd,    // "$": an anchor at the end of the pattern, else the character itself
  kConcat,     // left then right
  kUnion,      // left or right
  kStar,       // left, zero or more times
  kEmpty,      // the empty string
  kNothing,    // no string at all (a negated class that leaves no character)
};

struct ParseNode {
  NodeOp op;
  int left = -1;
  int right = -1;
  uint16_t low = 0;  // leaves: the range
  uint16_t high = 0;
  char written = 0;  // anchors: the character they were written with
};

class TREParseTree {
 public:
  // The leaf of the range low..high (low <= high): the existing one if there is one.
  int Leaf(uint16_t low, uint16_t high);
  int LineStart();
  int LineEnd();
  int Concat(int left, int right);
  int Union(int left, int right);
  int Star(int child);
  int Empty();
  int Nothing();

  void SetRoot(int root) { root_ = root; }
  int root() const { return root_; }
  const ParseNode& node(int index) const { return nodes_[index]; }
  int NodeCount() const { return static_cast<int>(nodes_.size()); }

  // Splits overlapping leaves until every character belongs to at most one leaf. A leaf
  // that is cut becomes a union of its pieces, so the characters under every node stay
  // the same.
  void MakeLeavesDisjoint();

  // The ranges of the current leaves, in ascending order.
  std::vector<std::pair<uint16_t, uint16_t>> LeafRanges() const;

  // A compact text of the tree from the root, e.g. "union{a,star{b}}" for a|b*. Leaves
  // print as the character, as \xHH or \xHHHH, and ranges as low-high. For tests and
  // diagnostics; a shared subtree prints once per parent.
  std::string Dump() const;

 private:
  int Add(ParseNode node);
  void DumpNode(int index, std::string* out) const;

  std::vector<ParseNode> nodes_;
  std::map<std::pair<uint16_t, uint16_t>, int> leaves_;
  int root_ = -1;
};

}  // namespace quillon

#endif  // QUILLON_REGEX_PARSE_TREE_H_
