// The Internet Explorer and Firefox switches against a sandboxed registry and real files in a
// scratch folder. The Internet Explorer add-on is registered by the real regsvr32, a process of its
// own that the sandbox does not reach: it writes the prefix's machine-wide classes, which these
// tests read once the sandbox is gone and clean up afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "FaultInjection.h"
#include "OfficeTestSupport.h"
#include "support/Driver.h"
#include "support/RegistrySandbox.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"
#include "switches/IESW.h"
#include "switches/MozillaSW.h"
#include "win/System.h"

namespace officetest {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using switches::PluginList;
using switches::PluginRecord;

constexpr wchar_t kIEProduct[] = L"VANTO for Internet Explorer";
constexpr wchar_t kExplorerKey[] = L"SOFTWARE\\Microsoft\\Internet Explorer";
constexpr wchar_t kFirefoxKey[] = L"SOFTWARE\\Mozilla\\Mozilla Firefox";
constexpr wchar_t kAddonClassKey[] = L"CLSID\\{AF81CD65-7092-4EB6-81DF-5C6D7E8F9012}";
constexpr wchar_t kObsoleteClassKey[] = L"CLSID\\{B1C3D5E7-F902-4A4C-8E6F-708192A3B4C5}";
constexpr wchar_t kRealClassKey[] = L"SOFTWARE\\Classes\\CLSID\\{AF81CD65-7092-4EB6-81DF-5C6D7E8F9012}";
constexpr wchar_t kRealHelperKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    L"{AF81CD65-7092-4EB6-81DF-5C6D7E8F9012}";
constexpr wchar_t kProxyName[] = L"vanto9@korvelsoft.com";

PluginRecord BrowserRecord(int app, const std::wstring& displayName, int state, int kind,
                           const std::wstring& product) {
  PluginRecord record;
  record.application = app;
  record.displayName = displayName;
  record.state = state;
  record.kind = kind;
  record.productName = product;
  return record;
}

// Whether a key of the real registry opens; only outside a sandbox.
bool RealKeyExists(const wchar_t* path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

// Every file below `folder` with its bytes.

class BrowserSwitchTest : public ::testing::Test {
 protected:
  BrowserSwitchTest() { registry_.emplace(); }

  // A Folders value naming a scratch folder, with its closing separator.
  std::wstring Folder(const wchar_t* value, const std::wstring& relative) const {
    const std::wstring folder = scratch_.Folder(relative).wstring() + L"\\";
    test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, value, folder);
    return folder;
  }
  // A Firefox installation: its Main key's "Install Directory" and its extensions folder.
  fs::path AddFirefox(const std::wstring& keyName, const std::wstring& folderName,
                      bool trailingSeparator = true) {
    const fs::path root = scratch_.Folder(folderName);
    fs::create_directories(root / L"extensions");
    test::SetString(HKEY_LOCAL_MACHINE, std::wstring(kFirefoxKey) + L"\\" + keyName + L"\\Main",
                    L"Install Directory", root.wstring() + (trailingSeparator ? L"\\" : L""));
    return root;
  }
  static PluginList Collected(CSwitch& browser) {
    PluginList records;
    browser.GetPlugins(records);
    return records;
  }

  EnglishStrings strings_;
  test::Restorer facts_ = test::SavedSystemFacts();
  test::ScratchDir scratch_;
  std::optional<test::RegistrySandbox> registry_;
};

// ---- Internet Explorer --------------------------------------------------------------------------

TEST_F(BrowserSwitchTest, TheAddonIsPresentWhenItsDllLiesAnywhereBelowTheFoldersValue) {
  CIESW ie(kIEProduct);
  EXPECT_FALSE(ie.IsPackagePresent());  // no Folders value
  const std::wstring folder = Folder(L"VntoIE", L"VntoIE");
  EXPECT_FALSE(ie.IsPackagePresent());  // an empty folder
  Touch(fs::path(folder) / L"bin" / L"vntoie.dll");
  EXPECT_TRUE(ie.IsPackagePresent());
  test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"VntoIE", L"");
  EXPECT_FALSE(ie.IsPackagePresent());
}

