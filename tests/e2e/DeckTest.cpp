#include "DeckTest.h"

#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <iostream>

#include "ResourceIds.h"
#include "support/ProcessList.h"
#include "support/RegistrySandbox.h"
#include "support/TestPaths.h"

namespace test {

namespace {

constexpr wchar_t kKernelSwitchesKey[] = L"Software\\Korvelsoft\\VNTO9\\KernelSubstitute";

}  // namespace

HWND WaitForMainWindow(const Process& deck, const std::wstring& product) {
  HWND window = WaitForWindow(deck.Id(), product, L"#32770", kMainWindowTimeout);
  if (window == nullptr) return nullptr;
  // The window shows with its start page and makes the rest (the hidden panels, the tips) right
  // after its first paint; it takes dropped files once it is whole.
  (void)WaitUntil([window] { return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; },
                  kMainWindowTimeout);
  return window;
}

std::vector<HWND> TooltipsOwnedBy(HWND window) {
  struct Search {
    HWND owner;
    std::vector<HWND> found;
  } search{window, {}};
  ::EnumWindows(
      [](HWND candidate, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t name[64] = {};
        ::GetClassNameW(candidate, name, 64);
        if (std::wstring(name) == L"tooltips_class32" && ::GetWindow(candidate, GW_OWNER) == s->owner)
          s->found.push_back(candidate);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool CloseMainWindow(HWND window, const Process& deck) {
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  return deck.WaitForExit(10s);
}

void Screenshot(const std::wstring& name, std::chrono::milliseconds settle) {
  if (settle.count() > 0) ::Sleep(static_cast<DWORD>(settle.count()));
  std::wcout << L"screenshot: " << SaveScreenshot(name).wstring() << L"\n";
}

::testing::AssertionResult ChooseEntry(HWND combo, int index) {
  HWND list = DropDown(combo);
  if (!list) return ::testing::AssertionFailure() << "the list did not drop down";
  const std::vector<std::wstring> rows = ListViewRows(list);
  if (index >= static_cast<int>(rows.size()))
    return ::testing::AssertionFailure() << "no row " << index << " among " << ::testing::PrintToString(rows);
  if (!ClickDropDownRow(list, index)) return ::testing::AssertionFailure() << "the drop-down stayed open";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult ChooseEntry(HWND combo, const std::wstring& text) {
  HWND list = DropDown(combo);
  if (!list) return ::testing::AssertionFailure() << "the list did not drop down";
  const std::vector<std::wstring> rows = ListViewRows(list);
  const auto found = std::find(rows.begin(), rows.end(), text);
  if (found == rows.end())
    return ::testing::AssertionFailure()
           << ::testing::PrintToString(text) << " is not among " << ::testing::PrintToString(rows);
  if (!ClickDropDownRow(list, static_cast<int>(found - rows.begin())))
    return ::testing::AssertionFailure() << "the drop-down stayed open";
  return ::testing::AssertionSuccess();
}

KernelSwitches::~KernelSwitches() {
  for (const std::wstring& name : names_)
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKernelSwitchesKey, name.c_str());
}

void KernelSwitches::Set(const std::wstring& name, DWORD value) {
  SetDword(HKEY_CURRENT_USER, kKernelSwitchesKey, name, value);
  names_.push_back(name);
}

void KernelSwitches::Set(const std::wstring& name, const std::wstring& value) {
  SetString(HKEY_CURRENT_USER, kKernelSwitchesKey, name, value);
  names_.push_back(name);
}

void KernelSwitches::Remove(const std::wstring& name) {
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKernelSwitchesKey, name.c_str());
}

void DeckTest::SetUp() {
  // A case that CTest stopped at its time limit never closed what it started, and a start centre
  // still running from that case's scratch folder would take this case's start for a second copy
  // of itself. These cases have their Wine session to themselves (RUN_SERIAL), so a program running
  // from another case's scratch folder (ScratchDir's) is such a leftover: it is ended, and named in
  // the output.
  const std::wstring own = installation_.Folder().wstring() + L"\\";
  std::error_code error;
  const std::filesystem::path scratch = std::filesystem::temp_directory_path(error) / L"StartdeckTests";
  for (const ListedProcess& process : ProcessesIn(scratch)) {
    if (process.image.wstring().starts_with(own)) continue;
    std::wcout << L"ended " << process.image.wstring() << L", left running by an earlier case\n";
    ::TerminateProcess(process.handle.get(), 1);
    ::WaitForSingleObject(process.handle.get(), 5000);
  }
  ASSERT_TRUE(installation_.Ok());
}

void DeckTest::PackProduct(const std::string& json) const {
  const std::filesystem::path file = installation_.Folder() / L"Product.json";
  std::ofstream(file, std::ios::binary) << json;
  Process pack;
  ASSERT_TRUE(pack.Start(BinFolder() / L"infpack.exe",
                         L"pack \"" + file.wstring() + L"\" \"" + installation_.Inf().wstring() + L"\""));
  ASSERT_TRUE(pack.WaitForExit(20s));
  ASSERT_EQ(pack.ExitCode(), 0u);
}

void DeckTest::StartDeck(const std::wstring& arguments) {
  ASSERT_TRUE(deck_.Start(installation_.Program(), arguments)) << "error " << deck_.LastError();
  window_ = WaitForMainWindow(deck_, installation_.Product());
  ASSERT_NE(window_, nullptr);
}

bool DeckTest::CloseDeck() {
  if (deck_.Running() && window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
  window_ = nullptr;
  return deck_.WaitForExit(10s);
}

void DeckTest::Activate() const {
  ::SetForegroundWindow(window_);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window_; }, 5s));
}

HWND DeckTest::WaitForControl(int id, std::chrono::milliseconds timeout) const {
  HWND control = nullptr;
  WaitUntil([&] { return (control = Control(id)) != nullptr; }, timeout);
  return control;
}

void DeckTest::OpenTask(int opener, int listId, int row) const {
  HWND list = OpenTab(window_, opener, listId);
  ASSERT_NE(list, nullptr) << "the list " << listId << " did not show";
  ClickListRow(list, row);
}

HWND DeckTest::MessageUp() const {
  for (HWND other : TopLevelWindows(deck_.Id()))
    if (other != window_) return other;
  return nullptr;
}

const View& ViewNamed(std::string_view name) {
  for (const View& view : kViews)
    if (name == view.name) return view;
  ADD_FAILURE() << "no view named " << name;
  return kViews[0];
}

void DeckTest::OpenView(const View& view) const {
  const auto shows = [](HWND window) { return window != nullptr && ::IsWindowVisible(window) != FALSE; };
  if (shows(::GetDlgItem(window_, IDC_HOME))) {
    Click(::GetDlgItem(window_, IDC_HOME));
    ASSERT_TRUE(WaitUntil([&] { return !shows(::GetDlgItem(window_, IDC_HOME)); }, 5s));
  }
  if (view.startButton == 0) return;
  if (view.row < 0) {
    Click(FindDescendant(window_, view.startButton));
    ASSERT_TRUE(WaitUntil([&] { return shows(::GetDlgItem(window_, IDC_HOME)); }, 5s));
    if (view.list) {
      ASSERT_TRUE(WaitUntil([&] { return shows(FindVisible(window_, view.list)); }, 5s));
    }
    return;
  }
  const HWND list = OpenTab(window_, view.startButton, view.list);
  ASSERT_NE(list, nullptr) << "the list " << view.list << " did not show";
  ClickListRow(list, view.row);
  HWND message = nullptr;
  WaitUntil([&] { return !shows(list) || (message = MessageUp()) != nullptr; }, 3s);
  if (message) {
    ::PostMessageW(message, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(message); }, 5s));
  }
}

