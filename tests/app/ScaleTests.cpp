// The scale rule that the skin generator and the window layout share: rounding, snapping a DPI to
// the skin's scales, and the DPI the system reports.
#include <gtest/gtest.h>

#include "core/RegistryKey.h"
#include "win/Scale.h"

namespace {

TEST(Scale, RoundsDesignLengthsHalfAwayFromZeroAsMulDivDoes) {
  const struct {
    int design;
    int dpi;
    int pixels;
  } cases[] = {
      {690, 96, 690},  {690, 120, 863},  // 862.5
      {526, 144, 789}, {1, 144, 2},      // 1.5
      {1, 120, 1},     {13, 168, 23},    // 22.75
      {-5, 120, -6},   {-18, 144, -27},  // negative lengths (font heights) round away from zero too
      {0, 192, 0},     {320, 192, 640},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.design << " at " << c.dpi);
    EXPECT_EQ(skinscale::Px(c.design, c.dpi), c.pixels);
    EXPECT_EQ(skinscale::Px(c.design, c.dpi), ::MulDiv(c.design, c.dpi, 96));
  }
}

TEST(Scale, RectanglesScaleEdgeBySoNeighboursStillTouch) {
  const win::Scale scale(120);
  // Two boxes of odd widths side by side: scaled one by one their widths round apart, edge by
  // edge the right one still starts where the left one ends.
  const RECT left = scale.Box(3, 5, 7, 9);
  const RECT right = scale.Box(10, 5, 7, 9);
  EXPECT_EQ(left.right, right.left);
  EXPECT_EQ(left.left, 4);     // 3.75
  EXPECT_EQ(left.right, 13);   // 12.5
  EXPECT_EQ(right.right, 21);  // 21.25
}

TEST(Scale, SnapsAnyDpiToTheNearestSkinScale) {
  const struct {
    int dpi;
    int skinDpi;
  } cases[] = {
      {72, 96},   {96, 96},   {107, 96},  {108, 120},  // a tie goes to the larger scale
      {110, 120}, {144, 144}, {150, 144}, {168, 168}, {180, 192}, {192, 192}, {240, 192}, {288, 192}, {0, 96},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(skinscale::SkinDpiFor(c.dpi), c.skinDpi);
    EXPECT_EQ(win::SkinScaleFor(c.dpi).dpi(), c.skinDpi);
  }
  EXPECT_EQ(skinscale::Percent(120), 125);
  EXPECT_EQ(skinscale::Percent(168), 175);
  EXPECT_EQ(skinscale::Percent(192), 200);
}

TEST(Scale, SystemDpiIsTheOneTheDesktopSettingsGive) {
  // Wine reads LogPixels when its server starts; a prefix without the value runs at 96.
  app::RegistryKey desktop;
  const DWORD logPixels =
      desktop.Open(HKEY_CURRENT_USER, L"Control Panel\\Desktop") ? desktop.ReadNumber(L"LogPixels", 96) : 96;
  EXPECT_EQ(win::SystemDpi(), static_cast<int>(logPixels));
  EXPECT_EQ(win::DpiOfWindow(nullptr), win::SystemDpi());
  EXPECT_EQ(win::DpiOfWindow(::GetDesktopWindow()), win::SystemDpi());
}

}  // namespace
