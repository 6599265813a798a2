// Generators of resource sets and sentences for differential_test.cc. Pools are kept small
// on purpose: a few letters make stems share suffixes and prefixes, a few tags make rule
// FromTags meet the tags the sentence carries, so most generated rules get a chance to fire.
#include "tests/core/random_resources.h"

#include <algorithm>

namespace quillon::differential {
namespace {

// Tags of the pools: the usual ones, the sentinel rows' own, case variants, the boundary
// word, an empty tag and one with a byte above 127.
const std::vector<std::string> kTagPool = {
    "NN", "NNS", "NNP", "NNPS", "JJ", "VB",  "VBD", "VBZ", "VBP", "VBG", "RB",     "DT", "IN",
    "TO", "CD",  "MD",  ",",    ".",  "PRP", "nn",  "Nn",  "vb",  "ZZ",  "STAART", "",   "X\xe9"};

// Words that exercise keys and the tokenizer: shared keys, digits, contractions, bytes of
// the "00" group, bytes above 127.
const std::vector<std::string> kSpecialWords = {"U.S.",
                                                "U.S?",
                                                "U.S!",
                                                "U.S",
                                                "Mr.",
                                                "Mr",
                                                "1,000",
                                                "3.5",
                                                "do",
                                                "n't",
                                                "'s",
                                                "'ll",
                                                "ca",
                                                "wo",
                                                ".",
                                                ",",
                                                "(",
                                                ")",
                                                "'",
                                                "''",
                                                "``",
                                                "--",
                                                "$",
                                                "%",
                                                "&",
                                                "a_b",
                                                "a~b",
                                                "e.g",
                                                "e.g.",
                                                "caf\xe9",
                                                "\xc3\xa9t\xc3\xa9",
                                                "^",
                                                "x^y",
                                                "50",
                                                "o",
                                                "I",
                                                "It",
                                                "John",
                                                "the",
                                                "The",
                                                "to",
                                                "TO",
                                                "Ma'am",
                                                "rock",
                                                "know",
                                                "\x85",
                                                "...",
                                                ":"};

const std::vector<std::string> kContractions = {
    "don't", "can't", "won't", "It's", "John's", "I'm",    "'Tis",    "rock'n'roll", "o'clock",
    "dogs'", "we'll", "DON'T", "n't",  "(n't)",  "#'t",    "x/'y",    "''Hello''",   "50's",
    "'90s",  "it's.", "U.S.",  "e.g.", "Mr.",    "a.b.-x", "Wait...", "3.5%",        "e-mail:"};

const std::vector<std::string> kPunctuation = {",", ".", "...", "(",  ")",    "\"", "--", ";",
                                               "?", "!", "'",   "[",  "]",    "$",  "&",  "#",
                                               "*", "%", ":",   "\t", "\x12", "<",  ">"};

const std::vector<std::string> kAffixes = {"s", "ed", "ly", "e", "ing", "un", "re", "'s", "."};

const char* const kLexicalKinds[] = {"char",       "hassuf", "haspref",  "deletesuf",
                                     "deletepref", "addsuf", "goodleft", "goodright"};

const char* const kTemplates[] = {
    "PREVTAG", "PREV1OR2TAG", "PREV1OR2OR3TAG", "PREV2TAG",    "PREVWD",     "PREV1OR2WD",
    "NEXTTAG", "NEXT1OR2TAG", "NEXT1OR2OR3TAG", "NEXT2TAG",    "NEXTWD",     "NEXT1OR2WD",
    "CURWD",   "WDPREVTAG",   "WDNEXTTAG",      "SURROUNDTAG", "PREVBIGRAM", "NEXTBIGRAM",
    "LBIGRAM", "RBIGRAM",     "WDAND2AFT",      "WDAND2TAGAFT"};
// Names that are no template; the first ones pass the first pass's left-context filter.
const std::vector<std::string> kFakeTemplates = {"CAT",      "PREVTAGS",   "Lx", "prevtag",
                                                 "NEXTTAGX", "WDPREVTAG2", ""};

// What the arguments of each template are: 't' a tag, 'w' a word, '-' none.
const char* const kTemplateArgs[] = {"t-", "t-", "t-", "t-", "w-", "w-", "t-", "t-",
                                     "t-", "t-", "w-", "w-", "w-", "tw", "wt", "tt",
                                     "tt", "tt", "ww", "ww", "ww", "wt"};

}  // namespace

std::string Escape(const std::string& bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (unsigned char c : bytes) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 32 && c < 127) {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
      out += "\"\"";  // so that a following hex digit is not read into the escape
    }
  }
  return out + "\"";
}

