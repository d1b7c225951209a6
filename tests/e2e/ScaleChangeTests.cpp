// A change of display scale, as Windows tells a window moved to a monitor of another DPI: the
// message WM_DPICHANGED with the rectangle the window is to take. Going to 200 % and back to 100 %
// leaves the window exactly as it was, pixel for pixel, on the start page and with a task panel
// open; meanwhile it took the suggested place at twice its size.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "SkinScales.h"
#include "support/RegistrySandbox.h"
#include "support/RemoteControls.h"
#include "support/ScreenPixels.h"
#include "support/WindowLayout.h"

namespace {

using namespace std::chrono_literals;

#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;
#endif

// The window as the screen shows it, with the caret's blinking rectangle (when there is one)
// blanked, once two grabs a third of a second apart agree; empty when they never do.
test::Pixels SteadyPicture(HWND window) {
  const auto grab = [window] {
    test::Pixels picture = test::GrabWindow(window);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) && info.hwndCaret) {
      RECT caret = info.rcCaret, frame{};
      ::MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret), 2);
      ::GetWindowRect(window, &frame);
      for (LONG y = caret.top; y < caret.bottom; ++y)
        for (LONG x = caret.left; x < caret.right; ++x) {
          const LONG px = x - frame.left, py = y - frame.top;
          if (px >= 0 && py >= 0 && px < picture.width && py < picture.height)
            picture.data[static_cast<size_t>(py) * picture.width + px] = 0;
        }
    }
    return picture;
  };
  test::Pixels before = grab();
  for (int attempt = 0; attempt < 30; ++attempt) {
    test::WaitUntil([] { return false; }, 300ms);
    test::Pixels now = grab();
    if (now == before) return now;
    before = std::move(now);
  }
  return {};
}

// Delivers WM_DPICHANGED for `dpi` with the rectangle `suggested`. The message carries a pointer
// to the rectangle; whether the system copies it into the receiving program differs between
// systems, so it is put at the same address in both programs, and whichever is read holds it.
::testing::AssertionResult ChangeDpi(HWND window, int dpi, const RECT& suggested) {
  test::RemoteBlock remote(window, sizeof(RECT));
  if (!remote.At(0) || !remote.Write(0, &suggested, sizeof(RECT)))
    return ::testing::AssertionFailure() << "no memory in the window's program";
  void* local = ::VirtualAlloc(remote.At(0), sizeof(RECT), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (local) *static_cast<RECT*>(local) = suggested;
  DWORD_PTR answer = 0;
  const LRESULT sent =
      ::SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                            reinterpret_cast<LPARAM>(remote.At(0)), SMTO_ABORTIFHUNG, 10000, &answer);
  if (local) ::VirtualFree(local, 0, MEM_RELEASE);
  if (!sent) return ::testing::AssertionFailure() << "the window did not answer WM_DPICHANGED";
  return ::testing::AssertionSuccess();
}

RECT WindowRect(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r;
}

class ScaleChangeTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    // The pointer away from the window, so that no hover lights a control up.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    StartDeck();
  }

  // To 192 DPI and back, at the window's own top left; the window at 192 DPI must be twice its
  // size (a pixel of slack per edge) at the suggested place kept inside the work area, and at the
  // end as it was.
  void GoToDoubleAndBack(const std::wstring& name) {
    const RECT before = WindowRect(window_);
    const test::Pixels picture = SteadyPicture(window_);
    ASSERT_FALSE(picture.data.empty()) << "the window did not settle";
    const int width = before.right - before.left, height = before.bottom - before.top;
    const RECT doubled{before.left, before.top, before.left + skinscale::Px(width, 192),
                       before.top + skinscale::Px(height, 192)};
    ASSERT_TRUE(ChangeDpi(window_, 192, doubled));
    test::WaitUntil([] { return false; }, 500ms);
    const RECT big = WindowRect(window_);
    test::Screenshot(L"scale-change-" + name + L"-192");
    // Larger than the screen at 192 DPI, it moves as far in as it must (its top left stays on).
    EXPECT_EQ(big.left, test::KeptInWorkArea(doubled).x);
    EXPECT_EQ(big.top, test::KeptInWorkArea(doubled).y);
    EXPECT_NEAR(big.right - big.left, doubled.right - doubled.left, 2);
    EXPECT_NEAR(big.bottom - big.top, doubled.bottom - doubled.top, 2);

    ASSERT_TRUE(ChangeDpi(window_, 96, before));
    const test::Pixels after = SteadyPicture(window_);
    test::Screenshot(L"scale-change-" + name + L"-96");
    const RECT back = WindowRect(window_);
    EXPECT_TRUE(::EqualRect(&back, &before))
        << back.left << "," << back.top << "-" << back.right << "," << back.bottom;
    EXPECT_EQ(test::CountDifferences(picture, after), 0u);
  }
};

TEST_F(ScaleChangeTest, TheStartPageComesBackPixelForPixel) {
  GoToDoubleAndBack(L"start-page");
}

