// Fuzz harness for the CoNLL-U reader and the in-place writer. The input is a settings
// byte and a CoNLL-U file. Checks: every line of the file comes back in order, a word line
// with only UPOS, XPOS (and LEMMA with lemmas on) changed, any other line byte for byte;
// the words tagged are the FORMs of the word lines; the output read and written again is
// the same output.
#include <string>
#include <vector>

#include "core/conllu_reader.h"
#include "core/format_writer.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/small_tagger.h"

namespace quillon {
namespace {

using fuzz::Check;

std::string Retag(std::string_view text, Tagger* tagger) {
  LineStream input{std::string(text)};
  ConlluSource source(&input, "in", std::nullopt, nullptr);
  const std::unique_ptr<FormatWriter> writer = MakeConlluWriter();
  std::string out;
  for (InputSentence s; source.Next(&s);) {
    Check(s.is_cut && s.conllu != nullptr && s.words.size() == s.conllu->words.size());
    for (size_t i = 0; i < s.words.size(); ++i) {
      Check(s.words[i] == s.conllu->words[i].columns[kForm]);
      Check(!s.words[i].empty());
    }
    SentenceResult tagged = tagger->TagWords(s.words);
    tagged.conllu = s.conllu;
    writer->Write(tagged, &out);
  }
  return out;
}

std::vector<std::string> Columns(std::string_view line) {
  std::vector<std::string> columns;
  for (size_t start = 0;;) {
    const size_t tab = line.find('\t', start);
    columns.emplace_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return columns;
    start = tab + 1;
  }
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  if (size < 1 || size > 8192) return 0;
  TaggerOptions options = fuzz::SmallTaggerOptions(data[0]);
  options.multiword = false;
  fuzz::SmallTagger small(options);
  std::string_view text = fuzz::AsText(data + 1, size - 1);
  const std::string out = Retag(text, small.tagger.get());
  // A byte order mark before the first line is dropped; the lines are compared without it.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  // The lines that are not blank, in and out, pair up in order.
  std::vector<std::string> in_lines, out_lines;
  for (const std::string& line : fuzz::Lines(text)) {
    if (!IsBlank(line)) in_lines.push_back(line);
  }
  for (const std::string& line : fuzz::Lines(out)) {
    if (!line.empty()) out_lines.push_back(line);
  }
  Check(in_lines.size() == out_lines.size());
  std::array<std::string_view, kConlluColumns> columns;
  std::string problem;
  for (size_t i = 0; i < in_lines.size(); ++i) {
    if (ReadConlluLine(in_lines[i], &columns, &problem) != ConlluLineKind::kWord) {
      Check(out_lines[i] == in_lines[i]);
      continue;
    }
    const std::vector<std::string> before = Columns(in_lines[i]), after = Columns(out_lines[i]);
    Check(before.size() == 10 && after.size() == 10);
    for (int c = 0; c < kConlluColumns; ++c) {
      if (c == kUpos || c == kXpos || (c == kLemma && options.lemma)) continue;
      Check(before[c] == after[c]);
    }
  }
  // Read again, the output is the same; unless it opens with a byte order mark (a line
  // that held a second one), which is then dropped like the first.
  if (!out.starts_with("\xEF\xBB\xBF")) Check(Retag(out, small.tagger.get()) == out);
  return 0;
}
