// TRegularExpression: the base of the engine's components. It holds the preprocessor, a
// cache of compiled automata, and the pattern as last set (RegExp). The cache keeps at
// most kCacheSize entries of (preprocessed pattern, DFA); entry 0 is the empty pattern,
// compiled at creation and never removed. A new pattern goes in as entry 1, evicting the
// last entry when the cache is full; a pattern found in the cache becomes current without
// being compiled again or moved. Tested by pattern_cache_test.cc.
#ifndef QUILLON_REGEX_PATTERN_CACHE_H_
#define QUILLON_REGEX_PATTERN_CACHE_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "regex/code_page.h"
#include "regex/dfa.h"
#include "regex/preprocessor.h"

namespace quillon {

class TRegularExpression {
 public:
  static constexpr int kCacheSize = 30;

  explicit TRegularExpression(CodePage code_page = ActiveCodePage());
  virtual ~TRegularExpression();
  TRegularExpression(TRegularExpression&&) = default;
  TRegularExpression& operator=(TRegularExpression&&) = default;

  // Compiles pattern (already preprocessed) into the DFA of the current cache entry.
  virtual void Compile(std::string_view pattern);

  // Preprocesses pattern, makes its cache entry current (compiling it on a miss) and
  // remembers pattern as RegExp. On an error (ERegExpParser, or running out of memory) the
  // new entry is removed again, the empty pattern becomes current, RegExp becomes empty,
  // and the exception passes on.
  virtual void SetRegExp(std::string_view pattern);

  // The symbols of the automata for the start and the end of a line.
  virtual uint16_t StartOfLineSymbol() const { return kStartOfLineSymbol; }
  virtual uint16_t EndOfLineSymbol() const { return kEndOfLineSymbol; }

  const std::string& RegExp() const { return reg_exp_; }
  bool HasLineStartAnchor() const { return Dfa().HasLineStart(); }
  bool HasLineEndAnchor() const { return Dfa().HasLineEnd(); }
  CodePage code_page() const { return code_page_; }
  TREPreProcessor& PreProcessor() { return preprocessor_; }

  // The DFA of the current entry.
  const TRE_DFA& Dfa() const { return *entries_[current_].dfa; }

  // For tests and diagnostics: the preprocessed patterns of the entries in cache order,
  // the index of the current entry, and how many patterns have been compiled so far.
  std::vector<std::string> CachedPatterns() const;
  int CurrentEntry() const { return current_; }
  int CompileCount() const { return compile_count_; }

 protected:
  bool use_synonym_dic_ = false;
  bool use_fuzzy_char_dic_ = false;

 private:
  struct Entry {
    std::string pattern;
    std::unique_ptr<TRE_DFA> dfa;
  };

  std::unique_ptr<TRE_DFA> Build(std::string_view pattern);

  CodePage code_page_;
  TREPreProcessor preprocessor_;
  std::vector<Entry> entries_;
  int current_ = 0;
  std::string reg_exp_;
  int compile_count_ = 0;
};

}  // namespace quillon

#endif  // QUILLON_REGEX_PATTERN_CACHE_H_
