#include "updates/WebServiceExchanges.h"

#include <objbase.h>
#include <wrl/client.h>

#include "StringIds.h"
#include "core/KernelConnection.h"
#include "core/LogSink.h"
#include "core/SettingsStore.h"
#include "win/Resources.h"

namespace updates {
namespace {

using Microsoft::WRL::ComPtr;

// Waits for `event` until `deadline` while sent messages and paints go on being handled: a
// component's dialog may be owned by the window. Input and posted messages stay queued, so that
// nothing the user did runs before the caller has what it waits for. False when the deadline
// passed first.
bool WaitHandlingSentAndPaints(HANDLE event, ULONGLONG deadline) {
  for (;;) {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return false;
    const DWORD wake = ::MsgWaitForMultipleObjects(1, &event, FALSE, static_cast<DWORD>(deadline - now),
                                                   QS_SENDMESSAGE | QS_PAINT);
    if (wake == WAIT_OBJECT_0) return true;
    if (wake != WAIT_OBJECT_0 + 1) return false;
    // Peeking delivers the sent messages; paints are dispatched.
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE))
      ::DispatchMessageW(&message);
  }
}

void WaitAndClose(win::UniqueHandle& thread, std::chrono::milliseconds limit) noexcept {
  if (!thread) return;
  ::WaitForSingleObject(thread.get(), static_cast<DWORD>(limit.count()));
  thread.reset();
}

}  // namespace

WebServiceExchanges::WebServiceExchanges(std::shared_ptr<ServiceInfo> info) noexcept
    : info_(std::move(info)) {}

WebServiceExchanges::~WebServiceExchanges() {
  Shutdown();
}

void WebServiceExchanges::StartStartup(HWND window, const std::wstring& clientName,
                                       const app::KernelConnection& kernel) {
  startupDeadline_ = ::GetTickCount64() + static_cast<ULONGLONG>(kStartupWaitLimit.count());
  startupEvent_.reset(::CreateEventW(nullptr, FALSE, FALSE, L"WebServiceMyVantoEvent"));
  if (!startupEvent_) return;
  // The kernel reaches the thread's apartment only marshalled.
  ComPtr<IStream> marshalled;
  if (IVantoKernel* connection = kernel.Kernel())
    if (FAILED(::CoMarshalInterThreadInterfaceInStream(__uuidof(IVantoKernel), connection, &marshalled)))
      marshalled.Reset();
  startup_ = StartStartupExchange({info_, clientName, window}, marshalled.Get(), startupEvent_.get());
  if (!startup_) startupEvent_.reset();  // nobody will answer
}

void WebServiceExchanges::FinishStartup(app::SettingsStore& settings, Answer answer) {
  if (startupFinished_) return;
  startupFinished_ = true;
  if (startupEvent_) {
    if (answer == Answer::kWaitForIt)
      answer = WaitHandlingSentAndPaints(startupEvent_.get(), startupDeadline_) ? Answer::kCame
                                                                                : Answer::kTimedOut;
    if (answer == Answer::kTimedOut)
      app::Log().Line(L"Web service: no answer within %d s; the window goes on without it",
                      static_cast<int>(kStartupWaitLimit.count() / 1000));
    // A thread that gave no answer in time still sets the event when it does: it stays open until
    // the thread has ended.
    if (!startup_) startupEvent_.reset();
  }
  settings.SetProductKey(info_->Snapshot().productKey);
  settings.Load();
}

bool WebServiceExchanges::Launch(HWND window, const std::wstring& clientName) {
  if (launch_) return false;
  launch_ = StartLaunchExchange({info_, clientName, window});
  return static_cast<bool>(launch_);
}

std::optional<Exchange> WebServiceExchanges::OnEnded(WPARAM which) {
  // The thread posts as its last act: it is ending, if not gone already.
  if (which == static_cast<WPARAM>(Exchange::kStartup) && startup_) {
    WaitAndClose(startup_, kShutdownWaitLimit);
    // The window may not have seen the event yet.
    if (startupFinished_) startupEvent_.reset();
    return Exchange::kStartup;
  }
  if (which == static_cast<WPARAM>(Exchange::kLaunch) && launch_) {
    WaitAndClose(launch_, kShutdownWaitLimit);
    return Exchange::kLaunch;
  }
  return std::nullopt;
}

std::optional<std::wstring> WebServiceExchanges::UpdateTip() const {
  const ServiceValues values = info_->Snapshot();
  if (values.updateNumber.empty()) return std::nullopt;
  return FormatUpdateTip(win::LoadString(IDS_UPDATE_INSTALLED), values.updateNumber, values.updateDate);
}

void WebServiceExchanges::Shutdown() noexcept {
  WaitAndClose(startup_, kShutdownWaitLimit);
  WaitAndClose(launch_, kShutdownWaitLimit);
  startupEvent_.reset();
}

std::wstring FormatUpdateTip(std::wstring text, const std::wstring& number, const std::wstring& date) {
  size_t at = text.find(L"%s");
  if (at == std::wstring::npos) return text;
  text.replace(at, 2, number);
  at = text.find(L"%s", at + number.size());
  if (at != std::wstring::npos) text.replace(at, 2, date);
  return text;
}

}  // namespace updates
