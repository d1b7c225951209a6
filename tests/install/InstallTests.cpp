// The demo product's Windows Installer package, installed, started, removed, repaired, upgraded and
// failed halfway through by the machine's own msiexec, as an administrator would. msiexec writes the
// real registry of the machine (no sandbox): every case starts from a machine without the product,
// sets aside the records another installation of the suite left where the package writes, and
// removes the product and puts those records back when it ends, whatever happened.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>
#include <msi.h>
#include <msiquery.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "../e2e/DeckTest.h"
#include "../launcher/SuiteInstall.h"
#include "Msiexec.h"
#include "ResourceIds.h"
#include "Snapshot.h"
#include "StringIds.h"
#include "support/ProcessList.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "support/ShellLink.h"
#include "support/TestPaths.h"
#include "tables/DocumentTypes.h"
#include "vanto/Kernel.h"
#include "win/ComScope.h"
#include "win/Handle.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr wchar_t kBasePackage[] = L"VantoTranslatorHome.msi";
constexpr wchar_t kNextPackage[] = L"VantoTranslatorHome-next.msi";
constexpr wchar_t kFailingPackage[] = L"VantoTranslatorHome-fails.msi";
constexpr wchar_t kSecondPackage[] = L"VantoTranslatorOffice.msi";
// The settings a user leaves: the quick translation's direction and the folder file dialogs start in.
const std::wstring kUserTaskKey = std::wstring(test::kSettingsKeyPath) + L"\\9";
// What msiexec ends with when the package failed and its changes were rolled back: Windows
// Installer's ERROR_INSTALL_FAILURE, and Wine's msiexec's ERROR_FUNCTION_FAILED.
const auto kFailedAndRolledBack =
    ::testing::AnyOf(static_cast<DWORD>(ERROR_INSTALL_FAILURE), static_cast<DWORD>(ERROR_FUNCTION_FAILED));
constexpr wchar_t kJournalKey[] = L"Software\\Korvelsoft\\VNTO9\\SuiteAppSubstitute";

std::wstring Quoted(const fs::path& path) {
  return L"\"" + path.wstring() + L"\"";
}

// Two paths that name the same file or folder, a folder with or without its closing backslash.
bool SamePath(const fs::path& a, const fs::path& b) {
  std::wstring left = a.lexically_normal().wstring(), right = b.lexically_normal().wstring();
  for (std::wstring* path : {&left, &right})
    while (path->size() > 3 && path->back() == L'\\') path->pop_back();
  return _wcsicmp(left.c_str(), right.c_str()) == 0;
}

// A property of a package, read from its Property table; empty when it has none.
std::wstring PackageProperty(const fs::path& package, const std::wstring& name) {
  MSIHANDLE database = 0;
  if (::MsiOpenDatabaseW(package.c_str(), MSIDBOPEN_READONLY, &database) != ERROR_SUCCESS) return {};
  MSIHANDLE view = 0, record = 0;
  std::wstring value;
  const std::wstring query = L"SELECT `Value` FROM `Property` WHERE `Property`='" + name + L"'";
  if (::MsiDatabaseOpenViewW(database, query.c_str(), &view) == ERROR_SUCCESS &&
      ::MsiViewExecute(view, 0) == ERROR_SUCCESS && ::MsiViewFetch(view, &record) == ERROR_SUCCESS) {
    wchar_t text[256] = L"";
    DWORD size = 256;
    if (::MsiRecordGetStringW(record, 1, text, &size) == ERROR_SUCCESS) value = text;
  }
  if (record) ::MsiCloseHandle(record);
  if (view) ::MsiCloseHandle(view);
  ::MsiCloseHandle(database);
  return value;
}

// A shortcut as the shell reads it.
struct Shortcut {
  fs::path file;
  fs::path target;
  std::wstring arguments;
  fs::path folder;
};

std::vector<fs::path> StartMenus() {
  return {test::CommonProgramsFolder(), test::UserProgramsFolder()};
}

// The shortcuts below `folders` (both Start menus' programs unless told) whose target is a program
// named `program`.
std::vector<Shortcut> ShortcutsTo(const std::wstring& program,
                                  const std::vector<fs::path>& folders = StartMenus()) {
  std::vector<Shortcut> found;
  for (const fs::path& menu : folders) {
    std::error_code error;
    for (fs::recursive_directory_iterator it(menu, error), end; !error && it != end; it.increment(error)) {
      if (_wcsicmp(it->path().extension().c_str(), L".lnk") != 0) continue;
      const std::optional<test::ShellLink> link = test::ReadShellLink(it->path());
      if (link && _wcsicmp(link->target.filename().c_str(), program.c_str()) == 0)
        found.push_back({it->path(), link->target, link->arguments, link->folder});
    }
  }
  return found;
}

