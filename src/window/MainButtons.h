// The main window's own controls at fixed places: the close and minimise buttons at the top edge,
// Exit, About, Home, Back and Launch/Install at the bottom, the Help picture button with its label,
// and the two check boxes ("show all features", dictionary updates). Home, Back and Launch/Install start
// hidden.
#pragma once

#include <windows.h>

#include "controls/MenuButton.h"
#include "controls/CustomCheckbox.h"

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
  ui::skin::CCustomCheckbox showAllBox;
  ui::skin::CCustomCheckbox dictionaryUpdatesBox;  // shown on tab 7 when the web service offers updates
  HWND helpLabel = nullptr;                        // a child of the window, destroyed with it
  // The check boxes' windows; null when one could not be made.
  HWND showAll = nullptr;
  HWND dictionaryUpdates = nullptr;
};

}  // namespace ui
