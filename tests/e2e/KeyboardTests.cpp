// The main window used with the keyboard alone: every step below is a key pressed with the window in
// front, as the system delivers it to the control that has the focus; no mouse message is sent. Tab
// walks the controls of the view on show in reading order and goes round, Ctrl+Tab the ribbon's tabs,
// Escape leaves a task panel as Back does, F1 opens help; the focus cue and the access keys show from
// the first navigation key on.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "support/ScratchDir.h"
#include "support/ScreenPixels.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::FindDescendant;

// A control as the tests name it: its ID and window class (panels reuse IDs).
std::wstring NameOf(HWND window) {
  if (window == nullptr) return L"<none>";
  wchar_t name[64] = L"";
  ::GetClassNameW(window, name, 64);
  return std::wstring(name) + L" " + std::to_wstring(::GetDlgCtrlID(window));
}

constexpr wchar_t kButton[] = L"StartdeckMenuButton ";
constexpr wchar_t kCheckbox[] = L"StartdeckCheckbox ";
constexpr wchar_t kRibbon[] = L"StartdeckMenuRibbon ";
constexpr wchar_t kList[] = L"StartdeckCustomList ";

std::wstring Named(const wchar_t* className, int id) {
  return className + std::to_wstring(id);
}

// The client area of `window` once two looks in a row agree (the window has finished painting).
test::Pixels Settled(HWND window) {
  test::Pixels now = test::Grab(window);
  test::Pixels last;
  test::WaitUntil(
      [&] {
        last = now;
        ::Sleep(150);
        now = test::Grab(window);
        return now == last;
      },
      5s);
  return now;
}

// How many dots of the focus cue `pixels` (of the main window's client area) show inside `control`:
// a black pixel beside a white one, as the cue's two-colour dots are; the skin has none.
size_t CueDots(const test::Pixels& pixels, HWND control) {
  RECT box{};
  ::GetWindowRect(control, &box);
  ::MapWindowPoints(nullptr, ::GetAncestor(control, GA_ROOT), reinterpret_cast<POINT*>(&box), 2);
  size_t dots = 0;
  for (long y = std::max(0L, box.top); y < std::min<long>(pixels.height, box.bottom); ++y)
    for (long x = std::max(0L, box.left); x + 1 < std::min<long>(pixels.width, box.right); ++x) {
      const COLORREF one = pixels.At(x, y), other = pixels.At(x + 1, y);
      dots += (one == RGB(0, 0, 0) && other == RGB(255, 255, 255)) ||
                      (one == RGB(255, 255, 255) && other == RGB(0, 0, 0))
                  ? 1
                  : 0;
    }
  return dots;
}

class KeyboardTest : public test::DeckTest {
 protected:
  void SetUp() override {
    ClearUserRecords();
    // The pointer away from the window: a list takes the focus when the pointer moves onto its rows.
    ::SetCursorPos(0, 0);
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    StartDeck();
    ASSERT_NE(window_, nullptr);
    ASSERT_NO_FATAL_FAILURE(Activate());
  }
  void TearDown() override {
    EXPECT_TRUE(CloseDeck());
    ClearUserRecords();
  }

  [[nodiscard]] HWND Focus() const { return test::FocusIn(window_); }
  [[nodiscard]] bool Shows(int id) const { return Control(id) != nullptr; }

