// The main window's own controls at fixed places: the close and minimise buttons at the top edge,
// Exit, About, Home, Back and Launch/Install at the bottom, the Help picture button with its label,
// and the "show all features" check box. Home, Back and Launch/Install start hidden.
#pragma once

#include <windows.h>

#include "ui/MenuButton.h"

namespace app {
class SharedGraphics;
}

namespace ui {

struct MainButtons {
  void Create(HWND window, const app::SharedGraphics& graphics);
  [[nodiscard]] bool ShowAllChecked() const noexcept;
  [[nodiscard]] bool DictionaryUpdatesChecked() const noexcept;

  CMenuButton close;
  CMenuButton minimize;
  CMenuButton exit;
  CMenuButton about;
  CMenuButton help;
  CMenuButton home;
  CMenuButton back;
  CMenuButton launchInstall;
  HWND helpLabel = nullptr;  // children of the window, destroyed with it
  HWND showAll = nullptr;
  HWND dictionaryUpdates = nullptr;  // shown on tab 7 when the web service offers dictionary updates
};

}  // namespace ui
