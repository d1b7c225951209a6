// Where the main window's parts sit: one table of design places (at 96 DPI) that the parts are
// made at and laid out at again whenever the window's scale changes, and the scale changes
// themselves (a move to a monitor of another DPI, or a window opened on one).
#pragma once

#include <windows.h>

#include <optional>
#include <span>

#include "core/SharedGraphics.h"
#include "window/WindowPart.h"
#include "win/Scale.h"

namespace ui {

class MainWindowContext;
class WindowSkin;
struct MainButtons;

// What the layout table places.
enum class Placed { kRibbon, kStartPage, kPanels, kCaption, kWelcome };

// The top-left corner of `what` at `scale`.
[[nodiscard]] POINT PlaceOf(Placed what, win::Scale scale) noexcept;

class MainLayout : public WindowPart {
 public:
  // `chain` is the window's parts in the order they lay themselves out, this one among them.
  MainLayout(MainWindowContext& app, const WindowSkin& skin, const MainButtons& buttons,
             std::span<WindowPart* const> chain) noexcept
      : app_(app), skin_(skin), buttons_(buttons), chain_(chain) {}

  // The window's texts at their places in their fonts.
  void Create(HWND window);
  // Opened on a monitor of another DPI than the graphics were made for: laid out again at its own.
  void FollowMonitor();

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void ApplyScale(const app::SharedGraphics& graphics) override;

 private:
  // Lays the whole window out at `scale`, with the shared graphics switched to it, and puts it at
  // `topLeft` (centred on its monitor when there is none). At the scale it has, it only moves.
  void ChangeScale(win::Scale scale, std::optional<POINT> topLeft);
  void PlaceTexts(const app::SharedGraphics& graphics) const;

  MainWindowContext& app_;
  const WindowSkin& skin_;
  const MainButtons& buttons_;
  std::span<WindowPart* const> chain_;
  HWND window_ = nullptr;
  win::Scale scale_;  // what the window is laid out at
};

}  // namespace ui