  // Presses `key` (with `modifiers`) and waits until the focus has left the control that had it.
  HWND Move(WORD key, std::initializer_list<WORD> modifiers = {}) const {
    const HWND before = Focus();
    test::PressKey(key, modifiers);
    HWND after = nullptr;
    test::WaitUntil([&] { return (after = Focus()) != before; }, 3s);
    return after;
  }
  // The controls `count` presses of Tab (Shift+Tab `backwards`) put the focus on, in turn.
  std::vector<std::wstring> Walk(size_t count, bool backwards = false) const {
    std::vector<std::wstring> seen;
    for (size_t i = 0; i < count; ++i)
      seen.push_back(NameOf(backwards ? Move(VK_TAB, {VK_SHIFT}) : Move(VK_TAB)));
    return seen;
  }
  // Tab until the focus is on the control named `name`; false when a round of `limit` keys did not
  // get there.
  bool TabTo(const std::wstring& name, size_t limit = 16) const {
    std::vector<std::wstring> seen{NameOf(Focus())};
    for (size_t i = 0; i < limit; ++i) {
      seen.push_back(NameOf(Move(VK_TAB)));
      if (seen.back() == name) return true;
    }
    ADD_FAILURE() << "Tab went " << ::testing::PrintToString(seen);
    return false;
  }
  // Ctrl+Tab from the start page: the first tab that can be opened, tab 1 with its list.
  HWND OpenFirstTab() const {
    test::PressKey(VK_TAB, {VK_CONTROL});
    return WaitForControl(test::kListOfTab1, 5s);
  }
  // From the start page to the task of row `row` of tab 1's list: Ctrl+Tab, Tab to the list, Home,
  // Down to the row, Enter; the panel that opens.
  HWND OpenTaskByKeys(int row) const {
    // The window finishes what it does after its first paint (the pages it makes then may take the
    // focus while they are made).
    (void)Settled(window_);
    if (!OpenFirstTab()) {
      ADD_FAILURE() << "Ctrl+Tab opened no tab";
      return nullptr;
    }
    if (!TabTo(Named(kList, test::kListOfTab1))) {
      ADD_FAILURE() << "Tab did not reach the list";
      return nullptr;
    }
    test::PressKey(VK_HOME);
    for (int i = 0; i < row; ++i) test::PressKey(VK_DOWN);
    test::PressKey(VK_RETURN);
    const HWND panel = ShownPanel(15s);  // a panel is made when its task first opens
    if (!panel) ADD_FAILURE() << "no panel; the focus is on " << ::testing::PrintToString(NameOf(Focus()));
    return panel;
  }
};

TEST_F(KeyboardTest, TheFocusCueShowsFromTheFirstNavigationKeyOn) {
  // The window starts with the keyboard on the page's first button and no cue on it; the first Tab,
  // arrow or Alt shows the cue on the control that has the focus then.
  const struct {
    const char* name;
    WORD key;
  } cases[] = {{"Tab", VK_TAB}, {"an arrow", VK_RIGHT}, {"Alt", VK_MENU}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.key != cases[0].key) {
      ASSERT_TRUE(CloseDeck());
      StartDeck();
    }
    // The keys go to the window in front, which a window of an earlier case may have left elsewhere.
    ASSERT_NO_FATAL_FAILURE(Activate());
    ASSERT_TRUE(
        test::WaitUntil([&] { return NameOf(Focus()) == Named(kButton, test::kStartButtonTab1); }, 5s))
        << NameOf(Focus());
    const test::Pixels before = Settled(window_);
    test::PressKey(c.key);
    // Tab and the page's arrows move the focus on: the cue is looked for where it is then.
    const test::Pixels after = Settled(window_);
    const HWND focus = Focus();
    EXPECT_EQ(CueDots(before, focus), 0u) << NameOf(focus) << " before the key";
    EXPECT_GT(CueDots(after, focus), 20u) << NameOf(focus) << " after the key";
    test::Screenshot(L"keyboard-focus-cue-" + std::to_wstring(c.key));
    // Alt alone also opened the menu mode; Escape leaves it.
    if (c.key == VK_MENU) test::PressKey(VK_ESCAPE, {}, 200ms);
  }
}

