// The row list, its scroll bar and the list panel at the display scales: made at 144 and 192 DPI
// they take the scaled rows, bar and places of the design, clicks find the rows there, and a change
// from 96 to 192 and back, told by app::kApplyScaleMessage as the main window tells it, keeps the
// rows and the scroll position and leaves every place as it was.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <utility>

#include "ListHost.h"
#include "ResourceIds.h"
#include "SkinIds.h"
#include "controls/Paint.h"
#include "support/Driver.h"
#include "support/ScaledSkin.h"

namespace lists {
namespace {

using Edges = std::array<LONG, 4>;

using test::EdgesOf;

Edges In(HWND child, HWND ancestor) {
  return test::EdgesWithin(child, ancestor);
}

class ListScaleTest : public ListTest {
 protected:
  // The skin at `dpi`: the program's own at 96, pictures of the scaled sizes otherwise.
  ui::skin::ListSkin SkinAt(int dpi) {
    ui::skin::ListSkin look = MakeListSkin();
    if (dpi == 96) return look;
    const auto at = [&](const app::SkinBitmap& design) -> app::SkinBitmap {
      win::UniqueBitmap& picture = pictures_[{design.get(), dpi}];
      if (!picture) picture = test::ScaledPicture(design.get(), win::Scale(dpi));
      return picture.get();
    };
    look.rows = at(look.rows);
    look.hot = at(look.hot);
    look.hotScroll = at(look.hotScroll);
    for (auto* faces : {look.scrollBar.up, look.scrollBar.down, look.scrollBar.thumb})
      for (size_t i = 0; i < 3; ++i) faces[i] = at(faces[i]);
    look.scrollBar.track = at(look.scrollBar.track);
    look.titleFont = Font(14, FW_BOLD, dpi);
    look.secondFont = Font(13, FW_NORMAL, dpi);
    return look;
  }
  HFONT Font(int height, int weight, int dpi) {
    win::UniqueFont& font = fonts_[{height * 10000 + weight, dpi}];
    if (!font) font = test::ScaledFont(height, weight, win::Scale(dpi));
    return font.get();
  }
  void AddRows(int rows) {
    const HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    for (int n = 0; n < rows; ++n)
      list_->AddItem(icon, L"Row " + std::to_wstring(n), L"Second line", false, n);
  }

