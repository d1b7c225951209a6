#include "window/WebServiceSession.h"

#include <commctrl.h>

#include "StringIds.h"
#include "controls/MenuButton.h"
#include "core/KernelConnection.h"
#include "core/SettingsStore.h"
#include "core/StartupTrace.h"
#include "updates/ComponentProgram.h"
#include "win/Dialog.h"
#include "window/MainWindowContext.h"

namespace ui {

using Answer = updates::WebServiceExchanges::Answer;

WebServiceSession::WebServiceSession(MainWindowContext& app) : app_(app), exchanges_(app.Service()) {}

WebServiceSession::~WebServiceSession() {
  app_.SetSettingsLoader(nullptr);
}

void WebServiceSession::Start(win::Dialog& window, HWND updatesBox) {
  window_ = &window;
  updatesBox_ = updatesBox;
  // The component takes long to start (a process of its own): it starts now, and the window shows
  // meanwhile. The window has its title by now, which a dialog of the component may look for. The
  // settings are loaded once it has answered; whoever needs them sooner waits.
  exchanges_.StartStartup(window.hwnd(), app_.ClientName(), app_.Kernel());
  if (HANDLE answered = exchanges_.StartupEvent())
    window.WatchHandle(answered, exchanges_.StartupDeadline(), [this](bool signalled) {
      LoadSettings(signalled ? Answer::kCame : Answer::kTimedOut);
    });
  app_.SetSettingsLoader([this] { LoadSettings(Answer::kWaitForIt); });
}

void WebServiceSession::OnFirstPaint() {
  // Nothing to wait for when the exchange could not start.
  if (!exchanges_.StartupEvent()) LoadSettings(Answer::kCame);
}

void WebServiceSession::LoadSettings(Answer answer) {
  if (exchanges_.StartupFinished()) return;
  app_.SetSettingsLoader(nullptr);
  if (window_) window_->StopWatching();
  // The web service names the product key, under which the settings keep the update flag.
  exchanges_.FinishStartup(app_.Settings(), answer);
  app::MarkStartup(L"web service answered, settings loaded");
  if (app_.Settings().UpdateFlag() != 0 && updatesBox_)
    ::SendMessageW(updatesBox_, BM_SETCHECK, BST_CHECKED, 0);
  app_.Kernel().EndStartUp();
}

void WebServiceSession::Launch(CMenuButton& button) {
  // Disabled until the exchange's thread has ended; enabled still when it could not start.
  if (exchanges_.LaunchRunning() || !window_) return;
  if (exchanges_.Launch(window_->hwnd(), app_.ClientName()))
    button.SetState(MenuButtonState::kDisabled, true);
}

void WebServiceSession::OnEnded(WPARAM which, LPARAM end, CMenuButton& button) {
  if (exchanges_.OnEnded(which) != updates::Exchange::kLaunch) return;
  button.SetState(MenuButtonState::kNormal, true);
  // A component that is not installed ends the exchange quietly; one whose program is gone is
  // named, or the button would seem to do nothing at all.
  if (end == static_cast<LPARAM>(updates::ExchangeEnd::kNoComponent))
    if (const std::optional<std::wstring> missing = updates::MissingComponentProgram())
      app_.ShowMessage(IDS_WEB_SERVICE_MISSING, *missing, MB_OK | MB_ICONEXCLAMATION);
}

bool WebServiceSession::SupplyUpdateTip(NMHDR& notification) {
  std::optional<std::wstring> tip = exchanges_.UpdateTip();
  if (!tip) return false;
  updateTip_ = std::move(*tip);
  reinterpret_cast<NMTTDISPINFOW&>(notification).lpszText = updateTip_.data();
  return true;
}

void WebServiceSession::StoreUpdateFlag() {
  if (updatesBox_)
    app_.Settings().SetUpdateFlag(::SendMessageW(updatesBox_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
}

void WebServiceSession::End() {
  // Settings never loaded were never changed either: saving them would overwrite the stored ones
  // with the defaults.
  if (window_) window_->StopWatching();
  app_.SetSettingsLoader(nullptr);
  if (exchanges_.StartupFinished()) {
    StoreUpdateFlag();
    app_.Settings().Save();
  }
  exchanges_.Shutdown();
}

}  // namespace ui
