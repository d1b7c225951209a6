// The plug-in table: which switches stay active, which are kept as missing hosts, how the records
// are numbered and grouped, and the switching-on sequence with its failure path.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TestSwitch.h"
#include "core/PrivateMessages.h"
#include "support/RegistrySandbox.h"
#include "support/SwitchingLockHolder.h"
#include "support/TestPaths.h"
#include "switches/PluginTable.h"
#include "win/Handle.h"
#include "win/MessageBox.h"
#include "win/Resources.h"

namespace {

using switches::PluginRecord;
using switches::PluginTable;
using test::Found;
using test::SwitchLog;
using test::SwitchScript;

constexpr wchar_t kOffice[] = L"VANTO for Microsoft Office";

// A window that counts the app::kPluginsManagerMessage it receives, as the main window would start the
// plug-ins manager on it.
class RequestWindow {
 public:
  RequestWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PluginTableTestsWindow";
    ::RegisterClassW(&windowClass);
    window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
    requests_ = 0;
  }
  ~RequestWindow() { ::DestroyWindow(window_); }
  RequestWindow(const RequestWindow&) = delete;
  RequestWindow& operator=(const RequestWindow&) = delete;

  [[nodiscard]] HWND get() const noexcept { return window_; }
  [[nodiscard]] static int Requests() noexcept { return requests_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == app::kPluginsManagerMessage && wParam == 0 && lParam == 0) ++requests_;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  HWND window_ = nullptr;
  static inline int requests_ = 0;
};

// Builds switches from scripts under their keys, in the order given; keeps their logs.
class ScriptedSwitches {
 public:
  void Add(const std::wstring& key, SwitchScript script, const std::wstring& name = L"VANTO for Tests") {
    scripts_.push_back({key, name, std::move(script)});
  }
  [[nodiscard]] switches::SwitchFactory Factory() {
    return [this] {
      switches::SwitchList list;
      for (const Entry& entry : scripts_) {
        auto log = std::make_shared<SwitchLog>();
        logs_[entry.key].push_back(log);
        list.emplace_back(entry.key, std::make_unique<test::TestSwitch>(entry.name, entry.script, log));
      }
      return list;
    };
  }
  // The log of the switch built for `key` by the latest load.
  [[nodiscard]] const SwitchLog& Log(const std::wstring& key) { return *logs_.at(key).back(); }
  [[nodiscard]] const SwitchLog& FirstLog(const std::wstring& key) { return *logs_.at(key).front(); }

 private:
  struct Entry {
    std::wstring key, name;
    SwitchScript script;
  };
  std::vector<Entry> scripts_;
  std::map<std::wstring, std::vector<std::shared_ptr<SwitchLog>>> logs_;
};

std::vector<int> Ids(const switches::PluginList& records) {
  std::vector<int> ids;
  for (const PluginRecord& r : records) ids.push_back(r.id);
  return ids;
}

class PluginTableTest : public test::SandboxedTest {
 protected:
  void SetUp() override { ASSERT_TRUE(answered_.StringsLoaded()); }
  test::AnsweredBoxes answered_;
  const std::vector<win::MessageBoxRequest>& boxes_ = answered_.Shown();
};

TEST_F(PluginTableTest, WithoutAnyHostEverySwitchIsReportedMissing) {
  // The suite's own switches over an empty registry: nothing is installed.
  PluginTable table;
  table.LoadSwitches();
  EXPECT_FALSE(table.Loaded());
  EXPECT_TRUE(table.Active().empty());
  EXPECT_TRUE(table.Groups().empty());
  EXPECT_EQ(table.MissingKeys(),
            (std::vector<std::wstring>{L"Acrobat", L"FireFox", L"Office2003", L"Office2007", L"OpenOffice",
                                       L"VantoMSN", L"VantoQIP", L"VantoSkype", L"VntoIE"}));
  const std::map<std::wstring, std::wstring> hosts = {{L"acrobat", L"Acrobat"},
                                                      {L"FIREFOX", L"Mozilla Firefox"},
                                                      {L"Office2003", L"MS Office XP/2003"},
                                                      {L"office2007", L"MS Office 2007"},
                                                      {L"OpenOffice", L"OpenOffice"},
                                                      {L"VantoMSN", L"Windows Live Messenger"},
                                                      {L"VantoQIP", L"QIP Infium"},
                                                      {L"VantoSkype", L"Skype"},
                                                      {L"vntoie", L"Internet Explorer"}};
  for (const auto& [key, host] : hosts) {
    std::wstring name = L"unchanged";
    EXPECT_FALSE(table.GetMissingHostName(key, name)) << key;
    EXPECT_EQ(name, host) << key;
  }
  std::wstring name = L"unchanged";
  EXPECT_TRUE(table.GetMissingHostName(L"Vnto", name));
  EXPECT_EQ(name, L"unchanged");
  EXPECT_EQ(table.FindSwitchByKind(switches::kOffice2003), -1);
  EXPECT_EQ(table.FindPluginById(1), nullptr);
}

