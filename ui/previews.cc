// The three previews, read off the window's thread so that a slow or huge file never
// freezes the window, and the word-class colours of the result preview and the legend.
// A preview that is still being read when the same view is asked for another file, or when
// a run clears the previews, is dropped (and stops reading at its next block). The result
// preview's layout (separator, lemmas) is told from the text it shows, so that the colours
// find the tags of any result file. Tested by main_window_test.cc and tag_colours_test.cc.
#include <QFile>
#include <QPlainTextEdit>
#include <atomic>
#include <memory>

#include "core/result_tokens.h"
#include "ui/background_work.h"
#include "ui/coloured_text_view.h"
#include "ui/main_window.h"
#include "ui/tag_colours.h"
#include "ui/text_preview.h"

namespace quillon {
namespace {

// What one preview job hands back.
struct PreviewRead {
  QString text;
  ResultLayout layout;
  bool ok = false;
};

// The layout of a result text shown in a preview, from the same sample size the
// statistics use.
ResultLayout LayoutOfText(const QString& text) {
  return DetectResultLayout(AsciiShape(QStringView(text).left(64 << 10)));
}

}  // namespace

void TForm1::Preview(QPlainTextEdit* preview, const QString& path, int max_lines,
                     bool clear_on_failure) {
  // The latest request of each view; an older job sees it change and stops reading.
  const std::shared_ptr<std::atomic<int>> latest =
      preview_latest_[preview == file_preview_ ? 0 : 1];
  const int request = latest->load() + 1;
  latest->store(request);
  auto read = std::make_shared<PreviewRead>();
  const bool is_result = preview == result_preview_;
  preview_work_->Run(
      [read, latest, request, path, max_lines, is_result] {
        read->ok = ReadPreview(path, max_lines, &read->text, PreviewLimits(),
                               [&] { return latest->load() == request; });
        if (read->ok && is_result) read->layout = LayoutOfText(read->text);
      },
      [this, preview, request, latest, read, path, clear_on_failure] {
        if (latest->load() != request) return;  // replaced or dropped
        if (read->ok) {
          if (preview == result_preview_) {
            result_layout_ = read->layout;
            result_is_word_tag_ = IsWordTagResult(path);
            ApplyTagColours();
          }
          preview->setPlainText(read->text);
          return;
        }
        if (clear_on_failure) preview->clear();
        ShowMessage(MessageSink::Kind::kError, tr("ファイル %1 は開けません").arg(path));
      });
}

void TForm1::DropPendingPreview(QPlainTextEdit* preview) {
  preview_latest_[preview == file_preview_ ? 0 : 1]->fetch_add(1);
}

int TForm1::PreviewsPending() const { return preview_work_->Pending(); }

void TForm1::ApplyTagColours() {
  const bool dark = result_preview_->palette().color(QPalette::Base).lightness() < 128;
  const ResultLayout layout = result_layout_;
  result_preview_->SetColourer(
      [layout, dark](const QString& line) { return ResultLineColours(line, layout, dark); });
  legend_->SetColourer([dark](const QString& line) { return LegendLineColours(line, dark); });
  // Results in the other formats are shown as plain text.
  result_preview_->SetColoured(tag_colours_ && result_is_word_tag_);
  legend_->SetColoured(tag_colours_);
}

}  // namespace quillon
