// The translation task panels of the main window, driven as a person would: a row of the tab's list
// opens a panel, the path is typed into the document field, a list's drop-down is opened and a row
// clicked, Translate, Launch or Edit pressed. What comes out is the host program the demo
// installation starts, with the hand-off record it reads, or the message the person is shown.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "support/ScreenPixels.h"
#include "support/TestPaths.h"
#include "support/SavedState.h"
#include "switches/AcrobatSW.h"
#include "switches/OpenOfficeSW.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::ControlText;
using test::FindDescendant;

constexpr wchar_t kOfficeKey[] = L"Software\\Microsoft\\Office\\";
// The settings of the stand-ins for the hosts: ExitAtOnce names the host whose copies end at once
// without reading their record.
constexpr wchar_t kSubstituteKey[] = L"Software\\Korvelsoft\\VNTO9\\SuiteAppSubstitute";
constexpr wchar_t kNoApplication[] = L"No application that can perform this action is installed.";

// The demo product with every task naming the applications it is done in, as a shipped product's
// configuration does (the demo's own names them for Word only). The hosts' tokens are the product's
// own: a browser or a messenger that the switches do not find is a host to install first.
constexpr char kProduct[] = R"({
  "settings": {"FileName": "Startdeck", "ClientName": "Startdeck", "ProductName": "VANTO Translator Home"},
  "_menu1": {"item0": "TranslateWord;Word|Vnto", "item1": "TranslateWeb;VntoIE|FireFox",
             "item2": "TranslateExcel;Excel", "item3": "TranslatePDF;Acrobat|Vnto",
             "item4": "TranslateOutlook;Outlook",
             "item5": "TranslateMessengers;VantoQIP|VantoMSN|VantoSkype",
             "item6": "TranslateOpenOffice;OpenOffice|Vnto"},
  "_menu2": {"item0": "EditTemplate"},
  "apps": {"Vnto": "", "VntoIE": "", "FireFox": "", "Acrobat": "", "VantoQIP": "", "VantoMSN": "",
           "VantoSkype": "", "OpenOffice": ""},
  "allapps": {"Vnto": "", "VntoIE": "", "FireFox": "", "Acrobat": "", "VantoQIP": "", "VantoMSN": "",
              "VantoSkype": "", "OpenOffice": ""}
})";
// Rows of tab 1's list; in show-all mode the tasks the product leaves out stand among them.
constexpr int kWordRow = 0, kWebRow = 1, kExcelRow = 2, kOutlookRow = 4, kMessengersRow = 5,
              kOpenOfficeRow = 6;
constexpr int kPdfRowShowingAll = 4;

std::wstring Quoted(const fs::path& path) {
  return L"\"" + path.wstring() + L"\"";
}

class TaskPanelTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ClearUserRecords();
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    ASSERT_NO_FATAL_FAILURE(PackProduct(kProduct));
  }
  void TearDown() override {
    EXPECT_TRUE(CloseDeck());
    ClearUserRecords();
  }

  // What one run leaves the next in the prefix: remembered choices, hand-off records, add-ins on,
  // a host stand-in told to end at once.
  static void ClearUserRecords() {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kSubstituteKey, L"ExitAtOnce");
    DeckTest::ClearUserRecords();
    ClearOfficeAddins();
  }

  void ShowAllFeatures() {
    HWND showAll = ::GetDlgItem(window_, IDC_SHOW_ALL_FEATURES);
    test::Click(showAll);
    ASSERT_TRUE(
        test::WaitUntil([&] { return ::SendMessageW(showAll, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s));
  }
  void OpenTranslationTask(int row) { OpenTask(test::kStartButtonTab1, test::kListOfTab1, row); }

  // The title of the panel that opens, or "" when none does.
  std::wstring WaitForPanel() const {
    test::WaitUntil([&] { return Panel() != nullptr; }, 5s);
    return Panel() ? Text(IDC_PANEL_TITLE) : L"";
  }
  HWND Combo(int id) const { return test::FindChild(Panel(), id, L"StartdeckComboBox"); }
  HWND Button(int id) const { return test::FindChild(Panel(), id, L"StartdeckMenuButton"); }
  std::wstring Text(int id) const { return ControlText(::GetDlgItem(Panel(), id)); }
  bool Shows(int id) const { return ::IsWindowVisible(::GetDlgItem(Panel(), id)) != FALSE; }

  // The rows the list `id` offers when dropped down.
  std::vector<std::wstring> Choices(int id) const { return test::DropDownRows(Combo(id)); }
  // Opens the drop-down of the list `id` and clicks the first row that reads `text`.
  void Choose(int id, const std::wstring& text) const { ASSERT_TRUE(test::ChooseEntry(Combo(id), text)); }
  // Types `text` into the document field over what it holds, one character message at a time.
  void Type(const std::wstring& text) const {
    HWND field = ::GetDlgItem(Panel(), IDC_PANEL_DOCUMENT);
    ASSERT_TRUE(test::PostCharacters(field, text)) << ::testing::PrintToString(ControlText(field));
  }
  void Press(int id) const { test::Click(Button(id)); }

  static void Screenshot(const std::wstring& name) { test::Screenshot(L"panel-" + name); }
  // The text of the message box that comes up, answered with OK after its screenshot.
  std::wstring AnswerMessage(const std::wstring& screenshot) const {
    return DeckTest::AnswerMessage(IDOK, L"panel-" + screenshot);
  }

  static DWORD LoadBehavior(const wchar_t* application, const wchar_t* progId) {
    return test::GetDword(HKEY_CURRENT_USER, std::wstring(kOfficeKey) + application + L"\\Addins\\" + progId,
                          L"LoadBehavior", 0);
  }
  fs::path Document(const std::wstring& folder, const std::wstring& name) const {
    const fs::path path = documents_.Folder(folder) / name;
    test::WriteFile(path, "PK");
    return path;
  }

  test::ScratchDir documents_;
};

TEST_F(TaskPanelTest, AWordDocumentGoesToWordWithItsRecordAndTheAddinSwitchedOnFirst) {
  StartDeck();
  OpenTranslationTask(kWordRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Microsoft Word Documents");
  EXPECT_EQ(test::ShownText(::GetDlgItem(Panel(), IDC_PANEL_DOCUMENT_LABEL)), L"Document:");
  EXPECT_TRUE(Shows(IDC_PANEL_BROWSE));
  EXPECT_EQ(test::ShownText(Button(IDC_PANEL_ACTION)), L"Translate");
  // Both Office editions with both add-ins (full and Lite) are installed; the later edition leads.
  EXPECT_EQ(Choices(IDC_PANEL_APPLICATIONS),
            (std::vector<std::wstring>{L"Microsoft Word 2007/2010", L"Microsoft Word 2000/XP/2003",
                                       L"Microsoft Word 2007/2010", L"Microsoft Word 2000/XP/2003",
                                       L"VANTO Translator"}));
  EXPECT_EQ(Choices(IDC_PANEL_PROFILES), (std::vector<std::wstring>{L"General", L"Business", L"Technical"}));
  Screenshot(L"word");
  // The document field is framed in the skin's border colour, as the lists are.
  RECT field{};
  ::GetWindowRect(::GetDlgItem(Panel(), IDC_PANEL_DOCUMENT), &field);
  ::MapWindowPoints(nullptr, Panel(), reinterpret_cast<POINT*>(&field), 2);
  EXPECT_EQ(test::Grab(Panel()).At(field.left, (field.top + field.bottom) / 2), RGB(59, 168, 225));

  const struct {
    fs::path document;
    const wchar_t* direction;
    int directionId;
    const wchar_t* profile;
  } cases[] = {
      {Document(L"My Documents", L"Annual Report 2009.docx"), L"English-Russian", 0x0919, L"Technical"},
      {Document(L"Документы", L"Отчёт; 100% готов.docx"), L"German-English", 0x0709, L"Business"},
  };
  size_t started = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.document.wstring()));
    Type(c.document.wstring());
    Choose(IDC_PANEL_APPLICATIONS, L"Microsoft Word 2007/2010");
    Choose(IDC_PANEL_DIRECTIONS, c.direction);
    Choose(IDC_PANEL_PROFILES, c.profile);
    Screenshot(L"word-filled-" + std::to_wstring(started));
    Press(IDC_PANEL_ACTION);
    const std::vector<test::JournalLine> word = Starts(L"winword.exe", started);
    ASSERT_EQ(word.size(), ++started);
    EXPECT_EQ(word.back().record,
              L"D=" + std::to_wstring(c.directionId) + L";T=" + c.profile + L";U=" + Quoted(c.document));
    EXPECT_EQ(test::ArgumentsOf(word.back().commandLine), Quoted(c.document));
    EXPECT_NE(word.back().commandLine.find(L"Office12"), std::wstring::npos);
    // The add-in of the first row, the Lite one (found after the full one, so on top), was switched
    // on before Word started; the full one stays off.
    EXPECT_EQ(LoadBehavior(L"Word", L"QuilletX.Easy.WordAddin"), 3u);
    EXPECT_EQ(LoadBehavior(L"Word", L"QuilletX.WordAddin"), 0u);
    EXPECT_TRUE(NoMessage());
  }
  // Both are the user's recent documents, the last one first, as they were handed over.
  const std::wstring recent = L"Software\\Korvelsoft\\VNTO9\\Startdeck\\Recent Documents\\";
  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, recent + L"1", L"Document"), cases[1].document.wstring());
  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, recent + L"1", L"Application"), L"Microsoft Word 2007/2010");
  EXPECT_EQ(test::GetDword(HKEY_CURRENT_USER, recent + L"1", L"Direction"), 0x0709u);
  EXPECT_EQ(test::GetString(HKEY_CURRENT_USER, recent + L"2", L"Document"), cases[0].document.wstring());
}

