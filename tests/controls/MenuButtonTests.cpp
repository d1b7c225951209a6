// One menu button in a real window: the click rules of the plain styles and the caption layout,
// read from what the host was sent and from the screen.
#include <gtest/gtest.h>

#include "ControlsHost.h"
#include "SkinIds.h"
#include "support/Driver.h"
#include "ui/MenuButton.h"
#include "ui/Paint.h"

namespace controls {
namespace {

using namespace std::chrono_literals;

constexpr POINT kAt{100, 200};
constexpr int kId = 4321;

class MenuButtonTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    const int ids[3] = {IDB_TAB_LAUNCH_NORMAL, IDB_TAB_LAUNCH_HOVER, IDB_TAB_LAUNCH_PRESSED};
    for (size_t i = 0; i < 3; ++i)
      faces_[i].reset(ui::LoadSkinBitmap(ids[i]));
  }

  bool Create(MenuButtonStyle style) {
    const auto face = [&](size_t i) { return static_cast<HBITMAP>(faces_[i].get()); };
    return button_.Create(kAt.x, kAt.y, face(0), face(1), face(2), style, 0, 0, host_.hwnd(), kId);
  }

  void Post(UINT message, POINT at) {
    ::PostMessageW(button_.hwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(at.x, at.y));
  }

  std::array<win::UniqueGdiObject, 3> faces_;
  CMenuButton button_;
};

TEST_F(MenuButtonTest, AMenuButtonCommandsOnPressAPushButtonOnRelease) {
  ASSERT_TRUE(Create(MenuButtonStyle::kCard));
  Post(WM_LBUTTONDOWN, {5, 5});
  host_.Settle();
  EXPECT_EQ(host_.Notes(), (std::vector<Note>{{WM_COMMAND, kId}}));
  host_.Forget();
  Post(WM_LBUTTONUP, {5, 5});
  host_.Settle();
  EXPECT_TRUE(host_.Notes().empty());
  ::DestroyWindow(button_.hwnd());

  ASSERT_TRUE(Create(MenuButtonStyle::kPush));
  host_.Forget();
  Post(WM_LBUTTONDOWN, {5, 5});
  host_.Settle();
  EXPECT_TRUE(host_.Notes().empty());
  EXPECT_EQ(button_.State(), MenuButtonState::kHover);
  Post(WM_LBUTTONUP, {5, 5});
  host_.Settle();
  EXPECT_EQ(host_.Notes(), (std::vector<Note>{{WM_COMMAND, kId}}));
}

TEST_F(MenuButtonTest, PassingStylesHandTheMouseToTheParentInItsCoordinates) {
  ASSERT_TRUE(Create(MenuButtonStyle::kPassMouse));
  Post(WM_LBUTTONDOWN, {7, 9});
  Post(WM_LBUTTONUP, {7, 9});
  host_.Settle();
  const LPARAM there = MAKELPARAM(kAt.x + 7, kAt.y + 9);
  EXPECT_EQ(host_.Notes(), (std::vector<Note>{{WM_LBUTTONDOWN, MK_LBUTTON, there}, {WM_LBUTTONUP, 0, there}}));
  ::DestroyWindow(button_.hwnd());

  // Style 4 hands on the press only, and sends no command.
  ASSERT_TRUE(Create(MenuButtonStyle::kPassClick));
  host_.Forget();
  Post(WM_LBUTTONDOWN, {7, 9});
  Post(WM_LBUTTONUP, {7, 9});
  host_.Settle();
  EXPECT_EQ(host_.Notes(), (std::vector<Note>{{WM_LBUTTONDOWN, MK_LBUTTON, there}}));
}

TEST_F(MenuButtonTest, ADisabledButtonOfAnyStyleIgnoresTheMouse) {
  for (MenuButtonStyle style : {MenuButtonStyle::kLarge, MenuButtonStyle::kTab, MenuButtonStyle::kPush,
                                MenuButtonStyle::kPassClick, MenuButtonStyle::kPassMouse}) {
    SCOPED_TRACE(static_cast<int>(style));
    ASSERT_TRUE(Create(style));
    button_.SetState(MenuButtonState::kDisabled, false);
    host_.Forget();
    Post(WM_MOUSEMOVE, {5, 5});
    Post(WM_LBUTTONDOWN, {5, 5});
    Post(WM_LBUTTONUP, {5, 5});
    host_.Settle();
    EXPECT_TRUE(host_.Notes().empty());
    EXPECT_EQ(button_.State(), MenuButtonState::kDisabled);
    ::DestroyWindow(button_.hwnd());
  }
}

// The rows of `rc` (button coordinates) that show white text, as runs of adjacent rows.
int TextLines(const Pixels& screen, const RECT& rc) {
  int lines = 0;
  bool inLine = false;
  for (int y = rc.top; y < rc.bottom; ++y) {
    bool white = false;
    for (int x = rc.left; x < rc.right && !white; ++x) white = screen.At(kAt.x + x, kAt.y + y) == RGB(255, 255, 255);
    if (white && !inLine) ++lines;
    inLine = white;
  }
  return lines;
}

TEST_F(MenuButtonTest, ACaptionWiderThanItsPlaceWrapsInsteadOfBeingCut) {
  ASSERT_TRUE(Create(MenuButtonStyle::kTab));
  button_.SetCaptionFont(graphics_->Font(app::SharedFont::kTahoma12Bold), RGB(255, 255, 255));
  const RECT caption = button_.CaptionRect();
  ASSERT_LT(caption.right - caption.left, 100);

  button_.SetCaption(L"Guide");
  int lines = 0;
  EXPECT_TRUE(test::WaitUntil([&] { return (lines = TextLines(Grab(host_.hwnd()), caption)) == 1; }, 5s))
      << lines << " lines";
  button_.SetCaption(L"Launching Applications");
  EXPECT_TRUE(test::WaitUntil([&] { return (lines = TextLines(Grab(host_.hwnd()), caption)) == 2; }, 5s))
      << lines << " lines";
}

}  // namespace
}  // namespace controls
