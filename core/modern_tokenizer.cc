// The modern tokenizer. The sentence is cut at spaces into chunks; each chunk is then
// taken apart from both ends, as treebank tokenizers do:
//   1. a chunk that is one whole token (a single character, a run of one punctuation
//      mark, an emoticon, a URL, an e-mail address or @name, a #tag, a lone contraction
//      such as "n't") is emitted as it stands;
//   2. otherwise an opening mark is cut off its front (brackets, quotes, currency signs),
//   3. or a closing one off its back (closing quotes and brackets, commas, sentence
//      punctuation, the period of a word that is no abbreviation, contractions such as
//      n't and 's), which is kept aside and emitted after the rest;
//   4. and what is left when neither end gives way is cut inside: at punctuation between
//      words, except the marks that join a word (a period in "3.5" or "enron.com", a
//      comma or colon between digits, an apostrophe in "o'clock", a hyphen after a
//      prefix or inside a phone number).
// Steps 1 to 3 repeat until step 1 or 4 ends the chunk. Positions are byte offsets of
// the sentence; characters are decoded as they are met, the marks after a character
// belong to it, and a byte that is not valid UTF-8 is a character of its own.
// Tested by modern_tokenizer_test.cc and fuzz/modern_tokenizer_fuzzer.cc.
#include "core/modern_tokenizer.h"

#include <algorithm>

#include "core/token_patterns.h"
#include "core/unicode_class.h"

namespace quillon {
namespace {

// Chunks longer than this are not tested as whole URLs, addresses or #tags, so that
// taking a long chunk apart stays linear in its length.
constexpr size_t kMaxPatternBytes = 1024;
// At most this many marks belong to one character (Unicode's stream-safe limit).
constexpr int kMaxMarks = 32;

struct Char {
  char32_t code = 0;
  size_t begin = 0;
  size_t end = 0;  // one past its last byte, marks included
  CharClass char_class = CharClass::kSpace;
};

bool IsRegionalIndicator(char32_t c) { return c >= 0x1F1E6 && c <= 0x1F1FF; }

bool IsWordLike(const Char& c) {
  return c.char_class == CharClass::kWord || c.char_class == CharClass::kMark;
}
bool IsDigit(const Char& c) { return IsAsciiDigit(c.code); }
bool IsLetter(const Char& c) { return IsWordLike(c) && !IsDigit(c); }

// Marks that make a run: a token of their own however many stand together.
bool MakesRuns(char32_t c) {
  return c == '$' || c == '/' || c == '\\' || c == '<' || c == '>' || c == '%' ||
         (c >= 0x2012 && c <= 0x2015);
}

// Marks of which any mix makes one token, as in the rules of plain-text mail ("----==").
bool IsDecoration(char32_t c) {
  return c == '-' || c == '=' || c == '_' || c == '*' || c == '~' || c == '+' || c == '#' ||
         c == '^';
}

bool EndsSentence(char32_t c) { return IsPeriodLike(c) || c == '!' || c == '?'; }

// Whether a and b belong to one punctuation token.
bool SameRun(char32_t a, char32_t b) {
  if (EndsSentence(a)) return EndsSentence(b);
  if (IsQuote(a)) return IsQuote(b);
  if (IsDecoration(a)) return IsDecoration(b);
  return a == b && MakesRuns(a);
}

// ASCII letters, digits and the underscore: the bytes of most words.
constexpr std::array<bool, 256> MakePlainBytes() {
  std::array<bool, 256> t{};
  for (int c = 0; c < 128; ++c) t[c] = kAsciiClasses[c] == CharClass::kWord;
  return t;
}
constexpr std::array<bool, 256> kPlainByte = MakePlainBytes();

// Punctuation that stands alone after a plain word as it always does after any word.
bool IsPlainSuffix(char c) { return c == ',' || c == ';' || c == '!' || c == '?'; }

class Scanner {
 public:
  Scanner(std::string_view s, const IgnoreList& ignore, std::vector<std::string_view>* tokens,
          std::vector<std::string_view>* suffixes)
      : s_(s), ignore_(ignore), tokens_(tokens), suffixes_(suffixes) {}

