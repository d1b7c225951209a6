// The skin pictures Startdeck.exe carries as PNG, decoded the way the program decodes them, give
// exactly the pixels of the 24-bit bitmaps the skin generator draws beside them (the form the
// program used to carry): every face, background and strip looks the same on the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "SkinIds.h"
#include "assets/DamagedSkinIds.h"
#include "core/SkinImage.h"
#include "core/SkinPrefetch.h"
#include "support/ScreenPixels.h"
#include "support/TestPaths.h"
#include "win/ComScope.h"
#include "win/Dc.h"
#include "win/Handle.h"

namespace {

struct Picture {
  int id;
  std::wstring bitmapFile;  // the generator's reference bitmap
};

// The generator's resource list of one scale (skin.rc in the build folder for 100 %, 200/skin200.rc
// for 200 %) names each picture's file.
std::vector<Picture> ListedPictures(int percent = 100) {
  std::vector<Picture> pictures;
  std::filesystem::path folder = test::BinFolder().parent_path() / L"res" / L"skin";
  std::filesystem::path list = folder / L"skin.rc";
  std::string type = "PNG";
  if (percent != 100) {
    folder /= std::to_wstring(percent);
    list = folder / (L"skin" + std::to_wstring(percent) + L".rc");
    type += std::to_string(percent);
  }
  std::ifstream script(list);
  const std::regex line("^(\\d+) " + type + R"re( "[^"]*/([A-Za-z0-9_]+)\.png")re");
  std::smatch match;
  for (std::string text; std::getline(script, text);) {
    if (std::regex_search(text, match, line))
      pictures.push_back(
          {std::stoi(match[1]), (folder / std::filesystem::path(match[2].str() + ".bmp")).wstring()});
  }
  return pictures;
}

size_t ColourCount(const test::Pixels& pixels) {
  return std::set<COLORREF>(pixels.data.begin(), pixels.data.end()).size();
}

BOOL CALLBACK CollectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
  if (IS_INTRESOURCE(name))
    reinterpret_cast<std::set<int>*>(ids)->insert(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
  return TRUE;
}

TEST(SkinPictures, DecodeToThePixelsOfTheReferenceBitmaps) {
  win::UniqueModule program(::LoadLibraryExW((test::BinFolder() / L"Startdeck.exe").c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(program);
  const std::vector<Picture> pictures = ListedPictures();
  // The executable carries every listed picture (and the HTML pages' pictures beside them).
  std::set<int> carried;
  ::EnumResourceNamesW(program.get(), app::kSkinImageType, CollectId, reinterpret_cast<LONG_PTR>(&carried));
  ASSERT_GE(pictures.size(), 100u);
  for (const Picture& picture : pictures) EXPECT_EQ(carried.count(picture.id), 1u) << picture.id;

  for (const Picture& picture : pictures) {
    SCOPED_TRACE(picture.bitmapFile);
    win::UniqueBitmap reference(static_cast<HBITMAP>(::LoadImageW(
        nullptr, picture.bitmapFile.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    win::UniqueBitmap decoded(app::LoadSkinImage(program.get(), picture.id));
    ASSERT_TRUE(reference);
    ASSERT_TRUE(decoded);
    const SIZE size = app::SkinImageSize(program.get(), picture.id);
    const test::Pixels want = test::BitmapPixels(reference.get());
    const test::Pixels got = test::BitmapPixels(decoded.get());
    EXPECT_EQ(size.cx, want.width);
    EXPECT_EQ(size.cy, want.height);
    ASSERT_EQ(got.width, want.width);
    ASSERT_EQ(got.height, want.height);
    size_t differing = 0;
    for (size_t i = 0; i < want.data.size(); ++i) differing += got.data[i] != want.data[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u);
    // A bottom-up DIB section: 8 bits a pixel when the picture has at most 256 colours (it used to be
    // 24 bits for every picture; the smaller form keeps the same pixels), else 24.
    DIBSECTION section{};
    ASSERT_EQ(::GetObjectW(decoded.get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBmih.biBitCount, ColourCount(want) <= 256 ? 8 : 24) << ColourCount(want);
    EXPECT_GT(section.dsBmih.biHeight, 0);
  }
}

// Which pictures come out with a colour table, by the colours the generator gives them.
TEST(SkinPictures, OnlyPicturesOfAtMost256ColoursAreKeptWithAColourTable) {
  win::UniqueModule program(::LoadLibraryExW((test::BinFolder() / L"Startdeck.exe").c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(program);
  struct Case {
    int id;
    const char* name;
    WORD bits;
    size_t colours;
  };
  const Case cases[] = {
      {IDB_START_BACKGROUND, "start page background (161 colours)", 8, 161},
      {IDB_MAIN_BACKGROUND, "main background (1,067 colours)", 24, 1067},
      {IDB_PANEL_BACKGROUND, "panel background (770 colours)", 24, 770},
      {IDB_START_TRANSLATE_NORMAL, "quick translation button (559 colours)", 24, 559},
      {IDB_START_NET_DISABLED, "network button, unavailable (104 colours)", 8, 104},
      {IDB_LIST_ROWS, "list rows (3 colours)", 8, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    win::UniqueBitmap decoded(app::LoadSkinImage(program.get(), c.id));
    ASSERT_TRUE(decoded);
    DIBSECTION section{};
    ASSERT_EQ(::GetObjectW(decoded.get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBmih.biBitCount, c.bits);
    EXPECT_EQ(ColourCount(test::BitmapPixels(decoded.get())), c.colours);
  }
}

// Blitted to a bitmap of the screen's own format, plainly and with the magenta key as the skin's
// painters do, a picture kept with a colour table leaves the pixels its 24-bit reference leaves: at
// 100 % from the program, at 150 and 200 % from the scaled skin library.
TEST(SkinPictures, PicturesWithAColourTablePaintAsTheir24BitReferences) {
  struct Scale {
    int percent;
    const wchar_t* file;
    const wchar_t* type;
    size_t indexed;  // pictures of at most 256 colours
  };
  const Scale scales[] = {
      {100, L"Startdeck.exe", L"PNG", 82},
      {150, L"StartdeckSkin.dll", L"PNG150", 68},
      {200, L"StartdeckSkin.dll", L"PNG200", 65},
  };
  const win::WindowDc screen(nullptr);
  for (const Scale& scale : scales) {
    SCOPED_TRACE(scale.percent);
    win::UniqueModule module(::LoadLibraryExW((test::BinFolder() / scale.file).c_str(), nullptr,
                                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(module);
    const std::vector<Picture> pictures = ListedPictures(scale.percent);
    ASSERT_EQ(pictures.size(), 116u);
    size_t indexed = 0;
    for (const Picture& picture : pictures) {
      SCOPED_TRACE(picture.bitmapFile);
      win::UniqueBitmap reference(static_cast<HBITMAP>(::LoadImageW(
          nullptr, picture.bitmapFile.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
      win::UniqueBitmap decoded(app::LoadSkinImage(module.get(), picture.id, scale.type));
      ASSERT_TRUE(reference);
      ASSERT_TRUE(decoded);
      DIBSECTION section{};
      ASSERT_EQ(::GetObjectW(decoded.get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
      if (section.dsBmih.biBitCount != 8) continue;
      ++indexed;
      const int width = section.dsBmih.biWidth, height = section.dsBmih.biHeight;
      for (const bool keyed : {false, true}) {
        SCOPED_TRACE(keyed ? "magenta left out" : "plain copy");
        const auto paint = [&](HBITMAP source) {
          win::UniqueBitmap canvas(::CreateCompatibleBitmap(screen.get(), width, height));
          win::UniqueMemoryDc target(::CreateCompatibleDC(screen.get()));
          win::UniqueMemoryDc from(::CreateCompatibleDC(screen.get()));
          {
            win::SelectScope intoTarget(target.get(), canvas.get());
            win::SelectScope intoFrom(from.get(), source);
            const RECT all{0, 0, width, height};
            win::UniqueBrush ground(::CreateSolidBrush(RGB(12, 200, 34)));
            ::FillRect(target.get(), &all, ground.get());
            if (keyed)
              ::TransparentBlt(target.get(), 0, 0, width, height, from.get(), 0, 0, width, height,
                               RGB(255, 0, 255));
            else
              ::BitBlt(target.get(), 0, 0, width, height, from.get(), 0, 0, SRCCOPY);
          }
          return test::BitmapPixels(canvas.get());
        };
        const test::Pixels want = paint(reference.get());
        const test::Pixels got = paint(decoded.get());
        ASSERT_EQ(want.width, width);
        EXPECT_EQ(test::CountDifferences(got, want), 0u);
      }
    }
    // Most faces and the start page's background (161 colours at 100 %, 222 at 200 %) have few colours.
    EXPECT_EQ(indexed, scale.indexed);
  }
}

// On a thread with COM of its own, the pictures decoded inside a scope share the factory the first
// one made, with the same pixels; a thread whose COM lasts only for one decode keeps none.
TEST(SkinPictures, DecodesInsideAScopeShareOneFactoryWhileTheThreadHasCom) {
  win::UniqueModule program(::LoadLibraryExW((test::BinFolder() / L"Startdeck.exe").c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(program);
  const auto decodeTwice = [&](bool withCom, bool& heldAfterFirst, bool& samePixels) {
    std::optional<win::ComApartment> com;
    if (withCom) com.emplace();
    {
      app::SkinImageFactoryScope scope;
      app::SkinImageFactoryScope nested;  // idle: the first one serves the thread
      win::UniqueBitmap first(app::LoadSkinImage(program.get(), IDB_LIST_ROWS));
      heldAfterFirst = scope.HoldsFactory() && !nested.HoldsFactory();
      win::UniqueBitmap second(app::LoadSkinImage(program.get(), IDB_LIST_ROWS));
      samePixels =
          first && second && test::BitmapPixels(first.get()).data == test::BitmapPixels(second.get()).data;
    }
  };
  for (const bool withCom : {true, false}) {
    SCOPED_TRACE(withCom ? "thread with COM" : "thread without COM");
    bool held = false, same = false;
    std::thread worker([&] { decodeTwice(withCom, held, same); });
    worker.join();
    EXPECT_EQ(held, withCom);
    EXPECT_TRUE(same);
  }
}

// Pictures decoded ahead on the prefetch's thread are handed out by LoadSkinImage once each, with the
// pixels of a decode of its own; asked again, or not listed, a picture is decoded as always. A
// second prefetch beside the first stays idle, and once the first has gone every picture is
// decoded again.
TEST(SkinPictures, PicturesDecodedAheadAreHandedOutOnceAndTheRestGoWithThePrefetch) {
  const win::ComApartment com;
  win::UniqueModule program(::LoadLibraryExW((test::BinFolder() / L"Startdeck.exe").c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(program);
  const HMODULE skin = program.get();
  const auto pixelsOf = [](HBITMAP bitmap) { return test::BitmapPixels(bitmap).data; };
  win::UniqueBitmap background(app::LoadSkinImage(skin, IDB_MAIN_BACKGROUND));
  win::UniqueBitmap rows(app::LoadSkinImage(skin, IDB_LIST_ROWS));
  ASSERT_TRUE(background && rows);
  {
    app::SkinPrefetch prefetch({{skin, IDB_MAIN_BACKGROUND, app::kSkinImageType},
                                {skin, 99999, app::kSkinImageType},
                                {skin, IDB_START_BACKGROUND, app::kSkinImageType},
                                {skin, IDB_LIST_ROWS, app::kSkinImageType}});
    app::SkinPrefetch idle({{skin, IDB_LIST_ROWS, app::kSkinImageType}});
    win::UniqueBitmap first(app::LoadSkinImage(skin, IDB_MAIN_BACKGROUND));
    EXPECT_EQ(prefetch.TakenCount(), 1u);
    win::UniqueBitmap again(app::LoadSkinImage(skin, IDB_MAIN_BACKGROUND));
    EXPECT_EQ(prefetch.TakenCount(), 1u);
    ASSERT_TRUE(first && again);
    EXPECT_NE(first.get(), again.get());
    EXPECT_EQ(pixelsOf(first.get()), pixelsOf(background.get()));
    EXPECT_EQ(pixelsOf(again.get()), pixelsOf(background.get()));
    // A listed picture that is not there: none, as without the prefetch.
    EXPECT_EQ(app::LoadSkinImage(skin, 99999), nullptr);
    win::UniqueBitmap listRows(app::LoadSkinImage(skin, IDB_LIST_ROWS));
    EXPECT_EQ(prefetch.TakenCount(), 2u);
    EXPECT_EQ(idle.TakenCount(), 0u);
    ASSERT_TRUE(listRows);
    EXPECT_EQ(pixelsOf(listRows.get()), pixelsOf(rows.get()));
    // The start page's background is left to go with the prefetch.
  }
  win::UniqueBitmap afterwards(app::LoadSkinImage(skin, IDB_LIST_ROWS));
  ASSERT_TRUE(afterwards);
  EXPECT_EQ(pixelsOf(afterwards.get()), pixelsOf(rows.get()));
}

// A picture that is not a PNG goes to whichever decoder the system has for it, with its pixels; one
// that only begins as a PNG is none, and the PNGs decoded after it in the same scope are whole.
TEST(SkinPictures, APictureInAnotherFormatIsDecodedAndACutPngIsNone) {
  const win::ComApartment com;
  win::UniqueModule skin(::LoadLibraryExW((test::BinFolder() / L"TestSkinDamaged.dll").c_str(), nullptr,
                                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(skin);
  const std::filesystem::path folder = test::BinFolder().parent_path() / L"res" / L"skin";
  win::UniqueBitmap bmp(
      static_cast<HBITMAP>(::LoadImageW(nullptr, (folder / L"about_normal.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  win::UniqueBitmap png(app::LoadSkinImage(skin.get(), IDB_PUSH_NORMAL, L"PNG125"));
  ASSERT_TRUE(bmp && png);
  for (const bool inScope : {false, true}) {
    SCOPED_TRACE(inScope ? "in a scope" : "without a scope");
    std::optional<app::SkinImageFactoryScope> scope;
    if (inScope) scope.emplace();
    EXPECT_EQ(app::LoadSkinImage(skin.get(), IDB_TEST_CUT_PNG), nullptr);
    win::UniqueBitmap fromBmp(app::LoadSkinImage(skin.get(), IDB_TEST_BMP_PICTURE));
    win::UniqueBitmap fromPng(app::LoadSkinImage(skin.get(), IDB_PUSH_NORMAL, L"PNG125"));
    ASSERT_TRUE(fromBmp && fromPng);
    EXPECT_EQ(test::BitmapPixels(fromBmp.get()).data, test::BitmapPixels(bmp.get()).data);
    EXPECT_EQ(test::BitmapPixels(fromPng.get()).data, test::BitmapPixels(png.get()).data);
  }
}

// The program icon's 256-pixel image is a PNG inside the icon; the system still makes an icon of it.
TEST(SkinPictures, TheLargestProgramIconLoadsFromItsPng) {
  win::UniqueModule program(::LoadLibraryExW((test::BinFolder() / L"Startdeck.exe").c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(program);
  for (const int size : {16, 32, 48, 256}) {
    SCOPED_TRACE(size);
    win::UniqueIcon icon(static_cast<HICON>(
        ::LoadImageW(program.get(), MAKEINTRESOURCEW(IDI_STARTDECK), IMAGE_ICON, size, size, 0)));
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
    win::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    const test::Pixels pixels = test::BitmapPixels(info.hbmColor);
    EXPECT_EQ(pixels.width, size);
    EXPECT_EQ(pixels.height, size);
    // Not an empty picture: the mark has more than one colour.
    EXPECT_NE(std::count(pixels.data.begin(), pixels.data.end(), pixels.data[0]),
              static_cast<std::ptrdiff_t>(pixels.data.size()));
  }
}

}  // namespace
