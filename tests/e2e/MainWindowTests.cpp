// The main window as a person meets it: keys that must do nothing, the About box, and the other suite
// programs' request to close.
#include <gtest/gtest.h>

#include "support/Driver.h"
#include "support/Installation.h"

namespace {

using namespace std::chrono_literals;
using test::Installation;
using test::Process;

constexpr int kExitButton = 313;
constexpr int kAboutButton = 324;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation_.Ok());
    ASSERT_TRUE(deck_.Start(installation_.Program()));
    window_ = test::WaitForWindow(deck_.Id(), installation_.Product(), L"#32770", 20s);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    if (deck_.Running()) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    deck_.WaitForExit(10s);
  }

  Installation installation_;
  Process deck_;
  HWND window_ = nullptr;
};

TEST_F(MainWindowTest, EnterEscapeTabAndSpaceDoNothing) {
  HWND exitButton = ::GetDlgItem(window_, kExitButton);
  ASSERT_NE(exitButton, nullptr);
  // Space on the Exit button would press it, Escape and Enter would end an ordinary dialog.
  for (HWND target : {window_, exitButton}) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_TAB, VK_SPACE}) {
      ::PostMessageW(target, WM_KEYDOWN, key, 1);
      ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    }
  }
  EXPECT_FALSE(deck_.WaitForExit(1500ms));
  EXPECT_TRUE(::IsWindowVisible(window_));
}

TEST_F(MainWindowTest, AboutShowsTheKernelsAboutBox) {
  test::Click(::GetDlgItem(window_, kAboutButton));
  HWND about = test::WaitForWindow(deck_.Id(), L"VANTO Kernel - About", L"", 10s);
  ASSERT_NE(about, nullptr);
  ::Sleep(200);
  std::wcout << L"screenshot: " << test::SaveScreenshot(L"main-window-about").wstring() << L"\n";
  ::PostMessageW(about, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindow(about); }, 5s));
  EXPECT_TRUE(deck_.Running());
}

TEST_F(MainWindowTest, AGoHomeBroadcastFromAnotherProgramClosesTheWindow) {
  const UINT goHome = ::RegisterWindowMessageW(L"TALLOW_GO_HOME");
  ::PostMessageW(HWND_BROADCAST, goHome, 0, 0);
  EXPECT_TRUE(deck_.WaitForExit(10s));
  EXPECT_EQ(deck_.ExitCode(), 0u);
}

TEST_F(MainWindowTest, TheWindowCanBeMinimisedAndRestored) {
  test::Click(::GetDlgItem(window_, 310));
  EXPECT_TRUE(test::WaitUntil([&] { return ::IsIconic(window_) != FALSE; }, 5s));
  ::PostMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(test::WaitUntil([&] { return ::IsIconic(window_) == FALSE; }, 5s));
  EXPECT_TRUE(deck_.Running());
}

}  // namespace