TEST_F(BrowserSwitchTest, InternetExplorerIsNamedByTheVersionUpToItsSecondDot) {
  struct Case {
    const wchar_t* version;
    const wchar_t* displayName;
  };
  const Case cases[] = {
      {L"8.0.6001.18702", L"Internet Explorer 8.0"},
      {L"6.0.2900.5512", L"Internet Explorer 6.0"},
      {L"11.0", L"Internet Explorer 11.0"},
      {L"7", L"Internet Explorer 7"},
      {L"", L"Internet Explorer "},
      {L"9.0.12345678901234567890", L"Internet Explorer 9.0"},  // 24 characters: fits in 50 bytes
      {L"9.0.123456789012345678901", L"Internet Explorer "},    // 25: does not
  };
  for (const Case& c : cases) {
    test::SetString(HKEY_LOCAL_MACHINE, kExplorerKey, L"Version", c.version);
    CIESW ie(kIEProduct);
    ASSERT_EQ(ie.CollectPlugins(), 1) << c.version;
    EXPECT_EQ(Collected(ie), PluginList{BrowserRecord(0, c.displayName, 0, 512, kIEProduct)}) << c.version;
  }
}

TEST_F(BrowserSwitchTest, InternetExplorerWithoutItsKeyOrWithAVersionOfTheWrongTypeIsHandled) {
  CIESW missing(kIEProduct);
  EXPECT_EQ(missing.CollectPlugins(), 0);
  test::SetDword(HKEY_LOCAL_MACHINE, kExplorerKey, L"Version", 8);
  CIESW wrongType(kIEProduct);
  ASSERT_EQ(wrongType.CollectPlugins(), 1);
  EXPECT_EQ(Collected(wrongType)[0].displayName, L"Internet Explorer ");
}

TEST_F(BrowserSwitchTest, TheAddonIsOnWhenItsClassIsRegistered) {
  test::SetString(HKEY_LOCAL_MACHINE, kExplorerKey, L"Version", L"8.0.6001.18702");
  test::CreateKey(HKEY_CLASSES_ROOT, kAddonClassKey);
  CIESW ie(kIEProduct);
  ASSERT_EQ(ie.CollectPlugins(), 1);
  EXPECT_EQ(Collected(ie), PluginList{BrowserRecord(0, L"Internet Explorer 8.0", 1, 512, kIEProduct)});
}

// The system folder's tool by its full path, never a bare name (Wine's system folder here).
TEST_F(BrowserSwitchTest, TheSystemsRegistrationToolIsCalledOnTheDllOfTheFoldersValue) {
  const std::wstring folder = Folder(L"VntoIE", L"Program Files\\VntoIE");
  EXPECT_EQ(CIESW::RegistrationCommand(true),
            L"\"C:\\windows\\system32\\regsvr32.exe\" /s \"" + folder + L"vntoie.dll\"");
  EXPECT_EQ(CIESW::RegistrationCommand(false),
            L"\"C:\\windows\\system32\\regsvr32.exe\" /u /s \"" + folder + L"vntoie.dll\"");
}

TEST_F(BrowserSwitchTest, RunCommandStartsAProgramWithoutWaitingAndReportsOneThatCannotStart) {
  const fs::path marker = scratch_.path() / L"started.txt";
  EXPECT_TRUE(switches::RunCommand(L"cmd /c echo started> \"" + marker.wstring() + L"\""));
  EXPECT_TRUE(test::WaitUntil([&] { return fs::exists(marker) && fs::file_size(marker) > 0; }, 20s));
  EXPECT_FALSE(switches::RunCommand(L"\"" + (scratch_.path() / L"no such program.exe").wstring() + L"\""));
  EXPECT_FALSE(switches::RunCommand(L""));
}

TEST_F(BrowserSwitchTest, AnEmptyListIsLeftAlone) {
  CIESW ie(kIEProduct);
  PluginList none;
  EXPECT_EQ(ie.ApplyStates(none, 1), 0);
}

TEST_F(BrowserSwitchTest, ARegistrationTheToolCannotDoFailsWithTheRecordBackAndItsMessage) {
  Folder(L"VntoIE", L"Program Files\\VntoIE");  // no add-on DLL in it: regsvr32 ends with an error
  CIESW ie(kIEProduct);
  for (int state : {1, 0}) {
    PluginList records{BrowserRecord(0, L"Internet Explorer 8.0", state, 512, kIEProduct)};
    BoxRecorder boxes;
    EXPECT_EQ(ie.ApplyStates(records, 0), 1);
    EXPECT_EQ(records[0].state, 1 - state);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(
        boxes.Boxes()[0].text,
        L"Unable to embed/disable the translation functions in \r\n\"VANTO for Internet Explorer\"\r\n"
        L"To get detailed information, please contact the Technical Support Service of the VANTO company.");
  }
}

