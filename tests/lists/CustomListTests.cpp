// The row list in a real window: rows clicked and hovered as posted mouse input, scrolled by the
// wheel, filled through the launch list's interface, and checked on the screen.
#include <gtest/gtest.h>

#include <functional>

#include "ListHost.h"
#include "SkinIds.h"
#include "support/Driver.h"
#include "controls/Paint.h"

namespace lists {
namespace {

using app::kListRowChosenMessage;
using app::kListRowHoveredMessage;
using namespace std::chrono_literals;

// Where a row's texts are drawn, in row coordinates: right of the icon, short of the scroll bar.
constexpr RECT kTextArea{64, 6, 200, 42};
// A strip of the row face left of the icon, where nothing but the face is drawn.
constexpr RECT kFaceArea{0, 0, 18, 48};

RECT Shift(RECT rc, const RECT& by) {
  ::OffsetRect(&rc, by.left, by.top);
  return rc;
}

TEST_F(ListTest, IsAsLargeAsTheRowStripWithOneVisibleRowPerSlice) {
  MakeList(3);
  const SIZE strip = ui::BitmapSize(Skin(IDB_LIST_ROWS));
  RECT rc{};
  ::GetWindowRect(list_->hwnd(), &rc);
  EXPECT_EQ(rc.right - rc.left, strip.cx);
  EXPECT_EQ(rc.bottom - rc.top, strip.cy);
  EXPECT_EQ(list_->VisibleRows(), strip.cy / ui::skin::CCustomList::kRowHeight);
  EXPECT_EQ(list_->VisibleRows(), 5);
  EXPECT_EQ(::GetDlgCtrlID(list_->hwnd()), kListId);
}

TEST_F(ListTest, ClickingRowTwoSendsItsIndexAndTheListIdentifier) {
  MakeList(12);
  ClickRow(2);
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 2, kListId}}));
  EXPECT_EQ(list_->ItemData(2), 102);
}

TEST_F(ListTest, ClickingBelowTheLastRowSendsNothing) {
  MakeList(3);
  ClickRow(4);
  EXPECT_TRUE(host_.NotesOf(app::kListRowChosenMessage).empty());
  ClickRow(0);
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 0, kListId}}));
}

TEST_F(ListTest, ClicksAndHoversGoToTheWindowItIsToldToNotify) {
  MakeList(6);
  ListHost other;
  ASSERT_TRUE(other.Create());
  list_->SetNotifyWindow(other.hwnd());
  ClickRow(1);
  other.Settle();
  EXPECT_TRUE(host_.NotesOf(app::kListRowChosenMessage).empty());
  EXPECT_EQ(other.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 1, kListId}}));
}

TEST_F(ListTest, TheWheelScrollsOneRowPerNotchAndClicksReportTheRowsItShows) {
  MakeList(12);
  Wheel(-WHEEL_DELTA);
  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(list_->FirstVisible(), 2);
  EXPECT_EQ(list_->ScrollBar().Position(), 2);
  ClickRow(0);
  Wheel(WHEEL_DELTA);
  EXPECT_EQ(list_->FirstVisible(), 1);
  ClickRow(0);
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 2, kListId},
                               {app::kListRowChosenMessage, 1, kListId}}));
}

TEST_F(ListTest, TheWheelStopsAtTheFirstAndTheLastRow) {
  MakeList(12);
  Wheel(WHEEL_DELTA);
  EXPECT_EQ(list_->FirstVisible(), 0);
  for (int i = 0; i < 20; ++i) Wheel(-WHEEL_DELTA);
  EXPECT_EQ(list_->FirstVisible(), 12 - 5);
  ClickRow(4);
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 11, kListId}}));
}

TEST_F(ListTest, ScrolledRowsAreDrawnFromTheirNewPlace) {
  MakeList(12);
  const Pixels before = Grab(host_.hwnd());
  Wheel(-WHEEL_DELTA);
  const Pixels after = Grab(host_.hwnd());
  // Row 1's texts now sit where row 0's were.
  const RECT top = Shift(kTextArea, RowOnHost(0)), second = Shift(kTextArea, RowOnHost(1));
  int same = 0, compared = 0;
  for (int y = 0; y < top.bottom - top.top; ++y)
    for (int x = 0; x < top.right - top.left; ++x) {
      ++compared;
      same += after.At(top.left + x, top.top + y) == before.At(second.left + x, second.top + y);
    }
  EXPECT_GT(static_cast<double>(same) / compared, 0.97);
  EXPECT_NE(DarkestChannel(after, top), 255);
}

