// The plug-ins manager's list and Apply without its window: the rows it lists for the plug-in
// table's groups, which changes it applies, when it asks for administrator rights, and the suite's
// own switches switching the demo installation's Acrobat plug-in on and off.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "PluginChanges.h"
#include "PluginRows.h"
#include "Rights.h"
#include "core/Language.h"
#include "suite/ShellStart.h"
#include "support/Installation.h"
#include "support/SavedState.h"
#include "support/ScratchDir.h"
#include "support/SwitchingLockHolder.h"
#include "support/TestPaths.h"
#include "switches/AcrobatSW.h"
#include "switches/OpenOfficeSW.h"
#include "win/ComScope.h"
#include "win/Handle.h"
#include "win/MessageBox.h"
#include "win/Resources.h"
#include "win/System.h"

namespace {

namespace fs = std::filesystem;
using pluginsmanager::Row;
using pluginsmanager::WantedStates;
using switches::PluginRecord;
using switches::ProductGroup;

PluginRecord Record(int id, const wchar_t* name, int state, int kind, const wchar_t* product) {
  PluginRecord record;
  record.id = id;
  record.displayName = name;
  record.state = state;
  record.kind = kind;
  record.productName = product;
  return record;
}

// The manager's English language library as the resource module, as the program uses it.
class ManagerTexts : public ::testing::Environment {
 public:
  void SetUp() override {
    const fs::path library = test::BinFolder() / L"VantoEMResENU.dll";
    win::UniqueModule module(::LoadLibraryExW(library.c_str(), nullptr,
                                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(module.valid()) << "cannot load " << library;
    win::AdoptResourceModule(std::move(module));
  }
  void TearDown() override { win::ResetResourceModule(); }
};
const ::testing::Environment* const kManagerTexts = ::testing::AddGlobalTestEnvironment(new ManagerTexts);

// A table whose groups are laid out as the plug-in table numbers and groups its records.
std::vector<ProductGroup> SampleGroups() {
  return {
      {L"VANTO for Acrobat",
       {Record(1, L"Adobe Reader 9.0", 0, switches::kAcrobat, L"VANTO for Acrobat"),
        Record(2, L"Adobe Acrobat 8.0", 1, switches::kAcrobat, L"VANTO for Acrobat")}},
      {L"", {Record(5, L"Mozilla Firefox 3.5 (en-US)", 1, switches::kFirefox, L"")}},
      {L"VANTO for Microsoft Office",
       {Record(3, L"Microsoft Word 2007/2010", 1, switches::kOffice2007, L"VANTO for Microsoft Office")}},
      {L"VANTO for Windows Live Messenger",
       {Record(4, L"Windows Live Messenger", -1, switches::kLiveMessenger,
               L"VANTO for Windows Live Messenger")}},
      {L"VANTO for Skype", {}},
  };
}

TEST(PluginRows, EveryRecordUnderItsProductsHeadingAndOnlyTheSwitchableOnesWithACheckBox) {
  const std::vector<Row> expected = {
      {Row::Type::kProduct, L"VANTO for Acrobat", 0, 0, false},
      {Row::Type::kRecord, L"Adobe Reader 9.0", 1, 0, true},
      {Row::Type::kRecord, L"Adobe Acrobat 8.0", 2, 1, true},
      {Row::Type::kProduct, L"Mozilla Firefox", 0, 0, false},
      {Row::Type::kRecord, L"Mozilla Firefox 3.5 (en-US)", 5, 1, true},
      {Row::Type::kProduct, L"VANTO for Microsoft Office", 0, 0, false},
      {Row::Type::kRecord, L"Microsoft Word 2007/2010", 3, 1, true},
      {Row::Type::kProduct, L"VANTO for Windows Live Messenger", 0, 0, false},
      {Row::Type::kRecord, L"Windows Live Messenger", 4, -1, false},
  };
  // The Firefox extension's product has no name: its heading is the host family's.
  const auto hostName = [](int kind) { return kind == switches::kFirefox ? L"Mozilla Firefox" : L"?"; };
  EXPECT_EQ(pluginsmanager::RowsOf(SampleGroups(), hostName), expected);
  EXPECT_TRUE(pluginsmanager::RowsOf({}, hostName).empty());
}

TEST(PluginChanges, OnlyStatesThatDifferFromTheTableAreChangesAndNeverTheUnswitchableRecord) {
  switches::PluginTable table;
  table.Groups() = SampleGroups();
  const struct {
    const char* name;
    WantedStates wanted;
    WantedStates changes;
    bool needsRights;
  } cases[] = {
      {"nothing changed", {{1, 0}, {2, 1}, {3, 1}}, {}, false},
      {"Reader on, Word off", {{1, 1}, {2, 1}, {3, 0}}, {{1, 1}, {3, 0}}, true},
      {"Word off only", {{3, 0}}, {{3, 0}}, false},
      {"Acrobat off", {{2, 0}}, {{2, 0}}, true},
      {"the messenger's record and unknown ids", {{4, 1}, {4, 0}, {9, 1}}, {}, false},
      {"a state that is neither on nor off", {{1, -1}}, {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const WantedStates changes = pluginsmanager::ChangesOf(table, c.wanted);
    EXPECT_EQ(changes, c.changes);
    EXPECT_EQ(pluginsmanager::NeedsAdministrator(table, changes), c.needsRights);
  }
}

// The person's answers and the system's facts, put back after each test.
class RightsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table_.Groups() = SampleGroups();
    win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& request) {
      boxes_.push_back(request);
      return answer_;
    });
    suite::SetElevationHook([this](const suite::ElevationRequest& request) -> std::optional<INT_PTR> {
      elevated_.push_back(request.file);
      return elevationResult_;
    });
  }
  void TearDown() override {
    win::SetMessageBoxAnswerer({});
    suite::SetElevationHook({});
    win::OverrideSystemFacts({});
  }

