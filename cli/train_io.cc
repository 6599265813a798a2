// Reading corpora, writing resource files and printing figures for the train subcommands.
#include "cli/train_io.h"

#include <algorithm>
#include <cstdio>

#include "cli/terminal_text.h"
#include "train/learning_resources.h"

namespace quillon {

void Fail(const std::string& text) {
  // Messages quote file names and corpus bytes, which must not reach the terminal raw.
  std::fprintf(stderr, "%s\n", EscapeForTerminal(text).c_str());
}

void Say(const std::string& text) { std::printf("%s\n", text.c_str()); }

std::string Label(const std::string& text) {
  std::string out = "  " + text;
  out.resize(std::max<size_t>(out.size() + 1, 36), ' ');
  return out;
}

bool LoadCorpus(const std::string& format_name, const std::vector<std::string>& paths,
                bool skip_malformed, Corpus* corpus) {
  CorpusFormat format;
  if (!ParseCorpusFormat(format_name, &format)) {
    Fail("quillon train: unknown corpus format \"" + format_name + "\"");
    return false;
  }
  SkippedSentences skipped;
  Status status = ReadCorpora(paths, format, corpus, skip_malformed ? &skipped : nullptr);
  if (!status.ok()) {
    Fail(status.message());
    return false;
  }
  if (skipped.count > 0) Fail(SkippedNote(skipped));
  if (corpus->sentences.empty()) {
    Fail("quillon train: the corpus holds no sentences");
    return false;
  }
  return true;
}

bool Write(const std::string& path, const std::vector<std::string>& lines) {
  Status status = WriteResourceLines(path, lines);
  if (!status.ok()) Fail(status.message());
  return status.ok();
}

}  // namespace quillon