std::string ResourceGenerator::NewStem() {
  static const char kLetters[] = "abdeilnorstu";
  std::string stem;
  const int length = 1 + static_cast<int>(Below(4));
  for (int i = 0; i < length; ++i) stem += kLetters[Below(sizeof kLetters - 1)];
  return stem;
}

std::string ResourceGenerator::Capitalised(std::string word) {
  if (!word.empty() && word[0] >= 'a' && word[0] <= 'z') word[0] = word[0] - 'a' + 'A';
  return word;
}

std::string ResourceGenerator::SwappedCase(std::string word) {
  for (char& c : word) {
    if (c >= 'a' && c <= 'z') {
      c = c - 'a' + 'A';
    } else if (c >= 'A' && c <= 'Z') {
      c = c - 'A' + 'a';
    }
  }
  return word;
}

std::string ResourceGenerator::NewUnknownWord() {
  std::string word = Chance(70) ? Pick(stems_) : NewStem();
  if (Chance(60)) word += Pick(kAffixes);
  if (Chance(15)) word = Pick(kAffixes) + word;
  if (Chance(25)) word = Capitalised(word);
  if (Chance(5)) word += "\xe9";
  if (Chance(3)) word = "\xc9" + word;
  return word;
}

std::string ResourceGenerator::NewTag() {
  if (!tags_.empty() && Chance(85)) return Pick(tags_);
  return Pick(kTagPool);
}

// count tags with the separators a lexicon line may hold between them.
std::string ResourceGenerator::NewTags(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += Chance(85) ? " " : Chance(50) ? "\t" : "  ";
    text += NewTag();
  }
  return text;
}

std::vector<std::string> ResourceGenerator::NewPlainLexicon() {
  std::vector<std::string> lines;
  const int entries =
      Chance(10) ? 40 + static_cast<int>(Below(60)) : 100 + static_cast<int>(Below(160));
  known_.clear();
  known_tags_.clear();
  for (int i = 0; i < entries; ++i) {
    if (Chance(3)) {
      lines.push_back(Chance(50) ? "" : (Chance(50) ? " " : "\t") + Pick(stems_) + " NN");
      continue;
    }
    std::string word;
    if (Chance(15)) {
      word = Pick(kSpecialWords);
    } else if (Chance(10) && !known_.empty()) {
      word = Pick(known_);  // the same word again, with other tags
    } else {
      word = Pick(stems_);
      if (Chance(40)) word += Pick(kAffixes);
      if (Chance(20)) word = Capitalised(word);
    }
    if (Chance(1)) word += "\x12z";  // a row separator that the preparation keeps in the word
    const int r = static_cast<int>(Below(100));
    const int count = r < 35   ? 1
                      : r < 70 ? 2 + static_cast<int>(Below(2))
                               : 4 + static_cast<int>(Below(9));
    std::string line = word;
    if (Chance(2)) {
      // A word without any tag.
    } else {
      line += Chance(85) ? " " : "\t";
      line += NewTags(count);
      if (Chance(3)) line += " ";
    }
    lines.push_back(line);
    known_.push_back(word);
  }
  // The 101st line decides the form; sometimes it is a number, which stays plain form.
  if (lines.size() > 100 && Chance(15)) {
    lines[100] = Chance(50) ? "1,000 CD" : "1000\tCD JJ";
  }
  return lines;
}

