// One menu button in a real window: the click rules of the plain styles and the caption layout,
// read from what the host was sent and from the screen.
#include <gtest/gtest.h>

#include "ControlsHost.h"
#include "SkinIds.h"
#include "support/Driver.h"
#include "controls/MenuButton.h"
#include "controls/Paint.h"

namespace controls {
namespace {

using namespace std::chrono_literals;

constexpr POINT kButtonAt{100, 200};
constexpr int kButtonId = 4321;

class MenuButtonTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    const int ids[3] = {IDB_TAB_LAUNCH_NORMAL, IDB_TAB_LAUNCH_HOVER, IDB_TAB_LAUNCH_PRESSED};
    for (size_t i = 0; i < 3; ++i) faces_[i].reset(ui::LoadSkinBitmap(ids[i]));
  }

  bool Create(MenuButtonStyle style) {
    const auto face = [&](size_t i) { return faces_[i].get(); };
    return button_.Create(kButtonAt.x, kButtonAt.y, face(0), face(1), face(2), style, 0, 0, host_.hwnd(),
                          kButtonId);
  }

  void Post(UINT message, POINT at) {
    ::PostMessageW(button_.hwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(at.x, at.y));
  }

  std::array<win::UniqueBitmap, 3> faces_;
  CMenuButton button_;
};

// Every style that clicks fires once, on the release that follows its own press: a press began
// elsewhere, a release off the button and a press given up (a box or Escape took over) fire nothing.
// (Until the press and the release were both asked for, the start page's buttons and the tabs fired
// on the press, and a push button on any release, even one whose press was on another window.)
TEST_F(MenuButtonTest, EveryClickingStyleFiresOnlyOnAReleaseAfterItsOwnPress) {
  const Note command{WM_COMMAND, kButtonId};
  for (MenuButtonStyle style : {MenuButtonStyle::kLarge, MenuButtonStyle::kCard, MenuButtonStyle::kTab,
                                MenuButtonStyle::kPush, MenuButtonStyle::kGlyph}) {
    SCOPED_TRACE(static_cast<int>(style));
    ASSERT_TRUE(Create(style));
    const struct {
      const char* what;
      std::vector<UINT> messages;  // posted in turn, at (5, 5) unless it is the release off the button
      bool off;                    // the release is outside the button
      bool fires;
    } cases[] = {
        {"press and release", {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}, false, true},
        {"release only", {WM_MOUSEMOVE, WM_LBUTTONUP}, false, false},
        {"release off the button", {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}, true, false},
        {"press given up", {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_CANCELMODE, WM_LBUTTONUP}, false, false},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.what);
      button_.SetState(MenuButtonState::kNormal, false);
      host_.Forget();
      for (UINT message : c.messages) {
        if (message == WM_LBUTTONDOWN) {
          Post(message, {5, 5});
          host_.Settle();
          EXPECT_TRUE(host_.Notes().empty()) << "fired on the press";
          EXPECT_EQ(::GetCapture(), button_.hwnd()) << "the mouse is held until the release";
        } else if (message == WM_CANCELMODE) {
          ::SendMessageW(button_.hwnd(), WM_CANCELMODE, 0, 0);
        } else {
          Post(message, message == WM_LBUTTONUP && c.off ? POINT{-20, 300} : POINT{5, 5});
        }
      }
      host_.Settle();
      EXPECT_EQ(host_.Notes(), c.fires ? std::vector<Note>{command} : std::vector<Note>{});
      EXPECT_NE(::GetCapture(), button_.hwnd()) << "the mouse is let go";
    }
    ::DestroyWindow(button_.hwnd());
  }
}

