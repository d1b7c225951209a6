// The ribbon in a real window: tab clicks posted as mouse input, the tab protocol read from what the
// host window was sent, the selected face read back from the screen.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>

#include "ControlsHost.h"
#include "SkinIds.h"
#include "support/Driver.h"
#include "controls/MenuRibbon.h"
#include "controls/Paint.h"
#include "menu/TabTable.h"
#include "support/TestPaths.h"
#include "win/Resources.h"

namespace controls {
namespace {

using namespace std::chrono_literals;

constexpr POINT kRibbonAt{9, 52};
constexpr int kRibbonControlId = 1234;

class RibbonTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ASSERT_TRUE(ribbon_.Create(kRibbonAt.x, kRibbonAt.y, host_.hwnd(), kRibbonControlId,
                               graphics_->Font(app::SharedFont::kTahoma12Bold)));
  }

  // Clicks tab `id` and returns what the host was told.
  std::vector<Note> ClickTab(int id) {
    host_.Forget();
    test::Click(ribbon_.Tab(id)->hwnd());
    host_.Settle();
    return TabNotes();
  }

  // The host's notes without the tabs' own WM_COMMANDs, which the main window ignores.
  std::vector<Note> TabNotes() const {
    std::vector<Note> notes;
    for (const Note& note : host_.Notes())
      if (note.message != WM_COMMAND) notes.push_back(note);
    return notes;
  }

  CMenuRibbon ribbon_;
};

TEST_F(RibbonTest, IsSevenTabsOfTheFirstFaceSideBySide) {
  const SIZE tab = ui::BitmapSize(win::UniqueBitmap(ui::LoadSkinBitmap(IDB_TAB_TRANSLATION_NORMAL)).get());
  ASSERT_GT(tab.cx, 0);
  const RECT rc = RectIn(ribbon_.hwnd(), host_.hwnd());
  EXPECT_EQ(rc.left, kRibbonAt.x);
  EXPECT_EQ(rc.top, kRibbonAt.y);
  EXPECT_EQ(rc.right - rc.left, 7 * tab.cx);
  EXPECT_EQ(rc.bottom - rc.top, tab.cy);
  EXPECT_EQ(::GetDlgCtrlID(ribbon_.hwnd()), kRibbonControlId);

  // Each tab in its slot of the tab table, with its own command as its ID.
  for (const ui::TabRow& row : ui::kTabs) {
    SCOPED_TRACE(row.ribbonId);
    const RECT tabRect = RectIn(ribbon_.Tab(row.ribbonId)->hwnd(), ribbon_.hwnd());
    EXPECT_EQ(tabRect.left, row.ribbonSlot * tab.cx);
    EXPECT_EQ(tabRect.top, 0);
    EXPECT_EQ(::GetDlgCtrlID(ribbon_.Tab(row.ribbonId)->hwnd()), row.ribbonId);
  }
}

// Every face the tab table names for the ribbon and the start page is a bitmap of the skin, and the
// faces of one kind have one size (the ribbon and the start page are laid out from the first).
TEST_F(RibbonTest, EveryFaceOfTheTabTableIsInTheSkin) {
  const HMODULE self = ::GetModuleHandleW(nullptr);
  const SIZE tab = ui::BitmapResourceSize(self, ui::kTabs[0].ribbonFaces[0]);
  const SIZE card = ui::BitmapResourceSize(self, ui::TabInStartSlot(1)->startFaces[0]);
  for (const ui::TabRow& row : ui::kTabs) {
    for (int face : row.ribbonFaces) {
      const SIZE size = ui::BitmapResourceSize(self, face);
      EXPECT_TRUE(size.cx == tab.cx && size.cy == tab.cy) << "ribbon face " << face;
    }
    for (int face : row.startFaces) {
      const SIZE size = ui::BitmapResourceSize(self, face);
      EXPECT_GT(size.cx, 0) << "start-page face " << face;
      if (row.startSlot != 0) {
        EXPECT_TRUE(size.cx == card.cx && size.cy == card.cy) << "card face " << face;
      }
    }
  }
  EXPECT_GT(tab.cx, 0);
  EXPECT_GT(card.cx, 0);
}

