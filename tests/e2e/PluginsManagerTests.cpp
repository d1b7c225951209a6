// The plug-ins manager started from the main window, driven as a person would: its list shows the
// add-ins the switches find, a check box is cleared and Apply pressed; the Acrobat plug-in goes from
// the host's folder, the manager says so, and the start centre, told by the broadcast, knows it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "core/PrivateMessages.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"
#include "support/SavedState.h"
#include "switches/AcrobatSW.h"
#include "switches/OpenOfficeSW.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using test::kManagerClass, test::kManagerList;

// The demo product's tasks with the PDF one naming Acrobat, and the plug-ins manager to launch.
constexpr char kManagerProduct[] = R"({
  "settings": {"FileName": "Startdeck", "ClientName": "Startdeck", "ProductName": "VANTO Translator Home"},
  "_menu1": {"item0": "TranslateWord;Word|Vnto", "item1": "TranslateWeb;VntoIE|FireFox",
             "item2": "TranslateExcel;Excel", "item3": "TranslatePDF;Acrobat|Vnto",
             "item4": "TranslateOutlook;Outlook"},
  "_menu2": {"item0": "EditTemplate"},
  "apps": {"Vnto": "", "VntoIE": "", "FireFox": "", "Acrobat": "", "VantoEM": ""},
  "allapps": {"Vnto": "", "VntoIE": "", "FireFox": "", "Acrobat": "", "VantoEM": ""}
})";
constexpr int kManagerPdfRowShowingAll = 4;

