// The Microsoft Office switch against a sandboxed registry and real add-in files in a scratch
// folder (the Folders values point there), with the real ED template installer behind COM.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "OfficeTestSupport.h"
#include "core/LogSink.h"
#include "support/ProgramLog.h"
#include "support/RegistrySandbox.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "switches/MSOfficeSW.h"

namespace officetest {
namespace {

namespace fs = std::filesystem;
using switches::PluginList;
using switches::PluginRecord;

constexpr wchar_t kFullClass2003[] = L"{F4061A2B-3C5D-4E7F-80A1-BC2D3E4F5061}";
constexpr wchar_t kLiteClass2003[] = L"{7C5E9A32-4D6F-4B83-9EAC-2F3A4B5C6D7E}";
constexpr wchar_t kFullClass2007[] = L"{8D6FAB43-5E70-4C94-AFBD-3A4B5C6D7E8F}";
constexpr wchar_t kLiteClass2007[] = L"{9E70BC54-6F81-4DA5-B0CE-4B5C6D7E8F90}";

constexpr const wchar_t* kApps[] = {L"Word", L"Outlook", L"Excel", L"PowerPoint", L"FrontPage"};
constexpr const wchar_t* kCodes[] = {L"ww", L"ot", L"ex", L"pp", L"fp"};

PluginRecord OfficeRecord(int app, const wchar_t* displayName, int state, int kind, const wchar_t* product) {
  PluginRecord record;
  record.application = app;
  record.displayName = displayName;
  record.state = state;
  record.kind = kind;
  record.productName = product;
  return record;
}

// A sandboxed registry with the add-in folders of the suite in a scratch folder, the ED template's
// start-up folder there too, and English texts.
class OfficeSwitchTest : public ::testing::Test {
 protected:
  OfficeSwitchTest() {
    test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"Office", Folder(L"Office"));
    test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"OfficeX", Folder(L"OfficeX"));
    test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"VNTOED", Folder(L"VNTOED"));
    test::SetString(HKEY_CURRENT_USER, kEdSettingsKey, L"StartupFolder", Startup().wstring());
  }

  // A Folders value: the folder with its closing separator.
  std::wstring Folder(const std::wstring& name) const { return scratch_.Folder(name).wstring() + L"\\"; }
  fs::path Startup() const { return scratch_.path() / L"STARTUP"; }

  static void InstallHost(const wchar_t* version, const wchar_t* app) {
    test::CreateKey(HKEY_LOCAL_MACHINE, std::wstring(L"Software\\Microsoft\\Office\\") + version + L"\\" +
                                            app + L"\\InstallRoot");
  }
  static void SetMiscStatus(const wchar_t* classId, const wchar_t* code, const wchar_t* value = L"1") {
    test::SetString(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + classId + L"\\MiscStatus", code, value);
  }
  static void AllowEverywhere() {
    for (const wchar_t* classId : {kFullClass2003, kLiteClass2003, kFullClass2007, kLiteClass2007})
      for (const wchar_t* code : kCodes) SetMiscStatus(classId, code);
  }
  // Every add-in file of both editions; the Office add-ins one folder down, as an installer may
  // place them.
  void PutAddinFiles() const {
    Touch(scratch_.path() / L"Office" / L"Bin" / L"Quillet8.dll");
    Touch(scratch_.path() / L"Office" / L"Bin" / L"EasyQuillet8.dll");
    for (const wchar_t* progId :
         {L"QuilletX.WordAddin", L"QuilletX.OutlookAddin", L"QuilletX.ExcelAddin",
          L"QuilletX.PowerPointAddin", L"QuilletX.Easy.WordAddin", L"QuilletX.Easy.OutlookAddin"})
      Touch(scratch_.path() / L"OfficeX" / (std::wstring(progId) + L".dll"));
    PutEdFiles(true);
  }
  void PutEdFiles(bool withTemplate) const {
    Touch(scratch_.path() / L"VNTOED" / L"edsetup.dll");
    if (withTemplate) Touch(scratch_.path() / L"VNTOED" / L"vntoed8.dot");
  }
  // The records as the plug-in table leaves them: numbered, and stored back into the switch.
  static PluginList Numbered(CMSOfficeSW& office) {
    PluginList records;
    office.GetPlugins(records);
    for (size_t i = 0; i < records.size(); ++i) records[i].id = static_cast<int>(i) + 1;
    office.SetPlugins(records);
    return records;
  }
  static const PluginRecord* Find(const PluginList& records, int app, int kind) {
    for (const PluginRecord& record : records)
      if (record.application == app && record.kind == kind) return &record;
    return nullptr;
  }

  EnglishStrings strings_;
  test::RegistrySandbox registry_;
  test::ScratchDir scratch_;
};