TEST_F(RibbonTest, TheFirstClickOnlyEntersASecondLeavesTheOldTabFirst) {
  EXPECT_EQ(ClickTab(335), (std::vector<Note>{{app::kTabEnteredMessage, 335}}));
  EXPECT_EQ(ribbon_.SelectedId(), 335);
  EXPECT_EQ(ClickTab(338), (std::vector<Note>{{app::kTabLeftMessage, 335}, {app::kTabEnteredMessage, 338}}));
  EXPECT_EQ(ribbon_.SelectedId(), 338);
  EXPECT_EQ(ribbon_.Tab(338)->State(), MenuButtonState::kPressed);
  EXPECT_NE(ribbon_.Tab(335)->State(), MenuButtonState::kPressed);
}

TEST_F(RibbonTest, ClickingTheSelectedTabOnlyAsksToGoBackToItsList) {
  ClickTab(348);
  EXPECT_EQ(ClickTab(348), (std::vector<Note>{{app::kBackMessage, 0}}));
  EXPECT_EQ(ribbon_.SelectedId(), 348);
  EXPECT_EQ(ribbon_.Tab(348)->State(), MenuButtonState::kPressed);
}

TEST_F(RibbonTest, MarkSelectsSilentlyAndTheNextClickLeavesTheMarkedTab) {
  ribbon_.Mark(353);
  host_.Settle();
  EXPECT_TRUE(TabNotes().empty());
  EXPECT_EQ(ribbon_.SelectedId(), 353);
  EXPECT_EQ(ClickTab(335), (std::vector<Note>{{app::kTabLeftMessage, 353}, {app::kTabEnteredMessage, 335}}));
}

TEST_F(RibbonTest, ClearForgetsTheSelectionAndKeepsDisabledTabsUnlessForced) {
  ribbon_.EnableTab(342, false);
  ClickTab(345);
  ribbon_.Clear(false);
  EXPECT_EQ(ribbon_.SelectedId(), 0);
  EXPECT_EQ(ribbon_.Tab(345)->State(), MenuButtonState::kNormal);
  EXPECT_EQ(ribbon_.Tab(342)->State(), MenuButtonState::kDisabled);
  // Nothing is selected now, so nothing is left.
  EXPECT_EQ(ClickTab(345), (std::vector<Note>{{app::kTabEnteredMessage, 345}}));

  ribbon_.Clear(true);
  EXPECT_EQ(ribbon_.SelectedId(), 0);
  for (const ui::TabRow& row : ui::kTabs)
    EXPECT_EQ(ribbon_.Tab(row.ribbonId)->State(), MenuButtonState::kNormal) << row.ribbonId;
}

TEST_F(RibbonTest, ADisabledTabIgnoresClicks) {
  ClickTab(335);
  ribbon_.EnableTab(342, false);
  EXPECT_TRUE(ClickTab(342).empty());
  EXPECT_TRUE(host_.Notes().empty());
  EXPECT_EQ(ribbon_.SelectedId(), 335);
  EXPECT_EQ(ribbon_.Tab(342)->State(), MenuButtonState::kDisabled);
}

