// A click does one thing: with the real mouse, a row of a tab's list is pressed, its panel opens
// under the pointer, and the release lands on whatever button of the panel now lies there. That
// button must not fire: it was not pressed. A skinned button fires only when the press and the
// release are both on it; a release elsewhere and Escape while it is held give the press up.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DeckTest.h"
#include "ResourceIds.h"
#include "support/ScreenPixels.h"

namespace {

using namespace std::chrono_literals;
using test::FindDescendant;

using test::Visible;

RECT ScreenRect(HWND window) {
  RECT rc{};
  ::GetWindowRect(window, &rc);
  return rc;
}

// The real pointer and its left button, as the system takes them from the hardware.
void MoveTo(POINT screen) {
  ::SetCursorPos(screen.x, screen.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE;  // no distance: a move where the pointer is, for the window under it
  ::SendInput(1, &input, sizeof(input));
  ::Sleep(50);
}
void Button(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &input, sizeof(input));
  ::Sleep(50);
}

POINT Centre(const RECT& rc) {
  return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// The tabs whose rows open panels, and how many rows the demo product gives them.
struct Tab {
  const char* name;
  int startButton;
  int list;
  int rows;
};
constexpr Tab kTabs[] = {{"tab1", test::kStartButtonTab1, test::kListOfTab1, 10},
                         {"tab2", test::kStartButtonTab2, test::kListOfTab2, 6}};

class ClickTest : public test::DeckTest {
 protected:
  void SetUp() override {
    Clear();
    ASSERT_NO_FATAL_FAILURE(DeckTest::SetUp());
    // The pointer away from where the window comes up, so that nothing is lit by chance.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    StartDeck();
    ASSERT_NO_FATAL_FAILURE(Activate());
  }
  void TearDown() override {
    EXPECT_TRUE(CloseDeck());
    Clear();
  }
  static void Clear() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, test::kSettingsKeyPath);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, test::kRunningKeyPath);
  }

  // The task panel on show, or null.
  HWND Panel() const {
    for (HWND child = ::GetWindow(window_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      if (Visible(child) && ::GetDlgItem(child, IDC_PANEL_TITLE)) return child;
    return nullptr;
  }
  // The skinned buttons of `panel` that show (its own, its lists' drop buttons, its check boxes').
  static std::vector<HWND> ButtonsOf(HWND panel) {
    std::vector<HWND> buttons;
    ::EnumChildWindows(
        panel,
        [](HWND child, LPARAM data) -> BOOL {
          wchar_t name[64] = {};
          ::GetClassNameW(child, name, 64);
          if (std::wstring(name) == L"StartdeckMenuButton" && ::IsWindowVisible(child))
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&buttons));
    return buttons;
  }
  // Another window of the program: a message box or a dropped-down list.
  HWND Other() const {
    for (HWND other : test::TopLevelWindows(deck_.Id()))
      if (other != window_) return other;
    return nullptr;
  }
  size_t JournalLines() const { return test::ReadJournal(installation_.Folder() / L"journal.log").size(); }
  static DWORD RunningValues() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, test::kRunningKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
      return 0;
    DWORD values = 0;
    ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                       nullptr, nullptr);
    ::RegCloseKey(key);
    return values;
  }
  // Nothing came of a click but what it was for: no message, no open list, no program, no record.
  ::testing::AssertionResult NothingElse(size_t journalBefore) const {
    if (HWND other = Other(); other || (::Sleep(500), other = Other()) != nullptr)
      return ::testing::AssertionFailure()
             << "a window came up: " << ::testing::PrintToString(test::WindowText(other)) << " "
             << ::testing::PrintToString(test::ControlText(::GetDlgItem(other, 0xFFFF)));
    if (const size_t lines = JournalLines(); lines != journalBefore)
      return ::testing::AssertionFailure() << lines - journalBefore << " program(s) started";
    if (const DWORD values = RunningValues(); values != 0)
      return ::testing::AssertionFailure() << values << " Running value(s) written";
    return ::testing::AssertionSuccess();
  }
  void DismissOthers() const {
    for (int i = 0; i < 5; ++i) {
      HWND other = Other();
      if (!other) return;
      ::PostMessageW(other, WM_COMMAND, IDOK, 0);
      ::ShowWindow(other, SW_HIDE);
      test::WaitUntil([&] { return !Visible(other); }, 2s);
    }
  }

  // Opens the tab's list from the start page (or from a panel, Back) and shows row `row` on screen;
  // its rectangle on the screen.
  RECT ShowRow(const Tab& tab, int row, HWND& list) {
    list = FindDescendant(window_, tab.list);
    if (!Visible(list)) {
      if (Visible(::GetDlgItem(window_, IDC_BACK))) {
        test::Click(::GetDlgItem(window_, IDC_BACK));
      } else {
        list = test::OpenTab(window_, tab.startButton, tab.list);
      }
      test::WaitUntil([&] { return Visible(list); }, 5s);
    }
    RECT client{};
    ::GetClientRect(list, &client);
    const int page = static_cast<int>(client.bottom / test::kListRowHeight);
    const int below = std::max(0, row + 1 - page);
    for (int step = 0; step < 16; ++step) ::PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    for (int step = 0; step < below; ++step)
      ::PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    test::WaitUntil([] { return false; }, 100ms);
    POINT top{0, (row - below) * test::kListRowHeight};
    ::ClientToScreen(list, &top);
    return {top.x, top.y, top.x + client.right, top.y + test::kListRowHeight};
  }
};