class PluginsManagerTest : public test::DeckTest {
 protected:
  explicit PluginsManagerTest(const test::InstallationOptions& options = {}) : DeckTest(options) {}
  void SetUp() override {
    ClearUserRecords();
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(PackProduct(kManagerProduct));
  }
  void TearDown() override {
    if (manager_ && ::IsWindow(manager_)) {
      ::PostMessageW(manager_, WM_CLOSE, 0, 0);
      EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindow(manager_); }, 10s));
    }
    EXPECT_TRUE(CloseDeck());
    ClearUserRecords();
    (void)CAcrobatSW::WritePluginEntry(L"AA8.0",
                                       std::nullopt);  // the suite's list, in the prefix's common data
  }

  // The main window asks for the plug-ins manager as a failed switching-on does; its window.
  HWND StartManager() {
    ::PostMessageW(window_, app::kPluginsManagerMessage, 0, 0);
    return WaitForManager();
  }
  // The manager's window, once it shows.
  HWND WaitForManager() {
    test::WaitUntil([&] { return (manager_ = ::FindWindowW(kManagerClass, nullptr)) != nullptr; }, 20s);
    if (manager_) test::WaitUntil([&] { return ::IsWindowVisible(manager_) != FALSE; }, 5s);
    return manager_;
  }
  HWND ManagerControl(int id) const { return ::GetDlgItem(manager_, id); }
  // The list's row that reads `text`; -1 when none does.
  int RowOf(const std::wstring& text) const {
    const std::vector<std::wstring> rows = test::ListViewRows(ManagerControl(kManagerList));
    const auto at = std::find(rows.begin(), rows.end(), text);
    return at == rows.end() ? -1 : static_cast<int>(at - rows.begin());
  }

  // Opens the PDF task and has Acrobat 8.0 open `pdf` (Launch).
  void LaunchAcrobatWith(const fs::path& pdf) const {
    HWND panel = Panel();
    if (!panel || test::ControlText(::GetDlgItem(panel, IDC_PANEL_TITLE)) != L"Translating PDF Documents ") {
      HWND showAll = ::GetDlgItem(window_, IDC_SHOW_ALL_FEATURES);
      if (::SendMessageW(showAll, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        test::Click(showAll);
        ASSERT_TRUE(
            test::WaitUntil([&] { return ::SendMessageW(showAll, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s));
      }
      OpenTask(test::kStartButtonTab1, test::kListOfTab1, kManagerPdfRowShowingAll);
      ASSERT_NE(panel = ShownPanel(), nullptr);
      ASSERT_EQ(test::ControlText(::GetDlgItem(panel, IDC_PANEL_TITLE)), L"Translating PDF Documents ");
    }
    ASSERT_TRUE(ChooseDocumentAndApplication(panel, pdf.wstring(), L"Adobe Acrobat 8.0"));
    test::Click(test::FindChild(panel, IDC_PANEL_ACTION, L"StartdeckMenuButton"));
  }

  test::ScratchDir documents_;
  HWND manager_ = nullptr;
};

TEST_F(PluginsManagerTest, StartedFromTheMainWindowItSwitchesTheAcrobatPluginOffAndTheMainWindowFollows) {
  test::MessageCounter pluginSwitched(L"PLUGINSWITCHED");
  ASSERT_TRUE(pluginSwitched.Listening());
  const fs::path plugIns = installation_.Folder() / L"Hosts\\Adobe\\Acrobat 8.0\\Acrobat\\plug_ins";
  const fs::path pdf = documents_.Folder(L"Manuals") / L"User Guide.pdf";
  test::WriteFile(pdf, "%PDF-1.4");

  // The start centre switches the plug-in on for Acrobat 8.0 before Acrobat opens the document.
  StartDeck();
  ASSERT_NO_FATAL_FAILURE(LaunchAcrobatWith(pdf));
  ASSERT_EQ(Starts(L"Acrobat.exe").size(), 1u);
  ASSERT_TRUE(fs::exists(plugIns / L"VNTO9\\AcroXlat.API"));

  ASSERT_NE(StartManager(), nullptr);
  EXPECT_EQ(test::WindowText(manager_), L"VANTO Plug-ins Manager");
  HWND list = ManagerControl(kManagerList);
  const int heading = RowOf(L"VANTO for Acrobat"), reader = RowOf(L"Adobe Reader 9.0"),
            acrobat = RowOf(L"Adobe Acrobat 8.0");
  ASSERT_GE(heading, 0);
  EXPECT_EQ(reader, heading + 1);
  ASSERT_EQ(acrobat, heading + 2);
  EXPECT_GE(RowOf(L"Mozilla Firefox"), 0);
  EXPECT_GE(RowOf(L"Microsoft Word 2007/2010"), 0);
  EXPECT_EQ(test::ManagerCheckBox(list, heading), 0);
  EXPECT_EQ(test::ManagerCheckBox(list, reader), 1);
  EXPECT_EQ(test::ManagerCheckBox(list, acrobat), 2);
  EXPECT_FALSE(::IsWindowEnabled(ManagerControl(IDOK)));
  test::Screenshot(L"plugins-manager-en");

  // A heading has no check box to click.
  test::ClickManagerCheckBox(list, heading);
  ::Sleep(300);
  EXPECT_EQ(test::ManagerCheckBox(list, heading), 0);
  test::ClickManagerCheckBox(list, acrobat);
  ASSERT_TRUE(test::WaitUntil([&] { return test::ManagerCheckBox(list, acrobat) == 1; }, 5s));
  EXPECT_TRUE(::IsWindowEnabled(ManagerControl(IDOK)));
  EXPECT_TRUE(fs::exists(plugIns / L"VNTO9"));
  test::Screenshot(L"plugins-manager-en-changed");

  EXPECT_EQ(test::ApplyInManager(manager_), L"The changes have been applied.");
  ASSERT_TRUE(test::WaitUntil([&] { return pluginSwitched.Count() == 1; }, 10s));
  EXPECT_FALSE(fs::exists(plugIns / L"VNTO9"));
  EXPECT_TRUE(fs::is_directory(plugIns));
  EXPECT_EQ(test::ManagerCheckBox(list, RowOf(L"Adobe Acrobat 8.0")), 1);
  EXPECT_FALSE(::IsWindowEnabled(ManagerControl(IDOK)));
  test::Screenshot(L"plugins-manager-en-applied");

  // The start centre reloaded its table: the plug-in counts as off, so the PDF task switches it on
  // again; Acrobat still runs, so the person is asked to start it again instead.
  ASSERT_NO_FATAL_FAILURE(LaunchAcrobatWith(pdf));
  EXPECT_EQ(
      AnswerMessage(IDOK, L"plugins-manager-relaunch-acrobat"),
      L"Translation features have been integrated successfully. Please relaunch the \"Adobe Acrobat 8.0\" "
      L"application.");
  EXPECT_TRUE(fs::exists(plugIns / L"VNTO9\\AcroXlat.API"));
}

// The same window in German, as an installation in that language shows it.
class GermanPluginsManagerTest : public PluginsManagerTest {
 protected:
  GermanPluginsManagerTest() : PluginsManagerTest(German()) {}
  static test::InstallationOptions German() {
    test::InstallationOptions options;
    options.language = 0x0407;
    return options;
  }
};

TEST_F(GermanPluginsManagerTest, ItSpeaksTheLanguageOfTheInstallation) {
  StartDeck();
  ASSERT_NE(StartManager(), nullptr);
  EXPECT_EQ(test::WindowText(manager_), L"VANTO Plug-in-Manager");
  EXPECT_EQ(
      test::ControlText(ManagerControl(100)),
      L"Wählen Sie die Anwendungen, in denen die VANTO-Übersetzungsfunktionen verfügbar sein sollen, und "
      L"klicken Sie auf „Übernehmen“.");
  EXPECT_EQ(test::ControlText(ManagerControl(IDOK)), L"Ü&bernehmen");
  EXPECT_EQ(test::ControlText(ManagerControl(IDCANCEL)), L"Schließen");
  EXPECT_GE(RowOf(L"Adobe Acrobat 8.0"), 0);
  test::Screenshot(L"plugins-manager-de");
}

// A Writer document for OpenOffice.org 3.1, which this user never started: its profile folder is
// missing, so the integration cannot go in. Switching on fails, Writer does not start as if it
// were there (it once did), and the plug-ins manager opens with the version still off.
constexpr char kOpenOfficeProduct[] = R"({
  "settings": {"FileName": "Startdeck", "ClientName": "Startdeck", "ProductName": "VANTO Translator Home"},
  "_menu1": {"item0": "TranslateOpenOffice;OpenOffice|Vnto"},
  "_menu2": {"item0": "EditTemplate"},
  "apps": {"Vnto": "", "OpenOffice": "", "VantoEM": ""},
  "allapps": {"Vnto": "", "OpenOffice": "", "VantoEM": ""}
})";

