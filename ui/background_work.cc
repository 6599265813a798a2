// Threads for work the window does not wait for. Tested through main_window_test.cc and
// statistics_page_test.cc.
#include "ui/background_work.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace quillon {

// What a job's thread shares with the owner: the owner while it lives. A job announces
// its end while holding the mutex, so the owner cannot go away in the middle, and the
// owner's thread takes the same mutex before it runs the continuation.
struct BackgroundWork::Link {
  std::mutex mutex;
  std::condition_variable ended;
  BackgroundWork* owner = nullptr;
  int running = 0;  // jobs whose thread has not ended
};

namespace {

// How long the owner's end waits for its jobs, which it has asked to stop where they can.
// A job stuck in a read that never returns is left to end on its own.
constexpr auto kEndWait = std::chrono::seconds(2);

}  // namespace

BackgroundWork::BackgroundWork(QObject* parent) : QObject(parent), link_(std::make_shared<Link>()) {
  link_->owner = this;
  connect(this, &BackgroundWork::JobDone, this, &BackgroundWork::Continue, Qt::QueuedConnection);
}

BackgroundWork::~BackgroundWork() {
  std::unique_lock lock(link_->mutex);
  link_->owner = nullptr;
  link_->ended.wait_for(lock, kEndWait, [this] { return link_->running == 0; });
}

void BackgroundWork::Run(std::function<void()> work, std::function<void()> done) {
  const quint64 job = next_job_++;
  continuations_[job] = std::move(done);
  {
    std::lock_guard lock(link_->mutex);
    ++link_->running;
  }
  std::thread([link = link_, work = std::move(work), job] {
    try {
      work();
    } catch (const std::exception&) {
      // A job reports its own failures in its storage; nothing may escape the thread.
    }
    std::lock_guard lock(link->mutex);
    if (link->owner != nullptr) emit link->owner->JobDone(job);
    --link->running;
    link->ended.notify_all();
  }).detach();
}

void BackgroundWork::Continue(quint64 job) {
  const auto found = continuations_.find(job);
  if (found == continuations_.end()) return;
  std::function<void()> done = std::move(found->second);
  continuations_.erase(found);
  {
    // Pairs with the job's lock: everything the job wrote happened before this.
    std::lock_guard lock(link_->mutex);
  }
  done();
}

}  // namespace quillon