// For each row of tabs 1 and 2: the buttons of the panel the row opens, and the points of the row
// that each of them will cover (the centre of their overlap), as the rectangles on the screen give
// them. A real click at each point opens the panel and does nothing else.
TEST_F(ClickTest, AClickOnARowOnlyOpensItsPanelWhateverButtonComesUnderThePointer) {
  int points = 0;
  for (const Tab& tab : kTabs) {
    for (int row = 0; row < tab.rows; ++row) {
      SCOPED_TRACE(std::string(tab.name) + " row " + std::to_string(row));
      HWND list = nullptr;
      const RECT rowRect = ShowRow(tab, row, list);
      ASSERT_TRUE(Visible(list));
      // Where the panel's buttons are: opened once with a click that has no release to misplace.
      test::ClickListRow(list, row);
      test::WaitUntil([&] { return Panel() != nullptr || Other() != nullptr; }, 3s);
      std::vector<RECT> covered;
      if (HWND panel = Panel()) {
        for (HWND button : ButtonsOf(panel)) {
          RECT overlap{};
          const RECT rc = ScreenRect(button);
          if (::IntersectRect(&overlap, &rc, &rowRect)) covered.push_back(overlap);
        }
      }
      DismissOthers();
      if (covered.empty()) continue;  // a row that starts a program, or whose panel leaves it free
      for (const RECT& overlap : covered) {
        const POINT at = Centre(overlap);
        SCOPED_TRACE("at " + std::to_string(at.x) + "," + std::to_string(at.y));
        ++points;
        ShowRow(tab, row, list);
        ASSERT_TRUE(Visible(list));
        const size_t journal = JournalLines();
        MoveTo(at);
        Button(true);
        // As a person's click: the panel is up before the button is let go.
        EXPECT_TRUE(test::WaitUntil([&] { return Panel() != nullptr; }, 3s)) << "the row opened no panel";
        Button(false);
        EXPECT_TRUE(NothingElse(journal));
        DismissOthers();
      }
    }
  }
  // The demo's panels put buttons over the rows: the table is not empty.
  EXPECT_GT(points, 10);
  MoveTo({::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1});
}

class HeldButtonTest : public ClickTest {
 protected:
  // The web-page panel, whose Translate with no address says to select the document.
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ClickTest::SetUp());
    HWND list = nullptr;
    ShowRow(kTabs[0], 2, list);
    test::ClickListRow(list, 2);
    ASSERT_TRUE(test::WaitUntil([&] { return Panel() != nullptr; }, 5s));
    translate_ = test::FindChild(Panel(), IDC_PANEL_ACTION, L"StartdeckMenuButton");
    ASSERT_NE(translate_, nullptr);
    title_ = ScreenRect(::GetDlgItem(Panel(), IDC_PANEL_TITLE));
    journal_ = JournalLines();
  }
  void TearDown() override {
    MoveTo({::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1});
    ClickTest::TearDown();
  }
  // A point of the panel beside its controls: its title.
  POINT Beside() const { return Centre(title_); }

  HWND translate_ = nullptr;
  RECT title_{};
  size_t journal_ = 0;
};

TEST_F(HeldButtonTest, PressAndReleaseOnTheButtonFires) {
  MoveTo(Centre(ScreenRect(translate_)));
  Button(true);
  Button(false);
  EXPECT_EQ(AnswerMessage(), L"Select the document you wish to translate.");
}

TEST_F(HeldButtonTest, AReleaseOffTheButtonGivesThePressUp) {
  MoveTo(Centre(ScreenRect(translate_)));
  Button(true);
  MoveTo(Beside());
  Button(false);
  EXPECT_TRUE(NothingElse(journal_));
  // The button is free again: the next click fires.
  MoveTo(Centre(ScreenRect(translate_)));
  Button(true);
  Button(false);
  EXPECT_EQ(AnswerMessage(), L"Select the document you wish to translate.");
}

TEST_F(HeldButtonTest, APressOffTheButtonAndAReleaseOnItDoNothing) {
  MoveTo(Beside());
  Button(true);
  MoveTo(Centre(ScreenRect(translate_)));
  Button(false);
  EXPECT_TRUE(NothingElse(journal_));
}

