// The Acrobat and Reader switch against a sandboxed registry, Adobe installations in a scratch
// folder, the suite's plug-in file there too, and the real plugins.ini of the common application
// data folder (put back as it was after every test).
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "FaultInjection.h"
#include "OfficeTestSupport.h"
#include "core/LogSink.h"
#include "support/Installation.h"
#include "support/RegistrySandbox.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "switches/AcrobatSW.h"

namespace officetest {
namespace {

namespace fs = std::filesystem;
using switches::PluginList;
using switches::PluginRecord;

constexpr wchar_t kAcrobatProduct[] = L"VANTO for Acrobat";
constexpr wchar_t kAdobe[] = L"SOFTWARE\\Adobe";
constexpr char kPluginBytes[] = "MZ acrobat plug-in substitute bytes";

// A file with the given bytes, and the folders on the way.
void Put(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  test::WriteFile(file, bytes);
}

std::optional<std::string> FileBytes(const fs::path& file) {
  if (!fs::exists(file)) return std::nullopt;
  return test::ReadFile(file);
}

// The records as the plug-in table leaves them: numbered and stored back.
PluginList Numbered(CAcrobatSW& acrobat) {
  PluginList records;
  acrobat.GetPlugins(records);
  for (size_t i = 0; i < records.size(); ++i) records[i].id = static_cast<int>(i) + 1;
  acrobat.SetPlugins(records);
  return records;
}

class AcrobatSwitchTest : public ::testing::Test {
 protected:
  AcrobatSwitchTest() {
    test::SetString(HKEY_LOCAL_MACHINE, kFoldersKey, L"Acrobat", SuiteFolder().wstring() + L"\\");
    Put(PluginSource(), kPluginBytes);
    // The suite's data folder exists on an installed machine; the switch makes only its Acrobat folder.
    iniFolderExisted_ = fs::exists(Ini().parent_path());
    fs::create_directories(Ini().parent_path().parent_path());
    savedIni_ = FileBytes(Ini());
    fs::remove(Ini());
  }
  ~AcrobatSwitchTest() override {
    std::error_code ignored;
    if (savedIni_) {
      Put(Ini(), *savedIni_);
    } else {
      fs::remove(Ini(), ignored);
      if (!iniFolderExisted_) fs::remove(Ini().parent_path(), ignored);
    }
  }

  static fs::path Ini() { return CAcrobatSW::PluginsIniPath(); }
  fs::path SuiteFolder() const { return scratch_.path() / L"Suite"; }
  fs::path PluginSource() const { return SuiteFolder() / L"AcroXlat.API"; }
  fs::path Programs() const { return scratch_.path() / L"Programs"; }

  // An installation registered under `root`: <product key>\<version>\InstallPath = its folder, with a
  // plug_ins folder holding one of Adobe's own plug-ins unless asked otherwise.
  fs::path Install(HKEY root, const wchar_t* productKey, const wchar_t* version, const std::wstring& folder,
                   bool plugIns = true) const {
    const fs::path path = Programs() / folder;
    fs::create_directories(path);
    if (plugIns) Put(path / L"plug_ins" / L"Annotations.api", "Adobe's own plug-in");
    test::SetString(root, std::wstring(kAdobe) + L"\\" + productKey + L"\\" + version + L"\\InstallPath", L"",
                    path.wstring());
    return path;
  }

  std::wstring UseLog() {
    const fs::path log = scratch_.path() / L"switches.log";
    app::Log().SetFilePath(log.wstring());
    return log.wstring();
  }

  EnglishStrings strings_;
  test::RegistrySandbox registry_;
  test::ScratchDir scratch_;
  test::Restorer savedLog_ = test::SavedLog();
  bool iniFolderExisted_ = false;
  std::optional<std::string> savedIni_;
};

PluginRecord AcrobatRecord(int app, const std::wstring& displayName, int state) {
  PluginRecord record;
  record.application = app;
  record.displayName = displayName;
  record.state = state;
  record.kind = 1;
  record.productName = kAcrobatProduct;
  return record;
}

TEST_F(AcrobatSwitchTest, OnlyVersionsSixToNineWithAPlugInsFolderAndATextInstallPathAreFound) {
  Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"5.0", L"Acrobat 5.0");
  Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"Registration", L"Acrobat Registration");
  Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"10.0", L"Acrobat 10.0");  // "1" is not above "5"
  Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"7.0 beta", L"Acrobat 7 beta");
  Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"7.0", L"Acrobat 7.0", false);  // no plug_ins
  const fs::path acrobat8 = Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"8.0", L"Acrobat 8.0");
  const fs::path reader6 = Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"6.0", L"Reader 6.0");
  // A version whose InstallPath is not text, and one without InstallPath.
  test::SetDword(HKEY_LOCAL_MACHINE, std::wstring(kAdobe) + L"\\Acrobat Reader\\9.0\\InstallPath", L"", 1);
  test::CreateKey(HKEY_LOCAL_MACHINE, std::wstring(kAdobe) + L"\\Acrobat Reader\\8.0");
  // Another Adobe product is not looked at.
  test::SetString(HKEY_LOCAL_MACHINE, std::wstring(kAdobe) + L"\\Photoshop\\8.0\\InstallPath", L"",
                  acrobat8.wstring());

  const std::vector<AcrobatVersion> found = CAcrobatSW::ScanAdobe(HKEY_LOCAL_MACHINE);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0], (AcrobatVersion{L"Adobe Acrobat 8.0", acrobat8.wstring(),
                                      (acrobat8 / L"plug_ins" / L"VNTO9").wstring(), L"8.0", L"AA"}));
  EXPECT_EQ(found[1], (AcrobatVersion{L"Adobe Reader 6.0", reader6.wstring(),
                                      (reader6 / L"plug_ins" / L"VNTO9").wstring(), L"6.0", L"AAR"}));
  EXPECT_TRUE(CAcrobatSW::ScanAdobe(HKEY_CURRENT_USER).empty());
}

