// The user-dictionary and translation-memory tasks in the real window, on the real kernel with a data
// folder of the test's own: a word added through the kernel's add-word dialog changes the kernel's
// next translation, and quick translation's in the same window; a database created through the
// kernel's dialog opens in the TM manager with its record; another program's "TMDCHANGED" refills
// the list; a missing TM manager is explained.
#include <gtest/gtest.h>

#include <windows.h>

#include <wrl/client.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "core/Bstr.h"
#include "support/RegistrySandbox.h"
#include "support/ScratchDir.h"
#include "vanto/Kernel.h"
#include "vanto/KernelDialogs.h"
#include "win/ComScope.h"

namespace {

using namespace std::chrono_literals;
using Microsoft::WRL::ComPtr;
using test::ComboEntries;
using test::ControlText;
using test::SetControlText;

constexpr wchar_t kEnglishGerman[] = L"English-German";
// Rows of the setup tab's list.
constexpr int kDictionaryRow = 1;
constexpr int kMemoryRow = 2;

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

class DictionaryMemoryTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    ASSERT_TRUE(apartment_.ok());
    switches_.Set(L"DataFolder", data_.path().wstring());
    bool found = false;
    const std::wstring tmManager = test::GetString(HKEY_LOCAL_MACHINE, test::kAppsKeyPath, L"TMD", &found);
    if (found) tmManager_ = tmManager;
    // What earlier runs remembered for the tasks: quick translation, dictionaries, memories.
    for (const wchar_t* section : {L"\\9", L"\\20", L"\\23"})
      ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(test::kSettingsKeyPath) + section).c_str());
  }
  void TearDown() override {
    CloseDeck();
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, test::kRunningKeyPath, L"TMD");
    if (tmManager_) test::SetString(HKEY_LOCAL_MACHINE, test::kAppsKeyPath, L"TMD", *tmManager_);
  }

  // Opens "Translation Setup" with its start-page button and chooses `row` of its list; waits for
  // the panel's control `shownId`.
  void OpenSetupTask(int row, int shownId) {
    OpenTask(test::kStartButtonTab2, test::kListOfTab2, row);
    ASSERT_NE(WaitForControl(shownId), nullptr);
  }
  [[nodiscard]] HWND KernelDialog(const wchar_t* title) const {
    return test::WaitForWindow(deck_.Id(), title, L"#32770", 10s);
  }
  // The question that a click on `button` asks, answered with `answer`.
  std::wstring Question(int button, int answer) {
    test::Click(Control(button));
    return AnswerMessage(answer);
  }
  // The Running records that the TM manager stand-in read at its starts; waiting (up to `timeout`)
  // until there are more than `seen`.
  [[nodiscard]] std::vector<std::wstring> TmManagerRecords(size_t seen = 0,
                                                           std::chrono::milliseconds timeout = 0ms) const {
    std::vector<std::wstring> records;
    for (const test::JournalLine& start : Starts(L"TMD.exe", seen, timeout)) records.push_back(start.record);
    return records;
  }

  win::ComApartment apartment_;
  test::ScratchDir data_;
  std::optional<std::wstring> tmManager_;
};

