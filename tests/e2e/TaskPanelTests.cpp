// The translation task panels of the main window, driven as a person would: a row of the tab's list
// opens a panel, the path is typed into the document field, a list's drop-down is opened and a row
// clicked, Translate, Launch or Edit pressed. What comes out is the host program the demo
// installation starts, with the hand-off record it reads, or the message the person is shown.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../launcher/SuiteInstall.h"
#include "RemoteControls.h"
#include "ResourceIds.h"
#include "support/Driver.h"
#include "support/Installation.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "support/ScreenPixels.h"
#include "support/TestPaths.h"
#include "switches/AcrobatSW.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::ControlText;
using test::FindDescendant;

constexpr int kStartButtonTab1 = 316;
constexpr int kStartButtonTab2 = 291;
constexpr int kListOfTab1 = 1101;
constexpr int kListOfTab2 = 1102;
constexpr int kShowAllFeatures = 378;
constexpr int kRowHeight = 48;
constexpr wchar_t kOfficeKey[] = L"Software\\Microsoft\\Office\\";
constexpr wchar_t kNoApplication[] = L"No application that can perform this action is installed.";

// The demo product with every task naming the applications it is done in, as a shipped product's
// configuration does (the demo's own names them for Word only). The hosts' tokens are the product's
// own: a browser or a messenger that the switches do not find is a host to install first.
constexpr char kProduct[] = R"({
  "settings": {"FileName": "Startdeck", "ClientName": "Startdeck", "ProductName": "VANTO Translator Home"},
  "_menu1": {"item0": "TranslateWord;Word|Vnto", "item1": "TranslateWeb;VntoIE|FireFox",
             "item2": "TranslateExcel;Excel", "item3": "TranslatePDF;Acrobat|Vnto",
             "item4": "TranslateOutlook;Outlook",
             "item5": "TranslateMessengers;VantoQIP|VantoMSN|VantoSkype"},
  "_menu2": {"item0": "EditTemplate"},
  "apps": {"Vnto": "", "VntoIE": "", "FireFox": "", "Acrobat": "", "VantoQIP": "", "VantoMSN": "",
           "VantoSkype": ""},
  "allapps": {"Vnto": "", "VntoIE": "", "FireFox": "", "Acrobat": "", "VantoQIP": "", "VantoMSN": "",
              "VantoSkype": ""}
})";
// Rows of tab 1's list; in show-all mode the tasks the product leaves out stand among them.
constexpr int kWordRow = 0, kWebRow = 1, kExcelRow = 2, kOutlookRow = 4, kMessengersRow = 5;
constexpr int kWebRowShowingAll = 2, kPdfRowShowingAll = 4;

std::wstring Quoted(const fs::path& path) {
  return L"\"" + path.wstring() + L"\"";
}

class TaskPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearUserRecords();
    ASSERT_TRUE(installation_.Ok());
    const fs::path json = installation_.Folder() / L"Product.json";
    std::ofstream(json, std::ios::binary) << kProduct;
    test::Process pack;
    ASSERT_TRUE(pack.Start(test::BinFolder() / L"infpack.exe",
                           L"pack \"" + json.wstring() + L"\" \"" + installation_.Inf().wstring() + L"\""));
    ASSERT_TRUE(pack.WaitForExit(20s));
    ASSERT_EQ(pack.ExitCode(), 0u);
  }
  void TearDown() override {
    Close();
    ClearUserRecords();
  }

  // What one run leaves the next in the prefix: remembered choices, hand-off records, add-ins on.
  static void ClearUserRecords() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Korvelsoft\\VNTO9\\Startdeck");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, test::kRunningKeyPath);
    for (const wchar_t* application : {L"Word", L"Excel", L"Outlook", L"PowerPoint"})
      ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kOfficeKey) + application + L"\\Addins").c_str());
  }

  void Start() {
    ASSERT_TRUE(deck_.Start(installation_.Program())) << "error " << deck_.LastError();
    window_ = test::WaitForWindow(deck_.Id(), installation_.Product(), L"#32770", 20s);
    ASSERT_NE(window_, nullptr);
  }
  void Close() {
    if (deck_.Running() && window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(deck_.WaitForExit(10s));
    window_ = nullptr;
  }
  void ShowAllFeatures() {
    HWND showAll = ::GetDlgItem(window_, kShowAllFeatures);
    test::Click(showAll);
    ASSERT_TRUE(
        test::WaitUntil([&] { return ::SendMessageW(showAll, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s));
  }

  // Opens a tab with its start-page button and clicks a row of its list, wheeling a row below the
  // list's end into view.
  void OpenTask(int startButton, int listId, int row) {
    test::Click(FindDescendant(window_, startButton));
    HWND list = FindDescendant(window_, listId);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(list) != FALSE; }, 5s));
    RECT client{};
    ::GetClientRect(list, &client);
    const int below = std::max(0, row + 1 - static_cast<int>(client.bottom / kRowHeight));
    // The list keeps its place between visits: back to its top first.
    for (int step = 0; step < 16; ++step) ::PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    for (int step = 0; step < below; ++step)
      ::PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    test::ClickAt(list, {120, (row - below) * kRowHeight + kRowHeight / 2});
  }
  void OpenTranslationTask(int row) { OpenTask(kStartButtonTab1, kListOfTab1, row); }

  // The task panel on show: a dialog of the main window with a title.
  HWND Panel() const {
    for (HWND child = ::GetWindow(window_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      if (::IsWindowVisible(child) && ::GetDlgItem(child, IDC_PANEL_TITLE)) return child;
    return nullptr;
  }
  // The title of the panel that opens, or "" when none does.
  std::wstring WaitForPanel() const {
    test::WaitUntil([&] { return Panel() != nullptr; }, 5s);
    return Panel() ? Text(IDC_PANEL_TITLE) : L"";
  }
  HWND Combo(int id) const { return test::FindChild(Panel(), id, L"StartdeckComboBox"); }
  HWND Button(int id) const { return test::FindChild(Panel(), id, L"StartdeckMenuButton"); }
  std::wstring Text(int id) const { return ControlText(::GetDlgItem(Panel(), id)); }
  bool Shows(int id) const { return ::IsWindowVisible(::GetDlgItem(Panel(), id)) != FALSE; }

  // Clicks `combo` and waits for its drop-down's list. A drop-down closes when it loses the
  // activation, and one opened while the activation still settles (the window just appeared, another
  // list just closed) can lose it at once: the click is then repeated, as a person would.
  HWND DropDown(HWND combo) const {
    HWND list = nullptr;
    for (int attempt = 0; attempt < 3 && !list; ++attempt) {
      test::Click(combo);
      test::WaitUntil(
          [&] {
            for (HWND window : test::TopLevelWindows(deck_.Id()))
              if (HWND rows = ::GetDlgItem(window, IDC_COMBO_POPUP_LIST)) list = rows;
            return list != nullptr;
          },
          2s);
    }
    return list;
  }
  // The rows the list `id` offers; its drop-down is closed again with a second click.
  std::vector<std::wstring> Choices(int id) const {
    HWND combo = Combo(id);
    HWND list = DropDown(combo);
    if (!list) return {};
    const std::vector<std::wstring> rows = test::ListViewRows(list);
    test::Click(combo);
    test::WaitUntil([&] { return !::IsWindowVisible(::GetParent(list)); }, 5s);
    return rows;
  }
  // Opens the drop-down of the list `id` and clicks the first row that reads `text`.
  void Choose(int id, const std::wstring& text) const {
    HWND list = DropDown(Combo(id));
    ASSERT_NE(list, nullptr);
    const std::vector<std::wstring> rows = test::ListViewRows(list);
    const auto found = std::find(rows.begin(), rows.end(), text);
    ASSERT_NE(found, rows.end()) << ::testing::PrintToString(text) << " is not among "
                                 << ::testing::PrintToString(rows);
    test::ClickAt(list, test::ListViewRowCentre(list, static_cast<int>(found - rows.begin())));
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(::GetParent(list)); }, 5s));
  }
  // Types `text` into the document field over what it holds, one character message at a time.
  void Type(const std::wstring& text) const {
    HWND field = ::GetDlgItem(Panel(), IDC_PANEL_DOCUMENT);
    test::Click(field);
    ::PostMessageW(field, EM_SETSEL, 0, -1);
    for (wchar_t c : text) ::PostMessageW(field, WM_CHAR, c, 1);
    ASSERT_TRUE(test::WaitUntil([&] { return ControlText(field) == text; }, 5s))
        << ::testing::PrintToString(ControlText(field));
  }
  void Press(int id) const { test::Click(Button(id)); }

  static void Screenshot(const std::wstring& name) {
    ::Sleep(200);
    std::wcout << L"screenshot: " << test::SaveScreenshot(L"panel-" + name).wstring() << L"\n";
  }
  // The text of the message box that comes up, answered with OK after its screenshot.
  std::wstring AnswerMessage(const std::wstring& screenshot) const {
    const test::MessageBoxView box = test::WaitForMessageBox(deck_.Id(), 10s);
    if (!box.window) return L"<no message>";
    Screenshot(screenshot);
    test::PressButton(box.window, IDOK);
    test::WaitUntil([&] { return !::IsWindow(box.window); }, 5s);
    return box.text;
  }
  bool NoMessage() const { return test::WaitForMessageBox(deck_.Id(), 500ms).window == nullptr; }

  // The journal's starts of `executable`; waiting (up to `timeout`) until there are more than `seen`.
  std::vector<test::JournalLine> Starts(const std::wstring& executable, size_t seen = 0,
                                        std::chrono::milliseconds timeout = 15s) const {
    std::vector<test::JournalLine> starts;
    test::WaitUntil(
        [&] {
          starts.clear();
          for (test::JournalLine& line : test::ReadJournal(installation_.Folder() / L"journal.log"))
            if (_wcsicmp(line.executable.c_str(), executable.c_str()) == 0) starts.push_back(std::move(line));
          return starts.size() > seen;
        },
        timeout);
    return starts;
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

  test::Installation installation_;
  test::ScratchDir documents_;
  test::Process deck_;
  HWND window_ = nullptr;
};