// Explorer's verb on every document type the tasks take, as the package writes it for `folder`: the
// English text as the default value, MUIVerb naming the English library, which SHLoadIndirectString
// resolves to that library's own text, and the command that hands the document to Startdeck.exe.
::testing::AssertionResult ExplorerVerbOnEveryType(const fs::path& folder) {
  const fs::path library = folder / L"StartdeckResENU.dll";
  const win::UniqueModule module(
      ::LoadLibraryExW(library.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  const wchar_t* text = nullptr;
  const int length =
      module ? ::LoadStringW(module.get(), IDS_SHELL_TRANSLATE, reinterpret_cast<LPWSTR>(&text), 0) : 0;
  const std::wstring libraryText = length > 0 ? std::wstring(text, static_cast<size_t>(length)) : L"";
  if (libraryText != L"Translate with VANTO") return ::testing::AssertionFailure() << "the library's text";
  const std::wstring muiVerb = L"@" + library.wstring() + L",-" + std::to_wstring(IDS_SHELL_TRANSLATE);
  for (std::wstring_view extension : docs::kExtensions) {
    const std::wstring key =
        L"SystemFileAssociations\\." + std::wstring(extension) + L"\\shell\\VANTO.Translate";
    const std::wstring indirect = test::GetString(HKEY_CLASSES_ROOT, key, L"MUIVerb");
    wchar_t resolved[256] = L"";
    const HRESULT loaded = ::SHLoadIndirectString(indirect.c_str(), resolved, 256, nullptr);
    if (test::GetString(HKEY_CLASSES_ROOT, key, L"") != libraryText || indirect != muiVerb ||
        FAILED(loaded) || resolved != libraryText ||
        test::GetString(HKEY_CLASSES_ROOT, key + L"\\command", L"") !=
            Quoted(folder / L"Startdeck.exe") + L" /translate \"%1\"")
      return ::testing::AssertionFailure()
             << ::testing::PrintToString(key) << ": MUIVerb " << ::testing::PrintToString(indirect)
             << " resolved to " << ::testing::PrintToString(std::wstring(resolved));
  }
  return ::testing::AssertionSuccess();
}

// The verb's keys in `snapshot` (HKCR\SystemFileAssociations\<type>\shell\VANTO.Translate).
size_t VerbKeys(const test::Snapshot& snapshot) {
  const std::wstring area = L"HKCR\\SystemFileAssociations\\", end = L"\\shell\\VANTO.Translate";
  return std::count_if(snapshot.Entries().begin(), snapshot.Entries().end(), [&](const auto& entry) {
    return entry.first.rfind(area, 0) == 0 && entry.first.ends_with(end);
  });
}

// A machine's snapshot with the entries below `area` taken from `other` instead.
test::Snapshot WithAreaOf(const test::Snapshot& base, const test::Snapshot& other, const std::wstring& area) {
  test::Snapshot merged;
  for (const auto& [name, text] : base.Entries())
    if (name.rfind(area, 0) != 0) merged.Set(name, text);
  for (const auto& [name, text] : other.Entries())
    if (name.rfind(area, 0) == 0) merged.Set(name, text);
  return merged;
}

// Wine's msiexec leaves, after an installation that failed and was rolled back, the installer's key
// of each component the package installed (Installer\UserData\S-1-5-18\Components\<packed
// component code>), empty; Windows Installer removes them. Those empty keys are taken out of `after`
// and removed from the machine; their number is said in the output, and anything they still held
// would show.
void ClearEmptyComponentKeysWineLeaves(const test::Snapshot& before, test::Snapshot& after) {
  const std::wstring store =
      L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components\\";
  std::vector<std::wstring> empty;
  for (const std::wstring& name : test::Added(before, after)) {
    const std::wstring code = name.substr(std::min(name.size(), store.size()));
    const bool componentKey = name.rfind(store, 0) == 0 && code.size() == 32 &&
                              code.find_first_not_of(L"0123456789ABCDEF") == std::wstring::npos;
    if (!componentKey || after.At(name) != L"key") continue;
    const auto below = after.Entries().lower_bound(name + L"\\");
    if (below != after.Entries().end() && below->first.rfind(name + L"\\", 0) == 0) continue;
    empty.push_back(name);
  }
  if (!empty.empty())
    std::wcout << L"Wine's msiexec left " << empty.size() << L" empty component keys of the failed package\n";
  for (const std::wstring& name : empty) {
    after.Erase(name);
    ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, name.substr(5).c_str(), KEY_WOW64_64KEY, 0);
  }
}

// The Start menu's shortcut (or the one below `folders`) is written again by a repair or an upgrade,
// and holds its target's file times: its bytes change. It is compared by where it leads, and left out
// of both snapshots.
void CompareShortcutApart(const Shortcut& was, test::Snapshot& before, test::Snapshot& after,
                          const std::vector<fs::path>& folders = StartMenus()) {
  const std::vector<Shortcut> now = ShortcutsTo(L"Startdeck.exe", folders);
  ASSERT_EQ(now.size(), 1u);
  EXPECT_EQ(now[0].file, was.file);
  EXPECT_EQ(now[0].target, was.target);
  EXPECT_EQ(now[0].folder, was.folder);
  EXPECT_EQ(now[0].arguments, was.arguments);
  EXPECT_TRUE(after.Has(now[0].file.wstring()));
  before.Erase(was.file.wstring());
  after.Erase(now[0].file.wstring());
}

// What a user of the product leaves in the registry: the direction quick translation last used and
// the folder the file dialogs last showed.
void WriteUserSettings() {
  test::SetString(HKEY_CURRENT_USER, kUserTaskKey, L"DirID", L"2329");
  test::SetString(HKEY_CURRENT_USER, kUserTaskKey, L"InitialDir", L"C:\\users\\Public\\Documents");
}

// The local kernel created through its registered class, its file let go before the call returns.
HRESULT CreateKernel() {
  const win::ComApartment com;
  Microsoft::WRL::ComPtr<IUnknown> kernel;
  const HRESULT result =
      ::CoCreateInstance(CLSID_VantoLocalKernel, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&kernel));
  kernel.Reset();
  ::CoFreeUnusedLibrariesEx(0, 0);
  return result;
}

