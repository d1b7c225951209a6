// The row list from the keyboard and for screen readers, in a real window: keys posted to the focused
// list move its keyboard row and scroll, Enter and Space choose like a click, the row is drawn only
// while the window shows focus cues, and the rows answer as list items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListHost.h"
#include "SkinIds.h"
#include "support/Accessibility.h"
#include "support/Driver.h"
#include "win/KeyboardCues.h"

namespace lists {
namespace {

constexpr LPARAM kRepeated = LPARAM{1} << 30;  // the key was down already: held, repeating

// A strip of the row face left of the icon, where nothing but the face is drawn.
constexpr RECT kKeysFaceArea{4, 4, 18, 44};

RECT ShiftBy(RECT rc, const RECT& by) {
  ::OffsetRect(&rc, by.left, by.top);
  return rc;
}

class ListKeysTest : public ListTest {
 protected:
  // A list of `rows` rows with the keyboard's focus.
  void MakeFocusedList(int rows) {
    MakeList(rows);
    ::SetFocus(list_->hwnd());
    host_.Settle();
    host_.Forget();
  }
  void Press(WPARAM key, LPARAM flags = 0) {
    ::PostMessageW(list_->hwnd(), WM_KEYDOWN, key, 1 | flags);
    ::PostMessageW(list_->hwnd(), WM_KEYUP, key, 1 | (LPARAM{3} << 30));
  }
  void PressAll(const std::vector<WPARAM>& keys) {
    for (WPARAM key : keys) Press(key);
    host_.Settle();
  }
};

TEST_F(ListKeysTest, TheListIsATabStopAndItsScrollBarIsNot) {
  MakeList(12);
  EXPECT_NE(::GetWindowLongPtrW(list_->hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(::GetWindowLongPtrW(list_->ScrollBarWindow(), GWL_STYLE) & WS_TABSTOP, 0);
}

TEST_F(ListKeysTest, TheListAsksForTheArrowsAndForEnter) {
  MakeList(3);
  const struct {
    UINT message;
    WPARAM key;
    LRESULT code;
  } cases[] = {{WM_KEYDOWN, VK_DOWN, DLGC_WANTARROWS},
               {WM_KEYDOWN, VK_RETURN, DLGC_WANTARROWS | DLGC_WANTMESSAGE},
               {WM_KEYDOWN, VK_TAB, DLGC_WANTARROWS},
               {WM_KEYDOWN, VK_ESCAPE, DLGC_WANTARROWS},
               {WM_CHAR, VK_RETURN, DLGC_WANTARROWS}};
  for (const auto& c : cases) {
    MSG key{};
    key.hwnd = list_->hwnd();
    key.message = c.message;
    key.wParam = c.key;
    EXPECT_EQ(::SendMessageW(list_->hwnd(), WM_GETDLGCODE, c.key, reinterpret_cast<LPARAM>(&key)), c.code)
        << c.message << " " << c.key;
  }
  EXPECT_EQ(::SendMessageW(list_->hwnd(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

// 12 rows, 5 of them shown: the keys move the row and scroll as little as it takes to show it.
TEST_F(ListKeysTest, KeysMoveTheKeyboardRowAndScrollItIntoView) {
  const struct {
    const char* what;
    std::vector<WPARAM> keys;
    int row;
    int first;
  } cases[] = {
      {"nothing yet", {}, 0, 0},
      {"Down three times", {VK_DOWN, VK_DOWN, VK_DOWN}, 3, 0},
      {"Down six times", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}, 6, 2},
      {"Up on the first row", {VK_UP}, 0, 0},
      {"End", {VK_END}, 11, 7},
      {"Down on the last row", {VK_END, VK_DOWN}, 11, 7},
      {"End, Home", {VK_END, VK_HOME}, 0, 0},
      {"End, Up six times", {VK_END, VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_UP}, 5, 5},
      {"Page Down", {VK_NEXT}, 5, 1},
      {"Page Down three times", {VK_NEXT, VK_NEXT, VK_NEXT}, 11, 7},
      {"End, Page Up", {VK_END, VK_PRIOR}, 6, 6},
      {"End, Page Up three times", {VK_END, VK_PRIOR, VK_PRIOR, VK_PRIOR}, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MakeFocusedList(12);
    PressAll(c.keys);
    EXPECT_EQ(list_->KeyRow(), c.row);
    EXPECT_EQ(list_->FirstVisible(), c.first);
    EXPECT_EQ(list_->ScrollBar().Position(), c.first);
    EXPECT_TRUE(host_.NotesOf(app::kListRowChosenMessage).empty());
  }
}

TEST_F(ListKeysTest, EnterAndSpaceChooseTheKeyboardRowOncePerPressAsAClickDoes) {
  const struct {
    const char* what;
    std::vector<WPARAM> keys;
    std::vector<WPARAM> chosen;
  } cases[] = {
      {"Enter", {VK_RETURN}, {0}},
      {"Space", {VK_SPACE}, {0}},
      {"Down, Down, Enter", {VK_DOWN, VK_DOWN, VK_RETURN}, {2}},
      {"End, Space", {VK_END, VK_SPACE}, {11}},
      {"Enter, Down, Space", {VK_RETURN, VK_DOWN, VK_SPACE}, {0, 1}},
      {"Down, Up", {VK_DOWN, VK_UP}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MakeFocusedList(12);
    PressAll(c.keys);
    std::vector<Note> expected;
    for (WPARAM row : c.chosen) expected.push_back({app::kListRowChosenMessage, row, kListId});
    EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage), expected);
  }
  // A held key repeats: it moves on, but chooses only on its first press.
  MakeFocusedList(12);
  Press(VK_RETURN);
  Press(VK_RETURN, kRepeated);
  Press(VK_SPACE, kRepeated);
  Press(VK_DOWN, kRepeated);
  host_.Settle();
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 0, kListId}}));
  EXPECT_EQ(list_->KeyRow(), 1);
}

TEST_F(ListKeysTest, TheFocusMakesTheFirstShownRowTheKeyboardRowAndKeepsOneItHas) {
  MakeList(12);
  EXPECT_EQ(list_->KeyRow(), -1);
  Wheel(-WHEEL_DELTA);
  Wheel(-WHEEL_DELTA);
  ::SetFocus(list_->hwnd());
  host_.Settle();
  EXPECT_EQ(list_->KeyRow(), 2);
  PressAll({VK_DOWN});
  ::SetFocus(host_.hwnd());
  ::SetFocus(list_->hwnd());
  host_.Settle();
  EXPECT_EQ(list_->KeyRow(), 3);
  // An empty list has no row to move; its keys do nothing.
  MakeFocusedList(0);
  PressAll({VK_DOWN, VK_END, VK_RETURN});
  EXPECT_EQ(list_->KeyRow(), -1);
  EXPECT_TRUE(host_.NotesOf(app::kListRowChosenMessage).empty());
}

TEST_F(ListKeysTest, TheRowUnderThePointerIsTheKeyboardRowToo) {
  MakeList(12);
  HoverRow(3);
  EXPECT_EQ(::GetFocus(), list_->hwnd());
  EXPECT_EQ(list_->KeyRow(), 3);
  PressAll({VK_DOWN, VK_RETURN});
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 4, kListId}}));
}

