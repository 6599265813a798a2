// The run's thread, its bridge to the window's thread, and the input guard. Tested by
// run_window_test.cc.
#include "ui/run_controller.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>

#include "ui/text_preview.h"

namespace quillon {
namespace {

QString ToQString(std::string_view text) {
  // Messages are UTF-8; error texts may quote a file name in another code page.
  QString decoded = DecodeText(text);
  // The lemma list message joins its lines by LF CR, which a message box shows as LF.
  return decoded.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

QString PathToQString(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

}  // namespace

// The run's observer. It is called on the run's thread and hands every call to the
// controller's signals, which queue them for the window's thread. It outlives the
// controller when the controller goes first: it then drops what the run still reports.
class RunController::Bridge : public RunObserver {
 public:
  explicit Bridge(RunController* controller) : controller_(controller) {}

  void Detach() {
    std::lock_guard lock(mutex_);
    controller_ = nullptr;
    answered_.notify_all();
  }

  void Answer() {
    std::lock_guard lock(mutex_);
    message_shown_ = true;
    answered_.notify_all();
  }

  void RequestStop() { stop_requested_.store(true); }
  bool StopRequested() override { return stop_requested_.load(); }

  void ClearPreviews() override { Emit(&RunController::ClearPreviews); }
  void Message(std::string_view text) override { Ask(MessageSink::Kind::kMessage, text); }
  void ErrorReport(std::string_view text) override { Ask(MessageSink::Kind::kError, text); }
  void Warning(std::string_view text) override { Ask(MessageSink::Kind::kWarning, text); }
  void StatusText(int panel, std::string_view text) override {
    Emit(&RunController::StatusText, panel, ToQString(text));
  }
  void ShowResultPage() override { Emit(&RunController::ShowResultPage); }
  void ProgressShown(Indicator indicator, int maximum) override {
    Emit(&RunController::ProgressShown, static_cast<int>(indicator), maximum);
  }
  void ProgressStep(Indicator indicator) override {
    Emit(&RunController::ProgressStep, static_cast<int>(indicator));
  }
  void ProgressReset(Indicator indicator) override {
    Emit(&RunController::ProgressReset, static_cast<int>(indicator));
  }
  void ProgressHidden(Indicator indicator) override {
    Emit(&RunController::ProgressHidden, static_cast<int>(indicator));
  }
  void OutputAdded(std::string_view path, bool written) override {
    Emit(&RunController::OutputAdded, PathToQString(path), written);
  }
  void Finished(double seconds) override { Emit(&RunController::Finished, seconds); }
  void Ended(bool stopped) { Emit(&RunController::RunEnded, stopped); }

 private:
  // Emits signal with args unless the controller is gone. The controller lives on the
  // window's thread, so the emission only queues the call there.
  template <typename Signal, typename... Args>
  void Emit(Signal signal, Args&&... args) {
    std::lock_guard lock(mutex_);
    if (controller_ != nullptr) (controller_->*signal)(std::forward<Args>(args)...);
  }

  // Queues a message and waits until the window has shown it.
  void Ask(MessageSink::Kind kind, std::string_view text) {
    std::unique_lock lock(mutex_);
    if (controller_ == nullptr) return;
    message_shown_ = false;
    emit controller_->MessageRequested(kind, ToQString(text));
    answered_.wait(lock, [this] { return message_shown_ || controller_ == nullptr; });
  }

  std::mutex mutex_;
  std::condition_variable answered_;
  RunController* controller_;
  bool message_shown_ = false;
  std::atomic<bool> stop_requested_{false};
};

// Swallows user input to every window of the program while a run is under way, except
// to a modal message box (which the run itself waits for), to the menus (the window
// disables those it does not offer during a run) and to the objects allowed during runs.
// Repaints still happen.
class RunController::InputBlocker : public QObject {
 public:
  InputBlocker(const QList<QPointer<QObject>>* allowed, QObject* parent)
      : QObject(parent), allowed_(allowed) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!IsUserInput(event->type())) return false;
    // Shortcuts are delivered to actions, which are no widgets: only allowed ones fire.
    if (!watched->isWidgetType()) return event->type() == QEvent::Shortcut && !Allowed(watched);
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && widget->window() == modal) return false;
    if (qobject_cast<QMenu*>(widget->window()) != nullptr || Allowed(widget)) return false;
    if (event->type() == QEvent::ShortcutOverride) {
      // The keys of allowed actions go on to be looked up as shortcuts; for every other
      // key an accepted override keeps it from being looked up at all.
      if (IsAllowedKey(static_cast<QKeyEvent*>(event))) return false;
      event->accept();
    }
    return true;
  }

 private:
  bool Allowed(QObject* object) const {
    for (const QPointer<QObject>& allowed : *allowed_) {
      if (allowed == nullptr) continue;
      if (allowed == object) return true;
      if (allowed->isWidgetType() && object->isWidgetType() &&
          static_cast<QWidget*>(allowed.data())->isAncestorOf(static_cast<QWidget*>(object))) {
        return true;
      }
    }
    return false;
  }

  bool IsAllowedKey(const QKeyEvent* key) const {
    const QKeySequence pressed(key->keyCombination());
    for (const QPointer<QObject>& allowed : *allowed_) {
      const auto* action = qobject_cast<const QAction*>(allowed.data());
      if (action == nullptr || !action->isEnabled()) continue;
      if (action->shortcuts().contains(pressed)) return true;
    }
    return false;
  }

  const QList<QPointer<QObject>>* allowed_;

  static bool IsUserInput(QEvent::Type type) {
    switch (type) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
      case QEvent::ContextMenu:
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
      case QEvent::TouchBegin:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
        return true;
      default:
        return false;
    }
  }
};

RunController::RunController(QObject* parent) : QObject(parent) {
  // Connected first, so that the window's own handlers of RunEnded see the run over.
  connect(this, &RunController::RunEnded, this, &RunController::OnRunEnded);
}

RunController::~RunController() {
  RequestStop();
  if (bridge_) bridge_->Detach();
  if (thread_.joinable()) thread_.join();
  delete blocker_;
}

bool RunController::Start(const RunSettings& settings, std::vector<std::string> inputs,
                          std::string data_dir) {
  if (Running()) return false;
  blocker_ = new InputBlocker(&allowed_, this);
  qApp->installEventFilter(blocker_);
  bridge_ = std::make_shared<Bridge>(this);
  thread_ = std::thread([bridge = bridge_, settings, inputs = std::move(inputs),
                         data_dir = std::move(data_dir), state = &state_] {
    bool stopped = false;
    try {
      stopped = TaggingRun(settings, inputs, data_dir, state, bridge.get()).stopped;
    } catch (const std::exception& failure) {
      // Nothing may escape the thread; the user sees the failure and the window goes on.
      bridge->ErrorReport(failure.what());
    }
    bridge->Ended(stopped);
  });
  return true;
}

void RunController::MessageShown() {
  if (bridge_) bridge_->Answer();
}

void RunController::RequestStop() {
  if (bridge_) bridge_->RequestStop();
}

void RunController::AllowDuringRun(QObject* object) { allowed_.append(object); }

void RunController::OnRunEnded() {
  if (thread_.joinable()) thread_.join();
  bridge_.reset();
  delete blocker_;
  blocker_ = nullptr;
}

}  // namespace quillon