std::vector<std::string> ResourceGenerator::NewPreparedLexicon() {
  std::vector<std::string> lines = reference::LEXICON(NewPlainLexicon());
  const int edits = static_cast<int>(Below(8));
  for (int e = 0; e < edits; ++e) {
    const size_t a = Below(lines.size()), b = Below(lines.size());
    switch (Below(8)) {
      case 0:
      case 1:
        std::swap(lines[a], lines[b]);  // rows out of order
        break;
      case 2:
        lines.insert(lines.begin() + a, " " + Pick(stems_) + " " + NewTags(2));  // empty key
        break;
      case 3:
        lines.insert(lines.begin() + a, lines[b]);  // a duplicate key
        break;
      case 4:
        std::replace(lines[a].begin(), lines[a].end(), ' ', Chance(50) ? '\t' : '\x16');
        break;
      case 5:
        lines[a] += " " + NewTags(12);  // more fields than a row keeps
        break;
      case 6:
        lines.insert(lines.begin() + a, Pick(stems_) + " " + NewTags(2));  // a key of letters
        break;
      default:
        lines.insert(lines.begin() + a, "");
        break;
    }
  }
  // Usually keep the form test passing, with a row that really is keyed.
  if (lines.size() > 100 && !reference::IsPreparedForm(lines) && Chance(90)) {
    const std::string word = Pick(stems_);
    lines[100] = reference::OrderKey(word) + " " + word + " " + NewTags(2);
  }
  known_.clear();
  known_tags_.clear();
  for (const std::string& line : lines) {
    const reference::structure1 row = reference::ReadRow(line);
    if (row.Word.empty()) continue;
    known_.push_back(row.Word);
  }
  return lines;
}

std::vector<std::string> ResourceGenerator::NewTagset() {
  std::vector<std::string> lines;
  const int count = 3 + static_cast<int>(Below(12));
  for (int i = 0; i < count; ++i) {
    std::string tag = Pick(tags_);
    if (Chance(10)) tag = tag == "TO" ? "to" : "TO";  // a rule's first field may equal it
    if (Chance(5)) {
      lines.push_back(Chance(50) ? "" : tag);  // no tab: the whole line is the tag
    } else {
      lines.push_back(tag + "\tsome description" + (Chance(20) ? "\twith a tab" : ""));
    }
  }
  return lines;
}

std::string ResourceGenerator::NewLexicalRule(const std::vector<std::string>& tagset) {
  const std::vector<std::string> tags = reference::ReadTagList(tagset);
  if (Chance(3)) return Chance(50) ? "" : "ly hassuf";  // incomplete lines
  const std::string kind = Chance(4) ? (Chance(50) ? "hassuff" : "Char") : kLexicalKinds[Below(8)];
  const bool f_form = Chance(45) && !tags.empty();
  std::string argument;
  const std::string word = known_.empty() || Chance(40) ? NewUnknownWord() : Pick(known_);
  if (kind == "char" || kind == "Char") {
    argument = word.empty() || Chance(5) ? "ab" : std::string(1, word[Below(word.size())]);
  } else if (kind == "goodleft" || kind == "goodright") {
    argument = Chance(30) ? Pick(kPunctuation) : word;
  } else if (kind == "addsuf" || Chance(50)) {
    argument = Pick(kAffixes);
  } else {
    const size_t length = 1 + Below(std::min<size_t>(word.size() + 1, 4));
    argument = kind.find("pref") != std::string::npos
                   ? word.substr(0, length)
                   : word.substr(word.size() - std::min(length, word.size()));
  }
  if (Chance(5)) argument = "to";  // equals the tag TO ignoring case
  if (argument.empty()) argument = "s";
  // The tab is no separator here: it joins the fields on either side of it.
  const char separator = Chance(90) ? ' ' : Chance(70) ? '\x12' : '\t';
  std::string line;
  if (f_form) {
    // Often the tag an earlier f-form rule gives, so that the rules chain.
    std::string from = !chain_tags_.empty() && Chance(40) ? Pick(chain_tags_) : Pick(tags);
    if (Chance(10)) from = from == "NN" ? "nn" : from;
    line = from + separator;
  }
  line += argument + separator + (f_form ? "f" : "") + kind + separator;
  const int length = static_cast<int>(Below(100));
  if (length < 50) {
    line += std::to_string(argument.size() % 10) + separator;
  } else if (length < 55) {
    line += std::to_string(Below(10)) + std::to_string(Below(10)) + separator;  // two digits
  } else if (length < 60) {
    line += separator;  // an empty field where the new tag would be
  }
  if (Chance(3)) return line;  // ends before its new tag
  const std::string new_tag = NewTag();
  line += new_tag;
  if (f_form) chain_tags_.push_back(new_tag);
  if (Chance(10)) line += std::string(1, separator) + "extra field";
  return line;
}