struct MergeCase {
  const char* label;
  std::vector<std::pair<const wchar_t*, const wchar_t*>> user;  // display name, install path
  std::vector<std::pair<const wchar_t*, const wchar_t*>> machine;
  std::vector<std::pair<const wchar_t*, const wchar_t*>> expected;  // after sorting and merging
};

void PrintTo(const MergeCase& c, std::ostream* out) {
  *out << c.label;
}

const MergeCase kMergeCases[] = {
    {"SortedByNameThenPathDescending",
     {{L"Adobe Reader 8.0", L"C:\\R8"}},
     {{L"Adobe Acrobat 8.0", L"C:\\A8"}, {L"Adobe Reader 9.0", L"C:\\R9"}},
     {{L"Adobe Reader 9.0", L"C:\\R9"}, {L"Adobe Reader 8.0", L"C:\\R8"}, {L"Adobe Acrobat 8.0", L"C:\\A8"}}},
    {"PerUserAndPerMachineSameFolderListedOnce",
     {{L"Adobe Reader 9.0", L"C:\\Reader 9.0"}},
     {{L"Adobe Reader 9.0", L"C:\\Reader 9.0"}, {L"Adobe Acrobat 8.0", L"C:\\Acrobat"}},
     {{L"Adobe Reader 9.0", L"C:\\Reader 9.0"}, {L"Adobe Acrobat 8.0", L"C:\\Acrobat"}}},
    {"ThreeTimesTheSameListedOnce",
     {{L"Adobe Reader 9.0", L"C:\\R"}, {L"Adobe Reader 9.0", L"C:\\R"}},
     {{L"Adobe Reader 9.0", L"C:\\R"}},
     {{L"Adobe Reader 9.0", L"C:\\R"}}},
    {"SameNameOtherFoldersToldApartByTheFolder",
     {{L"Adobe Reader 9.0", L"D:\\Reader"}},
     {{L"Adobe Reader 9.0", L"C:\\Reader"}, {L"Adobe Reader 8.0", L"C:\\Reader 8"}},
     {{L"Adobe Reader 9.0 at D:\\Reader", L"D:\\Reader"},
      {L"Adobe Reader 9.0 at C:\\Reader", L"C:\\Reader"},
      {L"Adobe Reader 8.0", L"C:\\Reader 8"}}},
    {"ATwiceRegisteredOneBesideAnotherFolder",
     {{L"Adobe Reader 9.0", L"C:\\Reader"}, {L"Adobe Reader 9.0", L"E:\\Reader"}},
     {{L"Adobe Reader 9.0", L"C:\\Reader"}},
     {{L"Adobe Reader 9.0 at E:\\Reader", L"E:\\Reader"},
      {L"Adobe Reader 9.0 at C:\\Reader", L"C:\\Reader"}}},
    {"FoldersDifferingInCaseAreTwo",
     {{L"Adobe Reader 9.0", L"C:\\Reader"}},
     {{L"Adobe Reader 9.0", L"c:\\reader"}},
     {{L"Adobe Reader 9.0 at c:\\reader", L"c:\\reader"},
      {L"Adobe Reader 9.0 at C:\\Reader", L"C:\\Reader"}}},
    {"NothingAnywhere", {}, {}, {}},
};

class AcrobatMerge : public ::testing::TestWithParam<MergeCase> {};

std::vector<AcrobatVersion> Versions(const std::vector<std::pair<const wchar_t*, const wchar_t*>>& rows) {
  std::vector<AcrobatVersion> list;
  for (const auto& [name, path] : rows) {
    AcrobatVersion version;
    version.displayName = name;
    version.installPath = path;
    list.push_back(version);
  }
  return list;
}

TEST_P(AcrobatMerge, SortsDropsTheSameInstallationAndToldApartSameNames) {
  const MergeCase& c = GetParam();
  const std::vector<AcrobatVersion> merged =
      CAcrobatSW::MergeInstallations(Versions(c.user), Versions(c.machine));
  std::vector<std::pair<std::wstring, std::wstring>> got;
  for (const AcrobatVersion& version : merged) got.emplace_back(version.displayName, version.installPath);
  std::vector<std::pair<std::wstring, std::wstring>> expected;
  for (const auto& [name, path] : c.expected) expected.emplace_back(name, path);
  EXPECT_EQ(got, expected);
  for (const AcrobatVersion& version : merged)
    EXPECT_EQ(version.sameName, version.displayName.find(L" at ") != std::wstring::npos)
        << version.displayName;
}

std::string MergeCaseName(const ::testing::TestParamInfo<MergeCase>& param) {
  return param.param.label;
}

