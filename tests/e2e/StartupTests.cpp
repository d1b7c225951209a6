// Start-up, single instance and shutdown of the real program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "core/StartupTrace.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kStartTimeout = test::kMainWindowTimeout;

using Startup = test::DeckTest;

TEST_F(Startup, ShowsTheMainWindowTitledWithTheProductName) {
  ASSERT_NO_FATAL_FAILURE(StartDeck());
  RECT rc{};
  ::GetWindowRect(window_, &rc);
  EXPECT_GT(rc.right - rc.left, 300);  // sized to its skin, not to the template
  EXPECT_EQ(test::TopLevelWindows(deck_.Id()).size(), 1u);
  test::Screenshot(L"startup-main-window", 300ms);

  // The Exit button closes the window and ends the program.
  test::Click(::GetDlgItem(window_, IDC_EXIT));
  EXPECT_TRUE(deck_.WaitForExit(10s));
  EXPECT_EQ(deck_.ExitCode(), 0u);
}

// The settings are loaded once the web service has answered, after the window shows; tab 7, which
// shows what the service offers, has them loaded. Closing saves them: the update flag looks for
// updates unless the user said otherwise.
TEST_F(Startup, ClosingSavesTheTaskSettings) {
  constexpr wchar_t kUpdate[] = L"Software\\Korvelsoft\\VNTO9\\Update";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, test::kSettingsKeyPath);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kUpdate);
  ASSERT_NO_FATAL_FAILURE(StartDeck());
  const HWND tab7 = test::FindDescendant(window_, test::kStartButtonTab7);
  ASSERT_NE(tab7, nullptr);
  test::Click(tab7);
  ASSERT_NE(WaitForControl(IDC_LAUNCH_INSTALL, 15s), nullptr);
  ASSERT_TRUE(CloseDeck());
  // The folder file dialogs start in: the documents folder when none was remembered.
  wchar_t folder[MAX_PATH] = {};
  DWORD size = sizeof(folder);
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, test::kSettingsKeyPath, L"InitialDir", RRF_RT_REG_SZ, nullptr,
                           folder, &size),
            ERROR_SUCCESS);
  EXPECT_NE(folder[0], L'\0');
  DWORD flag = 0;
  size = sizeof(flag);
  EXPECT_EQ(
      ::RegGetValueW(HKEY_CURRENT_USER, kUpdate, L"GetUpdates", RRF_RT_REG_DWORD, nullptr, &flag, &size),
      ERROR_SUCCESS);
  EXPECT_EQ(flag, 1u);
}

TEST_F(Startup, ASecondStartActivatesTheFirstAndExitsWithoutAWindow) {
  ASSERT_NO_FATAL_FAILURE(StartDeck());
  ::ShowWindow(window_, SW_MINIMIZE);

  test::Process second;
  ASSERT_TRUE(second.Start(installation_.Program()));
  EXPECT_TRUE(second.WaitForExit(kStartTimeout));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(deck_.Running());
  EXPECT_TRUE(test::WaitUntil([&] { return ::GetForegroundWindow() == window_; }, 5s));

  EXPECT_TRUE(CloseDeck());
}

TEST_F(Startup, ClosingFreesTheProductNameForTheNextStart) {
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    ASSERT_NO_FATAL_FAILURE(StartDeck());
    ASSERT_TRUE(CloseDeck());
  }
}

TEST_F(Startup, TwoProductsRunSideBySide) {
  test::Installation office({.product = L"VANTO Translator Office"});
  ASSERT_TRUE(office.Ok());
  ASSERT_NO_FATAL_FAILURE(StartDeck());
  test::Process second;
  ASSERT_TRUE(second.Start(office.Program()));
  HWND officeWindow = test::WaitForMainWindow(second, office.Product());
  EXPECT_NE(officeWindow, nullptr);
  EXPECT_TRUE(deck_.Running());
  EXPECT_TRUE(second.Running());
}

