// Where the window's modal messages go. The window shows each in a message box and waits
// for the user; tests put a recorder in its place so that nothing blocks. A message that
// a run shows keeps the run waiting until Show returns. Tested through main_window_test.cc.
#ifndef QUILLON_UI_MESSAGE_SINK_H_
#define QUILLON_UI_MESSAGE_SINK_H_

#include <QString>

class QWidget;

namespace quillon {

class MessageSink {
 public:
  enum class Kind {
    kMessage,  // one of the program's fixed texts
    kWarning,  // something the program worked around
    kError,    // a failure reported with its own text
  };

  virtual ~MessageSink() = default;
  // Shows text over parent and returns when the user has dismissed it.
  virtual void Show(QWidget* parent, Kind kind, const QString& text) = 0;
};

// Message boxes with an OK button, titled with the application's name.
class MessageBoxSink : public MessageSink {
 public:
  void Show(QWidget* parent, Kind kind, const QString& text) override;
};

}  // namespace quillon

#endif  // QUILLON_UI_MESSAGE_SINK_H_
