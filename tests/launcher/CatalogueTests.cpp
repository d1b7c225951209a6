// The catalogue and display-name tables, the product's lists, the installed test and the formats
// of the Running records.
#include <gtest/gtest.h>

#include <set>

#include "LaunchTestContext.h"
#include "StringIds.h"
#include "suite/Catalogue.h"
#include "suite/DisplayNames.h"
#include "suite/Installed.h"
#include "suite/ProductLists.h"
#include "suite/RunningRecords.h"
#include "support/RegistrySandbox.h"
#include "support/TestPaths.h"
#include "win/Handle.h"
#include "win/Resources.h"

namespace {

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseEnglishStrings(); }
};

TEST_F(CatalogueTest, RowsComeInListOrderWithTheirTextsAndIcons) {
  const struct {
    const wchar_t* appId;
    const wchar_t* name;
    const wchar_t* description;
    unsigned icon;
  } expected[] = {
      {L"Vnto", L"VANTO Translator", L"Professional translation environment", 223},
      {L"VntoI", L"VANTO Translator Pro", L"Professional translation environment Pro", 223},
      {L"VntoX", L"VANTO Translator Lite", L"Simplified VANTO translator", 221},
      {L"Lexa", L"VANTO Dictionary Editor", L"Editing of user dictionaries", 222},
      {L"LexaI", L"VANTO Dictionary Editor Pro", L"Professional editing of dictionaries ", 222},
      {L"Dictkit", L"VANTO Dictionary Manager", L"Comparing and merging of user dictionaries", 228},
      {L"DictkitI", L"VANTO Dictionary Manager Pro", L"Professional comparing and merging of dictionaries",
       228},
      {L"TRADOS", L"VANTO for TRADOS", L"Integration of SDL TRADOS databases and VANTO system", 231},
      {L"Skiff", L"VANTO QA Lab", L"Сравнение переводов с подсчетом процента разницы", 434},
      {L"DictInst", L"VANTO Dictionary Installer", L"Installation of specialized dictionaries collections",
       219},
      {L"VntoICQ", L"VANTO for ICQ", L"Translation functions in ICQ", 233},
      {L"Batcher", L"VANTO Batch Translator", L"Translation of files in automatic mode", 224},
      {L"VantoEM", L"VANTO Plug-ins Manager", L"Embedding translation functions in external applications",
       220},
      {L"Glosso", L"VANTO Terminology Manager", L"Automation of terminology extraction", 230},
      {L"GlossoL", L"VANTO Terminology Manager Lite", L"Automation of terminology extraction", 230},
      {L"TMD", L"VANTO TM Manager", L"Creating and editing Translation Memory databases", 225},
      {L"GlossoConv", L"VANTO Terminology Converter",
       L"Converting SDL MultiTerm databases into the VANTO user dictionaries", 232},
      {L"xre", L"VANTO XML Rules Editor", L"Creating rules for XML-files translation", 226},
      {L"UBackup", L"VANTO Backup", L"Saving and restoring user data and settings", 227},
      {L"PackMaker", L"VANTO PackMaker",
       L"Creating distribution sets of specialized dictionaries and profiles", 229},
      {L"QaStudio", L"QaStudio", L"Тестирование модулей перевода", 433},
      {L"QaProbe", L"QaProbe", L"Cравнение переводов разных модулей перевода или с разными словарями", 435},
  };
  const auto rows = suite::Catalogue();
  ASSERT_EQ(rows.size(), std::size(expected));
  std::set<unsigned> ids;
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(rows[i].appId, expected[i].appId);
    EXPECT_EQ(win::LoadString(rows[i].nameId), expected[i].name);
    EXPECT_EQ(win::LoadString(rows[i].descriptionId), expected[i].description);
    EXPECT_EQ(rows[i].iconId, expected[i].icon);
    EXPECT_TRUE(rows[i].fixedPath.empty());
    ids.insert({rows[i].nameId, rows[i].descriptionId});
  }
  EXPECT_EQ(ids.size(), 2 * rows.size()) << "every row has string IDs of its own";
}

TEST_F(CatalogueTest, RowsAreFoundWithoutRegardToCase) {
  ASSERT_NE(suite::FindCatalogueRow(L"BATCHER"), nullptr);
  EXPECT_EQ(suite::FindCatalogueRow(L"BATCHER")->appId, L"Batcher");
  EXPECT_EQ(suite::FindCatalogueRow(L"VntoEM"), nullptr) << "the catalogue spells it VantoEM";
}

