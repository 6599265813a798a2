// Tags interned as small integers. Every tag a run can produce (lexicon tags, rule tags,
// rule arguments) is interned once at load time, so the tagger compares integers and
// never allocates per token. The empty tag is a tag like any other.
// Tested through tagger_test.cc and the differential test.
#ifndef QUILLON_CORE_TAG_TABLE_H_
#define QUILLON_CORE_TAG_TABLE_H_

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillon {

using TagId = uint32_t;

class TagTable {
 public:
  // Views into names_ would outlive a copy's strings; a move keeps them in place.
  TagTable() = default;
  TagTable(const TagTable&) = delete;
  TagTable& operator=(const TagTable&) = delete;
  TagTable(TagTable&&) = default;
  TagTable& operator=(TagTable&&) = default;

  // Returns the id of tag, adding it when it is new.
  TagId Intern(std::string_view tag) {
    auto it = ids_.find(tag);
    if (it != ids_.end()) return it->second;
    const TagId id = static_cast<TagId>(names_.size());
    names_.emplace_back(tag);
    views_.emplace_back(names_.back());
    ids_.emplace(views_.back(), id);
    std::array<char, kNameSlot>& slot = slots_.emplace_back();
    std::memcpy(slot.data(), tag.data(), std::min(tag.size(), kNameSlot));
    return id;
  }

  // Returns the id of tag, or kNone when it was never interned.
  static constexpr TagId kNone = UINT32_MAX;
  TagId Find(std::string_view tag) const {
    auto it = ids_.find(tag);
    return it == ids_.end() ? kNone : it->second;
  }

  std::string_view Name(TagId id) const { return views_[id]; }
  size_t size() const { return names_.size(); }

  // The first kNameSlot bytes of the name (zero padded), so that a writer can copy a
  // short name with one fixed-size move.
  static constexpr size_t kNameSlot = 16;
  const char* NameSlot(TagId id) const { return slots_[id].data(); }

 private:
  std::deque<std::string> names_;  // stable addresses for the views in views_ and ids_
  // By id, in flat arrays: writers read a name and its slot per token, and a deque's
  // index costs a division into its blocks.
  std::vector<std::string_view> views_;
  std::vector<std::array<char, kNameSlot>> slots_;
  std::unordered_map<std::string_view, TagId> ids_;
};

}  // namespace quillon

#endif  // QUILLON_CORE_TAG_TABLE_H_
