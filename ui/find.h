// Searching the result preview. The find dialog is modeless: it stays open and asks for
// the next match each time "Find Next" is pressed. The search ignores letter case and never
// needs whole words; it does not wrap around, and when nothing more is found nothing
// happens. Down starts after the current selection (at the very beginning when nothing is
// selected); up takes the last match that ends at or before the start of the selection,
// found by scanning from the beginning of the text. Tested by find_test.cc.
#ifndef QUILLON_UI_FIND_H_
#define QUILLON_UI_FIND_H_

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillon {

// Where searching down for what in text finds its next match, given the selection
// (selection_length 0 when nothing is selected); -1 when there is none.
int FindDownFrom(const QString& text, const QString& what, int selection_start,
                 int selection_length);

// Where searching up for what in text finds its match before selection_start (the caret
// when nothing is selected); -1 when there is none.
int FindUpFrom(const QString& text, const QString& what, int selection_start);

class TFindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TFindDialog(QWidget* parent);

  QString FindText() const;
  void SetFindText(const QString& text);
  // True for the direction "Down" (the initial one).
  bool Down() const;

  // Shows the dialog, or brings it to the front, with the search text selected.
  void ShowDialog();

 signals:
  // The user asked for the next match.
  void Find();

 private:
  QLineEdit* text_;
  QRadioButton* up_;
  QRadioButton* down_;
  QPushButton* find_next_;
};

}  // namespace quillon

#endif  // QUILLON_UI_FIND_H_