TEST_F(ListTest, WindowScrollMessagesMoveOneRow) {
  MakeList(12);
  ::SendMessageW(list_->hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  ::SendMessageW(list_->hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  ::SendMessageW(list_->hwnd(), WM_VSCROLL, SB_LINEUP, 0);
  ::SendMessageW(list_->hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);  // not a step the list takes
  EXPECT_EQ(list_->FirstVisible(), 1);
}

TEST_F(ListTest, ADimmedRowIsDrawnGreyAndStillReportsItsClick) {
  list_ = std::make_unique<ui::skin::CCustomList>();
  ASSERT_TRUE(list_->Create(kListAt.x, kListAt.y, MakeListSkin(), host_.hwnd(), kListId));
  list_->AddItem(nullptr, L"Available row", L"Drawn in the normal colours");
  list_->AddItem(nullptr, L"Dimmed row", L"Drawn grey", true);
  host_.Settle();
  const Pixels screen = Grab(host_.hwnd());
  // Fully covered glyph pixels carry the text colour itself.
  EXPECT_LT(DarkestChannel(screen, Shift(kTextArea, RowOnHost(0))), 60);
  const int greyest = DarkestChannel(screen, Shift(kTextArea, RowOnHost(1)));
  EXPECT_GE(greyest, 140);
  EXPECT_LE(greyest, 160);
  EXPECT_EQ(greyest, 150);

  ClickRow(1);
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 1, kListId}}));
}

TEST_F(ListTest, HoveringARowHighlightsItAndTellsTheParent) {
  MakeList(3);  // no scroll bar: the highlight without its room
  HoverRow(1);
  EXPECT_EQ(list_->Hovered(), 1);
  EXPECT_TRUE(list_->Item(1).hover);
  EXPECT_EQ(host_.NotesOf(app::kListRowHoveredMessage),
            (std::vector<Note>{{app::kListRowHoveredMessage, 1, 0}}));
  EXPECT_EQ(::GetFocus(), list_->hwnd());

  const Pixels screen = Grab(host_.hwnd());
  const Pixels plain = BitmapPixels(Skin(IDB_LIST_ROWS)), hot = BitmapPixels(Skin(IDB_LIST_ROWS_HOT));
  const RECT row1 = Shift(kFaceArea, list_->RowRect(1)), row0 = Shift(kFaceArea, list_->RowRect(0));
  EXPECT_GT(ShareShowing(screen, kListAt, hot, plain, row1), 0.95);
  EXPECT_GT(ShareShowing(screen, kListAt, plain, hot, row0), 0.95);

  // Onto the next row: the highlight follows, and the parent hears of it once.
  HoverRow(2);
  EXPECT_EQ(list_->Hovered(), 2);
  EXPECT_FALSE(list_->Item(1).hover);
  HoverRow(2);
  EXPECT_EQ(host_.NotesOf(app::kListRowHoveredMessage),
            (std::vector<Note>{{app::kListRowHoveredMessage, 1, 0}, {app::kListRowHoveredMessage, 2, 0}}));
  const Pixels moved = Grab(host_.hwnd());
  EXPECT_GT(ShareShowing(moved, kListAt, hot, plain, Shift(kFaceArea, list_->RowRect(2))), 0.95);
  EXPECT_GT(ShareShowing(moved, kListAt, plain, hot, row1), 0.95);
}

