// Bad installations the real program meets: a wrong library under the language library's name, a
// product name that no kernel object may carry, a library planted beside the program under the name
// of a system library.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "support/Accessibility.h"
#include "support/Modules.h"
#include "support/ProgramLog.h"
#include "support/TestPaths.h"
#include "win/ComScope.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::Installation;
using test::Process;

constexpr auto kBadStartTimeout = test::kMainWindowTimeout;
constexpr DWORD kGerman = 0x0407;
constexpr wchar_t kGermanLibrary[] = L"StartdeckResDEU.dll";

HWND WaitForMainWindow(const Process& process, const Installation& installation) {
  return test::WaitForMainWindow(process, installation.Product());
}

std::wstring WelcomeText(HWND mainWindow) {
  return test::WindowText(::GetDlgItem(mainWindow, IDC_WELCOME_TEXT));
}

void Close(HWND mainWindow, const Process& process) {
  EXPECT_TRUE(test::CloseMainWindow(mainWindow, process));
}

// Puts the build's `standIn` where the installation's German library was.
void ReplaceGermanLibrary(const Installation& installation, const wchar_t* standIn) {
  fs::copy_file(test::BinFolder() / standIn, installation.Folder() / kGermanLibrary,
                fs::copy_options::overwrite_existing);
}

TEST(BadLanguageLibrary, TheBuiltInEnglishServesAndTheLogSaysWhy) {
  const struct {
    const char* what;
    const wchar_t* standIn;
    const wchar_t* reason;
  } cases[] = {
      {"a library without resources", L"TestLangNoResources.dll", L"it does not carry Startdeck's resources"},
      {"another component's library with a dialog 102", L"TestLangForeignDialog.dll",
       L"it does not carry Startdeck's resources"},
      {"Startdeck's French library", L"StartdeckResFRA.dll",
       L"its resources are not in the installed language"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::ProgramLog log(L"StartdeckBadInputTests.log");
    Installation installation({.language = kGerman});
    ASSERT_TRUE(installation.Ok());
    ReplaceGermanLibrary(installation, c.standIn);

    Process deck;
    ASSERT_TRUE(deck.Start(installation.Program()));
    HWND window = WaitForMainWindow(deck, installation);
    EXPECT_NE(window, nullptr);
    if (window) {
      EXPECT_EQ(WelcomeText(window), L"Welcome to the main menu");
      Close(window, deck);
    }
    EXPECT_NE(log.Text().find(std::wstring(kGermanLibrary) + L" not used: " + c.reason), std::wstring::npos)
        << log.Text();
  }
}

TEST(BadLanguageLibrary, AfterAStartWithAForeignLibraryTheRightOneWorksAgain) {
  Installation installation({.language = kGerman});
  ASSERT_TRUE(installation.Ok());
  ReplaceGermanLibrary(installation, L"TestLangForeignDialog.dll");
  // Kept to the end of the test: whatever this start leaves running must not be ended by the test.
  Process first;
  ASSERT_TRUE(first.Start(installation.Program()));
  if (HWND window = WaitForMainWindow(first, installation)) Close(window, first);

  // The right library back in place; the foreign one is moved aside, as a running program may hold it.
  const fs::path library = installation.Folder() / kGermanLibrary;
  fs::rename(library, installation.Folder() / L"foreign.dll");
  fs::copy_file(test::BinFolder() / kGermanLibrary, library);

  Process second;
  ASSERT_TRUE(second.Start(installation.Program()));
  HWND window = WaitForMainWindow(second, installation);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WelcomeText(window), L"Willkommen im Hauptmenü");
  Close(window, second);
}

TEST(BadLanguageLibrary, AMainWindowThatCannotBeCreatedEndsTheProgramWithALogLine) {
  test::ProgramLog log(L"StartdeckBadInputTests.log");
  Installation installation({.language = kGerman});
  ASSERT_TRUE(installation.Ok());
  ReplaceGermanLibrary(installation, L"TestLangUncreatable.dll");
  Process deck;
  ASSERT_TRUE(deck.Start(installation.Program()));
  EXPECT_TRUE(deck.WaitForExit(kBadStartTimeout));
  EXPECT_NE(log.Text().find(L"The main window could not be created"), std::wstring::npos) << log.Text();
}

TEST(ProductName, WithABackslashRunsOnceLikeAnyOther) {
  Installation installation({.product = L"VANTO\\Translator Home"});
  ASSERT_TRUE(installation.Ok());
  Process first;
  ASSERT_TRUE(first.Start(installation.Program()));
  HWND window = WaitForMainWindow(first, installation);
  ASSERT_NE(window, nullptr);

  Process second;
  ASSERT_TRUE(second.Start(installation.Program()));
  EXPECT_TRUE(second.WaitForExit(kBadStartTimeout));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(test::TopLevelWindows(first.Id()).size(), 1u);
  Close(window, first);
}

TEST(PlantedLibrary, SystemLibrariesBesideTheProgramAreNotLoaded) {
  Installation installation;
  ASSERT_TRUE(installation.Ok());
  // Any library of the build will do as the planted ones: the rich edit control, loaded at start-up,
  // the help engine, loaded when Help is first pressed, and the accessibility library, which is no
  // known system library and is loaded by name when a screen reader first asks.
  const fs::path richEdit = installation.Folder() / L"riched20.dll";
  const fs::path helpEngine = installation.Folder() / L"hhctrl.ocx";
  const fs::path accessibility = installation.Folder() / L"oleacc.dll";
  for (const fs::path& planted : {richEdit, helpEngine, accessibility})
    fs::copy_file(test::BinFolder() / L"StartdeckResENU.dll", planted);

  Process deck;
  ASSERT_TRUE(deck.Start(installation.Program()));
  HWND window = WaitForMainWindow(deck, installation);
  ASSERT_NE(window, nullptr);
  test::Click(::GetDlgItem(window, IDC_HELP_BUTTON));
  // A screen reader asks; the program answers with the system's library.
  const win::ComApartment com;
  ASSERT_TRUE(com.ok());
  const test::AccNode help = test::Describe({test::AccessibleOf(::GetDlgItem(window, IDC_HELP_BUTTON))});
  EXPECT_EQ(help.role, ROLE_SYSTEM_PUSHBUTTON);
  for (const fs::path& planted : {richEdit, helpEngine, accessibility}) {
    const std::wstring name = planted.filename().wstring();
    std::vector<test::LoadedModule> loaded;
    EXPECT_TRUE(
        test::WaitUntil([&] { return !(loaded = test::ProcessModulesNamed(deck.Id(), name)).empty(); }, 10s))
        << name << " is loaded";
    for (const test::LoadedModule& module : loaded) {
      std::error_code ec;
      EXPECT_FALSE(fs::equivalent(module.path, planted, ec)) << module.path;
    }
  }
  // The help viewer, when the system shows one, goes with the program.
  Close(window, deck);
}

}  // namespace
