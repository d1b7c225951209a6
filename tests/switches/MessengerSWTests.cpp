// The messenger switches against a sandboxed registry and real files: the built QIP Infium plug-in
// and its language libraries are copied into a messenger folder in a scratch folder, and loaded
// from there.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "FaultInjection.h"
#include "OfficeTestSupport.h"
#include "core/ExceptSW.h"
#include "core/LogSink.h"
#include "core/RegistryKey.h"
#include "support/Driver.h"
#include "support/RegistrySandbox.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"
#include "switches/Messengers.h"
#include "switches/MsnSW.h"
#include "switches/QIPInfiumSW.h"
#include "switches/SkypeSW.h"
#include "win/Handle.h"

namespace officetest {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using switches::PluginList;
using switches::PluginRecord;
using switches::UninstallEntry;

constexpr wchar_t kQipProduct[] = L"VANTO for QIP Infium";
constexpr wchar_t kSkypeProduct[] = L"VANTO for Skype";
constexpr wchar_t kMsnProduct[] = L"VANTO for Windows Live Messenger";
constexpr wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr wchar_t kProductRoot[] = L"SOFTWARE\\Korvelsoft\\VNTO9";

PluginRecord MessengerRecord(const std::wstring& displayName, int state, int kind,
                             const std::wstring& product) {
  PluginRecord record;
  record.displayName = displayName;
  record.state = state;
  record.kind = kind;
  record.productName = product;
  return record;
}

void AddProgram(HKEY hive, const std::wstring& key, const std::wstring& displayName,
                const std::wstring& location = {}, const std::wstring& version = {}) {
  const std::wstring path = std::wstring(kUninstall) + L"\\" + key;
  test::SetString(hive, path, L"DisplayName", displayName);
  if (!version.empty()) test::SetString(hive, path, L"DisplayVersion", version);
  if (!location.empty()) test::SetString(hive, path, L"InstallLocation", location);
}

// Every file and folder below `folder` with its bytes.

// The plug-in's name as the copied plug-in itself gives it from the language library beside it.

class MessengerSwitchTest : public ::testing::Test {
 protected:
  MessengerSwitchTest() {
    app::Log().SetFilePath(log_.wstring());
    // Russian: the plug-in's language library is VantoQIPResRUS.dll.
    test::SetDword(HKEY_LOCAL_MACHINE, kProductRoot, L"VntoLangID", 0x0419);
    test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"SharedRoot", scratch_.Folder(L"Shared").wstring());
  }

  // A Folders value naming a scratch folder, with its closing separator.
  fs::path Folder(const wchar_t* value, const std::wstring& relative) const {
    const fs::path folder = scratch_.Folder(relative);
    test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, value, folder.wstring() + L"\\");
    return folder;
  }
  // The suite's QIP Infium folder with the built plug-in and, when asked, its Russian library.
  fs::path QipPackage(bool withLibrary = true) const {
    const fs::path folder = Folder(L"VantoQIP", L"Korvelsoft\\VantoQIP");
    fs::copy_file(test::BinFolder() / L"VantoQIP.dll", folder / L"VantoQIP.dll");
    if (withLibrary) fs::copy_file(test::BinFolder() / L"VantoQIPResRUS.dll", folder / L"VantoQIPResRUS.dll");
    return folder;
  }
  // QIP Infium installed for the current user, with its Plugins folder when asked.
  fs::path QipInstallation(bool withPlugins = true) const {
    const fs::path messenger = scratch_.Folder(L"Programs\\QIP Infium");
    if (withPlugins) fs::create_directories(messenger / L"Plugins" / L"Smiles");
    test::WriteFile(messenger / L"infium.exe", "MZ");
    AddProgram(HKEY_CURRENT_USER, L"QIP Infium", L"QIP Infium", messenger.wstring() + L"\\", L"2.0.9034");
    return messenger;
  }
  std::wstring Log() const { return fs::exists(log_) ? ReadUtf16File(log_) : L""; }
  static PluginList Collected(const CSwitch& messenger) {
    PluginList records;
    messenger.GetPlugins(records);
    return records;
  }
  static DWORD Choice(const wchar_t* name) { return test::GetDword(HKEY_CURRENT_USER, kMessengers, name); }

  EnglishStrings strings_;
  test::Restorer savedLog_ = test::SavedLog();
  test::ScratchDir scratch_;
  fs::path log_ = scratch_.path() / L"switches.log";
  test::RegistrySandbox registry_;
};

