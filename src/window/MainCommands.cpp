#include "window/MainCommands.h"

#include <commctrl.h>

#include "ResourceIds.h"
#include "StringIds.h"
#include "core/KernelConnection.h"
#include "core/LogSink.h"
#include "core/PrivateMessages.h"
#include "core/RegisteredMessages.h"
#include "core/SharedGraphics.h"
#include "core/StartupTrace.h"
#include "suite/DictionaryInstall.h"
#include "window/ContextHelp.h"
#include "window/MainButtons.h"
#include "window/MainViews.h"
#include "window/MainWindowContext.h"
#include "window/WebServiceSession.h"
#include "win/Dialog.h"
#include "win/Scale.h"

namespace ui {

bool MainCommands::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return true;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_CLOSE: OnClose(); return true;
    case app::kWebServiceEndedMessage:
      webService_.OnEnded(wParam, lParam, buttons_.launchInstall);
      result = 0;
      return true;
    default:
      if (message != app::kAllowGoHomeMessage) return false;
      ::SetForegroundWindow(window_.hwnd());
      ::PostMessageW(window_.hwnd(), WM_CLOSE, 0, 0);
      result = 0;
      return true;
  }
}

void MainCommands::OnCommand(int id) {
  HWND window = window_.hwnd();
  Navigator& navigator = *views_.Navigation();
  switch (id) {
    case IDC_MINIMIZE: ::SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case IDC_CLOSE:
    case IDC_EXIT: ::SendMessageW(window, WM_CLOSE, 0, 0); break;
    case IDC_ABOUT: app_.Kernel().ShowAbout(window); break;
    case IDC_HELP_BUTTON: help_.Show(window, navigator.View()); break;
    case IDC_HOME: navigator.GoHome(); break;
    case IDC_BACK: navigator.GoBack(); break;
    case IDC_LAUNCH_INSTALL:
      if (const TabRow* tab = FindTab(navigator.View())) {
        if (tab->button == TabButton::kInstallDictionaries) suite::InstallDictionaries(app_);
        if (tab->button == TabButton::kLaunchWebService) webService_.Launch(buttons_.launchInstall);
      }
      break;
    case IDC_DICTIONARY_UPDATES: webService_.StoreUpdateFlag(); break;
    case IDC_SHOW_ALL_FEATURES:
      app_.SetShowAllFeatures(buttons_.ShowAllChecked());
      views_.RebuildMenus();
      navigator.GoHome();
      break;
    default: views_.OpenTabOf(id); break;
  }
}

bool MainCommands::OnNotify(NMHDR& notification) {
  // The dictionary-updates box's tip names the update the web service installed last.
  if (notification.code == TTN_GETDISPINFOW && tooltips_.hwnd() &&
      notification.hwndFrom == tooltips_.hwnd() &&
      ::GetDlgCtrlID(reinterpret_cast<HWND>(notification.idFrom)) == IDC_DICTIONARY_UPDATES &&
      webService_.SupplyUpdateTip(notification))
    return true;
  return tooltips_.OnNotify(notification);
}

void MainCommands::OnClose() {
  // Quitting while the updater installs could leave the suite half updated: the user decides.
  if (app_.UpdatesInstalling() &&
      app_.ShowMessage(IDS_UPDATES_INSTALLING, {}, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  // The open panel hands over what it shows while the window is whole: once it is being destroyed it
  // is hidden, and the drop-down lists it owns are gone.
  views_.SaveSettings();
  window_.EndModal(IDOK);
}

bool MainCommands::PreTranslate(MSG& message) {
  tooltips_.Relay(message);
  return false;
}

void MainCommands::ApplyScale(const app::SharedGraphics& graphics) {
  buttons_.TakeFonts(graphics);
  buttons_.Place(window_.hwnd(), graphics);
  tooltips_.SetDpi(graphics.Scale().dpi());
}

void MainCommands::AfterFirstPaint() {
  const MainButtons& b = buttons_;
  if (!tooltips_.Create(window_.hwnd(), {b.close.hwnd(), b.minimize.hwnd(), b.exit.hwnd(), b.about.hwnd(),
                                         b.help.hwnd(), b.home.hwnd(), b.back.hwnd(), b.launchInstall.hwnd(),
                                         b.showAll, b.dictionaryUpdates}))
    app::Log().Line(L"Main window: %s could not be created", L"the tooltips");
  if (const int dpi = app_.Graphics().Scale().dpi(); dpi != win::SystemDpi()) tooltips_.SetDpi(dpi);
  app::MarkStartup(L"after the first paint: tooltips");
}

}  // namespace ui
