// Choosing rows of the main window's lists as a person would, and what that leaves behind: the
// started suite application's journal line and its Running record, the dimmed rows of the
// show-all mode, and the settings saved when the window closes.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "vanto/KernelDialogs.h"

namespace {

using namespace std::chrono_literals;

class MainWindowListTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, test::kRunningKeyPath, L"Batcher");
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    StartDeck();
  }
  void TearDown() override {
    CloseDeck();
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, test::kRunningKeyPath, L"Batcher");
  }
};

TEST_F(MainWindowListTest, ALaunchListRowStartsItsApplicationWithARecord) {
  HWND list = test::OpenTab(window_, test::kStartButtonTab4, test::kListOfTab4);
  ASSERT_NE(list, nullptr);
  // The demo product's installed applications, in catalogue order: Vnto, VntoX, Dictkit, DictInst,
  // Batcher, ...
  test::ClickListRow(list, 4);
  const std::vector<test::JournalLine> batcher = Starts(L"Batcher.exe");
  ASSERT_FALSE(batcher.empty());
  EXPECT_EQ(test::RunningRecord(L"Batcher"), L"S=local");
  EXPECT_EQ(batcher.back().record, L"S=local");
  EXPECT_TRUE(deck_.Running());
}

TEST_F(MainWindowListTest, ALaunchCommandOfTheSetupTabStartsItsApplication) {
  HWND list = test::OpenTab(window_, test::kStartButtonTab2, test::kListOfTab2);
  ASSERT_NE(list, nullptr);
  // Configured: profiles, dictionaries, memories, then "Compare and Merge Dictionaries" (Dictkit).
  test::ClickListRow(list, 3);
  ASSERT_FALSE(Starts(L"Dictkit.exe").empty());
  // A local kernel leaves a menu command's application no record.
  EXPECT_EQ(test::RunningRecord(L"Dictkit"), std::nullopt);
  EXPECT_TRUE(::IsWindowVisible(list));
}

TEST_F(MainWindowListTest, ShowAllAddsDimmedRowsThatOnlyTellAboutOtherProducts) {
  HWND showAll = ::GetDlgItem(window_, IDC_SHOW_ALL_FEATURES);
  ASSERT_NE(showAll, nullptr);
  test::Click(showAll);
  ASSERT_TRUE(test::WaitUntil([&] { return ::SendMessageW(showAll, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s));
  HWND list = test::OpenTab(window_, test::kStartButtonTab2, test::kListOfTab2);
  ASSERT_NE(list, nullptr);
  test::Screenshot(L"view-tab2-show-all");

  // The XML rules editor is not installed: in show-all mode it stands dimmed at its canonical place,
  // after the three configured editing tasks, and choosing it tells about the other products.
  test::ClickListRow(list, 3);
  HWND message = nullptr;
  ASSERT_TRUE(test::WaitUntil(
      [&] {
        for (HWND other : test::TopLevelWindows(deck_.Id()))
          if (other != window_) message = other;
        return message != nullptr;
      },
      10s));
  test::Screenshot(L"view-tab2-other-products");
  EXPECT_EQ(test::WindowText(message), installation_.Product());  // the application's name
  const HWND text = test::FindDescendant(message, IDC_VANTO_TEXT);
  ASSERT_NE(text, nullptr) << "not the kernel's message window: "
                           << ::testing::PrintToString(test::WindowText(message));
  EXPECT_EQ(test::WindowText(text),
            L"This feature is available in other VANTO products. To learn more, visit the "
            L"<a href=\"https://www.korvelsoft.com/vanto\">Korvelsoft web site</a>.");
  ::PostMessageW(message, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindow(message); }, 5s));
  EXPECT_TRUE(::IsWindowVisible(list));
  EXPECT_TRUE(Starts(L"xre.exe", 0, 0ms).empty());
}

TEST_F(MainWindowListTest, InstallOnTheDictionariesTabAsksThenStartsTheInstallerAndCloses) {
  test::Click(test::FindDescendant(window_, test::kStartButtonTab3));
  HWND install = ::GetDlgItem(window_, IDC_LAUNCH_INSTALL);
  ASSERT_NE(install, nullptr);
  ASSERT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(install) != FALSE; }, 5s));
  EXPECT_EQ(test::ShownText(install), L"Install");
  const std::wstring question =
      L"To launch this application you must close all VANTO applications. Quit the \"" +
      installation_.Product() + L"\" application?";

  // No to closing all VANTO applications: nothing starts, the window stays.
  test::Click(install);
  ASSERT_EQ(AnswerMessage(IDNO), question);
  EXPECT_FALSE(deck_.WaitForExit(1s));

  // Yes: the installer starts with its record and the start centre quits.
  test::Click(install);
  ASSERT_EQ(AnswerMessage(IDYES), question);
  const std::vector<test::JournalLine> installer = Starts(L"DictInst.exe");
  ASSERT_FALSE(installer.empty());
  EXPECT_NE(installer.back().commandLine.find(L"/WaitForServerExit"), std::wstring::npos);
  EXPECT_TRUE(deck_.WaitForExit(10s));
  EXPECT_EQ(test::RunningRecord(L"DictInstS"), L"S=");
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, test::kRunningKeyPath, L"DictInstS");
}

}  // namespace
