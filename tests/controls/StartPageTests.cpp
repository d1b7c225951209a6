// The start page in a real window: its layout from the skin, clicks posted as mouse input, hover
// with the real cursor, and what the screen shows.
#include <gtest/gtest.h>

#include <iostream>

#include "ControlsHost.h"
#include "SkinIds.h"
#include "support/Driver.h"
#include "controls/MainMenuDialog.h"
#include "controls/MenuRibbon.h"
#include "controls/Paint.h"

namespace controls {
namespace {

using namespace std::chrono_literals;

// Below the ribbon here, so that one picture shows both; the main window puts it at (9, 107).
constexpr POINT kStartPageAt{9, 150};

class StartPageTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    const MainMenuFonts fonts{
        graphics_->Font(app::SharedFont::kTahoma18Bold), graphics_->Font(app::SharedFont::kTahoma14Bold),
        graphics_->Font(app::SharedFont::kTahoma12), graphics_->Font(app::SharedFont::kTahoma12Bold)};
    ASSERT_TRUE(page_.Create(host_.hwnd(), kStartPageAt.x, kStartPageAt.y, fonts));
    ::ShowWindow(page_.hwnd(), SW_SHOW);
    ::RedrawWindow(host_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  std::vector<Note> Click(int id) {
    host_.Forget();
    test::Click(page_.Button(id)->hwnd());
    host_.Settle();
    return host_.Notes();
  }

  // The button's top left in the host's client area.
  POINT Origin(int id) {
    const RECT rc = RectIn(page_.Button(id)->hwnd(), host_.hwnd());
    return {rc.left, rc.top};
  }

  CMainMenuDialog page_;
};

// The pixels of `rc` (button coordinates) of button `id` that have exactly `color`.
int CountColor(const Pixels& screen, POINT origin, const RECT& rc, COLORREF color) {
  int count = 0;
  for (int y = rc.top; y < rc.bottom; ++y)
    for (int x = rc.left; x < rc.right; ++x) count += screen.At(origin.x + x, origin.y + y) == color ? 1 : 0;
  return count;
}

// Where a button's texts go: left out when faces are compared.
RECT TextArea(const CMenuButton& button) {
  const RECT caption = button.CaptionRect(), description = button.DescriptionRect();
  RECT both{};
  ::UnionRect(&both, &caption, &description);
  return both;
}

TEST_F(StartPageTest, LaysItsButtonsOutFromTheSizesOfTheirFaces) {
  const Pixels page = SkinPixels(IDB_START_BACKGROUND);
  const Pixels largeHover = SkinPixels(IDB_START_TRANSLATE_HOVER);  // 315
  const Pixels card = SkinPixels(IDB_START_SETUP_HOVER);            // 290
  ASSERT_GT(card.width, 0);
  RECT rc{};
  ::GetClientRect(page_.hwnd(), &rc);
  EXPECT_EQ(rc.right, page.width);
  EXPECT_EQ(rc.bottom, page.height);

  const int top = largeHover.height + 29, w = card.width, h = card.height;
  struct Expected {
    int id, x, y;
  };
  const Expected expected[] = {{316, 20, 15},
                               {291, 1, top},
                               {294, 1, top + h + 1},
                               {297, 1, top + 2 * h + 2},
                               {301, w + 1, top},
                               {304, w + 1, top + h + 1},
                               {307, w + 1, top + 2 * h + 2}};
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.id);
    ASSERT_NE(page_.Button(e.id), nullptr);
    const RECT button = RectIn(page_.Button(e.id)->hwnd(), page_.hwnd());
    EXPECT_EQ(button.left, e.x);
    EXPECT_EQ(button.top, e.y);
    EXPECT_EQ(::GetDlgCtrlID(page_.Button(e.id)->hwnd()), e.id);
    if (e.id != 316) {
      EXPECT_EQ(button.right - button.left, w);
      EXPECT_EQ(button.bottom - button.top, h);
      EXPECT_EQ(page_.Button(e.id)->Style(), MenuButtonStyle::kCard);
    }
  }
  // Everything fits on the page.
  EXPECT_LE(top + 3 * h + 2, page.height);
  EXPECT_LE(2 * w + 1, page.width);
}

TEST_F(StartPageTest, AClickReachesTheMainWindowAsACommandWithTheButtonsId) {
  for (const ui::TabRow& row : ui::kTabs) {
    const int id = row.startButtonId;
    SCOPED_TRACE(id);
    EXPECT_EQ(Click(id), (std::vector<Note>{{WM_COMMAND, static_cast<WPARAM>(id)}}));
  }
}

