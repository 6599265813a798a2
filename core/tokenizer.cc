// The rule-based tokenizer. Each byte belongs to one class (space, period, apostrophe,
// punctuation, word character); the rule of the class decides what is emitted. The
// pending token is always a contiguous run [start, pos) of the sentence.
// Tested by tokenizer_test.cc.
#include "core/tokenizer.h"

#include <array>

namespace quillon {
namespace {

enum ByteClass : uint8_t { kWord, kSpace, kPeriod, kApostrophe, kPunctuation };

// Set membership bits, one table for all the byte sets the rules use.
enum : uint8_t {
  kWhitespace = 1,        // tab, LF, CR, space
  kPeriodFollower = 2,    // what ends a word after a period (end of text too)
  kApostropheOpener = 4,  // what before an apostrophe makes it open a token
  kApostropheStop = 8,    // what ends the scan after an apostrophe (end of text too)
};

struct Tables {
  std::array<ByteClass, 256> byte_class{};
  std::array<uint8_t, 256> sets{};
};

constexpr Tables MakeTables() {
  Tables t{};
  for (unsigned char c : std::string_view("\x09\x0a\x0d\x12!\"#$%&()*,-:;<>?[]")) {
    t.byte_class[c] = kPunctuation;
  }
  t.byte_class[' '] = kSpace;
  t.byte_class['.'] = kPeriod;
  t.byte_class['\''] = kApostrophe;
  for (unsigned char c : std::string_view("\x09\x0a\x0d ")) t.sets[c] |= kWhitespace;
  for (unsigned char c : std::string_view("\x09\x0a\x0d\x12 !\"#$%'()*,:;<>?[]")) {
    t.sets[c] |= kPeriodFollower;
  }
  for (unsigned char c : std::string_view("\x09 !\"$&(),-./:;<>?[\\]^`|")) {
    t.sets[c] |= kApostropheOpener;
  }
  for (unsigned char c : std::string_view("\x09\x0a\x0d !(),.:;<>?[]"))
    t.sets[c] |= kApostropheStop;
  return t;
}

constexpr Tables kTables = MakeTables();

class Scanner {
 public:
  Scanner(std::string_view s, const IgnoreList& ignore, std::vector<std::string_view>* tokens)
      : s_(s), n_(s.size()), ignore_(ignore), tokens_(tokens) {}

  void Run() {
    while (pos_ < n_ && s_[pos_] == ' ') ++pos_;
    start_ = pos_;
    bool first = true;
    while (pos_ < n_) {
      const unsigned char c = At(pos_);
      const bool was_first = first;
      first = false;
      switch (kTables.byte_class[c]) {
        case kWord: {
          // A run of word bytes in a tight loop: most bytes are word bytes.
          size_t end = pos_ + 1;
          while (end < n_ && kTables.byte_class[At(end)] == kWord) ++end;
          pos_ = end;
          if (pos_ == n_) Emit(start_, pos_);
          break;
        }
        case kSpace:
          Emit(start_, pos_);
          ++pos_;
          SkipBlanks();
          start_ = pos_;
          break;
        case kPunctuation:
          Emit(start_, pos_);
          Emit(pos_, pos_ + 1);
          ++pos_;
          SkipWhitespace();
          start_ = pos_;
          break;
        case kPeriod:
          Period();
          break;
        case kApostrophe:
          Apostrophe(was_first);
          break;
      }
    }
  }

 private:
  unsigned char At(size_t i) const { return static_cast<unsigned char>(s_[i]); }
  bool In(size_t i, uint8_t set) const {
    return i >= n_ ? (set & (kPeriodFollower | kApostropheStop)) != 0
                   : (kTables.sets[At(i)] & set) != 0;
  }

  void Emit(size_t from, size_t to) {
    if (to > from) tokens_->push_back(s_.substr(from, to - from));
  }
  void SkipWhitespace() {
    while (pos_ < n_ && (kTables.sets[At(pos_)] & kWhitespace)) ++pos_;
  }
  void SkipBlanks() {
    while (pos_ < n_ && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
  }
  size_t FindStop(size_t from) const {
    while (from < n_ && !(kTables.sets[At(from)] & kApostropheStop)) ++from;
    return from;
  }

  void Period() {
    if (!In(pos_ + 1, kPeriodFollower)) {
      ++pos_;  // the period stays inside the word
      return;
    }
    if (start_ == pos_) {
      Emit(pos_, pos_ + 1);
    } else if (ignore_.Contains(s_.substr(start_, pos_ - start_))) {
      Emit(start_, pos_ + 1);
    } else {
      Emit(start_, pos_);
      Emit(pos_, pos_ + 1);
    }
    ++pos_;
    SkipWhitespace();
    start_ = pos_;
  }

  void Apostrophe(bool was_first) {
    if (was_first || In(pos_ - 1, kWhitespace)) {
      Emit(pos_, pos_ + 1);  // an opening quote
      ++pos_;
      SkipWhitespace();
    } else if (In(pos_ - 1, kApostropheOpener)) {
      const size_t stop = FindStop(pos_ + 1);
      Emit(start_, stop);
      pos_ = stop;
      SkipWhitespace();
    } else if (pos_ + 1 < n_ && s_[pos_ + 1] == 't') {
      // n't: the pending token loses its last character to the contraction.
      if (pos_ > start_) Emit(start_, pos_ - 1);
      const size_t stop = FindStop(pos_ + 1);
      Emit(pos_ - 1, stop);
      pos_ = stop;
      EmitPeriodAtStop();
      SkipBlanks();
    } else {
      Emit(start_, pos_);
      const size_t stop = FindStop(pos_ + 1);
      Emit(pos_, stop);
      pos_ = stop;
      EmitPeriodAtStop();
      SkipWhitespace();
    }
    start_ = pos_;
  }

  void EmitPeriodAtStop() {
    if (pos_ < n_ && s_[pos_] == '.') {
      Emit(pos_, pos_ + 1);
      ++pos_;
    }
  }

  std::string_view s_;
  size_t n_;
  const IgnoreList& ignore_;
  std::vector<std::string_view>* tokens_;
  size_t pos_ = 0;
  size_t start_ = 0;
};

}  // namespace

void Tokenize(std::string_view sentence, const IgnoreList& ignore,
              std::vector<std::string_view>* tokens) {
  tokens->clear();
  Scanner(sentence, ignore, tokens).Run();
}

}  // namespace quillon
