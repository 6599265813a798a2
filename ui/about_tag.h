// The about box ("Help" "About"): a small modeless dialog with the program's name, version
// and authors, and the program icon, which is drawn here so that the program needs no
// image files. Tested by dialogs_test.cc.
#ifndef QUILLON_UI_ABOUT_TAG_H_
#define QUILLON_UI_ABOUT_TAG_H_

#include <QDialog>
#include <QIcon>

namespace quillon {

// The program icon: a quill's "Q" on the window's green.
QIcon ProgramIcon();

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent);

  // Shows the box centred on its parent, or brings the open box to the front.
  void ShowBox();

 private:
  void OKButtonClick();
};

}  // namespace quillon

#endif  // QUILLON_UI_ABOUT_TAG_H_