  switches::PluginTable table_;
  std::vector<win::MessageBoxRequest> boxes_;
  std::vector<std::wstring> elevated_;
  int answer_ = IDNO;
  INT_PTR elevationResult_ = 42;
};

TEST_F(RightsTest, AStandardUserSwitchingAnExtensionThatNeedsRightsIsAskedToStartWithThem) {
  const std::wstring question =
      L"You need administrator rights to enable translation extensions for QIP Infium, Internet Explorer, "
      L"Mozilla "
      L"Firefox, and Adobe Acrobat.\nTo enable other translation extensions, you need the current user "
      L"rights.\n"
      L"Launch this application with administrator rights?";
  const struct {
    const char* name;
    bool administrator;
    WantedStates changes;
    int answer;
    INT_PTR elevationResult;
    bool asked;
    bool elevated;
    pluginsmanager::RightsOutcome outcome;
  } cases[] = {
      {"administrator", true, {{1, 1}}, IDYES, 42, false, false, pluginsmanager::RightsOutcome::kGoOn},
      {"only Word", false, {{3, 0}}, IDYES, 42, false, false, pluginsmanager::RightsOutcome::kGoOn},
      {"Reader, No", false, {{1, 1}, {3, 0}}, IDNO, 42, true, false, pluginsmanager::RightsOutcome::kGoOn},
      {"Reader, Yes", false, {{1, 1}}, IDYES, 42, true, true, pluginsmanager::RightsOutcome::kRestarted},
      {"Acrobat off, Yes, prompt refused",
       false,
       {{2, 0}},
       IDYES,
       5,
       true,
       true,
       pluginsmanager::RightsOutcome::kGoOn},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    boxes_.clear();
    elevated_.clear();
    answer_ = c.answer;
    elevationResult_ = c.elevationResult;
    win::SystemFacts facts;
    facts.administrator = c.administrator;
    win::OverrideSystemFacts(facts);
    EXPECT_EQ(pluginsmanager::AskForRights(nullptr, table_, c.changes), c.outcome);
    ASSERT_EQ(boxes_.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(boxes_[0].text, question);
      EXPECT_EQ(boxes_[0].caption, L"VANTO Plug-ins Manager");
      EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    }
    EXPECT_EQ(elevated_,
              c.elevated ? std::vector<std::wstring>{app::ProgramPath()} : std::vector<std::wstring>{});
  }
}

// The demo installation with the suite's own switches, in a single-threaded apartment as the
// manager runs them.
class ApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(apartment_.ok());
    ASSERT_TRUE(installation_.Ok());
    win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& request) {
      boxes_.push_back(request.text);
      return IDOK;
    });
  }
  void TearDown() override {
    win::SetMessageBoxAnswerer({});
    win::OverrideSystemFacts({});
    (void)CAcrobatSW::WritePluginEntry(L"AA8.0",
                                       std::nullopt);  // the suite's list, in the prefix's common data
  }

  // The id of the record named `name` in the table's groups; 0 when there is none.
  static int IdOf(const switches::PluginTable& table, const std::wstring& name) {
    for (const ProductGroup& group : table.Groups())
      for (const PluginRecord& record : group.records)
        if (record.displayName == name) return record.id;
    return 0;
  }
  // The state of record `id` as the switch that owns it keeps it; -2 when no switch has it.
  static int StoredState(const switches::PluginTable& table, int id) {
    for (const auto& sw : table.Active()) {
      switches::PluginList stored;
      sw->GetPlugins(stored);
      for (const PluginRecord& record : stored)
        if (record.id == id) return record.state;
    }
    return -2;
  }
  static int GroupState(switches::PluginTable& table, int id) {
    const PluginRecord* record = table.FindPluginById(id);
    return record ? record->state : -2;
  }
  // What a fresh table finds on disk for `name`.
  static int DetectedState(const std::wstring& name) {
    switches::PluginTable fresh;
    fresh.LoadSwitches();
    return GroupState(fresh, IdOf(fresh, name));
  }

  win::ComApartment apartment_;
  test::Installation installation_;
  std::vector<std::wstring> boxes_;
};

