// What a window needs at a change of DPI, with real windows of this thread: one message reaches a
// whole tree parents first and then the popups the tree owns, but not another component's popup;
// the system's metrics and the status font at a DPI of our choosing.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win/DpiChange.h"
#include "win/Handle.h"
#include "win/Scale.h"

namespace {

constexpr UINT kProbe = WM_APP + 0x23;
constexpr wchar_t kClass[] = L"StartdeckDpiProbe";

// The windows that saw the probe, in order; each window's text names it.
std::vector<std::wstring>* g_seen = nullptr;

LRESULT CALLBACK Probe(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe && g_seen) {
    wchar_t name[32] = {};
    ::GetWindowTextW(window, name, 32);
    g_seen->push_back(name);
    // A parent that makes a child while it lays itself out: the child is reached too, once.
    if (std::wstring(name) == L"a" && ::FindWindowExW(window, nullptr, kClass, L"a-late") == nullptr)
      ::CreateWindowExW(0, kClass, L"a-late", WS_CHILD, 0, 0, 1, 1, window, nullptr,
                        ::GetModuleHandleW(nullptr), nullptr);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

class WindowTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.style = CS_GLOBALCLASS;  // found whatever module makes a window of it
    type.lpfnWndProc = Probe;
    type.hInstance = ::GetModuleHandleW(nullptr);
    type.lpszClassName = kClass;
    ::RegisterClassExW(&type);
    g_seen = &seen_;
  }
  void TearDown() override {
    g_seen = nullptr;
    for (HWND window : topLevel_) ::DestroyWindow(window);
  }

  HWND Make(const wchar_t* name, HWND parent, DWORD style, HINSTANCE instance = ::GetModuleHandleW(nullptr)) {
    HWND window = ::CreateWindowExW(0, kClass, name, style, 0, 0, 10, 10, parent, nullptr, instance, nullptr);
    if (!(style & WS_CHILD)) topLevel_.insert(topLevel_.begin(), window);  // owned ones go first
    return window;
  }

  std::vector<std::wstring> seen_;
  std::vector<HWND> topLevel_;
};

TEST_F(WindowTreeTest, ParentsComeBeforeTheirChildrenAndOwnedPopupsAfterTheTree) {
  HWND root = Make(L"root", nullptr, WS_POPUP);
  HWND a = Make(L"a", root, WS_CHILD);
  Make(L"a1", a, WS_CHILD);
  Make(L"b", root, WS_CHILD | WS_VISIBLE);
  // A drop-down list owned by a child's window, and a popup another module made (a kernel's box).
  Make(L"popup", a, WS_POPUP);
  ASSERT_NE(Make(L"foreign", root, WS_POPUP, ::GetModuleHandleW(L"user32.dll")), nullptr);
  HWND unrelated = Make(L"unrelated", nullptr, WS_POPUP);
  ASSERT_NE(unrelated, nullptr);

  win::SendParentsFirst(root, kProbe, 192, 0);
  ASSERT_FALSE(seen_.empty());
  EXPECT_EQ(seen_.front(), L"root");
  EXPECT_EQ(seen_.back(), L"popup");
  // Each window once (siblings in z-order), the one made during its parent's turn included; the
  // foreign and the unrelated popup not at all.
  std::vector<std::wstring> reached = seen_;
  std::sort(reached.begin(), reached.end());
  EXPECT_EQ(reached, (std::vector<std::wstring>{L"a", L"a-late", L"a1", L"b", L"popup", L"root"}));
  const auto at = [&](const wchar_t* name) {
    return std::find(seen_.begin(), seen_.end(), name) - seen_.begin();
  };
  EXPECT_LT(at(L"a"), at(L"a1"));
  EXPECT_LT(at(L"a"), at(L"a-late"));
}

TEST_F(WindowTreeTest, AWindowGoneMeanwhileIsSkippedAndAGoneRootSendsNothing) {
  HWND root = Make(L"root", nullptr, WS_POPUP);
  Make(L"a", root, WS_CHILD);
  win::SendParentsFirst(nullptr, kProbe, 96, 0);
  EXPECT_TRUE(seen_.empty());
  ::DestroyWindow(root);
  topLevel_.clear();
  win::SendParentsFirst(root, kProbe, 96, 0);
  EXPECT_TRUE(seen_.empty());
}

TEST(SystemMetricForDpi, IconSizesFollowTheDpi) {
  const int system = win::SystemDpi();
  for (const int index : {SM_CXICON, SM_CYICON, SM_CXSMICON, SM_CYSMICON}) {
    SCOPED_TRACE(index);
    const int atSystem = ::GetSystemMetrics(index);
    EXPECT_EQ(win::SystemMetricForDpi(index, system), atSystem);
    for (const int dpi : {96, 120, 144, 168, 192}) {
      SCOPED_TRACE(dpi);
      // The icon sizes are whole multiples of the design's 32 and 16 at every scale Windows uses.
      EXPECT_NEAR(win::SystemMetricForDpi(index, dpi), ::MulDiv(atSystem, dpi, system), 1);
    }
  }
}

TEST(StatusFontForDpi, TheFontGrowsWithTheDpi) {
  LOGFONTW at96{}, at192{};
  ASSERT_TRUE(win::StatusFontForDpi(96, at96));
  ASSERT_TRUE(win::StatusFontForDpi(192, at192));
  ASSERT_NE(at96.lfHeight, 0);
  EXPECT_NEAR(at192.lfHeight, 2 * at96.lfHeight, 1);
  EXPECT_STREQ(at192.lfFaceName, at96.lfFaceName);
}

}  // namespace
