// Pieces of start-up that can be checked inside one process: the single-instance section, the
// message routine and the shared fonts and bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/SharedGraphics.h"
#include "core/SingleInstance.h"
#include "app/StartdeckApp.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "support/TestPaths.h"
#include "support/ScreenPixels.h"
#include "win/Handle.h"
#include "win/MessageBox.h"
#include "win/Resources.h"

namespace {

using app::SingleInstance;

TEST(SingleInstance, SectionIsNamedAfterTheProduct) {
  EXPECT_EQ(SingleInstance::SectionName(L"VANTO Home"),
            L"Startdeck_MMF_3C1A5E7F_9B2D_4E60_8A4C_6E8F0A2B4C6D_VANTO Home");
}

TEST(SingleInstance, AnyProductNameGivesAValidNameOfItsOwn) {
  const std::wstring run = std::to_wstring(::GetCurrentProcessId());
  const std::wstring longName(300, L'L');
  const struct {
    const char* what;
    std::wstring product;
    std::wstring other;  // must not share the section
  } cases[] = {
      {"a backslash", L"VANTO\\Home " + run, L"VANTO Home " + run},
      {"a leading backslash", L"\\Home " + run, L"Home " + run},
      {"longer than an object name may be", longName + L"A" + run, longName + L"B" + run},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_LE(SingleInstance::SectionName(c.product).size(), size_t{MAX_PATH - 1});
    SingleInstance first;
    ASSERT_EQ(first.ClaimFor(c.product), SingleInstance::Claim::kFirst);
    SingleInstance second;
    EXPECT_EQ(second.ClaimFor(c.product), SingleInstance::Claim::kAnotherRuns);
    SingleInstance other;
    EXPECT_EQ(other.ClaimFor(c.other), SingleInstance::Claim::kFirst);
  }
}

TEST(SingleInstance, FirstClaimWinsAndASecondSeesItUntilReleased) {
  const std::wstring product = L"Single instance test " + std::to_wstring(::GetCurrentProcessId());
  SingleInstance first;
  ASSERT_EQ(first.ClaimFor(product), SingleInstance::Claim::kFirst);
  first.Publish(product);
  SingleInstance second;
  EXPECT_EQ(second.ClaimFor(product), SingleInstance::Claim::kAnotherRuns);
  second.Release();
  first.Release();
  SingleInstance third;
  EXPECT_EQ(third.ClaimFor(product), SingleInstance::Claim::kFirst);
}

TEST(SingleInstance, ProductsWithOtherNamesDoNotCollide) {
  const std::wstring base = L"Side by side " + std::to_wstring(::GetCurrentProcessId());
  SingleInstance a, b;
  EXPECT_EQ(a.ClaimFor(base + L" A"), SingleInstance::Claim::kFirst);
  EXPECT_EQ(b.ClaimFor(base + L" B"), SingleInstance::Claim::kFirst);
}

TEST(SingleInstance, ALaterInstanceActivatesTheWindowNamedInTheSection) {
  const std::wstring product = L"Activation test " + std::to_wstring(::GetCurrentProcessId());
  HWND window = ::CreateWindowExW(0, L"STATIC", product.c_str(), WS_POPUP | WS_VISIBLE, 10, 10, 100, 50,
                                  nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 10, 10, 100, 50, nullptr,
                                 nullptr, nullptr, nullptr);
  ::SetForegroundWindow(other);
  SingleInstance first;
  ASSERT_EQ(first.ClaimFor(product), SingleInstance::Claim::kFirst);
  first.Publish(product);
  SingleInstance second;
  EXPECT_EQ(second.ClaimFor(product), SingleInstance::Claim::kAnotherRuns);
  EXPECT_EQ(::GetForegroundWindow(), window);
  ::DestroyWindow(other);
  ::DestroyWindow(window);
}

TEST(SingleInstance, ALongProductNameIsCutToWhatTheSectionHolds) {
  const std::wstring product(200, L'P');
  SingleInstance first;
  ASSERT_EQ(first.ClaimFor(product + std::to_wstring(::GetCurrentProcessId())),
            SingleInstance::Claim::kFirst);
  first.Publish(product);
  // A second view of the same section reads what another instance would.
  const std::wstring name = SingleInstance::SectionName(product + std::to_wstring(::GetCurrentProcessId()));
  win::UniqueHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, name.c_str()));
  ASSERT_TRUE(mapping);
  win::UniqueView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  ASSERT_TRUE(view);
  EXPECT_EQ(SingleInstance::ReadTitle(view.get()), std::wstring(129, L'P'));
  EXPECT_EQ(static_cast<const wchar_t*>(view.get())[129], L'\0');
}