// ---- Shared -------------------------------------------------------------------------------------

TEST_F(MessengerSwitchTest, InstalledProgramsComeFromTheMachineAndOnlyWithoutAnyThereFromTheUser) {
  AddProgram(HKEY_CURRENT_USER, L"QIP Infium", L"QIP Infium", L"C:\\Users\\me\\QIP Infium", L"2.0");
  AddProgram(HKEY_CURRENT_USER, L"Skype_is1", L"Skype 3.8 (per user)");
  AddProgram(HKEY_LOCAL_MACHINE, L"{Skype}", L"Skype\x2122 4.2", L"", L"4.2.169");
  AddProgram(HKEY_LOCAL_MACHINE, L"skype lower", L"skype 1.0");  // the fragment is case-sensitive
  AddProgram(HKEY_LOCAL_MACHINE, L"Other", L"Windows Live Messenger");
  test::CreateKey(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + L"\\No values");

  EXPECT_EQ(switches::FindUninstallEntries(L"QIP Infium"),
            (std::vector<UninstallEntry>{{L"QIP Infium", L"2.0", L"C:\\Users\\me\\QIP Infium"}}));
  EXPECT_EQ(switches::FindUninstallEntries(L"Skype"),
            (std::vector<UninstallEntry>{{L"Skype\x2122 4.2", L"4.2.169", L""}}));
  EXPECT_TRUE(switches::FindUninstallEntries(L"ICQ").empty());
}

TEST_F(MessengerSwitchTest, AMissingFolderValueIsLoggedAndThrownWithTheAdministratorReason) {
  struct Case {
    bool foldersKey;
    const wchar_t* logged;
  };
  for (const Case& c :
       {Case{false, L"Error open HKEY_LOCAL_MACHINE"}, Case{true, L"Error read plugin folder"}}) {
    if (c.foldersKey)
      test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"VantoSkype", L"");
    else
      ASSERT_EQ(::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kFoldersKey), ERROR_SUCCESS);
    try {
      (void)switches::ReadMessengerFolder(L"SkypeSW", L"VantoSkype", L"Skype");
      ADD_FAILURE() << "no exception for " << c.logged;
    } catch (const CExceptSW& failure) {
      EXPECT_EQ(failure.Message(), std::wstring(kEmbedFailed) + L"Skype\"\r\n" + kNoRights);
    }
    EXPECT_NE(Log().find(std::wstring(L"\r\nSkypeSW(")), std::wstring::npos);
    EXPECT_NE(Log().find(std::wstring(L"):\r\nSkype#REGISTRY#") + c.logged + L"\r\n"), std::wstring::npos)
        << Log();
  }
  test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"VantoSkype", L"D:\\Vanto\\Skype\\");
  EXPECT_EQ(switches::ReadMessengerFolder(L"SkypeSW", L"VantoSkype", L"Skype"), L"D:\\Vanto\\Skype\\");
}

TEST_F(MessengerSwitchTest, PathPresentSearchesThePathFollowedByAWildcard) {
  const fs::path folder = scratch_.Folder(L"Plugins");
  test::WriteFile(folder / L"VantoQIP.old", "x");
  EXPECT_TRUE(switches::PathPresent(folder.wstring() + L"\\"));
  EXPECT_TRUE(switches::PathPresent((scratch_.Folder(L"Empty")).wstring() + L"\\"));
  EXPECT_TRUE(switches::PathPresent((folder / L"VantoQIP").wstring()));  // the wildcard finds VantoQIP.old
  EXPECT_FALSE(switches::PathPresent((folder / L"VantoQIP").wstring() + L"\\"));
  EXPECT_FALSE(switches::PathPresent((scratch_.path() / L"Missing").wstring() + L"\\"));
}

TEST_F(MessengerSwitchTest, ARunningProcessIsFoundByItsExactFileName) {
  wchar_t own[MAX_PATH] = {};
  ASSERT_GT(::GetModuleFileNameW(nullptr, own, MAX_PATH), 0u);
  const std::wstring name = fs::path(own).filename().wstring();
  EXPECT_TRUE(switches::IsProcessRunning(name));
  std::wstring upper = name;
  for (wchar_t& c : upper) c = static_cast<wchar_t>(::towupper(c));
  ASSERT_NE(upper, name);
  EXPECT_FALSE(switches::IsProcessRunning(upper));
  EXPECT_FALSE(switches::IsProcessRunning(L"no-such-program.exe"));
  EXPECT_FALSE(switches::IsProcessRunning(L""));
}