// The package's product installed in the default folder for the case, and removed when it ends
// (then the records set aside are put back).
class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    makersUserKeyWasThere_ = test::KeyExists(HKEY_CURRENT_USER, L"Software\\Korvelsoft");
    ASSERT_TRUE(fs::is_regular_file(test::Package(kBasePackage))) << test::Package(kBasePackage);
    ASSERT_TRUE(aside_.Ok());
    for (const std::wstring& key : aside_.Moved()) std::wcout << L"set aside for the case: " << key << L"\n";
    ASSERT_EQ(test::InstalledProducts(), std::vector<std::wstring>{})
        << "the product was installed before the case";
    ASSERT_FALSE(fs::exists(folder_)) << folder_;
    ASSERT_FALSE(fs::exists(test::SuiteSharedFolder())) << test::SuiteSharedFolder();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kUserTaskKey.c_str());
  }
  void TearDown() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kUserTaskKey.c_str());
    if (!makersUserKeyWasThere_) ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Korvelsoft");
  }

  static test::MsiexecRun Install(const wchar_t* package, const std::wstring& logName) {
    return test::RunMsiexec(L"/i " + Quoted(test::Package(package)), logName);
  }
  [[nodiscard]] test::Snapshot Machine() const {
    return test::MachineSnapshot({folder_, test::SuiteSharedFolder()});
  }
  [[nodiscard]] std::wstring Entry(const std::wstring& relative) const {
    return (folder_ / relative).wstring();
  }

  const fs::path folder_ = test::DefaultInstallFolder();
  test::RecordsAside aside_{test::Package(kBasePackage)};
  test::ProductRemoval removal_{folder_};
  bool makersUserKeyWasThere_ = true;
};

