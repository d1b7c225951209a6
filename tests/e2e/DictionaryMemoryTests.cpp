// The user-dictionary and translation-memory tasks in the real window, on the real kernel with a data
// folder of the test's own: a word added through the kernel's add-word dialog changes the kernel's
// next translation; a database created through the kernel's dialog opens in the TM manager with its
// record; another program's "TMDCHANGED" refills the list; a missing TM manager is explained.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <wrl/client.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/Bstr.h"
#include "support/Driver.h"
#include "support/Installation.h"
#include "support/ScratchDir.h"
#include "vanto/Kernel.h"
#include "vanto/KernelDialogs.h"
#include "win/Handle.h"

namespace {

using namespace std::chrono_literals;
using Microsoft::WRL::ComPtr;
using test::FindDescendant;

constexpr wchar_t kKernelSwitches[] = L"Software\\Korvelsoft\\VNTO9\\KernelSubstitute";
constexpr wchar_t kRunning[] = L"Software\\Korvelsoft\\VNTO9\\Running";
constexpr wchar_t kApps[] = L"Software\\Korvelsoft\\VNTO9\\Apps";
constexpr wchar_t kSettings[] = L"Software\\Korvelsoft\\VNTO9\\Startdeck";
constexpr wchar_t kEnglishGerman[] = L"English-German";
constexpr int kSetupStartButton = 291;
constexpr int kListOfTab2 = 1102;
constexpr int kDictionaryRow = 1;
constexpr int kMemoryRow = 2;
constexpr int kRowHeight = 48;
// The panels' controls.
constexpr int kDirectionList = 1052;
constexpr int kDictionaryList = 1032;
constexpr int kWord = 1017;
constexpr int kAdd = 390;
constexpr int kMemoryList = 304;
constexpr int kCreate = 383;
constexpr int kEdit = 386;
constexpr int kComboPopupList = 1050;
constexpr int kBack = 371;

// The visible control `id` below `window`: panels and pages that share an ID are told apart so.
HWND FindVisible(HWND window, int id) {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (::GetDlgCtrlID(child) != s->id || !::IsWindowVisible(child)) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The entries of a skinned combo box of another process: the list view of its drop-down popup, which
// lies (hidden) right under the box, read through memory in that process.
std::vector<std::wstring> ComboEntries(HWND combo) {
  RECT box{};
  ::GetWindowRect(combo, &box);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(combo, &processId);
  struct Search {
    DWORD processId;
    RECT box;
    HWND list;
  } search{processId, box, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        HWND list = owner == s->processId ? ::GetDlgItem(window, kComboPopupList) : nullptr;
        RECT rc{};
        if (!list || !::GetWindowRect(window, &rc) || rc.left != s->box.left || rc.top != s->box.bottom)
          return TRUE;
        s->list = list;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  std::vector<std::wstring> entries;
  if (!search.list) return entries;
  win::UniqueHandle process(
      ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  if (!process) return entries;
  constexpr size_t kChars = 1024;
  char* remote = static_cast<char*>(::VirtualAllocEx(
      process.get(), nullptr, sizeof(LVITEMW) + kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return entries;
  const LRESULT count = ::SendMessageW(search.list, LVM_GETITEMCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LVITEMW item{};
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    item.cchTextMax = static_cast<int>(kChars);
    ::WriteProcessMemory(process.get(), remote, &item, sizeof(item), nullptr);
    const auto length = static_cast<size_t>(::SendMessageW(
        search.list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote)));
    std::wstring text(length, L'\0');
    ::ReadProcessMemory(process.get(), item.pszText, text.data(), length * sizeof(wchar_t), nullptr);
    entries.push_back(std::move(text));
  }
  ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
  return entries;
}

// A control's text through its own message: an edit of another process keeps it out of the window's title.
std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(::SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                                 reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

void SetKernelSwitch(const wchar_t* name, DWORD value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kKernelSwitches, name, REG_DWORD, &value, sizeof(value));
}

void SetText(HWND window, const std::wstring& text) {
  ::SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::optional<std::wstring> ReadString(HKEY hive, const wchar_t* key, const wchar_t* name) {
  wchar_t value[2048] = {};
  DWORD size = sizeof(value);
  if (::RegGetValueW(hive, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(value);
}

void WriteString(HKEY hive, const wchar_t* key, const wchar_t* name, const std::wstring& value) {
  ::RegSetKeyValueW(hive, key, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// The Running records that the TM manager stand-in read at its starts, from the installation's journal
// (UTF-8, TAB-separated: the executable is field 2, the record field 6).
std::vector<std::wstring> TmManagerStarts(const std::filesystem::path& journal) {
  const std::string bytes = std::filesystem::exists(journal) ? test::ReadFile(journal) : std::string();
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<size_t>(::MultiByteToWideChar(
      CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), static_cast<int>(text.size()))));
  std::vector<std::wstring> records;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    std::vector<std::wstring> fields;
    for (size_t at = start; at <= end;) {
      const size_t tab = std::min(text.find(L'\t', at), end);
      fields.push_back(text.substr(at, tab - at));
      at = tab + 1;
    }
    if (fields.size() >= 6 && fields[1] == L"TMD.exe") records.push_back(fields[5]);
    start = end + 2;
  }
  return records;
}

// The kernel as another program of the suite uses it, on the same data folder.
class KernelClient {
 public:
  KernelClient() {
    ComPtr<IVantoLocalKernel> local;
    if (FAILED(::CoCreateInstance(CLSID_VantoLocalKernel, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&local))) ||
        FAILED(local->Initialize(app::Bstr(L"DictionaryMemoryTests").get())))
      return;
    (void)local.As(&kernel_);
  }
  [[nodiscard]] bool Ok() const noexcept { return kernel_ != nullptr; }

  std::wstring Translate(const std::wstring& direction, const std::wstring& text) {
    ComPtr<IVantoSettings> settings;
    app::Bstr result;
    if (FAILED(kernel_->SetCurrentDirection(static_cast<SHORT>(IndexOf(direction)))) ||
        FAILED(kernel_->GetSettings(&settings)) ||
        FAILED(settings->Translate(app::Bstr(text).get(), result.put())))
      return L"<failed>";
    return result.str();
  }
  // Property 6 of the direction's database named `name`.
  std::wstring MemoryIdentifier(const std::wstring& direction, const std::wstring& name) {
    ComPtr<IVantoDirections> directions;
    ComPtr<IVantoMemories> memories;
    LONG count = 0;
    if (FAILED(kernel_->GetDirections(&directions)) ||
        FAILED(directions->GetMemories(IndexOf(direction), &memories)) || FAILED(memories->GetCount(&count)))
      return L"<failed>";
    for (LONG i = 0; i < count; ++i) {
      ComPtr<IVantoMemory> memory;
      app::Bstr shown;
      app::Bstr identifier;
      if (SUCCEEDED(memories->GetItem(i, &memory)) &&
          SUCCEEDED(memory->GetProperty(kVantoMemoryName, shown.put())) && shown.str() == name &&
          SUCCEEDED(memory->GetProperty(kVantoMemoryIdentifier, identifier.put())))
        return identifier.str();
    }
    return L"<none>";
  }

 private:
  LONG IndexOf(const std::wstring& direction) {
    ComPtr<IVantoDirections> directions;
    LONG count = 0;
    if (FAILED(kernel_->GetDirections(&directions)) || FAILED(directions->GetCount(&count))) return -1;
    for (LONG i = 0; i < count; ++i) {
      app::Bstr name;
      if (SUCCEEDED(directions->GetItem(i, nullptr, name.put())) && name.str() == direction) return i;
    }
    return -1;
  }

  ComPtr<IVantoKernel> kernel_;
};

class DictionaryMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation_.Ok());
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    WriteString(HKEY_CURRENT_USER, kKernelSwitches, L"DataFolder", data_.path().wstring());
    tmManager_ = ReadString(HKEY_LOCAL_MACHINE, kApps, L"TMD");
    // What earlier runs remembered for the two tasks.
    for (const wchar_t* section : {L"\\20", L"\\23"})
      ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kSettings) + section).c_str());
  }
  void TearDown() override {
    if (deck_.Running()) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    deck_.WaitForExit(10s);
    for (const wchar_t* name : {L"DataFolder", L"NetworkServer", L"DictionariesError", L"MemoriesError"})
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKernelSwitches, name);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunning, L"TMD");
    if (tmManager_) WriteString(HKEY_LOCAL_MACHINE, kApps, L"TMD", *tmManager_);
    ::CoUninitialize();
  }

  void StartDeck() {
    ASSERT_TRUE(deck_.Start(installation_.Program())) << "error " << deck_.LastError();
    window_ = test::WaitForWindow(deck_.Id(), installation_.Product(), L"#32770", 20s);
    ASSERT_NE(window_, nullptr);
  }
  // Opens "Translation Setup" with its start-page button and chooses `row` of its list; waits for
  // the panel's control `shownId`.
  void OpenTask(int row, int shownId) {
    test::Click(FindDescendant(window_, kSetupStartButton));
    HWND list = FindDescendant(window_, kListOfTab2);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(list) != FALSE; }, 5s));
    test::ClickAt(list, {120, row * kRowHeight + kRowHeight / 2});
    ASSERT_TRUE(test::WaitUntil([&] { return FindVisible(window_, shownId) != nullptr; }, 10s));
  }
  [[nodiscard]] HWND Control(int id) const { return FindVisible(window_, id); }
  [[nodiscard]] HWND KernelDialog(const wchar_t* title) const {
    return test::WaitForWindow(deck_.Id(), title, L"#32770", 10s);
  }
  // The question that a click on `button` asks; answered with `answer`.
  void ExpectQuestion(int button, const std::wstring& text, int answer) {
    test::Click(Control(button));
    const test::MessageBoxView box = test::WaitForMessageBox(deck_.Id(), 10s);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, text);
    test::PressButton(box.window, answer);
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(box.window); }, 5s));
  }
  [[nodiscard]] std::filesystem::path Journal() const { return installation_.Folder() / L"journal.log"; }

  test::Installation installation_;
  test::ScratchDir data_;
  test::Process deck_;
  HWND window_ = nullptr;
  std::optional<std::wstring> tmManager_;
};

