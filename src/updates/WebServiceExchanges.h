// The main window's side of the web-service exchanges: the start-up exchange, whose answer the window
// watches for while it goes on (the component takes long to start), the wait for that answer by
// whoever needs it sooner, the Launch exchange of tab 7, the end message of both, the update text of
// the dictionary-updates box's tip, and the wait for both threads when the window goes.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "updates/ServiceInfo.h"
#include "updates/WebServiceThread.h"
#include "win/Handle.h"

namespace app {
class KernelConnection;
class SettingsStore;
}  // namespace app

namespace updates {

// How long start-up waits for the component before the window goes on without its values: a
// component that hangs in its initialisation must not keep the window from ever appearing.
inline constexpr std::chrono::milliseconds kStartupWaitLimit{10000};
// How long closing waits for an exchange still talking to the component.
inline constexpr std::chrono::milliseconds kShutdownWaitLimit{3000};

class WebServiceExchanges {
 public:
  explicit WebServiceExchanges(std::shared_ptr<ServiceInfo> info) noexcept;
  ~WebServiceExchanges();
  WebServiceExchanges(const WebServiceExchanges&) = delete;
  WebServiceExchanges& operator=(const WebServiceExchanges&) = delete;

  // Starts the start-up exchange: the component starts while the window goes on. The window
  // watches StartupEvent (set once the component's values are read or the exchange gave up) until
  // StartupDeadline, then calls FinishStartup.
  void StartStartup(HWND window, const std::wstring& clientName, const app::KernelConnection& kernel);
  // Null when nothing will answer (the exchange could not start), or once the exchange is over.
  [[nodiscard]] HANDLE StartupEvent() const noexcept { return startupEvent_.get(); }
  [[nodiscard]] ULONGLONG StartupDeadline() const noexcept { return startupDeadline_; }
  // How the window comes to finish the start-up exchange.
  enum class Answer {
    kWaitForIt,  // someone needs the settings now: wait for the event (up to the deadline)
    kCame,       // the window saw the event set
    kTimedOut,   // the deadline passed first
  };
  // Once only: waits for the answer if asked to (handling sent messages and paints only, so that
  // nothing the user does runs meanwhile), then loads the settings under the product key the
  // component named.
  void FinishStartup(app::SettingsStore& settings, Answer answer);
  [[nodiscard]] bool StartupFinished() const noexcept { return startupFinished_; }

  // Tab 7's Launch: false when the thread cannot be started.
  bool Launch(HWND window, const std::wstring& clientName);
  [[nodiscard]] bool LaunchRunning() const noexcept { return static_cast<bool>(launch_); }
  // The end message: closes the ended thread's handle; returns which exchange ended.
  std::optional<Exchange> OnEnded(WPARAM which);
  // The text of the dictionary-updates box's tip when an update was reported.
  [[nodiscard]] std::optional<std::wstring> UpdateTip() const;
  // Waits (within the limit) for the threads still running.
  void Shutdown() noexcept;

  [[nodiscard]] const ServiceInfo& Info() const noexcept { return *info_; }

 private:
  std::shared_ptr<ServiceInfo> info_;
  win::UniqueHandle startupEvent_;  // set by the start-up exchange once the values are read
  bool startupFinished_ = false;
  ULONGLONG startupDeadline_ = 0;  // when the window stops waiting for the answer
  win::UniqueHandle startup_;
  win::UniqueHandle launch_;
};

// "Update №%s from %s has been installed." with the number and the date in place of the two %s.
[[nodiscard]] std::wstring FormatUpdateTip(std::wstring text, const std::wstring& number,
                                           const std::wstring& date);

}  // namespace updates
