// A kernel that fails under the task panels, in the real window: a direction list it cannot give
// makes the task say so and leaves the window working, and the task opens once the kernel answers
// again; a profile editor that fails still leaves no editing record and tells the suite's programs.
#include <gtest/gtest.h>

#include <windows.h>

#include "support/Driver.h"
#include "support/Installation.h"

namespace {

using namespace std::chrono_literals;
using test::FindDescendant;

constexpr wchar_t kKernelSwitches[] = L"Software\\Korvelsoft\\VNTO9\\KernelSubstitute";
constexpr wchar_t kRunning[] = L"Software\\Korvelsoft\\VNTO9\\Running";
constexpr int kTranslateStartButton = 316;
constexpr int kSetupStartButton = 291;
constexpr int kListOfTab1 = 1101;
constexpr int kListOfTab2 = 1102;
constexpr int kDirectionList = 1052;
constexpr int kEditProfiles = 386;
constexpr int kRowHeight = 48;

void SetKernelSwitch(const wchar_t* name, DWORD value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kKernelSwitches, name, REG_DWORD, &value, sizeof(value));
}

class PanelKernelTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(installation_.Ok()); }
  void TearDown() override {
    if (deck_.Running()) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    deck_.WaitForExit(10s);
    for (const wchar_t* name : {L"DirectionsError", L"ProfileEditorError"})
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKernelSwitches, name);
  }

  void StartDeck() {
    ASSERT_TRUE(deck_.Start(installation_.Program())) << "error " << deck_.LastError();
    window_ = test::WaitForWindow(deck_.Id(), installation_.Product(), L"#32770", 20s);
    ASSERT_NE(window_, nullptr);
  }
  // Opens the tab with its start-page button and chooses `row` of its list.
  void ChooseRow(int startButton, int listId, int row) {
    test::Click(FindDescendant(window_, startButton));
    HWND list = FindDescendant(window_, listId);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(list) != FALSE; }, 5s));
    test::ClickAt(list, {120, row * kRowHeight + kRowHeight / 2});
  }
  [[nodiscard]] bool ShowsVisible(int id) const {
    HWND control = FindDescendant(window_, id);
    return control && ::IsWindowVisible(control);
  }

  test::Installation installation_;
  test::Process deck_;
  HWND window_ = nullptr;
};

TEST_F(PanelKernelTest, DirectionsTheKernelCannotGiveAreReportedAndReadAgainLater) {
  SetKernelSwitch(L"DirectionsError", 0x80004005);
  StartDeck();
  ChooseRow(kTranslateStartButton, kListOfTab1, 1);  // Translate Word Document

  const test::MessageBoxView box = test::WaitForMessageBox(deck_.Id(), 10s);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text,
            L"The translation directions cannot be read from the translation kernel. Close the program and start it "
            L"again; if the problem persists, reinstall the product.");
  test::PressButton(box.window, IDOK);
  // Back on the tab's list, the task's panel not shown.
  EXPECT_TRUE(test::WaitUntil([&] { return ShowsVisible(kListOfTab1); }, 5s));
  EXPECT_FALSE(ShowsVisible(kDirectionList));

  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKernelSwitches, L"DirectionsError");
  test::ClickAt(FindDescendant(window_, kListOfTab1), {120, kRowHeight + kRowHeight / 2});
  EXPECT_TRUE(test::WaitUntil([&] { return ShowsVisible(kDirectionList); }, 10s));
  EXPECT_TRUE(deck_.Running());
}

TEST_F(PanelKernelTest, AFailingProfileEditorLeavesNoRecordAndStillTellsTheSuite) {
  static UINT received = 0;
  const UINT templateChanged = ::RegisterWindowMessageW(L"TEMPLATECHANGED");
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == ::RegisterWindowMessageW(L"TEMPLATECHANGED")) ++received;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  };
  windowClass.lpszClassName = L"TemplateChangedListener";
  ::RegisterClassW(&windowClass);
  HWND listener = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    nullptr, nullptr);
  ASSERT_NE(listener, nullptr);
  ASSERT_NE(templateChanged, 0u);
  received = 0;

  SetKernelSwitch(L"ProfileEditorError", 0x80004005);
  StartDeck();
  ChooseRow(kSetupStartButton, kListOfTab2, 0);  // Edit profiles
  ASSERT_TRUE(test::WaitUntil([&] { return ShowsVisible(kEditProfiles); }, 10s));
  test::Click(FindDescendant(window_, kEditProfiles));

  EXPECT_TRUE(test::WaitUntil([] { return received > 0; }, 10s));
  wchar_t value[64] = {};
  DWORD size = sizeof(value);
  EXPECT_NE(::RegGetValueW(HKEY_CURRENT_USER, kRunning, L"TMD", RRF_RT_REG_SZ, nullptr, value, &size), ERROR_SUCCESS)
      << "left behind: " << testing::PrintToString(std::wstring(value));
  EXPECT_TRUE(deck_.Running());
  ::DestroyWindow(listener);
}

}  // namespace
