// Preview reading. Tested by text_preview_test.cc.
#include "ui/text_preview.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <algorithm>
#include <string>

#include "core/line_reader.h"
#include "ui/fonts.h"

namespace quillon {
namespace {

constexpr qint64 kChunk = 1 << 16;

// The first bytes of line, at most max_bytes, not ending inside a UTF-8 sequence.
std::string_view CutLine(std::string_view line, int max_bytes) {
  size_t end = static_cast<size_t>(max_bytes);
  for (int back = 0; back < 3 && end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80;
       ++back) {
    --end;
  }
  return line.substr(0, end);
}

QString Tr(const char* text) { return QCoreApplication::translate("quillon::TextPreview", text); }

}  // namespace

QString DecodeText(std::string_view bytes) {
  // Stateless: a sequence cut off at the end is an error, not something to wait for.
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool ReadPreview(const QString& path, int max_lines, QString* text, const PreviewLimits& limits,
                 const std::function<bool()>& keep_going) {
  text->clear();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  std::string bytes;
  // A line break is at most two bytes, so this many break bytes always close the lines.
  const long long enough_breaks = 2 * static_cast<long long>(max_lines) + 1;
  long long breaks = 0;
  bool more = false;  // bytes beyond max_bytes were left unread
  for (;;) {
    if (max_lines >= 0 && breaks > enough_breaks) break;
    if (static_cast<qint64>(bytes.size()) > limits.max_bytes) {
      more = true;
      break;
    }
    if (keep_going && !keep_going()) return false;
    const QByteArray chunk = file.read(kChunk);
    if (chunk.isEmpty()) {
      if (file.error() != QFileDevice::NoError) return false;
      break;
    }
    bytes.append(chunk.constData(), static_cast<size_t>(chunk.size()));
    if (chunk.contains('\0')) break;  // the text ends there
    breaks += chunk.count('\r') + chunk.count('\n');
  }
  if (more) {
    bytes.resize(static_cast<size_t>(limits.max_bytes));
    // Whole lines only; a single line longer than the limit is cut as any long line is.
    const size_t last_break = bytes.find_last_of("\r\n");
    if (last_break != std::string::npos) bytes.resize(last_break + 1);
  }
  std::string shown;
  int count = 0;
  bool lines_cut = false;
  ForEachLine(bytes, [&](std::string_view line) {
    if (max_lines >= 0 && count >= max_lines) return;
    if (line.size() > static_cast<size_t>(limits.max_line_bytes)) {
      line = CutLine(line, limits.max_line_bytes);
      lines_cut = true;
    }
    shown.append(line);
    shown.push_back('\n');
    ++count;
  });
  *text = DecodeText(shown);
  if (more && (max_lines < 0 || count < max_lines)) {
    const QLocale locale;
    *text += Tr("[Preview: only the first %1 of this %2 file are shown.]\n")
                 .arg(locale.formattedDataSize(limits.max_bytes, 0, QLocale::DataSizeSIFormat),
                      locale.formattedDataSize(file.size(), 1, QLocale::DataSizeSIFormat));
  }
  if (lines_cut) {
    *text += Tr("[Preview: lines longer than %1 bytes are cut short.]\n")
                 .arg(QLocale().toString(limits.max_line_bytes));
  }
  return true;
}

void SetUpTextView(QPlainTextEdit* view, const QString& name) {
  view->setObjectName(name);
  view->setReadOnly(true);
  view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setFont(ListFont());
}

QPlainTextEdit* MakeTextView(const QString& name, QWidget* parent) {
  auto* view = new QPlainTextEdit(parent);
  SetUpTextView(view, name);
  return view;
}

}  // namespace quillon
