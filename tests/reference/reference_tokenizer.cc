// The reference tokenizer: the rule-based mode as a loop over character classes with a
// pending-token string, and the split at runs of spaces. Used by differential_test.cc.
#include <cstring>

#include "tests/reference/reference_tagger.h"

namespace quillon::reference {
namespace {

// Membership of byte c in a set given as a string of bytes.
bool In(const char* set, size_t size, unsigned char c) {
  return std::memchr(set, c, size) != nullptr;
}

const char kPunctuation[] = "\t\n\r\x12!\"#$%&()*,-:;<>?[]";
const char kWhitespace[] = "\t\n\r ";
const char kPeriodFollowers[] = "\t\n\r\x12 !\"#$%'()*,:;<>?[]";
const char kApostropheOpeners[] = "\t !\"$&(),-./:;<>?[\\]^`|";
const char kApostropheStops[] = "\t\n\r !(),.:;<>?[]";

bool IsPunctuation(unsigned char c) { return In(kPunctuation, sizeof kPunctuation - 1, c); }
bool IsWhitespace(unsigned char c) { return In(kWhitespace, sizeof kWhitespace - 1, c); }
bool IsOpener(unsigned char c) { return In(kApostropheOpeners, sizeof kApostropheOpeners - 1, c); }

// The end of the sentence belongs to the follower and stop sets.
bool IsPeriodFollower(std::string_view s, size_t p) {
  return p >= s.size() || In(kPeriodFollowers, sizeof kPeriodFollowers - 1, s[p]);
}
bool IsStop(std::string_view s, size_t p) {
  return p >= s.size() || In(kApostropheStops, sizeof kApostropheStops - 1, s[p]);
}

bool InIgnoreList(const std::string& word, const std::vector<std::string>& ignore) {
  for (const std::string& entry : ignore) {
    if (EqualIgnoringCase(entry, word)) return true;
  }
  return false;
}

class Tokenizer {
 public:
  Tokenizer(std::string_view s, const std::vector<std::string>& ignore) : s_(s), ignore_(ignore) {}

  std::vector<std::string> Run() {
    while (p_ < s_.size() && s_[p_] == ' ') ++p_;
    const size_t first = p_;
    while (p_ < s_.size()) {
      const unsigned char c = s_[p_];
      if (c == '.') {
        Period();
      } else if (c == '\'') {
        Apostrophe(p_ == first);
      } else if (c == ' ') {
        EmitPending();
        ++p_;
        SkipBlanks();
      } else if (IsPunctuation(c)) {
        EmitPending();
        Emit(std::string(1, c));
        ++p_;
        SkipWhitespace();
      } else {
        pending_ += c;
        ++p_;
        if (p_ == s_.size()) EmitPending();
      }
    }
    return tokens_;
  }

 private:
  void Emit(const std::string& token) {
    if (!token.empty()) tokens_.push_back(token);
  }
  void EmitPending() {
    Emit(pending_);
    pending_.clear();
  }
  void SkipWhitespace() {
    while (p_ < s_.size() && IsWhitespace(s_[p_])) ++p_;
  }
  void SkipBlanks() {
    while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\t')) ++p_;
  }
  // The position of the first apostrophe stop at or after from.
  size_t StopFrom(size_t from) const {
    while (!IsStop(s_, from)) ++from;
    return from;
  }

  void Period() {
    if (!IsPeriodFollower(s_, p_ + 1)) {
      pending_ += '.';
      ++p_;
      return;
    }
    if (pending_.empty()) {
      Emit(".");
    } else if (InIgnoreList(pending_, ignore_)) {
      Emit(pending_ + ".");
    } else {
      Emit(pending_);
      Emit(".");
    }
    pending_.clear();
    ++p_;
    SkipWhitespace();
  }

  // After a contraction token that ended at stop: a period there is a token of its own.
  void PeriodAfterContraction(size_t stop) {
    p_ = stop;
    if (p_ < s_.size() && s_[p_] == '.') {
      Emit(".");
      ++p_;
    }
  }

  void Apostrophe(bool first_examined) {
    if (first_examined || IsWhitespace(s_[p_ - 1])) {
      Emit("'");
      ++p_;
      SkipWhitespace();
      return;
    }
    if (IsOpener(s_[p_ - 1])) {
      const size_t stop = StopFrom(p_ + 1);
      Emit(pending_ + std::string(s_.substr(p_, stop - p_)));
      pending_.clear();
      p_ = stop;
      SkipWhitespace();
      return;
    }
    if (p_ + 1 < s_.size() && s_[p_ + 1] == 't') {
      // n't: the letter before the apostrophe starts the second token.
      Emit(pending_.empty() ? pending_ : pending_.substr(0, pending_.size() - 1));
      pending_.clear();
      const size_t stop = StopFrom(p_ + 1);
      Emit(std::string(s_.substr(p_ - 1, stop - (p_ - 1))));
      PeriodAfterContraction(stop);
      SkipBlanks();
      return;
    }
    EmitPending();
    const size_t stop = StopFrom(p_ + 1);
    Emit(std::string(s_.substr(p_, stop - p_)));
    PeriodAfterContraction(stop);
    SkipWhitespace();
  }

  std::string_view s_;
  const std::vector<std::string>& ignore_;
  size_t p_ = 0;
  std::string pending_;
  std::vector<std::string> tokens_;
};

}  // namespace

std::vector<std::string> TokenizeOn(std::string_view sentence,
                                    const std::vector<std::string>& ignore) {
  return Tokenizer(sentence, ignore).Run();
}

std::vector<std::string> TokenizeOff(std::string_view sentence) {
  std::vector<std::string> tokens;
  std::string field;
  for (char c : sentence) {
    if (c == ' ') {
      if (!field.empty()) tokens.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  if (!field.empty()) tokens.push_back(field);
  return tokens;
}

}  // namespace quillon::reference
