// The two corpus readers and format detection. Both cut the text into lines the way every
// file of the system is cut (CR LF, CR or LF; a NUL byte ends the text), so line numbers
// in errors match what an editor shows. Tested by corpus_test.cc.

#include "core/line_reader.h"
#include "train/corpus.h"
#include "train/field_lines.h"
#include "train/tagset_builder.h"

namespace quillon {
namespace {

constexpr size_t kConlluColumns = 10;
// The comment that gives a sentence's raw text.
constexpr std::string_view kTextComment = "# text = ";

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A tag is written into rule and lexicon files, whose fields end at white space and
// control bytes, so it may hold none of them.
bool IsValidTag(std::string_view tag) {
  if (tag.empty()) return false;
  for (char c : tag) {
    if (static_cast<unsigned char>(c) <= ' ' || c == 127) return false;
  }
  return true;
}

std::string At(const std::string& name, size_t line) {
  return name + ":" + std::to_string(line) + ": ";
}

// Quotes a piece of input for an error message, shortened so a message stays one line.
std::string Quoted(std::string_view text) {
  constexpr size_t kMax = 40;
  std::string out = "\"";
  out.append(text.substr(0, kMax));
  if (text.size() > kMax) out += "...";
  return out + "\"";
}

enum class IdKind { kWord, kSkipped, kInvalid };

bool AllDigits(std::string_view s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// A word line has a whole number as ID; "3-4" (a multi-word token) and "5.1" (an empty
// node) are skipped.
IdKind ClassifyId(std::string_view id) {
  if (AllDigits(id)) return IdKind::kWord;
  const size_t mark = id.find_first_of("-.");
  if (mark != std::string_view::npos && AllDigits(id.substr(0, mark)) &&
      AllDigits(id.substr(mark + 1))) {
    return IdKind::kSkipped;
  }
  return IdKind::kInvalid;
}

// The HEAD column: a word number, or -1 when it holds something else ("_").
int ParseHead(std::string_view head) {
  constexpr size_t kMaxDigits = 6;
  if (!AllDigits(head) || head.size() > kMaxDigits) return -1;
  int value = 0;
  for (char c : head) value = value * 10 + (c - '0');
  return value;
}

void FinishSentence(TaggedSentence* sentence, Corpus* corpus) {
  if (!sentence->words.empty()) corpus->sentences.push_back(std::move(*sentence));
  *sentence = TaggedSentence();
}

// Reads one CoNLL-U word line into sentence, or returns the error text.
std::string ReadConlluLine(std::string_view line, TaggedSentence* sentence) {
  std::string_view columns[kConlluColumns];
  size_t count = 0;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    const std::string_view column =
        line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    if (count < kConlluColumns) columns[count] = column;
    ++count;
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  if (count != kConlluColumns) {
    return "expected 10 tab-separated columns, found " + std::to_string(count);
  }
  switch (ClassifyId(columns[0])) {
    case IdKind::kSkipped:
      return "";
    case IdKind::kInvalid:
      return "the ID column " + Quoted(columns[0]) + " is not a word number";
    case IdKind::kWord:
      break;
  }
  const std::string_view form = columns[1];
  const std::string_view xpos = columns[4];
  if (form.empty()) return "the FORM column is empty";
  if (xpos.empty() || xpos == "_") return "no XPOS tag (column 5) for " + Quoted(form);
  if (!IsValidTag(xpos)) return "the XPOS tag " + Quoted(xpos) + " holds white space";
  sentence->words.emplace_back(form);
  sentence->tags.push_back(MapTag(form, xpos));
  sentence->lemmas.emplace_back(columns[2].empty() ? "_" : columns[2]);
  sentence->upos.emplace_back(columns[3]);
  sentence->heads.push_back(ParseHead(columns[6]));
  sentence->deprels.emplace_back(columns[7]);
  return "";
}

// Reads one `word_TAG` token into sentence, or returns the error text. MASC tokens take
// MASC's tag mapping and must end up with a classic Penn tag.
std::string ReadWordTagToken(std::string_view token, bool masc, TaggedSentence* sentence) {
  const size_t underscore = token.rfind('_');
  if (underscore == std::string_view::npos) {
    return "the token " + Quoted(token) + " has no _TAG";
  }
  const std::string_view word = token.substr(0, underscore);
  const std::string_view tag = token.substr(underscore + 1);
  if (word.empty()) return "the token " + Quoted(token) + " has an empty word";
  if (tag.empty()) return "the token " + Quoted(token) + " has an empty tag";
  if (!IsValidTag(tag)) return "the tag of the token " + Quoted(token) + " holds a control byte";
  std::string mapped = masc ? MapMascTag(word, tag) : MapTag(word, tag);
  if (masc && !IsPennTag(mapped)) {
    return "the tag of the token " + Quoted(token) + " is not a Penn Treebank tag";
  }
  sentence->words.emplace_back(word);
  sentence->tags.push_back(std::move(mapped));
  return "";
}

Status ParseWordTagLines(std::string_view text, const std::string& name, bool masc, Corpus* corpus,
                         SkippedSentences* skipped) {
  size_t line_number = 0;
  return ReadFieldLines(text, name, [&](std::span<const std::string_view> tokens) {
    ++line_number;
    TaggedSentence sentence;
    for (std::string_view token : tokens) {
      std::string problem = ReadWordTagToken(token, masc, &sentence);
      if (problem.empty()) continue;
      if (skipped == nullptr) return problem;
      skipped->Add(At(name, line_number) + problem);
      return std::string();
    }
    FinishSentence(&sentence, corpus);
    return std::string();
  });
}

}  // namespace

void SkippedSentences::Add(std::string error) {
  if (count++ == 0) first = std::move(error);
}

std::string SkippedNote(const SkippedSentences& skipped) {
  return "left out " + std::to_string(skipped.count) + " malformed sentence" +
         (skipped.count == 1 ? "" : "s") + "; the first: " + skipped.first;
}

Status ParseConllu(std::string_view text, const std::string& name, Corpus* corpus,
                   SkippedSentences* skipped) {
  TaggedSentence sentence;
  bool malformed = false;  // the sentence being read is left out
  size_t line_number = 0;
  std::string error;
  ForEachLine(text, [&](std::string_view line) {
    ++line_number;
    if (!error.empty()) return;
    if (IsBlank(line)) {
      if (malformed) sentence = TaggedSentence();
      malformed = false;
      FinishSentence(&sentence, corpus);
    } else if (line.starts_with(kTextComment)) {
      sentence.text = line.substr(kTextComment.size());
    } else if (line[0] != '#' && !malformed) {
      std::string problem = ReadConlluLine(line, &sentence);
      if (problem.empty()) return;
      if (skipped == nullptr) {
        error = At(name, line_number) + problem;
      } else {
        skipped->Add(At(name, line_number) + problem);
        malformed = true;
      }
    }
  });
  if (!error.empty()) return Status::Error(error);
  if (malformed) sentence = TaggedSentence();
  FinishSentence(&sentence, corpus);
  return Status::Ok();
}

Status ParseWordTag(std::string_view text, const std::string& name, Corpus* corpus,
                    SkippedSentences* skipped) {
  return ParseWordTagLines(text, name, false, corpus, skipped);
}

Status ParseMasc(std::string_view text, const std::string& name, Corpus* corpus,
                 SkippedSentences* skipped) {
  return ParseWordTagLines(text, name, true, corpus, skipped);
}

CorpusFormat DetectFormat(const std::string& path, std::string_view text) {
  if (path.ends_with(".conllu")) return CorpusFormat::kConllu;
  CorpusFormat format = CorpusFormat::kWordTag;
  bool decided = false;
  ForEachLine(text, [&](std::string_view line) {
    if (decided || IsBlank(line) || line[0] == '#') return;
    decided = true;
    const size_t tab = line.find('\t');
    if (tab != std::string_view::npos && tab > 0 &&
        ClassifyId(line.substr(0, tab)) != IdKind::kInvalid) {
      format = CorpusFormat::kConllu;
    }
  });
  return format;
}

Status ReadCorpus(const std::string& path, CorpusFormat format, Corpus* corpus,
                  SkippedSentences* skipped) {
  // Read line by line with a cap on a line, so a device or a binary file cannot fill
  // memory; a byte order mark that an editor put first is no part of the first word.
  std::string text;
  Status status = ReadText(path, &text, /*skip_byte_order_mark=*/true);
  if (!status.ok()) return status;
  if (format == CorpusFormat::kAuto) format = DetectFormat(path, text);
  const size_t sentences_before = corpus->sentences.size();
  SkippedSentences here;
  SkippedSentences* skipped_here = skipped ? &here : nullptr;
  switch (format) {
    case CorpusFormat::kConllu:
      status = ParseConllu(text, path, corpus, skipped_here);
      break;
    case CorpusFormat::kMasc:
      status = ParseMasc(text, path, corpus, skipped_here);
      break;
    default:
      status = ParseWordTag(text, path, corpus, skipped_here);
      break;
  }
  if (skipped && here.count > 0) {
    if (skipped->count == 0) skipped->first = here.first;
    skipped->count += here.count;
  }
  if (!status.ok() || corpus->sentences.size() > sentences_before) return status;
  // Nothing to learn from or to score: most likely the wrong file.
  std::string error = path + ": no usable sentence";
  if (here.count > 0) error += " (" + SkippedNote(here) + ")";
  return Status::Error(error);
}

Status ReadCorpora(const std::vector<std::string>& paths, CorpusFormat format, Corpus* corpus,
                   SkippedSentences* skipped) {
  for (const std::string& path : paths) {
    Status status = ReadCorpus(path, format, corpus, skipped);
    if (!status.ok()) return status;
  }
  return Status::Ok();
}

}  // namespace quillon