TEST_F(OfficeSwitchTest, WithoutOfficeNeitherEditionFindsAHostOrAPackage) {
  for (int edition : {1, 2}) {
    CMSOfficeSW office(edition, kOffice, kLite, kEd);
    for (int app = 0; app < CMSOfficeSW::kApplicationCount; ++app)
      EXPECT_FALSE(office.HostInstalled(app)) << app;
    EXPECT_EQ(office.CollectPlugins(), 0);
    EXPECT_FALSE(office.IsPackagePresent());
    EXPECT_EQ(office.PackagesFound(), 0);
  }
}

TEST_F(OfficeSwitchTest, AHostWithoutTheAddinFilesGivesNoRecord) {
  AllowEverywhere();
  for (const wchar_t* app : kApps) {
    InstallHost(L"11.0", app);
    InstallHost(L"12.0", app);
  }
  for (int edition : {1, 2}) {
    CMSOfficeSW office(edition, kOffice, kLite, kEd);
    EXPECT_TRUE(office.HostInstalled(CMSOfficeSW::kWord));
    EXPECT_EQ(office.CollectPlugins(), 0) << "edition " << edition;
    EXPECT_FALSE(office.IsPackagePresent()) << "edition " << edition;
  }
}

TEST_F(OfficeSwitchTest, BothEditionsInstalledGiveTheirRecordsInApplicationAndKindOrder) {
  AllowEverywhere();
  PutAddinFiles();
  for (const wchar_t* app : kApps) InstallHost(L"11.0", app);
  for (const wchar_t* app : {L"Word", L"Outlook", L"Excel", L"PowerPoint"}) InstallHost(L"12.0", app);
  // Already switched on for this user: the Excel 2003 add-in and the Outlook 2007 Lite add-in.
  test::CreateKey(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office\\Excel\\Addins\\Quillet8.ExcelAddin");
  test::CreateKey(HKEY_CURRENT_USER,
                  L"Software\\Microsoft\\Office\\Outlook\\Addins\\QuilletX.Easy.OutlookAddin");

  CMSOfficeSW office2003(1, kOffice, kLite, kEd);
  EXPECT_EQ(office2003.CollectPlugins(), 8);
  PluginList records;
  EXPECT_EQ(office2003.GetPlugins(records), 8);
  const PluginList expected2003 = {
      OfficeRecord(0, L"Microsoft Word 2000/XP/2003", 0, 4, kOffice),
      OfficeRecord(0, L"Microsoft Word 2000/XP/2003", 0, 2, kLite),
      OfficeRecord(0, L"Microsoft Word 2000/XP/2003", 0, 16, kEd),
      OfficeRecord(1, L"Microsoft Outlook 2000/XP/2003", 0, 4, kOffice),
      OfficeRecord(1, L"Microsoft Outlook 2000/XP/2003", 0, 2, kLite),
      OfficeRecord(2, L"Microsoft Excel 2000/XP/2003", 1, 4, kOffice),
      OfficeRecord(3, L"Microsoft PowerPoint 2000/XP/2003", 0, 4, kOffice),
      OfficeRecord(4, L"Microsoft FrontPage 2000/XP/2003", 0, 4, kOffice),
  };
  EXPECT_EQ(records, expected2003);
  EXPECT_TRUE(office2003.IsPackagePresent());
  EXPECT_EQ(office2003.PackagesFound(), 2 | 4 | 16);
  EXPECT_EQ(office2003.GetHostInfo(), (CPlugSt{L"MS Office XP/2003", 1}));

  CMSOfficeSW office2007(2, kOffice, kLite, kEd);
  EXPECT_EQ(office2007.CollectPlugins(), 7);
  EXPECT_EQ(office2007.GetPlugins(records), 7);
  const PluginList expected2007 = {
      OfficeRecord(0, L"Microsoft Word 2007/2010", 0, 64, kOffice),
      OfficeRecord(0, L"Microsoft Word 2007/2010", 0, 32, kLite),
      OfficeRecord(0, L"Microsoft Word 2007/2010", 0, 128, kEd),
      OfficeRecord(1, L"Microsoft Outlook 2007/2010", 0, 64, kOffice),
      OfficeRecord(1, L"Microsoft Outlook 2007/2010", 1, 32, kLite),
      OfficeRecord(2, L"Microsoft Excel 2007/2010", 0, 64, kOffice),
      OfficeRecord(3, L"Microsoft PowerPoint 2007/2010", 0, 64, kOffice),
  };
  EXPECT_EQ(records, expected2007);
  EXPECT_TRUE(office2007.IsPackagePresent());
  EXPECT_EQ(office2007.PackagesFound(), 32 | 64 | 128);
  EXPECT_EQ(office2007.GetHostInfo(), (CPlugSt{L"MS Office 2007", 2}));

  std::vector<int> kinds;
  office2003.GetKinds(kinds);
  office2007.GetKinds(kinds);
  EXPECT_EQ(kinds, (std::vector<int>{4, 2, 16, 64, 32, 128}));
}

TEST_F(OfficeSwitchTest, EachVersionOfAnEditionIsAHostAndOtherEditionsAreNot) {
  const struct {
    const wchar_t* version;
    bool edition1;
    bool edition2;
  } cases[] = {{L"9.0", true, false},  {L"10.0", true, false}, {L"11.0", true, false},
               {L"12.0", false, true}, {L"14.0", false, true}, {L"13.0", false, false}};
  for (const auto& c : cases) {
    test::RegistrySandbox fresh;  // a registry of its own for each version
    InstallHost(c.version, L"Excel");
    EXPECT_EQ(CMSOfficeSW(1, kOffice, kLite, kEd).HostInstalled(CMSOfficeSW::kExcel), c.edition1)
        << c.version;
    EXPECT_EQ(CMSOfficeSW(2, kOffice, kLite, kEd).HostInstalled(CMSOfficeSW::kExcel), c.edition2)
        << c.version;
    EXPECT_FALSE(CMSOfficeSW(1, kOffice, kLite, kEd).HostInstalled(CMSOfficeSW::kWord)) << c.version;
  }
}

struct MiscStatusCase {
  const char* label;
  bool write;           // whether the value is written at all
  const wchar_t* text;  // REG_SZ text, or null for a REG_DWORD 1
  bool allowed;
};

constexpr MiscStatusCase kMiscStatusCases[] = {
    {"One", true, L"1", true},
    {"Zero", true, L"0", false},
    {"Missing", false, L"", false},
    {"Padded", true, L"1 ", false},
    {"Other", true, L"yes", false},
    {"Empty", true, L"", false},
    {"NumberNotText", true, nullptr, false},
};

class OfficeMiscStatus : public OfficeSwitchTest, public ::testing::WithParamInterface<MiscStatusCase> {};

void PrintTo(const MiscStatusCase& c, std::ostream* out) {
  *out << c.label;
}

TEST_P(OfficeMiscStatus, AllowsTheExcelAddinOnlyForExactlyOne) {
  const MiscStatusCase& c = GetParam();
  PutAddinFiles();
  InstallHost(L"11.0", L"Excel");
  SetMiscStatus(kFullClass2003, L"ww");  // another application's value does not count
  if (c.write && c.text) SetMiscStatus(kFullClass2003, L"ex", c.text);
  if (c.write && !c.text)
    test::SetDword(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kFullClass2003 + L"\\MiscStatus", L"ex", 1);
  CMSOfficeSW office(1, kOffice, kLite, kEd);
  EXPECT_EQ(office.AllowedForApp(CMSOfficeSW::kExcel, 4), c.allowed);
  EXPECT_EQ(office.CollectPlugins(), c.allowed ? 1 : 0);
  PluginList records;
  office.GetPlugins(records);
  EXPECT_EQ(Find(records, CMSOfficeSW::kExcel, 4) != nullptr, c.allowed);
}

std::string MiscStatusCaseName(const ::testing::TestParamInfo<MiscStatusCase>& param) {
  return param.param.label;
}

INSTANTIATE_TEST_SUITE_P(Values, OfficeMiscStatus, ::testing::ValuesIn(kMiscStatusCases), MiscStatusCaseName);

TEST_F(OfficeSwitchTest, TheEdTemplateIsAlwaysAllowedAndAMissingClassKeyAllowsNothingElse) {
  CMSOfficeSW office(1, kOffice, kLite, kEd);
  EXPECT_TRUE(office.AllowedForApp(CMSOfficeSW::kWord, 16));
  EXPECT_TRUE(CMSOfficeSW(2, kOffice, kLite, kEd).AllowedForApp(CMSOfficeSW::kWord, 128));
  EXPECT_FALSE(office.AllowedForApp(CMSOfficeSW::kWord, 4));
  EXPECT_FALSE(office.AllowedForApp(CMSOfficeSW::kWord, 2));
}

TEST_F(OfficeSwitchTest, FrontPageOnItsOwnIsFoundThroughTheCommonInstallRoot) {
  AllowEverywhere();
  PutAddinFiles();
  const fs::path frontPage = scratch_.Folder(L"FrontPage 2002");
  const std::wstring root = L"Software\\Microsoft\\Office\\10.0\\Common\\InstallRoot";
  test::SetString(HKEY_LOCAL_MACHINE, root, L"Path", frontPage.wstring() + L"\\");
  CMSOfficeSW withoutProgram(1, kOffice, kLite, kEd);
  EXPECT_FALSE(withoutProgram.HostInstalled(CMSOfficeSW::kFrontPage));  // the key alone is not enough

  Touch(frontPage / L"FRONTPG.EXE");
  CMSOfficeSW office(1, kOffice, kLite, kEd);
  EXPECT_TRUE(office.HostInstalled(CMSOfficeSW::kFrontPage));
  EXPECT_FALSE(office.HostInstalled(CMSOfficeSW::kWord));  // only FrontPage is looked for this way
  EXPECT_FALSE(CMSOfficeSW(2, kOffice, kLite, kEd).HostInstalled(CMSOfficeSW::kFrontPage));
  EXPECT_EQ(office.CollectPlugins(), 1);
  PluginList records;
  office.GetPlugins(records);
  EXPECT_EQ(records, PluginList{OfficeRecord(4, L"Microsoft FrontPage 2000/XP/2003", 0, 4, kOffice)});

  // FrontPage 2000 the same way.
  test::RegistrySandbox fresh;
  test::SetString(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Office\\9.0\\Common\\InstallRoot", L"Path",
                  frontPage.wstring() + L"\\");
  EXPECT_TRUE(CMSOfficeSW(1, kOffice, kLite, kEd).HostInstalled(CMSOfficeSW::kFrontPage));
}

TEST_F(OfficeSwitchTest, PowerPointAndTheLaterHostsHaveNoLiteAddin) {
  AllowEverywhere();
  PutAddinFiles();
  for (int edition : {1, 2}) {
    CMSOfficeSW office(edition, kOffice, kLite, kEd);
    const int lite = edition == 1 ? 2 : 32;
    const int full = edition == 1 ? 4 : 64;
    EXPECT_TRUE(office.PackageInstalled(CMSOfficeSW::kOutlook, lite));
    for (int app : {2, 3, 4, 5}) {
      EXPECT_FALSE(office.PackageInstalled(app, lite)) << app;
      EXPECT_EQ(office.AddinKeyPath(app, lite), L"") << app;
    }
    EXPECT_TRUE(office.PackageInstalled(CMSOfficeSW::kPowerPoint, full));
    EXPECT_EQ(office.PackageInstalled(CMSOfficeSW::kFrontPage, full), edition == 1);
  }
  for (const wchar_t* version : {L"11.0", L"12.0"}) InstallHost(version, L"PowerPoint");
  for (int edition : {1, 2}) {
    CMSOfficeSW office(edition, kOffice, kLite, kEd);
    EXPECT_EQ(office.CollectPlugins(), 1) << "edition " << edition;  // the full add-in only
  }
}

TEST_F(OfficeSwitchTest, AddinKeysAndFilesFollowTheProgIds) {
  CMSOfficeSW office2003(1, kOffice, kLite, kEd);
  CMSOfficeSW office2007(2, kOffice, kLite, kEd);
  EXPECT_EQ(office2003.AddinKeyPath(0, 4), L"Software\\Microsoft\\Office\\Word\\Addins\\Quillet8.WordAddin");
  EXPECT_EQ(office2003.AddinKeyPath(4, 4),
            L"Software\\Microsoft\\Office\\FrontPage\\Addins\\Quillet8.FrontPageAddin");
  EXPECT_EQ(office2003.AddinKeyPath(1, 2),
            L"Software\\Microsoft\\Office\\Outlook\\Addins\\EasyQuillet8.OutlookEasyAddin");
  EXPECT_EQ(office2007.AddinKeyPath(3, 64),
            L"Software\\Microsoft\\Office\\PowerPoint\\Addins\\QuilletX.PowerPointAddin");
  EXPECT_EQ(office2007.AddinKeyPath(0, 32),
            L"Software\\Microsoft\\Office\\Word\\Addins\\QuilletX.Easy.WordAddin");
  EXPECT_EQ(office2007.AddinKeyPath(4, 64), L"");  // no FrontPage add-in in Office 2007

  // Office 2007 add-ins are one file per ProgID; only the one asked for counts.
  Touch(scratch_.path() / L"OfficeX" / L"QuilletX.ExcelAddin.dll");
  EXPECT_TRUE(office2007.PackageInstalled(CMSOfficeSW::kExcel, 64));
  EXPECT_FALSE(office2007.PackageInstalled(CMSOfficeSW::kWord, 64));
  EXPECT_TRUE(office2007.IsPackagePresent());
  EXPECT_EQ(office2007.PackagesFound(), 64);
  // An empty Folders value finds nothing, not the files of the current drive.
  test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"OfficeX", L"");
  EXPECT_FALSE(office2007.PackageInstalled(CMSOfficeSW::kExcel, 64));
}

