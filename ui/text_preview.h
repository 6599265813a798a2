// Reading a text file for the previews. Files are 8-bit text of any code page: the bytes
// are cut into lines by the run's own rule (CR LF, lone CR, lone LF; a NUL ends the text)
// and shown as UTF-8 when they are valid UTF-8, otherwise one character per byte
// (Latin-1), so that no file fails to show. Tested by text_preview_test.cc.
#ifndef QUILLON_UI_TEXT_PREVIEW_H_
#define QUILLON_UI_TEXT_PREVIEW_H_

#include <QString>
#include <string_view>

class QPlainTextEdit;
class QWidget;

namespace quillon {

// bytes as text: UTF-8 when valid (a leading byte-order mark dropped), else Latin-1.
QString DecodeText(std::string_view bytes);

// Reads the first max_lines lines of the file at path (every line when max_lines < 0),
// each followed by a line break. Reads no more of the file than those lines need.
// Returns false when the file cannot be opened or read.
bool ReadPreview(const QString& path, int max_lines, QString* text);

// A read-only text view named name for previews: selectable, no word wrap, list font.
QPlainTextEdit* MakeTextView(const QString& name, QWidget* parent);

}  // namespace quillon

#endif  // QUILLON_UI_TEXT_PREVIEW_H_