TEST_F(ApplyTest, TheDemoInstallationsRecordsAllStandUnderNamedHeadings) {
  switches::PluginTable table;
  table.LoadSwitches();
  std::vector<std::wstring> headings;
  size_t records = 0;
  for (const Row& row : pluginsmanager::RowsOf(
           table.Groups(), [&](int kind) { return pluginsmanager::HostNameIn(table, kind); })) {
    if (row.type == Row::Type::kProduct)
      headings.push_back(row.text);
    else
      ++records;
  }
  size_t tableRecords = 0;
  for (const ProductGroup& group : table.Groups()) tableRecords += group.records.size();
  EXPECT_EQ(records, tableRecords);
  EXPECT_NE(std::find(headings.begin(), headings.end(), L"VANTO for Acrobat"), headings.end());
  EXPECT_NE(std::find(headings.begin(), headings.end(), L"Mozilla Firefox"), headings.end());
  EXPECT_EQ(std::find(headings.begin(), headings.end(), L""), headings.end());
}

TEST_F(ApplyTest, TheAcrobatPluginIsCopiedAndRemovedAndTheTableKeepsTheStatesReached) {
  const fs::path plugIn =
      installation_.Folder() / L"Hosts\\Adobe\\Acrobat 8.0\\Acrobat\\plug_ins\\VNTO9\\AcroXlat.API";
  switches::PluginTable table;
  table.LoadSwitches();
  const int acrobat = IdOf(table, L"Adobe Acrobat 8.0");
  ASSERT_NE(acrobat, 0);
  ASSERT_EQ(GroupState(table, acrobat), 0);

  for (const int state : {1, 0}) {
    SCOPED_TRACE(state);
    const pluginsmanager::ApplyResult result = pluginsmanager::ApplyChanges(table, {{acrobat, state}}, 0);
    EXPECT_EQ(result.attempted, 1);
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(fs::exists(plugIn), state == 1);
    EXPECT_EQ(GroupState(table, acrobat), state);
    EXPECT_EQ(StoredState(table, acrobat), state);
    EXPECT_EQ(DetectedState(L"Adobe Acrobat 8.0"), state);
    EXPECT_EQ(DetectedState(L"Adobe Reader 9.0"), 0);
    EXPECT_TRUE(boxes_.empty());
  }
}