TEST_F(DictionaryMemoryTest, AWordAddedThroughTheKernelsDialogChangesTheNextTranslation) {
  KernelClient kernel;
  ASSERT_TRUE(kernel.Ok());
  constexpr wchar_t kSentence[] = L"My house is glorpish.";
  ASSERT_EQ(kernel.Translate(kEnglishGerman, kSentence), L"Mein Haus ist glorpish.");

  // A remembered dialog entry that is no number.
  WriteString(HKEY_CURRENT_USER, (std::wstring(kSettings) + L"\\20").c_str(), L"DlgEntryName", L"noun");
  StartDeck();
  OpenTask(kDictionaryRow, kDictionaryList);
  // Only the direction's general dictionary so far, which is no user dictionary.
  EXPECT_EQ(ComboEntries(Control(kDictionaryList)), std::vector<std::wstring>{});
  EXPECT_EQ(ComboEntries(Control(kDirectionList)).at(0), kEnglishGerman);
  SetText(Control(kWord), L"glorpish");

  const std::wstring question =
      L"No user dictionary exists for this translation direction. Create new dictionary?";
  ExpectQuestion(kAdd, question, IDNO);
  EXPECT_FALSE(std::filesystem::exists(data_.path() / L"Dictionaries") &&
               !std::filesystem::is_empty(data_.path() / L"Dictionaries"));
  EXPECT_EQ(ComboEntries(Control(kDictionaryList)), std::vector<std::wstring>{});

  ExpectQuestion(kAdd, question, IDYES);
  HWND newDictionary = KernelDialog(kVantoNewDictionaryTitle);
  ASSERT_NE(newDictionary, nullptr);
  EXPECT_EQ(test::WindowText(::GetDlgItem(newDictionary, IDC_VANTO_DIRECTION)), kEnglishGerman);
  SetText(::GetDlgItem(newDictionary, IDC_VANTO_NAME), L"Demo words");
  test::PressButton(newDictionary, IDOK);

  // The new dictionary is listed, chosen, and the word goes into it.
  HWND addWord = KernelDialog(kVantoAddWordTitle);
  ASSERT_NE(addWord, nullptr);
  EXPECT_EQ(ComboEntries(Control(kDictionaryList)), std::vector<std::wstring>{L"Demo words"});
  EXPECT_EQ(TextOf(::GetDlgItem(addWord, IDC_VANTO_WORD)), L"glorpish");
  EXPECT_EQ(TextOf(::GetDlgItem(addWord, IDC_VANTO_DICTIONARY)), L"Demo words");
  // The remembered entry read as a number: 0.
  EXPECT_EQ(::SendDlgItemMessageW(addWord, IDC_VANTO_ENTRY_KIND, CB_GETCURSEL, 0, 0), 0);
  SetText(::GetDlgItem(addWord, IDC_VANTO_TRANSLATION), L"prächtig");
  ::SendDlgItemMessageW(addWord, IDC_VANTO_ENTRY_KIND, CB_SETCURSEL, 3, 0);
  test::PressButton(addWord, IDOK);
  ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(addWord); }, 5s));

  EXPECT_EQ(kernel.Translate(kEnglishGerman, kSentence), L"Mein Haus ist prächtig.");
  ::Sleep(300);
  std::wcout << L"screenshot: " << test::SaveScreenshot(L"dictionary-panel").wstring() << L"\n";

  // The entry the dialog ended with is where it starts next time.
  test::Click(Control(kAdd));
  addWord = KernelDialog(kVantoAddWordTitle);
  ASSERT_NE(addWord, nullptr);
  EXPECT_EQ(::SendDlgItemMessageW(addWord, IDC_VANTO_ENTRY_KIND, CB_GETCURSEL, 0, 0), 3);
  test::PressButton(addWord, IDCANCEL);
  ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(addWord); }, 5s));
  EXPECT_TRUE(deck_.Running());
}