// ---- Detection ----------------------------------------------------------------------------------

TEST_F(MessengerSwitchTest, EachPackageIsPresentWhenItsFileOpensBehindItsFoldersValue) {
  struct Case {
    const wchar_t* folderValue;
    const wchar_t* file;
    std::function<bool()> present;
  };
  CQIPInfiumSW qip(kQipProduct);
  CSkypeSW skype(kSkypeProduct);
  CMsnSW msn(kMsnProduct);
  const Case cases[] = {
      {L"VantoQIP", L"VantoQIP.dll", [&] { return qip.IsPackagePresent(); }},
      {L"VantoSkype", L"VantoSkype.exe", [&] { return skype.IsPackagePresent(); }},
      {L"VantoMSN", L"VantoMSN.chm", [&] { return msn.IsPackagePresent(); }},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.present()) << c.file << ": no Folders value";
    const fs::path folder = Folder(c.folderValue, c.folderValue);
    EXPECT_FALSE(c.present()) << c.file << ": an empty folder";
    fs::create_directories(folder / c.file);
    EXPECT_FALSE(c.present()) << c.file << ": a folder of that name";
    fs::remove(folder / c.file);
    fs::copy_file(test::BinFolder() / c.file, folder / c.file);
    EXPECT_TRUE(c.present()) << c.file;
    // "Followed directly": a value without its closing separator names another file.
    test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, c.folderValue, folder.wstring());
    EXPECT_FALSE(c.present()) << c.file << ": no separator";
  }
}

TEST_F(MessengerSwitchTest, QipInfiumIsFoundPerUserAndItsStateIsTheStoredChoiceOrOff) {
  CQIPInfiumSW none(kQipProduct);
  EXPECT_EQ(none.CollectPlugins(), 0);

  const fs::path messenger = QipInstallation();
  struct Case {
    std::optional<DWORD> stored;
    int state;
  };
  for (const Case& c : {Case{std::nullopt, 0}, Case{1, 1}, Case{0, 0}}) {
    if (c.stored) test::SetDword(HKEY_CURRENT_USER, kMessengers, L"QIP Infium", *c.stored);
    CQIPInfiumSW qip(kQipProduct);
    ASSERT_EQ(qip.CollectPlugins(), 1);
    EXPECT_EQ(Collected(qip), PluginList{MessengerRecord(L"QIP Infium", c.state, 4096, kQipProduct)});
    EXPECT_EQ(qip.InstallLocation(), messenger.wstring() + L"\\");
  }
  EXPECT_NE(Log().find(L" \tQIP Infium#Application Installed\r\n"), std::wstring::npos) << Log();
}

TEST_F(MessengerSwitchTest, TwoSkypeEntriesGiveTwoRecordsWithTheStoredChoiceOrOn) {
  AddProgram(HKEY_LOCAL_MACHINE, L"{A}", L"Skype\x2122 4.2");
  AddProgram(HKEY_LOCAL_MACHINE, L"{B}", L"Skype Toolbars");
  struct Case {
    std::optional<DWORD> stored;
    int state;
  };
  for (const Case& c : {Case{std::nullopt, 1}, Case{0, 0}, Case{1, 1}}) {
    if (c.stored) test::SetDword(HKEY_CURRENT_USER, kMessengers, L"Skype", *c.stored);
    CSkypeSW skype(kSkypeProduct);
    ASSERT_EQ(skype.CollectPlugins(), 2);
    EXPECT_EQ(Collected(skype),
              (PluginList{MessengerRecord(L"Skype\x2122 4.2", c.state, 8192, kSkypeProduct),
                          MessengerRecord(L"Skype Toolbars", c.state, 8192, kSkypeProduct)}));
  }
  EXPECT_NE(Log().find(L" \tSkype Toolbars#Application Installed\r\n"), std::wstring::npos) << Log();
}