TEST_F(ApplyTest, WhileAnotherProgramSwitchesNothingIsAppliedAndTheTableKeepsItsStates) {
  const fs::path plugIns = installation_.Folder() / L"Hosts\\Adobe\\Acrobat 8.0\\Acrobat\\plug_ins";
  switches::PluginTable table(&switches::MakeSuiteSwitches, 100);
  table.LoadSwitches();
  const int acrobat = IdOf(table, L"Adobe Acrobat 8.0");
  ASSERT_NE(acrobat, 0);
  ASSERT_EQ(GroupState(table, acrobat), 0);

  test::SwitchingLockHolder other;
  ASSERT_TRUE(other.Holding());
  const pluginsmanager::ApplyResult busy = pluginsmanager::ApplyChanges(table, {{acrobat, 1}}, 0);
  EXPECT_TRUE(busy.busy);
  EXPECT_EQ(busy.attempted, 0);
  EXPECT_FALSE(fs::exists(plugIns / L"VNTO9"));
  EXPECT_EQ(GroupState(table, acrobat), 0);
  EXPECT_EQ(StoredState(table, acrobat), 0);
  EXPECT_TRUE(boxes_.empty()) << "the window that asked tells the person";

  other.End();
  const pluginsmanager::ApplyResult applied = pluginsmanager::ApplyChanges(table, {{acrobat, 1}}, 0);
  EXPECT_FALSE(applied.busy);
  EXPECT_EQ(applied.attempted, 1);
  EXPECT_EQ(applied.failed, 0);
  EXPECT_TRUE(fs::exists(plugIns / L"VNTO9\\AcroXlat.API"));
  EXPECT_EQ(GroupState(table, acrobat), 1);
  (void)pluginsmanager::ApplyChanges(table, {{acrobat, 0}}, 0);
}

TEST_F(ApplyTest, AFailingSwitchShowsItsMessageAndTheRecordKeepsItsState) {
  win::SystemFacts standardUser;
  standardUser.administrator = false;
  win::OverrideSystemFacts(standardUser);
  switches::PluginTable table;
  table.LoadSwitches();
  const int reader = IdOf(table, L"Adobe Reader 9.0");
  ASSERT_NE(reader, 0);

  const pluginsmanager::ApplyResult result = pluginsmanager::ApplyChanges(table, {{reader, 1}}, 0);
  EXPECT_EQ(result.attempted, 1);
  EXPECT_EQ(result.failed, 1);
  EXPECT_EQ(boxes_,
            (std::vector<std::wstring>{
                L"Unable to embed/disable the translation functions in \r\n\"VANTO for Acrobat\"\r\n"
                L"You do not have administrator privileges on this computer. Please contact your System "
                L"Administrator."}));
  EXPECT_EQ(GroupState(table, reader), 0);
  EXPECT_EQ(StoredState(table, reader), 0);
  EXPECT_FALSE(fs::exists(installation_.Folder() / L"Hosts\\Adobe\\Reader 9.0\\Reader\\plug_ins\\VNTO9"));
}

// The Writer integration switched on and off here gives a user's own Events.xcu back byte for byte;
// it was once overwritten by the suite's and then deleted.
TEST_F(ApplyTest, SwitchingTheWriterIntegrationOnAndOffGivesTheUsersEventBindingBack) {
  const fs::path office = fs::path(COpenOfficeSW::ApplicationData()) /
                          L"OpenOffice.org2\\user\\registry\\data\\org\\openoffice\\Office";
  const fs::path events = office / L"Events.xcu";
  const fs::path kept = office / L"Events.xcu.user";
  ASSERT_TRUE(fs::is_directory(office));
  const std::string own =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<oor:component-data oor:name=\"Events\">\r\n"
      " <node oor:name=\"ApplicationEvents\"><node oor:name=\"OnNew\"/></node>\r\n</oor:component-data>";
  test::WriteFile(events, own);
  const test::Restorer removed([&] {
    std::error_code ignored;
    fs::remove(events, ignored);
    fs::remove(kept, ignored);
  });
  switches::PluginTable table;
  table.LoadSwitches();
  const int writer = IdOf(table, L"OpenOffice.org Writer 2.4");
  ASSERT_NE(writer, 0);
  ASSERT_EQ(GroupState(table, writer), 0);

  for (const int state : {1, 0}) {
    SCOPED_TRACE(state);
    const pluginsmanager::ApplyResult result = pluginsmanager::ApplyChanges(table, {{writer, state}}, 0);
    EXPECT_EQ(result.attempted, 1);
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(GroupState(table, writer), state);
    EXPECT_EQ(DetectedState(L"OpenOffice.org Writer 2.4"), state);
    EXPECT_EQ(fs::exists(office / L"Addons.xcu.old"), state == 1);
    EXPECT_EQ(test::ReadFile(events) == own, state == 0);
    EXPECT_EQ(fs::exists(kept), state == 1);
    if (state == 1) {
      EXPECT_EQ(test::ReadFile(kept), own);
    }
    EXPECT_TRUE(boxes_.empty());
  }
  EXPECT_EQ(test::ReadFile(events), own);
}

}  // namespace
