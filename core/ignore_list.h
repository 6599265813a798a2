// The ignore list: abbreviations that keep their final period when the tokenizer meets a
// period ending a word ("Mr" keeps "Mr." whole). Entries are whole lines, spaces included,
// matched ignoring ASCII letter case. Tested by tokenizer_test.cc.
#ifndef QUILLON_CORE_IGNORE_LIST_H_
#define QUILLON_CORE_IGNORE_LIST_H_

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace quillon {

class IgnoreList {
 public:
  IgnoreList() = default;
  explicit IgnoreList(const std::vector<std::string>& lines);

  // True when some entry equals word ignoring case.
  bool Contains(std::string_view word) const;

  bool empty() const { return folded_.empty(); }

 private:
  struct Hasher {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
  };
  std::unordered_set<std::string, Hasher, std::equal_to<>> folded_;
  size_t longest_ = 0;
};

}  // namespace quillon

#endif  // QUILLON_CORE_IGNORE_LIST_H_