TEST_F(DictionaryMemoryTest, ADatabaseCreatedInTheKernelOpensInTheTmManagerWithItsRecord) {
  // Each start creates a database and opens it: the one just made is the one chosen.
  const struct {
    const wchar_t* server;  // none: the local kernel
    const wchar_t* name;
    std::vector<std::wstring> listed;
    const wchar_t* recordEnd;
  } cases[] = {{nullptr, L"Legal \"EN-DE\"", {L"Legal \"EN-DE\""}, L""},
               {L"SRV1", L"Contracts 2010", {L"Legal \"EN-DE\"", L"Contracts 2010"}, L";S=SRV1"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.server ? "network" : "local");
    if (c.server) WriteString(HKEY_CURRENT_USER, kKernelSwitches, L"NetworkServer", c.server);
    StartDeck();
    OpenTask(kMemoryRow, kMemoryList);
    if (ComboEntries(Control(kMemoryList)).empty()) {
      // Edit without a database asks first; No leaves everything as it was.
      ExpectQuestion(
          kEdit,
          L"No Translation Memory database exists for this translation direction. Create new database?",
          IDNO);
      EXPECT_EQ(ComboEntries(Control(kMemoryList)), std::vector<std::wstring>{});
      EXPECT_EQ(TmManagerStarts(Journal()), std::vector<std::wstring>{});
    }

    test::Click(Control(kCreate));
    HWND newMemory = KernelDialog(kVantoNewMemoryTitle);
    ASSERT_NE(newMemory, nullptr);
    EXPECT_EQ(test::WindowText(::GetDlgItem(newMemory, IDC_VANTO_DIRECTION)), kEnglishGerman);
    SetText(::GetDlgItem(newMemory, IDC_VANTO_NAME), c.name);
    test::PressButton(newMemory, IDOK);
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(newMemory); }, 5s));
    EXPECT_EQ(ComboEntries(Control(kMemoryList)), c.listed);
    if (!c.server) {
      ::Sleep(300);
      std::wcout << L"screenshot: " << test::SaveScreenshot(L"memory-panel").wstring() << L"\n";
    }

    KernelClient kernel;
    ASSERT_TRUE(kernel.Ok());
    const std::wstring record = L"G=" + kernel.MemoryIdentifier(kEnglishGerman, c.name) + c.recordEnd;
    const size_t startsBefore = TmManagerStarts(Journal()).size();
    test::Click(Control(kEdit));
    ASSERT_TRUE(test::WaitUntil([&] { return TmManagerStarts(Journal()).size() > startsBefore; }, 15s));
    EXPECT_EQ(TmManagerStarts(Journal()).back(), record);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunning, L"TMD"), record);  // left for the TM manager

    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(deck_.WaitForExit(10s));
  }
}