INSTANTIATE_TEST_SUITE_P(Lists, AcrobatMerge, ::testing::ValuesIn(kMergeCases), MergeCaseName);

struct PackageCase {
  const char* label;
  int folders;  // 0: no Folders key; 1: no "Acrobat" value; 2: a number; 3: a folder without the file; 4: the
                // file
  bool present;
  const wchar_t* logText;
};

const PackageCase kPackageCases[] = {
    {"NoFoldersKey", 0, false, nullptr},
    {"NoValue", 1, false, L"No key in registry"},
    {"ValueNotText", 2, false, L"No key in registry"},
    {"FileMissing", 3, false, L"No AcroPluginFile"},
    {"FilePresent", 4, true, nullptr},
};

class AcrobatPackage : public AcrobatSwitchTest, public ::testing::WithParamInterface<PackageCase> {};

void PrintTo(const PackageCase& c, std::ostream* out) {
  *out << c.label;
}

TEST_P(AcrobatPackage, ThePluginFileIsTheAcrobatFolderValueFollowedByItsName) {
  const PackageCase& c = GetParam();
  const std::wstring log = UseLog();
  if (c.folders == 0) ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kFoldersKey);
  if (c.folders == 1) ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kFoldersKey, L"Acrobat");
  if (c.folders == 2) test::SetDword(HKEY_LOCAL_MACHINE, kFoldersKey, L"Acrobat", 1);
  if (c.folders == 3) fs::remove(PluginSource());
  CAcrobatSW acrobat(kAcrobatProduct);
  EXPECT_EQ(acrobat.IsPackagePresent(), c.present);
  EXPECT_EQ(acrobat.PluginFileExists(), c.present);
  EXPECT_EQ(acrobat.PluginFile(), c.folders >= 3 ? PluginSource().wstring() : L"");
  const std::wstring text = ReadUtf16File(log);
  if (c.logText) {
    EXPECT_NE(text.find(L"\r\nAcrobatSW("), std::wstring::npos) << text;
    EXPECT_NE(text.find(std::wstring(L"#") + c.logText + L"\r\n"), std::wstring::npos) << text;
  } else {
    EXPECT_EQ(text.find(L"No "), std::wstring::npos) << text;
  }
}

std::string PackageCaseName(const ::testing::TestParamInfo<PackageCase>& param) {
  return param.param.label;
}

INSTANTIATE_TEST_SUITE_P(Folders, AcrobatPackage, ::testing::ValuesIn(kPackageCases), PackageCaseName);

TEST_F(AcrobatSwitchTest, EachInstallationOfBothRootsIsOneRecordInTheMergedOrder) {
  const fs::path reader = Install(HKEY_CURRENT_USER, L"Acrobat Reader", L"9.0", L"Adobe\\Reader 9.0");
  Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Adobe\\Reader 9.0");
  const fs::path acrobat = Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"8.0", L"Adobe\\Acrobat 8.0");
  // Acrobat 8.0 per machine and, in another folder, per user.
  const fs::path other = Install(HKEY_CURRENT_USER, L"Adobe Acrobat", L"8.0", L"Acrobat 8.0 copy");
  Install(HKEY_CURRENT_USER, L"Adobe Acrobat", L"7.0", L"Acrobat 7.0", false);
  // The Acrobat copy already has the plug-in.
  Put(other / L"plug_ins" / L"VNTO9" / L"AcroXlat.API", kPluginBytes);

  CAcrobatSW acrobat8(kAcrobatProduct);
  EXPECT_EQ(acrobat8.CollectPlugins(), 3);
  PluginList records;
  EXPECT_EQ(acrobat8.GetPlugins(records), 3);
  EXPECT_EQ(records, (PluginList{
                         AcrobatRecord(0, L"Adobe Reader 9.0", 0),
                         AcrobatRecord(1, L"Adobe Acrobat 8.0 at " + acrobat.wstring(), 0),
                         AcrobatRecord(2, L"Adobe Acrobat 8.0 at " + other.wstring(), 1),
                     }))
      << "the scratch folder sorts " << acrobat << " after " << other;
  ASSERT_EQ(acrobat8.Installations().size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(acrobat8.Installations()[static_cast<size_t>(i)].index, i);
  EXPECT_EQ(acrobat8.Installations()[0].installPath, reader.wstring());
  EXPECT_EQ(acrobat8.GetHostInfo(), (CPlugSt{L"Acrobat", 1}));
  std::vector<int> kinds;
  acrobat8.GetKinds(kinds);
  EXPECT_EQ(kinds, std::vector<int>{1});
  EXPECT_TRUE(acrobat8.IsPackagePresent());

  // No Adobe key at all.
  test::RegistrySandbox empty;
  EXPECT_EQ(CAcrobatSW(kAcrobatProduct).CollectPlugins(), 0);
}