std::vector<std::string> ResourceGenerator::NewLexicalRules(
    const std::vector<std::string>& tagset) {
  std::vector<std::string> lines;
  chain_tags_.clear();
  const int count = static_cast<int>(Below(40));
  for (int i = 0; i < count; ++i) lines.push_back(NewLexicalRule(tagset));
  return lines;
}

char ResourceGenerator::ContextualSeparator() {
  static const char kOthers[] = {'\t', 18, 22, 26, 30};
  return Chance(85) ? ' ' : kOthers[Below(sizeof kOthers)];
}

std::string ResourceGenerator::NewContextualRule() {
  if (Chance(3)) return "";
  // WDPREVTAG has a licence of its own; it gets a larger share.
  const size_t index = Chance(12) ? 13 : Below(22 + 2);
  const bool fake = index >= 22;
  const std::string name = fake ? Pick(kFakeTemplates) : kTemplates[index];
  const char* args = fake ? "tt" : kTemplateArgs[index];
  // The new tag is often one the lexicon allows some word to take.
  std::string to = NewTag();
  if (!known_tags_.empty() && Chance(50)) {
    const std::vector<std::string>& row = Pick(known_tags_);
    if (!row.empty()) to = Pick(row);
  }
  std::string line = NewTag() + ContextualSeparator() + to + ContextualSeparator() + name;
  for (int a = 0; a < 2 && args[a] != '-'; ++a) {
    std::string arg;
    if (Chance(12)) {
      arg = "STAART";
    } else if (args[a] == 't') {
      arg = NewTag();
    } else {
      arg = known_.empty() || Chance(30) ? (Chance(50) ? Pick(kPunctuation) : NewUnknownWord())
                                         : Pick(known_);
    }
    line += ContextualSeparator() + arg;
  }
  if (Chance(5)) line += ContextualSeparator();
  if (Chance(5)) line += std::string(1, ContextualSeparator()) + "extra";
  return line;
}

std::vector<std::string> ResourceGenerator::NewContextualRules() {
  return ManyContextualRules(static_cast<int>(Below(60)));
}

std::vector<std::string> ResourceGenerator::ManyContextualRules(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(NewContextualRule());
  return lines;
}

std::vector<std::string> ResourceGenerator::NewIgnoreList() {
  static const std::vector<std::string> kEntries = {"Mr",  "mr",  "MR", "e.g",   "U.S",
                                                    "etc", "a b", "",   "Wait.."};
  std::vector<std::string> lines;
  const int count = static_cast<int>(Below(7));
  for (int i = 0; i < count; ++i) {
    std::string entry = Chance(50) || known_.empty() ? Pick(kEntries) : Pick(known_);
    if (Chance(30)) entry = SwappedCase(entry);
    if (Chance(10)) entry += "\xc9";  // a Latin-1 capital: no ASCII letter, no folding
    lines.push_back(entry);
  }
  return lines;
}