TEST_F(RibbonTest, TheSelectedTabShowsItsSelectedFaceOnTheScreen) {
  ClickTab(353);
  // Leave the tab so that no hover look remains anywhere.
  ::RedrawWindow(host_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const Pixels selected = SkinPixels(IDB_TAB_LAUNCH_PRESSED), normal = SkinPixels(IDB_TAB_LAUNCH_NORMAL);
  const Pixels otherNormal = SkinPixels(IDB_TAB_TRANSLATION_NORMAL),
               otherSelected = SkinPixels(IDB_TAB_TRANSLATION_PRESSED);
  const RECT caption = RECT{2, 47, selected.width - 2, selected.height - 10};
  const POINT launchAt{kRibbonAt.x + 3 * selected.width, kRibbonAt.y};
  const POINT translationAt{kRibbonAt.x, kRibbonAt.y};
  double share = 0, other = 0;
  EXPECT_TRUE(test::WaitUntil(
      [&] {
        const Pixels screen = Grab(host_.hwnd());
        share = ShareShowing(screen, launchAt, selected, normal, caption);
        other = ShareShowing(screen, translationAt, otherNormal, otherSelected, caption);
        return share > 0.98 && other > 0.98;
      },
      5s))
      << "selected face " << share << ", neighbour's normal face " << other;
}

// The caption's ink: where the tab on the screen differs from its normal face inside the caption
// rectangle. Empty when nothing is drawn there.
RECT CaptionInk(const Pixels& screen, POINT origin, const Pixels& face, const RECT& caption) {
  RECT ink{caption.right, caption.bottom, caption.left, caption.top};
  for (int y = caption.top; y < caption.bottom; ++y)
    for (int x = caption.left; x < caption.right; ++x) {
      const COLORREF shown = screen.At(origin.x + x, origin.y + y), own = face.At(x, y);
      const int difference = std::abs(GetRValue(shown) - GetRValue(own)) +
                             std::abs(GetGValue(shown) - GetGValue(own)) +
                             std::abs(GetBValue(shown) - GetBValue(own));
      if (difference < 60) continue;
      ink = {std::min(ink.left, static_cast<LONG>(x)), std::min(ink.top, static_cast<LONG>(y)),
             std::max(ink.right, static_cast<LONG>(x + 1)), std::max(ink.bottom, static_cast<LONG>(y + 1))};
    }
  return ink;
}

// Each language's captions in their tabs: whole, clear of the tab's edges, wrapped at blanks or soft
// hyphens or drawn in a smaller face where they are too long; where a caption fits, it stays as it
// always was drawn (its own text, the ribbon's font).
TEST_F(RibbonTest, EveryCaptionInEveryLanguageShowsWholeInsideItsTab) {
  const std::map<std::wstring, std::set<int>> relaid = {
      {L"ENU", {}}, {L"DEU", {338, 355}}, {L"FRA", {338}}, {L"ESN", {338, 355}}, {L"RUS", {348}}};
  constexpr POINT kAt{9, 250};
  const HFONT font = graphics_->Font(app::SharedFont::kTahoma12Bold);
  ::SetCursorPos(TestHost::kWidth + 100, TestHost::kHeight + 100);  // no tab hovered
  for (const auto& [language, changed] : relaid) {
    SCOPED_TRACE(::testing::PrintToString(language));
    const std::wstring path = (test::BinFolder() / (L"StartdeckRes" + language + L".dll")).wstring();
    win::UniqueModule library(
        ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(library);
    const HMODULE strings = library.get();
    win::AdoptResourceModule(std::move(library));
    CMenuRibbon ribbon;
    const bool made = ribbon.Create(kAt.x, kAt.y, host_.hwnd(), kRibbonControlId + 1, font);
    std::map<int, std::wstring> captions;
    for (const ui::TabRow& row : ui::kTabs)
      captions[row.ribbonId] = win::LoadStringFrom(strings, row.ribbonCaptionId);
    win::ResetResourceModule();
    ASSERT_TRUE(made);
    ::RedrawWindow(host_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    host_.Settle();
    const Pixels screen = Grab(host_.hwnd());

    std::set<int> seen;
    for (size_t i = 0; i < CMenuRibbon::kTabCount; ++i) {
      const ui::TabRow& row = *ui::TabInRibbonSlot(i);
      const int id = row.ribbonId;
      const CMenuButton& tab = *ribbon.Tab(id);
      SCOPED_TRACE(::testing::PrintToString(tab.Caption()));
      std::wstring plain = captions[id];
      std::erase(plain, L'\u00AD');
      EXPECT_EQ(test::WindowText(tab.hwnd()), plain);
      if (tab.Caption() != plain || ribbon.CaptionFont(id) != font) seen.insert(id);
      const Pixels face = SkinPixels(row.ribbonFaces[0]);
      const RECT rect = tab.CaptionRect();
      const RECT ink = CaptionInk(screen, {kAt.x + static_cast<LONG>(i) * face.width, kAt.y}, face, rect);
      ASSERT_LT(ink.left, ink.right) << "no caption drawn";
      EXPECT_GE(ink.left, rect.left + 2);
      EXPECT_LE(ink.right, rect.right - 2);
      EXPECT_GT(ink.top, rect.top);
      EXPECT_LT(ink.bottom, rect.bottom);
      // Balanced: a caption cut at both ends would fill the width evenly to the edges.
      EXPECT_LE(std::abs((ink.left - rect.left) - (rect.right - ink.right)), 3);
    }
    EXPECT_EQ(seen, changed);
    if (!changed.empty())
      std::wcout << L"screenshot: " << test::SaveScreenshot(L"controls-ribbon-" + language).wstring()
                 << L"\n";
  }
}

}  // namespace
}  // namespace controls
