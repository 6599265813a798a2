// Message boxes. A fixed message carries no icon, like a plain notice; a warning and an
// error carry theirs. Tested through main_window_test.cc.
#include "ui/message_sink.h"

#include <QApplication>
#include <QMessageBox>

namespace quillon {

void MessageBoxSink::Show(QWidget* parent, Kind kind, const QString& text) {
  QMessageBox box(parent);
  box.setWindowTitle(QApplication::applicationDisplayName());
  box.setTextFormat(Qt::PlainText);  // file names are shown, never interpreted
  box.setText(text);
  box.setStandardButtons(QMessageBox::Ok);
  box.setIcon(kind == Kind::kError     ? QMessageBox::Critical
              : kind == Kind::kWarning ? QMessageBox::Warning
                                       : QMessageBox::NoIcon);
  box.exec();
}

}  // namespace quillon