TEST_F(AcrobatSwitchTest, EnablingThenDisablingLeavesTheHostAsItWasAndKeepsOtherIniEntries) {
  Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Reader 9.0");
  const fs::path acrobat = Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"8.0", L"Acrobat 8.0");
  // The suite's source copy is read-only, as installers leave it; the copies must not be.
  ::SetFileAttributesW(PluginSource().c_str(), FILE_ATTRIBUTE_READONLY);
  // Another program's entry and section in the INI file.
  fs::create_directories(Ini().parent_path());
  Put(Ini(), "[OTHER]\r\nx=1\r\n[PLUGINS]\r\nAA6.0=C:\\Old\\plug_ins\\VNTO9\r\n\r\n");
  const auto hostBefore = FilesBelow(Programs());

  CAcrobatSW switcher(kAcrobatProduct);
  ASSERT_TRUE(switcher.IsPackagePresent());
  ASSERT_EQ(switcher.CollectPlugins(), 2);
  PluginList records = Numbered(switcher);
  ASSERT_EQ(records[1].displayName, L"Adobe Acrobat 8.0");
  for (PluginRecord& record : records) record.state = 1;
  BoxRecorder boxes;
  EXPECT_EQ(switcher.ApplyStates(records, 0), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(records[0].state, 1);
  EXPECT_EQ(records[1].state, 1);
  const fs::path copy = acrobat / L"plug_ins" / L"VNTO9" / L"AcroXlat.API";
  EXPECT_EQ(test::ReadFile(copy), kPluginBytes);
  EXPECT_EQ(::GetFileAttributesW(copy.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(CAcrobatSW::ReadPluginEntries(),
            (std::vector<std::wstring>{L"C:\\Old\\plug_ins\\VNTO9",
                                       (Programs() / L"Reader 9.0\\plug_ins\\VNTO9").wstring(),
                                       (acrobat / L"plug_ins\\VNTO9").wstring()}));
  wchar_t value[MAX_PATH] = {};
  ::GetPrivateProfileStringW(L"PLUGINS", L"AA8.0", L"", value, MAX_PATH, Ini().c_str());
  EXPECT_EQ(std::wstring(value), (acrobat / L"plug_ins\\VNTO9").wstring());
  ::GetPrivateProfileStringW(L"OTHER", L"x", L"", value, MAX_PATH, Ini().c_str());
  EXPECT_EQ(std::wstring(value), L"1");

  // A fresh switch sees both switched on.
  CAcrobatSW after(kAcrobatProduct);
  ASSERT_EQ(after.CollectPlugins(), 2);
  PluginList found;
  after.GetPlugins(found);
  EXPECT_EQ(found[0].state, 1);
  EXPECT_EQ(found[1].state, 1);

  switcher.SetPlugins(records);
  for (PluginRecord& record : records) record.state = 0;
  EXPECT_EQ(switcher.ApplyStates(records, 0), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(records[0].state, 0);
  EXPECT_EQ(FilesBelow(Programs()), hostBefore);  // plug_ins stays, VNTO9 is gone
  EXPECT_TRUE(fs::exists(acrobat / L"plug_ins"));
  EXPECT_EQ(CAcrobatSW::ReadPluginEntries(), std::vector<std::wstring>{L"C:\\Old\\plug_ins\\VNTO9"});
  // The only lasting difference is the file's encoding: rewritten as UTF-16 with its blank line.
  EXPECT_EQ(ReadUtf16File(Ini()), L"[OTHER]\r\nx=1\r\n[PLUGINS]\r\nAA6.0=C:\\Old\\plug_ins\\VNTO9\r\n\r\n");
  ::SetFileAttributesW(PluginSource().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(AcrobatSwitchTest, OnlyTheRecordsOfTheListAreAppliedAndAStateAlreadyReachedIsLeftAlone) {
  const fs::path reader = Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Reader 9.0");
  const fs::path acrobat = Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"8.0", L"Acrobat 8.0");
  CAcrobatSW switcher(kAcrobatProduct);
  ASSERT_TRUE(switcher.IsPackagePresent());
  ASSERT_EQ(switcher.CollectPlugins(), 2);
  PluginList records = Numbered(switcher);
  // Someone copied the plug-in into Reader after detection; asking for it on again changes nothing.
  Put(reader / L"plug_ins" / L"VNTO9" / L"AcroXlat.API", "someone else's copy");
  PluginList change = {records[0]};
  change[0].state = 1;
  EXPECT_EQ(switcher.ApplyStates(change, 1), 0);
  EXPECT_EQ(change[0].state, 1);
  EXPECT_EQ(test::ReadFile(reader / L"plug_ins" / L"VNTO9" / L"AcroXlat.API"), "someone else's copy");
  EXPECT_FALSE(fs::exists(acrobat / L"plug_ins" / L"VNTO9"));  // not in the list
  EXPECT_FALSE(fs::exists(Ini()));                             // nothing was switched
}

TEST_F(AcrobatSwitchTest, WithoutThePluginFileEnablingIsSkippedAndDisablingStillWorks) {
  const fs::path reader = Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Reader 9.0");
  Put(reader / L"plug_ins" / L"VNTO9" / L"AcroXlat.API", kPluginBytes);
  const fs::path acrobat = Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"8.0", L"Acrobat 8.0");
  fs::remove(PluginSource());
  CAcrobatSW switcher(kAcrobatProduct);
  EXPECT_FALSE(switcher.IsPackagePresent());
  ASSERT_EQ(switcher.CollectPlugins(), 2);
  PluginList records = Numbered(switcher);
  ASSERT_EQ(records[0].state, 1);
  records[0].state = 0;
  records[1].state = 1;
  BoxRecorder boxes;
  EXPECT_EQ(switcher.ApplyStates(records, 0), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_FALSE(fs::exists(reader / L"plug_ins" / L"VNTO9"));
  EXPECT_FALSE(fs::exists(acrobat / L"plug_ins" / L"VNTO9"));
}

TEST_F(AcrobatSwitchTest, WithoutAdministratorRightsEveryAttemptFailsBeforeAnyFileIsTouched) {
  const fs::path reader = Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Reader 9.0");
  Put(reader / L"plug_ins" / L"VNTO9" / L"AcroXlat.API", kPluginBytes);
  Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"8.0", L"Acrobat 8.0");
  const std::wstring log = UseLog();
  CAcrobatSW switcher(kAcrobatProduct);
  ASSERT_TRUE(switcher.IsPackagePresent());
  ASSERT_EQ(switcher.CollectPlugins(), 2);
  PluginList records = Numbered(switcher);
  const auto before = FilesBelow(Programs());

  const test::Restorer facts = test::SavedSystemFacts();
  win::OverrideSystemFacts({std::nullopt, false});
  records[0].state = 0;
  records[1].state = 1;
  BoxRecorder boxes;
  EXPECT_EQ(switcher.ApplyStates(records, 0), 2);
  EXPECT_EQ(records[0].state, 1);
  EXPECT_EQ(records[1].state, 0);
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  for (const auto& box : boxes.Boxes()) {
    EXPECT_EQ(box.text, std::wstring(kEmbedFailed) + kAcrobatProduct + L"\"\r\n" + kNoRights);
    EXPECT_EQ(box.caption, L"VANTO Plug-ins Manager");
  }
  EXPECT_EQ(FilesBelow(Programs()), before);
  EXPECT_FALSE(fs::exists(Ini()));
  const std::wstring text = ReadUtf16File(log);
  EXPECT_NE(text.find(L"):\r\nAdobe Reader 9.0#VANTO for Acrobat#Fu Standart User\r\n"), std::wstring::npos)
      << text;
  EXPECT_NE(text.find(L"):\r\nAdobe Acrobat 8.0#VANTO for Acrobat#Fu Standart User\r\n"), std::wstring::npos)
      << text;
  EXPECT_EQ(text.find(L"Before"), std::wstring::npos) << text;
}

// Enabling that cannot finish leaves no part of the plug-in behind.
struct BrokenEnableCase {
  const char* label;
  int obstacle;  // 0: "VNTO9" is a file; 1: the plug-in source is held open without sharing
};

const BrokenEnableCase kBrokenEnableCases[] = {{"SubfolderNameTakenByAFile", 0}, {"SourceLocked", 1}};

class AcrobatBrokenEnable : public AcrobatSwitchTest,
                            public ::testing::WithParamInterface<BrokenEnableCase> {};

void PrintTo(const BrokenEnableCase& c, std::ostream* out) {
  *out << c.label;
}

TEST_P(AcrobatBrokenEnable, LeavesTheHostAsItWasAndReportsTheAdministratorText) {
  const BrokenEnableCase& c = GetParam();
  const fs::path reader = Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Reader 9.0");
  if (c.obstacle == 0) Put(reader / L"plug_ins" / L"VNTO9", "not a folder");
  const std::wstring log = UseLog();
  CAcrobatSW switcher(kAcrobatProduct);
  ASSERT_TRUE(switcher.IsPackagePresent());
  ASSERT_EQ(switcher.CollectPlugins(), 1);
  PluginList records = Numbered(switcher);
  const auto before = FilesBelow(Programs());
  win::UniqueFile lock;
  if (c.obstacle == 1)
    lock.reset(::CreateFileW(PluginSource().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));

  records[0].state = 1;
  BoxRecorder boxes;
  EXPECT_EQ(switcher.ApplyStates(records, 0), 1);
  EXPECT_EQ(records[0].state, 0);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, std::wstring(kEmbedFailed) + kAcrobatProduct + L"\"\r\n" + kNoRights);
  EXPECT_EQ(FilesBelow(Programs()), before);
  EXPECT_FALSE(fs::exists(Ini()));
  const std::wstring text = ReadUtf16File(log);
  EXPECT_NE(text.find(L"#VANTO for Acrobat# Before CopyFile\r\n"), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"):\r\nAdobe Reader 9.0#VANTO for Acrobat# Error CopyFile\r\n"), std::wstring::npos)
      << text;
}

std::string BrokenEnableCaseName(const ::testing::TestParamInfo<BrokenEnableCase>& param) {
  return param.param.label;
}

INSTANTIATE_TEST_SUITE_P(Obstacles, AcrobatBrokenEnable, ::testing::ValuesIn(kBrokenEnableCases),
                         BrokenEnableCaseName);

TEST_F(AcrobatSwitchTest, AReadOnlyPluginBlocksDisablingWithTheSupportText) {
  const fs::path reader = Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Reader 9.0");
  const fs::path copy = reader / L"plug_ins" / L"VNTO9" / L"AcroXlat.API";
  Put(copy, kPluginBytes);
  ::SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_READONLY);
  const std::wstring log = UseLog();
  CAcrobatSW switcher(kAcrobatProduct);
  ASSERT_EQ(switcher.CollectPlugins(), 1);
  PluginList records = Numbered(switcher);
  ASSERT_EQ(records[0].state, 1);
  const auto before = FilesBelow(Programs());
  records[0].state = 0;
  BoxRecorder boxes;
  EXPECT_EQ(switcher.ApplyStates(records, 0), 1);
  EXPECT_EQ(records[0].state, 1);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            std::wstring(kEmbedFailed) + kAcrobatProduct + L"\"\r\n" + kContactSupport);
  EXPECT_EQ(FilesBelow(Programs()), before);
  EXPECT_NE(
      ReadUtf16File(log).find(L"):\r\nAdobe Reader 9.0#VANTO for Acrobat#Error delete file, readonly)#5\r\n"),
      std::wstring::npos)
      << ReadUtf16File(log);
  ::SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Switching off takes only the suite's own files: the plug-in and what an interrupted switch left