TEST_F(TaskPanelTest, AWordDocumentGoesToWordWithItsRecordAndTheAddinSwitchedOnFirst) {
  Start();
  OpenTranslationTask(kWordRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Microsoft Word Documents");
  EXPECT_EQ(Text(IDC_PANEL_DOCUMENT_LABEL), L"Document:");
  EXPECT_TRUE(Shows(IDC_PANEL_BROWSE));
  EXPECT_EQ(test::WindowText(Button(IDC_PANEL_ACTION)), L"Translate");
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
}

TEST_F(TaskPanelTest, AWebPageGoesToTheChosenFirefoxWithTheExtensionSwitchedOnFirst) {
  Start();
  // The demo's Firefox 2.0 and 3.5 and its Internet Explorer 8 are found by the browser switches.
  OpenTranslationTask(kWebRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Web Pages");
  EXPECT_EQ(Text(IDC_PANEL_DOCUMENT_LABEL), L"Web Page:");
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

TEST_F(TaskPanelTest, ThePdfTaskTranslatesInTheTranslatorOrInReaderWithThePluginCopiedFirst) {
  Start();
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
  EXPECT_EQ(test::WindowText(Button(IDC_PANEL_ACTION)), L"Translate");
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
  const fs::path plugIn = installation_.Folder() / L"Hosts\\Adobe\\Reader 9.0\\Reader\\plug_ins\\VNTO9\\AcroXlat.API";
  ASSERT_FALSE(fs::exists(plugIn));
  Choose(IDC_PANEL_APPLICATIONS, L"Adobe Reader 9.0");
  Screenshot(L"pdf-reader");
  Press(IDC_PANEL_ACTION);
  const std::vector<test::JournalLine> reader = Starts(L"AcroRD32.exe");
  ASSERT_EQ(reader.size(), 1u);
  EXPECT_TRUE(fs::exists(plugIn));
  EXPECT_EQ(test::ArgumentsOf(reader[0].commandLine), Quoted(pdf));
  (void)CAcrobatSW::WritePluginEntry(L"AAR9.0", std::nullopt);  // the suite's list, in the prefix's common data
}

TEST_F(TaskPanelTest, OutlookLaunchesWithItsAddinOnWhileNoMessengerIsThere) {
  Start();
  OpenTranslationTask(kOutlookRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Email Messages in Microsoft Outlook");
  EXPECT_EQ(Text(IDC_PANEL_STEPS), L"Click Launch.\n\nMicrosoft Outlook will open.");
  EXPECT_EQ(test::WindowText(Button(IDC_PANEL_ACTION)), L"Launch");
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

  // No messenger's switch finds its messenger.
  test::Click(::GetDlgItem(window_, IDC_BACK));
  OpenTranslationTask(kMessengersRow);
  EXPECT_EQ(AnswerMessage(L"messengers-none"), kNoApplication);
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
    Start();
    OpenTranslationTask(kExcelRow);
    if (excel) {
      ASSERT_EQ(WaitForPanel(), L"Translating Microsoft Excel Spreadsheets");
      EXPECT_EQ(Choices(IDC_PANEL_APPLICATIONS),
                (std::vector<std::wstring>{L"Microsoft Excel 2007/2010", L"Microsoft Excel 2000/XP/2003"}));
      Screenshot(L"excel");
    } else {
      EXPECT_EQ(AnswerMessage(L"excel-none"), kNoApplication);
      EXPECT_EQ(Panel(), nullptr);
      EXPECT_TRUE(::IsWindowVisible(FindDescendant(window_, kListOfTab1)));
    }
    Close();
  }
}

TEST_F(TaskPanelTest, TheChoicesOfATaskComeBackAfterARestart) {
  const fs::path letter = Document(L"Letters", L"To Anna.doc");
  Start();
  OpenTranslationTask(kWordRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Microsoft Word Documents");
  Type(letter.wstring());
  Choose(IDC_PANEL_APPLICATIONS, L"VANTO Translator");
  Choose(IDC_PANEL_DIRECTIONS, L"German-Russian");
  Choose(IDC_PANEL_PROFILES, L"Business");
  Screenshot(L"remembered-before");
  Close();

  Start();
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

// A hidden top-level window of this program that counts a registered message reaching it.
class MessageCounter {
 public:
  explicit MessageCounter(const wchar_t* name) : message_(::RegisterWindowMessageW(name)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
      auto* self = reinterpret_cast<MessageCounter*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
      if (self && message == self->message_) ++self->count_;
      return ::DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.lpszClassName = L"TaskPanelTestsListener";
    ::RegisterClassW(&windowClass);
    window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                nullptr, nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~MessageCounter() { ::DestroyWindow(window_); }
  MessageCounter(const MessageCounter&) = delete;
  MessageCounter& operator=(const MessageCounter&) = delete;

  [[nodiscard]] int Count() const noexcept { return count_; }

 private:
  UINT message_;
  HWND window_ = nullptr;
  int count_ = 0;
};

TEST_F(TaskPanelTest, EditingProfilesOpensTheKernelsEditorAndTellsTheSuiteAfterwards) {
  MessageCounter templateChanged(L"TEMPLATECHANGED");
  Start();
  OpenTask(kStartButtonTab2, kListOfTab2, 0);
  ASSERT_EQ(WaitForPanel(), L"Creating and editing profiles ");
  EXPECT_EQ(Text(IDC_PANEL_APPLICATION_LABEL), L"Direction of Translation:");
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
  Start();
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
            L"Web pages (.htm, .html, .mht)");
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
  Start();
  OpenTranslationTask(kWordRow);
  ASSERT_EQ(WaitForPanel(), L"Translating Microsoft Word Documents");
  for (const auto& c : cases) {
    Type(c.document.wstring());
    Press(IDC_PANEL_ACTION);
    EXPECT_EQ(AnswerMessage(c.document == folder ? L"folder" : L"missing-document"), c.message);
  }
  EXPECT_TRUE(Starts(L"winword.exe", 0, 1s).empty());
}

}  // namespace
