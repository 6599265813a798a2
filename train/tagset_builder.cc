// The tag set lines. Tested by lexicon_builder_test.cc.
#include "train/tagset_builder.h"

#include <set>

namespace quillon {
namespace {

constexpr struct {
  const char* tag;
  const char* description;
} kPennTags[] = {
    {"CC", "Coordinating conjunction"},
    {"CD", "Cardinal number"},
    {"DT", "Determiner"},
    {"EX", "Existential there"},
    {"FW", "Foreign word"},
    {"IN", "Preposition/subord. conjunction"},
    {"JJ", "Adjective"},
    {"JJR", "Adjective, comparative"},
    {"JJS", "Adjective, superlative"},
    {"LS", "List item marker"},
    {"MD", "Modal"},
    {"NN", "Noun, singular or mass"},
    {"NNS", "Noun, plural"},
    {"NNP", "Proper noun, singular"},
    {"NNPS", "Proper noun, plural"},
    {"PDT", "Predeterminer"},
    {"POS", "Possessive ending"},
    {"PRP", "Personal pronoun"},
    {"PRP$", "Possessive pronoun"},
    {"RB", "Adverb"},
    {"RBR", "Adverb, comparative"},
    {"RBS", "Adverb, superlative"},
    {"RP", "Particle"},
    {"SYM", "Symbol"},
    {"TO", "to"},
    {"UH", "Interjection"},
    {"VB", "Verb, base form"},
    {"VBD", "Verb, past tense"},
    {"VBG", "Verb, gerund/present participle"},
    {"VBN", "Verb, past participle"},
    {"VBP", "Verb, non-3rd ps. sing."},
    {"VBZ", "Verb, 3rd ps. sing. Present"},
    {"WDT", "wh-determiner"},
    {"WP", "wh-pronoun"},
    {"WP$", "Possessive wh-pronoun"},
    {"WRB", "wh-adverb"},
    {"#", "Pound sign"},
    {"$", "Dollar sign"},
    {".", "Sentence-final punctuation"},
    {",", "Comma"},
    {":", "Colon, semi-colon"},
    {"(", "Left bracket character"},
    {")", "Right bracket character"},
    {"``", "Left open double quote"},
    {"''", "Right close double quote"},
};

}  // namespace

bool IsPennTag(std::string_view tag) {
  for (const auto& penn : kPennTags) {
    if (tag == penn.tag) return true;
  }
  return false;
}

std::vector<std::string> BuildTagsetLines(const Corpus& corpus) {
  std::set<std::string> others;
  for (const TaggedSentence& sentence : corpus.sentences) {
    others.insert(sentence.tags.begin(), sentence.tags.end());
  }
  std::vector<std::string> lines;
  for (const auto& penn : kPennTags) {
    lines.push_back(std::string(penn.tag) + "\t" + penn.description);
    others.erase(penn.tag);
  }
  for (const std::string& tag : others) lines.push_back(tag + "\t");
  return lines;
}

}  // namespace quillon