  void Run() {
    const size_t n = s_.size();
    size_t i = SkipSpaces(0);
    while (i < n) {
      // Most chunks are a plain word, perhaps with a comma or a period after it; they
      // need none of the rules for punctuation and are found in one pass over the bytes.
      size_t e = i;
      while (e < n && kPlainByte[static_cast<unsigned char>(s_[e])]) ++e;
      const size_t plain_end = e;
      while (e < n) {
        const Char c = At(e, n);
        if (c.char_class == CharClass::kSpace) break;
        e = c.end;
      }
      const size_t next = SkipSpaces(e);
      const bool last = next >= n;
      if (plain_end == e) {
        EmitWord(i, e);
      } else if (plain_end + 1 == e && plain_end > i && IsPlainSuffix(s_[plain_end])) {
        EmitWord(i, plain_end);
        Emit(plain_end, e);
      } else if (plain_end + 1 == e && plain_end > i && s_[plain_end] == '.' &&
                 !KeepsPeriod(i, plain_end, last)) {
        EmitWord(i, plain_end);
        Emit(plain_end, e);
      } else {
        Chunk(i, e, last);
      }
      i = next;
    }
  }

 private:
  // The character that starts at i, with the marks after it, ending by limit.
  Char At(size_t i, size_t limit) const {
    const unsigned char b = static_cast<unsigned char>(s_[i]);
    // Marks are never ASCII: an ASCII character before an ASCII byte is one byte.
    if (b < 0x80 && (i + 1 >= limit || static_cast<unsigned char>(s_[i + 1]) < 0x80)) {
      return Char{b, i, i + 1, kAsciiClasses[b]};
    }
    const DecodedChar d = DecodeUtf8At(s_, i);
    Char c{d.code, i, i + d.length, ClassOf(d.code)};
    if (c.char_class == CharClass::kSpace) return c;
    if (IsRegionalIndicator(c.code) && c.end < limit) {  // a flag is a pair of them
      const DecodedChar next = DecodeUtf8At(s_, c.end);
      if (IsRegionalIndicator(next.code)) c.end += next.length;
    }
    for (int marks = 0; c.end < limit && marks < kMaxMarks; ++marks) {
      const DecodedChar m = DecodeUtf8At(s_, c.end);
      if (ClassOf(m.code) != CharClass::kMark) break;
      c.end += m.length;
    }
    return c;
  }

  // The character that ends at i, not starting before lo (i > lo).
  Char Before(size_t i, size_t lo) const {
    Char c = EndingAt(i, lo);
    if (IsRegionalIndicator(c.code) && c.begin > lo) {
      const Char first = EndingAt(c.begin, lo);
      if (IsRegionalIndicator(first.code)) c.begin = first.begin;
    }
    for (int marks = 0; c.char_class == CharClass::kMark && c.begin > lo && marks < kMaxMarks;
         ++marks) {
      const Char base = EndingAt(c.begin, lo);
      c = Char{base.code, base.begin, i, base.char_class};
    }
    return c;
  }

  // The single code point (or stray byte) that ends at i. A valid sequence that ends
  // there starts with a lead byte, which forward decoding also starts a character at.
  Char EndingAt(size_t i, size_t lo) const {
    const unsigned char b = static_cast<unsigned char>(s_[i - 1]);
    if (b < 0x80) return Char{b, i - 1, i, kAsciiClasses[b]};  // ASCII is always whole
    for (size_t length = 4; length >= 2; --length) {
      if (i - lo < length) continue;
      const DecodedChar d = DecodeUtf8At(s_, i - length);
      if (d.length == length) return Char{d.code, i - length, i, ClassOf(d.code)};
    }
    const DecodedChar d = DecodeUtf8At(s_, i - 1);
    return Char{d.code, i - 1, i, ClassOf(d.code)};
  }

  size_t SkipSpaces(size_t i) const {
    while (i < s_.size() && s_[i] == ' ') ++i;
    while (i < s_.size()) {
      const Char c = At(i, s_.size());
      if (c.char_class != CharClass::kSpace) break;
      i = c.end;
    }
    return i;
  }