TEST_F(KeyboardTest, TabWalksTheStartPageInReadingOrderAndGoesRound) {
  // The seven buttons of the page row by row, then the bottom row from the left: Help, the "show all
  // features" box, About, Exit.
  const std::vector<std::wstring> order = {Named(kButton, test::kStartButtonTab1),
                                           Named(kButton, test::kStartButtonTab2),
                                           Named(kButton, test::kStartButtonTab6),
                                           Named(kButton, test::kStartButtonTab3),
                                           Named(kButton, test::kStartButtonTab7),
                                           Named(kButton, test::kStartButtonTab4),
                                           Named(kButton, test::kStartButtonTab5),
                                           Named(kButton, IDC_HELP_BUTTON),
                                           Named(kCheckbox, IDC_SHOW_ALL_FEATURES),
                                           Named(kButton, IDC_ABOUT),
                                           Named(kButton, IDC_EXIT)};
  ASSERT_TRUE(test::WaitUntil([&] { return NameOf(Focus()) == order.front(); }, 5s)) << NameOf(Focus());
  std::vector<std::wstring> round(order.begin() + 1, order.end());
  round.push_back(order.front());
  EXPECT_EQ(Walk(round.size()), round);
  // Backwards from the first: round to the last, and so on.
  const std::vector<std::wstring> back(order.rbegin(), order.rend());
  EXPECT_EQ(Walk(back.size(), true), back);
  EXPECT_TRUE(deck_.Running());
}

TEST_F(KeyboardTest, TabWalksATabsRibbonListAndBottomRow) {
  ASSERT_NE(OpenFirstTab(), nullptr);
  const std::vector<std::wstring> order = {Named(kRibbon, IDC_RIBBON), Named(kList, test::kListOfTab1),
                                           Named(kButton, IDC_HELP_BUTTON), Named(kButton, IDC_HOME),
                                           Named(kButton, IDC_EXIT)};
  // The walk starts wherever the tab left the focus: one round finds every control once.
  std::vector<std::wstring> seen = Walk(order.size());
  const auto start = std::find(seen.begin(), seen.end(), order.front());
  ASSERT_NE(start, seen.end()) << ::testing::PrintToString(seen);
  std::rotate(seen.begin(), start, seen.end());
  EXPECT_EQ(seen, order);
}

TEST_F(KeyboardTest, CtrlTabOpensTheFirstTabAndCyclesTheRibbonBothWays) {
  ASSERT_NE(OpenFirstTab(), nullptr);
  test::PressKey(VK_TAB, {VK_CONTROL});
  EXPECT_NE(WaitForControl(test::kListOfTab2, 5s), nullptr) << "Ctrl+Tab: tab 2";
  EXPECT_FALSE(Shows(test::kListOfTab1));
  test::PressKey(VK_TAB, {VK_CONTROL, VK_SHIFT});
  EXPECT_NE(WaitForControl(test::kListOfTab1, 5s), nullptr) << "Ctrl+Shift+Tab: tab 1 again";
  // Backwards from the first tab: round to the last of the ribbon, the user's guide.
  test::PressKey(VK_TAB, {VK_CONTROL, VK_SHIFT});
  EXPECT_NE(WaitForControl(test::kListOfTab5, 5s), nullptr) << "Ctrl+Shift+Tab: the user's guide";
  EXPECT_FALSE(Shows(test::kListOfTab1));
  test::PressKey(VK_TAB, {VK_CONTROL});
  EXPECT_NE(WaitForControl(test::kListOfTab1, 5s), nullptr) << "Ctrl+Tab: round to tab 1";
  EXPECT_TRUE(deck_.Running());
}

TEST_F(KeyboardTest, EscapeOutsideATaskPanelLeavesTheViewAsItIs) {
  test::PressKey(VK_ESCAPE, {}, 300ms);
  EXPECT_TRUE(Shows(test::kStartButtonTab1)) << "the start page";
  ASSERT_NE(OpenFirstTab(), nullptr);
  test::PressKey(VK_ESCAPE, {}, 300ms);
  EXPECT_TRUE(Shows(test::kListOfTab1)) << "tab 1";
  EXPECT_TRUE(Shows(IDC_HOME));
  EXPECT_TRUE(deck_.Running());
}

TEST_F(KeyboardTest, EscapeInATaskPanelGoesBackToTheListAndTheWindowStays) {
  const HWND panel = OpenTaskByKeys(0);  // quick translation
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(Shows(IDC_BACK));
  test::PressKey(VK_ESCAPE);
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(panel); }, 5s)) << "the panel stays";
  EXPECT_NE(WaitForControl(test::kListOfTab1, 5s), nullptr);
  EXPECT_FALSE(Shows(IDC_BACK));
  EXPECT_TRUE(Shows(IDC_HOME));
  EXPECT_TRUE(deck_.Running());
  // The focus went with the view, to a control that shows.
  EXPECT_TRUE(::IsWindowVisible(Focus())) << NameOf(Focus());
}