class ShowMessageTest : public ::testing::Test {
 protected:
  // The program's own English strings, as the executable carries them.
  ShowMessageTest() {
    win::AdoptResourceModule(win::UniqueModule(
        ::LoadLibraryExW((test::BinFolder() / L"Startdeck.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)));
  }
  ~ShowMessageTest() override {
    win::SetMessageBoxAnswerer(nullptr);
    win::ResetResourceModule();
  }
  std::vector<win::MessageBoxRequest> shown_;
  CStartdeckApp app_;
};

TEST_F(ShowMessageTest, PutsTheArgumentInQuotesForTheOnePercentS) {
  win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& request) {
    shown_.push_back(request);
    return IDNO;
  });
  const int answer = app_.ShowMessage(IDS_SW_RELAUNCH_HOST, L"Microsoft Word", MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(answer, IDNO);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].text,
            L"Translation features have been integrated successfully. Please relaunch the \"Microsoft Word\" "
            L"application.");
  EXPECT_EQ(shown_[0].caption, L"VANTO Main Application");
  EXPECT_EQ(shown_[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

TEST_F(ShowMessageTest, ATextWithoutPlaceholderIsShownAsItStands) {
  win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& request) {
    shown_.push_back(request);
    return IDOK;
  });
  app_.ShowMessage(IDS_CANNOT_LOAD_INF, L"ignored");
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].text, L"Cannot load external resource file.");
  EXPECT_EQ(shown_[0].flags, static_cast<UINT>(MB_OK));
}

TEST_F(ShowMessageTest, TheOtherProductsMessageGoesToTheKernelNotAMessageBox) {
  win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& request) {
    shown_.push_back(request);
    return IDCANCEL;
  });
  EXPECT_EQ(app_.ShowMessage(IDS_OTHER_PRODUCTS, L"", MB_OK), IDOK);
  EXPECT_TRUE(shown_.empty());
}

TEST(SharedGraphics, CreatesEveryFontAndReleasesThem) {
  app::SharedGraphics graphics;
  graphics.Create();
  for (int i = 0; i < static_cast<int>(app::SharedFont::kCount); ++i) {
    const HFONT font = graphics.Font(static_cast<app::SharedFont>(i));
    ASSERT_NE(font, nullptr) << i;
    LOGFONTW info{};
    ASSERT_NE(::GetObjectW(font, sizeof(info), &info), 0) << i;
  }
  LOGFONTW lucida{};
  ::GetObjectW(graphics.Font(app::SharedFont::kLucidaConsole14), sizeof(lucida), &lucida);
  EXPECT_STREQ(lucida.lfFaceName, L"Lucida Console");
  EXPECT_EQ(lucida.lfHeight, 14);
  EXPECT_EQ(lucida.lfQuality, CLEARTYPE_QUALITY);
  EXPECT_NE(graphics.Font(app::SharedFont::kTahoma13), graphics.Font(app::SharedFont::kTahoma13Second));
  const HFONT bold = graphics.Font(app::SharedFont::kTahoma18Bold);
  graphics.Destroy();
  EXPECT_EQ(::GetObjectType(bold), 0u);  // deleted
}

