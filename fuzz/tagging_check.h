// The check the rule and whole-run harnesses share: the fast tagger, built from resource
// lines the way a run builds it, must write for every sentence the very line the plain
// reference tagger writes. Record readers are compared with the reference readers too, so
// that a rule read differently is caught even when no sentence makes it fire.
#ifndef QUILLON_FUZZ_TAGGING_CHECK_H_
#define QUILLON_FUZZ_TAGGING_CHECK_H_

#include <memory>
#include <string>
#include <vector>

#include "core/resources.h"
#include "core/tagger.h"
#include "fuzz/fuzz_input.h"
#include "tests/core/resources_from_lines.h"
#include "tests/reference/reference_tagger.h"

namespace quillon::fuzz {

inline void CheckRecords(const Resources& fast, const reference::ResourceLines& lines) {
  const std::vector<std::string> tag_list = reference::ReadTagList(lines.tagset);
  Check(fast.tag_list == tag_list);
  const std::vector<reference::structure2> lexical =
      reference::ReadLexicalRules(lines.lexical_rules, tag_list);
  Check(fast.lexical_records.size() == lexical.size());
  for (size_t i = 0; i < lexical.size(); ++i) {
    const structure2& a = fast.lexical_records[i];
    const reference::structure2& b = lexical[i];
    Check(a.FromTag == b.FromTag && a.Argument == b.Argument && a.RuleName == b.RuleName &&
          a.NewTag == b.NewTag && a.IsFForm == b.IsFForm);
  }
  const std::vector<reference::structure4> contextual =
      reference::ReadContextualRules(lines.contextual_rules);
  Check(fast.contextual_records.size() == contextual.size());
  for (size_t i = 0; i < contextual.size(); ++i) {
    const structure4& a = fast.contextual_records[i];
    const reference::structure4& b = contextual[i];
    Check(a.FromTag == b.FromTag && a.ToTag == b.ToTag && a.Template == b.Template &&
          a.Arg1 == b.Arg1 && a.Arg2 == b.Arg2 && a.FieldCount == b.FieldCount);
  }
}

// Tags sentences with both taggers and checks the lines are equal.
inline void CheckTagging(const reference::ResourceLines& lines,
                         const std::vector<std::string>& sentences, bool tokenize, char separator) {
  std::unique_ptr<Resources> resources = ResourcesFromLines(lines);
  CheckRecords(*resources, lines);
  Tagger fast(resources.get(), TaggerOptions{tokenize, separator});
  reference::ReferenceTagger slow(lines, tokenize, separator);
  std::string line;
  for (const std::string& sentence : sentences) {
    line.clear();
    fast.TagSentence(sentence, &line);
    Check(line == slow.TagSentence(sentence));
  }
}

}  // namespace quillon::fuzz

#endif  // QUILLON_FUZZ_TAGGING_CHECK_H_
