// Bad installations the real program meets: a wrong library under the language library's name, a
// product name that no kernel object may carry, a library planted beside the program under the name
// of a system library.
#include <gtest/gtest.h>

#include <windows.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ResourceIds.h"
#include "app/RegistryLayout.h"
#include "support/Driver.h"
#include "support/Installation.h"
#include "support/Modules.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::Installation;
using test::Process;

constexpr auto kStartTimeout = 20s;
constexpr DWORD kGerman = 0x0407;
constexpr wchar_t kGermanLibrary[] = L"StartdeckResDEU.dll";

HWND WaitForMainWindow(const Process& process, const Installation& installation) {
  return test::WaitForWindow(process.Id(), installation.Product(), L"#32770", kStartTimeout);
}

std::wstring WelcomeText(HWND mainWindow) {
  return test::WindowText(::GetDlgItem(mainWindow, IDC_WELCOME_TEXT));
}

void Close(HWND mainWindow, const Process& process) {
  ::PostMessageW(mainWindow, WM_CLOSE, 0, 0);
  EXPECT_TRUE(process.WaitForExit(10s));
}

// The start centre's diagnostic log, switched on (per user) under a name of the test's own while the
// object lives. The program puts it into the user's LocalLow folder.
class DiagnosticLog {
 public:
  DiagnosticLog() {
    PWSTR folder = nullptr;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppDataLow, 0, nullptr, &folder)))
      path_ = fs::path(folder) / kName;
    ::CoTaskMemFree(folder);
    std::error_code ec;
    fs::remove(path_, ec);
    ::RegSetKeyValueW(HKEY_CURRENT_USER, reg::kStartdeck, reg::kLogFileValue, REG_SZ, kName,
                      static_cast<DWORD>(sizeof(kName)));
  }
  ~DiagnosticLog() {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, reg::kStartdeck, reg::kLogFileValue);
    std::error_code ec;
    fs::remove(path_, ec);
  }
  DiagnosticLog(const DiagnosticLog&) = delete;
  DiagnosticLog& operator=(const DiagnosticLog&) = delete;

  // The records so far (UTF-16, behind a byte-order mark).
  [[nodiscard]] std::wstring Text() const {
    std::ifstream in(path_, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text;
  }

 private:
  static constexpr wchar_t kName[] = L"StartdeckBadInputTests.log";
  fs::path path_;
};

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
    DiagnosticLog log;
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
  DiagnosticLog log;
  Installation installation({.language = kGerman});
  ASSERT_TRUE(installation.Ok());
  ReplaceGermanLibrary(installation, L"TestLangUncreatable.dll");
  Process deck;
  ASSERT_TRUE(deck.Start(installation.Program()));
  EXPECT_TRUE(deck.WaitForExit(kStartTimeout));
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
  EXPECT_TRUE(second.WaitForExit(kStartTimeout));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(test::TopLevelWindows(first.Id()).size(), 1u);
  Close(window, first);
}

TEST(PlantedLibrary, ARichEditLibraryBesideTheProgramIsNotLoaded) {
  Installation installation;
  ASSERT_TRUE(installation.Ok());
  // Any library of the build will do as the planted one.
  const fs::path planted = installation.Folder() / L"riched20.dll";
  fs::copy_file(test::BinFolder() / L"StartdeckResENU.dll", planted);

  Process deck;
  ASSERT_TRUE(deck.Start(installation.Program()));
  HWND window = WaitForMainWindow(deck, installation);
  ASSERT_NE(window, nullptr);
  const std::vector<test::LoadedModule> richEdit = test::ProcessModulesNamed(deck.Id(), L"riched20.dll");
  ASSERT_FALSE(richEdit.empty()) << "the rich edit library is loaded at start-up";
  for (const test::LoadedModule& module : richEdit) {
    std::error_code ec;
    EXPECT_FALSE(fs::equivalent(module.path, planted, ec)) << module.path;
  }
  Close(window, deck);
}

}  // namespace
