// The system's registration tool is the only one that runs: a program named regsvr32.exe beside the
// start centre, beside the plug-ins manager or in the folder they were started in (where a bare name
// is looked for first) is never started in its place. Driven as a person would: the web-page task
// in Internet Explorer switches the add-on on, the plug-ins manager switches it off again.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "core/PrivateMessages.h"
#include "support/ProcessList.h"
#include "support/RegistrySandbox.h"
#include "support/TestPaths.h"
#include "switches/IESW.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using test::kManagerClass, test::kManagerList;
constexpr wchar_t kExplorer[] = L"Internet Explorer 8.0";
constexpr wchar_t kPlanted[] = L"regsvr32.exe";

// The web-page task in the browsers, and the plug-ins manager.
constexpr char kSystemProduct[] = R"({
  "settings": {"FileName": "Startdeck", "ClientName": "Startdeck", "ProductName": "VANTO Translator Home"},
  "_menu1": {"item0": "TranslateWeb;VntoIE|FireFox"},
  "_menu2": {"item0": "EditTemplate"},
  "apps": {"VntoIE": "", "FireFox": "", "VantoEM": ""},
  "allapps": {"VntoIE": "", "FireFox": "", "VantoEM": ""}
})";

bool AddonRegistered() {
  return test::KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + CIESW::kAddonClass);
}

class SystemProgramTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ClearUserRecords();
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(PackProduct(kSystemProduct));
  }
  void TearDown() override {
    if (manager_ && ::IsWindow(manager_)) {
      ::PostMessageW(manager_, WM_CLOSE, 0, 0);
      EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindow(manager_); }, 10s));
    }
    EXPECT_TRUE(CloseDeck());
    // A planted copy that ran waits for a person to close it.
    for (const fs::path& folder : PlantedFolders())
      for (test::ListedProcess& process : test::ProcessesIn(folder, kPlanted))
        ::TerminateProcess(process.handle.get(), 1);
    // The add-on's class is the prefix's own: it goes, whatever the test left.
    if (AddonRegistered()) {
      switches::PluginList records(1);
      records[0].displayName = kExplorer;
      records[0].state = 0;
      CIESW(L"VANTO for Internet Explorer").ApplyStates(records, 1);
    }
    ClearUserRecords();
  }

  // The folder the start centre is started in: the demo browser's, so that the shell finds that
  // browser first, as a person's shortcut "Start in" could name any folder.
  fs::path CurrentFolder() const { return installation_.Folder() / L"Hosts" / L"Internet Explorer"; }
  // Beside the start centre, beside the plug-ins manager, and the current folder.
  std::vector<fs::path> PlantedFolders() const {
    return {installation_.Folder(), installation_.Folder() / L"Apps", CurrentFolder()};
  }

  HWND StartManager() {
    ::PostMessageW(window_, app::kPluginsManagerMessage, 0, 0);
    test::WaitUntil([&] { return (manager_ = ::FindWindowW(kManagerClass, nullptr)) != nullptr; }, 20s);
    if (manager_) test::WaitUntil([&] { return ::IsWindowVisible(manager_) != FALSE; }, 5s);
    return manager_;
  }
  int ManagerRowOf(const std::wstring& text) const {
    const std::vector<std::wstring> rows = test::ListViewRows(::GetDlgItem(manager_, kManagerList));
    const auto at = std::find(rows.begin(), rows.end(), text);
    return at == rows.end() ? -1 : static_cast<int>(at - rows.begin());
  }

  HWND manager_ = nullptr;
};

TEST_F(SystemProgramTest, ACopyOfTheRegistrationToolBesideTheProgramsOrInTheirFolderIsNeverRun) {
  ASSERT_FALSE(AddonRegistered()) << "the add-on is registered before the test";
  for (const fs::path& folder : PlantedFolders())
    fs::copy_file(test::BinFolder() / L"SuiteApp.exe", folder / kPlanted,
                  fs::copy_options::overwrite_existing);
  // A copy that runs says so in the journal, as this start shows.
  {
    test::Process control;
    ASSERT_TRUE(control.Start(CurrentFolder() / kPlanted, L"/exitafter:1"));
    EXPECT_TRUE(control.WaitForExit(20s));
  }
  ASSERT_EQ(Starts(kPlanted).size(), 1u);

  // The web page in Internet Explorer: the hand-off switches the add-on on, by the system's tool.
  ASSERT_TRUE(deck_.Start(installation_.Program(), {}, CurrentFolder())) << "error " << deck_.LastError();
  window_ = test::WaitForMainWindow(deck_, installation_.Product());
  ASSERT_NE(window_, nullptr);
  OpenTask(test::kStartButtonTab1, test::kListOfTab1, 0);
  HWND panel = ShownPanel();
  ASSERT_NE(panel, nullptr);
  ASSERT_EQ(test::ControlText(::GetDlgItem(panel, IDC_PANEL_TITLE)), L"Translating Web Pages");
  ASSERT_TRUE(ChooseDocumentAndApplication(panel, L"www.korvelsoft.com", kExplorer));
  test::Click(test::FindChild(panel, IDC_PANEL_ACTION, L"StartdeckMenuButton"));
  EXPECT_EQ(Starts(L"iexplore.exe").size(), 1u);
  EXPECT_TRUE(AddonRegistered());
  EXPECT_TRUE(NoMessage());

  // The plug-ins manager, started from the main window, switches it off, by the system's tool too.
  ASSERT_NE(StartManager(), nullptr);
  HWND list = ::GetDlgItem(manager_, kManagerList);
  const int row = ManagerRowOf(kExplorer);
  ASSERT_GE(row, 0);
  EXPECT_EQ(test::ManagerCheckBox(list, row), 2);
  test::ClickManagerCheckBox(list, row);
  ASSERT_TRUE(test::WaitUntil([&] { return test::ManagerCheckBox(list, row) == 1; }, 5s));
  EXPECT_EQ(test::ApplyInManager(manager_, 40s), L"The changes have been applied.");
  EXPECT_FALSE(AddonRegistered());

  // No copy ran: the journal has the control start only.
  EXPECT_EQ(Starts(kPlanted, 1, 1s).size(), 1u);
}

}  // namespace
