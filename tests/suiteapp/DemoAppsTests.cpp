// The demo installation's applications, as its README lists them: installed ones have their Apps
// value and program, the others have neither; Glosso has only a folder; the journal is the
// installation's own.
#include <gtest/gtest.h>

#include <filesystem>

#include "SubstituteHarness.h"
#include "support/Installation.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"

namespace {

using test::ReadRegistryText;

// tools/demo/README.md, table "Applications".
const wchar_t* const kInstalled[] = {L"Vnto",     L"VntoX",       L"Dictkit",    L"Batcher",   L"TMD",
                                     L"VantoEM",  L"DictInst",    L"UBackup",    L"SrvLogin",  L"SrvConfig",
                                     L"NetUM",    L"UpdLauncher", L"DictInstS",  L"PackMaker", L"VntoI",
                                     L"DictkitI", L"Skiff",       L"GlossoConv", L"NetUMI"};
const wchar_t* const kNotInstalled[] = {L"Lexa",    L"xre",        L"LexaI", L"TRADOS", L"VntoICQ",
                                        L"GlossoL", L"UBackupNET", L"NetLA", L"NetLAI", L"NetSync"};

TEST(DemoApps, InstalledApplicationsHaveTheirAppsValueAndProgram) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  const auto substituteSize = std::filesystem::file_size(test::SubstituteProgram());
  for (const wchar_t* id : kInstalled) {
    const auto program = installation.Folder() / L"Apps" / (std::wstring(id) + L".exe");
    EXPECT_EQ(ReadRegistryText(HKEY_LOCAL_MACHINE, test::kAppsKey, id), program.wstring()) << id;
    ASSERT_TRUE(std::filesystem::exists(program)) << program;
    // The plug-ins manager is a program of its own, with its language libraries beside it.
    const bool ownProgram = std::wstring(id) == L"VantoEM";
    EXPECT_EQ(std::filesystem::file_size(program),
              ownProgram ? std::filesystem::file_size(test::BinFolder() / L"VantoEM.exe") : substituteSize)
        << id;
  }
  for (const wchar_t* language : {L"ENU", L"DEU", L"FRA", L"RUS", L"ESN"})
    EXPECT_TRUE(std::filesystem::exists(installation.Folder() / L"Apps" /
                                        (std::wstring(L"VantoEMRes") + language + L".dll")))
        << language;
}

TEST(DemoApps, ApplicationsNotInstalledHaveNeitherValueNorProgram) {
  // Values left by an earlier installation go.
  test::WriteRegistryText(HKEY_LOCAL_MACHINE, test::kAppsKey, L"Lexa", L"C:\\Old\\Lexa.exe");
  test::WriteRegistryText(HKEY_LOCAL_MACHINE, test::kFoldersKey, L"xre", L"C:\\Old\\xre");
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  for (const wchar_t* id : kNotInstalled) {
    EXPECT_EQ(ReadRegistryText(HKEY_LOCAL_MACHINE, test::kAppsKey, id), std::nullopt) << id;
    EXPECT_EQ(ReadRegistryText(HKEY_LOCAL_MACHINE, test::kFoldersKey, id), std::nullopt) << id;
    EXPECT_FALSE(std::filesystem::exists(installation.Folder() / L"Apps" / (std::wstring(id) + L".exe")))
        << id;
  }
}

TEST(DemoApps, GlossoIsInstalledAsAFolderWithoutAProgram) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  EXPECT_EQ(ReadRegistryText(HKEY_LOCAL_MACHINE, test::kAppsKey, L"Glosso"), std::nullopt);
  const auto folder = ReadRegistryText(HKEY_LOCAL_MACHINE, test::kFoldersKey, L"Glosso");
  ASSERT_TRUE(folder.has_value());
  EXPECT_EQ(*folder, (installation.Folder() / L"Glosso").wstring());
  EXPECT_TRUE(std::filesystem::is_directory(*folder));
  EXPECT_FALSE(std::filesystem::exists(installation.Folder() / L"Apps" / L"Glosso.exe"));
}

// The keys of one flat section of the demo product's configuration, as the text between its braces.
std::string SectionText(const std::string& json, const std::string& section) {
  const size_t start = json.find("\"" + section + "\": {");
  if (start == std::string::npos) return {};
  return json.substr(start, json.find('}', start) - start);
}

bool Lists(const std::string& sectionText, const wchar_t* id) {
  return sectionText.find("\"" + test::Utf8(id) + "\":") != std::string::npos;
}

TEST(DemoApps, TheProductListsMatchTheLayout) {
  const std::string json = test::ReadFile(test::BinFolder() / L"DemoProduct.json");
  const std::string apps = SectionText(json, "apps");
  const std::string allapps = SectionText(json, "allapps");
  ASSERT_FALSE(apps.empty());
  ASSERT_FALSE(allapps.empty());
  // Listed for the demo product: installed, folder only, or deliberately missing.
  for (const wchar_t* id : {L"Vnto", L"Batcher", L"TMD", L"UpdLauncher", L"Glosso", L"Lexa", L"xre"}) {
    EXPECT_TRUE(Lists(apps, id)) << test::Utf8(id);
    EXPECT_TRUE(Lists(allapps, id)) << test::Utf8(id);
  }
  // Installed or not, but another product's: only in "allapps".
  for (const wchar_t* id : {L"DictInstS", L"VntoI", L"DictkitI", L"Skiff", L"GlossoConv", L"NetUMI", L"LexaI",
                            L"TRADOS", L"GlossoL", L"NetLAI"}) {
    EXPECT_FALSE(Lists(apps, id)) << test::Utf8(id);
    EXPECT_TRUE(Lists(allapps, id)) << test::Utf8(id);
  }
  EXPECT_FALSE(Lists(apps, L"PackMaker"));
  EXPECT_FALSE(Lists(allapps, L"PackMaker"));
}

TEST(DemoApps, PointsTheJournalIntoTheInstallation) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, test::kSubstituteKey, L"Journal"),
            (installation.Folder() / L"journal.log").wstring());
}

}  // namespace