TEST_F(DictionaryMemoryTest, AWordAddedThroughTheKernelsDialogChangesTheNextTranslation) {
  KernelClient kernel;
  ASSERT_TRUE(kernel.Ok());
  constexpr wchar_t kSentence[] = L"My house is glorpish.";
  ASSERT_EQ(kernel.Translate(kEnglishGerman, kSentence), L"Mein Haus ist glorpish.");

  // A remembered dialog entry that is no number.
  test::SetString(HKEY_CURRENT_USER, std::wstring(test::kSettingsKeyPath) + L"\\20", L"DlgEntryName",
                  L"noun");
  StartDeck();
  OpenSetupTask(kDictionaryRow, IDC_PANEL_DICTIONARIES);
  // Only the direction's general dictionary so far, which is no user dictionary.
  EXPECT_EQ(ComboEntries(Control(IDC_PANEL_DICTIONARIES)), std::vector<std::wstring>{});
  EXPECT_EQ(ComboEntries(Control(IDC_PANEL_DIRECTIONS)).at(0), kEnglishGerman);
  SetControlText(Control(IDC_PANEL_WORD), L"glorpish");

  const std::wstring question =
      L"No user dictionary exists for this translation direction. Create new dictionary?";
  ASSERT_EQ(Question(IDC_PANEL_ADD_WORD, IDNO), question);
  EXPECT_FALSE(std::filesystem::exists(data_.path() / L"Dictionaries") &&
               !std::filesystem::is_empty(data_.path() / L"Dictionaries"));
  EXPECT_EQ(ComboEntries(Control(IDC_PANEL_DICTIONARIES)), std::vector<std::wstring>{});

  ASSERT_EQ(Question(IDC_PANEL_ADD_WORD, IDYES), question);
  HWND newDictionary = KernelDialog(kVantoNewDictionaryTitle);
  ASSERT_NE(newDictionary, nullptr);
  EXPECT_EQ(test::WindowText(::GetDlgItem(newDictionary, IDC_VANTO_DIRECTION)), kEnglishGerman);
  SetControlText(::GetDlgItem(newDictionary, IDC_VANTO_NAME), L"Demo words");
  test::PressButton(newDictionary, IDOK);

  // The new dictionary is listed, chosen, and the word goes into it.
  HWND addWord = KernelDialog(kVantoAddWordTitle);
  ASSERT_NE(addWord, nullptr);
  EXPECT_EQ(ComboEntries(Control(IDC_PANEL_DICTIONARIES)), std::vector<std::wstring>{L"Demo words"});
  EXPECT_EQ(ControlText(::GetDlgItem(addWord, IDC_VANTO_WORD)), L"glorpish");
  EXPECT_EQ(ControlText(::GetDlgItem(addWord, IDC_VANTO_DICTIONARY)), L"Demo words");
  // The remembered entry read as a number: 0.
  EXPECT_EQ(::SendDlgItemMessageW(addWord, IDC_VANTO_ENTRY_KIND, CB_GETCURSEL, 0, 0), 0);
  SetControlText(::GetDlgItem(addWord, IDC_VANTO_TRANSLATION), L"prächtig");
  ::SendDlgItemMessageW(addWord, IDC_VANTO_ENTRY_KIND, CB_SETCURSEL, 3, 0);
  test::PressButton(addWord, IDOK);
  ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(addWord); }, 5s));

  // The kernel stores the word once its dialog has closed.
  std::wstring translated;
  (void)test::WaitUntil(
      [&] {
        return (translated = kernel.Translate(kEnglishGerman, kSentence)) == L"Mein Haus ist prächtig.";
      },
      5s);
  EXPECT_EQ(translated, L"Mein Haus ist prächtig.");
  test::Screenshot(L"dictionary-panel", 300ms);

  // The entry the dialog ended with is where it starts next time.
  test::Click(Control(IDC_PANEL_ADD_WORD));
  addWord = KernelDialog(kVantoAddWordTitle);
  ASSERT_NE(addWord, nullptr);
  EXPECT_EQ(::SendDlgItemMessageW(addWord, IDC_VANTO_ENTRY_KIND, CB_GETCURSEL, 0, 0), 3);
  test::PressButton(addWord, IDCANCEL);
  ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(addWord); }, 5s));
  EXPECT_TRUE(deck_.Running());
}