  void Emit(size_t from, size_t to) {
    if (to > from) tokens_->push_back(s_.substr(from, to - from));
  }

  std::string_view View(size_t from, size_t to) const { return s_.substr(from, to - from); }

  // Takes the chunk [b, e) apart; last tells whether it ends the sentence, which it no
  // longer does for what stands before a sentence's final punctuation.
  void Chunk(size_t b, size_t e, bool last) {
    const size_t base = suffixes_->size();
    while (b < e) {
      if (IsWholeToken(b, e)) {
        Emit(b, e);
        break;
      }
      if (const size_t after = Prefix(b, e); after > b) {
        Emit(b, after);
        b = after;
        continue;
      }
      const Cut cut = Suffix(b, e, last);
      if (cut.whole) {
        Emit(b, e);
        break;
      }
      if (cut.end < e) {
        suffixes_->push_back(View(cut.end, e));
        if (EndsSentence(At(cut.end, e).code)) last = false;
        e = cut.end;
        continue;
      }
      b = Inside(b, e);
    }
    for (size_t k = suffixes_->size(); k > base; --k) tokens_->push_back((*suffixes_)[k - 1]);
    suffixes_->resize(base);
  }

  // Step 1: whether [b, e) is one token as it stands.
  bool IsWholeToken(size_t b, size_t e) const {
    const Char first = At(b, e);
    if (first.end == e) return true;
    if (IsRun(first, e) || IsEmoticon(View(b, e)) || IsLoneContraction(b, e)) return true;
    if (e - b > kMaxPatternBytes) return false;
    if (UrlOpeningLength(View(b, e)) > 0) return UrlMayEndAt(b, e);
    if (first.code == '#') return IsTag(first.end, e);
    if (IsApostrophe(first.code)) {
      return IsDecade(first.end, e) || LettersEnd(first.end, e) == e;
    }
    return IsAddress(b, e);
  }

  // A run of one punctuation mark ("...", "!?!", "--", "''", "***").
  bool IsRun(const Char& first, size_t e) const {
    if (IsWordLike(first)) return false;
    for (size_t i = first.end; i < e;) {
      const Char c = At(i, e);
      if (!SameRun(first.code, c.code)) return false;
      i = c.end;
    }
    return true;
  }

  // "n't", "'s", "’ll" standing alone.
  bool IsLoneContraction(size_t b, size_t e) const {
    return e - b <= 5 && ContractionStart(b, e) == b;
  }

  // A URL ends with a letter, digit or slash, or a closing bracket it opened itself.
  bool UrlMayEndAt(size_t b, size_t e) const {
    const Char last = Before(e, b);
    if (IsWordLike(last) || last.code == '/' || last.code == '=' || last.code == '-') return true;
    if (last.code != ')' && last.code != ']') return false;
    const char open = last.code == ')' ? '(' : '[';
    const std::string_view url = View(b, e);
    return std::count(url.begin(), url.end(), open) >=
           std::count(url.begin(), url.end(), static_cast<char>(last.code));
  }

  // "#tag": a letter after the sign, then letters and digits only.
  bool IsTag(size_t i, size_t e) const { return IsLetter(At(i, e)) && AllWordLike(i, e); }

  bool AllWordLike(size_t i, size_t e) const {
    while (i < e) {
      const Char c = At(i, e);
      if (!IsWordLike(c)) return false;
      i = c.end;
    }
    return true;
  }

  // The end of the apostrophe word ('em, 'cause) whose letters start at i, or 0.
  size_t LettersEnd(size_t i, size_t e) const {
    size_t end = i;
    while (end < e && IsAsciiLetter(static_cast<unsigned char>(s_[end]))) ++end;
    return IsApostropheWord(View(i, end)) ? end : 0;
  }

  // "'90s", "’72": a digit after the apostrophe, then letters and digits.
  bool IsDecade(size_t i, size_t e) const { return IsDigit(At(i, e)) && AllWordLike(i, e); }