TEST_F(TaskPanelTest, AWebPageGoesToTheChosenFirefoxWithTheExtensionSwitchedOnFirst) {
  StartDeck();
  // The demo's Firefox 2.0 and 3.5 and its Internet Explorer 8 are found by the browser switches.
  OpenTranslationTask(kWebRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Web Pages");
  EXPECT_EQ(test::ShownText(::GetDlgItem(Panel(), IDC_PANEL_DOCUMENT_LABEL)), L"Web Page:");
  EXPECT_EQ(Text(IDC_PANEL_DOCUMENT), L"http://");
  EXPECT_FALSE(Shows(IDC_PANEL_BROWSE));
  EXPECT_EQ(Choices(IDC_PANEL_APPLICATIONS),
            (std::vector<std::wstring>{L"Mozilla Firefox 2.0 (en-US)", L"Mozilla Firefox 3.5 (en-US)",
                                       L"Internet Explorer 8.0"}));
  EXPECT_EQ(Text(IDC_PANEL_OUTCOME),
            L"The page you entered will be automatically translated and open in the selected browser.\n\n"
            L"The translation features are available from the VANTO Translator toolbar.");
  Screenshot(L"web-page");

  Press(IDC_PANEL_ACTION);
  EXPECT_EQ(AnswerMessage(L"web-page-no-address"), L"Select the document you wish to translate.");
  Type(L"www.korvelsoft.com/vanto");
  Choose(IDC_PANEL_APPLICATIONS, L"Mozilla Firefox 3.5 (en-US)");
  Press(IDC_PANEL_ACTION);
  const std::vector<test::JournalLine> firefox = Starts(L"firefox.exe");
  ASSERT_EQ(firefox.size(), 1u);
  EXPECT_TRUE(firefox[0].record.ends_with(L";U=http://www.korvelsoft.com/vanto")) << firefox[0].record;
  EXPECT_EQ(test::ArgumentsOf(firefox[0].commandLine), L"http://www.korvelsoft.com/vanto");
  // The extension was switched on in Firefox 3.5 only: its proxy file names the extension's folder.
  const fs::path hosts = installation_.Folder() / L"Hosts";
  const std::wstring extension = (installation_.Folder() / L"FireFox").wstring() + L"\\";
  EXPECT_EQ(test::ReadFile(hosts / L"Mozilla Firefox" / L"extensions" / L"vanto9@korvelsoft.com"),
            std::string(extension.begin(), extension.end()));
  EXPECT_FALSE(fs::exists(hosts / L"Mozilla Firefox 2.0" / L"extensions" / L"vanto9@korvelsoft.com"));
  EXPECT_TRUE(Starts(L"iexplore.exe", 0, 1s).empty());
}

// Paths and queries are case-sensitive and most of the web is https: an address goes to the browser
// as typed, a bare one after "http://", and a dropped page as its file URL.
TEST_F(TaskPanelTest, WebAddressesReachFirefoxAsTyped) {
  // A page on drive C:, as a person drops it from a folder of their own.
  const fs::path page = L"C:\\Pages\\Report.html";
  ASSERT_FALSE(fs::exists(page.parent_path())) << "a folder of the same name is there before the test";
  fs::create_directories(page.parent_path());
  const test::Restorer removePage([&] { fs::remove_all(page.parent_path()); });
  test::WriteFile(page, "<html><body>Report</body></html>");

  StartDeck();
  std::unique_ptr<test::RemoteBlock> drop = test::DropFile(window_, page.wstring());
  ASSERT_NE(drop, nullptr);
  ASSERT_EQ(WaitForPanel(), L"Translating Web Pages");
  EXPECT_EQ(Text(IDC_PANEL_DOCUMENT), L"file:///C:/Pages/Report.html");
  Choose(IDC_PANEL_APPLICATIONS, L"Mozilla Firefox 3.5 (en-US)");

  const struct {
    const wchar_t* typed;  // none: the dropped page
    const wchar_t* address;
  } cases[] = {
      {nullptr, L"file:///C:/Pages/Report.html"},
      {L"https://Example.org/Docs/ReadMe.html?Lang=DE&Page=2",
       L"https://Example.org/Docs/ReadMe.html?Lang=DE&Page=2"},
      {L"example.org/Page", L"http://example.org/Page"},
  };
  size_t started = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.address)));
    if (c.typed) Type(c.typed);
    Press(IDC_PANEL_ACTION);
    const std::vector<test::JournalLine> firefox = Starts(L"firefox.exe", started);
    ASSERT_EQ(firefox.size(), ++started);
    EXPECT_EQ(test::ArgumentsOf(firefox.back().commandLine), c.address);
    EXPECT_TRUE(firefox.back().record.ends_with(std::wstring(L";U=") + c.address)) << firefox.back().record;
    EXPECT_TRUE(NoMessage());
  }
  Screenshot(L"web-page-as-typed");
}