TEST_F(PackageTest, RemovalTakesAwayEverythingThePackageWroteAndLeavesTheUsersSettings) {
  const test::Snapshot before = Machine();
  ASSERT_TRUE(test::Succeeded(Install(kBasePackage, L"remove-install")));
  WriteUserSettings();
  const test::Snapshot installed = Machine();
  // What the package wrote: its files, its shortcut, its records and its classes.
  const std::wstring kernel = (test::SuiteSharedFolder() / L"VantoKernel.dll").wstring();
  for (const std::wstring& entry :
       {Entry(L"Startdeck.exe"), Entry(L"StartdeckResDEU.dll"), Entry(L"Startdeck.inf"), kernel,
        std::wstring(L"HKLM\\SOFTWARE\\Korvelsoft\\VNTO9"),
        std::wstring(L"HKCR\\CLSID\\{B9C7589A-463E-490E-8ACC-E9BB65DDB50D}\\InprocServer32\\:")}) {
    EXPECT_FALSE(before.Has(entry)) << ::testing::PrintToString(entry);
    EXPECT_TRUE(installed.Has(entry)) << ::testing::PrintToString(entry);
  }
  EXPECT_EQ(installed.At(L"HKCR\\CLSID\\{B9C7589A-463E-490E-8ACC-E9BB65DDB50D}\\InprocServer32\\:"),
            L"REG_SZ \"" + kernel + L"\"");
  EXPECT_EQ(ShortcutsTo(L"Startdeck.exe").size(), 1u);
  // Explorer's verb on each type of document the tasks take (a .txt is no such type), and Send To.
  EXPECT_TRUE(ExplorerVerbOnEveryType(folder_));
  EXPECT_EQ(VerbKeys(installed), docs::kExtensions.size());
  EXPECT_TRUE(installed.Has(L"HKCR\\SystemFileAssociations\\.docx\\shell\\VANTO.Translate"));
  EXPECT_FALSE(installed.Has(L"HKCR\\SystemFileAssociations\\.txt\\shell\\VANTO.Translate"));
  const std::vector<Shortcut> sendTo = ShortcutsTo(L"Startdeck.exe", {test::SendToFolder()});
  ASSERT_EQ(sendTo.size(), 1u);
  EXPECT_EQ(sendTo[0].file.filename(), L"VANTO Translator.lnk");
  EXPECT_TRUE(SamePath(sendTo[0].target, folder_ / L"Startdeck.exe")) << sendTo[0].target;
  EXPECT_EQ(sendTo[0].arguments, L"/translate");

  ASSERT_TRUE(test::Succeeded(test::RunMsiexec(L"/x " + Quoted(test::Package(kBasePackage)), L"remove")));
  test::Snapshot after = Machine();
  // The machine as before, the installer's own (empty) store aside, with the user's settings kept.
  const test::Snapshot expected = WithAreaOf(before, installed, L"HKCU\\");
  EXPECT_EQ(test::Difference(expected.WithoutInstallerStore(), after.WithoutInstallerStore()), L"");
  EXPECT_EQ(after.At(L"HKCU\\Software\\Korvelsoft\\VNTO9\\Startdeck\\9\\:DirID"), L"REG_SZ \"2329\"");
  EXPECT_EQ(VerbKeys(after), 0u);
  EXPECT_FALSE(fs::exists(sendTo[0].file));
  EXPECT_EQ(test::InstalledProducts(), std::vector<std::wstring>{});
  EXPECT_EQ(test::UninstallEntries(), std::vector<std::wstring>{});
}

TEST_F(PackageTest, RepairPutsBackTheDeletedFilesExplorerVerbAndSendToShortcutAsPackaged) {
  ASSERT_TRUE(test::Succeeded(Install(kBasePackage, L"repair-install")));
  test::Snapshot installed = Machine();
  const std::vector<Shortcut> shortcuts = ShortcutsTo(L"Startdeck.exe");
  ASSERT_EQ(shortcuts.size(), 1u);
  const std::vector<std::wstring> files = {L"Startdeck.exe", L"StartdeckResDEU.dll"};
  for (const std::wstring& file : files) {
    ASSERT_TRUE(fs::remove(folder_ / file)) << file;
  }
  // And one document type's verb and the Send To shortcut.
  const std::vector<Shortcut> sendTo = ShortcutsTo(L"Startdeck.exe", {test::SendToFolder()});
  ASSERT_EQ(sendTo.size(), 1u);
  ASSERT_EQ(::RegDeleteTreeW(HKEY_LOCAL_MACHINE,
                             L"SOFTWARE\\Classes\\SystemFileAssociations\\.docx\\shell\\VANTO.Translate"),
            ERROR_SUCCESS);
  ASSERT_TRUE(fs::remove(sendTo[0].file));
  ASSERT_FALSE(Machine().Has(L"HKCR\\SystemFileAssociations\\.docx\\shell\\VANTO.Translate"));
  // Every file, reinstalled whatever its version, the machine's records written again; the package
  // named by its file, as msiexec /f would be given it (see the report: Wine's msiexec /f does not
  // reinstall, the REINSTALL property of an /i run does the same on Windows and Wine).
  ASSERT_TRUE(test::Succeeded(test::RunMsiexec(
      L"/i " + Quoted(test::Package(kBasePackage)) + L" REINSTALL=ALL REINSTALLMODE=amus", L"repair")));
  test::Snapshot repaired = Machine();
  ASSERT_NO_FATAL_FAILURE(CompareShortcutApart(shortcuts[0], installed, repaired));
  ASSERT_NO_FATAL_FAILURE(CompareShortcutApart(sendTo[0], installed, repaired, {test::SendToFolder()}));
  EXPECT_TRUE(ExplorerVerbOnEveryType(folder_));
  for (const std::wstring& file : files) {
    SCOPED_TRACE(::testing::PrintToString(file));
    ASSERT_TRUE(fs::is_regular_file(folder_ / file));
    EXPECT_EQ(repaired.At(Entry(file)), installed.At(Entry(file)));
    // Byte for byte the file the build packaged.
    EXPECT_TRUE(test::ReadFile(folder_ / file) == test::ReadFile(test::BinFolder() / file));
  }
  EXPECT_EQ(test::Difference(installed.WithoutInstallerBookkeeping(), repaired.WithoutInstallerBookkeeping()),
            L"");
  EXPECT_EQ(test::InstalledProducts().size(), 1u);
}