  // An e-mail address or @name: word characters and . - _ + % ' around at least one @
  // that a word character follows; it ends with a word character.
  bool IsAddress(size_t b, size_t e) const {
    bool at = false;
    for (size_t i = b; i < e;) {
      const Char c = At(i, e);
      if (c.code == '@') {
        if (c.end >= e || !IsWordLike(At(c.end, e))) return false;
        at = true;
      } else if (!IsWordLike(c) && c.code != '.' && c.code != '-' && c.code != '_' &&
                 c.code != '+' && c.code != '%' && c.code != '\'') {
        return false;
      }
      i = c.end;
    }
    return at && IsWordLike(Before(e, b));
  }

  // Step 2: where the chunk goes on after an opening mark, or b when it has none.
  size_t Prefix(size_t b, size_t e) const {
    const Char c = At(b, e);
    if (IsWordLike(c) || c.code == '@') return b;
    if (const size_t n = EmoticonPrefixLength(View(b, e));
        n > 0 && b + n < e && !IsWordLike(At(b + n, e))) {
      return b + n;  // ":-)." or ":)))"
    }
    const Char next = At(c.end, e);
    // A sign or an apostrophe before a number belongs to it (+44, '90s, .5).
    if ((c.code == '+' || c.code == '.' || IsApostrophe(c.code)) && IsDigit(next)) return b;
    if (IsApostrophe(c.code) && LettersEnd(c.end, e) > 0) return b;  // 'em,
    if (c.code == '#' && IsLetter(next)) return b;  // a #tag followed by punctuation
    return RunEnd(c, e);
  }

  // The end of the punctuation token that starts with c.
  size_t RunEnd(const Char& c, size_t e) const {
    size_t i = c.end;
    while (i < e) {
      const Char next = At(i, e);
      if (!SameRun(c.code, next.code)) break;
      i = next.end;
    }
    return i;
  }

  // The start of the punctuation token that ends with c.
  size_t RunStart(const Char& c, size_t b) const {
    size_t i = c.begin;
    while (i > b) {
      const Char before = Before(i, b);
      if (!SameRun(c.code, before.code)) break;
      i = before.begin;
    }
    return i;
  }

  struct Cut {
    size_t end;          // where the rest of the chunk ends now
    bool whole = false;  // the rest is one token, period included
  };

  // Step 3: the closing mark at the end of [b, e), if any.
  Cut Suffix(size_t b, size_t e, bool last) const {
    const Char c = Before(e, b);
    const size_t emoticon = EmoticonSuffixLength(View(b, e));
    if (emoticon > 0 && emoticon < e - b &&
        !IsAsciiLetter(static_cast<unsigned char>(s_[e - emoticon])) &&
        IsLetter(Before(e - emoticon, b))) {
      return {e - emoticon};  // "great:)"
    }
    if (IsWordLike(c)) {
      const size_t start = ContractionStart(b, e);
      return {start > b ? start : e};
    }
    if (c.code == '.') {
      const size_t run = RunStart(c, b);
      if (run == c.begin) {
        if (KeepsPeriod(b, c.begin, last)) return {e, true};
        return {c.begin};
      }
      // "Inc.." and "U.S.." are an abbreviation and a period.
      if (run + 2 == e && s_[run] == '.' && KeepsPeriod(b, run, false)) return {c.begin};
      return {run};
    }
    if (IsHyphen(c.code) && KeepsHyphen(b, c.begin)) {
      return {e};  // "w-" and "th-" (a word broken off) keep their hyphen
    }
    return {RunStart(c, b)};
  }

  // Whether the letters [b, h) keep the hyphen after them: a short word, broken off.
  bool KeepsHyphen(size_t b, size_t h) const {
    if (h == b || h - b > 3) return false;
    int capitals = 0;
    for (size_t i = b; i < h; ++i) {
      const unsigned char c = static_cast<unsigned char>(s_[i]);
      if (!IsAsciiLetter(c)) return false;
      capitals += c <= 'Z';
    }
    return capitals < 2;  // "PS-" is an abbreviation before a dash
  }

