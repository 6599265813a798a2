// The progress panel. Tested by run_window_test.cc.
#include "ui/frame2.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace quillon {

TFrame2::TFrame2(const QString& name, QWidget* parent) : QFrame(parent) {
  setObjectName(name);
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Plain);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  setCursor(Qt::WaitCursor);
  setFocusPolicy(Qt::NoFocus);
  setFixedWidth(361);
  setMinimumHeight(73);
  setMaximumHeight(97);

  label_ = new QLabel(tr("Now Segmenting the Text into Sentences"), this);
  label_->setObjectName(QStringLiteral("Label1"));
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("ProgressBar1"));
  bar_->setFixedSize(329, 25);
  bar_->setTextVisible(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 8, 16, 8);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  resize(361, 73);
  hide();
}

void TFrame2::ShowProgress(int maximum) {
  // A bar whose maximum equals its minimum would show Qt's busy animation instead.
  bar_->setRange(0, std::max(1, maximum));
  bar_->setValue(0);
  if (parentWidget() != nullptr) {
    QRect area = geometry();
    area.moveCenter(parentWidget()->rect().center());
    setGeometry(area);
  }
  show();
  raise();
  repaint();
}

void TFrame2::Step() { bar_->setValue(std::min(bar_->maximum(), bar_->value() + 1)); }

}  // namespace quillon
