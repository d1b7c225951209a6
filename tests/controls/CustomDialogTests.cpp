// The skinned base of the task panels in a real window: shaped by its background, placed where it is
// asked, and its title, first label and steps laid out one under the other in the help column.
#include <gtest/gtest.h>

#include <cstdint>

#include "ControlsHost.h"
#include "ResourceIds.h"
#include "SkinIds.h"
#include "controls/Paint.h"
#include "controls/CustomDialog.h"
#include "controls/SkinRegion.h"

namespace controls {
namespace {

class CustomDialogTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    look_.background = graphics_->Bitmap(IDB_PANEL_BACKGROUND);
    look_.titleFont = graphics_->Font(app::SharedFont::kTahoma14Bold);
    look_.bodyFont = graphics_->Font(app::SharedFont::kTahoma12);
    ASSERT_NE(look_.background, nullptr);
    ASSERT_TRUE(panel_.Create(host_.hwnd(), {9, 146}, IDD_TASK_PANEL, look_));
  }

  ui::skin::PanelLook look_;
  ui::skin::CCustomDialog panel_;
};

TEST_F(CustomDialogTest, IsHiddenAtItsPlaceAndShapedLikeItsBackground) {
  EXPECT_FALSE(::IsWindowVisible(panel_.hwnd()));
  const RECT rc = RectIn(panel_.hwnd(), host_.hwnd());
  const SIZE size = ui::BitmapSize(look_.background);
  EXPECT_EQ(rc.left, 9);
  EXPECT_EQ(rc.top, 146);
  EXPECT_EQ(rc.right - rc.left, size.cx);
  EXPECT_EQ(rc.bottom - rc.top, size.cy);

  // Every pixel of the background is inside the window's region exactly when it is not magenta.
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(::GetWindowRgn(panel_.hwnd(), region), ERROR);
  const Pixels background = SkinPixels(IDB_PANEL_BACKGROUND);
  int wrong = 0;
  for (int y = 0; y < background.height; ++y)
    for (int x = 0; x < background.width; ++x)
      wrong += (::PtInRegion(region, x, y) != FALSE) == (background.At(x, y) == ui::kTransparent);
  ::DeleteObject(region);
  EXPECT_EQ(wrong, 0);
}

TEST(SkinRegion, LeavesOutEachRowsMagentaPixels) {
  // Rows of a small bitmap: '#' any colour, '.' magenta.
  const char* rows[] = {"..##..#", "#######", ".......", "#.#.#.#"};
  constexpr int kWidth = 7, kHeight = 4;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(bitmap);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) pixels[y * kWidth + x] = rows[y][x] == '.' ? 0x00FF00FF : 0x00123456;

  EXPECT_EQ(ui::skin::OpaqueRuns(bitmap.get()).size(), 7u);
  win::UniqueRegion region = ui::skin::OpaqueRegion(bitmap.get());
  ASSERT_TRUE(region);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      EXPECT_EQ(::PtInRegion(region.get(), x, y) != FALSE, rows[y][x] == '#') << x << "," << y;
}

TEST_F(CustomDialogTest, TitleFirstLabelAndStepsFollowEachOtherInTheHelpColumn) {
  HWND label = ::GetDlgItem(panel_.hwnd(), IDC_PANEL_LABEL1);
  ASSERT_NE(label, nullptr);
  const RECT labelBefore = RectIn(label, panel_.hwnd());
  const RECT oneLine = RectIn(panel_.Title(), panel_.hwnd());
  panel_.SetTitleAndSteps(
      L"Translate a Microsoft Word document with all of its formatting kept",
      L"1. Choose the document.\n2. Choose the direction and the profile.\n3. Press Translate.");

  const RECT title = RectIn(panel_.Title(), panel_.hwnd());
  const RECT labelAfter = RectIn(label, panel_.hwnd());
  const RECT steps = RectIn(panel_.Steps(), panel_.hwnd());
  EXPECT_EQ(title.left, 18);
  EXPECT_EQ(title.top, 14);
  EXPECT_EQ(title.right - title.left, 198);
  EXPECT_GT(title.bottom - title.top, 0);
  // The label keeps its size and comes 14 pixels under the title, the steps 14 under the label.
  EXPECT_EQ(labelAfter.top, title.bottom + 14);
  EXPECT_EQ(labelAfter.bottom - labelAfter.top, labelBefore.bottom - labelBefore.top);
  EXPECT_EQ(labelAfter.right - labelAfter.left, labelBefore.right - labelBefore.left);
  EXPECT_EQ(steps.top, labelAfter.bottom + 14);
  EXPECT_EQ(steps.right - steps.left, 198);
  // Three lines of steps need more height than the one line the static starts with.
  EXPECT_GT(steps.bottom - steps.top, oneLine.bottom - oneLine.top);
  wchar_t text[128] = {};
  ::GetWindowTextW(panel_.Steps(), text, 128);
  EXPECT_STREQ(text,
               L"1. Choose the document.\n2. Choose the direction and the profile.\n3. Press Translate.");
}

}  // namespace
}  // namespace controls
