// The main window's own controls at fixed places: the close and minimise buttons at the top edge,
// Exit, About, Home, Back and Launch/Install at the bottom, the Help picture button with its label,
// and the two check boxes ("show all features", dictionary updates). Home, Back and Launch/Install start
// hidden.
#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "SkinIds.h"
#include "controls/MenuButton.h"
#include "controls/CustomCheckbox.h"
#include "win/Scale.h"

namespace app {
class SharedGraphics;
}

namespace ui {

struct MainButtons {
  // The check boxes' pictures, all decoded by Create: unticked normal, hover and pressed, then ticked.
  static constexpr std::array<int, 6> kCheckBoxPictures = {IDB_CHECK_OFF_NORMAL,  IDB_CHECK_OFF_HOVER,
                                                           IDB_CHECK_OFF_PRESSED, IDB_CHECK_ON_NORMAL,
                                                           IDB_CHECK_ON_HOVER,    IDB_CHECK_ON_PRESSED};
  // The faces the first paint shows: the normal ones of the buttons shown at start.
  [[nodiscard]] static std::vector<int> FirstFaces();

  // Makes the buttons and places them at the graphics' scale.
  void Create(HWND window, const app::SharedGraphics& graphics);
  // The fonts of the graphics' (new) scale; the buttons' own faces and sizes follow the scale
  // message each of them gets.
  void TakeFonts(const app::SharedGraphics& graphics);
  // Places every button and text in `window`'s client area at `scale`, by the buttons' sizes.
  void Place(HWND window, const app::SharedGraphics& graphics) const;
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