TEST_F(TaskPanelTest, ThePdfTaskTranslatesInTheTranslatorOrInReaderWithThePluginCopiedFirst) {
  StartDeck();
  ShowAllFeatures();
  OpenTranslationTask(kPdfRowShowingAll);
  ASSERT_EQ(WaitForPanel(), L"Translating PDF Documents ");
  // The Acrobat switch finds the demo's Reader 9.0 (registered per user and per machine: once)
  // and Acrobat 8.0.
  EXPECT_EQ(Choices(IDC_PANEL_APPLICATIONS),
            (std::vector<std::wstring>{L"VANTO Translator", L"Adobe Reader 9.0", L"Adobe Acrobat 8.0"}));
  const std::wstring defaultSteps =
      L"1. Select the document you wish to translate: enter the path to the document or click Browse "
      L"and choose the file.\n\n"
      L"2. Select the application the document will be translated in.\n\n"
      L"3. Choose the translation direction and profile.\n\n"
      L"4. Click Translate.";
  Choose(IDC_PANEL_APPLICATIONS, L"VANTO Translator");
  EXPECT_EQ(test::ShownText(Button(IDC_PANEL_ACTION)), L"Translate");
  EXPECT_EQ(Text(IDC_PANEL_STEPS), defaultSteps);
  EXPECT_TRUE(Shows(IDC_PANEL_DIRECTIONS) && Shows(IDC_PANEL_PROFILES));
  Screenshot(L"pdf");

  const fs::path pdf = Document(L"Manuals", L"User Guide.pdf");
  Type(pdf.wstring());
  Press(IDC_PANEL_ACTION);
  const std::vector<test::JournalLine> translator = Starts(L"Vnto.exe");
  ASSERT_EQ(translator.size(), 1u);
  EXPECT_EQ(translator[0].record, L"D=2311;T=General;U=" + Quoted(pdf));
  EXPECT_EQ(test::ArgumentsOf(translator[0].commandLine), Quoted(pdf));

  // In Reader: the switch copies the plug-in into Reader's plug_ins folder, then Reader opens.
  const fs::path plugIn =
      installation_.Folder() / L"Hosts\\Adobe\\Reader 9.0\\Reader\\plug_ins\\VNTO9\\AcroXlat.API";
  ASSERT_FALSE(fs::exists(plugIn));
  Choose(IDC_PANEL_APPLICATIONS, L"Adobe Reader 9.0");
  // Reader brings steps of its own: it only opens the document, so the button launches it and the
  // direction and profile go.
  EXPECT_EQ(test::ShownText(Button(IDC_PANEL_ACTION)), L"Launch");
  EXPECT_FALSE(Shows(IDC_PANEL_DIRECTIONS));
  EXPECT_FALSE(Shows(IDC_PANEL_PROFILES));
  EXPECT_NE(Text(IDC_PANEL_STEPS).find(L"\n\n2. Click Launch."), std::wstring::npos);
  Screenshot(L"pdf-reader");
  Press(IDC_PANEL_ACTION);
  const std::vector<test::JournalLine> reader = Starts(L"AcroRD32.exe");
  ASSERT_EQ(reader.size(), 1u);
  EXPECT_TRUE(fs::exists(plugIn));
  EXPECT_EQ(test::ArgumentsOf(reader[0].commandLine), Quoted(pdf));
  (void)CAcrobatSW::WritePluginEntry(L"AAR9.0",
                                     std::nullopt);  // the suite's list, in the prefix's common data
}

