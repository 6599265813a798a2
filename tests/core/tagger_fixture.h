// Builds a tagger from resource lines held in memory, for tests of the tagging stages.
#ifndef QUILLON_TESTS_CORE_TAGGER_FIXTURE_H_
#define QUILLON_TESTS_CORE_TAGGER_FIXTURE_H_

#include <memory>
#include <string>
#include <vector>

#include "core/resources.h"
#include "core/tagger.h"

namespace quillon::testing {

struct TaggerFixture {
  std::unique_ptr<Resources> resources = std::make_unique<Resources>();
  std::unique_ptr<Tagger> tagger;

  // lexicon: plain-form lines; the tag set holds the 45 usual tags unless tagset is given.
  TaggerFixture(std::vector<std::string> lexicon, const std::vector<std::string>& lexical,
                const std::vector<std::string>& contextual, std::vector<std::string> tagset = {},
                std::vector<std::string> ignore = {}, TaggerOptions options = {}) {
    if (tagset.empty()) {
      for (const char* tag :
           {"CC",  "CD",  "DT",   "EX",  "FW",  "IN",  "JJ",   "JJR", "JJS", "LS",  "MD",  "NN",
            "NNS", "NNP", "NNPS", "PDT", "POS", "PRP", "PRP$", "RB",  "RBR", "RBS", "RP",  "SYM",
            "TO",  "UH",  "VB",   "VBD", "VBG", "VBN", "VBP",  "VBZ", "WDT", "WP",  "WP$", "WRB"}) {
        tagset.push_back(std::string(tag) + "\tdescription");
      }
    }
    resources->ignore = IgnoreList(ignore);
    BuildLexicon(std::move(lexicon), nullptr, resources.get());
    resources->tag_list = ReadTagList(tagset);
    resources->lexical_records = ParseLexicalRules(lexical, resources->tag_list);
    resources->contextual_records = ParseContextualRules(contextual);
    tagger = std::make_unique<Tagger>(resources.get(), options);
  }

  std::string Tag(std::string_view sentence) {
    std::string out;
    tagger->TagSentence(sentence, &out);
    return out;
  }
};

}  // namespace quillon::testing

#endif  // QUILLON_TESTS_CORE_TAGGER_FIXTURE_H_
