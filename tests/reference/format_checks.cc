// The format checkers. Each is a plain recursive-descent or line-by-line reading of its
// format, kept apart from the writers it checks.
#include "tests/reference/format_checks.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <set>
#include <vector>

namespace quillon::reference {
namespace {

std::string At(size_t line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

// The code point of the UTF-8 character at text[*i], advancing *i; -1 when invalid.
long DecodeUtf8(std::string_view text, size_t* i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(*i);
  int length = b0 < 0x80                  ? 1
               : b0 >= 0xC2 && b0 <= 0xDF ? 2
               : b0 >= 0xE0 && b0 <= 0xEF ? 3
               : b0 >= 0xF0 && b0 <= 0xF4 ? 4
                                          : 0;
  if (length == 0 || *i + length > text.size()) return -1;
  long code = length == 1 ? b0 : b0 & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    if ((byte(*i + k) & 0xC0) != 0x80) return -1;
    code = (code << 6) | (byte(*i + k) & 0x3F);
  }
  static constexpr long kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
  *i += length;
  return code;
}

std::vector<std::string_view> Split(std::string_view text, char at) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    const size_t end = text.find(at, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

bool IsNumber(std::string_view s) {
  if (s.empty() || s[0] == '0') return false;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// ---- CoNLL-U ----

const std::set<std::string_view> kUpos = {"ADJ",   "ADP",   "ADV", "AUX",  "CCONJ", "DET",
                                          "INTJ",  "NOUN",  "NUM", "PART", "PRON",  "PROPN",
                                          "PUNCT", "SCONJ", "SYM", "VERB", "X"};

// Checks one word line's columns; next_id is the ID the next word must have.
std::string CheckWordLine(const std::vector<std::string_view>& columns, long* next_id) {
  if (columns.size() != 10) return std::to_string(columns.size()) + " columns instead of 10";
  for (const std::string_view column : columns) {
    if (column.empty()) return "an empty column";
  }
  const std::string_view id = columns[0];
  if (id.find('-') != std::string_view::npos) {  // a multi-word token "a-b"
    const std::vector<std::string_view> ends = Split(id, '-');
    if (ends.size() != 2 || !IsNumber(ends[0]) || !IsNumber(ends[1]) ||
        std::stol(std::string(ends[0])) != *next_id || std::stol(std::string(ends[1])) < *next_id) {
      return "bad multi-word token ID " + std::string(id);
    }
    return "";
  }
  if (id.find('.') != std::string_view::npos) {  // an empty node "a.b"
    const std::vector<std::string_view> parts = Split(id, '.');
    if (parts.size() != 2 || !(parts[0] == "0" || IsNumber(parts[0])) || !IsNumber(parts[1]) ||
        std::stol(std::string(parts[0])) != *next_id - 1) {
      return "bad empty node ID " + std::string(id);
    }
    return "";
  }
  if (!IsNumber(id) || std::stol(std::string(id)) != *next_id) {
    return "ID " + std::string(id) + " where " + std::to_string(*next_id) + " belongs";
  }
  ++*next_id;
  if (columns[3] != "_" && !kUpos.count(columns[3])) {
    return "UPOS " + std::string(columns[3]) + " is not a UD part of speech";
  }
  if (columns[1].find_first_of("\t\n\r") != std::string_view::npos) return "a TAB in FORM";
  return "";
}

// ---- JSON ----

class JsonParser {
 public:
  explicit JsonParser(std::string_view text) : s_(text) {}

  // One value and nothing but blanks after it.
  std::string ParseDocument() {
    std::string error = Value(0);
    if (!error.empty()) return error;
    Blanks();
    return i_ == s_.size() ? "" : "text after the value at byte " + std::to_string(i_);
  }

 private:
  void Blanks() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r')) ++i_;
  }
  bool Eat(char c) {
    Blanks();
    if (i_ < s_.size() && s_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }
  std::string Fail(const std::string& what) { return what + " at byte " + std::to_string(i_); }

  std::string Value(int depth) {
    if (depth > 200) return Fail("nesting too deep");
    Blanks();
    if (i_ >= s_.size()) return Fail("missing value");
    const char c = s_[i_];
    if (c == '{') return Container(depth, '}', true);
    if (c == '[') return Container(depth, ']', false);
    if (c == '"') return String();
    for (const std::string_view word : {"true", "false", "null"}) {
      if (s_.substr(i_, word.size()) == word) {
        i_ += word.size();
        return "";
      }
    }
    return Number();
  }

  std::string Container(int depth, char close, bool object) {
    ++i_;
    if (Eat(close)) return "";
    do {
      if (object) {
        Blanks();
        if (i_ >= s_.size() || s_[i_] != '"') return Fail("missing key");
        if (std::string e = String(); !e.empty()) return e;
        if (!Eat(':')) return Fail("missing ':'");
      }
      if (std::string e = Value(depth + 1); !e.empty()) return e;
    } while (Eat(','));
    return Eat(close) ? "" : Fail("missing ',' or end of container");
  }

  std::string String() {
    ++i_;
    while (i_ < s_.size()) {
      const unsigned char c = static_cast<unsigned char>(s_[i_]);
      if (c == '"') {
        ++i_;
        return "";
      }
      if (c < 0x20) return Fail("raw control character in a string");
      if (c == '\\') {
        if (++i_ >= s_.size()) break;
        const char e = s_[i_];
        if (e == 'u') {
          for (int k = 1; k <= 4; ++k) {
            if (i_ + k >= s_.size() || !std::isxdigit(static_cast<unsigned char>(s_[i_ + k]))) {
              return Fail("bad \\u escape");
            }
          }
          i_ += 5;
        } else if (std::string_view("\"\\/bfnrt").find(e) != std::string_view::npos) {
          ++i_;
        } else {
          return Fail("bad escape");
        }
        continue;
      }
      if (DecodeUtf8(s_, &i_) < 0) return Fail("invalid UTF-8 in a string");
    }
    return Fail("unterminated string");
  }

  std::string Number() {
    const size_t start = i_;
    if (i_ < s_.size() && s_[i_] == '-') ++i_;
    const auto digits = [&] {
      const size_t from = i_;
      while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
      return i_ - from;
    };
    const size_t first = i_;
    if (digits() == 0 || (s_[first] == '0' && i_ - first > 1)) return Fail("bad number");
    if (i_ < s_.size() && s_[i_] == '.') {
      ++i_;
      if (digits() == 0) return Fail("bad fraction");
    }
    if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
      ++i_;
      if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) ++i_;
      if (digits() == 0) return Fail("bad exponent");
    }
    return i_ > start ? "" : Fail("not a value");
  }

  std::string_view s_;
  size_t i_ = 0;
};

// ---- XML ----

class XmlChecker {
 public:
  explicit XmlChecker(std::string_view text) : s_(text) {}