TEST_F(MessengerSwitchTest, LiveMessengerIsReportedButNeverSwitched) {
  CMsnSW missing(kMsnProduct);
  EXPECT_EQ(missing.CollectPlugins(), 0);
  EXPECT_NE(Log().find(L"\r\nMsnSW("), std::wstring::npos);
  EXPECT_NE(Log().find(L"):\r\nWindows Live Messenger#REGISTRY#Windows Live Messenger isn't installed\r\n"),
            std::wstring::npos)
      << Log();

  test::CreateKey(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\MSNMessenger");
  CMsnSW msn(kMsnProduct);
  ASSERT_EQ(msn.CollectPlugins(), 1);
  const PluginList expected{MessengerRecord(L"Windows Live Messenger", -1, 2048, kMsnProduct)};
  EXPECT_EQ(Collected(msn), expected);
  PluginList asked = expected;
  asked[0].state = 1;
  EXPECT_EQ(msn.ApplyStates(asked, 0), 0);
  EXPECT_EQ(asked[0].state, 1);
  EXPECT_EQ(msn.GetHostInfo(), (CPlugSt{L"Windows Live Messenger", 2048}));
}

// Broken and oversized lists of installed programs: nothing crashes or hangs, and what cannot be
// used is skipped.
TEST_F(MessengerSwitchTest, BadAndHugeListsOfInstalledProgramsAreSkippedQuickly) {
  const std::wstring longName(255, L'Q');
  AddProgram(HKEY_LOCAL_MACHINE, longName, L"QIP Infium " + longName, L"C:\\Nowhere\\QIP Infium");
  const std::wstring wrong = std::wstring(kUninstall) + L"\\Wrong types";
  test::SetDword(HKEY_LOCAL_MACHINE, wrong, L"DisplayName", 7);
  test::SetString(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + L"\\Location of the wrong type",
                  L"DisplayName", L"Skype wrong");
  test::SetDword(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + L"\\Location of the wrong type",
                 L"InstallLocation", 3);
  const BYTE binary[] = {'S', 0, 'k', 0};
  test::SetBinary(HKEY_LOCAL_MACHINE, std::wstring(kUninstall) + L"\\Binary name", L"DisplayName", binary,
                  sizeof(binary));
  {
    app::RegistryKey uninstall;
    ASSERT_TRUE(uninstall.Create(HKEY_LOCAL_MACHINE, kUninstall));
    for (int i = 0; i < 5000; ++i)
      ASSERT_TRUE(uninstall.OpenChild(L"Program " + std::to_wstring(i), true)) << i;
  }

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(switches::FindUninstallEntries(L"QIP Infium"),
            (std::vector<UninstallEntry>{{L"QIP Infium " + longName, L"", L"C:\\Nowhere\\QIP Infium"}}));
  EXPECT_EQ(switches::FindUninstallEntries(L"Skype"),
            (std::vector<UninstallEntry>{{L"Skype wrong", L"", L""}}));
  CQIPInfiumSW qip(kQipProduct);
  ASSERT_EQ(qip.CollectPlugins(), 1);
  // An install location that does not exist has no Plugins folder: switching on changes nothing
  // there, and fails (it once counted as switched on).
  PluginList on{Collected(qip)[0]};
  on[0].state = 1;
  BoxRecorder boxes;
  EXPECT_EQ(qip.ApplyStates(on, 0), 1);
  EXPECT_EQ(on[0].state, 0);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_FALSE(fs::exists(L"C:\\Nowhere"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
}

// ---- QIP Infium switching -----------------------------------------------------------------------

TEST_F(MessengerSwitchTest, QipInfiumRoundTripCopiesThePluginWithItsLanguageLibraryAndRemovesThem) {
  const fs::path package = QipPackage();
  const fs::path messenger = QipInstallation();
  const auto before = Snapshot(messenger);
  CQIPInfiumSW qip(kQipProduct);
  ASSERT_EQ(qip.CollectPlugins(), 1);
  ASSERT_TRUE(qip.IsPackagePresent());

  PluginList on = Collected(qip);
  on[0].state = 1;
  BoxRecorder boxes;
  EXPECT_EQ(qip.ApplyStates(on, 0), 0);
  EXPECT_EQ(on[0].state, 1);
  const fs::path target = messenger / L"Plugins" / L"VantoQIP";
  EXPECT_EQ(test::ReadFile(target / L"VantoQIP.dll"), test::ReadFile(package / L"VantoQIP.dll"));
  EXPECT_EQ(test::ReadFile(target / L"VantoQIPResRUS.dll"), test::ReadFile(package / L"VantoQIPResRUS.dll"));
  EXPECT_EQ(PluginName(target / L"VantoQIP.dll"), L"VANTO for QIP Infium (RUS)");
  EXPECT_EQ(Choice(L"QIP Infium"), 1u);

  PluginList off = on;
  off[0].state = 0;
  EXPECT_EQ(qip.ApplyStates(off, 0), 0);
  EXPECT_EQ(off[0].state, 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  // The only difference the round trip leaves: the choice, recorded as off.
  EXPECT_EQ(Snapshot(messenger), before);
  EXPECT_EQ(Choice(L"QIP Infium"), 0u);
  EXPECT_TRUE(fs::exists(package / L"VantoQIP.dll"));
}

// Without a Plugins folder the plug-in has nowhere to go: switching on fails with the switch's
// message, creates nothing and records no choice. It once counted as switched on, and the hand-off
// started the messenger as if the plug-in were there.
TEST_F(MessengerSwitchTest, SwitchingOnWithoutAPluginsFolderFailsAndChangesNothing) {
  QipPackage();
  const fs::path messenger = QipInstallation(false);
  const auto before = Snapshot(messenger);
  CQIPInfiumSW qip(kQipProduct);
  ASSERT_EQ(qip.CollectPlugins(), 1);
  for (int quiet : {0, 1}) {
    SCOPED_TRACE(quiet);
    PluginList on{MessengerRecord(L"QIP Infium", 1, 4096, kQipProduct)};
    BoxRecorder boxes;
    EXPECT_EQ(qip.ApplyStates(on, quiet), 1);
    EXPECT_EQ(on[0].state, 0);
    ASSERT_EQ(boxes.Boxes().size(), quiet ? 0u : 1u);
    if (!quiet) {
      EXPECT_EQ(boxes.Boxes()[0].text,
                std::wstring(kEmbedFailed) + kQipProduct + L"\"\r\n" + kContactSupport);
    }
    EXPECT_EQ(Snapshot(messenger), before);
    EXPECT_EQ(test::GetDword(HKEY_CURRENT_USER, kMessengers, L"QIP Infium", 77), 77u);  // not written
  }
  // Switching off there has nothing to remove and is no failure; the choice stored from before
  // ends off, or the next detection would show the messenger on again.
  test::SetDword(HKEY_CURRENT_USER, kMessengers, L"QIP Infium", 1);
  PluginList off{MessengerRecord(L"QIP Infium", 0, 4096, kQipProduct)};
  BoxRecorder boxes;
  EXPECT_EQ(qip.ApplyStates(off, 0), 0);
  EXPECT_EQ(off[0].state, 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(Choice(L"QIP Infium"), 0u);
}

// An installed-program entry without an install location names no folder: an empty one would be
// "\Plugins\" at the root of the current drive. It gives no record, and another entry's location
// is the one remembered.
TEST_F(MessengerSwitchTest, AnEntryWithoutInstallLocationGivesNoRecord) {
  struct Case {
    const wchar_t* what;
    std::vector<std::pair<const wchar_t*, std::wstring>> entries;  // display name, install location
    PluginList records;
    std::wstring location;
  };
  const std::wstring folder = scratch_.Folder(L"Programs\\QIP").wstring() + L"\\";
  const Case cases[] = {
      {L"no location", {{L"QIP Infium", L""}}, {}, L""},
      {L"only separators and blanks", {{L"QIP Infium", L" \\ "}}, {}, L""},
      {L"one of two without",
       {{L"QIP Infium 2.0", folder}, {L"QIP Infium 1.0", L""}},
       {MessengerRecord(L"QIP Infium 2.0", 0, 4096, kQipProduct)},
       folder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.what)));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kUninstall);
    int key = 0;
    for (const auto& [name, location] : c.entries) {
      const std::wstring path = std::wstring(kUninstall) + L"\\Entry" + std::to_wstring(key++);
      test::SetString(HKEY_CURRENT_USER, path, L"DisplayName", name);
      test::SetString(HKEY_CURRENT_USER, path, L"InstallLocation", location);
    }
    CQIPInfiumSW qip(kQipProduct);
    EXPECT_EQ(qip.CollectPlugins(), static_cast<int>(c.records.size()));
    EXPECT_EQ(Collected(qip), c.records);
    EXPECT_EQ(qip.InstallLocation(), c.location);
  }
  // A switch asked to switch on without a location refuses; it never looks at the drive's root.
  CQIPInfiumSW qip(kQipProduct);
  PluginList on{MessengerRecord(L"QIP Infium", 1, 4096, kQipProduct)};
  EXPECT_EQ(qip.ApplyStates(on, 1), 1);
  EXPECT_EQ(on[0].state, 0);
}

TEST_F(MessengerSwitchTest, TheLanguageLibraryComesFromTheLanguageFolderWhenItIsNotBesideThePlugin) {
  QipPackage(false);
  const fs::path messenger = QipInstallation();
  const fs::path languageFolder = scratch_.Folder(L"Shared\\1049");
  fs::copy_file(test::BinFolder() / L"VantoQIPResRUS.dll", languageFolder / L"VantoQIPResRUS.dll");
  CQIPInfiumSW qip(kQipProduct);
  ASSERT_EQ(qip.CollectPlugins(), 1);
  PluginList on{MessengerRecord(L"QIP Infium", 1, 4096, kQipProduct)};
  EXPECT_EQ(qip.ApplyStates(on, 1), 0);
  EXPECT_EQ(on[0].state, 1);
  EXPECT_EQ(PluginName(messenger / L"Plugins\\VantoQIP\\VantoQIP.dll"), L"VANTO for QIP Infium (RUS)");
}

// Without the language library the plug-in is of no use: switching on fails and leaves nothing in
// the messenger's folder. (The plug-in once stayed there, copied before the library was missed.)
TEST_F(MessengerSwitchTest, AFirstEnableWithoutTheLanguageLibraryFailsAndLeavesNoPluginBehind) {
  struct Case {
    const wchar_t* what;
    DWORD language;
  };
  for (const Case& c : {Case{L"no Russian library anywhere", 0x0419}, Case{L"no language at all", 0}}) {
    SCOPED_TRACE(c.what);
    const fs::path scratch = scratch_.Folder(std::to_wstring(c.language));
    test::SetDword(HKEY_LOCAL_MACHINE, kProductRoot, L"VntoLangID", c.language);
    const fs::path package = scratch / L"VantoQIP";
    fs::create_directories(package);
    fs::copy_file(test::BinFolder() / L"VantoQIP.dll", package / L"VantoQIP.dll");
    test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"VantoQIP", package.wstring() + L"\\");
    const fs::path messenger = scratch / L"QIP Infium";
    fs::create_directories(messenger / L"Plugins");
    AddProgram(HKEY_CURRENT_USER, L"QIP Infium", L"QIP Infium", messenger.wstring());
    CQIPInfiumSW qip(kQipProduct);
    ASSERT_EQ(qip.CollectPlugins(), 1);
    const auto before = Snapshot(messenger);

    PluginList on{MessengerRecord(L"QIP Infium", 1, 4096, kQipProduct)};
    BoxRecorder boxes;
    EXPECT_EQ(qip.ApplyStates(on, 0), 1);
    EXPECT_EQ(on[0].state, 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, std::wstring(kEmbedFailed) + kQipProduct + L"\"\r\n" + kContactSupport);
    EXPECT_EQ(boxes.Boxes()[0].caption, L"VANTO Plug-ins Manager");
    EXPECT_EQ(Snapshot(messenger), before);
    EXPECT_EQ(test::GetDword(HKEY_CURRENT_USER, kMessengers, L"QIP Infium", 77), 77u);  // not written
  }
}

TEST_F(MessengerSwitchTest, EnablingWithoutThePluginsFolderValueFailsWithTheAdministratorReason) {
  QipInstallation();
  CQIPInfiumSW qip(kQipProduct);
  ASSERT_EQ(qip.CollectPlugins(), 1);
  PluginList on{MessengerRecord(L"QIP Infium", 1, 4096, kQipProduct)};
  BoxRecorder boxes;
  EXPECT_EQ(qip.ApplyStates(on, 0), 1);
  EXPECT_EQ(on[0].state, 0);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, std::wstring(kEmbedFailed) + L"QIP Infium\"\r\n" + kNoRights);
  EXPECT_NE(Log().find(L"):\r\nQIP Infium#REGISTRY#Error read plugin folder\r\n"), std::wstring::npos)
      << Log();
  // Quiet: the same failure, no message.
  PluginList quiet{MessengerRecord(L"QIP Infium", 1, 4096, kQipProduct)};
  EXPECT_EQ(qip.ApplyStates(quiet, 1), 1);
  EXPECT_EQ(quiet[0].state, 0);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(MessengerSwitchTest, DisablingWhileTheMessengerRunsOnlyRecordsOff) {
  QipPackage();
  const fs::path messenger = QipInstallation();
  CQIPInfiumSW qip(kQipProduct);
  ASSERT_EQ(qip.CollectPlugins(), 1);
  PluginList on{MessengerRecord(L"QIP Infium", 1, 4096, kQipProduct)};
  ASSERT_EQ(qip.ApplyStates(on, 1), 0);

  // A real program running under the messenger's file name.
  const fs::path running = scratch_.Folder(L"Running") / L"infium.exe";
  fs::copy_file(test::BinFolder() / L"SuiteApp.exe", running);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  std::wstring command = L"\"" + running.wstring() + L"\" /exitafter:60000";
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               scratch_.path().c_str(), &startup, &started));
  const win::UniqueHandle process(started.hProcess);
  const win::UniqueHandle thread(started.hThread);
  const test::Restorer stop([&] {
    ::TerminateProcess(process.get(), 0);
    ::WaitForSingleObject(process.get(), 10000);
  });
  ASSERT_TRUE(test::WaitUntil([] { return switches::IsProcessRunning(L"infium.exe"); }, 20s));

  PluginList off{MessengerRecord(L"QIP Infium", 0, 4096, kQipProduct)};
  EXPECT_EQ(qip.ApplyStates(off, 1), 0);
  EXPECT_EQ(off[0].state, 0);
  EXPECT_EQ(Choice(L"QIP Infium"), 0u);
  EXPECT_TRUE(fs::exists(messenger / L"Plugins\\VantoQIP\\VantoQIP.dll"));
  EXPECT_TRUE(fs::exists(messenger / L"Plugins\\VantoQIP\\VantoQIPResRUS.dll"));
}

