// The signal-safe list of temporary files. Tested by temporary_files_test.cc.
#include "core/temporary_files.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstring>

namespace quillon {
namespace {

// A slot is free, being filled or cleared by a thread, or holds a path the handler may use.
enum SlotState : int { kFree = 0, kBusy = 1, kListed = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};

Slot slots[kMaxListedTemporaryFiles];

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void OnSignal(int signal_number) {
  const int saved_errno = errno;
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) == kListed) ::unlink(slot.path);
  }
  // End as the signal would have ended the process, so the parent sees why.
  struct sigaction plain = {};
  plain.sa_handler = SIG_DFL;
  sigemptyset(&plain.sa_mask);
  ::sigaction(signal_number, &plain, nullptr);
  errno = saved_errno;
  ::raise(signal_number);
}

}  // namespace

int ListTemporaryFile(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  for (int i = 0; i < kMaxListedTemporaryFiles; ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kBusy, std::memory_order_acquire)) {
      continue;
    }
    std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
    slots[i].state.store(kListed, std::memory_order_release);
    return i;
  }
  return -1;
}

void UnlistTemporaryFile(int slot) {
  if (slot < 0 || slot >= kMaxListedTemporaryFiles) return;
  slots[slot].state.store(kFree, std::memory_order_release);
}

void RemoveTemporaryFilesOnSignals() {
  for (const int signal_number : kSignals) {
    struct sigaction old = {};
    if (::sigaction(signal_number, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // While one signal cleans up, the others wait: the files are removed once.
    for (const int other : kSignals) sigaddset(&action.sa_mask, other);
    ::sigaction(signal_number, &action, nullptr);
  }
}

int ListedTemporaryFileCount() {
  int count = 0;
  for (const Slot& slot : slots) count += slot.state.load() == kListed;
  return count;
}

}  // namespace quillon
