// Another holder of the session's switching lock, on a thread of its own (the lock belongs to the
// thread that took it): it takes the lock when made and gives it back, or leaves it abandoned as a
// program that ended while switching would, when ended.
#pragma once

#include <windows.h>

#include <atomic>

#include "switches/SwitchingLock.h"
#include "win/Handle.h"

namespace test {

class SwitchingLockHolder {
 public:
  enum class Ending { kRelease, kAbandon };

  // Waits for the lock up to `wait`; Holding() says whether it got it.
  explicit SwitchingLockHolder(Ending ending = Ending::kRelease, DWORD wait = INFINITE)
      : ending_(ending),
        wait_(wait),
        taken_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        end_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        thread_(::CreateThread(nullptr, 0, &Hold, this, 0, nullptr)) {
    if (thread_) {
      const HANDLE either[] = {taken_.get(), thread_.get()};
      ::WaitForMultipleObjects(2, either, FALSE, INFINITE);
    }
  }
  ~SwitchingLockHolder() { End(); }
  SwitchingLockHolder(const SwitchingLockHolder&) = delete;
  SwitchingLockHolder& operator=(const SwitchingLockHolder&) = delete;

  // True while the thread holds the lock.
  [[nodiscard]] bool Holding() const noexcept { return holding_; }
  // Lets the thread give the lock back (or abandon it) and end; waits for that.
  void End() noexcept {
    if (!thread_) return;
    ::SetEvent(end_.get());
    ::WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
    holding_ = false;
  }

 private:
  static DWORD WINAPI Hold(void* parameter) {
    auto& self = *static_cast<SwitchingLockHolder*>(parameter);
    const switches::SwitchingLock lock(self.wait_);
    win::UniqueHandle again;
    if (lock.Held() && self.ending_ == Ending::kAbandon) {
      // Taken once more than the lock gives back: the thread ends as its owner.
      again.reset(::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, switches::SwitchingLock::Name()));
      if (!again || ::WaitForSingleObject(again.get(), 0) != WAIT_OBJECT_0) return 1;
    }
    self.holding_ = lock.Held();
    ::SetEvent(self.taken_.get());
    ::WaitForSingleObject(self.end_.get(), INFINITE);
    return 0;
  }

  Ending ending_;
  DWORD wait_;
  std::atomic<bool> holding_ = false;
  win::UniqueHandle taken_, end_, thread_;
};

}  // namespace test