TEST_F(Startup, AMissingResourceFileIsReportedAndNothingRuns) {
  // As an installation that never had one.
  ASSERT_TRUE(std::filesystem::remove(installation_.Inf()));
  ASSERT_TRUE(deck_.Start(installation_.Program()));
  const test::MessageBoxView box = test::WaitForMessageBox(deck_.Id(), kStartTimeout);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, L"Cannot load external resource file.");
  EXPECT_EQ(box.caption, L"VANTO Main Application");
  test::PressButton(box.window, IDOK);
  EXPECT_TRUE(deck_.WaitForExit(10s));
  EXPECT_EQ(test::TopLevelWindows(deck_.Id()).size(), 0u);
}

TEST_F(Startup, ARenamedProgramWithItsResourceFileDoesNotMatchTheProduct) {
  const std::filesystem::path renamed = installation_.Folder() / L"MyDeck.exe";
  std::filesystem::rename(installation_.Program(), renamed);
  std::filesystem::rename(installation_.Inf(), installation_.Folder() / L"MyDeck.inf");
  ASSERT_TRUE(deck_.Start(renamed));
  const test::MessageBoxView box = test::WaitForMessageBox(deck_.Id(), kStartTimeout);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, L"The resource file does not match the product.");
  test::PressButton(box.window, IDOK);
  EXPECT_TRUE(deck_.WaitForExit(10s));
}

TEST_F(Startup, ADamagedResourceFileCannotBeLoaded) {
  // Cut the file in the middle of its body: the checksum no longer verifies.
  const auto size = std::filesystem::file_size(installation_.Inf());
  std::filesystem::resize_file(installation_.Inf(), size / 2);
  ASSERT_TRUE(deck_.Start(installation_.Program()));
  const test::MessageBoxView box = test::WaitForMessageBox(deck_.Id(), kStartTimeout);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, L"Cannot load external resource file.");
  test::PressButton(box.window, IDOK);
  EXPECT_TRUE(deck_.WaitForExit(10s));
}

// A kernel that cannot be loaded at all ends the start with the message of a kernel that hangs or
// crashes while connecting, not silently.
TEST_F(Startup, AKernelThatCannotBeLoadedIsReportedAndTheProgramEnds) {
  constexpr wchar_t kLocalKernelClass[] = L"SOFTWARE\\Classes\\CLSID\\{5A3C7E10-2B4D-4F61-9C8A-0D1E2F3A4B5C}";
  const std::filesystem::path dll = installation_.Folder() / L"VantoKernel.dll";
  const std::filesystem::path away = installation_.Folder() / L"VantoKernel.dll.away";
  const struct {
    const char* what;
    bool dllMissing;  // else the DLL is back and the local kernel's class registration goes (the
                      // message component's stays); the next installation registers it again
  } cases[] = {{"its DLL missing", true}, {"its class not registered", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.dllMissing) {
      std::filesystem::rename(dll, away);
    } else {
      std::filesystem::rename(away, dll);
      ASSERT_EQ(::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kLocalKernelClass), ERROR_SUCCESS);
    }
    ASSERT_TRUE(deck_.Start(installation_.Program()));
    const test::MessageBoxView box = test::WaitForMessageBox(deck_.Id(), kStartTimeout);
    ASSERT_NE(box.window, nullptr) << "the program " << (deck_.Running() ? "runs" : "ended")
                                   << " without a word";
    EXPECT_EQ(box.text,
              L"The translation kernel did not start: it stopped responding or failed while the program was "
              L"starting. Start the program again; if the problem persists, reinstall the product.");
    EXPECT_EQ(box.caption, installation_.Product());
    EXPECT_EQ(test::TopLevelWindows(deck_.Id()).size(), 1u);  // the message alone, no main window
    test::PressButton(box.window, IDOK);
    EXPECT_TRUE(deck_.WaitForExit(10s));
    deck_.Terminate();  // only when it did not end
  }
}