TEST_F(PluginTableTest, HostWithoutAddinFilesIsNeitherActiveNorMissing) {
  ScriptedSwitches scripted;
  SwitchScript acrobat =
      test::Script(L"Acrobat", {1}, {Found(0, L"Adobe Reader 9", 0, 1, L"VANTO for Acrobat")});
  acrobat.packagePresent = false;
  scripted.Add(L"Acrobat", acrobat);
  scripted.Add(L"FireFox", test::Script(L"Mozilla Firefox", {256}));
  PluginTable table(scripted.Factory());
  table.LoadSwitches();

  EXPECT_TRUE(scripted.Log(L"Acrobat").destroyed);
  EXPECT_FALSE(scripted.Log(L"FireFox").destroyed);
  EXPECT_TRUE(table.Active().empty());
  EXPECT_FALSE(table.Loaded());
  EXPECT_EQ(table.MissingKeys(), std::vector<std::wstring>{L"FireFox"});
  std::wstring name;
  EXPECT_TRUE(table.GetMissingHostName(L"Acrobat", name)) << "a detected host is not missing";
}

// Two Office editions and a browser: records are numbered over all switches in key order (not in
// the order the switches were built), and the editions' full add-ins share one product group.
class LoadedTable : public PluginTableTest {
 protected:
  void SetUp() override {
    PluginTableTest::SetUp();
    scripted_.Add(L"VntoIE",
                  test::Script(L"Internet Explorer", {512},
                               {Found(0, L"Internet Explorer 8", 1, 512, L"VANTO for Internet Explorer")}));
    scripted_.Add(
        L"Office2003",
        test::Script(L"MS Office XP/2003", {4, 2, 16},
                     {Found(0, L"Microsoft Word 2000/XP/2003", 0, 4, kOffice),
                      Found(0, L"Microsoft Word 2000/XP/2003", 0, 2, L"VANTO Lite for Microsoft Office")}));
    scripted_.Add(L"Office2007", test::Script(L"MS Office 2007", {64, 32, 128},
                                              {Found(0, L"Microsoft Word 2007/2010", 1, 64, kOffice),
                                               Found(2, L"Microsoft Excel 2007/2010", 0, 64, kOffice)}));
    table_ = std::make_unique<PluginTable>(scripted_.Factory());
    table_->LoadSwitches();
  }

  ScriptedSwitches scripted_;
  std::unique_ptr<PluginTable> table_;
};

TEST_F(LoadedTable, RecordsAreNumberedInKeyOrderAndGroupedByProduct) {
  ASSERT_TRUE(table_->Loaded());
  ASSERT_EQ(table_->Active().size(), 3u);
  EXPECT_TRUE(table_->MissingKeys().empty());

  const auto& groups = table_->Groups();
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0].productName, kOffice);
  EXPECT_EQ(Ids(groups[0].records), (std::vector<int>{1, 3, 4})) << "one group holds both editions";
  EXPECT_EQ(groups[1].productName, L"VANTO Lite for Microsoft Office");
  EXPECT_EQ(Ids(groups[1].records), std::vector<int>{2});
  EXPECT_EQ(groups[2].productName, L"VANTO for Internet Explorer");
  EXPECT_EQ(Ids(groups[2].records), std::vector<int>{5});

  // The switches keep their records with the ids the table gave them.
  switches::PluginList stored;
  EXPECT_EQ(table_->Active()[1]->GetPlugins(stored), 2);
  EXPECT_EQ(Ids(stored), (std::vector<int>{3, 4}));
  EXPECT_EQ(stored[1].displayName, L"Microsoft Excel 2007/2010");
}