TEST_F(PackageTest, AnUpgradeLeavesOneProductWithTheNewFilesAndTheUsersSettings) {
  const std::wstring oldVersion = PackageProperty(test::Package(kBasePackage), L"ProductVersion");
  const std::wstring newVersion = PackageProperty(test::Package(kNextPackage), L"ProductVersion");
  ASSERT_NE(oldVersion, L"");
  ASSERT_NE(newVersion, oldVersion);
  ASSERT_TRUE(test::Succeeded(Install(kBasePackage, L"upgrade-install")));
  WriteUserSettings();
  const std::vector<std::wstring> oldProducts = test::InstalledProducts();
  ASSERT_EQ(oldProducts.size(), 1u);
  test::Snapshot installed = Machine();
  const std::vector<Shortcut> shortcuts = ShortcutsTo(L"Startdeck.exe");
  ASSERT_EQ(shortcuts.size(), 1u);
  const std::vector<Shortcut> sendTo = ShortcutsTo(L"Startdeck.exe", {test::SendToFolder()});
  ASSERT_EQ(sendTo.size(), 1u);

  ASSERT_TRUE(test::Succeeded(Install(kNextPackage, L"upgrade")));
  test::Snapshot upgraded = Machine();
  // One of each shortcut and one verb a document type, as the new version writes them.
  ASSERT_NO_FATAL_FAILURE(CompareShortcutApart(shortcuts[0], installed, upgraded));
  ASSERT_NO_FATAL_FAILURE(CompareShortcutApart(sendTo[0], installed, upgraded, {test::SendToFolder()}));
  EXPECT_EQ(VerbKeys(upgraded), docs::kExtensions.size());
  EXPECT_TRUE(ExplorerVerbOnEveryType(folder_));
  // One product in msi.dll's list and in Add/Remove Programs: the new version, under a new code.
  const std::vector<std::wstring> products = test::InstalledProducts();
  ASSERT_EQ(products.size(), 1u);
  EXPECT_NE(products[0], oldProducts[0]);
  EXPECT_EQ(test::ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING), newVersion);
  EXPECT_EQ(test::UninstallEntries(), std::vector<std::wstring>{products[0]});
  const std::wstring entry = std::wstring(test::kUninstallKey) + L"\\" + products[0];
  EXPECT_EQ(test::GetString(HKEY_LOCAL_MACHINE, entry, L"DisplayVersion"), newVersion);
  EXPECT_EQ(test::GetString(HKEY_LOCAL_MACHINE, entry, L"Publisher"), L"Korvelsoft");
  // The new version's files in place: its notes name it; everything else as the old one left it,
  // the user's settings included.
  const std::string readMe = test::ReadFile(folder_ / L"ReadMe.txt");
  EXPECT_EQ(
      readMe.rfind("VANTO Translator Home " + std::string(newVersion.begin(), newVersion.end()) + "\r\n", 0),
      0u)
      << readMe;
  const std::wstring changes =
      test::Difference(installed.WithoutInstallerBookkeeping(), upgraded.WithoutInstallerBookkeeping());
  EXPECT_EQ(changes.rfind(L"~ " + Entry(L"ReadMe.txt") + L": ", 0), 0u) << ::testing::PrintToString(changes);
  EXPECT_EQ(std::count(changes.begin(), changes.end(), L'\n'), 1) << ::testing::PrintToString(changes);
  EXPECT_EQ(upgraded.At(L"HKCU\\Software\\Korvelsoft\\VNTO9\\Startdeck\\9\\:DirID"), L"REG_SZ \"2329\"");
  EXPECT_EQ(upgraded.At(L"HKCU\\Software\\Korvelsoft\\VNTO9\\Startdeck\\9\\:InitialDir"),
            L"REG_SZ \"C:\\users\\Public\\Documents\"");
}

