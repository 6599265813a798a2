// A tagging run started from the window. The run works on a thread of its own so that the
// window keeps repainting; every effect it reports reaches the window's thread as a signal,
// in the order the run made it. A message (a fixed text, a warning or an error report)
// keeps the run waiting until the window has shown it and the user has dismissed it, so
// messages appear one after another in the run's order, as they would if the run blocked
// the window. While a run is under way the controller swallows user input to the program's
// windows (except a modal message box, the menus, and what the window lets through: Stop
// and Exit), so that nothing can be changed and no second run can start. A stop request
// ends the run after its current sentence (the run asks before each file and after each
// sentence). Tested by run_window_test.cc and stop_test.cc.
#ifndef QUILLON_UI_RUN_CONTROLLER_H_
#define QUILLON_UI_RUN_CONTROLLER_H_

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/run_settings.h"
#include "core/tagging_run.h"
#include "ui/message_sink.h"

namespace quillon {

class RunController : public QObject {
  Q_OBJECT

 public:
  explicit RunController(QObject* parent = nullptr);
  // Stops a run still under way and waits for it; its remaining messages are then
  // dropped unseen.
  ~RunController() override;

  // Starts a run over inputs unless one is under way; returns whether it started.
  bool Start(const RunSettings& settings, std::vector<std::string> inputs, std::string data_dir);
  bool Running() const { return thread_.joinable(); }

  // Asks the run under way to end after its current sentence; nothing when none is.
  void RequestStop();
  // Lets user input reach object (a widget and its children, or an action's shortcut)
  // during runs.
  void AllowDuringRun(QObject* object);

  // The window has shown the message of MessageRequested; the run goes on.
  void MessageShown();

 signals:
  void ClearPreviews();
  void MessageRequested(quillon::MessageSink::Kind kind, const QString& text);
  void StatusText(int panel, const QString& text);
  void ShowResultPage();
  void ProgressShown(int indicator, int maximum);
  void ProgressStep(int indicator);
  void ProgressReset(int indicator);
  void ProgressHidden(int indicator);
  void OutputAdded(const QString& path, bool written);
  void Finished(double seconds);
  // The run is over (normally or early; stopped when a stop request ended it); another
  // may start.
  void RunEnded(bool stopped);

 private:
  class Bridge;
  class InputBlocker;

  void OnRunEnded();

  std::shared_ptr<Bridge> bridge_;
  std::thread thread_;
  QList<QPointer<QObject>> allowed_;
  TaggerState state_;  // what the last run loaded; replaced by every run
  InputBlocker* blocker_ = nullptr;
};

}  // namespace quillon

#endif  // QUILLON_UI_RUN_CONTROLLER_H_
