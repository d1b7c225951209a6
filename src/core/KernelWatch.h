// The translation kernel runs inside this process, and start-up waits for it to connect before the
// main window can exist. A kernel that never returns, or that crashes, must still leave the user
// with something on screen: while start-up is in the kernel's calls this watch runs beside it, and
// when the calls have not returned within the limit, or an exception that nothing handles is raised
// meanwhile, it tells the user in a message box and ends the process.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "win/Handle.h"

namespace app {

// The message that start-up ends with when the kernel did not start: it hung, crashed, or could not
// be loaded at all. Shown without an owner under `caption`, the product's name.
void ShowKernelNotStarted(const std::wstring& caption) noexcept;

class KernelWatch {
 public:
  // How long start-up waits for the kernel. A kernel on this machine connects in well under a
  // second even on a loaded machine; the rest is for a network kernel whose server answers slowly.
  static constexpr DWORD kLimitMs = 15000;

  // Starts watching; the message box goes under `caption`, the product's name.
  explicit KernelWatch(std::wstring caption, DWORD limitMs = kLimitMs);
  // Finishes when Finish was not called.
  ~KernelWatch();
  KernelWatch(const KernelWatch&) = delete;
  KernelWatch& operator=(const KernelWatch&) = delete;

  // The watched calls have returned. When the watch has already given up this never returns: the
  // process is ending, and nothing more of start-up may run.
  void Finish() noexcept;

 private:
  enum State : int { kWatching, kFinished, kTimedOut, kFaulted };

  static DWORD WINAPI Watch(void* self) noexcept;
  static LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) noexcept;
  [[noreturn]] void GiveUp() noexcept;

  std::wstring caption_;
  DWORD limitMs_;
  std::atomic<int> state_{kWatching};
  std::atomic<DWORD> exceptionCode_{0};
  win::UniqueHandle finished_;  // set by Finish
  win::UniqueHandle faulted_;   // set by the exception filter
  LPTOP_LEVEL_EXCEPTION_FILTER previousFilter_ = nullptr;
  win::UniqueHandle thread_;
};

}  // namespace app