TEST_F(DictionaryMemoryTest, AnotherProgramsMessageRefillsTheDatabaseList) {
  StartDeck();
  OpenTask(kMemoryRow, kMemoryList);
  EXPECT_EQ(ComboEntries(Control(kMemoryList)), std::vector<std::wstring>{});

  // A database the TM manager made behind the panel's back (direction 0x0907: English-German), with a
  // name in quotes and longer than a path.
  const std::string name = "\"Contracts\" " + std::string(300, 'x');
  std::filesystem::create_directories(data_.path() / L"Memories");
  test::WriteFile(data_.path() / L"Memories" / L"Contracts.vtm", "name\t" + name + "\ndirection\t2311\n");
  EXPECT_EQ(ComboEntries(Control(kMemoryList)), std::vector<std::wstring>{});

  ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TMDCHANGED"), 0, 0);
  const std::vector<std::wstring> expected{std::wstring(name.begin(), name.end())};
  EXPECT_TRUE(test::WaitUntil([&] { return ComboEntries(Control(kMemoryList)) == expected; }, 10s));
  EXPECT_EQ(ComboEntries(Control(kMemoryList)), expected);
}

TEST_F(DictionaryMemoryTest, WithoutItsTmManagerEditSaysWhy) {
  std::filesystem::create_directories(data_.path() / L"Memories");
  test::WriteFile(data_.path() / L"Memories" / L"Contracts.vtm", "name\tContracts\ndirection\t2311\n");
  const struct {
    const char* what;
    std::wstring tmManager;  // the Apps value
    const wchar_t* text;
  } cases[] = {
      {"no program", L"",
       L"The selected application is not installed. Launch the installer and select the application to be "
       L"installed."},
      {"a missing file", (installation_.Folder() / L"Apps" / L"Missing.exe").wstring(),
       L"There was a problem launching the selected application. The file may be missing or corrupt, or you "
       L"do "
       L"not have sufficient privileges."},
  };
  StartDeck();
  OpenTask(kMemoryRow, kMemoryList);
  ASSERT_EQ(ComboEntries(Control(kMemoryList)), std::vector<std::wstring>{L"Contracts"});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteString(HKEY_LOCAL_MACHINE, kApps, L"TMD", c.tmManager);
    test::Click(Control(kEdit));
    const test::MessageBoxView box = test::WaitForMessageBox(deck_.Id(), 10s);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, c.text);
    test::PressButton(box.window, IDOK);
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(box.window); }, 5s));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunning, L"TMD"), std::nullopt);
  }
  EXPECT_EQ(TmManagerStarts(Journal()), std::vector<std::wstring>{});
  EXPECT_TRUE(deck_.Running());
}

