// Compiling and caching patterns. Compiling is parse, NFA, DFA; the parse tree and the
// NFA are freed as soon as the DFA stands. The cache is looked up from entry 0 upwards and
// never reordered, so a caller that sets the same pattern before every use (the splitter
// does, once per sentence) compiles it once. Tested by pattern_cache_test.cc.
#include "regex/pattern_cache.h"

#include <new>

#include "regex/nfa.h"
#include "regex/parser.h"
#include "regex/regexp_error.h"

namespace quillon {

TRegularExpression::TRegularExpression(CodePage code_page)
    : code_page_(code_page), preprocessor_(code_page) {
  entries_.push_back({std::string(), Build("")});
}

TRegularExpression::~TRegularExpression() = default;

std::unique_ptr<TRE_DFA> TRegularExpression::Build(std::string_view pattern) {
  ++compile_count_;
  const std::unique_ptr<TREParseTree> tree = TREParser(pattern, code_page_).Parse();
  const TRE_NFA nfa(*tree);
  return std::make_unique<TRE_DFA>(nfa);
}

void TRegularExpression::Compile(std::string_view pattern) {
  entries_[current_].dfa = Build(pattern);
}

void TRegularExpression::SetRegExp(std::string_view pattern) {
  bool inserted = false;
  try {
    const std::string processed =
        preprocessor_.Preprocess(pattern, use_synonym_dic_, use_fuzzy_char_dic_);
    int found = -1;
    for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
      if (entries_[i].pattern == processed) {
        found = i;
        break;
      }
    }
    if (found >= 0) {
      current_ = found;
    } else {
      if (static_cast<int>(entries_.size()) >= kCacheSize) entries_.pop_back();
      entries_.insert(entries_.begin() + 1, Entry{processed, nullptr});
      inserted = true;
      current_ = 1;
      Compile(processed);
    }
    reg_exp_.assign(pattern);
  } catch (...) {
    // ERegExpParser and std::bad_alloc alike: leave the component on the empty pattern.
    if (inserted) entries_.erase(entries_.begin() + 1);
    current_ = 0;
    reg_exp_.clear();
    throw;
  }
}

std::vector<std::string> TRegularExpression::CachedPatterns() const {
  std::vector<std::string> patterns;
  for (const Entry& e : entries_) patterns.push_back(e.pattern);
  return patterns;
}

}  // namespace quillon