struct EnableCase {
  const char* label;
  int edition;
  int app;
  int kind;
  const wchar_t* progId;
  const wchar_t* description;
  const wchar_t* friendlyName;
};

constexpr EnableCase kEnableCases[] = {
    {"Word2003", 1, 0, 4, L"Quillet8.WordAddin", L"Translation functions in Microsoft Word",
     L"VANTO for Microsoft Word"},
    {"Outlook2003Lite", 1, 1, 2, L"EasyQuillet8.OutlookEasyAddin",
     L"Translation functions in Microsoft Outlook", L"VANTO Lite for Microsoft Outlook"},
    {"FrontPage2003", 1, 4, 4, L"Quillet8.FrontPageAddin", L"Translation functions in Microsoft FrontPage",
     L"VANTO for Microsoft FrontPage"},
    {"Excel2007", 2, 2, 64, L"QuilletX.ExcelAddin", L"Translation functions in Microsoft Excel", kOffice},
    {"Outlook2007Lite", 2, 1, 32, L"QuilletX.Easy.OutlookAddin",
     L"Translation functions in Microsoft Outlook", kLite},
};

class OfficeEnable : public OfficeSwitchTest, public ::testing::WithParamInterface<EnableCase> {};

void PrintTo(const EnableCase& c, std::ostream* out) {
  *out << c.label;
}