TEST_F(DictionaryMemoryTest, AWordAddedInTheDictionaryPanelIsTranslatedInQuickTranslation) {
  constexpr wchar_t kSentence[] = L"The cat is zindly.";
  StartDeck();
  Activate();
  // Before: quick translation leaves the word as it is.
  OpenTask(test::kStartButtonTab1, test::kListOfTab1, 0);
  ASSERT_NE(WaitForControl(IDC_QUICK_SOURCE), nullptr);
  ASSERT_TRUE(QuickTranslates(kSentence, L"Die Katze ist zindly."));

  // The word and its translation, through the dictionary panel and the kernel's dialogs.
  OpenTask(test::kRibbonTab2, test::kListOfTab2, kDictionaryRow);
  HWND word = WaitForControl(IDC_PANEL_WORD);
  ASSERT_NE(word, nullptr);
  ASSERT_TRUE(test::ClickToFocus(word));
  ASSERT_TRUE(test::TypeKeysInto(word, L"zindly")) << testing::PrintToString(ControlText(word));
  ASSERT_EQ(Question(IDC_PANEL_ADD_WORD, IDYES),
            L"No user dictionary exists for this translation direction. Create new dictionary?");
  HWND newDictionary = KernelDialog(kVantoNewDictionaryTitle);
  ASSERT_NE(newDictionary, nullptr);
  ASSERT_TRUE(test::PostCharacters(::GetDlgItem(newDictionary, IDC_VANTO_NAME), L"My words"));
  test::PressButton(newDictionary, IDOK);
  HWND addWord = KernelDialog(kVantoAddWordTitle);
  ASSERT_NE(addWord, nullptr);
  EXPECT_EQ(ControlText(::GetDlgItem(addWord, IDC_VANTO_WORD)), L"zindly");
  EXPECT_EQ(ControlText(::GetDlgItem(addWord, IDC_VANTO_DICTIONARY)), L"My words");
  ASSERT_TRUE(test::PostCharacters(::GetDlgItem(addWord, IDC_VANTO_TRANSLATION), L"flauschig"));
  test::PressButton(addWord, IDOK);
  ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(addWord); }, 5s));

  // After: back in quick translation through the ribbon, the same sentence takes the new word.
  OpenTask(test::kRibbonTab1, test::kListOfTab1, 0);
  ASSERT_NE(WaitForControl(IDC_QUICK_SOURCE), nullptr);
  Activate();
  ASSERT_TRUE(QuickTranslates(kSentence, L"Die Katze ist flauschig."));
  test::Screenshot(L"quick-translation-user-word");
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
    if (c.server) switches_.Set(L"NetworkServer", c.server);
    StartDeck();
    OpenSetupTask(kMemoryRow, IDC_PANEL_MEMORIES);
    if (ComboEntries(Control(IDC_PANEL_MEMORIES)).empty()) {
      // Edit without a database asks first; No leaves everything as it was.
      ASSERT_EQ(
          Question(IDC_PANEL_EDIT_MEMORY, IDNO),
          L"No Translation Memory database exists for this translation direction. Create new database?");
      EXPECT_EQ(ComboEntries(Control(IDC_PANEL_MEMORIES)), std::vector<std::wstring>{});
      EXPECT_EQ(TmManagerRecords(), std::vector<std::wstring>{});
    }

    test::Click(Control(IDC_PANEL_CREATE_MEMORY));
    HWND newMemory = KernelDialog(kVantoNewMemoryTitle);
    ASSERT_NE(newMemory, nullptr);
    EXPECT_EQ(test::WindowText(::GetDlgItem(newMemory, IDC_VANTO_DIRECTION)), kEnglishGerman);
    SetControlText(::GetDlgItem(newMemory, IDC_VANTO_NAME), c.name);
    test::PressButton(newMemory, IDOK);
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(newMemory); }, 5s));
    EXPECT_EQ(ComboEntries(Control(IDC_PANEL_MEMORIES)), c.listed);
    if (!c.server) {
      test::Screenshot(L"memory-panel", 300ms);
    }

    KernelClient kernel;
    ASSERT_TRUE(kernel.Ok());
    const std::wstring record = L"G=" + kernel.MemoryIdentifier(kEnglishGerman, c.name) + c.recordEnd;
    const size_t startsBefore = TmManagerRecords().size();
    test::Click(Control(IDC_PANEL_EDIT_MEMORY));
    const std::vector<std::wstring> records = TmManagerRecords(startsBefore, 15s);
    ASSERT_GT(records.size(), startsBefore);
    EXPECT_EQ(records.back(), record);
    EXPECT_EQ(test::RunningRecord(L"TMD"), record);  // left for the TM manager

    ASSERT_TRUE(CloseDeck());
  }
}

