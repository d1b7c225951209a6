// The main window as a person meets it: keys that must do nothing, the About box, and the other suite
// programs' request to close.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "menu/TabTable.h"

namespace {

using namespace std::chrono_literals;
using test::FindDescendant;

class MainWindowTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    StartDeck();
  }
};

// Enter and Escape never end the window, as they would end an ordinary dialog. (Tab and Space used to
// do nothing here too; they now move the focus and press the focused control, which the keyboard
// tests check.)
TEST_F(MainWindowTest, EnterAndEscapeNeverEndTheWindow) {
  // A click checks "show all features" and gives the box the focus.
  HWND showAll = ::GetDlgItem(window_, IDC_SHOW_ALL_FEATURES);
  ASSERT_NE(showAll, nullptr);
  test::Click(showAll);
  ASSERT_TRUE(test::WaitUntil([&] { return ::SendMessageW(showAll, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s));
  const struct {
    HWND target;
    WPARAM key;
  } keys[] = {{showAll, VK_ESCAPE}, {window_, VK_RETURN}, {window_, VK_ESCAPE}};
  for (const auto& k : keys) {
    ::PostMessageW(k.target, WM_KEYDOWN, k.key, 1);
    ::PostMessageW(k.target, WM_KEYUP, k.key, 0xC0000001);
  }
  EXPECT_FALSE(deck_.WaitForExit(1500ms));
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_EQ(::SendMessageW(showAll, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(MainWindowTest, AboutShowsTheKernelsAboutBox) {
  test::Click(::GetDlgItem(window_, IDC_ABOUT));
  HWND about = test::WaitForWindow(deck_.Id(), L"VANTO Kernel - About", L"", 10s);
  ASSERT_NE(about, nullptr);
  test::Screenshot(L"main-window-about");
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
  test::Click(::GetDlgItem(window_, IDC_MINIMIZE));
  EXPECT_TRUE(test::WaitUntil([&] { return ::IsIconic(window_) != FALSE; }, 5s));
  ::PostMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(test::WaitUntil([&] { return ::IsIconic(window_) == FALSE; }, 5s));
  EXPECT_TRUE(deck_.Running());
}

using test::Visible;

// Every tab of the tab table has its start-page button, its ribbon tab and, when it shows a list,
// its list in the real window.
TEST_F(MainWindowTest, EveryTabOfTheTabTableHasItsControls) {
  for (const ui::TabRow& row : ui::kTabs) {
    SCOPED_TRACE(static_cast<int>(row.tab));
    EXPECT_NE(FindDescendant(window_, row.startButtonId), nullptr);
    EXPECT_NE(FindDescendant(window_, row.ribbonId), nullptr);
    if (ui::ShowsList(row)) {
      EXPECT_NE(FindDescendant(window_, row.panelId), nullptr);
    }
  }
}

TEST_F(MainWindowTest, EachStartPageButtonOpensItsTabAndHomeComesBack) {
  const struct {
    int startButton;
    const wchar_t* name;
  } tabs[] = {{316, L"tab1-translation"}, {291, L"tab2-setup"}, {294, L"tab3-dictionaries"},
              {297, L"tab4-launch"},      {307, L"tab5-guide"}, {301, L"tab6-net"},
              {304, L"tab7-my-vanto"}};
  HWND ribbon = FindDescendant(window_, IDC_RIBBON);
  HWND home = ::GetDlgItem(window_, IDC_HOME);
  HWND about = ::GetDlgItem(window_, IDC_ABOUT);
  ASSERT_NE(ribbon, nullptr);
  ASSERT_NE(home, nullptr);
  EXPECT_FALSE(Visible(ribbon));
  EXPECT_FALSE(Visible(home));
  test::Screenshot(L"view-start-page");

  for (const auto& tab : tabs) {
    HWND button = FindDescendant(window_, tab.startButton);
    ASSERT_NE(button, nullptr) << tab.name;
    HWND startPage = ::GetParent(button);
    ASSERT_TRUE(Visible(startPage)) << tab.name;
    test::Click(button);
    // The window switches its children one after another: wait for the whole new state.
    EXPECT_TRUE(test::WaitUntil(
        [&] { return Visible(ribbon) && !Visible(startPage) && Visible(home) && !Visible(about); }, 5s))
        << tab.name;
    test::Screenshot(L"view-" + std::wstring(tab.name));

    test::Click(home);
    EXPECT_TRUE(test::WaitUntil(
        [&] { return !Visible(ribbon) && Visible(startPage) && !Visible(home) && Visible(about); }, 5s))
        << tab.name;
  }
}

TEST_F(MainWindowTest, EachTabOpensFromTheRibbonToo) {
  test::Click(FindDescendant(window_, 316));  // tab 1 from the start page
  HWND ribbon = FindDescendant(window_, IDC_RIBBON);
  ASSERT_TRUE(test::WaitUntil([&] { return Visible(ribbon); }, 5s));
  HWND tab1List = FindDescendant(window_, 1101);
  ASSERT_TRUE(test::WaitUntil([&] { return Visible(tab1List); }, 5s));
  // Tab 4's list replaces tab 1's; tab 3 shows Install; tab 6 its own list; back to tab 1.
  const struct {
    int ribbonTab;
    int shows;
  } steps[] = {{353, 1104}, {348, 396}, {342, 1106}, {335, 1101}};
  for (const auto& step : steps) {
    HWND tab = FindDescendant(ribbon, step.ribbonTab);
    ASSERT_NE(tab, nullptr) << step.ribbonTab;
    test::Click(tab);
    HWND shown = FindDescendant(window_, step.shows);
    ASSERT_NE(shown, nullptr) << step.ribbonTab;
    EXPECT_TRUE(test::WaitUntil([&] { return Visible(shown); }, 5s)) << step.ribbonTab;
    for (int list : {1101, 1102, 1104, 1106}) {
      if (list != step.shows) {
        EXPECT_FALSE(Visible(FindDescendant(window_, list))) << step.ribbonTab;
      }
    }
  }
}

TEST_F(MainWindowTest, EveryButtonAndCheckBoxHasATooltip) {
  // Wine shows tooltips only for a pointer it moved itself, so the tips are counted, not looked at:
  // the window's tooltip control carries one tool for each button and each check box. The window
  // makes it just after its first paint, and the lists have tooltips of their own (a tool a row):
  // the counts of all the window's tooltips are read until the start-up has made the window's.
  std::vector<LRESULT> counts;
  const auto read = [&] {
    counts.clear();
    for (HWND tooltip : test::TooltipsOwnedBy(window_))
      counts.push_back(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    return counts;
  };
  EXPECT_TRUE(test::WaitUntil([&] { return std::ranges::count(read(), 10) == 1; }, 5s))
      << "tool counts of the window's tooltips: " << testing::PrintToString(counts);
}

}  // namespace