// beside it. The user's files keep the folder, and that is no failure. (It once deleted them too
// and failed on the user's folder.)
TEST_F(AcrobatSwitchTest, SwitchingOffTakesOnlyTheSuitesFilesAndKeepsTheUsersOnesWithTheirFolder) {
  const fs::path reader = Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Reader 9.0");
  const fs::path acrobat = Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"8.0", L"Acrobat 8.0");
  for (const fs::path& host : {reader, acrobat})
    Put(host / L"plug_ins" / L"VNTO9" / L"AcroXlat.API", kPluginBytes);
  const fs::path vnto9 = reader / L"plug_ins" / L"VNTO9";
  Put(vnto9 / L"notes.txt", "left by the user");
  Put(vnto9 / L"Cache" / L"entry", "a folder of the user's");
  Put(vnto9 / L"AcroXlat.API.old", "the user's own copy");
  for (const wchar_t* ours :
       {L"AcroXlat.API.4711.tmp", L"AcroXlat.API.vanto-undo", L"AcroXlat.API.vanto-undo2"})
    Put(acrobat / L"plug_ins" / L"VNTO9" / ours, "left by an interrupted switch");
  CAcrobatSW switcher(kAcrobatProduct);
  ASSERT_TRUE(switcher.IsPackagePresent());
  ASSERT_EQ(switcher.CollectPlugins(), 2);
  PluginList records = Numbered(switcher);
  for (PluginRecord& record : records) record.state = 0;
  BoxRecorder boxes;
  EXPECT_EQ(switcher.ApplyStates(records, 0), 0);
  EXPECT_EQ(records[0].state, 0);
  EXPECT_EQ(records[1].state, 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(FilesBelow(vnto9),
            (std::map<std::wstring, std::string>{{L"notes.txt", "left by the user"},
                                                 {L"Cache", "<folder>"},
                                                 {L"Cache\\entry", "a folder of the user's"},
                                                 {L"AcroXlat.API.old", "the user's own copy"}}));
  EXPECT_FALSE(fs::exists(acrobat / L"plug_ins" / L"VNTO9"));
  EXPECT_TRUE(CAcrobatSW::ReadPluginEntries().empty());
}