std::vector<std::wstring> ValueNames(HKEY hive, const std::wstring& path) {
  std::vector<std::wstring> names;
  win::UniqueKey key;
  if (::RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return names;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD size = 256;
    if (::RegEnumValueW(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(name, size);
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST_P(OfficeEnable, EnablingWritesExactlyTheRegistrationAndDisablingDeletesIt) {
  const EnableCase& c = GetParam();
  AllowEverywhere();
  PutAddinFiles();
  InstallHost(c.edition == 1 ? L"11.0" : L"12.0", kApps[c.app]);
  CMSOfficeSW office(c.edition, kOffice, kLite, kEd);
  ASSERT_GT(office.CollectPlugins(), 0);
  PluginList records = Numbered(office);
  PluginList change;
  for (const PluginRecord& record : records)
    if (record.application == c.app && record.kind == c.kind) change.push_back(record);
  ASSERT_EQ(change.size(), 1u);
  ASSERT_EQ(change[0].state, 0);

  change[0].state = 1;
  BoxRecorder boxes;
  EXPECT_EQ(office.ApplyStates(change, 0), 0);
  EXPECT_EQ(change[0].state, 1);
  EXPECT_TRUE(boxes.Boxes().empty());
  const std::wstring key = office.AddinKeyPath(c.app, c.kind);
  EXPECT_EQ(key, std::wstring(L"Software\\Microsoft\\Office\\") + kApps[c.app] + L"\\Addins\\" + c.progId);
  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, key, L"Description"), c.description);
  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, key, L"FriendlyName"), c.friendlyName);
  EXPECT_EQ(test::GetDword(HKEY_CURRENT_USER, key, L"LoadBehavior"), 3u);
  if (c.edition == 2) {
    EXPECT_EQ(test::GetDword(HKEY_CURRENT_USER, key, L"CommandLineSafe"), 1u);
    EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, key, L"Manifest"),
              Folder(L"OfficeX") + c.progId + L".dll.manifest");
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, key),
              (std::vector<std::wstring>{L"CommandLineSafe", L"Description", L"FriendlyName", L"LoadBehavior",
                                         L"Manifest"}));
  } else {
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, key),
              (std::vector<std::wstring>{L"Description", L"FriendlyName", L"LoadBehavior"}));
  }
  EXPECT_TRUE(office.IsRegistered(c.app, c.kind));

  // The stored list follows the caller's SetPlugins; then switching off removes the key.
  office.SetPlugins(change);
  change[0].state = 0;
  EXPECT_EQ(office.ApplyStates(change, 0), 0);
  EXPECT_EQ(change[0].state, 0);
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, key));
  EXPECT_TRUE(test::KeyExists(HKEY_CURRENT_USER,
                              std::wstring(L"Software\\Microsoft\\Office\\") + kApps[c.app] + L"\\Addins"));
  EXPECT_FALSE(office.IsRegistered(c.app, c.kind));
  EXPECT_TRUE(boxes.Boxes().empty());
}