TEST_F(MessengerSwitchTest, APluginThatCannotBeDeletedKeepsTheIntegrationOn) {
  QipPackage();
  const fs::path messenger = QipInstallation();
  CQIPInfiumSW qip(kQipProduct);
  ASSERT_EQ(qip.CollectPlugins(), 1);
  PluginList on{MessengerRecord(L"QIP Infium", 1, 4096, kQipProduct)};
  ASSERT_EQ(qip.ApplyStates(on, 1), 0);
  const fs::path plugin = messenger / L"Plugins\\VantoQIP\\VantoQIP.dll";
  ASSERT_TRUE(::SetFileAttributesW(plugin.c_str(), FILE_ATTRIBUTE_READONLY));
  const test::Restorer writable([&] { ::SetFileAttributesW(plugin.c_str(), FILE_ATTRIBUTE_NORMAL); });

  PluginList off{MessengerRecord(L"QIP Infium", 0, 4096, kQipProduct)};
  BoxRecorder boxes;
  EXPECT_EQ(qip.ApplyStates(off, 0), 1);
  EXPECT_EQ(off[0].state, 1);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, std::wstring(kEmbedFailed) + kQipProduct + L"\"\r\n" + kContactSupport);
  EXPECT_TRUE(fs::exists(plugin));
  EXPECT_EQ(Choice(L"QIP Infium"), 1u);  // still on, as the files are
}

