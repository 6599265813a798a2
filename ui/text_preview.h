// Reading a text file for the previews. Files are 8-bit text of any code page: the bytes
// are cut into lines by the run's own rule (CR LF, lone CR, lone LF; a NUL ends the text)
// and shown as UTF-8 when they are valid UTF-8, otherwise one character per byte
// (Latin-1), so that no file fails to show. A text view lays out and paints every
// character itself, so a preview is kept to what it can show without freezing the window:
// at most the first 10 MB and lines of at most 100,000 bytes, with a last line that says
// what was left out. Tested by text_preview_test.cc.
#ifndef QUILLON_UI_TEXT_PREVIEW_H_
#define QUILLON_UI_TEXT_PREVIEW_H_

#include <QString>
#include <functional>
#include <string_view>

class QPlainTextEdit;
class QWidget;

namespace quillon {

// What a preview may hold.
struct PreviewLimits {
  qint64 max_bytes = 10'000'000;  // of the file; the lines beyond are left out
  int max_line_bytes = 100'000;   // of one line; the rest of a longer line is left out
};

// bytes as text: UTF-8 when valid (a leading byte-order mark dropped), else Latin-1.
QString DecodeText(std::string_view bytes);

// Reads the first max_lines lines of the file at path (every line when max_lines < 0),
// each followed by a line break, within limits; when the limits leave something out, a
// last line says what. Reads no more of the file than that needs, and stops early (false)
// when keep_going says so between blocks. Returns false when the file cannot be opened or
// read.
bool ReadPreview(const QString& path, int max_lines, QString* text,
                 const PreviewLimits& limits = PreviewLimits(),
                 const std::function<bool()>& keep_going = nullptr);

// Sets up view as a read-only text view for previews named name: selectable, no word
// wrap, list font.
void SetUpTextView(QPlainTextEdit* view, const QString& name);
// A new view set up so.
QPlainTextEdit* MakeTextView(const QString& name, QWidget* parent);

}  // namespace quillon

#endif  // QUILLON_UI_TEXT_PREVIEW_H_