std::string EnableCaseName(const ::testing::TestParamInfo<EnableCase>& param) {
  return param.param.label;
}

INSTANTIATE_TEST_SUITE_P(Addins, OfficeEnable, ::testing::ValuesIn(kEnableCases), EnableCaseName);

TEST_F(OfficeSwitchTest, OnlyRecordsWhoseStateChangedAreApplied) {
  AllowEverywhere();
  PutAddinFiles();
  InstallHost(L"11.0", L"Word");
  CMSOfficeSW office(1, kOffice, kLite, kEd);
  ASSERT_EQ(office.CollectPlugins(), 3);
  PluginList records = Numbered(office);
  records[0].state = 1;  // changed
  records[1].id = 99;    // not stored: skipped
  records[1].state = 1;
  EXPECT_EQ(office.ApplyStates(records, 1), 0);
  EXPECT_TRUE(office.IsRegistered(CMSOfficeSW::kWord, 4));
  EXPECT_FALSE(office.IsRegistered(CMSOfficeSW::kWord, 2));
  EXPECT_FALSE(fs::exists(Startup() / L"vntoed8.dot"));  // record 3 unchanged: the installer is not asked
}

// Switching off an add-in whose registration someone removed after detection leaves it off, as
// asked: no failure. (It once failed, and the record was shown as on.) A registration that is
// there but cannot be deleted (a key of someone else's below it) still fails, with its text.
TEST_F(OfficeSwitchTest, DisablingAnAddinWhoseKeyIsGoneSucceedsAndOneThatCannotBeDeletedFails) {
  AllowEverywhere();
  PutAddinFiles();
  InstallHost(L"11.0", L"Word");
  const std::wstring key = L"Software\\Microsoft\\Office\\Word\\Addins\\Quillet8.WordAddin";
  const std::wstring expectedText = std::wstring(kEmbedFailed) + kOffice + L"\"\r\n" + kContactSupport;
  struct Case {
    const char* what;
    bool keyGone;  // else a key below it blocks the deletion
    int quiet;
  };
  for (const Case& c : {Case{"gone, aloud", true, 0}, Case{"gone, quiet", true, 1},
                        Case{"blocked, aloud", false, 0}, Case{"blocked, quiet", false, 1}}) {
    SCOPED_TRACE(c.what);
    test::CreateKey(HKEY_CURRENT_USER, key);
    CMSOfficeSW office(1, kOffice, kLite, kEd);
    ASSERT_EQ(office.CollectPlugins(), 3);
    PluginList records = Numbered(office);
    ASSERT_EQ(records[0].kind, 4);
    ASSERT_EQ(records[0].state, 1);
    if (c.keyGone)
      ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    else
      test::CreateKey(HKEY_CURRENT_USER, key + L"\\Someone's");
    PluginList change = {records[0]};
    change[0].state = 0;
    BoxRecorder boxes;
    EXPECT_EQ(office.ApplyStates(change, c.quiet), c.keyGone ? 0 : 1);
    EXPECT_EQ(change[0].state, c.keyGone ? 0 : 1);
    EXPECT_EQ(office.IsRegistered(CMSOfficeSW::kWord, 4), !c.keyGone);  // the record tells the truth
    if (c.keyGone || c.quiet) {
      EXPECT_TRUE(boxes.Boxes().empty());
    } else {
      ASSERT_EQ(boxes.Boxes().size(), 1u);
      EXPECT_EQ(boxes.Boxes()[0].text, expectedText);
      EXPECT_EQ(boxes.Boxes()[0].caption, L"VANTO Plug-ins Manager");
      EXPECT_EQ(boxes.Boxes()[0].flags, static_cast<UINT>(MB_ICONERROR));
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  }
}

TEST_F(OfficeSwitchTest, TheLogGetsTheHostsFoundAndTheFailureWithItsText) {
  const fs::path log = scratch_.path() / L"switches.log";
  const test::Restorer savedLog = test::SavedLog();
  app::Log().SetFilePath(log.wstring());

  AllowEverywhere();
  PutAddinFiles();
  InstallHost(L"11.0", L"Word");
  InstallHost(L"10.0", L"Excel");
  // Registered, with a key of someone else's below the registration: switching off must fail.
  test::CreateKey(HKEY_CURRENT_USER,
                  L"Software\\Microsoft\\Office\\Word\\Addins\\Quillet8.WordAddin\\Someone's");
  CMSOfficeSW office(1, kOffice, kLite, kEd);
  ASSERT_EQ(office.CollectPlugins(), 4);
  PluginList records = Numbered(office);
  ASSERT_EQ(records[0].state, 1);
  PluginList change = {records[0]};
  change[0].state = 0;
  EXPECT_EQ(office.ApplyStates(change, 1), 1);

  const std::wstring text = ReadUtf16File(log);
  EXPECT_NE(text.find(L"\r\nMSOfficeSW("), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"):\r\nMS Office2003#Word#Application Installed\r\n"), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"):\r\nMS OfficeXP#Excel#Application Installed\r\n"), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"):\r\nMicrosoft Word 2000/XP/2003#VANTO for Microsoft Office#"
                      L"Can't unregister addin(can't delete key in registry)\r\n"),
            std::wstring::npos)
      << text;
}

