// The about box and the program icon. Tested by dialogs_test.cc.
#include "ui/about_tag.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/version.h"
#include "ui/fonts.h"

namespace quillon {
namespace {

QPixmap DrawIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  painter.setPen(QPen(QColor(40, 90, 40), s / 24));
  painter.setBrush(QColor(192, 220, 192));
  painter.drawRoundedRect(QRectF(s / 24, s / 24, s - s / 12, s - s / 12), s / 6, s / 6);
  QFont font = CaptionFont();
  font.setPixelSize(static_cast<int>(s * 0.72));
  painter.setFont(font);
  painter.setPen(QColor(20, 40, 120));
  painter.drawText(QRectF(0, -s / 20, s, s), Qt::AlignCenter, QStringLiteral("Q"));
  // The quill: a feather drawn across the letter's tail.
  QPainterPath feather;
  feather.moveTo(s * 0.58, s * 0.86);
  feather.cubicTo(s * 0.70, s * 0.55, s * 0.82, s * 0.30, s * 0.92, s * 0.10);
  feather.cubicTo(s * 0.80, s * 0.35, s * 0.72, s * 0.60, s * 0.58, s * 0.86);
  painter.setPen(QPen(QColor(150, 20, 20), s / 40));
  painter.setBrush(QColor(220, 60, 60));
  painter.drawPath(feather);
  return pixmap;
}

QLabel* MakeLabel(const QString& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(DrawIcon(size));
  return icon;
}

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(tr("Quillon"));
  setModal(false);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setLineWidth(2);

  QLabel* comments = MakeLabel(tr("Part Of Speech Tagger"), QStringLiteral("Comments"), panel);
  QFont small = comments->font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  comments->setFont(small);

  QLabel* icon = MakeLabel(QString(), QStringLiteral("ProgramIcon"), panel);
  icon->setPixmap(DrawIcon(41));
  icon->setFixedSize(41, 41);

  QLabel* product = MakeLabel(tr("Quillon"), QStringLiteral("ProductName"), panel);
  QFont large = CaptionFont();
  large.setPointSize(20);
  large.setUnderline(true);
  product->setFont(large);

  QLabel* version = MakeLabel(tr("version %1").arg(QLatin1String(kShortVersion)),
                              QStringLiteral("Version"), panel);
  QFont italic = version->font();
  italic.setItalic(true);
  version->setFont(italic);
  version->setAlignment(Qt::AlignRight);

  QLabel* copyright = MakeLabel(tr("Written by the Quillon developers.\n"
                                   "Transformation-based tagging of English text.\n"
                                   "Reports and questions: the project's issue tracker."),
                                QStringLiteral("Copyright"), panel);

  auto* name_row = new QHBoxLayout;
  name_row->addWidget(icon);
  name_row->addSpacing(10);
  name_row->addWidget(product, 1);
  auto* panel_layout = new QVBoxLayout(panel);
  panel_layout->setContentsMargins(12, 8, 12, 10);
  panel_layout->addWidget(comments);
  panel_layout->addLayout(name_row);
  panel_layout->addWidget(version);
  panel_layout->addStretch();
  panel_layout->addWidget(copyright);

  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(panel, 1);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  setFixedSize(323, 215);
}

void TAboutBox::ShowBox() {
  if (!isVisible() && parentWidget() != nullptr) {
    QRect frame = frameGeometry();
    frame.moveCenter(parentWidget()->frameGeometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
  activateWindow();
}

void TAboutBox::OKButtonClick() { hide(); }

}  // namespace quillon