reference::ResourceLines ResourceGenerator::NewResources() {
  stems_.clear();
  const int stems = 6 + static_cast<int>(Below(20));
  for (int i = 0; i < stems; ++i) stems_.push_back(NewStem());
  tags_.clear();
  const int tag_count = 4 + static_cast<int>(Below(10));
  for (int i = 0; i < tag_count; ++i) tags_.push_back(Pick(kTagPool));

  reference::ResourceLines lines;
  lines.lexicon = Chance(35) ? NewPreparedLexicon() : NewPlainLexicon();
  // The tags of the rows as the reference reads them, for rules the licence may allow.
  for (const std::string& line : reference::IsPreparedForm(lines.lexicon)
                                     ? lines.lexicon
                                     : reference::LEXICON(lines.lexicon)) {
    const reference::structure1 row = reference::ReadRow(line);
    known_tags_.emplace_back(std::begin(row.Tags), std::end(row.Tags));
  }
  lines.tagset = NewTagset();
  lines.lexical_rules = NewLexicalRules(lines.tagset);
  lines.contextual_rules = NewContextualRules();
  lines.ignore = NewIgnoreList();
  return lines;
}

std::string ResourceGenerator::NewToken() {
  const int r = static_cast<int>(Below(100));
  if (r < 36 && !known_.empty()) return Pick(known_);
  if (r < 40 && !known_.empty()) return SwappedCase(Pick(known_)) + (Chance(30) ? "\xe9." : ".");
  if (r < 62) return NewUnknownWord();
  if (r < 72) return Pick(kContractions);
  if (r < 84) return Pick(kPunctuation);
  if (r < 90) return Pick(kSpecialWords);
  if (r < 94) return std::string(1, "^_|~\x85\xa0\xff\x7f"[Below(8)]);
  if (r < 95) return std::string(200 + Below(200), "ab'.-"[Below(5)]);
  // A few raw bytes, any value but the line ends and NUL.
  std::string bytes;
  const int length = 1 + static_cast<int>(Below(4));
  for (int i = 0; i < length; ++i) {
    char c = static_cast<char>(1 + Below(255));
    if (c == '\n' || c == '\r') c = '\'';
    bytes += c;
  }
  return bytes;
}

std::string ResourceGenerator::NewSentence() {
  if (Chance(3)) return Chance(50) ? "" : "   ";
  std::string sentence = Chance(10) ? "  " : "";
  const int count = 1 + static_cast<int>(Chance(2) ? Below(300) : Below(20));
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      const int r = static_cast<int>(Below(100));
      sentence += r < 80 ? " " : r < 87 ? "  " : r < 92 ? "\t" : r < 96 ? "" : " \t ";
    }
    sentence += NewToken();
  }
  if (Chance(40)) sentence += Chance(80) ? " ." : ".";
  if (Chance(8)) sentence += "  ";
  return sentence;
}

std::vector<std::string> ResourceGenerator::NewTableLines(int rows) {
  std::vector<std::string> keys;
  const int distinct = 1 + static_cast<int>(Below(std::max(rows, 1)));
  const int longest = rows > 40 ? 7 : 4;  // large tables need more distinct keys
  for (int i = 0; i < distinct; ++i) {
    const int length = static_cast<int>(Below(longest));
    std::string key;
    for (int j = 0; j < length; ++j) key += std::to_string(10 + Below(4));
    keys.push_back(key);
  }
  std::vector<std::string> lines;
  for (int i = 0; i < rows; ++i) lines.push_back(Pick(keys) + " w" + std::to_string(i) + " NN");
  if (Chance(70)) {
    std::stable_sort(lines.begin(), lines.end());
    const int swaps = static_cast<int>(Below(3));
    for (int i = 0; i < swaps && rows > 1; ++i) std::swap(lines[Below(rows)], lines[Below(rows)]);
  }
  return lines;
}

std::string ResourceGenerator::NearbyKey(const std::string& key) {
  switch (Below(4)) {
    case 0:
      return key.substr(0, Below(key.size() + 1));
    case 1:
      return key + std::to_string(10 + Below(80));
    case 2:
      if (!key.empty()) {
        std::string changed = key;
        changed[Below(key.size())] = static_cast<char>('0' + Below(10));
        return changed;
      }
      [[fallthrough]];
    default: {
      std::string random;
      const int length = static_cast<int>(Below(4));
      for (int j = 0; j < length; ++j) random += std::to_string(10 + Below(4));
      return random;
    }
  }
}

}  // namespace quillon::differential
