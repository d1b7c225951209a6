// The skin at every scale: the shared fonts and pictures made for each skin DPI from the real
// program and its real StartdeckSkin.dll, a change of scale that keeps what was handed out alive
// until it is released, the fall-back to 100 % without the library, and the list icons.
#include <gtest/gtest.h>

#include <filesystem>

#include "SkinIds.h"
#include "SkinScales.h"
#include "core/SharedGraphics.h"
#include "core/SkinImage.h"
#include "core/SkinLibrary.h"
#include "support/ScratchDir.h"
#include "support/ScreenPixels.h"
#include "support/TestPaths.h"
#include "win/Handle.h"

namespace {

namespace fs = std::filesystem;

win::UniqueModule OpenAsData(const fs::path& file) {
  return win::UniqueModule(
      ::LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

LONG FontHeight(HFONT font) {
  LOGFONTW info{};
  return ::GetObjectW(font, sizeof(info), &info) == sizeof(info) ? info.lfHeight : 0;
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return {0, 0};
  const win::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  ::GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
  return {bitmap.bmWidth, bitmap.bmHeight};
}

test::Pixels IconPixels(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return {};
  const win::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  return test::BitmapPixels(info.hbmColor);
}

constexpr struct {
  app::SharedFont font;
  int design;
} kFontHeights[] = {
    {app::SharedFont::kTahoma18Bold, 18},   {app::SharedFont::kTahoma16, 16},
    {app::SharedFont::kTahoma13, 13},       {app::SharedFont::kTahoma12Bold, 12},
    {app::SharedFont::kTahoma10, 10},       {app::SharedFont::kLucidaConsole14, 14},
    {app::SharedFont::kTahoma13Second, 13},
};

class ScaledSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = OpenAsData(test::BinFolder() / L"Startdeck.exe");
    ASSERT_TRUE(program_) << "Startdeck.exe is missing from the bin folder";
    library_ = OpenAsData(test::BinFolder() / app::kScaledSkinFile);
    ASSERT_TRUE(library_) << "StartdeckSkin.dll is missing from the bin folder";
    stockHeight_ = FontHeight(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  }
  void TearDown() override { graphics_.Destroy(); }

  win::UniqueModule program_;
  win::UniqueModule library_;
  app::SharedGraphics graphics_;
  LONG stockHeight_ = 0;
};

TEST_F(ScaledSkin, FontsAndPicturesAreThoseOfEachSkinDpi) {
  ASSERT_EQ(win::SystemDpi(), skinscale::kDesignDpi) << "these cases expect the test prefix at 96 DPI";
  for (const int dpi : skinscale::kSkinDpis) {
    SCOPED_TRACE(dpi);
    graphics_.CreateWithScaledSkin(program_.get(), library_.get(), dpi);
    const win::Scale scale = graphics_.Scale();
    ASSERT_EQ(scale.dpi(), dpi);
    for (const auto& row : kFontHeights)
      EXPECT_EQ(FontHeight(graphics_.Font(row.font)), scale.Px(row.design));
    const HFONT gui = graphics_.Font(app::SharedFont::kDefaultGui);
    EXPECT_EQ(gui == ::GetStockObject(DEFAULT_GUI_FONT), dpi == skinscale::kDesignDpi);
    EXPECT_EQ(FontHeight(gui), skinscale::Px(stockHeight_, dpi));
    for (const int id : app::SharedGraphics::kBitmapIds) {
      SCOPED_TRACE(id);
      const SIZE design = app::SkinImageSize(program_.get(), id);
      ASSERT_GT(design.cx, 0);
      const SIZE size = graphics_.BitmapSize(id);
      EXPECT_EQ(size.cx, scale.Px(design.cx));
      EXPECT_EQ(size.cy, scale.Px(design.cy));
    }
    // Decoded, a picture has the size its header says.
    for (const int id : {IDB_PANEL_BACKGROUND, IDB_LIST_ROWS, IDB_CHECK_ON_NORMAL}) {
      const test::Pixels pixels = test::BitmapPixels(graphics_.Bitmap(id));
      EXPECT_EQ(pixels.width, graphics_.BitmapSize(id).cx) << id;
      EXPECT_EQ(pixels.height, graphics_.BitmapSize(id).cy) << id;
    }
    graphics_.Destroy();
  }
}

TEST_F(ScaledSkin, BetweenSkinDpisTheNearestIsTaken) {
  const struct {
    int asked, made;
  } kCases[] = {{96, 96}, {110, 120}, {132, 144}, {150, 144}, {240, 192}, {72, 96}};
  for (const auto& c : kCases) {
    graphics_.CreateWithScaledSkin(program_.get(), library_.get(), c.asked);
    EXPECT_EQ(graphics_.Scale().dpi(), c.made) << c.asked;
    EXPECT_EQ(graphics_.BitmapSize(IDB_PUSH_NORMAL).cx, skinscale::Px(104, c.made)) << c.asked;
    graphics_.Destroy();
  }
}

TEST_F(ScaledSkin, AChangeOfScaleKeepsWhatWasHandedOutUntilItIsReleased) {
  graphics_.CreateWithScaledSkin(program_.get(), library_.get(), 96);
  const HFONT oldFont = graphics_.Font(app::SharedFont::kTahoma14);
  const HBITMAP oldBitmap = graphics_.Bitmap(IDB_PUSH_NORMAL);
  ASSERT_NE(oldBitmap, nullptr);

  graphics_.SetScale(192);
  EXPECT_EQ(graphics_.Scale().dpi(), 192);
  const HFONT newFont = graphics_.Font(app::SharedFont::kTahoma14);
  const HBITMAP newBitmap = graphics_.Bitmap(IDB_PUSH_NORMAL);
  EXPECT_NE(newFont, oldFont);
  EXPECT_EQ(FontHeight(newFont), 28);
  EXPECT_EQ(test::BitmapPixels(newBitmap).width, 208);
  // The old handles still work, for windows not yet laid out again.
  EXPECT_EQ(FontHeight(oldFont), 14);
  EXPECT_EQ(test::BitmapPixels(oldBitmap).width, 104);

  graphics_.SetScale(144);  // a second change before the first was released
  EXPECT_NE(::GetObjectType(newFont), 0u);
  graphics_.ReleaseRetired();
  EXPECT_EQ(::GetObjectType(oldFont), 0u);
  EXPECT_EQ(::GetObjectType(oldBitmap), 0u);
  EXPECT_EQ(::GetObjectType(newFont), 0u);
  EXPECT_EQ(::GetObjectType(newBitmap), 0u);
  EXPECT_EQ(FontHeight(graphics_.Font(app::SharedFont::kTahoma14)), 21);
  EXPECT_EQ(test::BitmapPixels(graphics_.Bitmap(IDB_PUSH_NORMAL)).width, 156);
}

TEST_F(ScaledSkin, WithoutTheLibraryEveryScaleIsDrawnAtHundredPercent) {
  for (const int dpi : {120, 192}) {
    graphics_.CreateWithScaledSkin(program_.get(), nullptr, dpi);
    EXPECT_EQ(graphics_.Scale().dpi(), 96) << dpi;
    EXPECT_EQ(FontHeight(graphics_.Font(app::SharedFont::kTahoma16)), 16) << dpi;
    EXPECT_EQ(graphics_.BitmapSize(IDB_PANEL_BACKGROUND).cx, 672) << dpi;
    EXPECT_EQ(test::BitmapPixels(graphics_.Bitmap(IDB_PANEL_BACKGROUND)).width, 672) << dpi;
    graphics_.Destroy();
  }
}

TEST_F(ScaledSkin, ListIconsHaveTheScaledSizeAndTheirOwnPixels) {
  for (const int dpi : skinscale::kSkinDpis) {
    const win::Scale scale(dpi);
    for (const int id : {IDI_CMD_QUICK_TRANSLATE, IDI_APP_UPDATER}) {
      for (const int design : {16, 32}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi, icon " << id << ", " << design << " px");
        const win::UniqueIcon icon = app::LoadSkinIcon(program_.get(), library_.get(), id, design, scale);
        ASSERT_TRUE(icon);
        const SIZE size = IconSize(icon.get());
        EXPECT_EQ(size.cx, scale.Px(design));
        EXPECT_EQ(size.cy, scale.Px(design));
        // Not the 100 % picture stretched (what comes without the library), unless the scaled size
        // is one of the program's own: the images are drawn per pixel size.
        const win::UniqueIcon stretched = app::LoadSkinIcon(program_.get(), nullptr, id, design, scale);
        ASSERT_TRUE(stretched);
        const bool ownSize = scale.Px(design) == 16 || scale.Px(design) == 32;
        EXPECT_EQ(IconPixels(icon.get()) == IconPixels(stretched.get()), ownSize);
      }
    }
  }
}

// A damaged library costs the crisp pictures, never the program: a scale it lacks pictures of is
// drawn at 100 %, and an icon it holds damaged is the program's own, stretched to the scaled size.
TEST_F(ScaledSkin, ADamagedLibraryFallsBackToTheProgramsOwnPictures) {
  const win::UniqueModule damaged = OpenAsData(test::BinFolder() / L"TestSkinDamaged.dll");
  ASSERT_TRUE(damaged);
  for (const int dpi : {120, 144}) {
    graphics_.CreateWithScaledSkin(program_.get(), damaged.get(), dpi);
    EXPECT_EQ(graphics_.Scale().dpi(), 96) << dpi;
    EXPECT_EQ(graphics_.BitmapSize(IDB_PUSH_NORMAL).cx, 104) << dpi;
    graphics_.Destroy();
  }
  const win::Scale scale(120);
  for (const int id : {IDI_CMD_QUICK_TRANSLATE, IDI_APP_UPDATER, IDI_APP_BACKUP}) {
    const win::UniqueIcon icon = app::LoadSkinIcon(program_.get(), damaged.get(), id, 32, scale);
    ASSERT_TRUE(icon) << id;
    EXPECT_EQ(IconSize(icon.get()).cx, 40) << id;
    const win::UniqueIcon stretched = app::LoadSkinIcon(program_.get(), nullptr, id, 32, scale);
    EXPECT_TRUE(IconPixels(icon.get()) == IconPixels(stretched.get())) << id;
  }
}

// The library is looked up beside a module loaded as an image (here the test program, in the bin
// folder with the build's StartdeckSkin.dll), and not beside one whose folder Windows does not tell.
TEST(ScaledSkinLibrary, IsFoundBesideTheProgram) {
  EXPECT_TRUE(app::OpenScaledSkin(::GetModuleHandleW(nullptr)));
  test::ScratchDir scratch;
  const fs::path alone = scratch.path() / L"Startdeck.exe";
  fs::copy_file(test::BinFolder() / L"Startdeck.exe", alone);
  const win::UniqueModule program = OpenAsData(alone);
  ASSERT_TRUE(program);
  EXPECT_FALSE(app::OpenScaledSkin(program.get()));
  app::SharedGraphics graphics;
  graphics.Create(program.get(), 144);
  EXPECT_EQ(graphics.Scale().dpi(), 96);
  graphics.Destroy();
}

TEST(SkinResourceType, NamesTheScaleInPercent) {
  EXPECT_EQ(app::SkinResourceType(L"PNG", win::Scale(96)), L"PNG");
  EXPECT_EQ(app::SkinResourceType(L"PNG", win::Scale(120)), L"PNG125");
  EXPECT_EQ(app::SkinResourceType(L"ICO", win::Scale(144)), L"ICO150");
  EXPECT_EQ(app::SkinResourceType(L"PNG", win::Scale(168)), L"PNG175");
  EXPECT_EQ(app::SkinResourceType(L"PNG", win::Scale(192)), L"PNG200");
}

}  // namespace