::testing::AssertionResult DeckTest::QuickTranslates(const std::wstring& text,
                                                     const std::wstring& expected) const {
  HWND source = Control(IDC_QUICK_SOURCE);
  if (!source) return ::testing::AssertionFailure() << "no quick-translation panel on show";
  HWND panel = ::GetParent(source);
  HWND target = FindDescendant(panel, IDC_QUICK_TARGET);
  Click(FindDescendant(panel, IDC_QUICK_CLEAR));
  if (!WaitUntil([&] { return ControlText(source).empty() && ControlText(target).empty(); }, 5s))
    return ::testing::AssertionFailure() << "Clear left the fields as they were";
  if (!ClickToFocus(source) || !TypeKeysInto(source, text))
    return ::testing::AssertionFailure() << "typed: " << ::testing::PrintToString(ControlText(source));
  Click(FindDescendant(panel, IDC_QUICK_TRANSLATE));
  if (!WaitUntil([&] { return ControlText(target) == expected; }, 10s))
    return ::testing::AssertionFailure() << "translated: " << ::testing::PrintToString(ControlText(target));
  return ::testing::AssertionSuccess();
}

std::wstring DeckTest::AnswerMessage(int button, const std::wstring& screenshot) const {
  const MessageBoxView box = WaitForMessageBox(deck_.Id(), 10s);
  if (!box.window) return L"<no message>";
  if (!screenshot.empty()) Screenshot(screenshot);
  PressButton(box.window, button);
  if (!WaitUntil([&] { return !::IsWindow(box.window); }, 5s)) return L"<still open> " + box.text;
  return box.text;
}