// The keyboard row lights up with the focus cue only while the window shows focus cues: a list used
// with the mouse keeps its look.
TEST_F(ListKeysTest, TheKeyboardRowIsDrawnOnlyWhileFocusCuesShow) {
  MakeList(3);  // no scroll bar
  win::HideKeyboardCues(host_.hwnd());
  ::SetFocus(list_->hwnd());
  PressAll({VK_DOWN});
  ASSERT_EQ(list_->KeyRow(), 1);
  ASSERT_FALSE(win::FocusCuesShown(list_->hwnd()));
  const Pixels plain = BitmapPixels(Skin(IDB_LIST_ROWS)), hot = BitmapPixels(Skin(IDB_LIST_ROWS_HOT));
  const RECT row1 = ShiftBy(kKeysFaceArea, list_->RowRect(1)),
             row0 = ShiftBy(kKeysFaceArea, list_->RowRect(0));
  const Pixels hidden = Grab(host_.hwnd());
  EXPECT_GT(ShareShowing(hidden, kListAt, plain, hot, row1), 0.95);

  win::ShowKeyboardCues(host_.hwnd());
  host_.Settle();
  ASSERT_TRUE(win::FocusCuesShown(list_->hwnd()));
  const Pixels shown = Grab(host_.hwnd());
  EXPECT_GT(ShareShowing(shown, kListAt, hot, plain, row1), 0.95);
  EXPECT_GT(ShareShowing(shown, kListAt, plain, hot, row0), 0.95);
  // The cue: black and white dots along the row's left edge, two pixels in.
  const RECT rowOnHost = RowOnHost(1);
  int black = 0, white = 0;
  for (LONG y = rowOnHost.top + 4; y < rowOnHost.bottom - 4; ++y) {
    const COLORREF c = shown.At(rowOnHost.left + 2, y);
    black += c == RGB(0, 0, 0);
    white += c == RGB(255, 255, 255);
  }
  EXPECT_GT(black, 10);
  EXPECT_GT(white, 10);

  // Without the focus the row is plain again.
  ::SetFocus(host_.hwnd());
  host_.Settle();
  EXPECT_GT(ShareShowing(Grab(host_.hwnd()), kListAt, plain, hot, row1), 0.95);
}