// ---- The ED template, through the registered installer ----

TEST_F(OfficeSwitchTest, TheEdRecordIsWordsOnlyAndNeedsWord) {
  PutEdFiles(true);
  for (const wchar_t* app : {L"Outlook", L"Excel", L"PowerPoint"}) {
    InstallHost(L"11.0", app);
    InstallHost(L"12.0", app);
  }
  EXPECT_EQ(CMSOfficeSW(1, kOffice, kLite, kEd).CollectPlugins(), 0);
  EXPECT_EQ(CMSOfficeSW(2, kOffice, kLite, kEd).CollectPlugins(), 0);

  InstallHost(L"11.0", L"Word");
  CMSOfficeSW office2003(1, kOffice, kLite, kEd);
  EXPECT_EQ(office2003.CollectPlugins(), 1);
  PluginList records;
  office2003.GetPlugins(records);
  EXPECT_EQ(records, PluginList{OfficeRecord(0, L"Microsoft Word 2000/XP/2003", 0, 16, kEd)});
  EXPECT_FALSE(office2003.IsRegistered(CMSOfficeSW::kExcel, 16));

  // Word 2007 and the installer's own presence check for it.
  EXPECT_EQ(CMSOfficeSW(2, kOffice, kLite, kEd).CollectPlugins(), 0);
  InstallHost(L"12.0", L"Word");
  CMSOfficeSW office2007(2, kOffice, kLite, kEd);
  EXPECT_EQ(office2007.CollectPlugins(), 1);
  office2007.GetPlugins(records);
  EXPECT_EQ(records, PluginList{OfficeRecord(0, L"Microsoft Word 2007/2010", 0, 128, kEd)});
}

