// The main window's system menu: laid out anew at start-up (Move, Restore, Minimize, a separator,
// Close, with the skin's pictures), kept in step with the window's state, and shown from the window
// icon, which is drawn by the skin rather than by a caption bar.
#pragma once

#include <windows.h>

#include <array>

#include "win/Handle.h"

namespace ui {

class SystemMenu {
 public:
  void Rework(HWND window);
  // Before the default handling of WM_SYSCOMMAND.
  void OnSysCommand(UINT command);
  // WM_ENTERIDLE: Minimize is grey exactly when the window is minimised.
  void OnEnterIdle();
  // WM_CONTEXTMENU at `screen`: the menu opens only for a click on the window icon.
  void OnContextMenu(POINT screen);

 private:
  void Update(bool minimized);

  HWND window_ = nullptr;
  std::array<win::UniqueBitmap, 3> bitmaps_;
};

}  // namespace ui
