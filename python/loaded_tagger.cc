// Loading once and tagging texts, word lists and files. Tested by
// python/tests/test_tagger.py.
#include "python/loaded_tagger.h"

#include <algorithm>
#include <optional>

#include "core/line_stream.h"
#include "core/lookup_form.h"
#include "core/output_file.h"
#include "core/sentence_splitter.h"

namespace quillon {
namespace {

// Output is handed to the file in blocks of about this size.
constexpr size_t kFlushBytes = 1 << 20;

TaggedText::Piece AppendPiece(std::string_view bytes, TaggedText* out) {
  const TaggedText::Piece piece{out->bytes.size(), bytes.size()};
  out->bytes.append(bytes);
  return piece;
}

// Calls visit(sentence) for every line of lines, or for every sentence of their split
// text with split. False with *error when splitting fails or *error set by reading.
template <typename Visit>
bool ForEachInput(LineStream* lines, bool split, bool modern, std::string* error, Visit&& visit) {
  const NextLine next_line = [&](std::string_view* line) { return lines->Next(line); };
  if (!split) {
    for (std::string_view line; next_line(&line);) visit(line);
  } else {
    std::string text;
    if (!SplitTextOnThread(next_line, std::nullopt, nullptr, &text, error, modern)) return false;
    if (lines->status().ok()) ForEachSentence(text, visit);
  }
  if (!lines->status().ok()) {
    *error = lines->status().message();
    return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<LoadedTagger> LoadedTagger::Load(const RunSettings& settings,
                                                 const std::string& data_dir,
                                                 LoadFailure* failure) {
  auto resources = std::make_unique<Resources>();
  if (!LoadResources(settings, data_dir, nullptr, resources.get(), failure)) return nullptr;
  return std::unique_ptr<LoadedTagger>(new LoadedTagger(settings, std::move(resources)));
}

LoadedTagger::LoadedTagger(const RunSettings& settings, std::unique_ptr<Resources> resources)
    : settings_(settings),
      resources_(std::move(resources)),
      tagger_(resources_.get(), OptionsFromSettings(settings)) {}

void LoadedTagger::AppendSentence(std::span<const std::string_view> tokens, TaggedText* out) {
  tagger_.TagTokens(tokens, &tags_);
  const bool lemma = OptionsFromSettings(settings_).lemma;
  const bool modern = OptionsFromSettings(settings_).modern;
  for (size_t i = 0; i < tokens.size(); ++i) {
    out->words.push_back(AppendPiece(tokens[i], out));
    out->tags.push_back(tagger_.TagName(tags_[i]));
    if (!lemma) continue;
    lookup_.clear();
    const bool has_form = modern && AppendLookupForm(tokens[i], &lookup_);
    std::string_view word = has_form ? std::string_view(lookup_) : tokens[i];
    // A quotation mark is looked up by the first of its spellings the lexicon knows.
    if (has_form && resources_->lexicon_index.FindWord(word, &key_) < 2) {
      for (const std::string_view fallback : QuoteFallbacks(word)) {
        if (resources_->lexicon_index.FindWord(fallback, &key_) < 2) continue;
        word = fallback;
        break;
      }
    }
    out->lemmas.push_back(
        AppendPiece(resources_->lemmas.Lemmatization(word, &lemma_scratch_), out));
  }
  out->sentence_ends.push_back(out->words.size());
}

bool LoadedTagger::TagText(std::string_view text, bool split, TaggedText* out, std::string* error) {
  std::lock_guard<std::mutex> lock(mutex_);
  LineStream lines{std::string(text)};
  const bool modern = OptionsFromSettings(settings_).modern;
  return ForEachInput(&lines, split, modern, error, [&](std::string_view sentence) {
    tagger_.Tokens(sentence, &tokens_);
    AppendSentence(tokens_, out);
  });
}

void LoadedTagger::TagWords(std::span<const std::string_view> words, TaggedText* out) {
  std::lock_guard<std::mutex> lock(mutex_);
  AppendSentence(words, out);
}

Status LoadedTagger::TagFile(const std::string& input_path, const std::string& output_path,
                             bool split, FileCounts* counts) {
  std::lock_guard<std::mutex> lock(mutex_);
  *counts = FileCounts();
  std::unique_ptr<LineStream> input;
  if (Status opened = OpenInput(input_path, &input, settings_.encoding); !opened.ok()) {
    return opened;
  }
  OutputFile file;
  if (Status opened = file.Open(output_path); !opened.ok()) {
    return Status::Error("Cannot write file \"" + output_path + "\". " + opened.message());
  }
  std::string out, error;
  Status written;
  const bool modern = OptionsFromSettings(settings_).modern;
  const bool read = ForEachInput(input.get(), split, modern, &error, [&](std::string_view line) {
    tagger_.TagSentence(line, &out);
    out.append("\r\n");
    ++counts->sentences;
    counts->tokens += tagger_.rows().size();
    if (out.size() >= kFlushBytes && written.ok()) {
      written = file.Append(out);
      out.clear();
    }
  });
  if (!read) return Status::Error(error);
  if (written.ok()) written = file.Append(out);
  if (written.ok()) written = file.Commit();
  if (!written.ok()) {
    return Status::Error("Cannot write file \"" + output_path + "\". " + written.message());
  }
  return Status::Ok();
}

}  // namespace quillon