// A fault on one of the files or the key the switch touches, put there after detection: a failed
// switch leaves the messenger's files and the choice exactly as they were (but for the fault
// itself), the record tells the state a fresh detection finds, and the user is told. A missing key
// is made again, and that is no failure.
TEST_F(MessengerSwitchTest, AFaultBetweenDetectionAndSwitchingLeavesQipInfiumAsItWas) {
  enum Target { kSourcePlugin, kSourceLibrary, kPlugins, kPlugin, kLibrary, kChoiceKey };
  struct Case {
    const char* what;
    bool on;  // switching on, else off (switched on before)
    Target target;
    Fault fault;
    bool fails;
  };
  const Case cases[] = {
      {"on, suite's plug-in held open", true, kSourcePlugin, Fault::kHeldOpen, true},
      {"on, suite's plug-in deleted", true, kSourcePlugin, Fault::kDeleted, true},
      {"on, suite's library held open", true, kSourceLibrary, Fault::kHeldOpen, true},
      {"on, suite's library deleted", true, kSourceLibrary, Fault::kDeleted, true},
      {"on, Plugins folder deleted", true, kPlugins, Fault::kDeleted, true},
      {"on, Messengers key deleted", true, kChoiceKey, Fault::kDeleted, false},
      {"off, plug-in held open", false, kPlugin, Fault::kHeldOpen, true},
      {"off, plug-in read-only", false, kPlugin, Fault::kReadOnly, true},
      {"off, library held open", false, kLibrary, Fault::kHeldOpen, true},
      {"off, library read-only", false, kLibrary, Fault::kReadOnly, true},
      {"off, plug-in deleted", false, kPlugin, Fault::kDeleted, false},
      {"off, Messengers key deleted", false, kChoiceKey, Fault::kDeleted, false},
  };
  const fs::path package = QipPackage();
  const fs::path messenger = QipInstallation();
  const fs::path target = messenger / L"Plugins" / L"VantoQIP";
  const fs::path paths[] = {package / L"VantoQIP.dll", package / L"VantoQIPResRUS.dll",
                            messenger / L"Plugins", target / L"VantoQIP.dll", target / L"VantoQIPResRUS.dll"};
  // Everything in the scratch folder but the log, which the switch writes to.
  const auto files = [&] {
    Files all = FilesBelow(scratch_.path());
    all.erase(log_.filename().wstring());
    return all;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      // The starting point: off, or switched on by the switch itself.
      CQIPInfiumSW setup(kQipProduct);
      ASSERT_EQ(setup.CollectPlugins(), 1);
      PluginList records{MessengerRecord(L"QIP Infium", c.on ? 0 : 1, 4096, kQipProduct)};
      ASSERT_EQ(setup.ApplyStates(records, 1), 0);
    }
    CQIPInfiumSW qip(kQipProduct);
    ASSERT_EQ(qip.CollectPlugins(), 1);
    ASSERT_EQ(Collected(qip)[0].state, c.on ? 0 : 1);
    const Files filesBefore = files();
    const auto choiceBefore = ValuesOf(HKEY_CURRENT_USER, kMessengers);
    {
      std::optional<InjectedFault> fault;
      if (c.target == kChoiceKey)
        ASSERT_EQ(::RegDeleteTreeW(HKEY_CURRENT_USER, kMessengers), ERROR_SUCCESS);
      else
        fault.emplace(paths[c.target], c.fault);
      PluginList records{MessengerRecord(L"QIP Infium", c.on ? 1 : 0, 4096, kQipProduct)};
      BoxRecorder boxes;
      EXPECT_EQ(qip.ApplyStates(records, 0), c.fails ? 1 : 0);
      EXPECT_EQ(records[0].state, c.on == !c.fails ? 1 : 0);
      if (c.fails) {
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text,
                  std::wstring(kEmbedFailed) + kQipProduct + L"\"\r\n" + kContactSupport);
        EXPECT_EQ(files(), fault->Expected(filesBefore, scratch_.path()));
        EXPECT_EQ(ValuesOf(HKEY_CURRENT_USER, kMessengers), choiceBefore);
      } else {
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(Choice(L"QIP Infium"), c.on ? 1u : 0u);
        EXPECT_EQ(fs::exists(target), c.on);
      }
      CQIPInfiumSW fresh(kQipProduct);
      ASSERT_EQ(fresh.CollectPlugins(), 1);
      EXPECT_EQ(Collected(fresh)[0].state, records[0].state);
    }
    // Back to a whole installation for the next case.
    fs::create_directories(messenger / L"Plugins");
    for (const fs::path& file : {paths[0], paths[1]})
      if (!fs::exists(file)) fs::copy_file(test::BinFolder() / file.filename(), file);
  }
}