// The bitmaps cost nothing until a painter asks for one; then each is decoded once, with the
// picture's own pixels, and its size is known before that from the picture's header.
TEST(SharedGraphics, DecodesEachBitmapWhenItIsFirstAskedFor) {
  win::UniqueModule program(::LoadLibraryExW((test::BinFolder() / L"Startdeck.exe").c_str(), nullptr,
                                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(program);
  app::SharedGraphics graphics;
  graphics.Create(program.get());
  EXPECT_EQ(graphics.LoadedBitmapCount(), 0u);

  const struct {
    int id;
    size_t loadedAfter;
  } kAsks[] = {
      {IDB_PANEL_BACKGROUND, 1},
      {IDB_LIST_ROWS, 2},
      {IDB_PANEL_BACKGROUND, 2},  // the same one again
      {1, 2},                     // not a skin picture
  };
  for (const auto& ask : kAsks) {
    SCOPED_TRACE(ask.id);
    const SIZE header = graphics.BitmapSize(ask.id);
    const HBITMAP bitmap = graphics.Bitmap(ask.id);
    EXPECT_EQ(graphics.LoadedBitmapCount(), ask.loadedAfter);
    if (ask.id == 1) {
      EXPECT_EQ(bitmap, nullptr);
      EXPECT_EQ(header.cx, 0);
      continue;
    }
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(graphics.Bitmap(ask.id), bitmap);
    win::UniqueBitmap own(app::LoadSkinImage(program.get(), ask.id));
    const test::Pixels want = test::BitmapPixels(own.get());
    const test::Pixels got = test::BitmapPixels(bitmap);
    EXPECT_EQ(header.cx, want.width);
    EXPECT_EQ(header.cy, want.height);
    EXPECT_EQ(app::SkinBitmap(graphics, ask.id).Size().cy, want.height);
    EXPECT_EQ(got.width, want.width);
    EXPECT_TRUE(got.data == want.data);
  }
  const HBITMAP rows = graphics.Bitmap(IDB_LIST_ROWS);
  graphics.Destroy();
  EXPECT_EQ(::GetObjectType(rows), 0u);  // deleted
  EXPECT_EQ(graphics.LoadedBitmapCount(), 0u);
}

// The libraries a program's import table names, which the loader maps before its entry point
// runs, in lower case; empty when the file is no 64-bit program.
std::vector<std::string> ImportedLibraries(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const auto read = [&bytes](size_t offset, auto& into) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(into)) return false;
    std::memcpy(&into, bytes.data() + offset, sizeof(into));
    return true;
  };
  IMAGE_DOS_HEADER dos{};
  IMAGE_NT_HEADERS64 nt{};
  if (!read(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return {};
  const auto ntAt = static_cast<size_t>(dos.e_lfanew);
  if (!read(ntAt, nt) || nt.Signature != IMAGE_NT_SIGNATURE ||
      nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
    return {};
  const size_t sectionsAt =
      ntAt + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
  const auto offsetOf = [&](DWORD rva) -> size_t {
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
      IMAGE_SECTION_HEADER section{};
      if (!read(sectionsAt + i * sizeof(section), section)) break;
      const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
      if (rva >= section.VirtualAddress && rva - section.VirtualAddress < size)
        return section.PointerToRawData + (rva - section.VirtualAddress);
    }
    return bytes.size();
  };
  std::vector<std::string> names;
  const DWORD imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (size_t at = offsetOf(imports);; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    IMAGE_IMPORT_DESCRIPTOR descriptor{};
    if (!read(at, descriptor) || descriptor.Name == 0) break;
    std::string name;
    for (size_t c = offsetOf(descriptor.Name); c < bytes.size() && bytes[c] != '\0'; ++c)
      name += static_cast<char>(std::tolower(static_cast<unsigned char>(bytes[c])));
    names.push_back(name);
  }
  return names;
}

// What the first paint does not use is loaded when first called: the accessibility library when a
// screen reader first asks, the shell's URL helper when a web page is dropped.
TEST(StartupLibraries, TheProgramImportsOnlyWhatItsFirstPaintUses) {
  const std::vector<std::string> imported = ImportedLibraries(test::BinFolder() / L"Startdeck.exe");
  for (const char* needed : {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "ole32.dll"})
    EXPECT_NE(std::find(imported.begin(), imported.end(), needed), imported.end()) << needed;
  for (const char* later : {"oleacc.dll", "shlwapi.dll"})
    EXPECT_EQ(std::find(imported.begin(), imported.end(), later), imported.end()) << later;
}

}  // namespace