TEST_F(KeyboardTest, F1OpensHelpWhereverTheFocusIs) {
  ASSERT_NE(OpenFirstTab(), nullptr);
  ASSERT_TRUE(TabTo(Named(kList, test::kListOfTab1)));
  test::PressKey(VK_F1);
  const HWND viewer = test::WaitForWindow(deck_.Id(), L"VANTO Start Centre Help", L"HH Parent", 15s);
  ASSERT_NE(viewer, nullptr) << "no help viewer";
  ::PostMessageW(viewer, WM_CLOSE, 0, 0);
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindow(viewer); }, 10s));
  EXPECT_TRUE(deck_.Running());
}

TEST_F(KeyboardTest, AltF4ClosesTheWindow) {
  test::PressKey(VK_F4, {VK_MENU});
  EXPECT_TRUE(deck_.WaitForExit(10s));
}

TEST_F(KeyboardTest, TheWordTaskByKeysAlone) {
  const test::ScratchDir documents;
  const fs::path document = documents.Folder(L"My Documents") / L"Annual Report.docx";
  test::WriteFile(document, "PK");
  const HWND panel = OpenTaskByKeys(1);  // Word
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(test::ControlText(::GetDlgItem(panel, IDC_PANEL_TITLE)), L"Translating Microsoft Word Documents");
  // The document field, by Tab from wherever the panel put the focus.
  const HWND field = ::GetDlgItem(panel, IDC_PANEL_DOCUMENT);
  if (Focus() != field) {
    ASSERT_TRUE(TabTo(NameOf(field)));
  }
  ASSERT_TRUE(test::TypeKeysInto(field, document.wstring())) << test::ControlText(field);
  // Enter in the one-line field does nothing: no default command, no message, the panel stays.
  test::PressKey(VK_RETURN);
  EXPECT_TRUE(NoMessage());
  EXPECT_TRUE(::IsWindowVisible(panel));
  EXPECT_EQ(test::ControlText(field), document.wstring());
  ASSERT_TRUE(TabTo(NameOf(test::FindChild(panel, IDC_PANEL_ACTION, L"StartdeckMenuButton"))));
  test::PressKey(VK_RETURN);
  const std::vector<test::JournalLine> word = Starts(L"winword.exe");
  ASSERT_EQ(word.size(), 1u);
  EXPECT_NE(word.back().record.find(L";U=\"" + document.wstring() + L"\""), std::wstring::npos)
      << ::testing::PrintToString(word.back().record);
}

TEST_F(KeyboardTest, QuickTranslationByKeysAlone) {
  const HWND panel = OpenTaskByKeys(0);
  ASSERT_NE(panel, nullptr);
  const HWND source = ::GetDlgItem(panel, IDC_QUICK_SOURCE);
  const HWND target = ::GetDlgItem(panel, IDC_QUICK_TARGET);
  if (Focus() != source) {
    ASSERT_TRUE(TabTo(NameOf(source)));
  }
  ASSERT_TRUE(test::TypeKeysInto(source, L"The cat is black."));
  test::PressKey(VK_F9);
  EXPECT_TRUE(test::WaitUntil([&] { return !test::ControlText(target).empty(); }, 10s));
  EXPECT_EQ(test::ControlText(target), L"Die Katze ist schwarz.");
  // Enter in a field is a line break; Escape then leaves the panel.
  test::PressKey(VK_RETURN);
  EXPECT_TRUE(test::WaitUntil([&] { return test::ControlText(source) == L"The cat is black.\r\n"; }, 5s))
      << ::testing::PrintToString(test::ControlText(source));
  test::PressKey(VK_ESCAPE);
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(panel); }, 5s));
  EXPECT_TRUE(deck_.Running());
}

}  // namespace