TEST_F(DictionaryMemoryTest, AKernelThatFailsLeavesThePanelsWorking) {
  SetKernelSwitch(L"DictionariesError", 0x80004005);
  SetKernelSwitch(L"MemoriesError", 0x80004005);
  StartDeck();

  // No dictionaries can be read, and none made: the create question leads to nothing more.
  OpenTask(kDictionaryRow, kDictionaryList);
  EXPECT_EQ(ComboEntries(Control(kDictionaryList)), std::vector<std::wstring>{});
  ExpectQuestion(kAdd, L"No user dictionary exists for this translation direction. Create new dictionary?",
                 IDYES);
  ::Sleep(300);
  EXPECT_EQ(test::TopLevelWindows(deck_.Id()), std::vector<HWND>{window_});

  // Without its databases the memory task does not open; it does once the kernel gives them.
  test::Click(FindDescendant(window_, kBack));
  ASSERT_TRUE(test::WaitUntil([&] { return FindVisible(window_, kListOfTab2) != nullptr; }, 5s));
  test::ClickAt(FindVisible(window_, kListOfTab2), {120, kMemoryRow * kRowHeight + kRowHeight / 2});
  const test::MessageBoxView box = test::WaitForMessageBox(deck_.Id(), 10s);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text,
            L"The translation directions cannot be read from the translation kernel. Close the program and "
            L"start it "
            L"again; if the problem persists, reinstall the product.");
  test::PressButton(box.window, IDOK);
  EXPECT_TRUE(test::WaitUntil([&] { return FindVisible(window_, kListOfTab2) != nullptr; }, 5s));
  EXPECT_EQ(Control(kMemoryList), nullptr);

  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKernelSwitches, L"MemoriesError");
  test::ClickAt(FindVisible(window_, kListOfTab2), {120, kMemoryRow * kRowHeight + kRowHeight / 2});
  EXPECT_TRUE(test::WaitUntil([&] { return Control(kMemoryList) != nullptr; }, 10s));
  EXPECT_TRUE(deck_.Running());
}

}  // namespace