TEST_F(MenuButtonTest, APushButtonTellsOnlyItsParentAndCountsADoubleClickAsTwo) {
  ASSERT_TRUE(Create(MenuButtonStyle::kPush));
  Post(WM_LBUTTONDOWN, {5, 5});
  host_.Settle();
  EXPECT_TRUE(host_.Notes().empty());
  EXPECT_EQ(::GetCapture(), button_.hwnd());
  Post(WM_LBUTTONUP, {5, 5});
  host_.Settle();
  EXPECT_EQ(host_.Notes(), (std::vector<Note>{{WM_COMMAND, kButtonId}}));
  // A double click is two clicks, as on a system button.
  host_.Forget();
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Post(message, {5, 5});
  host_.Settle();
  const LPARAM there = MAKELPARAM(kButtonAt.x + 5, kButtonAt.y + 5);
  EXPECT_EQ(host_.Notes(),
            (std::vector<Note>{
                {WM_COMMAND, kButtonId}, {WM_LBUTTONDBLCLK, MK_LBUTTON, there}, {WM_COMMAND, kButtonId}}));
}

TEST_F(MenuButtonTest, TheHoverLookEndsWhenABoxTakesOver) {
  ASSERT_TRUE(Create(MenuButtonStyle::kPush));
  CMenuButton other;
  ASSERT_TRUE(other.Create(kButtonAt.x, kButtonAt.y + 100, faces_[0].get(), faces_[1].get(), faces_[2].get(),
                           MenuButtonStyle::kCard, 0, 0, host_.hwnd(), kButtonId + 1));
  for (CMenuButton* button : {&button_, &other})
    ::PostMessageW(button->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  host_.Settle();
  // The pointer's own leave may never come (the box covers the button, the pointer does not move).
  button_.SetState(MenuButtonState::kHover, false);
  other.SetState(MenuButtonState::kHover, false);
  CMenuButton::EndHoverIn(host_.hwnd());
  EXPECT_EQ(button_.State(), MenuButtonState::kNormal);
  EXPECT_EQ(other.State(), MenuButtonState::kNormal);
  // A disabled button stays disabled.
  other.SetState(MenuButtonState::kDisabled, false);
  CMenuButton::EndHoverIn(host_.hwnd());
  EXPECT_EQ(other.State(), MenuButtonState::kDisabled);
}

TEST_F(MenuButtonTest, PassingStylesHandTheMouseToTheParentInItsCoordinates) {
  ASSERT_TRUE(Create(MenuButtonStyle::kPassMouse));
  Post(WM_LBUTTONDOWN, {7, 9});
  Post(WM_LBUTTONUP, {7, 9});
  host_.Settle();
  const LPARAM there = MAKELPARAM(kButtonAt.x + 7, kButtonAt.y + 9);
  EXPECT_EQ(host_.Notes(),
            (std::vector<Note>{{WM_LBUTTONDOWN, MK_LBUTTON, there}, {WM_LBUTTONUP, 0, there}}));
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
    for (int x = rc.left; x < rc.right && !white; ++x)
      white = screen.At(kButtonAt.x + x, kButtonAt.y + y) == RGB(255, 255, 255);
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

TEST_F(MenuButtonTest, TheGlyphStyleKeepsItsCaptionRightOfTheGlyph) {
  // Home's face has its house left of x = 19; a long (translated) caption must not run into it.
  const int ids[3] = {IDB_HOME_NORMAL, IDB_HOME_HOVER, IDB_HOME_PRESSED};
  for (size_t i = 0; i < 3; ++i) faces_[i].reset(ui::LoadSkinBitmap(ids[i]));
  ASSERT_TRUE(Create(MenuButtonStyle::kGlyph));
  EXPECT_EQ(button_.CaptionRect().left, 19);
  button_.SetCaptionFont(graphics_->Font(app::SharedFont::kTahoma12Bold), RGB(255, 255, 255));
  host_.Settle();
  const Pixels bare = Grab(host_.hwnd());
  button_.SetCaption(L"Startseite Startseite");
  host_.Settle();
  const Pixels captioned = Grab(host_.hwnd());
  const SIZE size = button_.Size();
  int changed = 0, leftOfGlyphEdge = 0;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x)
      if (bare.At(kButtonAt.x + x, kButtonAt.y + y) != captioned.At(kButtonAt.x + x, kButtonAt.y + y)) {
        ++changed;
        if (x < 19) ++leftOfGlyphEdge;
      }
  EXPECT_GT(changed, 20);
  EXPECT_EQ(leftOfGlyphEdge, 0);
}

}  // namespace
}  // namespace controls
