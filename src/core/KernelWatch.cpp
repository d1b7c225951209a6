#include "core/KernelWatch.h"

#include <utility>

#include "StringIds.h"
#include "core/CaughtFailure.h"
#include "core/LogSink.h"
#include "win/MessageBox.h"
#include "win/Resources.h"

namespace app {

namespace {

// The watch whose calls are under way: the exception filter has no other way to find it.
std::atomic<KernelWatch*> g_watching{nullptr};

}  // namespace

void ShowKernelNotStarted(const std::wstring& caption) noexcept {
  try {
    win::ShowMessageBox(nullptr, win::LoadString(IDS_KERNEL_START_FAILED), caption, MB_OK | MB_ICONSTOP);
  } catch (...) {
    app::LogCaughtException(L"KernelWatch", __LINE__, L"Showing the kernel-not-started message");
  }
}

KernelWatch::KernelWatch(std::wstring caption, DWORD limitMs)
    : caption_(std::move(caption)),
      limitMs_(limitMs),
      finished_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      faulted_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (!finished_ || !faulted_) return;  // unwatched, as start-up always was
  thread_.reset(::CreateThread(nullptr, 0, &Watch, this, 0, nullptr));
  if (!thread_) return;
  g_watching = this;
  previousFilter_ = ::SetUnhandledExceptionFilter(&OnUnhandledException);
}

KernelWatch::~KernelWatch() {
  Finish();
}

void KernelWatch::Finish() noexcept {
  if (!thread_) return;  // unwatched, or finished already
  int watching = kWatching;
  if (!state_.compare_exchange_strong(watching, kFinished) && watching != kFinished) {
    // Too late: the watch is telling the user and ends the process.
    for (;;) ::Sleep(INFINITE);
  }
  ::SetUnhandledExceptionFilter(previousFilter_);
  g_watching = nullptr;
  ::SetEvent(finished_.get());
  ::WaitForSingleObject(thread_.get(), INFINITE);
  thread_.reset();
}

DWORD WINAPI KernelWatch::Watch(void* self) noexcept {
  return RunThreadBody(L"KernelWatch", __LINE__, L"The kernel connection's watch", [self]() -> DWORD {
    auto& watch = *static_cast<KernelWatch*>(self);
    const HANDLE events[] = {watch.finished_.get(), watch.faulted_.get()};
    const DWORD woken = ::WaitForMultipleObjects(2, events, FALSE, watch.limitMs_);
    if (woken == WAIT_TIMEOUT) {
      int watching = kWatching;
      if (!watch.state_.compare_exchange_strong(watching, kTimedOut) && watching == kFinished) return 0;
    } else if (woken != WAIT_OBJECT_0 + 1) {
      return 0;  // finished (or no waiting possible: unwatched, as start-up always was)
    }
    watch.GiveUp();
  });
}

LONG WINAPI KernelWatch::OnUnhandledException(EXCEPTION_POINTERS* exception) noexcept {
  KernelWatch* watch = g_watching;
  if (watch) {
    int watching = kWatching;
    if (watch->state_.compare_exchange_strong(watching, kFaulted)) {
      watch->exceptionCode_ =
          exception && exception->ExceptionRecord ? exception->ExceptionRecord->ExceptionCode : 0;
      ::SetEvent(watch->faulted_.get());
      // The watch's thread tells the user and ends the process; this one, whose stack the fault
      // left as it was, runs nothing more.
      for (;;) ::Sleep(INFINITE);
    }
    if (watching != kFinished) {
      for (;;) ::Sleep(INFINITE);  // the watch has given up already
    }
    if (watch->previousFilter_) return watch->previousFilter_(exception);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

void KernelWatch::GiveUp() noexcept {
  const DWORD code = exceptionCode_;
  if (state_ == kFaulted) {
    Log().Line(
        L"The translation kernel raised exception 0x%08lX while start-up connected to it; Startdeck ends.",
        code);
  } else {
    Log().Line(
        L"The translation kernel did not answer within %lu ms while start-up connected to it; Startdeck "
        L"ends.",
        limitMs_);
  }
  ShowKernelNotStarted(caption_);
  // The thread in the kernel may hold any lock of the process: nothing of it may run again, not
  // even the libraries' shutdown.
  ::TerminateProcess(::GetCurrentProcess(), state_ == kFaulted ? code : static_cast<UINT>(ERROR_TIMEOUT));
  for (;;) ::Sleep(INFINITE);
}

}  // namespace app
