// The main window's chrome: its skin painted as the whole surface, its static texts drawn on it (or
// in the system's colours under high contrast), the system's look changes passed to every control,
// the surface dragged as a title bar, and the popups of its children moved along with it.
#pragma once

#include <windows.h>

#include "window/WindowPart.h"
#include "window/WindowSkin.h"

namespace ui {

class WindowChrome : public WindowPart {
 public:
  // Gives `window` its icons and its size at the graphics' scale; the graphics outlive it.
  void Create(HWND window, const app::SharedGraphics& graphics);
  [[nodiscard]] const WindowSkin& Skin() const noexcept { return skin_; }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void ApplyScale(const app::SharedGraphics& graphics) override;

 private:
  // Sends `message` to every child and grandchild of the window.
  void TellChildren(UINT message, WPARAM wParam, LPARAM lParam) const;

  HWND window_ = nullptr;
  WindowSkin skin_;
};

}  // namespace ui
