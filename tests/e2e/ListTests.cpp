// Choosing rows of the main window's lists as a person would, and what that leaves behind: the
// started suite application's journal line and its Running record, the dimmed rows of the
// show-all mode, and the settings saved when the window closes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/Driver.h"
#include "support/Installation.h"

namespace {

using namespace std::chrono_literals;
using test::Installation;
using test::Process;

constexpr int kRowHeight = 48;
constexpr int kShowAllFeatures = 378;
constexpr int kListOfTab4 = 1104;
constexpr int kListOfTab2 = 1102;
constexpr int kStartButtonTab3 = 294;
constexpr int kLaunchInstall = 396;
constexpr int kStartButtonTab2 = 291;
constexpr int kStartButtonTab4 = 297;
constexpr wchar_t kRunning[] = L"Software\\Korvelsoft\\VNTO9\\Running";
// The text control of the translation kernel's message window.
constexpr int kKernelMessageText = 1202;

using test::FindDescendant;

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::wstring RunningRecord(const wchar_t* name) {
  wchar_t value[512] = {};
  DWORD size = sizeof(value);
  if (::RegGetValueW(HKEY_CURRENT_USER, kRunning, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return L"<none>";
  return value;
}

class MainWindowListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunning, L"Batcher");
    ASSERT_TRUE(installation_.Ok());
    ASSERT_TRUE(deck_.Start(installation_.Program())) << "error " << deck_.LastError();
    window_ = test::WaitForWindow(deck_.Id(), installation_.Product(), L"#32770", 20s);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    if (deck_.Running()) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    deck_.WaitForExit(10s);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunning, L"Batcher");
  }

  // Rows are found by their order in the list.
  void ClickRow(HWND list, int row) { test::ClickAt(list, {120, row * kRowHeight + kRowHeight / 2}); }

  Installation installation_;
  Process deck_;
  HWND window_ = nullptr;
};

TEST_F(MainWindowListTest, ALaunchListRowStartsItsApplicationWithARecord) {
  test::Click(FindDescendant(window_, kStartButtonTab4));
  HWND list = FindDescendant(window_, kListOfTab4);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(list) != FALSE; }, 5s));
  // The demo product's installed applications, in catalogue order: Vnto, VntoX, Dictkit, DictInst,
  // Batcher, ...
  ClickRow(list, 4);
  const std::filesystem::path journal = installation_.Folder() / L"journal.log";
  ASSERT_TRUE(test::WaitUntil([&] { return ReadAll(journal).find("Batcher.exe") != std::string::npos; }, 15s));
  EXPECT_EQ(RunningRecord(L"Batcher"), L"S=local");
  EXPECT_NE(ReadAll(journal).find("S=local"), std::string::npos);
  EXPECT_TRUE(deck_.Running());
}

TEST_F(MainWindowListTest, ALaunchCommandOfTheSetupTabStartsItsApplication) {
  test::Click(FindDescendant(window_, kStartButtonTab2));
  HWND list = FindDescendant(window_, kListOfTab2);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(list) != FALSE; }, 5s));
  // Configured: profiles, dictionaries, memories, then "Compare and Merge Dictionaries" (Dictkit).
  ClickRow(list, 3);
  const std::filesystem::path journal = installation_.Folder() / L"journal.log";
  ASSERT_TRUE(test::WaitUntil([&] { return ReadAll(journal).find("Dictkit.exe") != std::string::npos; }, 15s));
  // A local kernel leaves a menu command's application no record.
  EXPECT_EQ(RunningRecord(L"Dictkit"), L"<none>");
  EXPECT_TRUE(::IsWindowVisible(list));
}

TEST_F(MainWindowListTest, ShowAllAddsDimmedRowsThatOnlyTellAboutOtherProducts) {
  HWND showAll = ::GetDlgItem(window_, kShowAllFeatures);
  ASSERT_NE(showAll, nullptr);
  test::Click(showAll);
  ASSERT_TRUE(test::WaitUntil([&] { return ::SendMessageW(showAll, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s));
  test::Click(FindDescendant(window_, kStartButtonTab2));
  HWND list = FindDescendant(window_, kListOfTab2);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(list) != FALSE; }, 5s));
  ::Sleep(200);
  std::wcout << L"screenshot: " << test::SaveScreenshot(L"view-tab2-show-all").wstring() << L"\n";

  // The XML rules editor is not installed: in show-all mode it stands dimmed at its canonical place,
  // after the three configured editing tasks, and choosing it tells about the other products.
  ClickRow(list, 3);
  HWND message = nullptr;
  ASSERT_TRUE(test::WaitUntil(
      [&] {
        for (HWND other : test::TopLevelWindows(deck_.Id()))
          if (other != window_) message = other;
        return message != nullptr;
      },
      10s));
  ::Sleep(200);
  std::wcout << L"screenshot: " << test::SaveScreenshot(L"view-tab2-other-products").wstring() << L"\n";
  EXPECT_EQ(test::WindowText(message), installation_.Product());  // the application's name
  const HWND text = FindDescendant(message, kKernelMessageText);
  ASSERT_NE(text, nullptr) << "not the kernel's message window: "
                           << ::testing::PrintToString(test::WindowText(message));
  EXPECT_EQ(test::WindowText(text),
            L"This feature is available in other VANTO products. To learn more, visit the "
            L"<a href=\"https://www.korvelsoft.com/vanto\">Korvelsoft web site</a>.");
  ::PostMessageW(message, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindow(message); }, 5s));
  EXPECT_TRUE(::IsWindowVisible(list));
  const std::filesystem::path journal = installation_.Folder() / L"journal.log";
  EXPECT_EQ(ReadAll(journal).find("xre.exe"), std::string::npos);
}

TEST_F(MainWindowListTest, InstallOnTheDictionariesTabAsksThenStartsTheInstallerAndCloses) {
  test::Click(FindDescendant(window_, kStartButtonTab3));
  HWND install = ::GetDlgItem(window_, kLaunchInstall);
  ASSERT_NE(install, nullptr);
  ASSERT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(install) != FALSE; }, 5s));
  EXPECT_EQ(test::WindowText(install), L"Install");

  // No to closing all VANTO applications: nothing starts, the window stays.
  test::Click(install);
  test::MessageBoxView question = test::WaitForMessageBox(deck_.Id(), 10s);
  ASSERT_NE(question.window, nullptr);
  EXPECT_EQ(question.text, L"To launch this application you must close all VANTO applications. Quit the \"" +
                               installation_.Product() + L"\" application?");
  test::PressButton(question.window, IDNO);
  EXPECT_FALSE(deck_.WaitForExit(1s));

  // Yes: the installer starts with its record and the start centre quits.
  test::Click(install);
  question = test::WaitForMessageBox(deck_.Id(), 10s);
  ASSERT_NE(question.window, nullptr);
  test::PressButton(question.window, IDYES);
  const std::filesystem::path journal = installation_.Folder() / L"journal.log";
  ASSERT_TRUE(test::WaitUntil([&] { return ReadAll(journal).find("DictInst.exe") != std::string::npos; }, 15s));
  EXPECT_NE(ReadAll(journal).find("/WaitForServerExit"), std::string::npos);
  EXPECT_TRUE(deck_.WaitForExit(10s));
  EXPECT_EQ(RunningRecord(L"DictInstS"), L"S=");
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunning, L"DictInstS");
}

}  // namespace