// A dimmed row (an extra command, a program not installed) is not lit under the pointer as if it
// could be run; the parent still hears which row the pointer is on.
TEST_F(ListTest, HoveringADimmedRowKeepsItsPlainFace) {
  list_ = std::make_unique<ui::skin::CCustomList>();
  ASSERT_TRUE(list_->Create(kListAt.x, kListAt.y, MakeListSkin(), host_.hwnd(), kListId));
  list_->AddItem(nullptr, L"Available row", L"Lit when hovered");
  list_->AddItem(nullptr, L"Dimmed row", L"Stays plain", true);
  host_.Settle();
  const Pixels plain = BitmapPixels(Skin(IDB_LIST_ROWS)), hot = BitmapPixels(Skin(IDB_LIST_ROWS_HOT));
  const struct {
    int row;
    bool lit;
  } cases[] = {{1, false}, {0, true}, {1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    HoverRow(c.row);
    EXPECT_EQ(list_->Hovered(), c.row);
    const RECT face = Shift(kFaceArea, list_->RowRect(c.row));
    EXPECT_GT(ShareShowing(Grab(host_.hwnd()), kListAt, c.lit ? hot : plain, c.lit ? plain : hot, face),
              0.95);
  }
  EXPECT_EQ(host_.NotesOf(app::kListRowHoveredMessage),
            (std::vector<Note>{{app::kListRowHoveredMessage, 1, 0},
                               {app::kListRowHoveredMessage, 0, 0},
                               {app::kListRowHoveredMessage, 1, 0}}));
}

// A text too long for its row is cut with "…"; the row's tip then says it in full.
TEST_F(ListTest, ATextCutShortIsShownInFullAsTheRowsTip) {
  const std::wstring longSecond =
      L"Creating and editing rules files used for translating SGML and XML documents, with every "
      L"element, attribute and entity the documents of a large project define";
  const std::wstring longTitle =
      L"Create Dictionary from SDL MultiTerm Database of the Whole Department and More";
  const struct {
    const wchar_t* what;
    std::wstring title, second, tip;
  } cases[] = {
      {L"both fit", L"Edit Profiles", L"Creating and editing profiles", L""},
      {L"the second line is cut", L"Edit XML Translation Rules", longSecond, longSecond},
      {L"both are cut", longTitle, longSecond, longTitle + L"\r\n" + longSecond},
      {L"the title is cut", longTitle, L"", longTitle},
  };
  list_ = std::make_unique<ui::skin::CCustomList>();
  ASSERT_TRUE(list_->Create(kListAt.x, kListAt.y, MakeListSkin(), host_.hwnd(), kListId));
  for (const auto& c : cases) list_->AddItem(nullptr, c.title, c.second);
  host_.Settle();
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(list_->TipText(i), cases[i].tip) << cases[i].what;
  EXPECT_EQ(list_->TipText(std::size(cases)), L"") << "no such row";

  // On the screen: the pointer rests on the cut row, and its tip comes up with the whole text.
  const HWND tip = list_->TipWindow();
  ASSERT_NE(tip, nullptr);
  HoverRow(1);
  EXPECT_TRUE(
      test::WaitUntil([&] { return ::IsWindowVisible(tip) && test::WindowText(tip) == longSecond; }, 10s))
      << ::testing::PrintToString(test::WindowText(tip));
  // Onto the row whose texts fit: no tip.
  HoverRow(0);
  EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(tip); }, 10s));
}

TEST_F(ListTest, BesideTheScrollBarTheHoveredRowTakesTheNarrowerHighlight) {
  MakeList(12);
  HoverRow(3);
  ASSERT_EQ(list_->Hovered(), 3);
  const Pixels screen = Grab(host_.hwnd());
  const Pixels wide = BitmapPixels(Skin(IDB_LIST_ROWS_HOT)),
               narrow = BitmapPixels(Skin(IDB_LIST_ROWS_HOT_SCROLL));
  // The right end of the row, left of the scroll bar, is where the two highlights differ.
  const RECT row = list_->RowRect(3);
  const RECT end{row.right - 30, row.top, row.right - 19, row.bottom};
  EXPECT_GT(ShareShowing(screen, kListAt, narrow, wide, end), 0.95);
}

TEST_F(ListTest, LeavingTheListClearsTheHighlight) {
  MakeList(3);
  HoverRow(0);
  ASSERT_EQ(list_->Hovered(), 0);
  const Pixels plain = BitmapPixels(Skin(IDB_LIST_ROWS)), hot = BitmapPixels(Skin(IDB_LIST_ROWS_HOT));
  ASSERT_GT(ShareShowing(Grab(host_.hwnd()), kListAt, hot, plain, Shift(kFaceArea, list_->RowRect(0))), 0.95);
  ::SetCursorPos(ListHost::kWidth + 100, ListHost::kHeight + 100);
  ::PostMessageW(list_->hwnd(), WM_MOUSELEAVE, 0, 0);
  host_.Settle();
  EXPECT_EQ(list_->Hovered(), -1);
  EXPECT_FALSE(list_->Item(0).hover);
  EXPECT_GT(ShareShowing(Grab(host_.hwnd()), kListAt, plain, hot, Shift(kFaceArea, list_->RowRect(0))), 0.95);
}

TEST_F(ListTest, ClearEmptiesTheListItsScrollBarAndItsRows) {
  MakeList(12);
  Wheel(-WHEEL_DELTA);
  list_->Clear();
  host_.Settle();
  EXPECT_EQ(list_->Count(), 0u);
  EXPECT_EQ(list_->FirstVisible(), 0);
  EXPECT_FALSE(list_->ScrollBarShown());
  ClickRow(0);
  EXPECT_TRUE(host_.NotesOf(app::kListRowChosenMessage).empty());
  // Nothing but the empty strip is left on the screen.
  const Pixels screen = Grab(host_.hwnd());
  const Pixels plain = BitmapPixels(Skin(IDB_LIST_ROWS));
  int differing = 0;
  for (int y = 0; y < plain.height; ++y)
    for (int x = 0; x < plain.width; ++x)
      differing += screen.At(kListAt.x + x, kListAt.y + y) != plain.At(x, y);
  EXPECT_EQ(differing, 0);
}

