// The main window's part in the exchanges with the suite's web-service component, and the settings
// that wait for it: the start-up exchange starts with the window and the settings are loaded once the
// component has answered (or whoever needs them first waits for it); the Launch button of the
// web-service page starts its own exchange; closing saves the settings and waits for the exchanges.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "updates/WebServiceExchanges.h"

class CMenuButton;
namespace win {
class Dialog;
}

namespace ui {

class MainWindowContext;

class WebServiceSession {
 public:
  explicit WebServiceSession(MainWindowContext& app);
  // The settings' loader goes with the session.
  ~WebServiceSession();
  WebServiceSession(const WebServiceSession&) = delete;
  WebServiceSession& operator=(const WebServiceSession&) = delete;

  // Starts the start-up exchange for `window`, which watches for the answer. `updatesBox`: the
  // dictionary-updates box, ticked by the settings once they are loaded (may be null).
  void Start(win::Dialog& window, HWND updatesBox);
  // After the window's first paint: with no exchange to wait for, the settings are loaded now.
  void OnFirstPaint();
  // The settings, loaded now: waits for the component's answer if it has not come.
  void WaitForSettings() { LoadSettings(updates::WebServiceExchanges::Answer::kWaitForIt); }
  [[nodiscard]] bool OffersDictionaryUpdates() const { return exchanges_.Info().OffersDictionaryUpdates(); }

  // The Launch button: starts the web-service page's exchange; the button stays disabled until it ends.
  void Launch(CMenuButton& button);
  // An exchange's end message (which one, and how it ended).
  void OnEnded(WPARAM which, LPARAM end, CMenuButton& button);
  // The dictionary-updates box's tip: the update the web service installed last. True when given.
  bool SupplyUpdateTip(NMHDR& notification);
  // The dictionary-updates box's state becomes the settings' update flag.
  void StoreUpdateFlag();

  // The window is going: the settings are saved with the box's state (when they were ever loaded)
  // and the exchanges still running are waited for.
  void End();

 private:
  // Once: loads the settings under the product key the component named, and ticks the box by them.
  void LoadSettings(updates::WebServiceExchanges::Answer answer);

  MainWindowContext& app_;
  updates::WebServiceExchanges exchanges_;
  win::Dialog* window_ = nullptr;
  HWND updatesBox_ = nullptr;
  std::wstring updateTip_;  // the tip's answer must outlive the notification
};

}  // namespace ui