TEST_F(AcrobatSwitchTest, TheDetectionLogNamesEachFileCheckedAndWhatWasFound) {
  const fs::path reader = Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Reader 9.0");
  const fs::path acrobat = Install(HKEY_LOCAL_MACHINE, L"Adobe Acrobat", L"8.0", L"Acrobat 8.0");
  Put(reader / L"plug_ins" / L"VNTO9" / L"AcroXlat.API", kPluginBytes);
  const std::wstring log = UseLog();
  CAcrobatSW switcher(kAcrobatProduct);
  ASSERT_EQ(switcher.CollectPlugins(), 2);
  const std::wstring text = ReadUtf16File(log);
  const std::wstring readerFile = (reader / L"plug_ins\\VNTO9\\AcroXlat.API").wstring();
  const std::wstring acrobatFile = (acrobat / L"plug_ins\\VNTO9\\AcroXlat.API").wstring();
  const std::vector<std::wstring> expected = {
      L"\r\nAcroVersion(",
      L"):\r\nAdobe Reader 9.0#" + readerFile + L"#Check File\r\n",
      L"):\r\nAdobe Reader 9.0#" + readerFile + L"#Plugin present(AcroVesion)\r\n",
      L"):\r\nAdobe Acrobat 8.0#" + acrobatFile + L"#No Plugin(AcroVesion)\r\n",
      L"\r\nAcrobatSW(",
      L"):\r\nAdobe Reader 9.0#VANTO for Acrobat#Plugin present\r\n",
  };
  for (const std::wstring& line : expected)
    EXPECT_NE(text.find(line), std::wstring::npos) << ::testing::PrintToString(line) << "\n"
                                                   << ::testing::PrintToString(text);
  EXPECT_EQ(text.find(L"Adobe Acrobat 8.0#VANTO for Acrobat#Plugin present"), std::wstring::npos);
}