// A second product of the suite beside the first: the shared components stay while either is installed
// (the first removed, then installed again and the second removed) and go with the last.
TEST_F(PackageTest, TheSuitesSharedComponentsStayWhileAnyProductOfTheSuiteHasThem) {
  const fs::path second = folder_.parent_path() / L"VANTO Office";
  ASSERT_FALSE(fs::exists(second)) << second;
  test::ProductRemoval secondRemoval(second, test::kSecondProductName);
  const fs::path shared = test::SuiteSharedFolder();
  const auto machine = [&] { return test::MachineSnapshot({folder_, shared, second}); };
  const auto remove = [](const wchar_t* package, const std::wstring& logName) {
    return test::RunMsiexec(L"/x " + Quoted(test::Package(package)), logName);
  };
  const test::Snapshot before = machine();
  ASSERT_TRUE(test::Succeeded(Install(kBasePackage, L"shared-install")));
  test::Snapshot firstAlone = machine();
  const std::vector<Shortcut> shortcuts = ShortcutsTo(L"Startdeck.exe");
  ASSERT_EQ(shortcuts.size(), 1u);
  const std::vector<Shortcut> sendTo = ShortcutsTo(L"Startdeck.exe", {test::SendToFolder()});
  ASSERT_EQ(sendTo.size(), 1u);

  ASSERT_TRUE(test::Succeeded(Install(kSecondPackage, L"shared-install-second")));
  ASSERT_TRUE(test::Succeeded(remove(kBasePackage, L"shared-remove-first")));
  const test::Snapshot secondAlone = machine();
  // One entry of each shared component (the kernel's class: created below).
  const std::wstring sharedEntries[] = {
      L"HKLM\\SOFTWARE\\Korvelsoft\\VNTO9\\:VntoLangID",
      L"HKLM\\SOFTWARE\\Korvelsoft\\VNTO9\\Folders\\:SharedRoot",
      L"HKLM\\SOFTWARE\\Korvelsoft\\VNTO9\\VantoActivity\\:Url", (shared / L"VantoKernel.dll").wstring(),
      L"HKCR\\CLSID\\{C1D2E3F4-A5B6-4C7D-8E9F-0A1B2C3D4E5F}\\LocalServer32\\:"};
  for (const std::wstring& entry : sharedEntries) {
    EXPECT_TRUE(firstAlone.Has(entry)) << ::testing::PrintToString(entry);
    EXPECT_EQ(secondAlone.At(entry), firstAlone.At(entry)) << ::testing::PrintToString(entry);
  }
  EXPECT_EQ(CreateKernel(), S_OK);

  // The first again, the second removed: the machine as with the first alone.
  ASSERT_TRUE(test::Succeeded(Install(kBasePackage, L"shared-install-again")));
  ASSERT_TRUE(test::Succeeded(remove(kSecondPackage, L"shared-remove-second")));
  test::Snapshot firstAgain = machine();
  ASSERT_NO_FATAL_FAILURE(CompareShortcutApart(shortcuts[0], firstAlone, firstAgain));
  ASSERT_NO_FATAL_FAILURE(CompareShortcutApart(sendTo[0], firstAlone, firstAgain, {test::SendToFolder()}));
  EXPECT_EQ(
      test::Difference(firstAlone.WithoutInstallerBookkeeping(), firstAgain.WithoutInstallerBookkeeping()),
      L"");

  // The last product removed: the shared components go with it.
  ASSERT_TRUE(test::Succeeded(remove(kBasePackage, L"shared-remove-last")));
  const test::Snapshot after = machine();
  EXPECT_EQ(test::Difference(before.WithoutInstallerStore(), after.WithoutInstallerStore()), L"");
}

