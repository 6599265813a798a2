// The window's fonts. Tested through main_window_test.cc.
#include "ui/fonts.h"

#include <QApplication>

namespace quillon {

QFont PlainFont() {
  const QFont base = QApplication::font();
  QFont font = base;
  font.setFamilies(base.families().isEmpty() ? QStringList{base.family()} : base.families());
  font.setBold(false);
  font.setItalic(false);
  font.setPointSizeF(base.pointSizeF());
  return font;
}

QFont ListFont() {
  QFont font = PlainFont();
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック")});
  return font;
}

QFont CaptionFont() {
  QFont font = PlainFont();
  font.setFamilies({QStringLiteral("Times New Roman")});
  font.setBold(true);
  return font;
}

}  // namespace quillon
