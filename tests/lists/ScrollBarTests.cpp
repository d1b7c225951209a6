// The list's skinned scroll bar: shown only when rows do not fit, its geometry, and the list
// scrolled by clicks on its arrows and track and by dragging its thumb, read back from the list and
// from the screen.
#include <gtest/gtest.h>

#include <algorithm>

#include "ListHost.h"
#include "SkinIds.h"
#include "support/Driver.h"
#include "controls/Paint.h"

namespace lists {
namespace {

using app::kListRowChosenMessage;
using ui::skin::CSkinVerticleScrollbar;

class ScrollBarTest : public ListTest {
 protected:
  HWND Bar() const { return list_->ScrollBarWindow(); }
  void ClickBar(int y) {
    test::ClickAt(Bar(), {7, y});
    host_.Settle();
  }
  void Post(UINT message, WPARAM wParam, int y) { ::PostMessageW(Bar(), message, wParam, MAKELPARAM(7, y)); }
  // The thumb as the screen shows it at `top` of the bar.
  double ThumbShowing(int top) const {
    const Pixels thumb = BitmapPixels(Skin(IDB_SCROLL_THUMB_NORMAL));
    const Pixels magenta{thumb.width, thumb.height,
                         std::vector<COLORREF>(thumb.data.size(), ui::kTransparent)};
    RECT bar{};
    ::GetWindowRect(Bar(), &bar);
    ::MapWindowPoints(nullptr, host_.hwnd(), reinterpret_cast<POINT*>(&bar), 2);
    return ShareShowing(Grab(host_.hwnd()), {bar.left, bar.top + top}, thumb, magenta,
                        {0, 0, thumb.width, thumb.height});
  }
};

TEST_F(ScrollBarTest, IsHiddenWhileEveryRowFitsAndShownForOneMore) {
  MakeList(5);
  EXPECT_FALSE(list_->ScrollBarShown());
  EXPECT_EQ(list_->ScrollBar().Maximum(), 0);
  list_->AddItem(nullptr, L"Sixth", L"");
  EXPECT_TRUE(list_->ScrollBarShown());
  EXPECT_EQ(list_->ScrollBar().Maximum(), 1);
}

TEST_F(ScrollBarTest, SitsFourteenPixelsWideInsideTheListsRightEdge) {
  MakeList(12);
  RECT rc{};
  ::GetWindowRect(Bar(), &rc);
  ::MapWindowPoints(nullptr, list_->hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  RECT list{};
  ::GetClientRect(list_->hwnd(), &list);
  EXPECT_EQ(rc.left, list.right - 19);
  EXPECT_EQ(rc.right, list.right - 5);
  EXPECT_EQ(rc.top, 5);
  EXPECT_EQ(rc.bottom, list.bottom - 5);
  EXPECT_EQ(list_->ScrollBar().Maximum(), 12 - 5);
}

TEST_F(ScrollBarTest, TheThumbMovesByTheStepsPixelsAndStaysInTheTrack) {
  MakeList(12);
  RECT rc{};
  ::GetClientRect(Bar(), &rc);
  const double perStep = (rc.bottom - 150.0) / 7;
  EXPECT_DOUBLE_EQ(list_->ScrollBar().PixelsPerStep(), perStep);
  EXPECT_EQ(list_->ScrollBar().ThumbTop(), 15);
  EXPECT_GT(ThumbShowing(15), 0.95);
  for (int i = 0; i < 3; ++i) Wheel(-WHEEL_DELTA);
  EXPECT_EQ(list_->ScrollBar().ThumbTop(), 15 + static_cast<int>(perStep * 3));
  EXPECT_GT(ThumbShowing(15 + static_cast<int>(perStep * 3)), 0.95);
  for (int i = 0; i < 10; ++i) Wheel(-WHEEL_DELTA);
  EXPECT_EQ(list_->ScrollBar().ThumbTop(), rc.bottom - 135);
  EXPECT_GT(ThumbShowing(rc.bottom - 135), 0.95);
}

TEST_F(ScrollBarTest, TheArrowsScrollOneRowAndTheTrackFour) {
  MakeList(12);
  RECT rc{};
  ::GetClientRect(Bar(), &rc);
  ClickBar(rc.bottom - 7);  // down arrow
  EXPECT_EQ(list_->FirstVisible(), 1);
  ClickBar(rc.bottom - 20);  // the track below the thumb
  EXPECT_EQ(list_->FirstVisible(), 5);
  ClickBar(20);  // the track above the thumb
  EXPECT_EQ(list_->FirstVisible(), 1);
  ClickBar(7);  // up arrow
  EXPECT_EQ(list_->FirstVisible(), 0);
  ClickBar(7);
  EXPECT_EQ(list_->FirstVisible(), 0);
}

TEST_F(ScrollBarTest, HoldingAnArrowKeepsScrollingAndTheReleaseTakesOneStepMore) {
  MakeList(12);
  RECT rc{};
  ::GetClientRect(Bar(), &rc);
  Post(WM_LBUTTONDOWN, MK_LBUTTON, rc.bottom - 7);
  // Held, the arrow repeats on its own; a click alone moves one row only.
  EXPECT_TRUE(test::WaitUntil([&] { return list_->FirstVisible() >= 3; }, std::chrono::seconds(20)));
  const int held = list_->FirstVisible();
  Post(WM_LBUTTONUP, 0, rc.bottom - 7);
  host_.Settle();
  EXPECT_EQ(list_->FirstVisible(), std::min(held + 1, 7));
  EXPECT_NE(::GetCapture(), Bar());
  // Released, it stays where it is.
  host_.Settle();
  EXPECT_EQ(list_->FirstVisible(), std::min(held + 1, 7));
}

TEST_F(ScrollBarTest, AfterScrollingByTheBarAClickReportsTheRowShown) {
  MakeList(12);
  RECT rc{};
  ::GetClientRect(Bar(), &rc);
  ClickBar(rc.bottom - 7);
  ClickBar(rc.bottom - 7);
  ClickBar(rc.bottom - 7);
  ClickRow(0);
  ClickRow(2);
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 3, kListId},
                               {app::kListRowChosenMessage, 5, kListId}}));
}

