// Start-up, single instance and shutdown of the real program.
#include <gtest/gtest.h>

#include "support/Driver.h"
#include "support/Installation.h"

namespace {

using namespace std::chrono_literals;
using test::Installation;
using test::Process;

constexpr auto kStartTimeout = 20s;

// The main window of a running start centre: titled with the product name.
HWND WaitForMainWindow(const Process& process, const std::wstring& product) {
  return test::WaitForWindow(process.Id(), product, L"#32770", kStartTimeout);
}

TEST(Startup, ShowsTheMainWindowTitledWithTheProductName) {
  Installation installation;
  ASSERT_TRUE(installation.Ok());
  Process deck;
  ASSERT_TRUE(deck.Start(installation.Program()));
  HWND window = WaitForMainWindow(deck, installation.Product());
  ASSERT_NE(window, nullptr);
  RECT rc{};
  ::GetWindowRect(window, &rc);
  EXPECT_GT(rc.right - rc.left, 300);  // sized to its skin, not to the template
  EXPECT_EQ(test::TopLevelWindows(deck.Id()).size(), 1u);
  ::Sleep(300);
  std::wcout << L"screenshot: " << test::SaveScreenshot(L"startup-main-window").wstring() << L"\n";

  // The Exit button closes the window and ends the program.
  test::Click(::GetDlgItem(window, 313));
  EXPECT_TRUE(deck.WaitForExit(10s));
  EXPECT_EQ(deck.ExitCode(), 0u);
}

TEST(Startup, ClosingSavesTheTaskSettings) {
  constexpr wchar_t kSettings[] = L"Software\\Korvelsoft\\VNTO9\\Startdeck";
  constexpr wchar_t kUpdate[] = L"Software\\Korvelsoft\\VNTO9\\Update";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettings);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kUpdate);
  Installation installation;
  ASSERT_TRUE(installation.Ok());
  Process deck;
  ASSERT_TRUE(deck.Start(installation.Program()));
  HWND window = WaitForMainWindow(deck, installation.Product());
  ASSERT_NE(window, nullptr);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(deck.WaitForExit(10s));
  // The folder file dialogs start in (the documents folder when none was remembered) and the
  // update flag, which looks for updates unless the user said otherwise.
  wchar_t folder[MAX_PATH] = {};
  DWORD size = sizeof(folder);
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kSettings, L"InitialDir", RRF_RT_REG_SZ, nullptr, folder, &size),
            ERROR_SUCCESS);
  EXPECT_NE(folder[0], L'\0');
  DWORD flag = 0;
  size = sizeof(flag);
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kUpdate, L"GetUpdates", RRF_RT_REG_DWORD, nullptr, &flag, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(flag, 1u);
}

TEST(Startup, ASecondStartActivatesTheFirstAndExitsWithoutAWindow) {
  Installation installation;
  ASSERT_TRUE(installation.Ok());
  Process first;
  ASSERT_TRUE(first.Start(installation.Program()));
  HWND window = WaitForMainWindow(first, installation.Product());
  ASSERT_NE(window, nullptr);
  ::ShowWindow(window, SW_MINIMIZE);

  Process second;
  ASSERT_TRUE(second.Start(installation.Program()));
  EXPECT_TRUE(second.WaitForExit(kStartTimeout));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(test::WaitUntil([&] { return ::GetForegroundWindow() == window; }, 5s));

  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(first.WaitForExit(10s));
}

TEST(Startup, ClosingFreesTheProductNameForTheNextStart) {
  Installation installation;
  ASSERT_TRUE(installation.Ok());
  for (int run = 0; run < 2; ++run) {
    Process deck;
    ASSERT_TRUE(deck.Start(installation.Program()));
    HWND window = WaitForMainWindow(deck, installation.Product());
    ASSERT_NE(window, nullptr) << "run " << run;
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(deck.WaitForExit(10s)) << "run " << run;
  }
}

TEST(Startup, TwoProductsRunSideBySide) {
  Installation home;
  Installation office({.product = L"VANTO Translator Office"});
  ASSERT_TRUE(home.Ok());
  ASSERT_TRUE(office.Ok());
  Process first, second;
  ASSERT_TRUE(first.Start(home.Program()));
  ASSERT_NE(WaitForMainWindow(first, home.Product()), nullptr);
  ASSERT_TRUE(second.Start(office.Program()));
  HWND officeWindow = WaitForMainWindow(second, office.Product());
  EXPECT_NE(officeWindow, nullptr);
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(second.Running());
}

TEST(Startup, AMissingResourceFileIsReportedAndNothingRuns) {
  Installation installation({.writeInf = false});
  ASSERT_TRUE(installation.Ok());
  Process deck;
  ASSERT_TRUE(deck.Start(installation.Program()));
  const test::MessageBoxView box = test::WaitForMessageBox(deck.Id(), kStartTimeout);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, L"Cannot load external resource file.");
  EXPECT_EQ(box.caption, L"VANTO Main Application");
  test::PressButton(box.window, IDOK);
  EXPECT_TRUE(deck.WaitForExit(10s));
  EXPECT_EQ(test::TopLevelWindows(deck.Id()).size(), 0u);
}

TEST(Startup, ARenamedProgramWithItsResourceFileDoesNotMatchTheProduct) {
  Installation installation;
  ASSERT_TRUE(installation.Ok());
  const std::filesystem::path renamed = installation.Folder() / L"MyDeck.exe";
  std::filesystem::rename(installation.Program(), renamed);
  std::filesystem::rename(installation.Inf(), installation.Folder() / L"MyDeck.inf");
  Process deck;
  ASSERT_TRUE(deck.Start(renamed));
  const test::MessageBoxView box = test::WaitForMessageBox(deck.Id(), kStartTimeout);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, L"The resource file does not match the product.");
  test::PressButton(box.window, IDOK);
  EXPECT_TRUE(deck.WaitForExit(10s));
}

TEST(Startup, ADamagedResourceFileCannotBeLoaded) {
  Installation installation;
  ASSERT_TRUE(installation.Ok());
  // Cut the file in the middle of its body: the checksum no longer verifies.
  const auto size = std::filesystem::file_size(installation.Inf());
  std::filesystem::resize_file(installation.Inf(), size / 2);
  Process deck;
  ASSERT_TRUE(deck.Start(installation.Program()));
  const test::MessageBoxView box = test::WaitForMessageBox(deck.Id(), kStartTimeout);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, L"Cannot load external resource file.");
  test::PressButton(box.window, IDOK);
  EXPECT_TRUE(deck.WaitForExit(10s));
}

}  // namespace