TEST_F(AcrobatSwitchTest, TheIniFileChangesOnlyTheKeyAskedForAndIsMadeWhenMissing) {
  EXPECT_TRUE(CAcrobatSW::ReadPluginEntries().empty());
  EXPECT_TRUE(CAcrobatSW::WritePluginEntry(L"AAR9.0", std::nullopt));  // nothing to remove: no file made
  EXPECT_FALSE(fs::exists(Ini()));
  std::error_code notEmpty;
  fs::remove(Ini().parent_path(), notEmpty);  // the switch makes its own folder when it can
  EXPECT_TRUE(CAcrobatSW::WritePluginEntry(L"AAR9.0", L"C:\\R\\plug_ins\\VNTO9"));
  EXPECT_TRUE(CAcrobatSW::WritePluginEntry(L"AA8.0", L"C:\\A\\plug_ins\\VNTO9"));
  EXPECT_TRUE(CAcrobatSW::WritePluginEntry(L"aar9.0", L"D:\\R\\plug_ins\\VNTO9"));  // keys ignore case
  EXPECT_EQ(CAcrobatSW::ReadPluginEntries(),
            (std::vector<std::wstring>{L"D:\\R\\plug_ins\\VNTO9", L"C:\\A\\plug_ins\\VNTO9"}));
  EXPECT_TRUE(CAcrobatSW::WritePluginEntry(L"AAR9.0", std::nullopt));
  EXPECT_EQ(CAcrobatSW::ReadPluginEntries(), std::vector<std::wstring>{L"C:\\A\\plug_ins\\VNTO9"});
  EXPECT_EQ(ReadUtf16File(Ini()), L"[PLUGINS]\r\nAA8.0=C:\\A\\plug_ins\\VNTO9\r\n");
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(Ini().parent_path()), fs::directory_iterator()), 1);
  // The path follows the common application-data folder.
  wchar_t common[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, common)));
  EXPECT_EQ(Ini(), fs::path(common) / L"Korvelsoft\\VNTO\\9.0\\Acrobat\\plugins.ini");
}

TEST_F(AcrobatSwitchTest, AnIniFileThatCannotBeWrittenIsOnlyLogged) {
  const fs::path reader = Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Reader 9.0");
  // A folder where the file should be: it can be neither read nor replaced.
  fs::create_directories(Ini());
  const std::wstring log = UseLog();
  CAcrobatSW switcher(kAcrobatProduct);
  ASSERT_TRUE(switcher.IsPackagePresent());
  ASSERT_EQ(switcher.CollectPlugins(), 1);
  PluginList records = Numbered(switcher);
  records[0].state = 1;
  BoxRecorder boxes;
  EXPECT_EQ(switcher.ApplyStates(records, 0), 0);
  EXPECT_EQ(records[0].state, 1);
  EXPECT_TRUE(fs::exists(reader / L"plug_ins" / L"VNTO9" / L"AcroXlat.API"));
  switcher.SetPlugins(records);
  records[0].state = 0;
  EXPECT_EQ(switcher.ApplyStates(records, 0), 0);
  EXPECT_FALSE(fs::exists(reader / L"plug_ins" / L"VNTO9"));
  EXPECT_TRUE(boxes.Boxes().empty());
  const std::wstring text = ReadUtf16File(log);
  EXPECT_NE(text.find(L"#Can't Register addin(can't write in Application Data)\r\n"), std::wstring::npos)
      << text;
  EXPECT_NE(text.find(L"#Can't Unregister addin(can't write in Application Data)\r\n"), std::wstring::npos)
      << text;
  fs::remove(Ini());
}

// ---- Faults between detection and switching ----

// A fault on one of the files a switch touches, put there after detection: a failed switch leaves
// the host's files exactly as they were (but for the fault itself), the record tells the state a
// fresh detection finds, and the user is told.
struct AcrobatFaultCase {
  const char* label;
  bool on;     // switching on, else off (the plug-in is there then)
  int target;  // 0: the suite's plug-in, 1: the copy in VNTO9, 2: a temporary file of ours there, 3: plug_ins
  Fault fault;
  const wchar_t* why;  // the message's reason text; null: no failure
};

const AcrobatFaultCase kAcrobatFaultCases[] = {
    {"OnSourceHeldOpen", true, 0, Fault::kHeldOpen, kNoRights},
    {"OnSourceDeleted", true, 0, Fault::kDeleted, kNoRights},
    {"OnPlugInsDeleted", true, 3, Fault::kDeleted, kNoRights},
    {"OffPluginHeldOpen", false, 1, Fault::kHeldOpen, kNoRights},
    {"OffPluginReadOnly", false, 1, Fault::kReadOnly, kContactSupport},
    {"OffPluginDeleted", false, 1, Fault::kDeleted, nullptr},
    {"OffTemporaryHeldOpen", false, 2, Fault::kHeldOpen, kNoRights},
    {"OffTemporaryReadOnly", false, 2, Fault::kReadOnly, kContactSupport},
    {"OffPlugInsDeleted", false, 3, Fault::kDeleted, nullptr},
};

class AcrobatFault : public AcrobatSwitchTest, public ::testing::WithParamInterface<AcrobatFaultCase> {};

void PrintTo(const AcrobatFaultCase& c, std::ostream* out) {
  *out << c.label;
}