TEST_F(ScrollBarTest, DraggingTheThumbScrollsToWhereItIsDropped) {
  MakeList(12);
  const double perStep = list_->ScrollBar().PixelsPerStep();
  const int grab = 15 + 10;  // ten pixels into the thumb
  Post(WM_MOUSEMOVE, 0, grab);
  Post(WM_LBUTTONDOWN, MK_LBUTTON, grab);
  Post(WM_MOUSEMOVE, MK_LBUTTON, grab + static_cast<int>(perStep * 3 + 0.5));
  host_.Settle();
  EXPECT_EQ(list_->FirstVisible(), 3);
  EXPECT_EQ(::GetCapture(), Bar());
  Post(WM_MOUSEMOVE, MK_LBUTTON, 1000);  // far below: the last position
  host_.Settle();
  EXPECT_EQ(list_->FirstVisible(), 7);
  // While dragged, the thumb shows its pressed face.
  {
    const Pixels pressed = BitmapPixels(Skin(IDB_SCROLL_THUMB_PRESSED));
    const Pixels normal = BitmapPixels(Skin(IDB_SCROLL_THUMB_NORMAL));
    RECT bar{};
    ::GetWindowRect(Bar(), &bar);
    const double share = ShareShowing(Grab(host_.hwnd()), {bar.left, bar.top + list_->ScrollBar().ThumbTop()},
                                      pressed, normal, {0, 0, pressed.width, pressed.height});
    EXPECT_GT(share, 0.95);
  }
  Post(WM_LBUTTONUP, 0, 1000);
  host_.Settle();
  EXPECT_EQ(list_->FirstVisible(), 7);
  EXPECT_NE(::GetCapture(), Bar());
  Post(WM_LBUTTONDOWN, MK_LBUTTON, list_->ScrollBar().ThumbTop() + 5);
  Post(WM_MOUSEMOVE, MK_LBUTTON, -500);  // far above: the first
  Post(WM_LBUTTONUP, 0, -500);
  host_.Settle();
  EXPECT_EQ(list_->FirstVisible(), 0);
}

}  // namespace
}  // namespace lists