bool DeckTest::NoMessage() const {
  return WaitForMessageBox(deck_.Id(), 500ms).window == nullptr;
}

std::vector<JournalLine> DeckTest::Starts(const std::wstring& executable, size_t seen,
                                          std::chrono::milliseconds timeout) const {
  std::vector<JournalLine> starts;
  WaitUntil(
      [&] {
        starts.clear();
        for (JournalLine& line : ReadJournal(installation_.Folder() / L"journal.log"))
          if (_wcsicmp(line.executable.c_str(), executable.c_str()) == 0) starts.push_back(std::move(line));
        return starts.size() > seen;
      },
      timeout);
  return starts;
}

void DeckTest::ClearUserRecords() {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyPath);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kRunningKeyPath);
}

void DeckTest::ClearOfficeAddins() {
  for (const wchar_t* application : {L"Word", L"Excel", L"Outlook", L"PowerPoint"})
    ::RegDeleteTreeW(HKEY_CURRENT_USER,
                     (std::wstring(L"Software\\Microsoft\\Office\\") + application + L"\\Addins").c_str());
}

HWND DeckTest::Panel() const {
  for (HWND child = ::GetWindow(window_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::IsWindowVisible(child) && ::GetDlgItem(child, IDC_PANEL_TITLE)) return child;
  return nullptr;
}

HWND DeckTest::ShownPanel(std::chrono::milliseconds timeout) const {
  HWND panel = nullptr;
  WaitUntil([&] { return (panel = Panel()) != nullptr; }, timeout);
  return panel;
}

::testing::AssertionResult DeckTest::ChooseDocumentAndApplication(HWND panel, const std::wstring& document,
                                                                  const std::wstring& application) {
  if (!PostCharacters(::GetDlgItem(panel, IDC_PANEL_DOCUMENT), document))
    return ::testing::AssertionFailure() << "the document field did not take the name";
  return ChooseEntry(FindChild(panel, IDC_PANEL_APPLICATIONS, L"StartdeckComboBox"), application);
}

std::wstring ApplyInManager(HWND manager, std::chrono::milliseconds timeout) {
  Click(::GetDlgItem(manager, IDOK));
  return AwaitManagerStatus(manager, timeout);
}

std::wstring AwaitManagerStatus(HWND manager, std::chrono::milliseconds timeout) {
  std::wstring status;
  if (WaitUntil([&] { return !(status = ControlText(::GetDlgItem(manager, kManagerStatus))).empty(); },
                timeout))
    return status;
  DWORD processId = 0;
  ::GetWindowThreadProcessId(manager, &processId);
  const MessageBoxView box = WaitForMessageBox(processId, 1s);
  if (!box.window) return L"<no answer>";
  PressButton(box.window, IDOK);
  return L"<message box> " + box.text;
}

int ManagerCheckBox(HWND list, int row) {
  const auto state = static_cast<UINT>(
      ::SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
  return static_cast<int>(state >> 12);
}

void ClickManagerCheckBox(HWND list, int row) {
  ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  RECT bounds{LVIR_BOUNDS, 0, 0, 0};
  RECT label{LVIR_LABEL, 0, 0, 0};
  const RemoteBlock block(list, sizeof(RECT));
  for (RECT* rect : {&bounds, &label}) {
    block.Write(0, rect, sizeof(RECT));
    ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.At(0)));
    block.Read(0, rect, sizeof(RECT));
  }
  ClickAt(list, {(bounds.left + label.left) / 2, (label.top + label.bottom) / 2});
}

RECT WorkArea() {
  RECT area{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

POINT KeptInWorkArea(const RECT& place) {
  const RECT work = WorkArea();
  return {std::max(work.left, std::min(place.left, work.right - (place.right - place.left))),
          std::max(work.top, std::min(place.top, work.bottom - (place.bottom - place.top)))};
}

}  // namespace test