TEST_F(ListTest, TheLaunchListFillsItThroughItsSink) {
  MakeList(4);
  suite::LaunchListSink& sink = *list_;
  const HICON shared = ::LoadIconW(nullptr, IDI_INFORMATION);
  sink.Clear();
  sink.AddRow(shared, L"Translator", L"Translate documents", true);
  sink.AddRow(shared, L"Editor", L"Not installed", false);
  host_.Settle();
  ASSERT_EQ(list_->Count(), 2u);
  EXPECT_EQ(list_->Item(0).title, L"Translator");
  EXPECT_EQ(list_->Item(0).second, L"Translate documents");
  EXPECT_FALSE(list_->Item(0).marked);
  EXPECT_EQ(list_->Item(1).title, L"Editor");
  EXPECT_TRUE(list_->Item(1).marked);
  EXPECT_EQ(list_->Item(1).icon, shared);
  const Pixels screen = Grab(host_.hwnd());
  EXPECT_LT(DarkestChannel(screen, Shift(kTextArea, RowOnHost(0))), 60);
  EXPECT_EQ(DarkestChannel(screen, Shift(kTextArea, RowOnHost(1))), 150);
  ClickRow(1);
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 1, kListId}}));
}

TEST_F(ListTest, TheIconIsDrawnLeftOfTheTexts) {
  // A row hands its icon over as a handle, or names an icon resource of the executable that the list
  // loads when it draws the row; a name that the executable lacks draws no icon.
  struct Case {
    const char* what;
    std::function<void(ui::skin::CCustomList&)> add;
    bool drawn;
  };
  const Case cases[] = {
      {"handle", [](auto& list) { list.AddItem(::LoadIconW(nullptr, IDI_ERROR), L"With an icon", L""); },
       true},
      {"named", [](auto& list) { list.AddItemWithIconId(IDI_CMD_QUICK_TRANSLATE, L"With an icon", L""); },
       true},
      {"named through the launch list's sink",
       [](auto& list) {
         static_cast<suite::LaunchListSink&>(list).AddRowWithIconId(IDI_CMD_QUICK_TRANSLATE, L"With an icon",
                                                                    L"", true);
       },
       true},
      {"named but missing",
       [](auto& list) { list.AddItemWithIconId(IDI_CMD_EDIT_PROFILES, L"Without", L""); }, false},
  };
  const Pixels plain = BitmapPixels(Skin(IDB_LIST_ROWS));
  const RECT icon{20, 8, 52, 40};
  for (const Case& c : cases) {
    MakeList(0);
    c.add(*list_);
    host_.Settle();
    const Pixels screen = Grab(host_.hwnd());
    int differing = 0;
    for (int y = icon.top; y < icon.bottom; ++y)
      for (int x = icon.left; x < icon.right; ++x)
        differing += screen.At(kListAt.x + x, kListAt.y + y) != plain.At(x, y);
    if (c.drawn)
      EXPECT_GT(differing, 100) << c.what;
    else
      EXPECT_EQ(differing, 0) << c.what;
  }
}

bool IconAlive(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return false;
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  return true;
}

TEST_F(ListTest, RowsDestroyTheIconsTheyOwnAndLeaveBorrowedOnes) {
  MakeList(0);
  const HICON borrowed = ::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION));
  win::UniqueIcon owned(::CopyIcon(::LoadIconW(nullptr, IDI_WARNING)));
  const HICON ownedHandle = owned.get();
  ASSERT_TRUE(IconAlive(borrowed));
  ASSERT_TRUE(IconAlive(ownedHandle));
  list_->AddItem(borrowed, L"Borrowed", L"");
  list_->AddItem(std::move(owned), L"Owned", L"");
  EXPECT_EQ(list_->Item(1).icon, ownedHandle);
  list_->Clear();
  EXPECT_TRUE(IconAlive(borrowed));
  EXPECT_FALSE(IconAlive(ownedHandle));
  ::DestroyIcon(borrowed);
}

TEST_F(ListTest, SaveAScreenshotOfAFilledList) {
  MakeList(0);
  const HICON icons[] = {::LoadIconW(nullptr, IDI_APPLICATION), ::LoadIconW(nullptr, IDI_INFORMATION),
                         ::LoadIconW(nullptr, IDI_WARNING)};
  for (int n = 0; n < 12; ++n)
    list_->AddItem(
        icons[n % 3], L"Application " + std::to_wstring(n + 1),
        n == 2 ? L"Not installed" : L"Starts the suite's application number " + std::to_wstring(n + 1),
        n == 2);
  HoverRow(1);
  const auto path = test::SaveScreenshot(L"lists-custom-list");
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_GT(std::filesystem::file_size(path), 1000u);
}

}  // namespace
}  // namespace lists
