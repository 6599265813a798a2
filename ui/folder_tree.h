// The folder tree shared by the main window and the folder chooser: folders only, with the
// system's icons, kept up to date as folders come and go, and a right click selects the
// node under the mouse before anything else happens. Tested through main_window_test.cc
// and dialogs_test.cc.
#ifndef QUILLON_UI_FOLDER_TREE_H_
#define QUILLON_UI_FOLDER_TREE_H_

#include <QString>
#include <QTreeView>

class QFileSystemModel;

namespace quillon {

class FolderTree : public QTreeView {
  Q_OBJECT

 public:
  // A tree named name over the whole file system. show_root: the file-system root is a
  // node of its own; otherwise its folders are the top nodes.
  FolderTree(const QString& name, bool show_root, QWidget* parent);

  // The path of the current node, or "" when the node is no file-system folder.
  QString CurrentFolder() const;
  // Makes folder the current node, opening its parents and scrolling it into view.
  void SelectFolder(const QString& folder);

 signals:
  // The current node changed.
  void FolderChanged();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Scrolls a node chosen by the program into view once the tree can show it.
  void ScrollToChosen();

  QFileSystemModel* model_;
  bool scroll_pending_ = false;  // the current node is to be scrolled into view once loaded
};

}  // namespace quillon

#endif  // QUILLON_UI_FOLDER_TREE_H_
