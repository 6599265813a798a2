// Preview reading. Tested by text_preview_test.cc.
#include "ui/text_preview.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <algorithm>
#include <string>

#include "core/line_reader.h"
#include "ui/fonts.h"

namespace quillon {
namespace {

constexpr qint64 kChunk = 1 << 16;

// True once bytes hold more than max_lines complete lines, or a NUL ends the text.
bool HasEnough(const std::string& bytes, int max_lines) {
  if (bytes.find('\0') != std::string::npos) return true;
  // A line break is at most two bytes, so this many break bytes always close the lines.
  const auto breaks =
      std::count_if(bytes.begin(), bytes.end(), [](char c) { return c == '\r' || c == '\n'; });
  return breaks > 2 * static_cast<long long>(max_lines) + 1;
}

}  // namespace

QString DecodeText(std::string_view bytes) {
  // Stateless: a sequence cut off at the end is an error, not something to wait for.
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool ReadPreview(const QString& path, int max_lines, QString* text) {
  text->clear();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  std::string bytes;
  for (;;) {
    if (max_lines >= 0 && HasEnough(bytes, max_lines)) break;
    const QByteArray chunk = file.read(kChunk);
    if (chunk.isEmpty()) {
      if (file.error() != QFileDevice::NoError) return false;
      break;
    }
    bytes.append(chunk.constData(), static_cast<size_t>(chunk.size()));
  }
  std::string shown;
  int count = 0;
  ForEachLine(bytes, [&](std::string_view line) {
    if (max_lines >= 0 && count >= max_lines) return;
    shown.append(line);
    shown.push_back('\n');
    ++count;
  });
  *text = DecodeText(shown);
  return true;
}

QPlainTextEdit* MakeTextView(const QString& name, QWidget* parent) {
  auto* view = new QPlainTextEdit(parent);
  view->setObjectName(name);
  view->setReadOnly(true);
  view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setFont(ListFont());
  return view;
}

}  // namespace quillon