TEST_F(HeldButtonTest, EscapeWhileTheButtonIsHeldGivesThePressUp) {
  MoveTo(Centre(ScreenRect(translate_)));
  Button(true);
  test::PressKey(VK_ESCAPE, {}, 100ms);
  Button(false);
  EXPECT_TRUE(NothingElse(journal_));
  EXPECT_TRUE(deck_.Running());
}

// The About button no longer glows once its box has closed or another window has taken over: a
// button's hover ends when the window loses the activation or a modal box disables it, even though
// the pointer's leave is never seen (it has not moved).
class HoverTest : public ClickTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ClickTest::SetUp());
    about_ = ::GetDlgItem(window_, IDC_ABOUT);
    ASSERT_TRUE(Visible(about_));
    place_ = ScreenRect(about_);
    // The window paints in steps while it starts: its look once it has not changed for half a second.
    int quiet = 0;
    ASSERT_TRUE(test::WaitUntil(
        [&] {
          ::Sleep(100);
          test::Pixels now = test::GrabScreen(place_);
          quiet = now == resting_ ? quiet + 1 : 0;
          resting_ = std::move(now);
          return quiet >= 5;
        },
        10s));
    MoveTo(Centre(place_));
    ASSERT_TRUE(test::WaitUntil([&] { return Look() != resting_; }, 5s)) << "no hover look to lose";
  }
  void TearDown() override {
    MoveTo({::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1});
    ClickTest::TearDown();
  }
  [[nodiscard]] test::Pixels Look() const { return test::GrabScreen(place_); }
  ::testing::AssertionResult Rests() const {
    if (test::WaitUntil([&] { return Look() == resting_; }, 3s)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << test::CountDifferences(Look(), resting_) << " pixels differ from the resting face";
  }

  HWND about_ = nullptr;
  RECT place_{};
  test::Pixels resting_;
};

TEST_F(HoverTest, AnotherWindowTakingTheActivationEndsTheHover) {
  // A window of another program, away from the button; the pointer stays where it is.
  HWND other = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40,
                                 nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  ::SetForegroundWindow(other);
  EXPECT_TRUE(test::WaitUntil([&] { return ::GetForegroundWindow() == other; }, 5s));
  EXPECT_TRUE(Rests());
  ::DestroyWindow(other);
}

TEST_F(HoverTest, TheAboutButtonRestsAgainAfterItsBoxCloses) {
  Button(true);
  Button(false);
  HWND box = test::WaitForWindow(deck_.Id(), L"VANTO Kernel - About", L"", 10s);
  ASSERT_NE(box, nullptr);
  // The person goes to the box's button, away from About, and closes the box.
  MoveTo(Centre(ScreenRect(box)));
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(box); }, 5s));
  ASSERT_NO_FATAL_FAILURE(Activate());
  EXPECT_TRUE(Rests());
  if (HasFailure()) test::Screenshot(L"about-button-after-its-box");
}

// The main window's check boxes are the skinned ones: a click on the label ticks "show all features"
// and the box shows its ticked face; Home and Back carry their captions right of their glyph.
TEST_F(ClickTest, TheMainWindowsCheckBoxesAreSkinnedAndTickWithAClick) {
  for (int id : {IDC_SHOW_ALL_FEATURES, IDC_DICTIONARY_UPDATES}) {
    wchar_t name[64] = {};
    ::GetClassNameW(::GetDlgItem(window_, id), name, 64);
    EXPECT_STREQ(name, L"StartdeckCheckbox") << id;
  }
  HWND showAll = ::GetDlgItem(window_, IDC_SHOW_ALL_FEATURES);
  ASSERT_TRUE(Visible(showAll));
  EXPECT_EQ(test::ShownText(showAll), L"Show all features of VANTO translators");
  HWND image = ::GetWindow(showAll, GW_CHILD);
  ASSERT_NE(image, nullptr);
  const RECT imagePlace = ScreenRect(image);
  ::Sleep(300);
  const test::Pixels unticked = test::GrabScreen(imagePlace);
  RECT rest = ScreenRect(window_);
  const RECT box = ScreenRect(showAll);
  rest.bottom = box.top;  // the window above the boxes' line
  const test::Pixels above = test::GrabScreen(rest);

  // The label, as on a system check box, takes the click too.
  MoveTo({box.left + 60, (box.top + box.bottom) / 2});
  Button(true);
  Button(false);
  EXPECT_TRUE(test::WaitUntil([&] { return ::SendMessageW(showAll, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5s));
  MoveTo({::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1});
  EXPECT_TRUE(test::WaitUntil([&] { return test::GrabScreen(imagePlace) != unticked; }, 5s))
      << "the face did not change";
  EXPECT_EQ(test::CountDifferences(test::GrabScreen(rest), above), 0u) << "the rest of the window changed";
}

}  // namespace
