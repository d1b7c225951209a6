// The main window's system menu: laid out anew at start-up (Move, Restore, Minimize, a separator,
// Close, with the skin's pictures), kept in step with the window's state, and shown from the window
// icon, which is drawn by the skin rather than by a caption bar.
#pragma once

#include <windows.h>

#include <array>

#include "win/Handle.h"
#include "win/Scale.h"
#include "window/WindowPart.h"

namespace app {
class SharedGraphics;
}

namespace ui {

class SystemMenu : public WindowPart {
 public:
  // The menu of `window`, laid out anew once the window has been painted (nobody opens it sooner:
  // input comes after). The graphics outlive the window.
  void Create(HWND window, const app::SharedGraphics& graphics) noexcept;
  // WM_SYSCOMMAND (before its default handling), WM_ENTERIDLE and WM_CONTEXTMENU.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  // The items' pictures and the icon area at the graphics' (new) scale.
  void ApplyScale(const app::SharedGraphics& graphics) override;
  void AfterFirstPaint() override;

 private:
  void Rework();
  void Rescale();
  void OnSysCommand(UINT command);
  // WM_ENTERIDLE: Minimize is grey exactly when the window is minimised.
  void OnEnterIdle();
  // WM_CONTEXTMENU at `screen`: the menu opens only for a click on the window icon.
  void OnContextMenu(POINT screen);

  void Update(bool minimized);

  HWND window_ = nullptr;
  const app::SharedGraphics* graphics_ = nullptr;
  bool reworked_ = false;
  win::Scale scale_;
  std::array<win::UniqueBitmap, 3> bitmaps_;  // the pictures the shared graphics do not hold
};

}  // namespace ui
