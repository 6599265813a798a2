// The fast tagger's resources built from resource lines through the public loading
// functions, as a run builds them from files. Shared by the tests that compare the fast
// tagger with the reference tagger.
#ifndef QUILLON_TESTS_CORE_RESOURCES_FROM_LINES_H_
#define QUILLON_TESTS_CORE_RESOURCES_FROM_LINES_H_

#include <memory>

#include "core/resources.h"
#include "tests/reference/reference_tagger.h"

namespace quillon {

// Heap-allocated because the tag table and the lexicon hold views into themselves.
inline std::unique_ptr<Resources> ResourcesFromLines(const reference::ResourceLines& lines) {
  auto resources = std::make_unique<Resources>();
  resources->ignore = IgnoreList(lines.ignore);
  BuildLexicon(lines.lexicon, nullptr, resources.get());
  resources->tag_list = ReadTagList(lines.tagset);
  resources->lexical_records = ParseLexicalRules(lines.lexical_rules, resources->tag_list);
  resources->contextual_records = ParseContextualRules(lines.contextual_rules);
  return resources;
}

}  // namespace quillon

#endif  // QUILLON_TESTS_CORE_RESOURCES_FROM_LINES_H_