TEST_F(PluginsManagerTest, AWriterWithoutProfileIsNotStartedAsIfTheIntegrationWereInAndTheManagerOpens) {
  ASSERT_NO_FATAL_FAILURE(PackProduct(kOpenOfficeProduct));
  const fs::path version3 = fs::path(COpenOfficeSW::ApplicationData()) / L"OpenOffice.org\\3";
  const fs::path aside = fs::path(COpenOfficeSW::ApplicationData()) / L"OpenOffice.org\\3 (aside)";
  ASSERT_TRUE(fs::is_directory(version3 / L"user"));
  fs::rename(version3, aside);
  const test::Restorer putBack([&] {
    std::error_code ignored;
    fs::remove_all(version3, ignored);
    fs::rename(aside, version3, ignored);
  });
  const fs::path document = documents_.Folder(L"Letters") / L"Offer 2009.odt";
  test::WriteFile(document, "PK");

  StartDeck();
  OpenTask(test::kStartButtonTab1, test::kListOfTab1, 0);
  HWND panel = ShownPanel();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(ChooseDocumentAndApplication(panel, document.wstring(), L"OpenOffice.org Writer 3.1"));
  test::Click(test::FindChild(panel, IDC_PANEL_ACTION, L"StartdeckMenuButton"));

  ASSERT_NE(WaitForManager(), nullptr);
  const int writer = RowOf(L"OpenOffice.org Writer 3.1");
  ASSERT_GE(writer, 0);
  EXPECT_EQ(test::ManagerCheckBox(ManagerControl(kManagerList), writer), 1);
  test::Screenshot(L"plugins-manager-writer-without-profile");
  EXPECT_TRUE(Starts(L"soffice.exe", 0, 1s).empty());
  EXPECT_FALSE(fs::exists(version3));
}

// An installation whose suite lacks its own Events.xcu, and a profile whose Addons.xcu an XML writer
// saved on one line with an empty AddonUI. Switching the Writer integration on through the manager
// merges into that file (it once refused it) and leaves the user's Events.xcu where it is; switching
// off gives both back byte for byte (the Events.xcu was once deleted, taken for the suite's).
TEST_F(PluginsManagerTest, WriterSwitchedOnAndOffKeepsTheUsersOwnFilesAsTheyWere) {
  const fs::path office = fs::path(COpenOfficeSW::ApplicationData()) /
                          L"OpenOffice.org2\\user\\registry\\data\\org\\openoffice\\Office";
  const fs::path suiteEvents = installation_.Folder() / L"OpenOffice\\OOInst\\Events.xcu";
  const fs::path aside = installation_.Folder() / L"OpenOffice\\Events.xcu (aside)";
  fs::rename(suiteEvents, aside);
  const test::Restorer putBack([&] {
    std::error_code ignored;
    fs::rename(aside, suiteEvents, ignored);
  });
  const std::string own =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<oor:component-data oor:name=\"Events\">"
      "<node oor:name=\"ApplicationEvents\"><node oor:name=\"Bindings\"><node oor:name=\"OnNew\">"
      "<prop oor:name=\"BindingURL\"><value>vnd.sun.star.script:Standard.Module1.Main?language=Basic"
      "</value></prop></node></node></node></oor:component-data>\r\n";
  test::WriteFile(office / L"Events.xcu", own);
  const std::string addons =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><oor:component-data xmlns:oor=\"http://openoffice.org/2001/"
      "registry\" oor:name=\"Addons\" oor:package=\"org.openoffice.Office\"><node oor:name=\"AddonUI\"/>"
      "</oor:component-data>";
  test::WriteFile(office / L"Addons.xcu", addons);

  StartDeck();
  ASSERT_NE(StartManager(), nullptr);
  HWND list = ManagerControl(kManagerList);
  const int writer = RowOf(L"OpenOffice.org Writer 2.4");
  ASSERT_GE(writer, 0);
  ASSERT_EQ(test::ManagerCheckBox(list, writer), 1);
  for (const int state : {2, 1}) {
    test::ClickManagerCheckBox(list, writer);
    ASSERT_TRUE(test::WaitUntil([&] { return test::ManagerCheckBox(list, writer) == state; }, 5s));
    EXPECT_EQ(test::ApplyInManager(manager_), L"The changes have been applied.");
    EXPECT_EQ(fs::exists(office / L"Addons.xcu.old"), state == 2);
    EXPECT_EQ(test::ReadFile(office / L"Events.xcu"), own)
        << "after switching " << (state == 2 ? "on" : "off");
    EXPECT_EQ(
        test::ReadFile(office / L"Addons.xcu").find("oor:name=\"VANTO.Translate\"") != std::string::npos,
        state == 2);
  }
  EXPECT_EQ(test::ReadFile(office / L"Addons.xcu"), addons);
}

}  // namespace
