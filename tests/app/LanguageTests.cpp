// The language rule with real libraries in real folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Language.h"
#include "StringIds.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"
#include "win/Resources.h"

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kRoot[] = L"SOFTWARE\\Korvelsoft\\VNTO9";
constexpr wchar_t kFolders[] = L"SOFTWARE\\Korvelsoft\\VNTO9\\Folders";

class LanguageTest : public test::SandboxedTest {
 protected:
  ~LanguageTest() override { win::ResetResourceModule(); }

  void SetLanguage(DWORD langId) { test::SetDword(HKEY_LOCAL_MACHINE, kRoot, L"VntoLangID", langId); }

  // Puts a real language library into `folder`.
  static void InstallLibrary(const fs::path& folder, const wchar_t* name) {
    fs::create_directories(folder);
    fs::copy_file(test::BinFolder() / name, folder / name, fs::copy_options::overwrite_existing);
  }

  std::wstring ProgramIn(const fs::path& folder) const { return (folder / L"Startdeck.exe").wstring(); }

  test::ScratchDir scratch_;
};

TEST_F(LanguageTest, LibraryNameFollowsThePrimaryLanguage) {
  const struct {
    DWORD langId;
    const wchar_t* name;
  } cases[] = {
      {0x0419, L"StartdeckResRUS.dll"},
      {0x0809, L"StartdeckResENU.dll"},
      {0x0409, L"StartdeckResENU.dll"},
      {0x0407, L"StartdeckResDEU.dll"},
      {0x0C07, L"StartdeckResDEU.dll"},
      {0x040C, L"StartdeckResFRA.dll"},
      {0x0C0A, L"StartdeckResESN.dll"},
      {0x0416, L"StartdeckResPTB.dll"},
      {0x0422, L"StartdeckResUKR.dll"},
      {0x0427, L"StartdeckResLTH.dll"},
      {0x0411, L""},
      {0x0000, L""},
  };
  for (const auto& c : cases) {
    SetLanguage(c.langId);
    EXPECT_EQ(app::ResourceLibraryName(L"Startdeck"), c.name) << std::hex << c.langId;
  }
}

TEST_F(LanguageTest, NoLanguageValueMeansNoLibrary) {
  EXPECT_EQ(app::LanguageId(), 0u);
  EXPECT_EQ(app::ResourceLibraryName(L"Startdeck"), L"");
  EXPECT_EQ(app::ResourceLibraryPath(L"Startdeck", L"C:\\Program Files\\VANTO"), L"");
}

TEST_F(LanguageTest, LanguageIdAcceptsABinaryValueOfFourBytes) {
  const BYTE bytes[] = {0x19, 0x04, 0x00, 0x00};
  test::SetBinary(HKEY_LOCAL_MACHINE, kRoot, L"VntoLangID", bytes, sizeof(bytes));
  EXPECT_EQ(app::LanguageId(), 0x0419u);
}

TEST_F(LanguageTest, PathInAGivenFolderOrTheLanguageFolder) {
  SetLanguage(0x0419);
  EXPECT_EQ(app::ResourceLibraryPath(L"Startdeck", L"C:\\VANTO"), L"C:\\VANTO\\StartdeckResRUS.dll");
  EXPECT_EQ(app::ResourceLibraryPath(L"Startdeck", L"C:\\VANTO\\"), L"C:\\VANTO\\StartdeckResRUS.dll");
  // No SharedRoot: no language folder.
  EXPECT_EQ(app::ResourceLibraryPath(L"Startdeck", L""), L"");
  test::SetString(HKEY_LOCAL_MACHINE, kFolders, L"SharedRoot", L"C:\\Shared\\");
  EXPECT_EQ(app::ResourceLibraryPath(L"Startdeck", L""), L"C:\\Shared\\1049\\StartdeckResRUS.dll");
  test::SetString(HKEY_LOCAL_MACHINE, kFolders, L"SharedRoot", L"C:\\Shared");
  EXPECT_EQ(app::ResourceLibraryPath(L"VantoMSN", L""), L"C:\\Shared\\1049\\VantoMSNResRUS.dll");
  test::SetString(HKEY_LOCAL_MACHINE, kFolders, L"SharedRoot", L"");
  EXPECT_EQ(app::ResourceLibraryPath(L"Startdeck", L""), L"");
}

TEST_F(LanguageTest, PathsBeyondTheLimitAreNotUsed) {
  SetLanguage(0x0409);
  const std::wstring deep = L"C:\\" + std::wstring(270, L'd');
  EXPECT_EQ(app::ResourceLibraryPath(L"Startdeck", deep), L"");
}

TEST_F(LanguageTest, LoadsTheLibraryBesideTheProgram) {
  SetLanguage(0x0419);
  const fs::path program = scratch_.Folder(L"Program");
  InstallLibrary(program, L"StartdeckResRUS.dll");
  const std::wstring loaded = app::LoadResourceLibraryFor(ProgramIn(program), L"Startdeck");
  EXPECT_EQ(loaded, (program / L"StartdeckResRUS.dll").wstring());
  EXPECT_NE(win::ResourceModule(), ::GetModuleHandleW(nullptr));
  EXPECT_EQ(win::LoadString(IDS_SW_CAPTION), L"Диспетчер подключаемых модулей VANTO");
}