TEST_F(ListKeysTest, RowsAreListItemsNamedByTheirTwoLines) {
  MakeList(12);
  list_->SetAccessibleName(L"Applications");
  EXPECT_EQ(list_->AccItemCount(), 12);
  EXPECT_EQ(list_->AccRole(CHILDID_SELF), ROLE_SYSTEM_LIST);
  EXPECT_EQ(list_->AccName(CHILDID_SELF), L"Applications");
  const struct {
    long child;
    const wchar_t* name;
    const wchar_t* description;
  } cases[] = {{1, L"Row 0", L"The second line of row 0"},
               {7, L"Row 6", L"The second line of row 6"},
               {12, L"Row 11", L"The second line of row 11"}};
  for (const auto& c : cases) {
    EXPECT_EQ(list_->AccRole(c.child), ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(list_->AccName(c.child), c.name);
    EXPECT_EQ(list_->AccDescription(c.child), c.description);
    EXPECT_EQ(list_->AccDefaultAction(c.child), L"Open");
  }
  EXPECT_EQ(list_->AccName(13), L"Applications");  // no such row: the list itself
}

TEST_F(ListKeysTest, RowStatesFollowTheKeyboardRowTheFocusAndTheScroll) {
  MakeFocusedList(12);
  PressAll({VK_DOWN, VK_DOWN});
  constexpr long kBase = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  constexpr long kHidden = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
  const struct {
    long child;
    long state;
  } focused[] = {{1, kBase},
                 {3, kBase | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED},
                 {5, kBase},
                 {6, kBase | kHidden},
                 {12, kBase | kHidden}};
  for (const auto& c : focused) EXPECT_EQ(list_->AccState(c.child), c.state) << c.child;
  EXPECT_EQ(list_->AccFocusedItem(), 3);
  EXPECT_EQ(list_->AccSelectedItems(), std::vector<long>{3});

  ::SetFocus(host_.hwnd());
  host_.Settle();
  EXPECT_EQ(list_->AccState(3), kBase | STATE_SYSTEM_SELECTED);
  EXPECT_EQ(list_->AccFocusedItem(), CHILDID_SELF);

  ::SetFocus(list_->hwnd());
  PressAll({VK_END});
  EXPECT_EQ(list_->AccState(1), kBase | kHidden);
  EXPECT_EQ(list_->AccState(8), kBase);
  EXPECT_EQ(list_->AccState(12), kBase | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
}

TEST_F(ListKeysTest, RowRectanglesAndHitsFollowTheScroll) {
  MakeList(12);
  Wheel(-WHEEL_DELTA);
  const RECT shown = list_->AccItemRect(3);  // row index 2, the second shown
  EXPECT_EQ(shown.top, list_->RowRect(1).top);
  EXPECT_EQ(shown.bottom, list_->RowRect(1).bottom);
  const RECT none = list_->AccItemRect(1);  // scrolled out
  EXPECT_TRUE(::IsRectEmpty(&none));
  const RECT row = list_->RowRect(1);
  EXPECT_EQ(list_->AccItemAt({10, (row.top + row.bottom) / 2}), 3);
  EXPECT_EQ(list_->AccItemAt({-1, (row.top + row.bottom) / 2}), CHILDID_SELF);
  MakeList(2);
  const RECT empty = list_->RowRect(3);
  EXPECT_EQ(list_->AccItemAt({10, (empty.top + empty.bottom) / 2}), CHILDID_SELF);
}

// The default action chooses the row as a click does, but later: the client's call returns first.
TEST_F(ListKeysTest, TheDefaultActionChoosesTheRowAfterTheCallReturns) {
  MakeList(12);
  EXPECT_TRUE(list_->AccDoDefaultAction(10));
  EXPECT_TRUE(host_.NotesOf(app::kListRowChosenMessage).empty());
  host_.Settle();
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 9, kListId}}));
  EXPECT_FALSE(list_->AccDoDefaultAction(CHILDID_SELF));
  EXPECT_FALSE(list_->AccDoDefaultAction(13));
  host_.Settle();
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage).size(), 1U);
}

