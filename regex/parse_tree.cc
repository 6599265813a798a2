// The parse tree and the step that makes its leaves disjoint. Disjoint leaves let the
// subset construction treat every leaf as one input symbol class. Instead of cutting
// overlapping pairs again and again, the cut points of all leaves are gathered once: the
// pieces between neighbouring cut points are exactly the leaves that repeated pairwise
// cutting ends with. Tested by parser_test.cc.
#include "regex/parse_tree.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <stdexcept>

namespace quillon {
namespace {

void AppendCode(uint16_t code, std::string* out) {
  if (code > 0x20 && code < 0x7F && code != '{' && code != '}' && code != ',' && code != '-' &&
      code != '\\') {
    out->push_back(static_cast<char>(code));
    return;
  }
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, code < 0x100 ? "\\x%02X" : "\\x%04X", code);
  out->append(buffer);
}

}  // namespace

int TREParseTree::Add(ParseNode node) {
  nodes_.push_back(node);
  return static_cast<int>(nodes_.size()) - 1;
}

int TREParseTree::Leaf(uint16_t low, uint16_t high) {
  assert(low <= high);
  const auto [it, inserted] = leaves_.try_emplace({low, high}, NodeCount());
  if (inserted) Add({NodeOp::kLeaf, -1, -1, low, high});
  return it->second;
}

int TREParseTree::LineStart() { return Add({NodeOp::kLineStart, -1, -1, 0, 0, '^'}); }
int TREParseTree::LineEnd() { return Add({NodeOp::kLineEnd, -1, -1, 0, 0, '$'}); }
int TREParseTree::Concat(int left, int right) { return Add({NodeOp::kConcat, left, right}); }
int TREParseTree::Union(int left, int right) { return Add({NodeOp::kUnion, left, right}); }
int TREParseTree::Star(int child) { return Add({NodeOp::kStar, child}); }
int TREParseTree::Empty() { return Add({NodeOp::kEmpty}); }
int TREParseTree::Nothing() { return Add({NodeOp::kNothing}); }

void TREParseTree::MakeLeavesDisjoint() {
  std::vector<uint32_t> cuts;
  cuts.reserve(leaves_.size() * 2);
  for (const auto& [range, index] : leaves_) {
    cuts.push_back(range.first);
    cuts.push_back(uint32_t{range.second} + 1);
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

  // Copy the leaf list first: cutting adds leaves (pieces), which are already disjoint.
  const std::vector<std::pair<std::pair<uint16_t, uint16_t>, int>> old_leaves(leaves_.begin(),
                                                                              leaves_.end());
  std::vector<int> pieces;
  for (const auto& [range, index] : old_leaves) {
    auto cut = std::upper_bound(cuts.begin(), cuts.end(), uint32_t{range.first});
    if (*cut == uint32_t{range.second} + 1) continue;  // no cut inside: the leaf stays
    leaves_.erase(range);
    pieces.clear();
    uint32_t low = range.first;
    for (; low <= range.second; ++cut) {
      pieces.push_back(Leaf(static_cast<uint16_t>(low), static_cast<uint16_t>(*cut - 1)));
      low = *cut;
    }
    if (pieces.size() < 2) throw std::logic_error("TREParseTree : 致命的エラー");
    int left = pieces[0];
    for (size_t i = 1; i + 1 < pieces.size(); ++i) left = Union(left, pieces[i]);
    nodes_[index] = {NodeOp::kUnion, left, pieces.back()};
  }
}

std::vector<std::pair<uint16_t, uint16_t>> TREParseTree::LeafRanges() const {
  std::vector<std::pair<uint16_t, uint16_t>> ranges;
  ranges.reserve(leaves_.size());
  for (const auto& [range, index] : leaves_) ranges.push_back(range);
  return ranges;
}

std::string TREParseTree::Dump() const {
  std::string out;
  if (root_ >= 0) DumpNode(root_, &out);
  return out;
}

void TREParseTree::DumpNode(int index, std::string* out) const {
  const ParseNode& n = nodes_[index];
  switch (n.op) {
    case NodeOp::kLeaf:
      AppendCode(n.low, out);
      if (n.high != n.low) {
        out->push_back('-');
        AppendCode(n.high, out);
      }
      return;
    case NodeOp::kLineStart:
      out->append("bol");
      return;
    case NodeOp::kLineEnd:
      out->append("eol");
      return;
    case NodeOp::kEmpty:
      out->append("empty");
      return;
    case NodeOp::kNothing:
      out->append("nothing");
      return;
    case NodeOp::kStar:
      out->append("star{");
      DumpNode(n.left, out);
      out->push_back('}');
      return;
    case NodeOp::kConcat:
    case NodeOp::kUnion:
      out->append(n.op == NodeOp::kConcat ? "cat{" : "union{");
      DumpNode(n.left, out);
      out->push_back(',');
      DumpNode(n.right, out);
      out->push_back('}');
      return;
  }
}

}  // namespace quillon