TEST_F(CatalogueTest, RussianDescriptionsStandInEveryLanguage) {
  for (const wchar_t* language : {L"DEU", L"FRA", L"RUS", L"ESN"}) {
    const std::wstring path =
        (test::BinFolder() / (std::wstring(L"StartdeckRes") + language + L".dll")).wstring();
    const win::UniqueModule library(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(library) << path;
    for (UINT id : {IDS_APP_SKIFF_DESC, IDS_APP_QASTUDIO_DESC, IDS_APP_QAPROBE_DESC})
      EXPECT_EQ(win::LoadStringFrom(library.get(), id), win::LoadString(id)) << language << " " << id;
    EXPECT_NE(win::LoadStringFrom(library.get(), IDS_APP_VNTO), win::LoadString(IDS_APP_VNTO)) << language;
  }
}

TEST_F(CatalogueTest, DisplayNames) {
  const struct {
    const wchar_t* appId;
    bool host;
    const wchar_t* name;
  } cases[] = {
      {L"VntoICQ", false, L"ICQ"},
      {L"Word", false, L""},
      {L"Word", true, L"Microsoft Word"},
      {L"word", true, L"Microsoft Word"},
      {L"vnto", false, L"VANTO Translator"},
      {L"VntoEM", false, L"VANTO Plug-ins Manager"},
      {L"VantoEM", false, L""},
      {L"TMD", false, L"VANTO TM Manager"},
      {L"DictInstS", false, L"VANTO Dictionary Installer (network version)"},
      {L"UBackupNET", false, L"VANTO Backup (network version)"},
      {L"SrvLogin", false, L"Server Login"},
      {L"SrvConfig", false, L"Server Setup"},
      {L"NetUM", false, L"User Manager"},
      {L"NetLA", false, L"Linguistic Administrator"},
      {L"NetSync", false, L"Data Synchronization"},
      {L"UpdLauncher", false, L"VANTO Updater"},
      {L"Batcher", true, L"VANTO Batch Translator"},
      {L"VntoIE", true, L"Microsoft Internet Explorer"},
      {L"VantoMSN", true, L"MSN Live Messenger"},
      {L"VantoSkype", true, L"Skype"},
      {L"Skiff", false, L""},
      {L"Nobody", true, L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(suite::DisplayName(c.appId, c.host), c.name) << c.appId << " host " << c.host;
}

TEST(ProductLists, KeysCompareWithoutRegardToCase) {
  const CXCryptedProfileW configuration = test::MakeConfiguration(
      {{L"apps", {L"Vnto", L"batcher"}}, {L"allapps", {L"Vnto", L"Batcher", L"TMD"}}});
  const struct {
    const wchar_t* list;
    const wchar_t* appId;
    bool listed;
  } cases[] = {
      {L"apps", L"VNTO", true},   {L"apps", L"Batcher", true}, {L"apps", L"TMD", false},
      {L"allapps", L"tmd", true}, {L"apps", L"Vnt", false},    {L"_menu6", L"Vnto", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(suite::IsListedIn(configuration, c.list, c.appId), c.listed) << c.list << " " << c.appId;
  EXPECT_TRUE(suite::IsListedInApps(configuration, L"BATCHER"));
  EXPECT_FALSE(suite::IsListedInApps(configuration, L"TMD"));
}

class InstalledTest : public test::SandboxedTest {};

TEST_F(InstalledTest, AppsOrElseFoldersHoldANonEmptyValue) {
  test::SetString(HKEY_LOCAL_MACHINE, L"Software\\Korvelsoft\\VNTO9\\Apps", L"Batcher",
                  L"C:\\B\\Batcher.exe");
  test::SetString(HKEY_LOCAL_MACHINE, L"Software\\Korvelsoft\\VNTO9\\Apps", L"Glosso", L"");
  test::SetString(HKEY_LOCAL_MACHINE, L"Software\\Korvelsoft\\VNTO9\\Folders", L"VntoIE", L"C:\\IE");
  test::SetString(HKEY_LOCAL_MACHINE, L"Software\\Korvelsoft\\VNTO9\\Folders", L"Glosso", L"C:\\Glosso");
  test::SetString(HKEY_LOCAL_MACHINE, L"Software\\Korvelsoft\\VNTO9\\Folders", L"Lexa", L"");
  const struct {
    const wchar_t* appId;
    bool installed;
  } cases[] = {{L"Batcher", true}, {L"batcher", true}, {L"VntoIE", true},
               {L"Glosso", true},  {L"Lexa", false},   {L"TMD", false}};
  for (const auto& c : cases) EXPECT_EQ(suite::IsInstalled(c.appId), c.installed) << c.appId;
}

TEST_F(InstalledTest, NothingIsInstalledWithoutTheKeys) {
  EXPECT_FALSE(suite::IsInstalled(L"Batcher"));
}

TEST(RunningRecords, FormatsForBothKernels) {
  const suite::KernelLocation local{true, {}};
  const suite::KernelLocation server{false, L"SRV1"};
  const struct {
    const char* what;
    std::wstring onLocal;
    std::wstring onServer;
  } cases[] = {
      {"launch list", suite::ListLaunchRecord(local), suite::ListLaunchRecord(server)},
      {"TM manager", suite::TmManagerRecord(L"C:\\TM\\base one.tmd", local),
       suite::TmManagerRecord(L"C:\\TM\\base one.tmd", server)},
      {"TM editing", suite::TmEditingRecord(local), suite::TmEditingRecord(server)},
      {"dictionary installation", suite::DictionaryInstallRecord(local),
       suite::DictionaryInstallRecord(server)},
      {"hand-off", suite::HandOffRecord(7, L"General", L"C:\\Docs\\a.doc", local),
       suite::HandOffRecord(7, L"General", L"C:\\Docs\\a.doc", server)},
  };
  const std::pair<const wchar_t*, const wchar_t*> expected[] = {
      {L"S=local", L"S=SRV1"},
      {L"G=C:\\TM\\base one.tmd", L"G=C:\\TM\\base one.tmd;S=SRV1"},
      {L"S=local", L"S=SRV1"},
      {L"S=", L"S=SRV1"},
      {L"D=7;T=General;U=C:\\Docs\\a.doc", L"D=7;T=General;U=C:\\Docs\\a.doc;S=SRV1"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].onLocal, expected[i].first) << cases[i].what;
    EXPECT_EQ(cases[i].onServer, expected[i].second) << cases[i].what;
  }
  EXPECT_EQ(suite::CommandLaunchRecord(local), std::nullopt);
  EXPECT_EQ(suite::CommandLaunchRecord(server), L"S=SRV1");
}

}  // namespace
