// The list panel: made from its template in Startdeck.exe, sized to the panel background, its
// heading drawn in the help column and its list's clicks sent to the panel's parent.
#include <gtest/gtest.h>

#include "ListHost.h"
#include "ResourceIds.h"
#include "SkinIds.h"
#include "support/Driver.h"
#include "controls/Paint.h"
#include "win/Resources.h"

namespace lists {
namespace {

using app::kListRowChosenMessage;
using ui::skin::CCustomListDialog;

class ListPanelTest : public ListTest {
 protected:
  static constexpr POINT kPanelAt{9, 30};

  void MakePanel() {
    ui::skin::ListPanelLook look;
    look.background = Skin(IDB_PANEL_BACKGROUND);
    look.headingFont = graphics_->Font(app::SharedFont::kTahoma16Bold);
    ASSERT_TRUE(panel_.Create(host_.hwnd(), kPanelAt.x, kPanelAt.y, look, MakeListSkin(), kListId));
    ::ShowWindow(panel_.hwnd(), SW_SHOWNA);
    host_.Settle();
  }
  RECT HeadingOnHost() const {
    RECT rc{};
    ::GetWindowRect(::GetDlgItem(panel_.hwnd(), IDC_LIST_HEADING), &rc);
    ::MapWindowPoints(nullptr, host_.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }

  CCustomListDialog panel_;
};

TEST_F(ListPanelTest, TakesTheBackgroundsSizeWithTheListInItsContentArea) {
  MakePanel();
  const SIZE background = ui::BitmapSize(Skin(IDB_PANEL_BACKGROUND));
  RECT rc{};
  ::GetWindowRect(panel_.hwnd(), &rc);
  ::MapWindowPoints(nullptr, host_.hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  EXPECT_EQ(rc.left, kPanelAt.x);
  EXPECT_EQ(rc.top, kPanelAt.y);
  EXPECT_EQ(rc.right - rc.left, background.cx);
  EXPECT_EQ(rc.bottom - rc.top, background.cy);
  EXPECT_EQ(::GetParent(panel_.List().hwnd()), panel_.hwnd());
  EXPECT_EQ(::GetDlgCtrlID(panel_.List().hwnd()), kListId);
  RECT list{};
  ::GetWindowRect(panel_.List().hwnd(), &list);
  ::MapWindowPoints(nullptr, panel_.hwnd(), reinterpret_cast<POINT*>(&list), 2);
  EXPECT_EQ(list.left, CCustomListDialog::kListAt.x);
  EXPECT_EQ(list.top, CCustomListDialog::kListAt.y);
  EXPECT_LE(list.right, background.cx);
}

// A panel given the shared bitmaps by name decodes none while it is hidden; shown, it decodes what
// it draws and looks exactly like a panel given decoded bitmaps.
TEST_F(ListPanelTest, AHiddenPanelDecodesItsSkinWhenFirstShownAndLooksTheSame) {
  app::SharedGraphics shared;
  shared.Create(win::ResourceModule());
  ui::skin::ListSkin skin = MakeListSkin();
  const struct {
    app::SkinBitmap* slot;
    int id;
  } kNamed[] = {
      {&skin.rows, IDB_LIST_ROWS},
      {&skin.hot, IDB_LIST_ROWS_HOT},
      {&skin.hotScroll, IDB_LIST_ROWS_HOT_SCROLL},
      {&skin.scrollBar.track, IDB_SCROLL_TRACK},
      {&skin.scrollBar.up[0], IDB_SCROLL_UP_NORMAL},
      {&skin.scrollBar.up[1], IDB_SCROLL_UP_HOVER},
      {&skin.scrollBar.up[2], IDB_SCROLL_UP_PRESSED},
      {&skin.scrollBar.down[0], IDB_SCROLL_DOWN_NORMAL},
      {&skin.scrollBar.down[1], IDB_SCROLL_DOWN_HOVER},
      {&skin.scrollBar.down[2], IDB_SCROLL_DOWN_PRESSED},
      {&skin.scrollBar.thumb[0], IDB_SCROLL_THUMB_NORMAL},
      {&skin.scrollBar.thumb[1], IDB_SCROLL_THUMB_HOVER},
      {&skin.scrollBar.thumb[2], IDB_SCROLL_THUMB_PRESSED},
  };
  for (const auto& named : kNamed) *named.slot = app::SkinBitmap(shared, named.id);
  ui::skin::ListPanelLook look;
  look.background = app::SkinBitmap(shared, IDB_PANEL_BACKGROUND);
  look.headingFont = graphics_->Font(app::SharedFont::kTahoma16Bold);
  const auto addRows = [](CCustomListDialog& panel) {
    panel.SetHeading(L"Translation");
    for (int n = 0; n < 7; ++n) panel.List().AddItem(nullptr, L"Row " + std::to_wstring(n), L"Second line");
  };

  CCustomListDialog lazy;
  ASSERT_TRUE(lazy.Create(host_.hwnd(), kPanelAt.x, kPanelAt.y, look, skin, kListId));
  addRows(lazy);
  host_.Settle();
  EXPECT_EQ(shared.LoadedBitmapCount(), 0u);
  RECT rc{};
  ::GetWindowRect(lazy.hwnd(), &rc);
  const SIZE background = ui::BitmapSize(Skin(IDB_PANEL_BACKGROUND));
  EXPECT_EQ(rc.right - rc.left, background.cx);
  EXPECT_EQ(rc.bottom - rc.top, background.cy);

  ::ShowWindow(lazy.hwnd(), SW_SHOWNA);
  host_.Settle();
  const Pixels shown = Grab(host_.hwnd());
  // The background, the row strip and the scroll bar's track, arrows and thumb at rest.
  EXPECT_EQ(shared.LoadedBitmapCount(), 6u);
  ::ShowWindow(lazy.hwnd(), SW_HIDE);

  MakePanel();
  addRows(panel_);
  host_.Settle();
  const Pixels decoded = Grab(host_.hwnd());
  ASSERT_EQ(shown.width, decoded.width);
  int differing = 0;
  for (int y = kPanelAt.y; y < kPanelAt.y + background.cy && y < shown.height; ++y)
    for (int x = kPanelAt.x; x < kPanelAt.x + background.cx && x < shown.width; ++x)
      differing += shown.At(x, y) != decoded.At(x, y);
  EXPECT_EQ(differing, 0);
  ::DestroyWindow(lazy.hwnd());
  shared.Destroy();
}

TEST_F(ListPanelTest, ItsListsClicksGoToTheMainWindow) {
  MakePanel();
  for (int n = 0; n < 7; ++n) panel_.List().AddItem(nullptr, L"Row " + std::to_wstring(n), L"");
  const RECT row = panel_.List().RowRect(2);
  test::ClickAt(panel_.List().hwnd(), {100, (row.top + row.bottom) / 2});
  host_.Settle();
  EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
            (std::vector<Note>{{app::kListRowChosenMessage, 2, kListId}}));
}

TEST_F(ListPanelTest, TheHeadingIsDrawnWhiteInTheHelpColumn) {
  MakePanel();
  const RECT heading = HeadingOnHost();
  EXPECT_EQ(heading.left, kPanelAt.x + CCustomListDialog::kHeadingAt.x);
  EXPECT_EQ(heading.top, kPanelAt.y + CCustomListDialog::kHeadingAt.y);
  EXPECT_EQ(CountNearWhite(Grab(host_.hwnd()), heading), 0);  // the column itself is blue

  panel_.SetHeading(L"Launching applications of the suite");
  host_.Settle();
  EXPECT_EQ(panel_.Heading(), L"Launching applications of the suite");
  EXPECT_GT(CountNearWhite(Grab(host_.hwnd()), heading), 50);

  panel_.SetHeading(L"");
  host_.Settle();
  EXPECT_EQ(CountNearWhite(Grab(host_.hwnd()), heading), 0);
}

TEST_F(ListPanelTest, SaveAScreenshotOfTheLaunchPanel) {
  MakePanel();
  panel_.SetHeading(L"Launching applications of the suite");
  suite::LaunchListSink& sink = panel_.List();
  const HICON icons[] = {::LoadIconW(nullptr, IDI_APPLICATION), ::LoadIconW(nullptr, IDI_INFORMATION),
                         ::LoadIconW(nullptr, IDI_WARNING)};
  const wchar_t* names[] = {L"VANTO Translator",  L"Batch Translator", L"Translation Memory",
                            L"Dictionary Editor", L"Profile Editor",   L"Plug-ins Manager",
                            L"Converter",         L"Network Setup"};
  for (int n = 0; n < 8; ++n)
    sink.AddRow(icons[n % 3], names[n], n == 3 ? L"Not installed" : L"Starts the application", n != 3);
  host_.Settle();
  const RECT row = panel_.List().RowRect(1);
  POINT at{150, (row.top + row.bottom) / 2};
  POINT onScreen = at;
  ::ClientToScreen(panel_.List().hwnd(), &onScreen);
  ::SetCursorPos(onScreen.x, onScreen.y);
  ::PostMessageW(panel_.List().hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  host_.Settle();
  EXPECT_EQ(panel_.List().Hovered(), 1);
  const auto path = test::SaveScreenshot(L"lists-launch-panel");
  EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace lists