TEST_F(ScaleChangeTest, AnOpenTaskPanelStaysOpenWithItsTextAndFocusAndComesBackPixelForPixel) {
  OpenTask(test::kStartButtonTab1, test::kListOfTab1, 0);
  const HWND source = WaitForControl(IDC_QUICK_SOURCE);
  ASSERT_NE(source, nullptr);
  Activate();
  ASSERT_TRUE(test::ClickToFocus(source));
  ASSERT_TRUE(test::TypeKeysInto(source, L"The house is big."));
  GoToDoubleAndBack(L"quick-translation");
  EXPECT_EQ(test::FindVisible(window_, IDC_QUICK_SOURCE), source);
  EXPECT_EQ(test::ControlText(source), L"The house is big.");
  EXPECT_EQ(test::FocusIn(window_), source);
}

}  // namespace

namespace {

// The display scale the test programs run at: 96 DPI unless the run asked for another
// (STARTDECK_EXPECTED_DPI, set by run-at-dpi.sh).
int ExpectedDpi() {
  wchar_t expected[16] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"STARTDECK_EXPECTED_DPI", expected, 16);
  return length > 0 && length < 16 ? _wtoi(expected) : 96;
}

// The cases that run at another scale are only worth their name when the system really tells the
// programs that DPI.
TEST(DisplayScale, TheSystemTellsTheDpiTheRunAskedFor) {
  const int dpi = ExpectedDpi();
  const HDC screen = ::GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(::GetDeviceCaps(screen, LOGPIXELSY), dpi);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(test::ListRowHeight(), skinscale::Px(test::kListRowHeight, dpi));
}

}  // namespace

namespace {

// The window's size in the design: its background picture's at 96 DPI.
constexpr SIZE kDesignWindow = {690, 526};

class DisplayScaleLayout : public test::DeckTest {
 protected:
  // The layout of the window now, checked at the run's scale: the window of the design size times
  // the scale, no control cut off by its parent or overlapping a sibling it should not, and every
  // font of one of the program's design heights times the scale.
  void CheckLayout(const std::wstring& view) const {
    SCOPED_TRACE(view);
    const int dpi = skinscale::SkinDpiFor(ExpectedDpi());
    const test::WindowLayout layout = test::RecordLayout(window_);
    EXPECT_EQ(layout.dpi, ExpectedDpi());
    EXPECT_NEAR(layout.window.right - layout.window.left, skinscale::Px(kDesignWindow.cx, dpi), 2);
    EXPECT_NEAR(layout.window.bottom - layout.window.top, skinscale::Px(kDesignWindow.cy, dpi), 2);
    // However large, its title bar and close button are on the screen.
    const RECT work = test::WorkArea();
    EXPECT_GE(layout.window.left, work.left);
    EXPECT_GE(layout.window.top, work.top);
    EXPECT_EQ(test::PlacementFaults(layout), std::vector<std::wstring>{});
    for (const test::ControlPlace& control : layout.controls) {
      if (!control.hasFont) continue;
      const bool scaled = std::any_of(
          std::begin(test::kDesignFontHeights), std::end(test::kDesignFontHeights),
          [&](int design) { return test::IsScaledFontHeight(design, std::abs(control.font), dpi); });
      EXPECT_TRUE(scaled) << ::testing::PrintToString(control.path) << " draws with a font of height "
                          << control.font;
    }
  }
};

TEST_F(DisplayScaleLayout, TheStartPageAndTheQuickTranslationPanelAreLaidOutAtTheScale) {
  StartDeck();
  CheckLayout(L"the start page");
  OpenTask(test::kStartButtonTab1, test::kListOfTab1, 0);
  ASSERT_NE(WaitForControl(IDC_QUICK_SOURCE), nullptr);
  CheckLayout(L"the quick translation panel");
}

TEST_F(DisplayScaleLayout, TenRecentDocumentsWithLongNamesFitTheTranslationTabsColumnAtTheScale) {
  const std::wstring recent = L"Software\\Korvelsoft\\VNTO9\\Startdeck\\Recent Documents\\";
  for (int i = 1; i <= 10; ++i) {
    const std::wstring key = recent + std::to_wstring(i);
    test::SetString(HKEY_CURRENT_USER, key, L"Document",
                    L"C:\\Reports\\Quarterly report of the northern region, final version " +
                        std::to_wstring(i) + L".docx");
    test::SetDword(HKEY_CURRENT_USER, key, L"Task", 11);
    test::SetString(HKEY_CURRENT_USER, key, L"Application", L"Microsoft Word 2007/2010");
    test::SetDword(HKEY_CURRENT_USER, key, L"Direction", 0x0709);
    test::SetString(HKEY_CURRENT_USER, key, L"Profile", L"Business");
  }
  StartDeck();
  ASSERT_NE(test::OpenTab(window_, test::kStartButtonTab1, test::kListOfTab1), nullptr);
  ASSERT_TRUE(test::WaitUntil([&] { return Control(IDC_RECENT_DOCUMENTS) != nullptr; }, 5s));
  CheckLayout(L"the translation tab with ten recent documents");
  ClearUserRecords();
}

}  // namespace