TEST_F(LanguageTest, FallsBackToTheSharedLanguageFolder) {
  SetLanguage(0x0419);
  const fs::path program = scratch_.Folder(L"Program");
  const fs::path shared = scratch_.Folder(L"Shared");
  test::SetString(HKEY_LOCAL_MACHINE, kFolders, L"SharedRoot", shared.wstring());
  InstallLibrary(shared / L"1049", L"StartdeckResRUS.dll");
  const std::wstring loaded = app::LoadResourceLibraryFor(ProgramIn(program), L"Startdeck");
  EXPECT_EQ(loaded, (shared / L"1049" / L"StartdeckResRUS.dll").wstring());
  EXPECT_EQ(win::LoadString(IDS_SW_CAPTION), L"Диспетчер подключаемых модулей VANTO");
}

TEST_F(LanguageTest, ABrokenLibraryBesideTheProgramAlsoFallsBack) {
  SetLanguage(0x0407);
  const fs::path program = scratch_.Folder(L"Program");
  const fs::path shared = scratch_.Folder(L"Shared");
  test::WriteFile(program / L"StartdeckResDEU.dll", "MZ this is not a library");
  test::SetString(HKEY_LOCAL_MACHINE, kFolders, L"SharedRoot", shared.wstring());
  InstallLibrary(shared / L"1031", L"StartdeckResDEU.dll");
  EXPECT_EQ(app::LoadResourceLibraryFor(ProgramIn(program), L"Startdeck"),
            (shared / L"1031" / L"StartdeckResDEU.dll").wstring());
  EXPECT_EQ(win::LoadString(IDS_SW_CAPTION), L"VANTO Plug-in-Manager");
}

TEST_F(LanguageTest, OnlyStartdecksOwnLibraryInTheInstalledLanguageIsUsed) {
  const struct {
    const char* what;
    const wchar_t* file;  // of the build, put where the German library belongs
    bool used;
  } cases[] = {
      {"the mark, the templates and the strings start-up needs", L"TestLangMarked.dll", true},
      {"no resources at all", L"TestLangNoResources.dll", false},
      {"another component's dialog 102", L"TestLangForeignDialog.dll", false},
      {"the mark of another release", L"TestLangOtherRelease.dll", false},
      {"a main window template that never shows", L"TestLangHiddenMain.dll", false},
      {"no strings", L"TestLangNoStrings.dll", false},
      {"Startdeck's French library", L"StartdeckResFRA.dll", false},
  };
  SetLanguage(0x0407);
  int run = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    win::ResetResourceModule();
    const fs::path program = scratch_.Folder(L"Program" + std::to_wstring(++run));
    fs::copy_file(test::BinFolder() / c.file, program / L"StartdeckResDEU.dll");
    const std::wstring loaded = app::LoadResourceLibraryFor(ProgramIn(program), L"Startdeck");
    EXPECT_EQ(loaded, c.used ? (program / L"StartdeckResDEU.dll").wstring() : L"");
    EXPECT_EQ(win::ResourceModule() != ::GetModuleHandleW(nullptr), c.used);
  }
}

TEST_F(LanguageTest, BuiltInEnglishStaysWhenNoLibraryLoads) {
  const fs::path program = scratch_.Folder(L"Program");
  InstallLibrary(program, L"StartdeckResRUS.dll");
  // Japanese has no library, even though a Russian one lies beside the program.
  SetLanguage(0x0411);
  EXPECT_EQ(app::LoadResourceLibraryFor(ProgramIn(program), L"Startdeck"), L"");
  // French is missing in both places.
  SetLanguage(0x040C);
  test::SetString(HKEY_LOCAL_MACHINE, kFolders, L"SharedRoot", scratch_.Folder(L"Shared").wstring());
  EXPECT_EQ(app::LoadResourceLibraryFor(ProgramIn(program), L"Startdeck"), L"");
  EXPECT_EQ(win::ResourceModule(), ::GetModuleHandleW(nullptr));
}

TEST_F(LanguageTest, BaseNameDefaultsToTheProgramsFileTitleWithoutExtension) {
  SetLanguage(0x0409);
  const fs::path program = scratch_.Folder(L"Program");
  fs::copy_file(test::BinFolder() / L"StartdeckResENU.dll", program / L"MyDeckResENU.dll");
  const std::wstring programPath = (program / L"MyDeck.exe").wstring();
  EXPECT_EQ(app::LoadResourceLibraryFor(programPath, L""), (program / L"MyDeckResENU.dll").wstring());
  win::ResetResourceModule();
  EXPECT_EQ(app::LoadResourceLibraryFor(programPath, L"MyDeck.exe"),
            (program / L"MyDeckResENU.dll").wstring());
}

}  // namespace
