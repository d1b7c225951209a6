// A real top-level window standing in for the main window: it holds the list (or the list panel),
// notes every click and hover message it is sent, and reads back what the screen shows. The skin
// comes from Startdeck.exe's own resources, as the program ships it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/ScreenPixels.h"
#include "core/SharedGraphics.h"
#include "controls/CustomList.h"
#include "controls/CustomListDialog.h"
#include "win/Handle.h"
#include "win/Window.h"

namespace lists {

struct Note {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Note&) const = default;
};

class ListHost : public win::Window {
 public:
  static constexpr int kWidth = 700;
  static constexpr int kHeight = 400;
  static constexpr COLORREF kBackground = RGB(16, 40, 80);

  bool Create();
  // Lets every message posted so far be handled, then paints what is pending.
  void Settle();
  void Forget() { notes_.clear(); }
  // The notes of one message only.
  [[nodiscard]] std::vector<Note> NotesOf(UINT message) const;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::vector<Note> notes_;
  bool settled_ = false;
};

using test::BitmapPixels;
using test::Grab;
using test::Pixels;
// Of the pixels of `rect` (in `bitmap` coordinates) where `bitmap` and `other` differ, the share
// that `screen` shows as in `bitmap`, with the bitmap's top left at `origin` of the screen.
[[nodiscard]] double ShareShowing(const Pixels& screen, POINT origin, const Pixels& bitmap,
                                  const Pixels& other, const RECT& rect);
// The darkest channel value among the pixels of `rect`, and how many pixels are near white.
[[nodiscard]] int DarkestChannel(const Pixels& screen, const RECT& rect);
[[nodiscard]] int CountNearWhite(const Pixels& screen, const RECT& rect);

// The skin from Startdeck.exe, the shared fonts, and a host window for each test.
class ListTest : public ::testing::Test {
 protected:
  static constexpr int kListId = 4711;
  static constexpr POINT kListAt{20, 20};

  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;

  [[nodiscard]] static HBITMAP Skin(int id);
  [[nodiscard]] static ui::skin::ListSkin MakeListSkin();

  // A list of `rows` rows titled "Row <n>" with data 100 + n, every row's icon borrowed.
  void MakeList(int rows);
  // Posts a click at the centre of visible row `row` and lets it be handled.
  void ClickRow(int row);
  // Moves the pointer (for real and as posted input) onto visible row `row`.
  void HoverRow(int row);
  void Wheel(int delta);
  // Where visible row `row` sits on the host.
  [[nodiscard]] RECT RowOnHost(int row) const;

  static app::SharedGraphics* graphics_;
  ListHost host_;
  std::unique_ptr<ui::skin::CCustomList> list_;
};

}  // namespace lists
