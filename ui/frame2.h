// The progress panel that a run shows on the "Result" page while it splits a file into
// sentences: a label and a bar, under an hourglass cursor. It never takes input or focus.
// Tested by run_window_test.cc.
#ifndef QUILLON_UI_FRAME2_H_
#define QUILLON_UI_FRAME2_H_

#include <QFrame>

class QLabel;
class QProgressBar;

namespace quillon {

class TFrame2 : public QFrame {
  Q_OBJECT

 public:
  // A hidden panel named name.
  TFrame2(const QString& name, QWidget* parent);

  QLabel* label() const { return label_; }
  QProgressBar* bar() const { return bar_; }

  // Shows the panel centred over its parent with a bar of maximum and paints it at once.
  void ShowProgress(int maximum);
  // Advances the bar by one.
  void Step();

 private:
  QLabel* label_;
  QProgressBar* bar_;
};

}  // namespace quillon

#endif  // QUILLON_UI_FRAME2_H_