  // Where a contraction at the end of [b, e) starts ("n't", "'s", "’re", "'LL"), or e
  // when there is none. A word character must stand before it, unless it is alone.
  size_t ContractionStart(size_t b, size_t e) const {
    // The letters after the apostrophe, one or two, are ASCII, so the apostrophe ends
    // where they start.
    const std::string_view v = View(b, e);
    for (size_t letters = 1; letters <= 2 && letters < v.size(); ++letters) {
      const std::string_view tail = v.substr(v.size() - letters);
      const bool nt = letters == 1 && (tail[0] | 0x20) == 't';
      if (!nt && !IsContractionTail(tail)) continue;
      const Char apostrophe = Before(e - letters, b);
      if (!IsApostrophe(apostrophe.code)) continue;
      const size_t at = apostrophe.begin;
      if (nt) {
        if (at == b || (View(at - 1, at)[0] | 0x20) != 'n') continue;
        const size_t n_at = at - 1;
        if (n_at == b) return b;  // "n't" alone
        return IsWordLike(Before(n_at, b)) ? n_at : e;
      }
      if (at == b) return b;  // "'s" alone
      // A decade keeps its 's ("the 60's", "1960's"), other numbers do not ("2003's").
      if (at > b && s_[at - 1] == '0' && (tail[0] | 0x20) == 's' && IsNumber(b, at - 1)) return e;
      return IsWordLike(Before(at, b)) ? at : e;
    }
    return e;
  }

  bool IsNumber(size_t b, size_t e) const {
    for (size_t i = b; i < e; ++i) {
      if (!IsAsciiDigit(static_cast<unsigned char>(s_[i]))) return false;
    }
    return true;
  }

  static bool IsContractionTail(std::string_view tail) {
    if (tail.size() == 1) {
      const char c = static_cast<char>(tail[0] | 0x20);
      return c == 's' || c == 'm' || c == 'd';
    }
    const char a = static_cast<char>(tail[0] | 0x20), b = static_cast<char>(tail[1] | 0x20);
    return (a == 'r' && b == 'e') || (a == 'v' && b == 'e') || (a == 'l' && b == 'l');
  }

  // Whether the word [b, p) keeps the period after it: dotted abbreviations (U.S, a.m,
  // Ph.D) always; initials and the ignore list's abbreviations unless the sentence ends.
  bool KeepsPeriod(size_t b, size_t p, bool last) const {
    if (p == b) return false;
    const std::string_view word = View(b, p);
    if (IsDotted(word)) return true;
    if (last) return false;
    if (word.size() == 1 && IsAsciiLetter(static_cast<unsigned char>(word[0]))) return true;
    return ignore_.Contains(word);
  }

  // Letters in groups of one to three, joined by single periods: U.S, a.m, Ph.D.
  static bool IsDotted(std::string_view word) {
    size_t group = 0;
    bool period = false;
    for (const char ch : word) {
      if (ch == '.') {
        if (group == 0) return false;
        period = true;
        group = 0;
      } else if (IsAsciiLetter(static_cast<unsigned char>(ch)) && ++group <= 3) {
        continue;
      } else {
        return false;
      }
    }
    return period && group > 0;
  }

  // Step 4: emits the word at the front of [b, e), up to the first punctuation that does
  // not join words (or that punctuation, when the chunk starts with it); returns where
  // the chunk goes on, so that what follows is taken apart from its own front again
  // ("Reynolds\"<rreynol...@cogeco.ca" keeps the address whole).
  size_t Inside(size_t b, size_t e) {
    for (size_t i = b; i < e;) {
      const Char c = At(i, e);
      if (IsWordLike(c)) {
        i = c.end;
        continue;
      }
      if (const size_t joined = JoinEnd(b, c, e); joined > i) {
        i = joined;
        continue;
      }
      if (i > b) {
        EmitWord(b, i);
        return i;
      }
      const size_t end = RunEnd(c, e);
      Emit(i, end);
      return end;
    }
    EmitWord(b, e);
    return e;
  }