TEST_F(TaskPanelTest, AWriterDocumentGoesToOpenOffice3WithTheIntegrationMergedIntoItsProfileFirst) {
  const fs::path profile = fs::path(COpenOfficeSW::ApplicationData()) / L"OpenOffice.org\\3\\user";
  const fs::path addons = profile / L"registry\\data\\org\\openoffice\\Office\\Addons.xcu";
  ASSERT_FALSE(fs::exists(addons.wstring() + L".old")) << "the integration is on before the test";
  // The profile is the prefix user's own: the integration goes off again whatever happens.
  const test::Restorer switchedOff([] {
    COpenOfficeSW openOffice(L"VANTO for OpenOffice");
    openOffice.CollectPlugins();
    switches::PluginList records;
    openOffice.GetPlugins(records);
    for (auto& record : records) record.state = 0;
    openOffice.ApplyStates(records, 1);
  });

  StartDeck();
  OpenTranslationTask(kOpenOfficeRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Documents in OpenOffice.org Writer ");
  EXPECT_EQ(Choices(IDC_PANEL_APPLICATIONS),
            (std::vector<std::wstring>{L"VANTO Translator", L"OpenOffice.org Writer 2.4",
                                       L"OpenOffice.org Writer 3.1"}));
  const fs::path document = Document(L"Letters", L"Offer 2009.odt");
  Type(document.wstring());
  Choose(IDC_PANEL_APPLICATIONS, L"OpenOffice.org Writer 3.1");
  Choose(IDC_PANEL_DIRECTIONS, L"English-Russian");
  Choose(IDC_PANEL_PROFILES, L"Business");
  Screenshot(L"openoffice");
  Press(IDC_PANEL_ACTION);

  const std::vector<test::JournalLine> writer = Starts(L"soffice.exe");
  ASSERT_EQ(writer.size(), 1u);
  const std::wstring arguments = L"-swriter " + Quoted(document);
  EXPECT_EQ(test::ArgumentsOf(writer[0].commandLine), arguments);
  EXPECT_EQ(writer[0].record, L"D=2329;T=Business;U=" + arguments);
  EXPECT_NE(writer[0].commandLine.find(L"OpenOffice.org 3"), std::wstring::npos);
  // Merged into the 3.1 profile (with the backup that marks it on), not into 2.4's.
  EXPECT_TRUE(fs::exists(addons.wstring() + L".old"));
  EXPECT_NE(test::ReadFile(addons).find("<node oor:name=\"VANTO.Translate\" oor:op=\"replace\">"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(fs::path(COpenOfficeSW::ApplicationData()) /
                          L"OpenOffice.org2\\user\\registry\\data\\org\\openoffice\\Office\\Addons.xcu.old"));
  EXPECT_TRUE(NoMessage());
}

TEST_F(TaskPanelTest, OutlookLaunchesWithItsAddinOnAndTheMessengersTaskListsEveryDemoMessenger) {
  StartDeck();
  OpenTranslationTask(kOutlookRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Email Messages in Microsoft Outlook");
  EXPECT_EQ(Text(IDC_PANEL_STEPS), L"Click Launch.\n\nMicrosoft Outlook will open.");
  EXPECT_EQ(test::ShownText(Button(IDC_PANEL_ACTION)), L"Launch");
  EXPECT_FALSE(::IsWindowVisible(Combo(IDC_PANEL_SINGLE_DIRECTIONS)));
  EXPECT_FALSE(::IsWindowVisible(Button(IDC_PANEL_EDIT_PROFILES)));
  EXPECT_EQ(Choices(IDC_PANEL_APPLICATIONS),
            (std::vector<std::wstring>{L"Microsoft Outlook 2007/2010", L"Microsoft Outlook 2000/XP/2003",
                                       L"Microsoft Outlook 2007/2010", L"Microsoft Outlook 2000/XP/2003"}));
  Screenshot(L"outlook");
  Press(IDC_PANEL_ACTION);
  const std::vector<test::JournalLine> outlook = Starts(L"outlook.exe");
  ASSERT_EQ(outlook.size(), 1u);
  EXPECT_EQ(outlook[0].record, L"D=0;T=;U=");
  EXPECT_EQ(test::ArgumentsOf(outlook[0].commandLine), L"");
  EXPECT_EQ(LoadBehavior(L"Outlook", L"QuilletX.Easy.OutlookAddin"), 3u);
  EXPECT_TRUE(NoMessage());

  // Every messenger's switch finds the demo's messenger: one record each, two for Skype.
  test::Click(::GetDlgItem(window_, IDC_BACK));
  OpenTranslationTask(kMessengersRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Instant Messages");
  EXPECT_EQ(
      Choices(IDC_PANEL_APPLICATIONS),
      (std::vector<std::wstring>{L"Windows Live Messenger", L"QIP Infium", L"Skype 4.2", L"Skype Toolbars"}));
  Screenshot(L"messengers");
  EXPECT_TRUE(NoMessage());
}

TEST_F(TaskPanelTest, TheExcelTaskHasNoApplicationWithoutExcel) {
  for (const bool excel : {true, false}) {
    SCOPED_TRACE(excel ? "Excel installed" : "Excel removed");
    if (!excel) {
      for (const wchar_t* version : {L"11.0", L"12.0"})
        ASSERT_EQ(
            ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kOfficeKey) + version + L"\\Excel").c_str()),
            ERROR_SUCCESS);
    }
    StartDeck();
    OpenTranslationTask(kExcelRow);
    if (excel) {
      ASSERT_EQ(WaitForPanel(), L"Translating Microsoft Excel Spreadsheets");
      EXPECT_EQ(Choices(IDC_PANEL_APPLICATIONS),
                (std::vector<std::wstring>{L"Microsoft Excel 2007/2010", L"Microsoft Excel 2000/XP/2003"}));
      Screenshot(L"excel");
    } else {
      EXPECT_EQ(AnswerMessage(L"excel-none"), kNoApplication);
      EXPECT_EQ(Panel(), nullptr);
      EXPECT_TRUE(::IsWindowVisible(FindDescendant(window_, test::kListOfTab1)));
    }
    EXPECT_TRUE(CloseDeck());
  }
}

TEST_F(TaskPanelTest, TheChoicesOfATaskComeBackAfterARestart) {
  const fs::path letter = Document(L"Letters", L"To Anna.doc");
  StartDeck();
  OpenTranslationTask(kWordRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Microsoft Word Documents");
  Type(letter.wstring());
  Choose(IDC_PANEL_APPLICATIONS, L"VANTO Translator");
  Choose(IDC_PANEL_DIRECTIONS, L"German-Russian");
  Choose(IDC_PANEL_PROFILES, L"Business");
  Screenshot(L"remembered-before");
  EXPECT_TRUE(CloseDeck());

  StartDeck();
  OpenTranslationTask(kWordRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Microsoft Word Documents");
  EXPECT_EQ(Text(IDC_PANEL_DOCUMENT), letter.wstring());
  Screenshot(L"remembered-after");
  Press(IDC_PANEL_ACTION);
  const std::vector<test::JournalLine> translator = Starts(L"Vnto.exe");
  ASSERT_EQ(translator.size(), 1u);
  EXPECT_EQ(translator[0].record, L"D=1817;T=Business;U=" + Quoted(letter));
  EXPECT_TRUE(Starts(L"winword.exe", 0, 1s).empty());
}

TEST_F(TaskPanelTest, EditingProfilesOpensTheKernelsEditorAndTellsTheSuiteAfterwards) {
  test::MessageCounter templateChanged(L"TEMPLATECHANGED");
  ASSERT_TRUE(templateChanged.Listening());
  StartDeck();
  OpenTask(test::kStartButtonTab2, test::kListOfTab2, 0);
  ASSERT_EQ(WaitForPanel(), L"Creating and editing profiles ");
  EXPECT_EQ(test::ShownText(::GetDlgItem(Panel(), IDC_PANEL_APPLICATION_LABEL)),
            L"Direction of Translation:");
  EXPECT_TRUE(::IsWindowVisible(Button(IDC_PANEL_EDIT_PROFILES)));
  EXPECT_FALSE(::IsWindowVisible(Button(IDC_PANEL_ACTION)));
  Choose(IDC_PANEL_SINGLE_DIRECTIONS, L"Russian-English");
  Screenshot(L"profiles");

  for (const int answer : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(answer == IDOK ? "OK" : "Cancel");
    const int before = templateChanged.Count();
    Press(IDC_PANEL_EDIT_PROFILES);
    HWND editor = test::WaitForWindow(deck_.Id(), L"VANTO Kernel - Profiles", L"", 10s);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(test::RunningRecord(L"TMD"), L"S=local");
    Screenshot(answer == IDOK ? L"profiles-editor-ok" : L"profiles-editor-cancel");
    test::WaitUntil([] { return false; }, 300ms);  // pumps this program's messages: none may come yet
    EXPECT_EQ(templateChanged.Count(), before);
    test::PressButton(editor, answer);
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(editor); }, 5s));
    EXPECT_TRUE(test::WaitUntil([&] { return templateChanged.Count() == before + 1; }, 5s));
    EXPECT_EQ(test::RunningRecord(L"TMD"), std::nullopt);
  }
}

