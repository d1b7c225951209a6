// What the main window's own buttons and boxes command (minimise, close, Exit, About, Help, Home,
// Back, Launch/Install, "show all features", dictionary updates, and the start page's buttons),
// their tips, and closing the window, which asks first while the suite's updater installs.
#pragma once

#include <windows.h>

#include "window/Tooltips.h"
#include "window/WindowPart.h"

namespace win {
class Dialog;
}

namespace ui {

class ContextHelp;
class MainViews;
class MainWindowContext;
class WebServiceSession;
struct MainButtons;

class MainCommands : public WindowPart {
 public:
  MainCommands(MainWindowContext& app, win::Dialog& window, MainButtons& buttons, MainViews& views,
               WebServiceSession& webService, ContextHelp& help) noexcept
      : app_(app), window_(window), buttons_(buttons), views_(views), webService_(webService), help_(help) {}

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool PreTranslate(MSG& message) override;
  void ApplyScale(const app::SharedGraphics& graphics) override;
  // The tips show on hovering, which comes after this.
  void AfterFirstPaint() override;

 private:
  void OnCommand(int id);
  bool OnNotify(NMHDR& notification);
  void OnClose();

  MainWindowContext& app_;
  win::Dialog& window_;
  MainButtons& buttons_;
  MainViews& views_;
  WebServiceSession& webService_;
  ContextHelp& help_;
  Tooltips tooltips_;
};

}  // namespace ui