// The whole round trip with the real add-on and the real regsvr32: on writes the class (and the
// helper object's key) into the prefix, off removes them again, and each run removes the obsolete
// class from this process's classes.
TEST_F(BrowserSwitchTest, RegistrationByTheRealToolWritesAndRemovesTheAddonClass) {
  // Whatever the test leaves, the prefix gets its classes back without the add-on.
  test::Restorer cleanUp([this] {
    registry_.reset();
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kRealHelperKey);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kRealHelperKey);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kRealClassKey);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kRealClassKey);
  });
  registry_.reset();
  ASSERT_FALSE(RealKeyExists(kRealClassKey)) << "the add-on is registered before the test";
  ASSERT_FALSE(RealKeyExists(kRealHelperKey));

  const auto apply = [this](int state) {
    registry_.emplace();
    const std::wstring folder = Folder(L"VntoIE", L"Korvelsoft\\VntoIE");
    fs::copy_file(test::BinFolder() / L"vntoie.dll", fs::path(folder) / L"vntoie.dll",
                  fs::copy_options::overwrite_existing);
    test::CreateKey(HKEY_CLASSES_ROOT, std::wstring(kObsoleteClassKey) + L"\\InprocServer32");
    CIESW ie(kIEProduct);
    PluginList records{BrowserRecord(0, L"Internet Explorer 8.0", state, 512, kIEProduct)};
    BoxRecorder boxes;
    EXPECT_EQ(ie.ApplyStates(records, 0), 0);
    EXPECT_EQ(records[0].state, state);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(test::KeyExists(HKEY_CLASSES_ROOT, kObsoleteClassKey));
    registry_.reset();
  };

  apply(1);
  ASSERT_TRUE(
      test::WaitUntil([] { return RealKeyExists(kRealClassKey) && RealKeyExists(kRealHelperKey); }, 30s));
  const std::wstring server =
      test::GetString(HKEY_LOCAL_MACHINE, std::wstring(kRealClassKey) + L"\\InprocServer32", L"");
  EXPECT_TRUE(server.ends_with(L"Korvelsoft\\VntoIE\\vntoie.dll")) << server;
  EXPECT_EQ(test::GetString(HKEY_LOCAL_MACHINE, std::wstring(kRealClassKey) + L"\\InprocServer32",
                            L"ThreadingModel"),
            L"Apartment");

  apply(0);
  EXPECT_TRUE(
      test::WaitUntil([] { return !RealKeyExists(kRealClassKey) && !RealKeyExists(kRealHelperKey); }, 30s));
}

// ---- Firefox ------------------------------------------------------------------------------------

TEST_F(BrowserSwitchTest, TheExtensionIsPresentWhenItsComponentLiesBelowComponents) {
  CMozillaSW firefox(L"");
  EXPECT_FALSE(firefox.IsPackagePresent());
  const std::wstring folder = Folder(L"FireFox", L"FireFox");
  Touch(fs::path(folder) / L"vantoff9.dll");  // beside, not in components
  EXPECT_FALSE(firefox.IsPackagePresent());
  Touch(fs::path(folder) / L"components" / L"vantoff9.dll");
  EXPECT_TRUE(firefox.IsPackagePresent());
}