// The package that fails after it wrote its files and registry values: the installer undoes both.
TEST_F(PackageTest, APackageThatFailsHalfwayLeavesAFreshMachineAsItWas) {
  const test::Snapshot before = Machine();
  const test::MsiexecRun run = Install(kFailingPackage, L"rollback-fresh");
  EXPECT_THAT(run.exitCode, kFailedAndRolledBack) << test::LogTail(run.log);
  // It got as far as its files and values, and failed in its action after them.
  EXPECT_FALSE(test::LogLinesWith(run.log, L"Action start").empty());
  EXPECT_FALSE(test::LogLinesWith(run.log, L"FailHalfway").empty()) << test::LogTail(run.log);
  test::Snapshot after = Machine();
  ClearEmptyComponentKeysWineLeaves(before, after);
  EXPECT_EQ(test::Difference(before.WithoutInstallerStore(), after.WithoutInstallerStore()), L"");
  EXPECT_EQ(test::InstalledProducts(), std::vector<std::wstring>{});
  EXPECT_EQ(test::UninstallEntries(), std::vector<std::wstring>{});
}

// The same over the installed product, as an upgrade. Windows Installer rolls the whole upgrade
// back, the old version's removal (RemoveExistingProducts, right after InstallInitialize, inside the
// installation's script) included: the old version stays as it was. Wine's msiexec runs that removal
// to its end at once, as an installation of its own, and rolls back only the new version: the
// machine is left without the product, as if it had been removed, the user's settings kept. The
// case checks what Wine does; on Windows the snapshot after the failure equals the installed one.
TEST_F(PackageTest, AnUpgradeThatFailsHalfwayLeavesNoHalfOfEitherVersion) {
  const test::Snapshot before = Machine();
  ASSERT_TRUE(test::Succeeded(Install(kBasePackage, L"rollback-upgrade-install")));
  WriteUserSettings();
  const test::Snapshot installed = Machine();
  const test::MsiexecRun run = Install(kFailingPackage, L"rollback-upgrade");
  EXPECT_THAT(run.exitCode, kFailedAndRolledBack) << test::LogTail(run.log);
  // The old version's removal ran, and so did the action that fails.
  EXPECT_FALSE(test::LogLinesWith(run.log, L"RemoveExistingProducts").empty());
  EXPECT_FALSE(test::LogLinesWith(run.log, L"FailHalfway").empty());
  test::Snapshot after = Machine();
  ClearEmptyComponentKeysWineLeaves(before, after);
  const test::Snapshot removed = WithAreaOf(before, installed, L"HKCU\\");
  EXPECT_EQ(test::Difference(removed.WithoutInstallerStore(), after.WithoutInstallerStore()), L"");
  EXPECT_EQ(test::InstalledProducts(), std::vector<std::wstring>{});
  EXPECT_EQ(test::UninstallEntries(), std::vector<std::wstring>{});
  EXPECT_EQ(after.At(L"HKCU\\Software\\Korvelsoft\\VNTO9\\Startdeck\\9\\:DirID"), L"REG_SZ \"2329\"");
}

// The product installed by its package and started as a person starts it, from the Start menu.
class InstalledPackage {
 protected:
  InstalledPackage()
      : install_(test::RunMsiexec(L"/i " + Quoted(test::Package(kBasePackage)), L"shortcut-install")) {}

  const fs::path folder_ = test::DefaultInstallFolder();
  test::RecordsAside aside_{test::Package(kBasePackage)};
  test::ProductRemoval removal_{folder_};
  test::MsiexecRun install_;
};

class ShortcutTest : protected InstalledPackage, public test::DeckTest {
 protected:
  ShortcutTest() : DeckTest(test::InstallationOptions{.installed = test::DefaultInstallFolder()}) {}
  void SetUp() override {
    ASSERT_TRUE(test::Succeeded(install_));
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    ClearUserRecords();
  }
  void TearDown() override {
    EXPECT_TRUE(CloseDeck());
    for (const test::ListedProcess& process : test::ProcessesIn(hosts_.path())) {
      ::TerminateProcess(process.handle.get(), 1);
      ::WaitForSingleObject(process.handle.get(), 5000);
    }
    ClearUserRecords();
  }