TEST_F(TaskPanelTest, AFileDroppedOntoTheWindowOpensItsTaskOrTellsWhatCanBeDropped) {
  const fs::path letter = Document(L"Drop Box", L"Letter to Anna.docx");
  const fs::path notes = Document(L"Drop Box", L"notes.txt");
  StartDeck();
  std::unique_ptr<test::RemoteBlock> drop = test::DropFile(window_, letter.wstring());
  ASSERT_NE(drop, nullptr);
  ASSERT_EQ(WaitForPanel(), L"Translating Microsoft Word Documents");
  EXPECT_EQ(Text(IDC_PANEL_DOCUMENT), letter.wstring());
  Screenshot(L"dropped");

  test::Click(::GetDlgItem(window_, IDC_HOME));
  drop = test::DropFile(window_, notes.wstring());
  EXPECT_EQ(AnswerMessage(L"dropped-unknown"),
            L"This file cannot be translated here. You can drop these kinds of files onto the window:\n\n"
            L"Word documents (.doc, .docx, .rtf)\nExcel spreadsheets (.xls, .xlsx)\nPDF documents (.pdf)\n"
            L"OpenOffice.org Writer documents (.odt, .sxw)\nWeb pages (.htm, .html, .mht)");
}

TEST_F(TaskPanelTest, AMissingDocumentOrAFolderIsRefusedBeforeWordStarts) {
  const fs::path folder = documents_.Folder(L"Reports 2009");
  const struct {
    fs::path document;
    std::wstring message;
  } cases[] = {
      {folder / L"Lost.docx", L"The document \"" + (folder / L"Lost.docx").wstring() +
                                  L"\" cannot be found. Check the path and try again."},
      {folder, L"\"" + folder.wstring() +
                   L"\" is a folder. Enter the path to a document or click Browse and choose the file."},
  };
  StartDeck();
  OpenTranslationTask(kWordRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Microsoft Word Documents");
  for (const auto& c : cases) {
    Type(c.document.wstring());
    Press(IDC_PANEL_ACTION);
    EXPECT_EQ(AnswerMessage(c.document == folder ? L"folder" : L"missing-document"), c.message);
  }
  EXPECT_TRUE(Starts(L"winword.exe", 0, 1s).empty());
}

// A host that ends at once without taking its record has the record taken back: the next start of
// that host, by the person and not through a hand-off, must not translate the old document. A host
// that runs keeps its record.
TEST_F(TaskPanelTest, AHostThatEndsAtOnceWithoutTakingItsRecordLeavesNone) {
  const fs::path document = Document(L"My Documents", L"Letter.docx");
  const std::wstring record = L"D=" + std::to_wstring(0x0907) + L";T=General;U=" + Quoted(document);
  test::SetString(HKEY_CURRENT_USER, kSubstituteKey, L"ExitAtOnce", L"Word");
  StartDeck();
  OpenTranslationTask(kWordRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Microsoft Word Documents");
  Type(document.wstring());
  Choose(IDC_PANEL_APPLICATIONS, L"Microsoft Word 2007/2010");
  Choose(IDC_PANEL_DIRECTIONS, L"English-German");
  Choose(IDC_PANEL_PROFILES, L"General");
  Press(IDC_PANEL_ACTION);
  std::vector<test::JournalLine> word = Starts(L"winword.exe");
  ASSERT_EQ(word.size(), 1u);
  EXPECT_EQ(word[0].record, L"<not read>");
  EXPECT_TRUE(test::WaitUntil([] { return !test::RunningRecord(L"Word").has_value(); }, 20s))
      << ::testing::PrintToString(test::RunningRecord(L"Word").value_or(L"<none>"));
  EXPECT_TRUE(NoMessage());

  // Word started by the person finds no record.
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kSubstituteKey, L"ExitAtOnce");
  const std::wstring& line = word[0].commandLine;
  ASSERT_TRUE(line.starts_with(L'"'));
  test::Process byHand;
  ASSERT_TRUE(byHand.Start(line.substr(1, line.find(L'"', 1) - 1)));
  word = Starts(L"winword.exe", 1);
  ASSERT_EQ(word.size(), 2u);
  EXPECT_EQ(word[1].record, L"<none>");
  byHand.Terminate();

  // Handed over again, to a Word that stays: its record stays while it runs.
  Press(IDC_PANEL_ACTION);
  word = Starts(L"winword.exe", 2);
  ASSERT_EQ(word.size(), 3u);
  EXPECT_EQ(word[2].record, record);
  EXPECT_EQ(test::RunningRecord(L"Word"), record);
}

}  // namespace
