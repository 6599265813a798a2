// The folder chooser behind the "where" button: a small modeless dialog with a folder tree,
// "OK" and "Cansel". "OK" hands the chosen folder to the main window as the destination of
// output files; either button only hides the dialog, which keeps its tree and selection, so
// the next opening starts on the folder chosen last. Tested by dialogs_test.cc.
#ifndef QUILLON_UI_FOLDER4_H_
#define QUILLON_UI_FOLDER4_H_

#include <QDialog>

class QPushButton;

namespace quillon {

class FolderTree;

class TOKBottomDlg : public QDialog {
  Q_OBJECT

 public:
  // A hidden chooser whose tree starts on initial_folder.
  TOKBottomDlg(const QString& initial_folder, QWidget* parent);

  // Shows the chooser (centred on the screen the first time) and brings it to the front.
  void ShowChooser();
  FolderTree* tree() const { return tree_; }

 signals:
  // "OK" was chosen with folder selected ("" for a node that is no file-system folder).
  void FolderChosen(const QString& folder);

 private:
  void OKBtnClick();
  void CancelBtnClick();

  FolderTree* tree_;
  bool placed_ = false;
};

}  // namespace quillon

#endif  // QUILLON_UI_FOLDER4_H_
