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
#include "core/SkinImage.h"
#include "support/ScreenPixels.h"
#include "support/TestPaths.h"
#include "win/ComScope.h"
#include "win/Handle.h"

namespace {

struct Picture {
  int id;
  std::wstring bitmapFile;  // the generator's reference bitmap
};

// The generator's resource list (skin.rc in the build folder) names each picture's file.
std::vector<Picture> ListedPictures() {
  std::vector<Picture> pictures;
  std::ifstream script(test::BinFolder().parent_path() / L"res" / L"skin" / L"skin.rc");
  const std::regex line(R"re(^(\d+) PNG "[^"]*/([A-Za-z0-9_]+)\.png")re");
  std::smatch match;
  for (std::string text; std::getline(script, text);) {
    if (std::regex_search(text, match, line))
      pictures.push_back({std::stoi(match[1]), (test::BinFolder().parent_path() / L"res" / L"skin" /
                                                std::filesystem::path(match[2].str() + ".bmp"))
                                                   .wstring()});
  }
  return pictures;
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
    // Both are 24-bit DIB sections, as the painters expect.
    DIBSECTION section{};
    ASSERT_EQ(::GetObjectW(decoded.get(), sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBmih.biBitCount, 24);
    EXPECT_GT(section.dsBmih.biHeight, 0);
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