  // Where the word goes on when the mark c joins it to what follows, or c.begin when c
  // cuts the word that started at piece.
  size_t JoinEnd(size_t piece, const Char& c, size_t e) const {
    const size_t i = c.begin;
    const bool has_next = c.end < e;
    const Char next = has_next ? At(c.end, e) : Char{};
    if (i == piece) {
      const bool sign = c.code == '+' || c.code == '.' || IsApostrophe(c.code);
      return sign && IsDigit(next) ? c.end : i;
    }
    const Char prev = Before(i, piece);
    if (!IsWordLike(prev)) return i;
    if (IsHyphen(c.code)) {
      if (!has_next) return KeepsHyphen(piece, i) ? c.end : i;  // "w-" at the chunk's end
      return IsWordLike(next) ? HyphenJoinEnd(piece, prev, c, next, e) : i;
    }
    if (!has_next || !IsWordLike(next)) return i;
    switch (c.code) {
      case '.':
      case '&':
      case '@':
      case '\'':
      case 0x2019:
        return c.end;
      case ',':
      case ':':
        return IsDigit(prev) && IsDigit(next) ? c.end : i;
      case '/':  // 1/2, and l/c, w/o, s/he
        if (IsDigit(prev) && IsDigit(next)) return c.end;
        return IsSingleLetter(piece, prev) && IsAsciiLetter(next.code) ? c.end : i;
      default:
        return i;
    }
  }

  static bool IsSingleLetter(size_t piece, const Char& prev) {
    return prev.begin == piece && IsAsciiLetter(prev.code);
  }

  // A hyphen between two word characters: kept inside numbers that look like phone
  // numbers, codes or dates (853-7906, 1-800-991-9019, 01-Feb-02) and after a prefix
  // (non-stop, e-mail); elsewhere the hyphen is a token of its own (well - known).
  size_t HyphenJoinEnd(size_t piece, const Char& prev, const Char& c, const Char& next,
                       size_t e) const {
    if (IsDigit(prev)) {
      size_t start = prev.begin;
      while (start > piece && IsAsciiDigit(static_cast<unsigned char>(s_[start - 1]))) --start;
      const std::string_view rest = View(start, e);
      if (const size_t date = DateLength(rest); start + date > c.end) return start + date;
      if (!IsDigit(next)) return c.begin;
      const size_t code = NumberCodeLength(rest);
      return code > 0 ? start + code : c.begin;
    }
    // Inside a dotted name (alt.animals.open-forum, www.blue-cross.com) hyphens join.
    if (View(piece, c.begin).find('.') != std::string_view::npos) return c.end;
    // The part of the word before this hyphen, after any earlier hyphen.
    size_t start = piece;
    for (size_t k = c.begin; k > piece; --k) {
      if (s_[k - 1] == '-') {
        start = k;
        break;
      }
    }
    return IsHyphenPrefix(View(start, c.begin)) ? c.end : c.begin;
  }

  // Emits a word, cut where it hides a contraction ("gonna") or a unit ("5pm").
  void EmitWord(size_t from, size_t to) {
    if (to <= from) return;
    const std::string_view word = View(from, to);
    if (MayHideContraction(word)) {
      if (const unsigned char* parts = ContractionParts(word)) {
        for (size_t at = from; *parts != 0; ++parts) {
          Emit(at, at + *parts);
          at += *parts;
        }
        return;
      }
    }
    if (IsAsciiDigit(static_cast<unsigned char>(word[0]))) {
      size_t number = 0;
      while (number < word.size() &&
             (IsAsciiDigit(static_cast<unsigned char>(word[number])) || word[number] == '.' ||
              word[number] == ',' || word[number] == ':')) {
        ++number;
      }
      if (number < word.size() && IsAsciiDigit(static_cast<unsigned char>(word[number - 1])) &&
          IsUnitAfterNumber(word.substr(number))) {
        Emit(from, from + number);
        Emit(from + number, to);
        return;
      }
    }
    Emit(from, to);
  }

  std::string_view s_;
  const IgnoreList& ignore_;
  std::vector<std::string_view>* tokens_;
  std::vector<std::string_view>* suffixes_;
};

}  // namespace

void ModernTokenizer::Tokenize(std::string_view sentence, std::vector<std::string_view>* tokens) {
  tokens->clear();
  suffixes_.clear();
  Scanner(sentence, *ignore_, tokens, &suffixes_).Run();
}

}  // namespace quillon
