// A real top-level window for the menu controls, standing in for the main window: it paints the
// main window's skin behind them and notes every command and tab message it is sent. Screen helpers
// read back what was painted.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "core/SharedGraphics.h"
#include "win/Handle.h"
#include "support/ScreenPixels.h"
#include "win/Window.h"

namespace controls {

struct Note {
  UINT message;
  WPARAM wParam;
  LPARAM lParam = 0;  // kept for mouse messages only
  bool operator==(const Note&) const = default;
};

class TestHost : public win::Window {
 public:
  static constexpr int kWidth = 690;
  static constexpr int kHeight = 560;

  bool Create();
  // Lets every message posted so far be handled (clicks are posted input).
  void Settle();
  void Forget() { notes_.clear(); }
  // What the host does on each WM_COMMAND after noting it, as a dialog reacts to its controls.
  void OnCommand(std::function<void(WPARAM)> reaction) { onCommand_ = std::move(reaction); }
  [[nodiscard]] const std::vector<Note>& Notes() const noexcept { return notes_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc) const;

  win::UniqueBitmap background_;
  std::vector<Note> notes_;
  std::function<void(WPARAM)> onCommand_;
  bool settled_ = false;
};

using test::Grab;
using test::Pixels;
// A bitmap of the executable's skin, as pixels.
[[nodiscard]] Pixels SkinPixels(int bitmapId);
// Of the pixels where `face` and `other` differ (magenta and `skip` left out), the share that the
// screen shows as in `face`, with the face's top left at `origin` of `screen`.
[[nodiscard]] double ShareShowing(const Pixels& screen, POINT origin, const Pixels& face, const Pixels& other,
                                  const RECT& skip);
// `child`'s rectangle in the client coordinates of `ancestor`.
[[nodiscard]] RECT RectIn(HWND child, HWND ancestor);

// Shared fonts and a host window for each test.
class ControlsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

  static app::SharedGraphics* graphics_;
  TestHost host_;
};

}  // namespace controls
