// The recent documents in the translation tab, used as a person uses them: a document handed over is
// there after a restart and goes to its host again as it went; a document that is gone is dimmed and
// offered to be taken off; Delete and the context menu take entries off. Read by a screen reader.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "support/Accessibility.h"
#include "support/Driver.h"
#include "support/RegistrySandbox.h"
#include "support/RemoteControls.h"
#include "support/ScratchDir.h"
#include "support/TestPaths.h"
#include "win/ComScope.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr wchar_t kRecent[] = L"Software\\Korvelsoft\\VNTO9\\Startdeck\\Recent Documents";
constexpr wchar_t kWord[] = L"Microsoft Word 2007/2010";

class RecentListTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRecent);
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
  }
  void TearDown() override {
    EXPECT_TRUE(CloseDeck());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRecent);
    ClearOfficeAddins();
  }

  fs::path Document(const std::wstring& folder, const std::wstring& name) const {
    const fs::path path = documents_.Folder(folder) / name;
    test::WriteFile(path, "PK");
    return path;
  }
  // Entry `number` of the stored list, as a Word hand-off of `document` writes it.
  static void Store(int number, const fs::path& document) {
    const std::wstring key = std::wstring(kRecent) + L"\\" + std::to_wstring(number);
    test::SetString(HKEY_CURRENT_USER, key, L"Document", document.wstring());
    test::SetDword(HKEY_CURRENT_USER, key, L"Task", 11);
    test::SetString(HKEY_CURRENT_USER, key, L"Application", kWord);
    test::SetDword(HKEY_CURRENT_USER, key, L"Direction", 0x0709);
    test::SetString(HKEY_CURRENT_USER, key, L"Profile", L"Business");
    test::SetString(HKEY_CURRENT_USER, key, L"Handed over", L"2026-12-01 09:30:00");
  }
  static std::wstring Stored(int number) {
    return test::GetString(HKEY_CURRENT_USER, std::wstring(kRecent) + L"\\" + std::to_wstring(number),
                           L"Document");
  }

  // Opens the translation tab; its recent documents' list once it shows, else null.
  HWND OpenRecentList() const {
    HWND tasks = test::OpenTab(window_, test::kStartButtonTab1, test::kListOfTab1);
    if (!tasks) return nullptr;
    HWND list = test::FindChild(::GetParent(tasks), IDC_RECENT_DOCUMENTS, L"StartdeckRecentList");
    return test::WaitUntil([&] { return list && ::IsWindowVisible(list); }, 5s) ? list : nullptr;
  }
  // The list's rows as a screen reader reads them.
  static std::vector<test::AccNode> Rows(HWND list) {
    std::vector<test::AccNode> rows;
    for (const test::AccNode& node : test::Walk({test::AccessibleOf(list)}, 1))
      if (node.role == ROLE_SYSTEM_LISTITEM) rows.push_back(node);
    return rows;
  }
  static bool HasRows(HWND list, size_t count) {
    return test::WaitUntil([&] { return Rows(list).size() == count; }, 5s);
  }

  win::ComApartment com_;  // the screen reader's calls
  test::ScratchDir documents_;
};

TEST_F(RecentListTest, ADocumentHandedOverIsThereAfterARestartAndGoesToWordAgainWithTheSameRecord) {
  const fs::path report = Document(L"Отчёты 2009", L"Annual report; final.docx");
  StartDeck();
  OpenTask(test::kStartButtonTab1, test::kListOfTab1, 1);
  HWND panel = ShownPanel();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(ChooseDocumentAndApplication(panel, report.wstring(), kWord));
  ASSERT_TRUE(test::ChooseEntry(test::FindChild(panel, IDC_PANEL_DIRECTIONS, L"StartdeckComboBox"),
                                L"German-English"));
  ASSERT_TRUE(
      test::ChooseEntry(test::FindChild(panel, IDC_PANEL_PROFILES, L"StartdeckComboBox"), L"Business"));
  test::Click(test::FindChild(panel, IDC_PANEL_ACTION, L"StartdeckMenuButton"));
  const std::vector<test::JournalLine> first = Starts(L"winword.exe");
  ASSERT_EQ(first.size(), 1u);

  ASSERT_TRUE(CloseDeck());
  StartDeck();
  HWND list = OpenRecentList();
  ASSERT_NE(list, nullptr);
  const std::vector<test::AccNode> rows = Rows(list);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, L"Annual report; final.docx");
  EXPECT_TRUE(rows[0].description.starts_with(report.parent_path().wstring() + L"\n" + kWord + L", "))
      << ::testing::PrintToString(rows[0].description);
  EXPECT_EQ(rows[0].state & STATE_SYSTEM_UNAVAILABLE, 0);
  test::Screenshot(L"recent-documents");

  // A click on its name hands it over at once, to the same Word, direction and profile.
  const int scale = test::ListRowHeight();
  test::ClickAt(list, {scale * 40 / test::kListRowHeight, scale * 34 / test::kListRowHeight});
  const std::vector<test::JournalLine> again = Starts(L"winword.exe", 1);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again[1].record, first[0].record);
  EXPECT_EQ(again[1].commandLine, first[0].commandLine);
  EXPECT_TRUE(NoMessage());
}

TEST_F(RecentListTest, AGoneDocumentIsDimmedAndOfferedToBeTakenOffAndDeleteAndTheMenuTakeEntriesOff) {
  const fs::path gone = documents_.Folder(L"Old") / L"Moved away.docx";
  const fs::path minutes = Document(L"Minutes", L"Minutes.docx");
  const fs::path letter = Document(L"Letters", L"Letter.doc");
  Store(1, gone);
  Store(2, minutes);
  Store(3, letter);
  StartDeck();
  HWND list = OpenRecentList();
  ASSERT_NE(list, nullptr);
  std::vector<test::AccNode> rows = Rows(list);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_NE(rows[0].state & STATE_SYSTEM_UNAVAILABLE, 0);
  EXPECT_TRUE(rows[0].description.ends_with(L"\nThe document is no longer there.")) << rows[0].description;
  EXPECT_EQ(rows[1].state & STATE_SYSTEM_UNAVAILABLE, 0);

  // Chosen, the gone one says so and goes when the user agrees; nothing starts.
  ASSERT_EQ(test::DoDefaultAction(rows[0].element), S_OK);
  EXPECT_EQ(AnswerMessage(IDYES, L"recent-gone"),
            L"The document \"" + gone.wstring() +
                L"\" is no longer there.\n\nRemove it from the recent documents?");
  ASSERT_TRUE(HasRows(list, 2));
  EXPECT_EQ(Stored(1), minutes.wstring());
  EXPECT_TRUE(Starts(L"winword.exe", 0, 1s).empty());

  // Delete takes the keyboard's row off.
  Activate();
  rows = Rows(list);
  ASSERT_EQ(test::Select(rows[0].element, SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION), S_OK);
  test::PressKey(VK_DELETE);
  ASSERT_TRUE(HasRows(list, 1));
  EXPECT_EQ(Stored(1), letter.wstring());

  // The context menu, from the keyboard, clears the list: it hides, and the focus stays in the window.
  ::PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
  ASSERT_NE(test::WaitForWindow(deck_.Id(), L"", L"#32768", 5s), nullptr);
  test::PressKey('C');
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(list); }, 5s));
  EXPECT_EQ(Stored(1), L"");
  EXPECT_TRUE(::IsChild(window_, test::FocusIn(window_)));
}

}  // namespace