TEST_F(OfficeSwitchTest, TheWord2003TemplateMustLieInTheVntoedFolderTheWord2007OneNeedNot) {
  PutEdFiles(false);
  CMSOfficeSW office2003(1, kOffice, kLite, kEd);
  CMSOfficeSW office2007(2, kOffice, kLite, kEd);
  InstallHost(L"12.0", L"Word");  // the installer's check of Word 2007
  EXPECT_FALSE(office2003.PackageInstalled(CMSOfficeSW::kWord, 16));
  EXPECT_TRUE(office2007.PackageInstalled(CMSOfficeSW::kWord, 128));
  PutEdFiles(true);
  EXPECT_TRUE(office2003.PackageInstalled(CMSOfficeSW::kWord, 16));
  EXPECT_TRUE(office2003.IsPackagePresent());
  EXPECT_EQ(office2003.PackagesFound(), 16);
  fs::remove(scratch_.path() / L"VNTOED" / L"edsetup.dll");
  EXPECT_FALSE(CMSOfficeSW(2, kOffice, kLite, kEd).PackageInstalled(CMSOfficeSW::kWord, 128));
}

TEST_F(OfficeSwitchTest, TheEdTemplateIsSwitchedByTheInstallerAndRemovingItTwiceIsNoFailure) {
  PutEdFiles(true);
  InstallHost(L"11.0", L"Word");
  CMSOfficeSW office(1, kOffice, kLite, kEd);
  ASSERT_EQ(office.CollectPlugins(), 1);
  PluginList records = Numbered(office);
  records[0].state = 1;
  BoxRecorder boxes;
  EXPECT_EQ(office.ApplyStates(records, 0), 0);
  EXPECT_EQ(records[0].state, 1);
  EXPECT_TRUE(fs::exists(Startup() / L"vntoed8.dot"));
  EXPECT_TRUE(office.IsRegistered(CMSOfficeSW::kWord, 16));
  office.SetPlugins(records);

  records[0].state = 0;
  EXPECT_EQ(office.ApplyStates(records, 0), 0);
  EXPECT_EQ(records[0].state, 0);
  EXPECT_FALSE(fs::exists(Startup() / L"vntoed8.dot"));
  EXPECT_FALSE(office.IsRegistered(CMSOfficeSW::kWord, 16));
  EXPECT_TRUE(boxes.Boxes().empty());

  // Removing it again: the installer answers "not there" (S_FALSE), and its state says the template
  // is off, as asked: no failure. (Once a failure with the message.)
  PluginList stale = records;
  stale[0].state = 1;
  office.SetPlugins(stale);
  EXPECT_EQ(office.ApplyStates(records, 0), 0);
  EXPECT_EQ(records[0].state, 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_FALSE(fs::exists(Startup() / L"vntoed8.dot"));
}

// The two editions share the one template and the one installer: switching every add-in off (and
// on) answers S_FALSE to the second edition, which is no failure while the installer's state is the
// one asked for. The log has no failure either.
TEST_F(OfficeSwitchTest, BothEditionsSwitchTheSharedTemplateAtOnceWithoutAFailure) {
  PutEdFiles(true);
  InstallHost(L"11.0", L"Word");
  InstallHost(L"12.0", L"Word");
  const fs::path log = scratch_.path() / L"switches.log";
  const test::Restorer savedLog = test::SavedLog();
  app::Log().SetFilePath(log.wstring());
  const auto installer = std::make_shared<CMSOfficeSW::SharedInstaller>();
  CMSOfficeSW office2003(1, kOffice, kLite, kEd, installer);
  CMSOfficeSW office2007(2, kOffice, kLite, kEd, installer);
  ASSERT_EQ(office2003.CollectPlugins(), 1);
  ASSERT_EQ(office2007.CollectPlugins(), 1);
  PluginList records2003 = Numbered(office2003);
  PluginList records2007 = Numbered(office2007);
  BoxRecorder boxes;
  for (int state : {1, 0, 1, 0}) {
    SCOPED_TRACE(state);
    records2003[0].state = records2007[0].state = state;
    EXPECT_EQ(office2003.ApplyStates(records2003, 0), 0);
    EXPECT_EQ(office2007.ApplyStates(records2007, 0), 0);
    EXPECT_EQ(records2003[0].state, state);
    EXPECT_EQ(records2007[0].state, state);
    EXPECT_EQ(fs::exists(Startup() / L"vntoed8.dot"), state == 1);
    office2003.SetPlugins(records2003);
    office2007.SetPlugins(records2007);
  }
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(ReadUtf16File(log).find(L"Can't"), std::wstring::npos) << ReadUtf16File(log);
}

TEST_F(OfficeSwitchTest, AnInstallerErrorWhileSwitchingIsHandledLikeAnyOtherError) {
  PutEdFiles(true);
  InstallHost(L"11.0", L"Word");
  CMSOfficeSW office(1, kOffice, kLite, kEd);
  ASSERT_EQ(office.CollectPlugins(), 1);
  PluginList records = Numbered(office);
  // The start-up folder cannot be made: it would lie below a file.
  test::WriteFile(scratch_.path() / L"blocker", "a file, not a folder");
  test::SetString(HKEY_CURRENT_USER, kEdSettingsKey, L"StartupFolder",
                  (scratch_.path() / L"blocker" / L"STARTUP").wstring());
  const test::Restorer savedLog = test::SavedLog();
  const test::ProgramLog log(L"OfficeSwitchTests.log");
  app::ConfigureLogFromRegistry();
  // The start centre's hand-off asks quietly, the plug-ins manager aloud: both log the error.
  for (const int quiet : {0, 1}) {
    SCOPED_TRACE(quiet);
    std::filesystem::remove(log.File());
    records[0].state = 1;
    BoxRecorder boxes;
    EXPECT_EQ(office.ApplyStates(records, quiet), 1);
    EXPECT_EQ(records[0].state, 0);
    if (quiet) {
      EXPECT_TRUE(boxes.Boxes().empty());
    } else {
      ASSERT_EQ(boxes.Boxes().size(), 1u);
      EXPECT_EQ(boxes.Boxes()[0].text, std::wstring(kEmbedFailed) + kEd + L"\"\r\n" + kContactSupport);
    }
    const std::wstring text = ReadUtf16File(log.File());
    EXPECT_EQ(text.find(L"Can't register addin"), std::wstring::npos);  // no failure text of its own
    EXPECT_NE(
        text.find(L"):\r\nSwitching Microsoft Word 2000/XP/2003 (VANTO ED for Microsoft Office) failed: "
                  L"COM error 0x80070003\r\n"),
        std::wstring::npos)
        << text;
    EXPECT_NE(text.find(L" \r\nSwitch("), std::wstring::npos) << text;
  }
}

// Detection answers "no" when the ED installer cannot be reached (here from a thread that never
// started COM), and the log says why.
TEST_F(OfficeSwitchTest, AnUnreachableEdInstallerIsLoggedWhereDetectionAnswersNo) {
  PutEdFiles(true);
  InstallHost(L"11.0", L"Word");
  const test::Restorer savedLog = test::SavedLog();
  const test::ProgramLog log(L"OfficeSwitchTests.log");
  app::ConfigureLogFromRegistry();
  CMSOfficeSW office(1, kOffice, kLite, kEd);
  bool present = true, registered = true;
  std::thread([&] {
    present = office.IsPackagePresent();
    registered = office.IsRegistered(CMSOfficeSW::kWord, 16);
  }).join();
  EXPECT_FALSE(present);
  EXPECT_FALSE(registered);
  const std::wstring text = ReadUtf16File(log.File());
  for (const wchar_t* operation : {L"CMSOfficeSW::EdPackageInstalled", L"CMSOfficeSW::IsRegistered"})
    EXPECT_NE(text.find(L"):\r\n" + std::wstring(operation) + L" failed: COM error 0x800401F0\r\n"),
              std::wstring::npos)
        << text;
  EXPECT_NE(text.find(L"\r\nMSOfficeSW("), std::wstring::npos) << text;
}

}  // namespace
}  // namespace officetest