TEST_F(DictionaryMemoryTest, AnotherProgramsMessageRefillsTheDatabaseList) {
  StartDeck();
  OpenSetupTask(kMemoryRow, IDC_PANEL_MEMORIES);
  EXPECT_EQ(ComboEntries(Control(IDC_PANEL_MEMORIES)), std::vector<std::wstring>{});

  // A database the TM manager made behind the panel's back (direction 0x0907: English-German), with a
  // name in quotes and longer than a path.
  const std::string name = "\"Contracts\" " + std::string(300, 'x');
  std::filesystem::create_directories(data_.path() / L"Memories");
  test::WriteFile(data_.path() / L"Memories" / L"Contracts.vtm", "name\t" + name + "\ndirection\t2311\n");
  EXPECT_EQ(ComboEntries(Control(IDC_PANEL_MEMORIES)), std::vector<std::wstring>{});

  ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TMDCHANGED"), 0, 0);
  const std::vector<std::wstring> expected{std::wstring(name.begin(), name.end())};
  EXPECT_TRUE(test::WaitUntil([&] { return ComboEntries(Control(IDC_PANEL_MEMORIES)) == expected; }, 10s));
  EXPECT_EQ(ComboEntries(Control(IDC_PANEL_MEMORIES)), expected);
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
      // Every error of the shell counts, not only a missing file.
      {"its folder gone", (installation_.Folder() / L"Gone" / L"TMD.exe").wstring(),
       L"There was a problem launching the selected application. The file may be missing or corrupt, or you "
       L"do not have sufficient privileges."},
      {"a damaged program", (data_.path() / L"TMD.exe").wstring(),
       L"There was a problem launching the selected application. The file may be missing or corrupt, or you "
       L"do not have sufficient privileges."},
  };
  test::WriteFile(data_.path() / L"TMD.exe", "MZ, and nothing of a program after it");
  StartDeck();
  OpenSetupTask(kMemoryRow, IDC_PANEL_MEMORIES);
  ASSERT_EQ(ComboEntries(Control(IDC_PANEL_MEMORIES)), std::vector<std::wstring>{L"Contracts"});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::SetString(HKEY_LOCAL_MACHINE, test::kAppsKeyPath, L"TMD", c.tmManager);
    ASSERT_EQ(Question(IDC_PANEL_EDIT_MEMORY, IDOK), c.text);
    EXPECT_EQ(test::RunningRecord(L"TMD"), std::nullopt);
  }
  // Without the installation's records there is no manager to find, and the person is told so (it
  // once did nothing at all).
  ASSERT_EQ(::RegDeleteTreeW(HKEY_LOCAL_MACHINE, test::kAppsKeyPath), ERROR_SUCCESS);
  EXPECT_EQ(Question(IDC_PANEL_EDIT_MEMORY, IDOK), L"Registry information is damaged.");
  EXPECT_EQ(TmManagerRecords(), std::vector<std::wstring>{});
  EXPECT_TRUE(deck_.Running());
}

TEST_F(DictionaryMemoryTest, AKernelThatFailsLeavesThePanelsWorking) {
  switches_.Set(L"DictionariesError", 0x80004005);
  switches_.Set(L"MemoriesError", 0x80004005);
  StartDeck();

  // No dictionaries can be read, and none made: the create question leads to nothing more.
  OpenSetupTask(kDictionaryRow, IDC_PANEL_DICTIONARIES);
  EXPECT_EQ(ComboEntries(Control(IDC_PANEL_DICTIONARIES)), std::vector<std::wstring>{});
  ASSERT_EQ(Question(IDC_PANEL_ADD_WORD, IDYES),
            L"No user dictionary exists for this translation direction. Create new dictionary?");
  ::Sleep(300);
  EXPECT_EQ(test::TopLevelWindows(deck_.Id()), std::vector<HWND>{window_});

  // Without its databases the memory task does not open; it does once the kernel gives them.
  test::Click(test::FindDescendant(window_, IDC_BACK));
  ASSERT_NE(WaitForControl(test::kListOfTab2, 5s), nullptr);
  test::ClickListRow(Control(test::kListOfTab2), kMemoryRow);
  ASSERT_EQ(AnswerMessage(IDOK), test::kDirectionsUnreadable);
  EXPECT_NE(WaitForControl(test::kListOfTab2, 5s), nullptr);
  EXPECT_EQ(Control(IDC_PANEL_MEMORIES), nullptr);

  switches_.Remove(L"MemoriesError");
  test::ClickListRow(Control(test::kListOfTab2), kMemoryRow);
  EXPECT_NE(WaitForControl(IDC_PANEL_MEMORIES), nullptr);
  EXPECT_TRUE(deck_.Running());
}

}  // namespace
