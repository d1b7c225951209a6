// The window at another DPI: the system tells it with WM_DPICHANGED (it moved to a monitor of
// another DPI, or the user changed the display scale) and suggests where it goes. The window takes
// the size of its pictures at the new scale, keeps what is open, typed and focused, and a change
// back leaves every part of it where it was. The programs declare their DPI awareness.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "SkinScales.h"

namespace {

using namespace std::chrono_literals;

// Sends WM_DPICHANGED as the system does, with the suggested rectangle in the window's process,
// where the window reads it. False when the rectangle cannot be put there or nobody answers.
bool SendDpiChange(HWND window, int dpi, const RECT& suggested) {
  test::RemoteBlock block(window, sizeof(RECT));
  if (!block.At(0) || !block.Write(0, &suggested, sizeof(suggested))) return false;
  DWORD_PTR answer = 0;
  return ::SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                               reinterpret_cast<LPARAM>(block.At(0)), SMTO_NORMAL, 10000, &answer) != 0;
}

RECT WindowPlace(HWND window) {
  RECT place{};
  ::GetWindowRect(window, &place);
  return place;
}

SIZE SizeOf(const RECT& place) {
  return {place.right - place.left, place.bottom - place.top};
}

// Every window below `window`, shown or hidden, with its rectangle in `window`'s client area.
std::map<HWND, RECT> ChildPlaces(HWND window) {
  std::map<HWND, RECT> places;
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto& found = *reinterpret_cast<std::map<HWND, RECT>*>(data);
        RECT place = WindowPlace(child);
        ::MapWindowPoints(nullptr, ::GetAncestor(child, GA_ROOT), reinterpret_cast<POINT*>(&place), 2);
        found[child] = place;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&places));
  return places;
}

std::string Describe(HWND window, const RECT& place) {
  wchar_t name[64] = L"";
  ::GetClassNameW(window, name, 64);
  std::string text = "id " + std::to_string(::GetDlgCtrlID(window)) + " (";
  for (const wchar_t* c = name; *c; ++c) text += static_cast<char>(*c < 128 ? *c : '?');
  return text + ") at " + std::to_string(place.left) + "," + std::to_string(place.top) + "-" +
         std::to_string(place.right) + "," + std::to_string(place.bottom);
}

class DpiChangeTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(StartDeck());
  }

  // Opens quick translation and types `text` into its source field, which then has the focus.
  void OpenQuickTranslationWith(const std::wstring& text) {
    ASSERT_NO_FATAL_FAILURE(OpenTask(test::kStartButtonTab1, test::kListOfTab1, 0));
    source_ = WaitForControl(IDC_QUICK_SOURCE);
    ASSERT_NE(source_, nullptr);
    ASSERT_NO_FATAL_FAILURE(Activate());
    ASSERT_TRUE(test::ClickToFocus(source_));
    ASSERT_TRUE(test::TypeKeysInto(source_, text));
  }

  // The quick-translation panel still shows `text` in its source field, which has the focus.
  [[nodiscard]] ::testing::AssertionResult PanelKept(const std::wstring& text) const {
    if (!::IsWindowVisible(source_) || !::IsWindowVisible(::GetParent(source_)))
      return ::testing::AssertionFailure() << "the panel was closed";
    if (test::ControlText(source_) != text)
      return ::testing::AssertionFailure()
             << "the source reads " << ::testing::PrintToString(test::ControlText(source_));
    if (!test::WaitUntil([&] { return test::FocusIn(window_) == source_; }, 2s))
      return ::testing::AssertionFailure()
             << "the focus left the source field for id " << ::GetDlgCtrlID(test::FocusIn(window_));
    return ::testing::AssertionSuccess();
  }

  HWND source_ = nullptr;
};