  std::string Check() {
    // Every character first: valid UTF-8 and allowed by XML 1.0.
    for (size_t i = 0; i < s_.size();) {
      const long c = DecodeUtf8(s_, &i);
      if (c < 0) return Fail("invalid UTF-8", i);
      if (!(c == 9 || c == 10 || c == 13 || (c >= 0x20 && c <= 0xD7FF) ||
            (c >= 0xE000 && c <= 0xFFFD) || c >= 0x10000)) {
        return Fail("character not allowed in XML", i);
      }
    }
    if (s_.substr(0, 5) == "<?xml") {
      const size_t end = s_.find("?>");
      if (end == std::string_view::npos) return Fail("unterminated declaration", 0);
      i_ = end + 2;
    }
    bool root_seen = false;
    std::vector<std::string_view> open;
    while (i_ < s_.size()) {
      if (s_[i_] != '<') {
        const size_t next = std::min(s_.find('<', i_), s_.size());
        const std::string_view text = s_.substr(i_, next - i_);
        if (open.empty() && text.find_first_not_of(" \t\r\n") != std::string_view::npos) {
          return Fail("text outside the root element", i_);
        }
        if (text.find("]]>") != std::string_view::npos) return Fail("]]> in text", i_);
        if (std::string e = References(text, i_); !e.empty()) return e;
        i_ = next;
        continue;
      }
      if (s_.substr(i_, 2) == "</") {
        i_ += 2;
        const std::string_view name = Name();
        Blanks();
        if (name.empty() || i_ >= s_.size() || s_[i_] != '>') return Fail("bad end tag", i_);
        if (open.empty() || open.back() != name) return Fail("end tag does not match", i_);
        open.pop_back();
        ++i_;
        continue;
      }
      ++i_;
      const std::string_view name = Name();
      if (name.empty()) return Fail("bad start tag", i_);
      if (open.empty() && root_seen) return Fail("a second root element", i_);
      root_seen = true;
      std::set<std::string_view> attributes;
      for (;;) {
        const size_t before = i_;
        Blanks();
        if (i_ >= s_.size()) return Fail("unterminated tag", i_);
        if (s_[i_] == '>' || s_.substr(i_, 2) == "/>") break;
        if (i_ == before) return Fail("no blank before an attribute", i_);
        const std::string_view attribute = Name();
        if (attribute.empty()) return Fail("bad attribute name", i_);
        if (!attributes.insert(attribute).second) return Fail("attribute given twice", i_);
        Blanks();
        if (i_ >= s_.size() || s_[i_] != '=') return Fail("missing '='", i_);
        ++i_;
        Blanks();
        if (i_ >= s_.size() || (s_[i_] != '"' && s_[i_] != '\'')) return Fail("unquoted value", i_);
        const char quote = s_[i_++];
        const size_t end = s_.find(quote, i_);
        if (end == std::string_view::npos) return Fail("unterminated value", i_);
        const std::string_view value = s_.substr(i_, end - i_);
        if (value.find('<') != std::string_view::npos) return Fail("'<' in a value", i_);
        if (std::string e = References(value, i_); !e.empty()) return e;
        i_ = end + 1;
      }
      if (s_[i_] == '>') {
        open.push_back(name);
        ++i_;
      } else {
        i_ += 2;
      }
    }
    if (!open.empty()) return Fail("element " + std::string(open.back()) + " not closed", i_);
    return root_seen ? "" : Fail("no root element", i_);
  }

