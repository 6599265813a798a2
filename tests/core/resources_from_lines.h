// The fast tagger's resources built from the reference's resource lines, through the
// core's own ResourcesFromLines. Shared by the tests that compare the fast tagger with
// the reference tagger.
#ifndef QUILLON_TESTS_CORE_RESOURCES_FROM_LINES_H_
#define QUILLON_TESTS_CORE_RESOURCES_FROM_LINES_H_

#include <memory>

#include "core/resources.h"
#include "tests/reference/reference_tagger.h"

namespace quillon {

// Heap-allocated because the tag table and the lexicon hold views into themselves.
inline std::unique_ptr<Resources> ResourcesFromLines(const reference::ResourceLines& lines) {
  auto resources = std::make_unique<Resources>();
  ResourceLines core_lines;
  core_lines.ignore = lines.ignore;
  core_lines.lexicon = lines.lexicon;
  core_lines.tagset = lines.tagset;
  core_lines.lexical = lines.lexical_rules;
  core_lines.contextual = lines.contextual_rules;
  ResourcesFromLines(core_lines, RunSettings(), resources.get());
  return resources;
}

}  // namespace quillon

#endif  // QUILLON_TESTS_CORE_RESOURCES_FROM_LINES_H_