TEST_F(StartPageTest, ADisabledButtonIgnoresClicksAndTheOthersStillWork) {
  page_.SetButtonState(294, MenuButtonState::kDisabled, true);
  EXPECT_TRUE(Click(294).empty());
  EXPECT_EQ(page_.Button(294)->State(), MenuButtonState::kDisabled);
  EXPECT_EQ(Click(297), (std::vector<Note>{{WM_COMMAND, 297}}));
  // Being shown again does not enable it; the others come back to normal.
  ::ShowWindow(page_.hwnd(), SW_HIDE);
  ::ShowWindow(page_.hwnd(), SW_SHOW);
  EXPECT_EQ(page_.Button(294)->State(), MenuButtonState::kDisabled);
  EXPECT_EQ(page_.Button(297)->State(), MenuButtonState::kNormal);
}

TEST_F(StartPageTest, ADisabledButtonShowsItsDisabledFaceAndGreyText) {
  page_.SetButtonState(301, MenuButtonState::kDisabled, true);
  // A caption of our own, so that the check does not rest on the string table.
  page_.Button(301)->SetCaption(L"VANTO NET");
  const Pixels disabled = SkinPixels(IDB_START_NET_DISABLED), normal = SkinPixels(IDB_START_NET_NORMAL);
  const CMenuButton& button = *page_.Button(301);
  const RECT text = TextArea(button);
  const POINT at = Origin(301);
  int grey = 0, black = 0;
  double share = 0;
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        const Pixels screen = Grab(host_.hwnd());
        share = ShareShowing(screen, at, disabled, normal, text);
        grey = CountColor(screen, at, button.CaptionRect(), CMenuButton::kDisabledTextColor);
        black = CountColor(screen, at, button.CaptionRect(), RGB(0, 0, 0));
        return share > 0.98 && grey > 20;
      },
      5s))
      << "disabled face " << share << ", grey caption pixels " << grey;
  EXPECT_EQ(black, 0);
}

TEST_F(StartPageTest, TheCursorOverAButtonShowsItsHoverFaceUntilItLeaves) {
  const POINT at = Origin(304);
  const Pixels hover = SkinPixels(IDB_START_MYVANTO_HOVER), normal = SkinPixels(IDB_START_MYVANTO_NORMAL);
  CMenuButton& button = *page_.Button(304);
  const RECT text = TextArea(button);
  POINT centre{at.x + hover.width / 2, at.y + hover.height / 2};
  ::ClientToScreen(host_.hwnd(), &centre);

  ::SetCursorPos(centre.x, centre.y);
  EXPECT_TRUE(test::WaitUntil([&] { return button.State() == MenuButtonState::kHover; }, 5s));
  double share = 0;
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        share = ShareShowing(Grab(host_.hwnd()), at, hover, normal, text);
        return share > 0.98;
      },
      5s))
      << "hover face " << share;

  // Away from the window: the leave notification takes the look back.
  ::SetCursorPos(TestHost::kWidth + 200, TestHost::kHeight + 200);
  EXPECT_TRUE(test::WaitUntil([&] { return button.State() == MenuButtonState::kNormal; }, 5s));
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        share = ShareShowing(Grab(host_.hwnd()), at, normal, hover, text);
        return share > 0.98;
      },
      5s))
      << "normal face " << share;
}

TEST_F(StartPageTest, TheHostWithRibbonAndStartPageLooksRight) {
  CMenuRibbon ribbon;
  ASSERT_TRUE(ribbon.Create(9, 52, host_.hwnd(), 1234, graphics_->Font(app::SharedFont::kTahoma12Bold)));
  ribbon.Mark(335);
  ribbon.EnableTab(342, false);
  page_.SetButtonState(304, MenuButtonState::kDisabled, true);
  page_.SetText(L"Choose what you want to do");
  ::SetCursorPos(TestHost::kWidth + 200, TestHost::kHeight + 200);
  ::RedrawWindow(host_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);

  // The page's own background shows where no button is: its bottom right corner area.
  const Pixels background = SkinPixels(IDB_START_BACKGROUND);
  const int bx = background.width - 12, by = background.height - 6;
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        return Grab(host_.hwnd()).At(kStartPageAt.x + bx, kStartPageAt.y + by) == background.At(bx, by);
      },
      5s));
  const auto path = test::SaveScreenshot(L"controls-ribbon-and-start-page");
  std::wcout << L"screenshot: " << path.wstring() << L"\n";
  EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace controls