 private:
  std::string Fail(const std::string& what, size_t at) {
    size_t line = 1;
    for (size_t k = 0; k < at && k < s_.size(); ++k) line += s_[k] == '\n';
    return At(line, what);
  }
  void Blanks() {
    while (i_ < s_.size() && std::string_view(" \t\r\n").find(s_[i_]) != std::string_view::npos) {
      ++i_;
    }
  }
  static bool NameByte(unsigned char c, bool first) {
    return std::isalpha(c) || c == '_' || c == ':' || c >= 0x80 ||
           (!first && (std::isdigit(c) || c == '-' || c == '.'));
  }
  std::string_view Name() {
    const size_t start = i_;
    while (i_ < s_.size() && NameByte(static_cast<unsigned char>(s_[i_]), i_ == start)) ++i_;
    return s_.substr(start, i_ - start);
  }
  // Every & in text starts a predefined entity or a reference to an allowed character.
  std::string References(std::string_view text, size_t at) {
    for (size_t amp = text.find('&'); amp != std::string_view::npos;
         amp = text.find('&', amp + 1)) {
      const size_t semi = text.find(';', amp);
      if (semi == std::string_view::npos) return Fail("'&' without ';'", at + amp);
      const std::string_view ref = text.substr(amp + 1, semi - amp - 1);
      if (ref == "amp" || ref == "lt" || ref == "gt" || ref == "quot" || ref == "apos") continue;
      if (ref.size() < 2 || ref[0] != '#') return Fail("unknown entity", at + amp);
      const bool hex = ref[1] == 'x';
      const std::string_view digits = ref.substr(hex ? 2 : 1);
      if (digits.empty() || digits.size() > 8) return Fail("bad character reference", at + amp);
      long code = 0;
      for (const char c : digits) {
        if (!(hex ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(c))) {
          return Fail("bad character reference", at + amp);
        }
        code = code * (hex ? 16 : 10) + (std::isdigit(c) ? c - '0' : (c | 0x20) - 'a' + 10);
      }
      if (!(code == 9 || code == 10 || code == 13 || (code >= 0x20 && code <= 0xD7FF) ||
            (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF))) {
        return Fail("reference to a character not allowed", at + amp);
      }
    }
    return "";
  }

  std::string_view s_;
  size_t i_ = 0;
};

}  // namespace

std::string CheckConllu(std::string_view text) {
  if (text.empty()) return "";
  if (text.back() != '\n') return "the text does not end with a line break";
  const std::vector<std::string_view> lines = Split(text.substr(0, text.size() - 1), '\n');
  if (!lines.back().empty()) return "the last sentence is not followed by a blank line";
  std::set<std::string> sent_ids;
  bool in_sentence = false, words_seen = false;
  long next_id = 1;
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string_view line = lines[n];
    if (line.empty()) {
      if (!in_sentence) return At(n + 1, "a blank line outside a sentence");
      if (!words_seen) return At(n + 1, "a sentence without words");
      in_sentence = words_seen = false;
      next_id = 1;
      continue;
    }
    if (line.find('\r') != std::string_view::npos) return At(n + 1, "a CR in a line");
    if (line[0] == '#') {
      if (words_seen) return At(n + 1, "a comment after the words");
      in_sentence = true;
      if (line.substr(0, 12) == "# sent_id = " &&
          !sent_ids.insert(std::string(line.substr(12))).second) {
        return At(n + 1, "sent_id used twice");
      }
      continue;
    }
    in_sentence = words_seen = true;
    if (std::string e = CheckWordLine(Split(line, '\t'), &next_id); !e.empty()) return At(n + 1, e);
  }
  return "";
}

std::string CheckJsonLines(std::string_view text) {
  if (text.empty()) return "";
  if (text.back() != '\n') return "the text does not end with a line break";
  size_t n = 0;
  for (const std::string_view line : Split(text.substr(0, text.size() - 1), '\n')) {
    if (std::string e = JsonParser(line).ParseDocument(); !e.empty()) return At(++n, e);
    ++n;
  }
  return "";
}

std::string CheckXml(std::string_view text) { return XmlChecker(text).Check(); }

}  // namespace quillon::reference
