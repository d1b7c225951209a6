// The drop-down lists of the task panels in the real window, driven with the keyboard as a person
// does: the list opens on the current entry, the arrows move from there, Enter takes the highlighted
// entry and Escape keeps the current one, and neither closes the window or presses a panel button.
// A list with nothing to choose (no user dictionary yet) does not open.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "support/ScratchDir.h"

namespace {

using namespace std::chrono_literals;

// Rows of the setup tab's list.
constexpr int kDropDictionaryRow = 1;
constexpr int kDropMemoryRow = 2;

class DropDownTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    // A kernel data folder of the test's own: no user dictionary, no database yet.
    switches_.Set(L"DataFolder", data_.path().wstring());
    for (const wchar_t* section : {L"\\20", L"\\23"})
      ::RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(test::kSettingsKeyPath) + section).c_str());
  }

  void OpenSetupTask(int row, int shownId) {
    StartDeck();
    Activate();
    OpenTask(test::kStartButtonTab2, test::kListOfTab2, row);
    ASSERT_NE(WaitForControl(shownId), nullptr);
  }

  // The popup of `combo` as it is (open or not).
  static HWND PopupOf(HWND combo) {
    HWND list = test::ComboPopupList(combo);
    return list ? ::GetParent(list) : nullptr;
  }
  static int Highlighted(HWND list) {
    return static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  // Drops `combo` down and waits until its list has the keyboard; the list, or null.
  static HWND OpenForKeys(HWND combo) {
    // The pointer rests on the box, as after a click on it: the list shows below it, where the mouse
    // does not move the highlight.
    RECT box{};
    ::GetWindowRect(combo, &box);
    ::SetCursorPos((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    HWND list = test::DropDown(combo);
    if (!list) return nullptr;
    const bool ready = test::WaitUntil(
        [&] { return ::IsWindowVisible(::GetParent(list)) && ::GetForegroundWindow() == ::GetParent(list); },
        5s);
    return ready ? list : nullptr;
  }
  static bool Closes(HWND list) {
    return test::WaitUntil([&] { return !::IsWindowVisible(::GetParent(list)); }, 5s);
  }

  test::ScratchDir data_;
};

TEST_F(DropDownTest, KeysChooseInTheOpenListAndNeitherEnterNorEscapeReachesThePanel) {
  ASSERT_NO_FATAL_FAILURE(OpenSetupTask(kDropMemoryRow, IDC_PANEL_DIRECTIONS));
  HWND combo = Control(IDC_PANEL_DIRECTIONS);
  const std::vector<std::wstring> entries = test::ComboEntries(combo);
  ASSERT_GE(entries.size(), 3u) << ::testing::PrintToString(entries);
  ASSERT_TRUE(test::ChooseEntry(combo, 1));
  EXPECT_TRUE(test::WaitUntil([&] { return test::ControlText(combo) == entries[1]; }, 5s));

  const struct {
    const char* what;
    std::vector<WORD> keys;
    size_t shown;  // the entry the box shows afterwards
  } cases[] = {
      {"Down, Enter: the next entry", {VK_DOWN, VK_RETURN}, 2},
      {"Up, Escape: the list closes, the entry stays", {VK_UP, VK_ESCAPE}, 2},
      {"Up, Up, Enter: two entries back", {VK_UP, VK_UP, VK_RETURN}, 0},
      {"Enter at once: the current entry", {VK_RETURN}, 0},
  };
  size_t current = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HWND list = OpenForKeys(combo);
    ASSERT_NE(list, nullptr) << "the list did not open with the keyboard";
    // Marked as it opens: the first arrow moves from the current entry.
    EXPECT_EQ(Highlighted(list), static_cast<int>(current));
    for (WORD key : c.keys) test::PressKey(key);
    EXPECT_TRUE(Closes(list));
    EXPECT_TRUE(test::WaitUntil([&] { return test::ControlText(combo) == entries[c.shown]; }, 5s))
        << ::testing::PrintToString(test::ControlText(combo));
    current = c.shown;
    // The window and its panel are still there; no panel button was pressed: Edit would have asked
    // to create a database, or started the TM manager.
    EXPECT_TRUE(NoMessage());
    EXPECT_TRUE(deck_.Running());
    EXPECT_TRUE(::IsWindowVisible(window_));
    EXPECT_TRUE(::IsWindowVisible(combo));
  }
  EXPECT_TRUE(Starts(L"TMD.exe", 0, 0ms).empty());
  test::Screenshot(L"drop-down-after-keys");
}

TEST_F(DropDownTest, AnEmptyListDoesNotOpen) {
  ASSERT_NO_FATAL_FAILURE(OpenSetupTask(kDropDictionaryRow, IDC_PANEL_DICTIONARIES));
  HWND dictionaries = Control(IDC_PANEL_DICTIONARIES);
  HWND directions = Control(IDC_PANEL_DIRECTIONS);
  ASSERT_TRUE(test::ComboEntries(dictionaries).empty()) << "a user dictionary is there already";
  HWND emptyPopup = PopupOf(dictionaries);
  ASSERT_NE(emptyPopup, nullptr);
  for (int attempt = 0; attempt < 2; ++attempt) {
    test::Click(dictionaries);
    // As NoMessage waits for a box: a list that opens does so at once.
    EXPECT_FALSE(test::WaitUntil([&] { return ::IsWindowVisible(emptyPopup) != FALSE; }, 1s));
  }
  // The box beside it still opens and closes as before.
  HWND list = OpenForKeys(directions);
  ASSERT_NE(list, nullptr);
  test::PressKey(VK_ESCAPE);
  EXPECT_TRUE(Closes(list));
  EXPECT_TRUE(NoMessage());
  EXPECT_TRUE(deck_.Running());
}

}  // namespace
