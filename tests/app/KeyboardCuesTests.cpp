// What keyboard users and high-contrast users are shown, as the window's parts ask it: the UI state
// a window keeps for its focus cues and access keys, and whether high contrast is on.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "support/RegistrySandbox.h"
#include "win/KeyboardCues.h"

namespace {

constexpr wchar_t kContrastKey[] = L"Control Panel\\Accessibility\\HighContrast";

bool SystemOffersHighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_AVAILABLE) != 0;
}

class HighContrastTest : public test::SandboxedTest {};

// Where the system does not offer the mode (Wine), the user's setting as Windows stores it decides.
TEST_F(HighContrastTest, FollowsTheStoredSettingWhereTheSystemOffersNoMode) {
  if (SystemOffersHighContrast()) {
    std::printf("SKIPPED: the system offers high contrast itself; the stored setting is not read\n");
    GTEST_SKIP();
  }
  EXPECT_FALSE(win::HighContrastOn()) << "no setting stored";
  const struct {
    const wchar_t* text;  // REG_SZ, as Windows writes it; null: the DWORD below
    DWORD number;
    bool on;
  } cases[] = {
      {L"126", 0, false}, {L"127", 0, true}, {L"1", 0, true},    {L"0", 0, false},
      {L"", 0, false},    {L"x1", 0, false}, {nullptr, 1, true}, {nullptr, 126, false},
  };
  for (const auto& c : cases) {
    if (c.text)
      test::SetString(HKEY_CURRENT_USER, kContrastKey, L"Flags", c.text);
    else
      test::SetDword(HKEY_CURRENT_USER, kContrastKey, L"Flags", c.number);
    EXPECT_EQ(win::HighContrastOn(), c.on)
        << (c.text ? ::testing::PrintToString(std::wstring(c.text)) : std::to_string(c.number));
  }
}

// A top-level window with a child, which records the UI-state changes it is told about.
class CuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    top_ =
        ::CreateWindowExW(0, L"STATIC", L"top", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(top_, nullptr);
    child_ = ::CreateWindowExW(0, L"STATIC", L"&Child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, top_, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(child_, nullptr);
    ASSERT_TRUE(::SetWindowSubclass(child_, &Record, 1, reinterpret_cast<DWORD_PTR>(&updates_)));
  }
  void TearDown() override {
    if (top_) {
      win::ForgetKeyboardCues(top_);
      ::DestroyWindow(top_);
    }
  }

  static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR updates) {
    if (message == WM_UPDATEUISTATE) ++*reinterpret_cast<int*>(updates);
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(window, &Record, 1);
    return ::DefSubclassProc(window, message, wParam, lParam);
  }

  HWND top_ = nullptr;
  HWND child_ = nullptr;
  int updates_ = 0;
};

TEST_F(CuesTest, HiddenAndShownForTheWindowAndWhatIsInsideIt) {
  win::HideKeyboardCues(top_);
  for (HWND window : {top_, child_}) {
    EXPECT_FALSE(win::FocusCuesShown(window));
    EXPECT_FALSE(win::AccessKeysShown(window));
  }
  EXPECT_GE(updates_, 1) << "the child was not told";
  const int afterHiding = updates_;
  win::ShowKeyboardCues(top_);
  for (HWND window : {top_, child_}) {
    EXPECT_TRUE(win::FocusCuesShown(window));
    EXPECT_TRUE(win::AccessKeysShown(window));
  }
  EXPECT_GT(updates_, afterHiding) << "the child was not told";
}

TEST_F(CuesTest, ANullWindowShowsNothing) {
  EXPECT_FALSE(win::FocusCuesShown(nullptr));
  EXPECT_FALSE(win::AccessKeysShown(nullptr));
  win::HideKeyboardCues(nullptr);  // nothing to change, and no failure
  win::ShowKeyboardCues(nullptr);
}

}  // namespace