TEST_F(LoadedTable, LookupsByKindAndId) {
  EXPECT_EQ(table_->FindSwitchByKind(2), 0);
  EXPECT_EQ(table_->FindSwitchByKind(128), 1);
  EXPECT_EQ(table_->FindSwitchByKind(512), 2);
  EXPECT_EQ(table_->FindSwitchByKind(1), -1);
  EXPECT_EQ(table_->FindSwitchByKind(8), -1);

  ASSERT_NE(table_->FindPluginById(4), nullptr);
  EXPECT_EQ(table_->FindPluginById(4)->displayName, L"Microsoft Excel 2007/2010");
  EXPECT_EQ(table_->FindPluginById(6), nullptr);
  EXPECT_EQ(table_->FindPluginById(0), nullptr);
  ASSERT_NE(table_->FindPluginByKind(64), nullptr);
  EXPECT_EQ(table_->FindPluginByKind(64)->id, 3) << "the first record of the kind in group order";
  table_->FindPluginById(5)->state = 0;  // the group's own copy
  EXPECT_EQ(table_->Groups()[2].records[0].state, 0);
}

TEST_F(LoadedTable, ReloadBuildsFreshSwitchesAndNumbersFromOne) {
  table_->LoadSwitches();
  EXPECT_TRUE(scripted_.FirstLog(L"Office2003").destroyed);
  EXPECT_FALSE(scripted_.Log(L"Office2003").destroyed);
  EXPECT_EQ(scripted_.Log(L"Office2003").collected, 1);
  EXPECT_EQ(Ids(table_->Groups()[0].records), (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(table_->Groups().size(), 3u);

  table_->ClearSwitches();
  EXPECT_FALSE(table_->Loaded());
  EXPECT_TRUE(table_->Active().empty());
  EXPECT_TRUE(table_->Groups().empty());
  EXPECT_TRUE(scripted_.Log(L"VntoIE").destroyed);
}

TEST_F(LoadedTable, EverySwitchGetsTheTablesMessageOwnerAlsoThoseOfALaterLoad) {
  const RequestWindow owner;
  for (const auto& active : table_->Active()) EXPECT_EQ(active->MessageOwner(), nullptr);
  table_->SetMessageOwner(owner.get());
  EXPECT_EQ(table_->MessageOwner(), owner.get());
  for (const auto& active : table_->Active()) EXPECT_EQ(active->MessageOwner(), owner.get());

  table_->LoadSwitches();
  ASSERT_EQ(table_->Active().size(), 3u);
  for (const auto& active : table_->Active())
    EXPECT_EQ(active->MessageOwner(), owner.get()) << "a new switch";
  table_->SetMessageOwner(nullptr);
  for (const auto& active : table_->Active()) EXPECT_EQ(active->MessageOwner(), nullptr);
}

TEST_F(LoadedTable, EnablingTurnsTheGroupCopyAndTheSwitchRecordOn) {
  RequestWindow window;
  PluginRecord* excel = table_->FindPluginById(4);
  ASSERT_NE(excel, nullptr);
  EXPECT_EQ(table_->Enable(*excel, window.get()), PluginTable::EnableResult::kSwitched);
  EXPECT_EQ(excel->state, 1);
  EXPECT_EQ(scripted_.Log(L"Office2007").applied, 1);

  switches::PluginList stored;
  table_->Active()[1]->GetPlugins(stored);
  EXPECT_EQ(stored[1].state, 1);
  EXPECT_EQ(stored[0].state, 1) << "Word's record is untouched";
  EXPECT_EQ(RequestWindow::Requests(), 0);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(PluginTableTest, FailedQuietEnableRestoresTheRecordAndAsksForThePluginsManager) {
  ScriptedSwitches scripted;
  SwitchScript failing =
      test::Script(L"Internet Explorer", {512},
                   {Found(0, L"Internet Explorer 8", 0, 512, L"VANTO for Internet Explorer")});
  failing.failApply = true;
  failing.failureReason = 2;
  scripted.Add(L"VntoIE", failing);
  PluginTable table(scripted.Factory());
  table.LoadSwitches();
  RequestWindow window;
  PluginRecord* record = table.FindPluginById(1);
  ASSERT_NE(record, nullptr);

  EXPECT_EQ(table.Enable(*record, window.get()), PluginTable::EnableResult::kFailed);
  EXPECT_EQ(record->state, 0);
  EXPECT_EQ(RequestWindow::Requests(), 1);
  EXPECT_TRUE(boxes_.empty()) << "the switch is asked to stay quiet";
  switches::PluginList stored;
  table.Active()[0]->GetPlugins(stored);
  EXPECT_EQ(stored[0].state, 0);
}

TEST_F(PluginTableTest, KindWithoutSwitchFailsWithoutAnyMessage) {
  ScriptedSwitches scripted;
  scripted.Add(L"VntoIE",
               test::Script(L"Internet Explorer", {512},
                            {Found(0, L"Internet Explorer 8", 0, 512, L"VANTO for Internet Explorer")}));
  PluginTable table(scripted.Factory());
  table.LoadSwitches();
  RequestWindow window;
  PluginRecord stray = Found(0, L"Skype", 0, 8192, L"VANTO for Skype");
  EXPECT_EQ(table.Enable(stray, window.get()), PluginTable::EnableResult::kFailed);
  EXPECT_EQ(stray.state, 0);
  EXPECT_EQ(RequestWindow::Requests(), 0);
  EXPECT_EQ(scripted.Log(L"VntoIE").applied, 0);
}

TEST_F(PluginTableTest, FactoryThatFailsLeavesTheTableUnloaded) {
  PluginTable table([]() -> switches::SwitchList { throw std::bad_alloc(); });
  table.LoadSwitches();
  EXPECT_FALSE(table.Loaded());
  EXPECT_TRUE(table.Active().empty());
}

// While another program switches, the start centre switches nothing, says why in a box owned by
// the window that asked, and does not send for the plug-ins manager (nothing failed to switch).
TEST_F(PluginTableTest, WhileAnotherProgramSwitchesEnablingWaitsThenSaysSoAndChangesNothing) {
  ScriptedSwitches scripted;
  scripted.Add(L"VntoIE",
               test::Script(L"Internet Explorer", {512},
                            {Found(0, L"Internet Explorer 8", 0, 512, L"VANTO for Internet Explorer")}));
  PluginTable table(scripted.Factory(), 100);
  table.LoadSwitches();
  RequestWindow window;
  PluginRecord* record = table.FindPluginById(1);
  ASSERT_NE(record, nullptr);

  test::SwitchingLockHolder other;
  ASSERT_TRUE(other.Holding());
  EXPECT_EQ(table.Enable(*record, window.get()), PluginTable::EnableResult::kBusy);
  EXPECT_EQ(record->state, 0);
  EXPECT_EQ(scripted.Log(L"VntoIE").applied, 0);
  EXPECT_EQ(RequestWindow::Requests(), 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].owner, window.get());
  EXPECT_EQ(boxes_[0].caption, L"VANTO Plug-ins Manager");
  EXPECT_EQ(boxes_[0].text,
            L"Another program is switching translation add-ins on or off at the moment. Please try "
            L"again when it has finished.");
  EXPECT_EQ(boxes_[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));

  // Once the other program is done, the same request goes through.
  other.End();
  EXPECT_EQ(table.Enable(*record, window.get()), PluginTable::EnableResult::kSwitched);
  EXPECT_EQ(record->state, 1);
  EXPECT_EQ(scripted.Log(L"VntoIE").applied, 1);
  EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(PluginTableTest, ALockLeftByAProgramThatEndedDoesNotStopEnabling) {
  ScriptedSwitches scripted;
  scripted.Add(L"VntoIE",
               test::Script(L"Internet Explorer", {512},
                            {Found(0, L"Internet Explorer 8", 0, 512, L"VANTO for Internet Explorer")}));
  PluginTable table(scripted.Factory(), 100);
  table.LoadSwitches();
  PluginRecord* record = table.FindPluginById(1);
  ASSERT_NE(record, nullptr);
  // Kept in being meanwhile, as by another program waiting for it.
  win::UniqueHandle waiting;
  {
    const switches::SwitchingLock made(0);
    ASSERT_TRUE(made.Held());
    waiting.reset(::OpenMutexW(SYNCHRONIZE, FALSE, switches::SwitchingLock::Name()));
  }
  ASSERT_TRUE(waiting.valid());
  {
    test::SwitchingLockHolder crashed(test::SwitchingLockHolder::Ending::kAbandon);
    ASSERT_TRUE(crashed.Holding());
  }
  RequestWindow window;
  EXPECT_EQ(table.Enable(*record, window.get()), PluginTable::EnableResult::kSwitched);
  EXPECT_EQ(scripted.Log(L"VntoIE").applied, 1);
  EXPECT_TRUE(boxes_.empty());
}

}  // namespace