  std::map<std::pair<HBITMAP, int>, win::UniqueBitmap> pictures_;
  std::map<std::pair<int, int>, win::UniqueFont> fonts_;
};

// The list's and its bar's design lengths at each scale, as skinscale::Px rounds them.
struct Lengths {
  int dpi;
  int row;       // 48
  int barRight;  // 19: the bar's left edge from the list's right one
  int barInset;  // 5: above and below the bar
  int barWidth;  // 14
  int arrow;     // 15
  int thumb;     // 120
};
constexpr Lengths kLengths[] = {
    {96, 48, 19, 5, 14, 15, 120},
    {144, 72, 29, 8, 21, 23, 180},
    {192, 96, 38, 10, 28, 30, 240},
};

TEST_F(ListScaleTest, AListMadeAtAScaleHasTheScaledRowsAndScrollBarAndClicksFindTheirRows) {
  for (const Lengths& at : kLengths) {
    SCOPED_TRACE(at.dpi);
    const ui::skin::ListSkin skin = SkinAt(at.dpi);
    const SIZE strip = skin.rows.Size();
    ASSERT_EQ(strip.cy, win::Scale(at.dpi).Px(MakeListSkin().rows.Size().cy));
    list_ = std::make_unique<ui::skin::CCustomList>();
    list_->SetScale(win::Scale(at.dpi));
    ASSERT_TRUE(list_->Create(kListAt.x, kListAt.y, skin, host_.hwnd(), kListId));
    AddRows(12);
    host_.Settle();

    EXPECT_EQ(In(list_->hwnd(), host_.hwnd()), (Edges{20, 20, 20 + strip.cx, 20 + strip.cy}));
    EXPECT_EQ(list_->RowHeight(), at.row);
    EXPECT_EQ(list_->VisibleRows(), strip.cy / at.row);
    EXPECT_EQ(EdgesOf(list_->RowRect(1)), (Edges{0, at.row, strip.cx, 2 * at.row}));
    ASSERT_TRUE(list_->ScrollBarShown());
    EXPECT_EQ(In(list_->ScrollBarWindow(), list_->hwnd()),
              (Edges{strip.cx - at.barRight, at.barInset, strip.cx - at.barRight + at.barWidth,
                     strip.cy - at.barInset}));
    EXPECT_EQ(list_->ScrollBar().ArrowHeight(), at.arrow);
    EXPECT_EQ(list_->ScrollBar().ThumbHeight(), at.thumb);
    EXPECT_EQ(list_->ScrollBar().ThumbTop(), at.arrow);
    EXPECT_EQ(test::FontOf(list_->hwnd()), skin.titleFont);

    list_->Scroll(3);
    host_.Forget();
    ClickRow(2);
    EXPECT_EQ(host_.NotesOf(app::kListRowChosenMessage),
              (std::vector<Note>{{app::kListRowChosenMessage, 5, kListId}}));
    // At the bottom the thumb rests on the down arrow.
    list_->Scroll(100);
    const RECT bar = test::RectWithin(list_->ScrollBarWindow(), list_->ScrollBarWindow());
    EXPECT_EQ(list_->ScrollBar().ThumbTop(), (bar.bottom - bar.top) - at.arrow - at.thumb);
    list_.reset();
  }
}

TEST_F(ListScaleTest, AListKeepsItsRowsAndScrollPositionFrom96To192AndBack) {
  MakeList(0);
  AddRows(12);
  list_->Scroll(3);
  host_.Settle();
  const Edges list = In(list_->hwnd(), host_.hwnd()), bar = In(list_->ScrollBarWindow(), list_->hwnd()),
              row = EdgesOf(list_->RowRect(1));
  const int thumb = list_->ScrollBar().ThumbTop();

  for (const int dpi : {192, 96}) {
    SCOPED_TRACE(dpi);
    list_->SetSkin(SkinAt(dpi));
    test::ApplyScale(host_.hwnd(), dpi);
    host_.Settle();
    EXPECT_EQ(list_->Count(), 12U);
    EXPECT_EQ(list_->FirstVisible(), 3);
    EXPECT_EQ(list_->Item(4).title, L"Row 4");
    EXPECT_EQ(list_->RowHeight(), dpi == 192 ? 96 : 48);
    EXPECT_EQ(list_->ScrollBar().GetScale().dpi(), dpi);
    EXPECT_EQ(list_->ScrollBar().Position(), 3);
    EXPECT_EQ(test::FontHeightOf(test::FontOf(list_->hwnd())), win::Scale(dpi).Px(14));
    const Edges now = In(list_->hwnd(), host_.hwnd());
    EXPECT_EQ(now[3] - now[1], SkinAt(dpi).rows.Size().cy);
  }
  EXPECT_EQ(In(list_->hwnd(), host_.hwnd()), list);
  EXPECT_EQ(In(list_->ScrollBarWindow(), list_->hwnd()), bar);
  EXPECT_EQ(EdgesOf(list_->RowRect(1)), row);
  EXPECT_EQ(list_->ScrollBar().ThumbTop(), thumb);
}

TEST_F(ListScaleTest, AListPanelPlacesItsHeadingAndListAtTheScaleAndComesBack) {
  ui::skin::ListPanelLook look;
  look.background = Skin(IDB_PANEL_BACKGROUND);
  look.headingFont = graphics_->Font(app::SharedFont::kTahoma16Bold);
  ui::skin::CCustomListDialog panel;
  ASSERT_TRUE(panel.Create(host_.hwnd(), 9, 30, look, MakeListSkin(), kListId));
  panel.SetHeading(L"Translation programs");
  const HWND heading = ::GetDlgItem(panel.hwnd(), IDC_LIST_HEADING);
  const Edges whole = In(panel.hwnd(), host_.hwnd()), headingAt = In(heading, panel.hwnd()),
              listAt = In(panel.List().hwnd(), panel.hwnd());

  win::UniqueBitmap background = test::ScaledPicture(Skin(IDB_PANEL_BACKGROUND), win::Scale(192));
  ui::skin::ListPanelLook scaled = look;
  scaled.background = background.get();
  scaled.headingFont = Font(16, FW_BOLD, 192);
  panel.SetLook(scaled, SkinAt(192));
  test::ApplyScale(host_.hwnd(), 192);
  const SIZE size = ui::BitmapSize(background.get());
  const Edges panelNow = In(panel.hwnd(), host_.hwnd());
  EXPECT_EQ(panelNow[2] - panelNow[0], size.cx);
  EXPECT_EQ(panelNow[3] - panelNow[1], size.cy);
  const SIZE strip = SkinAt(192).rows.Size();
  // The heading at (18, 14) of the design, 198 wide and 80 deep; the list at (244, 10).
  EXPECT_EQ(In(heading, panel.hwnd()), (Edges{36, 28, 36 + 396, 28 + 160}));
  EXPECT_EQ(In(panel.List().hwnd(), panel.hwnd()), (Edges{488, 20, 488 + strip.cx, 20 + strip.cy}));
  EXPECT_EQ(test::FontOf(panel.hwnd()), scaled.headingFont);
  EXPECT_EQ(panel.Heading(), L"Translation programs");

  panel.SetLook(look, MakeListSkin());
  test::ApplyScale(host_.hwnd(), 96);
  EXPECT_EQ(In(panel.hwnd(), host_.hwnd()), whole);
  EXPECT_EQ(In(heading, panel.hwnd()), headingAt);
  EXPECT_EQ(In(panel.List().hwnd(), panel.hwnd()), listAt);
}

}  // namespace
}  // namespace lists
