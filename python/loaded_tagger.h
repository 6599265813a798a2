// A tagger with the resources it loaded, for the Python module: the resources are read
// once, then texts, word lists and files are tagged on request with the same code and the
// same bytes as `quillon tag`. The core tagger reuses its working arrays from sentence to
// sentence, so calls on one object are serialised by a mutex; objects share nothing, so
// separate ones tag in parallel (the module releases the interpreter lock meanwhile).
// Tested by python/tests/test_tagger.py.
#ifndef QUILLON_PYTHON_LOADED_TAGGER_H_
#define QUILLON_PYTHON_LOADED_TAGGER_H_

#include <cstddef>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats.h"
#include "core/resources.h"
#include "core/run_settings.h"
#include "core/sentence_result.h"
#include "core/status.h"
#include "core/tagger.h"

namespace quillon {

// Tagged sentences, flat: token i of the text has words[i], tags[i] and, with lemmas on,
// lemmas[i]; sentence s ends before token sentence_ends[s].
struct TaggedText {
  struct Piece {
    size_t begin = 0;
    size_t size = 0;
  };
  std::string bytes;  // the words and lemmas, one after another
  std::vector<Piece> words;
  std::vector<Piece> lemmas;           // empty with lemmas off
  std::vector<std::string_view> tags;  // views into the tag table of the tagger
  std::vector<size_t> sentence_ends;

  std::string_view View(Piece piece) const {
    return std::string_view(bytes).substr(piece.begin, piece.size);
  }
};

// How one file is read and written.
struct FileFormats {
  InputFormat input = InputFormat::kText;
  OutputFormat output = OutputFormat::kText;
  bool split = false;  // running text is cut into sentences first
};

// What tagging one file wrote.
struct FileCounts {
  size_t sentences = 0;
  size_t tokens = 0;
  std::vector<std::string> warnings;  // what was worked around: bad lines, replaced bytes
};

class LoadedTagger {
 public:
  // Loads what settings call for from data_dir (and the user lexicon they name); null with
  // *failure when a file is missing or damaged. warnings receives what loading worked
  // around (a word the user lexicon lists twice).
  static std::unique_ptr<LoadedTagger> Load(const RunSettings& settings,
                                            const std::string& data_dir, LoadFailure* failure,
                                            std::vector<std::string>* warnings);

  // Tags the lines of text, or its sentences with split, appending them to *out. False
  // with *error when the sentence splitter fails.
  bool TagText(std::string_view text, bool split, TaggedText* out, std::string* error);

  // Tags one sentence made of words as they are given, appending it to *out.
  void TagWords(std::span<const std::string_view> words, TaggedText* out);

  // Tags the file at input_path into output_path as `quillon tag` writes an output file:
  // the same bytes (CR LF line ends in text), through a temporary file renamed over
  // output_path only when all of it is written. The error carries the failure's text.
  Status TagFile(const std::string& input_path, const std::string& output_path,
                 const FileFormats& formats, FileCounts* counts);

  const RunSettings& settings() const { return settings_; }

 private:
  LoadedTagger(const RunSettings& settings, std::unique_ptr<Resources> resources);

  // Appends a tagged sentence to *out.
  static void Append(const SentenceResult& sentence, TaggedText* out);

  std::mutex mutex_;
  RunSettings settings_;
  std::unique_ptr<Resources> resources_;
  Tagger tagger_;
};

}  // namespace quillon

#endif  // QUILLON_PYTHON_LOADED_TAGGER_H_