// The steps of the start-up as the program records them for the benchmark: the web-service
// component starts before the panels are made, the window shows without waiting for its answer
// (the settings are loaded when it comes), and the ribbon, the lists' panels, the tips, the plug-in
// table and the HTML pages are made once the window is painted. Every picture the first paint showed
// was decoded ahead, while the program started.
TEST_F(Startup, TheStepsRunInTheirOrderAndThePagesAreMadeAfterTheFirstPaint) {
  const std::wstring name = L"Local\\StartdeckTraceTest" + std::to_wstring(::GetCurrentProcessId());
  HANDLE mapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(app::StartupTraceBlock), name.c_str());
  ASSERT_NE(mapping, nullptr);
  auto* block = static_cast<app::StartupTraceBlock*>(
      ::MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(app::StartupTraceBlock)));
  ASSERT_NE(block, nullptr);
  ::ZeroMemory(block, sizeof(*block));
  ::SetEnvironmentVariableW(app::kStartupTraceVariable, name.c_str());
  StartDeck();
  ::SetEnvironmentVariableW(app::kStartupTraceVariable, nullptr);
  const std::vector<std::wstring> expected = {
      L"process start to wWinMain",
      L"common controls",
      L"rich edit library",
      L"log and language library",
      L".inf",
      L"single instance",
      L"OLE",
      L"kernel connection",
      L"fonts and skin bitmaps",
      L"window and its template's controls",
      L"icons and background",
      L"main buttons",
      L"web-service exchange started",
      L"panel: start page",
      L"panels: tasks",
      L"lists: which tabs have rows",
      L"lists filled, launch list's files seen",
      L"end of WM_INITDIALOG",
      L"first WM_PAINT",
      L"start page's first WM_PAINT",
      L"window fully painted",
      L"first paint's pictures all ahead",
      L"panel: ribbon",
      L"panels: list tabs",
      L"panels: documents",
      L"lists: tabs 1, 2 and 6",
      L"after the first paint: tooltips",
      L"after the first paint: launch list",
      L"after the first paint: plug-in table",
      L"after the first paint: HTML pages",
  };
  constexpr wchar_t kSettingsLoaded[] = L"web service answered, settings loaded";
  std::vector<std::wstring> steps;
  std::vector<LONGLONG> ticks;
  EXPECT_TRUE(test::WaitUntil([&] { return block->count >= static_cast<LONG>(expected.size()) + 1; }, 10s));
  for (LONG i = 0; i < block->count; ++i) {
    steps.emplace_back(block->steps[i].name);
    ticks.push_back(block->steps[i].ticks);
  }
  ::UnmapViewOfFile(block);
  ::CloseHandle(mapping);
  // The settings come whenever the answer does, but never inside the window's set-up.
  const auto loaded = std::find(steps.begin(), steps.end(), kSettingsLoaded);
  ASSERT_NE(loaded, steps.end());
  EXPECT_GT(loaded - steps.begin(),
            std::find(steps.begin(), steps.end(), L"end of WM_INITDIALOG") - steps.begin());
  steps.erase(loaded);
  EXPECT_EQ(steps, expected);
  EXPECT_TRUE(std::is_sorted(ticks.begin(), ticks.end()));
}

}  // namespace

namespace {

// The ribbon and the lists' panels are made right after the first paint, or before it by whatever
// needs them: a tab opened (or a screen reader asking for the window's children) the moment the window
// shows finds them made.
TEST_F(Startup, WhatArrivesTheMomentTheWindowShowsFindsTheHiddenPanelsMade) {
  struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  const Case cases[] = {
      {"the translation tab's button", WM_COMMAND, MAKEWPARAM(test::kStartButtonTab1, BN_CLICKED), 0},
      {"an accessibility client", WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(deck_.Start(installation_.Program())) << "error " << deck_.LastError();
    window_ = test::WaitForWindow(deck_.Id(), installation_.Product(), L"#32770", kStartTimeout);
    ASSERT_NE(window_, nullptr) << c.what;
    DWORD_PTR answer = 0;
    EXPECT_NE(::SendMessageTimeoutW(window_, c.message, c.wParam, c.lParam, SMTO_NORMAL, 10000, &answer), 0)
        << c.what;
    HWND ribbon = test::FindDescendant(window_, IDC_RIBBON);
    EXPECT_NE(ribbon, nullptr) << c.what;
    EXPECT_NE(test::FindDescendant(window_, test::kListOfTab1), nullptr) << c.what;
    if (c.message == WM_COMMAND) {
      EXPECT_TRUE(ribbon && ::IsWindowVisible(ribbon)) << c.what;
    }
    EXPECT_TRUE(deck_.Running()) << c.what;
    EXPECT_TRUE(CloseDeck()) << c.what;
  }
}

}  // namespace