  // The starts of `executable` in the journal of the host programs, waiting (up to 15 seconds)
  // until there is one.
  [[nodiscard]] static std::vector<test::JournalLine> JournalStarts(const std::wstring& executable) {
    const fs::path journal = test::GetString(HKEY_CURRENT_USER, kJournalKey, L"Journal");
    std::vector<test::JournalLine> starts;
    test::WaitUntil(
        [&] {
          starts.clear();
          for (test::JournalLine& line : test::ReadJournal(journal))
            if (_wcsicmp(line.executable.c_str(), executable.c_str()) == 0) starts.push_back(std::move(line));
          return !starts.empty();
        },
        15s);
    return starts;
  }

  test::ScratchDir hosts_;
};

TEST_F(ShortcutTest, TheShortcutStartsTheProductWhichTranslatesAndHandsAWordDocumentToWord) {
  const std::vector<Shortcut> shortcuts = ShortcutsTo(L"Startdeck.exe");
  ASSERT_EQ(shortcuts.size(), 1u);
  const Shortcut& shortcut = shortcuts[0];
  EXPECT_TRUE(SamePath(shortcut.target, folder_ / L"Startdeck.exe")) << shortcut.target;
  EXPECT_TRUE(SamePath(shortcut.folder, folder_)) << shortcut.folder;
  EXPECT_EQ(shortcut.file.filename(), L"VANTO Translator Home.lnk");

  // The hosts a machine with the product has (Office with Word, and the rest), which the product
  // does not install: written by the demo installation's hosts-only mode.
  test::Process hosts;
  ASSERT_TRUE(hosts.Start(test::BinFolder() / L"DemoInstall.exe", Quoted(hosts_.path()) + L" --hosts-only"));
  ASSERT_TRUE(hosts.WaitForExit(60s));
  ASSERT_EQ(hosts.ExitCode(), 0u);

  ASSERT_TRUE(deck_.Start(shortcut.target, shortcut.arguments, shortcut.folder)) << deck_.LastError();
  window_ = test::WaitForMainWindow(deck_, test::kProductName);
  if (!window_) {
    test::Screenshot(L"installed-by-package-no-window");
    for (HWND shown : test::TopLevelWindows(deck_.Id()))
      std::wcout << L"shown instead: " << test::WindowText(shown) << L"\n";
    const test::MessageBoxView box = test::WaitForMessageBox(deck_.Id(), 1s);
    FAIL() << "no main window; "
           << (box.window ? "a message: " + ::testing::PrintToString(box.text) : "no message")
           << (deck_.Running() ? ", still running" : ", ended with " + std::to_string(deck_.ExitCode()));
  }
  EXPECT_EQ(test::WindowText(window_), L"VANTO Translator Home");
  test::Screenshot(L"installed-by-package");

  // Quick translation, the first task of the translation tab, with the kernel the package registered.
  OpenTask(test::kStartButtonTab1, test::kListOfTab1, 0);
  ASSERT_NE(WaitForControl(IDC_QUICK_SOURCE), nullptr);
  ASSERT_NO_FATAL_FAILURE(Activate());
  EXPECT_TRUE(QuickTranslates(L"The cat is black.", L"Die Katze ist schwarz."));

  // A Word document, the second task: Word starts with the document and its hand-off record.
  OpenTask(test::kRibbonTab1, test::kListOfTab1, 1);
  HWND panel = ShownPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(test::ControlText(::GetDlgItem(panel, IDC_PANEL_TITLE)), L"Translating Microsoft Word Documents");
  const fs::path document = hosts_.Folder(L"My Documents") / L"Annual Report 2009.docx";
  test::WriteFile(document, "PK");
  ASSERT_TRUE(ChooseDocumentAndApplication(panel, document.wstring(), L"Microsoft Word 2007/2010"));
  ASSERT_TRUE(test::ChooseEntry(test::FindChild(panel, IDC_PANEL_DIRECTIONS, L"StartdeckComboBox"),
                                L"English-Russian"));
  ASSERT_TRUE(
      test::ChooseEntry(test::FindChild(panel, IDC_PANEL_PROFILES, L"StartdeckComboBox"), L"Technical"));
  test::Click(test::FindChild(panel, IDC_PANEL_ACTION, L"StartdeckMenuButton"));
  const std::vector<test::JournalLine> word = JournalStarts(L"winword.exe");
  ASSERT_EQ(word.size(), 1u);
  EXPECT_EQ(word[0].record, L"D=2329;T=Technical;U=" + Quoted(document));
  EXPECT_EQ(test::ArgumentsOf(word[0].commandLine), Quoted(document));
  EXPECT_NE(word[0].commandLine.find(L"Office12"), std::wstring::npos);
  EXPECT_TRUE(NoMessage());
}

}  // namespace
