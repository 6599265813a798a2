// The folder tree. Tested through main_window_test.cc and dialogs_test.cc.
#include "ui/folder_tree.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTimer>

namespace quillon {

FolderTree::FolderTree(const QString& name, bool show_root, QWidget* parent)
    : QTreeView(parent), model_(new QFileSystemModel(this)) {
  setObjectName(name);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setReadOnly(true);
  model_->setRootPath(QDir::rootPath());
  setModel(model_);
  if (!show_root) setRootIndex(model_->index(QDir::rootPath()));
  for (int column = 1; column < model_->columnCount(); ++column) hideColumn(column);
  header()->hide();
  setSortingEnabled(true);
  sortByColumn(0, Qt::AscendingOrder);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &FolderTree::FolderChanged);
  // The model reads and sorts folders in the background, so a node chosen by the program
  // moves while its parents' rows arrive; it is kept in view until the user takes over.
  connect(model_, &QFileSystemModel::layoutChanged, this, &FolderTree::ScrollToChosen);
  connect(model_, &QFileSystemModel::rowsInserted, this, &FolderTree::ScrollToChosen);
}

QString FolderTree::CurrentFolder() const {
  const QModelIndex index = currentIndex();
  return index.isValid() ? model_->filePath(index) : QString();
}

void FolderTree::SelectFolder(const QString& folder) {
  const QModelIndex index = model_->index(QDir(folder).absolutePath());
  if (!index.isValid()) return;
  for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) {
    expand(parent);
  }
  setCurrentIndex(index);
  scroll_pending_ = true;
  ScrollToChosen();
}

void FolderTree::ScrollToChosen() {
  if (!scroll_pending_ || !isVisible()) return;
  // Rows appear after the model's signal; the scroll waits for the view to lay them out.
  QTimer::singleShot(0, this, [this] {
    if (scroll_pending_) scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
  });
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
  scroll_pending_ = false;
  QTreeView::keyPressEvent(event);
}

void FolderTree::showEvent(QShowEvent* event) {
  QTreeView::showEvent(event);
  ScrollToChosen();
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
  scroll_pending_ = false;  // the user has taken over
  if (event->button() == Qt::RightButton) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) setCurrentIndex(index);
  }
  QTreeView::mousePressEvent(event);
}

}  // namespace quillon
