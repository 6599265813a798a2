// Work the window must not wait for (reading a preview, counting a result file) runs on a
// thread of its own; when it is done, its continuation runs on the window's thread. The
// result travels through the job's own storage, handed over under a mutex, and the
// window's thread is only told which job is done, so the hand-over is visible to the
// thread sanitizer and needs no Qt type to cross threads. When the owner goes, the
// continuations of jobs still under way are dropped, and their ends are waited for a
// moment (their owners ask them to stop first); a job stuck in a read that never returns
// keeps its thread until it ends. Tested through main_window_test.cc and
// statistics_page_test.cc.
#ifndef QUILLON_UI_BACKGROUND_WORK_H_
#define QUILLON_UI_BACKGROUND_WORK_H_

#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace quillon {

class BackgroundWork : public QObject {
  Q_OBJECT

 public:
  explicit BackgroundWork(QObject* parent = nullptr);
  // Continuations of jobs still under way are never called; their ends are waited for up
  // to two seconds.
  ~BackgroundWork() override;

  // Runs work on a new thread, then done on this object's thread. What work writes for
  // done (through storage both capture) is complete and visible when done runs.
  void Run(std::function<void()> work, std::function<void()> done);

  // Jobs started and not yet continued.
  int Pending() const { return static_cast<int>(continuations_.size()); }

 signals:
  // Emitted from a job's thread; queued to this object's thread.
  void JobDone(quint64 job);

 private:
  struct Link;

  void Continue(quint64 job);

  std::shared_ptr<Link> link_;
  std::map<quint64, std::function<void()>> continuations_;
  quint64 next_job_ = 0;
};

}  // namespace quillon

#endif  // QUILLON_UI_BACKGROUND_WORK_H_