TEST_F(ListKeysTest, SelectingARowWithFocusMakesItTheKeyboardRow) {
  MakeList(12);
  EXPECT_TRUE(list_->AccSelectItem(9, SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION));
  EXPECT_EQ(::GetFocus(), list_->hwnd());
  EXPECT_EQ(list_->KeyRow(), 8);
  EXPECT_EQ(list_->FirstVisible(), 4);
  EXPECT_FALSE(list_->AccSelectItem(0, SELFLAG_TAKESELECTION));
  EXPECT_FALSE(list_->AccSelectItem(13, SELFLAG_TAKESELECTION));
}

TEST_F(ListKeysTest, TheScrollBarTellsItsPosition) {
  MakeList(12);
  const ui::skin::CSkinVerticleScrollbar& bar = list_->ScrollBar();
  EXPECT_EQ(bar.AccRole(CHILDID_SELF), ROLE_SYSTEM_SCROLLBAR);
  EXPECT_EQ(bar.AccName(CHILDID_SELF), L"Vertical");
  EXPECT_EQ(bar.AccValue(CHILDID_SELF), L"0");
  ::SetFocus(list_->hwnd());
  PressAll({VK_END});
  EXPECT_EQ(bar.AccValue(CHILDID_SELF), L"7");
}

// As a screen reader meets the list: through oleacc, its rows as items with their two lines, the
// scroll bar as the list's child window, and a row's default action.
TEST_F(ListKeysTest, ScreenReadersReadTheRowsAndOpenOneThroughOleacc) {
  MakeFocusedList(7);
  list_->SetAccessibleName(L"Applications");
  PressAll({VK_DOWN});
  const auto nodes = test::Walk({test::AccessibleOf(list_->hwnd())});
  ASSERT_FALSE(nodes.empty());
  EXPECT_EQ(nodes[0].role, ROLE_SYSTEM_LIST);
  EXPECT_EQ(nodes[0].name, L"Applications");
  std::vector<std::wstring> rows;
  for (const auto& node : nodes) {
    if (node.role != ROLE_SYSTEM_LISTITEM) continue;
    rows.push_back(node.name + L" / " + node.description);
    EXPECT_EQ(node.defaultAction, L"Open");
  }
  EXPECT_EQ(rows, (std::vector<std::wstring>{
                      L"Row 0 / The second line of row 0", L"Row 1 / The second line of row 1",
                      L"Row 2 / The second line of row 2", L"Row 3 / The second line of row 3",
                      L"Row 4 / The second line of row 4", L"Row 5 / The second line of row 5",
                      L"Row 6 / The second line of row 6"}));
  const test::AccNode* row1 = test::Find(nodes, ROLE_SYSTEM_LISTITEM, L"Row 1");
  ASSERT_NE(row1, nullptr);
  EXPECT_NE(row1->state & STATE_SYSTEM_FOCUSED, 0);
  EXPECT_NE(row1->state & STATE_SYSTEM_SELECTED, 0);
  const test::AccNode* row6 = test::Find(nodes, ROLE_SYSTEM_LISTITEM, L"Row 6");
  ASSERT_NE(row6, nullptr);
  EXPECT_NE(row6->state & STATE_SYSTEM_INVISIBLE, 0);
  const test::AccNode* bar = test::Find(nodes, ROLE_SYSTEM_SCROLLBAR);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->value, L"0");

  const test::AccNode* row4 = test::Find(nodes, ROLE_SYSTEM_LISTITEM, L"Row 4");
  ASSERT_NE(row4, nullptr);
  host_.Forget();
  EXPECT_EQ(test::DoDefaultAction(row4->element), S_OK);
  host_.Settle();
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 4, kListId}}));
}

}  // namespace
}  // namespace lists