TEST_P(AcrobatFault, LeavesTheHostAsItWasAndTheRecordTellsTheTruth) {
  const AcrobatFaultCase& c = GetParam();
  const fs::path reader = Install(HKEY_LOCAL_MACHINE, L"Acrobat Reader", L"9.0", L"Reader 9.0");
  const fs::path vnto9 = reader / L"plug_ins" / L"VNTO9";
  if (!c.on) Put(vnto9 / L"AcroXlat.API", kPluginBytes);
  if (c.target == 2) Put(vnto9 / L"AcroXlat.API.4711.tmp", "left by an interrupted switch");
  CAcrobatSW switcher(kAcrobatProduct);
  ASSERT_TRUE(switcher.IsPackagePresent());
  ASSERT_EQ(switcher.CollectPlugins(), 1);
  PluginList records = Numbered(switcher);
  ASSERT_EQ(records[0].state, c.on ? 0 : 1);
  const Files before = FilesBelow(Programs());
  const fs::path targets[] = {PluginSource(), vnto9 / L"AcroXlat.API", vnto9 / L"AcroXlat.API.4711.tmp",
                              reader / L"plug_ins"};
  {
    const InjectedFault fault(targets[c.target], c.fault);
    const Files expected = fault.Expected(before, Programs());
    records[0].state = c.on ? 1 : 0;
    BoxRecorder boxes;
    EXPECT_EQ(switcher.ApplyStates(records, 0), c.why ? 1 : 0);
    EXPECT_EQ(records[0].state, c.on == !c.why ? 1 : 0);
    if (c.why) {
      ASSERT_EQ(boxes.Boxes().size(), 1u);
      EXPECT_EQ(boxes.Boxes()[0].text, std::wstring(kEmbedFailed) + kAcrobatProduct + L"\"\r\n" + c.why);
    } else {
      EXPECT_TRUE(boxes.Boxes().empty());
    }
    EXPECT_EQ(FilesBelow(Programs()), expected);
    CAcrobatSW fresh(kAcrobatProduct);
    PluginList found;
    if (fresh.CollectPlugins() > 0) fresh.GetPlugins(found);
    EXPECT_EQ(found.empty() ? 0 : found[0].state, records[0].state);
  }
  EXPECT_FALSE(fs::exists(Ini()));
}

std::string AcrobatFaultCaseName(const ::testing::TestParamInfo<AcrobatFaultCase>& param) {
  return param.param.label;
}

INSTANTIATE_TEST_SUITE_P(Faults, AcrobatFault, ::testing::ValuesIn(kAcrobatFaultCases), AcrobatFaultCaseName);

// ---- The demo installation's Acrobat 8.0 and Reader 9.0, in the prefix's real registry ----

// Keeps the real plugins.ini as it was found, whatever a test does to it.
class SavedIni {
 public:
  SavedIni() : bytes_(FileBytes(CAcrobatSW::PluginsIniPath())) {}
  ~SavedIni() {
    std::error_code ignored;
    if (bytes_) {
      Put(CAcrobatSW::PluginsIniPath(), *bytes_);
    } else {
      fs::remove(CAcrobatSW::PluginsIniPath(), ignored);
    }
  }
  SavedIni(const SavedIni&) = delete;
  SavedIni& operator=(const SavedIni&) = delete;
  [[nodiscard]] const std::optional<std::string>& Bytes() const noexcept { return bytes_; }

 private:
  std::optional<std::string> bytes_;
};

TEST(AcrobatDemo, ReaderRegisteredTwiceAndAcrobatAreFoundAndARoundTripLeavesBothAsTheyWere) {
  test::Installation installation;
  ASSERT_TRUE(installation.Ok());
  EnglishStrings strings;
  SavedIni savedIni;
  const fs::path hosts = installation.Folder() / L"Hosts";
  const auto before = FilesBelow(hosts);

  CAcrobatSW acrobat(kAcrobatProduct);
  EXPECT_TRUE(acrobat.IsPackagePresent());
  EXPECT_EQ(acrobat.PluginFile(), (installation.Folder() / L"Acrobat" / L"AcroXlat.API").wstring());
  ASSERT_EQ(acrobat.CollectPlugins(), 2);
  PluginList records = Numbered(acrobat);
  EXPECT_EQ(records, (PluginList{[&] {
                                   auto r = AcrobatRecord(0, L"Adobe Reader 9.0", 0);
                                   r.id = 1;
                                   return r;
                                 }(),
                                 [&] {
                                   auto r = AcrobatRecord(1, L"Adobe Acrobat 8.0", 0);
                                   r.id = 2;
                                   return r;
                                 }()}));
  // Each installation is its host program's folder.
  EXPECT_TRUE(fs::exists(fs::path(acrobat.Installations()[0].installPath) / L"AcroRD32.exe"));
  EXPECT_TRUE(fs::exists(fs::path(acrobat.Installations()[1].installPath) / L"Acrobat.exe"));

  for (PluginRecord& record : records) record.state = 1;
  BoxRecorder boxes;
  EXPECT_EQ(acrobat.ApplyStates(records, 0), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  for (const AcrobatVersion& version : acrobat.Installations())
    EXPECT_EQ(test::ReadFile(fs::path(version.pluginFolder) / L"AcroXlat.API"),
              test::ReadFile(installation.Folder() / L"Acrobat" / L"AcroXlat.API"));
  EXPECT_EQ(CAcrobatSW::ReadPluginEntries().size(), 2u);

  acrobat.SetPlugins(records);
  for (PluginRecord& record : records) record.state = 0;
  EXPECT_EQ(acrobat.ApplyStates(records, 0), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(FilesBelow(hosts), before);
  EXPECT_TRUE(CAcrobatSW::ReadPluginEntries().empty());
}

}  // namespace
}  // namespace officetest