// ---- Skype switching ----------------------------------------------------------------------------

TEST_F(MessengerSwitchTest, SkypeSwitchingOnlyWritesTheChoiceOfTheFirstRecord) {
  AddProgram(HKEY_LOCAL_MACHINE, L"{A}", L"Skype\x2122 4.2");
  CSkypeSW skype(kSkypeProduct);
  ASSERT_EQ(skype.CollectPlugins(), 1);
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, kMessengers));
  PluginList none;
  EXPECT_EQ(skype.ApplyStates(none, 0), 0);
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, kMessengers));

  for (int state : {0, 1, 0}) {
    PluginList records{MessengerRecord(L"Skype\x2122 4.2", state, 8192, kSkypeProduct),
                       MessengerRecord(L"Skype 3.8", 1 - state, 8192, kSkypeProduct)};
    EXPECT_EQ(skype.ApplyStates(records, 0), 0);
    EXPECT_EQ(records[0].state, state);
    EXPECT_EQ(Choice(L"Skype"), static_cast<DWORD>(state));
  }
  CSkypeSW reread(kSkypeProduct);
  ASSERT_EQ(reread.CollectPlugins(), 1);
  EXPECT_EQ(Collected(reread)[0].state, 0);
}

}  // namespace
}  // namespace officetest
