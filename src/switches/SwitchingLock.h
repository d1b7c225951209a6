// One add-in switch at a time in the whole session: the start centre, the plug-ins manager (also
// when started with administrator rights) and any second copy of either take this lock around
// applying states, so two programs never rewrite one host's files or keys at the same time.
#pragma once

#include <windows.h>

#include "win/Handle.h"

namespace switches {

class SwitchingLock {
 public:
  // How long a second program waits for the first one's switching. The slowest apply of every
  // record at once (the Office editions through the template installer, several OpenOffice.org
  // profiles) takes a few seconds; 15 s covers that with room on a loaded machine, and is still a
  // pause after which a person is told why nothing happened rather than left with a dead window.
  static constexpr DWORD kWaitMilliseconds = 15000;

  // Waits up to `waitMilliseconds` without dispatching messages: nothing may re-enter the
  // switches meanwhile. A lock left by a program that ended while holding it counts as taken.
  explicit SwitchingLock(DWORD waitMilliseconds = kWaitMilliseconds) noexcept;
  ~SwitchingLock();
  SwitchingLock(const SwitchingLock&) = delete;
  SwitchingLock& operator=(const SwitchingLock&) = delete;

  // True when this object holds the lock; false when another program kept it for the whole wait
  // (or the lock could not be made at all).
  [[nodiscard]] bool Held() const noexcept { return held_; }
  // True when the lock came from a program that ended without releasing it: what it was switching
  // may be half done.
  [[nodiscard]] bool Abandoned() const noexcept { return abandoned_; }

  // The lock's name in the session's namespace.
  static const wchar_t* Name() noexcept;

 private:
  win::UniqueHandle mutex_;
  bool held_ = false;
  bool abandoned_ = false;
};

// Tells the person that another program is switching add-ins: the switches' caption, owned by
// `owner`.
void ShowSwitchingBusy(HWND owner) noexcept;

}  // namespace switches