TEST_F(BrowserSwitchTest, TheScanListsFirefox15And20And3xWithTheirInstallDirectories) {
  for (const wchar_t* key : {L"1.0.8 (en-US)", L"1.5.0.12 (en-US)", L"10.0 (en-US)", L"2.0.0.20 (de)",
                             L"3.0.19 (en-US)", L"3.5 (en-US)", L"3 (en-US)", L"4.0 (en-US)"})
    AddFirefox(key, key);
  AddFirefox(L"3.6.8 (fr)", L"no separator", false);
  test::CreateKey(HKEY_LOCAL_MACHINE, std::wstring(kFirefoxKey) + L"\\3.6.1 (en-US)\\Main");  // no directory
  test::CreateKey(HKEY_LOCAL_MACHINE, std::wstring(kFirefoxKey) + L"\\3.6.2 (en-US)");        // no Main
  test::SetDword(HKEY_LOCAL_MACHINE, std::wstring(kFirefoxKey) + L"\\3.6.3 (en-US)\\Main",
                 L"Install Directory", 1);

  CMozillaSW firefox(L"");
  ASSERT_EQ(firefox.CollectPlugins(), 5);
  const PluginList records = Collected(firefox);
  const wchar_t* expected[] = {L"1.5.0.12 (en-US)", L"2.0.0.20 (de)", L"3.0.19 (en-US)", L"3.5 (en-US)",
                               L"3.6.8 (fr)"};
  ASSERT_EQ(records.size(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    const FireFoxVersion& version = firefox.Installations()[i];
    const std::wstring folderName = i == 4 ? L"no separator" : expected[i];
    const std::wstring directory = (scratch_.path() / folderName).wstring() + L"\\";
    EXPECT_EQ(version.keyName, expected[i]);
    EXPECT_EQ(version.displayName, std::wstring(L"Mozilla Firefox ") + expected[i]);
    EXPECT_EQ(version.installDirectory, directory);
    EXPECT_EQ(version.proxyFile, directory + L"extensions\\" + kProxyName);
    EXPECT_EQ(records[i], BrowserRecord(static_cast<int>(i), version.displayName, 0, 256, L""));
  }
}

TEST_F(BrowserSwitchTest, WithoutFirefoxTheScanIsEmpty) {
  CMozillaSW firefox(L"");
  EXPECT_EQ(firefox.CollectPlugins(), 0);
  test::CreateKey(HKEY_LOCAL_MACHINE, kFirefoxKey);
  CMozillaSW empty(L"");
  EXPECT_EQ(empty.CollectPlugins(), 0);
}

TEST_F(BrowserSwitchTest, AnInstallationWithAProxyFileIsOn) {
  const fs::path root = AddFirefox(L"3.5 (en-US)", L"Firefox 3.5");
  AddFirefox(L"2.0 (en-US)", L"Firefox 2.0");
  test::WriteFile(root / L"extensions" / kProxyName, "C:\\VANTO\\FireFox\\");
  CMozillaSW firefox(L"");
  ASSERT_EQ(firefox.CollectPlugins(), 2);
  const PluginList records = Collected(firefox);
  EXPECT_EQ(records[0].state, 0);  // 2.0 comes first
  EXPECT_EQ(records[1].state, 1);
}

// On twice, then off twice: one proxy file holding the extension's folder, then the folder exactly
// as it was.
TEST_F(BrowserSwitchTest, EnablingWritesOneProxyFileAndDisablingLeavesTheFolderAsItWas) {
  const std::wstring extension = Folder(L"FireFox", L"Korvelsoft\\FireFox");
  const fs::path root = AddFirefox(L"3.5 (en-US)", L"Mozilla Firefox");
  test::WriteFile(root / L"extensions" / L"other@example.org", "D:\\Other\\");
  const auto before = Snapshot(root);

  CMozillaSW firefox(L"");
  ASSERT_EQ(firefox.CollectPlugins(), 1);
  const fs::path proxy = root / L"extensions" / kProxyName;
  BoxRecorder boxes;
  for (int round = 0; round < 2; ++round) {
    PluginList on{BrowserRecord(0, L"Mozilla Firefox 3.5 (en-US)", 1, 256, L"")};
    EXPECT_EQ(firefox.ApplyStates(on, 0), 0);
    EXPECT_EQ(on[0].state, 1);
    EXPECT_EQ(test::ReadFile(proxy), std::string(extension.begin(), extension.end()));
    EXPECT_EQ(Snapshot(root).size(), before.size() + 1);  // no temporary file left
  }
  CMozillaSW again(L"");
  ASSERT_EQ(again.CollectPlugins(), 1);
  EXPECT_EQ(Collected(again)[0].state, 1);
  for (int round = 0; round < 2; ++round) {
    PluginList off{BrowserRecord(0, L"Mozilla Firefox 3.5 (en-US)", 0, 256, L"")};
    EXPECT_EQ(firefox.ApplyStates(off, 0), 0);
    EXPECT_EQ(off[0].state, 0);
    EXPECT_EQ(Snapshot(root), before);
  }
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(BrowserSwitchTest, EachInstallationTakesTheRecordOfItsOwnIndex) {
  Folder(L"FireFox", L"FireFox");
  const fs::path second = AddFirefox(L"2.0 (en-US)", L"Firefox 2.0");
  const fs::path first = AddFirefox(L"1.5 (en-US)", L"Firefox 1.5");
  const fs::path third = AddFirefox(L"3.5 (en-US)", L"Firefox 3.5");
  CMozillaSW firefox(L"");
  ASSERT_EQ(firefox.CollectPlugins(), 3);
  // Index 2 on, index 1 has no record, index 7 matches no installation.
  PluginList records{BrowserRecord(7, L"stray", 1, 256, L""),
                     BrowserRecord(2, L"Mozilla Firefox 3.5 (en-US)", 1, 256, L""),
                     BrowserRecord(0, L"Mozilla Firefox 1.5 (en-US)", 0, 256, L"")};
  EXPECT_EQ(firefox.ApplyStates(records, 1), 0);
  EXPECT_TRUE(fs::exists(third / L"extensions" / kProxyName));
  EXPECT_FALSE(fs::exists(second / L"extensions" / kProxyName));
  EXPECT_FALSE(fs::exists(first / L"extensions" / kProxyName));
  EXPECT_EQ(records[0].state, 1);
}

TEST_F(BrowserSwitchTest, WithoutAdministratorRightsNoInstallationIsTouched) {
  Folder(L"FireFox", L"FireFox");
  const fs::path a = AddFirefox(L"2.0 (en-US)", L"Firefox 2.0");
  const fs::path b = AddFirefox(L"3.5 (en-US)", L"Firefox 3.5");
  test::WriteFile(b / L"extensions" / kProxyName, "C:\\VANTO\\FireFox\\");
  win::SystemFacts facts = win::SystemFactOverrides();
  facts.administrator = false;
  win::OverrideSystemFacts(facts);

  CMozillaSW firefox(L"");
  ASSERT_EQ(firefox.CollectPlugins(), 2);
  PluginList records{BrowserRecord(0, L"Mozilla Firefox 2.0 (en-US)", 1, 256, L""),
                     BrowserRecord(1, L"Mozilla Firefox 3.5 (en-US)", 0, 256, L"")};
  BoxRecorder boxes;
  EXPECT_EQ(firefox.ApplyStates(records, 0), 2);
  EXPECT_EQ(records[0].state, 0);
  EXPECT_EQ(records[1].state, 1);
  EXPECT_FALSE(fs::exists(a / L"extensions" / kProxyName));
  EXPECT_EQ(test::ReadFile(b / L"extensions" / kProxyName), "C:\\VANTO\\FireFox\\");
  ASSERT_EQ(boxes.Boxes().size(), 2u);  // one per installation: the switch goes on after a failure
  for (const auto& box : boxes.Boxes()) {
    EXPECT_EQ(box.text, std::wstring(kEmbedFailed) + L"\"\r\n" + kNoRights);
    EXPECT_EQ(box.caption, L"VANTO Plug-ins Manager");
  }
}

TEST_F(BrowserSwitchTest, AReadOnlyProxyFileBlocksBothWaysAndIsKeptWhole) {
  const std::wstring extension = Folder(L"FireFox", L"FireFox");
  const fs::path root = AddFirefox(L"3.5 (en-US)", L"Firefox 3.5");
  const fs::path proxy = root / L"extensions" / kProxyName;
  test::WriteFile(proxy, "D:\\Elsewhere\\");
  ASSERT_TRUE(::SetFileAttributesW(proxy.c_str(), FILE_ATTRIBUTE_READONLY));
  test::Restorer writable([&] { ::SetFileAttributesW(proxy.c_str(), FILE_ATTRIBUTE_NORMAL); });

  CMozillaSW firefox(L"");
  ASSERT_EQ(firefox.CollectPlugins(), 1);
  for (int state : {1, 0}) {
    PluginList records{BrowserRecord(0, L"Mozilla Firefox 3.5 (en-US)", state, 256, L"")};
    BoxRecorder boxes;
    EXPECT_EQ(firefox.ApplyStates(records, 0), 1) << state;
    EXPECT_EQ(records[0].state, 1 - state);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, std::wstring(kEmbedFailed) + L"\"\r\n" + kContactSupport);
    EXPECT_EQ(test::ReadFile(proxy), "D:\\Elsewhere\\");
    EXPECT_EQ(Snapshot(root / L"extensions").size(), 1u);
  }
}

TEST_F(BrowserSwitchTest, AnInstallDirectoryThatDoesNotExistIsListedOffAndCannotBeSwitchedOn) {
  Folder(L"FireFox", L"FireFox");
  const std::wstring gone = (scratch_.path() / L"removed Firefox").wstring();
  test::SetString(HKEY_LOCAL_MACHINE, std::wstring(kFirefoxKey) + L"\\3.5 (en-US)\\Main",
                  L"Install Directory", gone);
  CMozillaSW firefox(L"");
  ASSERT_EQ(firefox.CollectPlugins(), 1);
  EXPECT_EQ(Collected(firefox)[0].state, 0);
  PluginList records{BrowserRecord(0, L"Mozilla Firefox 3.5 (en-US)", 1, 256, L"")};
  BoxRecorder boxes;
  EXPECT_EQ(firefox.ApplyStates(records, 0), 1);
  EXPECT_EQ(records[0].state, 0);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, std::wstring(kEmbedFailed) + L"\"\r\n" + kNoRights);
  EXPECT_FALSE(fs::exists(gone));
  // Switching off what is not there is no failure.
  records[0].state = 0;
  EXPECT_EQ(firefox.ApplyStates(records, 0), 0);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

// A fault on the proxy file or its folder, put there after detection: a failed switch leaves the
// installation's files as they were, the record tells the state a fresh detection finds, and the
// user is told.
TEST_F(BrowserSwitchTest, AFaultBetweenDetectionAndSwitchingLeavesTheInstallationAsItWas) {
  struct Case {
    const char* what;
    bool on;      // switching on, else off (the proxy file is there then)
    bool folder;  // the fault is on the extensions folder, else on the proxy file
    Fault fault;
    const wchar_t* why;  // the message's reason text; null: no failure
  };
  const Case cases[] = {
      {"on, folder deleted", true, true, Fault::kDeleted, kNoRights},
      {"off, proxy held open", false, false, Fault::kHeldOpen, kNoRights},
      {"off, proxy read-only", false, false, Fault::kReadOnly, kContactSupport},
      {"off, proxy deleted", false, false, Fault::kDeleted, nullptr},
      {"off, folder deleted", false, true, Fault::kDeleted, nullptr},
  };
  const std::wstring extension = Folder(L"FireFox", L"Korvelsoft\\FireFox");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path root = AddFirefox(L"3.5 (en-US)", L"Mozilla Firefox");
    const fs::path proxy = root / L"extensions" / kProxyName;
    test::WriteFile(root / L"extensions" / L"other@example.org", "D:\\Other\\");
    if (!c.on) test::WriteFile(proxy, std::string(extension.begin(), extension.end()));
    CMozillaSW firefox(L"");
    ASSERT_EQ(firefox.CollectPlugins(), 1);
    ASSERT_EQ(Collected(firefox)[0].state, c.on ? 0 : 1);
    const Files before = FilesBelow(root);
    {
      const InjectedFault fault(c.folder ? root / L"extensions" : proxy, c.fault);
      const Files expected = fault.Expected(before, root);
      PluginList records{BrowserRecord(0, L"Mozilla Firefox 3.5 (en-US)", c.on ? 1 : 0, 256, L"")};
      BoxRecorder boxes;
      EXPECT_EQ(firefox.ApplyStates(records, 0), c.why ? 1 : 0);
      EXPECT_EQ(records[0].state, c.on == !c.why ? 1 : 0);
      if (c.why) {
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, std::wstring(kEmbedFailed) + L"\"\r\n" + c.why);
      } else {
        EXPECT_TRUE(boxes.Boxes().empty());
      }
      EXPECT_EQ(FilesBelow(root), expected);
      CMozillaSW fresh(L"");
      ASSERT_EQ(fresh.CollectPlugins(), 1);
      EXPECT_EQ(Collected(fresh)[0].state, records[0].state);
    }
    fs::remove_all(root);
  }
}

}  // namespace
}  // namespace officetest
