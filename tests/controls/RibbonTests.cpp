// The ribbon in a real window: tab clicks posted as mouse input, the tab protocol read from what the
// host window was sent, the selected face read back from the screen.
#include <gtest/gtest.h>

#include "ControlsHost.h"
#include "SkinIds.h"
#include "support/Driver.h"
#include "ui/MenuRibbon.h"
#include "ui/Paint.h"

namespace controls {
namespace {

using namespace std::chrono_literals;

constexpr POINT kRibbonAt{9, 52};
constexpr int kRibbonControlId = 1234;

class RibbonTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ASSERT_TRUE(ribbon_.Create(kRibbonAt.x, kRibbonAt.y, host_.hwnd(), kRibbonControlId,
                               graphics_->Font(app::SharedFont::kTahoma12Bold)));
  }

  // Clicks tab `id` and returns what the host was told.
  std::vector<Note> ClickTab(int id) {
    host_.Forget();
    test::Click(ribbon_.Tab(id)->hwnd());
    host_.Settle();
    return TabNotes();
  }

  // The host's notes without the tabs' own WM_COMMANDs, which the main window ignores.
  std::vector<Note> TabNotes() const {
    std::vector<Note> notes;
    for (const Note& note : host_.Notes())
      if (note.message != WM_COMMAND) notes.push_back(note);
    return notes;
  }

  CMenuRibbon ribbon_;
};

TEST_F(RibbonTest, IsSevenTabsOfTheFirstFaceSideBySide) {
  const SIZE tab =
      ui::BitmapSize(static_cast<HBITMAP>(win::UniqueGdiObject(ui::LoadSkinBitmap(IDB_TAB_TRANSLATION_NORMAL)).get()));
  ASSERT_GT(tab.cx, 0);
  const RECT rc = RectIn(ribbon_.hwnd(), host_.hwnd());
  EXPECT_EQ(rc.left, kRibbonAt.x);
  EXPECT_EQ(rc.top, kRibbonAt.y);
  EXPECT_EQ(rc.right - rc.left, 7 * tab.cx);
  EXPECT_EQ(rc.bottom - rc.top, tab.cy);
  EXPECT_EQ(::GetDlgCtrlID(ribbon_.hwnd()), kRibbonControlId);

  const int order[] = {335, 338, 348, 353, 342, 345, 355};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(order[i]);
    const RECT tabRect = RectIn(ribbon_.Tab(order[i])->hwnd(), ribbon_.hwnd());
    EXPECT_EQ(tabRect.left, i * tab.cx);
    EXPECT_EQ(tabRect.top, 0);
    EXPECT_EQ(::GetDlgCtrlID(ribbon_.Tab(order[i])->hwnd()), order[i]);
  }
}

TEST_F(RibbonTest, TheFirstClickOnlyEntersASecondLeavesTheOldTabFirst) {
  EXPECT_EQ(ClickTab(335), (std::vector<Note>{{app::kTabEnteredMessage, 335}}));
  EXPECT_EQ(ribbon_.SelectedId(), 335);
  EXPECT_EQ(ClickTab(338), (std::vector<Note>{{app::kTabLeftMessage, 335}, {app::kTabEnteredMessage, 338}}));
  EXPECT_EQ(ribbon_.SelectedId(), 338);
  EXPECT_EQ(ribbon_.Tab(338)->State(), MenuButtonState::kPressed);
  EXPECT_NE(ribbon_.Tab(335)->State(), MenuButtonState::kPressed);
}

TEST_F(RibbonTest, ClickingTheSelectedTabOnlyAsksToGoBackToItsList) {
  ClickTab(348);
  EXPECT_EQ(ClickTab(348), (std::vector<Note>{{app::kBackMessage, 0}}));
  EXPECT_EQ(ribbon_.SelectedId(), 348);
  EXPECT_EQ(ribbon_.Tab(348)->State(), MenuButtonState::kPressed);
}

TEST_F(RibbonTest, MarkSelectsSilentlyAndTheNextClickLeavesTheMarkedTab) {
  ribbon_.Mark(353);
  host_.Settle();
  EXPECT_TRUE(TabNotes().empty());
  EXPECT_EQ(ribbon_.SelectedId(), 353);
  EXPECT_EQ(ClickTab(335), (std::vector<Note>{{app::kTabLeftMessage, 353}, {app::kTabEnteredMessage, 335}}));
}

TEST_F(RibbonTest, ClearForgetsTheSelectionAndKeepsDisabledTabsUnlessForced) {
  ribbon_.EnableTab(342, false);
  ClickTab(345);
  ribbon_.Clear(false);
  EXPECT_EQ(ribbon_.SelectedId(), 0);
  EXPECT_EQ(ribbon_.Tab(345)->State(), MenuButtonState::kNormal);
  EXPECT_EQ(ribbon_.Tab(342)->State(), MenuButtonState::kDisabled);
  // Nothing is selected now, so nothing is left.
  EXPECT_EQ(ClickTab(345), (std::vector<Note>{{app::kTabEnteredMessage, 345}}));

  ribbon_.Clear(true);
  EXPECT_EQ(ribbon_.SelectedId(), 0);
  for (int id : CMenuRibbon::kTabIds) EXPECT_EQ(ribbon_.Tab(id)->State(), MenuButtonState::kNormal) << id;
}

TEST_F(RibbonTest, ADisabledTabIgnoresClicks) {
  ClickTab(335);
  ribbon_.EnableTab(342, false);
  EXPECT_TRUE(ClickTab(342).empty());
  EXPECT_TRUE(host_.Notes().empty());
  EXPECT_EQ(ribbon_.SelectedId(), 335);
  EXPECT_EQ(ribbon_.Tab(342)->State(), MenuButtonState::kDisabled);
}

TEST_F(RibbonTest, TheSelectedTabShowsItsSelectedFaceOnTheScreen) {
  ClickTab(353);
  // Leave the tab so that no hover look remains anywhere.
  ::RedrawWindow(host_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const Pixels selected = SkinPixels(IDB_TAB_LAUNCH_PRESSED), normal = SkinPixels(IDB_TAB_LAUNCH_NORMAL);
  const Pixels otherNormal = SkinPixels(IDB_TAB_TRANSLATION_NORMAL),
               otherSelected = SkinPixels(IDB_TAB_TRANSLATION_PRESSED);
  const RECT caption = RECT{2, 47, selected.width - 2, selected.height - 10};
  const POINT launchAt{kRibbonAt.x + 3 * selected.width, kRibbonAt.y};
  const POINT translationAt{kRibbonAt.x, kRibbonAt.y};
  double share = 0, other = 0;
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        const Pixels screen = Grab(host_.hwnd());
        share = ShareShowing(screen, launchAt, selected, normal, caption);
        other = ShareShowing(screen, translationAt, otherNormal, otherSelected, caption);
        return share > 0.98 && other > 0.98;
      },
      5s))
      << "selected face " << share << ", neighbour's normal face " << other;
}

}  // namespace
}  // namespace controls