TEST_F(DpiChangeTest, AtTwiceTheDpiAndBackTheWindowKeepsItsPanelTextAndFocus) {
  ASSERT_NO_FATAL_FAILURE(OpenQuickTranslationWith(L"house"));
  const RECT at96 = WindowPlace(window_);
  const SIZE size96 = SizeOf(at96);
  const std::map<HWND, RECT> children96 = ChildPlaces(window_);
  ASSERT_GT(children96.size(), 20u);

  // The system suggests a place on the other monitor, of the size it would scale the window to.
  const RECT suggested = {at96.left + 40, at96.top + 30, at96.left + 40 + 2 * size96.cx,
                          at96.top + 30 + 2 * size96.cy};
  ASSERT_TRUE(SendDpiChange(window_, 192, suggested));
  const RECT at192 = WindowPlace(window_);
  test::Screenshot(L"dpi-change-192");
  // Where the suggested place would put part of the window off the screen, it moves in as far as it
  // can; larger than the screen (1380x1052 on 1280x1024), its top left, with the title bar, stays on.
  EXPECT_EQ(at192.left, test::KeptInWorkArea(suggested).x);
  EXPECT_EQ(at192.top, test::KeptInWorkArea(suggested).y);
  // The background picture at 200 %: the 96-DPI size scaled by the one rounding rule.
  EXPECT_NEAR(SizeOf(at192).cx, skinscale::Px(size96.cx, 192), 1);
  EXPECT_NEAR(SizeOf(at192).cy, skinscale::Px(size96.cy, 192), 1);
  EXPECT_TRUE(PanelKept(L"house"));
  // The panel moved with the scale: its top left is the design's, doubled.
  RECT panel = WindowPlace(::GetParent(source_));
  ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&panel), 2);
  EXPECT_EQ(panel.left, skinscale::Px(9, 192));
  EXPECT_EQ(panel.top, skinscale::Px(146, 192));

  ASSERT_TRUE(SendDpiChange(window_, 96, at96));
  test::Screenshot(L"dpi-change-back-to-96");
  const RECT back = WindowPlace(window_);
  EXPECT_TRUE(::EqualRect(&back, &at96)) << Describe(window_, back);
  const std::map<HWND, RECT> children = ChildPlaces(window_);
  for (const auto& [child, place] : children96) {
    const auto now = children.find(child);
    if (now == children.end()) {
      ADD_FAILURE() << "gone: " << Describe(child, place);
      continue;
    }
    EXPECT_TRUE(::EqualRect(&now->second, &place))
        << Describe(child, now->second) << ", was " << Describe(child, place);
  }
  EXPECT_TRUE(PanelKept(L"house"));
}

TEST_F(DpiChangeTest, AChangeWithinTheSameScaleOnlyMovesTheWindow) {
  // 100 DPI is drawn at the 96-DPI scale: nothing is laid out again.
  const RECT before = WindowPlace(window_);
  const std::map<HWND, RECT> children = ChildPlaces(window_);
  const RECT suggested = {before.left + 25, before.top + 15, before.right + 30, before.bottom + 20};
  ASSERT_TRUE(SendDpiChange(window_, 100, suggested));
  const RECT after = WindowPlace(window_);
  EXPECT_EQ(after.left, suggested.left);
  EXPECT_EQ(after.top, suggested.top);
  // A place above and left of the screen is moved back into the work area.
  const RECT work = test::WorkArea();
  const RECT outside = {work.left - 50, work.top - 14, work.left - 50 + SizeOf(before).cx,
                        work.top - 14 + SizeOf(before).cy};
  ASSERT_TRUE(SendDpiChange(window_, 100, outside));
  EXPECT_EQ(WindowPlace(window_).left, work.left);
  EXPECT_EQ(WindowPlace(window_).top, work.top);
  ASSERT_TRUE(SendDpiChange(window_, 100, suggested));
  EXPECT_EQ(SizeOf(after).cx, SizeOf(before).cx);
  EXPECT_EQ(SizeOf(after).cy, SizeOf(before).cy);
  // (The browser of an HTML page may add its view meanwhile: the windows that were there count.)
  const std::map<HWND, RECT> now = ChildPlaces(window_);
  for (const auto& [child, place] : children) {
    const auto found = now.find(child);
    ASSERT_NE(found, now.end()) << "gone: " << Describe(child, place);
    EXPECT_TRUE(::EqualRect(&found->second, &place)) << Describe(child, found->second);
  }
}

// What each program tells Windows about its DPI, read from the manifest in the installed file.
struct ManifestCase {
  const wchar_t* program;  // in the installation's folder
  std::vector<std::string> declarations;
};

const ManifestCase kManifests[] = {
    {L"Startdeck.exe",
     {"<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
      "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, "
      "PerMonitor</dpiAwareness>"}},
    {L"Apps\\VantoEM.exe",
     {"<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"}},
};

// The program's manifest resource (RT_MANIFEST 1); empty when it has none.
std::string ManifestOf(const std::wstring& path) {
  const HMODULE module =
      ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return {};
  std::string text;
  if (HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)))
    if (HGLOBAL loaded = ::LoadResource(module, found))
      text.assign(static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(module, found));
  ::FreeLibrary(module);
  return text;
}

class ManifestTest : public test::DeckTest, public ::testing::WithParamInterface<ManifestCase> {};

TEST_P(ManifestTest, TheProgramDeclaresItsDpiAwareness) {
  const std::string manifest = ManifestOf((installation_.Folder() / GetParam().program).wstring());
  ASSERT_FALSE(manifest.empty()) << "no manifest";
  // Inside the application's window settings, in the schema Windows reads it from.
  const size_t settings = manifest.find("<windowsSettings>");
  ASSERT_NE(settings, std::string::npos);
  for (const std::string& declaration : GetParam().declarations)
    EXPECT_GT(manifest.find(declaration, settings), settings) << declaration;
}

INSTANTIATE_TEST_SUITE_P(Programs, ManifestTest, ::testing::ValuesIn(kManifests),
                         [](const ::testing::TestParamInfo<ManifestCase>& param) {
                           return param.index == 0 ? std::string("Startdeck") : std::string("PluginsManager");
                         });

}  // namespace
