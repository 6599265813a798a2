// The folder chooser. Tested by dialogs_test.cc.
#include "ui/folder4.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/folder_tree.h"

namespace quillon {

TOKBottomDlg::TOKBottomDlg(const QString& initial_folder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("OKBottomDlg"));
  setWindowTitle(tr("フォルダ選択"));
  setModal(false);

  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Bevel1"));
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setFrameShadow(QFrame::Sunken);
  frame->setFixedSize(289, 209);
  tree_ = new FolderTree(QStringLiteral("ShellTreeView1"), /*show_root=*/false, frame);
  auto* frame_layout = new QVBoxLayout(frame);
  frame_layout->setContentsMargins(4, 4, 4, 4);
  frame_layout->addWidget(tree_);

  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName(QStringLiteral("OKBtn"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("Cansel"), this);
  cancel->setObjectName(QStringLiteral("CancelBtn"));
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  connect(ok, &QPushButton::clicked, this, &TOKBottomDlg::OKBtnClick);
  connect(cancel, &QPushButton::clicked, this, &TOKBottomDlg::CancelBtnClick);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(9, 9, 9, 9);
  layout->addWidget(frame, 0, Qt::AlignHCenter);
  layout->addStretch();
  layout->addWidget(buttons);
  setFixedSize(308, 275);

  tree_->SelectFolder(initial_folder);
}

void TOKBottomDlg::ShowChooser() {
  if (!placed_) {
    if (const QScreen* screen =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
    placed_ = true;
  }
  show();
  raise();
  activateWindow();
  tree_->scrollTo(tree_->currentIndex());
}

void TOKBottomDlg::OKBtnClick() {
  emit FolderChosen(tree_->CurrentFolder());
  hide();
}

// Escape and the window's close box come here too, through reject().
void TOKBottomDlg::CancelBtnClick() { reject(); }

}  // namespace quillon
