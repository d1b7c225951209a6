// The menu buttons, the ribbon, the start page and the check box from the keyboard and for screen
// readers, in a real window: keys posted to the focused control as the system posts them, the
// focus cue and the access-key underline read back from the screen, and what each control tells a
// screen reader.
#include <gtest/gtest.h>

#include <oleacc.h>

#include "ControlsHost.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "controls/CustomCheckbox.h"
#include "controls/MainMenuDialog.h"
#include "controls/MenuButton.h"
#include "controls/MenuRibbon.h"
#include "menu/TabTable.h"
#include "support/Accessibility.h"
#include "support/Driver.h"
#include "win/ComScope.h"
#include "win/KeyboardCues.h"

namespace controls {
namespace {

constexpr int kAccessId = 4711;
constexpr int kRibbonId = 1234;

// A key as the system posts it: the scan code in bits 16-23, bit 30 set for a repeat and on an up.
void PostKey(HWND to, UINT message, WPARAM key, bool repeat = false) {
  LPARAM lParam = 1 | static_cast<LPARAM>(::MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC) << 16);
  if (repeat || message == WM_KEYUP) lParam |= 1L << 30;
  if (message == WM_KEYUP) lParam |= static_cast<LPARAM>(1u << 31);
  ::PostMessageW(to, message, key, lParam);
}

// What a person does with a key on the focused control.
enum class Press { kSpace, kSpaceHeld, kEnter, kEnterHeld, kBmClick, kArrowUp };

void Do(HWND control, Press press) {
  switch (press) {
    case Press::kSpace:
      PostKey(control, WM_KEYDOWN, VK_SPACE);
      PostKey(control, WM_KEYUP, VK_SPACE);
      break;
    case Press::kSpaceHeld:  // auto-repeat while held: still one press
      PostKey(control, WM_KEYDOWN, VK_SPACE);
      PostKey(control, WM_KEYDOWN, VK_SPACE, true);
      PostKey(control, WM_KEYDOWN, VK_SPACE, true);
      PostKey(control, WM_KEYUP, VK_SPACE);
      break;
    case Press::kEnter: PostKey(control, WM_KEYDOWN, VK_RETURN); break;
    case Press::kEnterHeld:
      PostKey(control, WM_KEYDOWN, VK_RETURN);
      PostKey(control, WM_KEYDOWN, VK_RETURN, true);
      break;
    case Press::kBmClick: ::PostMessageW(control, BM_CLICK, 0, 0); break;
    case Press::kArrowUp: PostKey(control, WM_KEYDOWN, VK_UP); break;
  }
}

class KeyboardAccessTest : public ControlsTest {
 protected:
  bool MakeButton(CMenuButton& button, MenuButtonStyle style, POINT at, int id = kAccessId) {
    button.SetScale(graphics_->Scale());
    if (!button.Create(at.x, at.y, graphics_->Bitmap(IDB_PUSH_NORMAL), graphics_->Bitmap(IDB_PUSH_HOVER),
                       graphics_->Bitmap(IDB_PUSH_PRESSED), style, 0, 0, host_.hwnd(), id))
      return false;
    button.SetCaptionFont(graphics_->Font(app::SharedFont::kTahoma12Bold), RGB(255, 255, 255));
    return true;
  }

  bool MakeCheckbox(ui::skin::CCustomCheckbox& box, POINT at) {
    const ui::skin::CheckboxSkin skin{
        graphics_->Bitmap(IDB_CHECK_OFF_NORMAL),     graphics_->Bitmap(IDB_CHECK_OFF_HOVER),
        graphics_->Bitmap(IDB_CHECK_OFF_PRESSED),    graphics_->Bitmap(IDB_CHECK_ON_NORMAL),
        graphics_->Bitmap(IDB_CHECK_ON_HOVER),       graphics_->Bitmap(IDB_CHECK_ON_PRESSED),
        graphics_->Font(app::SharedFont::kTahoma12), RGB(255, 255, 255)};
    return box.Create(at.x, at.y, IDS_SHOW_ALL_FEATURES, host_.hwnd(), kAccessId, skin);
  }

  // The host's screen at `control`'s place.
  Pixels Shot(HWND control) {
    ::RedrawWindow(host_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    host_.Settle();
    const Pixels screen = Grab(host_.hwnd());
    const RECT rc = RectIn(control, host_.hwnd());
    Pixels part;
    part.width = rc.right - rc.left;
    part.height = rc.bottom - rc.top;
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x) part.data.push_back(screen.At(x, y));
    return part;
  }

  std::vector<Note> Commands() const {
    std::vector<Note> commands;
    for (const Note& note : host_.Notes())
      if (note.message == WM_COMMAND) commands.push_back(note);
    return commands;
  }
};

// Each key press on a focused button is one click, as the mouse's: Space on its up, Enter on its
// down, held keys not again, BM_CLICK (the dialog manager's access key) too; a disabled button
// gives nothing.
TEST_F(KeyboardAccessTest, EachKeyPressOnAButtonIsExactlyOneClick) {
  const struct {
    const char* what;
    MenuButtonStyle style;
    Press press;
    bool disabled;
    size_t commands;
  } cases[] = {
      {"push button, Space", MenuButtonStyle::kPush, Press::kSpace, false, 1},
      {"push button, Space held", MenuButtonStyle::kPush, Press::kSpaceHeld, false, 1},
      {"push button, Enter", MenuButtonStyle::kPush, Press::kEnter, false, 1},
      {"push button, Enter held", MenuButtonStyle::kPush, Press::kEnterHeld, false, 1},
      {"push button, BM_CLICK", MenuButtonStyle::kPush, Press::kBmClick, false, 1},
      {"push button, an arrow", MenuButtonStyle::kPush, Press::kArrowUp, false, 0},
      {"start page card, Space", MenuButtonStyle::kCard, Press::kSpace, false, 1},
      {"start page card, Enter", MenuButtonStyle::kCard, Press::kEnter, false, 1},
      {"large button, BM_CLICK", MenuButtonStyle::kLarge, Press::kBmClick, false, 1},
      {"Home, Enter", MenuButtonStyle::kGlyph, Press::kEnter, false, 1},
      {"disabled, Space", MenuButtonStyle::kPush, Press::kSpace, true, 0},
      {"disabled, Enter", MenuButtonStyle::kPush, Press::kEnter, true, 0},
      {"disabled, BM_CLICK", MenuButtonStyle::kCard, Press::kBmClick, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CMenuButton button;
    ASSERT_TRUE(MakeButton(button, c.style, {100, 200}));
    if (c.disabled) button.SetState(MenuButtonState::kDisabled, true);
    ::SetFocus(button.hwnd());
    ASSERT_EQ(::GetFocus(), button.hwnd());
    host_.Forget();
    Do(button.hwnd(), c.press);
    host_.Settle();
    const std::vector<Note> once{{WM_COMMAND, MAKEWPARAM(kAccessId, BN_CLICKED)}};
    EXPECT_EQ(Commands(), c.commands ? once : std::vector<Note>{});
    EXPECT_EQ(button.State(), c.disabled ? MenuButtonState::kDisabled : MenuButtonState::kNormal);
  }
}

// Space shows the press while it is down and clicks on its up; the focus leaving meanwhile gives
// the press up.
TEST_F(KeyboardAccessTest, SpacePressesOnItsDownAndClicksOnItsUp) {
  CMenuButton button, other;
  ASSERT_TRUE(MakeButton(button, MenuButtonStyle::kPush, {100, 200}));
  ASSERT_TRUE(MakeButton(other, MenuButtonStyle::kPush, {100, 300}, kAccessId + 1));
  ::SetFocus(button.hwnd());
  PostKey(button.hwnd(), WM_KEYDOWN, VK_SPACE);
  host_.Settle();
  EXPECT_EQ(button.State(), MenuButtonState::kPressed);
  EXPECT_TRUE(Commands().empty()) << "clicked on the key's down";
  PostKey(button.hwnd(), WM_KEYUP, VK_SPACE);
  host_.Settle();
  EXPECT_EQ(Commands().size(), 1u);
  EXPECT_EQ(button.State(), MenuButtonState::kNormal);

  host_.Forget();
  PostKey(button.hwnd(), WM_KEYDOWN, VK_SPACE);
  host_.Settle();
  ::SetFocus(other.hwnd());
  PostKey(button.hwnd(), WM_KEYUP, VK_SPACE);
  host_.Settle();
  EXPECT_TRUE(Commands().empty()) << "a press given up clicked";
  EXPECT_EQ(button.State(), MenuButtonState::kNormal);
}

// The dialog manager treats the buttons as push buttons and leaves Enter to them: the focused button
// is clicked, and the dialog's default command (IDOK) never comes.
TEST_F(KeyboardAccessTest, TheDialogManagerLeavesEnterToTheFocusedButton) {
  CMenuButton button;
  ASSERT_TRUE(MakeButton(button, MenuButtonStyle::kPush, {100, 200}));
  EXPECT_EQ(::SendMessageW(button.hwnd(), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  EXPECT_NE(::GetWindowLongPtrW(button.hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
  ::SetFocus(button.hwnd());
  host_.Forget();
  MSG key{};
  key.hwnd = button.hwnd();
  key.message = WM_KEYDOWN;
  key.wParam = VK_RETURN;
  key.lParam = static_cast<LPARAM>(1 | (::MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC) << 16));
  EXPECT_TRUE(::IsDialogMessageW(host_.hwnd(), &key));
  host_.Settle();
  EXPECT_EQ(Commands(), (std::vector<Note>{{WM_COMMAND, MAKEWPARAM(kAccessId, BN_CLICKED)}}));

  // A disabled button is no tab stop until it is enabled again; one told so never is.
  button.SetState(MenuButtonState::kDisabled, true);
  EXPECT_EQ(::GetWindowLongPtrW(button.hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
  button.SetState(MenuButtonState::kNormal, true);
  EXPECT_NE(::GetWindowLongPtrW(button.hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
  button.SetTabStop(false);
  EXPECT_EQ(::GetWindowLongPtrW(button.hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
}

// The check box toggles once per key press, tells its parent as a click does, and a screen reader
// sees a check button with its state.
TEST_F(KeyboardAccessTest, TheCheckBoxTogglesOncePerKeyPress) {
  ui::skin::CCustomCheckbox box;
  ASSERT_TRUE(MakeCheckbox(box, {100, 400}));
  EXPECT_NE(::GetWindowLongPtrW(box.hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(::GetWindowLongPtrW(box.ImageButton(), GWL_STYLE) & WS_TABSTOP, 0) << "the picture is a stop";
  ::SetFocus(box.hwnd());
  bool ticked = false;
  for (Press press : {Press::kSpace, Press::kSpaceHeld, Press::kEnter, Press::kEnterHeld, Press::kBmClick}) {
    SCOPED_TRACE(static_cast<int>(press));
    host_.Forget();
    Do(box.hwnd(), press);
    host_.Settle();
    ticked = !ticked;
    EXPECT_EQ(Commands(), (std::vector<Note>{{WM_COMMAND, MAKEWPARAM(kAccessId, BN_CLICKED)}}));
    EXPECT_EQ(box.Ticked(), ticked);
    EXPECT_EQ(box.AccState(CHILDID_SELF), ticked ? STATE_SYSTEM_CHECKED : 0);
    EXPECT_EQ(box.AccDefaultAction(CHILDID_SELF), ticked ? L"Uncheck" : L"Check");
  }
  EXPECT_EQ(box.AccRole(CHILDID_SELF), ROLE_SYSTEM_CHECKBUTTON);
  EXPECT_EQ(box.AccName(CHILDID_SELF), box.Text());
  EXPECT_EQ(box.AccName(CHILDID_SELF), L"Show all features of VANTO translators");

  // The default action is posted: nothing has happened when the call returns.
  host_.Forget();
  EXPECT_TRUE(box.AccDoDefaultAction(CHILDID_SELF));
  EXPECT_TRUE(Commands().empty());
  host_.Settle();
  EXPECT_EQ(Commands().size(), 1u);
  EXPECT_EQ(box.Ticked(), !ticked);
}

class RibbonKeysTest : public KeyboardAccessTest {
 protected:
  void SetUp() override {
    KeyboardAccessTest::SetUp();
    ASSERT_TRUE(
        ribbon_.Create(9, 52, host_.hwnd(), kRibbonId, graphics_->Font(app::SharedFont::kTahoma12Bold)));
  }

  static int Slot(size_t i) { return ui::TabInRibbonSlot(i)->ribbonId; }

  // The tab messages the host was sent, without the tabs' WM_COMMANDs.
  std::vector<Note> TabNotes() const {
    std::vector<Note> notes;
    for (const Note& note : host_.Notes())
      if (note.message != WM_COMMAND) notes.push_back(note);
    return notes;
  }

  CMenuRibbon ribbon_;
};

// The ribbon is one tab stop; the arrows, Home and End select the tab as a click on it does,
// skipping disabled tabs, and leave the focus on the ribbon; Enter on the selected tab goes back to
// its list as a click on it does.
TEST_F(RibbonKeysTest, ArrowsHomeAndEndSelectTabsAsAClickDoes) {
  EXPECT_NE(::GetWindowLongPtrW(ribbon_.hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
  for (size_t i = 0; i < CMenuRibbon::kTabCount; ++i)
    EXPECT_EQ(::GetWindowLongPtrW(ribbon_.Tab(Slot(i))->hwnd(), GWL_STYLE) & WS_TABSTOP, 0) << i;
  EXPECT_EQ(::SendMessageW(ribbon_.hwnd(), WM_GETDLGCODE, 0, 0),
            DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_WANTARROWS);
  ribbon_.EnableTab(Slot(2), false);
  ribbon_.Mark(Slot(1));
  ::SetFocus(ribbon_.hwnd());
  const struct {
    const char* what;
    WPARAM key;
    std::vector<Note> notes;
    int selected;
  } cases[] = {
      {"Right skips the disabled tab",
       VK_RIGHT,
       {{app::kTabLeftMessage, static_cast<WPARAM>(Slot(1))},
        {app::kTabEnteredMessage, static_cast<WPARAM>(Slot(3))}},
       Slot(3)},
      {"Left skips it back",
       VK_LEFT,
       {{app::kTabLeftMessage, static_cast<WPARAM>(Slot(3))},
        {app::kTabEnteredMessage, static_cast<WPARAM>(Slot(1))}},
       Slot(1)},
      {"End",
       VK_END,
       {{app::kTabLeftMessage, static_cast<WPARAM>(Slot(1))},
        {app::kTabEnteredMessage, static_cast<WPARAM>(Slot(6))}},
       Slot(6)},
      {"Right at the end stays", VK_RIGHT, {}, Slot(6)},
      {"Home",
       VK_HOME,
       {{app::kTabLeftMessage, static_cast<WPARAM>(Slot(6))},
        {app::kTabEnteredMessage, static_cast<WPARAM>(Slot(0))}},
       Slot(0)},
      {"Home on the first stays", VK_HOME, {}, Slot(0)},
      {"Enter on the selected tab goes back to its list", VK_RETURN, {{app::kBackMessage, 0}}, Slot(0)},
      {"Up does nothing", VK_UP, {}, Slot(0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    host_.Forget();
    PostKey(ribbon_.hwnd(), WM_KEYDOWN, c.key);
    host_.Settle();
    EXPECT_EQ(TabNotes(), c.notes);
    EXPECT_EQ(ribbon_.SelectedId(), c.selected);
    EXPECT_EQ(::GetFocus(), ribbon_.hwnd());
  }
}

// Ctrl+Tab's step goes round the row both ways, over disabled tabs; with none selected it starts at
// an end.
TEST_F(RibbonKeysTest, SelectNextGoesRoundTheRow) {
  ribbon_.EnableTab(Slot(0), false);
  const struct {
    bool backwards;
    int selected;
  } steps[] = {{false, Slot(1)}, {true, Slot(6)}, {false, Slot(1)}, {false, Slot(2)}, {true, Slot(1)}};
  for (const auto& step : steps) {
    host_.Forget();
    ribbon_.SelectNext(step.backwards);
    host_.Settle();
    EXPECT_EQ(ribbon_.SelectedId(), step.selected);
    EXPECT_EQ(TabNotes().back(), (Note{app::kTabEnteredMessage, static_cast<WPARAM>(step.selected)}));
  }
}

// Screen readers: the ribbon is a page tab list named by its open tab, its tabs page tabs with the
// selected one marked, and their default action switches.
TEST_F(RibbonKeysTest, TellsScreenReadersOfPageTabs) {
  ribbon_.Mark(Slot(3));
  EXPECT_EQ(ribbon_.AccRole(CHILDID_SELF), ROLE_SYSTEM_PAGETABLIST);
  const CMenuButton& selected = *ribbon_.Tab(Slot(3));
  EXPECT_EQ(ribbon_.AccName(CHILDID_SELF), selected.AccName(CHILDID_SELF));
  for (size_t i = 0; i < CMenuRibbon::kTabCount; ++i) {
    CMenuButton& tab = *ribbon_.Tab(Slot(i));
    SCOPED_TRACE(i);
    EXPECT_EQ(tab.AccRole(CHILDID_SELF), ROLE_SYSTEM_PAGETAB);
    EXPECT_EQ(tab.AccName(CHILDID_SELF), tab.Caption());
    EXPECT_FALSE(tab.AccName(CHILDID_SELF).empty());
    EXPECT_EQ(tab.AccState(CHILDID_SELF), STATE_SYSTEM_SELECTABLE | (i == 3 ? STATE_SYSTEM_SELECTED : 0));
    EXPECT_EQ(tab.AccDefaultAction(CHILDID_SELF), L"Switch");
  }
  host_.Forget();
  EXPECT_TRUE(ribbon_.Tab(Slot(5))->AccDoDefaultAction(CHILDID_SELF));
  EXPECT_TRUE(TabNotes().empty()) << "the action ran inside the call";
  host_.Settle();
  EXPECT_EQ(ribbon_.SelectedId(), Slot(5));
}

class StartPageKeysTest : public KeyboardAccessTest {
 protected:
  void SetUp() override {
    KeyboardAccessTest::SetUp();
    const MainMenuFonts fonts{
        graphics_->Font(app::SharedFont::kTahoma18Bold), graphics_->Font(app::SharedFont::kTahoma14Bold),
        graphics_->Font(app::SharedFont::kTahoma12), graphics_->Font(app::SharedFont::kTahoma12Bold)};
    ASSERT_TRUE(page_.Create(host_.hwnd(), 9, 107, fonts));
    ::ShowWindow(page_.hwnd(), SW_SHOW);
  }

  // The button in start slot `i`: 0 the large one, 1-3 the left column, 4-6 the right one.
  HWND Slot(size_t i) { return page_.Button(ui::TabInStartSlot(i)->startButtonId)->hwnd(); }

  CMainMenuDialog page_;
};

// The arrows move the focus to the enabled button that lies that way, and give no command.
TEST_F(StartPageKeysTest, ArrowsMoveTheFocusAsTheButtonsLie) {
  page_.SetButtonState(ui::TabInStartSlot(5)->startButtonId, MenuButtonState::kDisabled, true);
  const struct {
    size_t from;
    WPARAM key;
    size_t to;
  } cases[] = {
      // The large button spans both columns: the left one comes first.
      {0, VK_DOWN, 1},
      {0, VK_LEFT, 1},
      {0, VK_RIGHT, 4},
      {1, VK_UP, 0},
      {4, VK_UP, 0},
      {1, VK_DOWN, 2},
      {2, VK_DOWN, 3},
      {3, VK_DOWN, 3},
      {1, VK_RIGHT, 4},
      {4, VK_LEFT, 1},
      {1, VK_LEFT, 1},
      {4, VK_DOWN, 6},
      {6, VK_UP, 4},
      {3, VK_RIGHT, 6},
      // Nothing in line to the right (that one is disabled): the nearest that way, first in reading order.
      {2, VK_RIGHT, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " key " << c.key);
    ::SetFocus(Slot(c.from));
    host_.Forget();
    PostKey(Slot(c.from), WM_KEYDOWN, c.key);
    host_.Settle();
    EXPECT_EQ(::GetFocus(), Slot(c.to));
    EXPECT_TRUE(Commands().empty());
  }
}

// A card tells a screen reader its caption, its second line as description, and its state.
TEST_F(StartPageKeysTest, ACardTellsItsNameDescriptionAndState) {
  CMenuButton& card = *page_.Button(ui::TabInStartSlot(1)->startButtonId);
  EXPECT_EQ(card.AccRole(CHILDID_SELF), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(card.AccName(CHILDID_SELF), card.Caption());
  EXPECT_FALSE(card.AccName(CHILDID_SELF).empty());
  EXPECT_EQ(card.AccDescription(CHILDID_SELF), card.Description());
  EXPECT_FALSE(card.AccDescription(CHILDID_SELF).empty());
  EXPECT_EQ(card.AccDefaultAction(CHILDID_SELF), L"Press");
  EXPECT_EQ(card.AccState(CHILDID_SELF), 0);
  card.SetState(MenuButtonState::kDisabled, true);
  EXPECT_EQ(card.AccState(CHILDID_SELF), STATE_SYSTEM_UNAVAILABLE);
  EXPECT_FALSE(card.AccDoDefaultAction(CHILDID_SELF));
  card.SetState(MenuButtonState::kNormal, true);
  host_.Forget();
  EXPECT_TRUE(card.AccDoDefaultAction(CHILDID_SELF));
  EXPECT_TRUE(Commands().empty()) << "the action ran inside the call";
  host_.Settle();
  EXPECT_EQ(Commands(), (std::vector<Note>{{WM_COMMAND, MAKEWPARAM(card.Id(), BN_CLICKED)}}));
}

// '&' marks the access key: the caption shown and read has no marker, "&&" is one '&'.
TEST_F(KeyboardAccessTest, AMarkedCaptionShowsItsKeyAndReadsWithoutTheMarker) {
  CMenuButton button;
  ASSERT_TRUE(MakeButton(button, MenuButtonStyle::kPush, {100, 200}));
  const struct {
    const wchar_t* marked;
    const wchar_t* shown;
    wchar_t key;
    const wchar_t* shortcut;
  } cases[] = {
      {L"&Translate", L"Translate", L'T', L"Alt+T"},
      {L"Sa&ve && quit", L"Save & quit", L'v', L"Alt+V"},
      {L"Fish && chips", L"Fish & chips", 0, L""},
      {L"Plain", L"Plain", 0, L""},
      {L"End&", L"End", 0, L""},
      {L"", L"", 0, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.marked)));
    button.SetCaption(c.marked);
    EXPECT_EQ(button.Caption(), c.shown);
    EXPECT_EQ(button.MarkedCaption(), c.marked);
    EXPECT_EQ(test::WindowText(button.hwnd()), c.marked) << "the dialog manager reads the key here";
    EXPECT_EQ(button.AccessKey(), c.key);
    EXPECT_EQ(button.AccName(CHILDID_SELF), c.shown);
    EXPECT_EQ(button.AccKeyboardShortcut(CHILDID_SELF), c.shortcut);
  }
}

// While the window hides access keys the marked caption is drawn exactly as the plain one; once it
// shows them, the key is underlined.
TEST_F(KeyboardAccessTest, TheAccessKeyIsUnderlinedOnlyWhileTheWindowShowsThem) {
  CMenuButton button;
  ASSERT_TRUE(MakeButton(button, MenuButtonStyle::kPush, {100, 200}));
  win::HideKeyboardCues(host_.hwnd());
  button.SetCaption(L"Translate");
  const Pixels plain = Shot(button.hwnd());
  button.SetCaption(L"&Translate");
  EXPECT_EQ(test::CountDifferences(Shot(button.hwnd()), plain), 0u) << "a hidden key shows";
  win::ShowKeyboardCues(host_.hwnd());
  ASSERT_TRUE(win::AccessKeysShown(button.hwnd()));
  EXPECT_GT(test::CountDifferences(Shot(button.hwnd()), plain), 0u) << "no underline";
  button.SetCaption(L"Translate");
  EXPECT_EQ(test::CountDifferences(Shot(button.hwnd()), plain), 0u) << "a caption without a key changed";
}

// The focus cue: only on the focused button (or the ribbon's tab, the check box's picture) and only
// while the window shows focus cues; it lies on the control's edge and leaves everything else alone.
TEST_F(KeyboardAccessTest, TheFocusCueShowsOnlyWithTheFocusAndShownCues) {
  CMenuButton button, other;
  ASSERT_TRUE(MakeButton(button, MenuButtonStyle::kPush, {100, 200}));
  ASSERT_TRUE(MakeButton(other, MenuButtonStyle::kPush, {100, 300}, kAccessId + 1));
  win::HideKeyboardCues(host_.hwnd());
  ::SetFocus(other.hwnd());
  const Pixels plain = Shot(button.hwnd());
  ::SetFocus(button.hwnd());
  EXPECT_EQ(test::CountDifferences(Shot(button.hwnd()), plain), 0u) << "a cue while cues are hidden";
  win::ShowKeyboardCues(host_.hwnd());
  ASSERT_TRUE(win::FocusCuesShown(button.hwnd()));
  const Pixels cue = Shot(button.hwnd());
  // Every changed pixel lies on the ring two pixels inside the edge, and the ring is mostly changed.
  const int inset = graphics_->Scale().Px(2), width = graphics_->Scale().Px(1);
  int onRing = 0, offRing = 0;
  for (int y = 0; y < cue.height; ++y)
    for (int x = 0; x < cue.width; ++x) {
      if (cue.At(x, y) == plain.At(x, y)) continue;
      const int edge = std::min({x, y, cue.width - 1 - x, cue.height - 1 - y});
      (edge >= inset && edge < inset + width ? onRing : offRing) += 1;
    }
  EXPECT_EQ(offRing, 0);
  EXPECT_GT(onRing, (cue.width + cue.height) / 2);
  ::SetFocus(other.hwnd());
  EXPECT_EQ(test::CountDifferences(Shot(button.hwnd()), plain), 0u) << "the cue stayed after the focus left";

  // The ribbon's cue is on the tab it stands on, the check box's round its picture.
  CMenuRibbon ribbon;
  ASSERT_TRUE(ribbon.Create(9, 52, host_.hwnd(), kRibbonId, graphics_->Font(app::SharedFont::kTahoma12Bold)));
  const HWND firstTab = ribbon.Tab(ui::TabInRibbonSlot(0)->ribbonId)->hwnd();
  const Pixels tabPlain = Shot(firstTab);
  ::SetFocus(ribbon.hwnd());
  EXPECT_GT(test::CountDifferences(Shot(firstTab), tabPlain), 0u) << "no cue on the ribbon's tab";
  ui::skin::CCustomCheckbox box;
  ASSERT_TRUE(MakeCheckbox(box, {100, 400}));
  const Pixels boxPlain = Shot(box.ImageButton());
  ::SetFocus(box.hwnd());
  EXPECT_GT(test::CountDifferences(Shot(box.ImageButton()), boxPlain), 0u) << "no cue on the check box";
  EXPECT_EQ(test::CountDifferences(Shot(firstTab), tabPlain), 0u) << "the ribbon kept its cue";
  win::HideKeyboardCues(host_.hwnd());
  EXPECT_EQ(test::CountDifferences(Shot(box.ImageButton()), boxPlain), 0u);
}

}  // namespace
}  // namespace controls

namespace controls {
namespace {

// Through oleacc, as a screen reader reads them: the start page's card, the selected tab and the
// ticked check box, each with its name, role, state and default action; the default action clicks as
// the mouse does.
class ScreenReaderTest : public StartPageKeysTest {
 protected:
  void SetUp() override {
    StartPageKeysTest::SetUp();
    ASSERT_TRUE(com_.ok());
    ASSERT_TRUE(
        ribbon_.Create(9, 52, host_.hwnd(), kRibbonId, graphics_->Font(app::SharedFont::kTahoma12Bold)));
    ASSERT_TRUE(MakeCheckbox(box_, {100, 520}));
  }

  win::ComApartment com_;
  CMenuRibbon ribbon_;
  ui::skin::CCustomCheckbox box_;
};

TEST_F(ScreenReaderTest, OleaccReadsNameRoleStateAndActionOfEachControl) {
  ribbon_.Mark(ui::TabInRibbonSlot(2)->ribbonId);
  box_.SetTicked(true);
  CMenuButton& card = *page_.Button(ui::TabInStartSlot(1)->startButtonId);
  const CMenuButton& tab = *ribbon_.Tab(ui::TabInRibbonSlot(2)->ribbonId);
  const struct {
    const char* what;
    HWND window;
    std::wstring name, description;
    long role;
    long state;  // these bits at least
    long notState;
    std::wstring action;
  } cases[] = {
      {"start page card", card.hwnd(), card.Caption(), card.Description(), ROLE_SYSTEM_PUSHBUTTON,
       STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_UNAVAILABLE, L"Press"},
      {"selected tab", tab.hwnd(), tab.Caption(), L"", ROLE_SYSTEM_PAGETAB,
       STATE_SYSTEM_SELECTED | STATE_SYSTEM_SELECTABLE, STATE_SYSTEM_FOCUSABLE, L"Switch"},
      {"ribbon", ribbon_.hwnd(), tab.Caption(), L"", ROLE_SYSTEM_PAGETABLIST, STATE_SYSTEM_FOCUSABLE, 0, L""},
      {"ticked check box", box_.hwnd(), L"Show all features of VANTO translators", L"",
       ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED | STATE_SYSTEM_FOCUSABLE, 0, L"Uncheck"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const test::ComPtr<IAccessible> object = test::AccessibleOf(c.window);
    ASSERT_TRUE(object);
    const test::AccNode node = test::Describe({object, CHILDID_SELF});
    EXPECT_EQ(node.name, c.name);
    EXPECT_FALSE(node.name.empty());
    EXPECT_EQ(node.description, c.description);
    EXPECT_EQ(node.role, c.role);
    EXPECT_EQ(node.state & c.state, c.state) << std::hex << node.state;
    EXPECT_EQ(node.state & c.notState, 0) << std::hex << node.state;
    EXPECT_EQ(node.defaultAction, c.action);
  }

  // The card's default action gives the command a click gives, once, after the call has returned.
  host_.Forget();
  const test::ComPtr<IAccessible> object = test::AccessibleOf(card.hwnd());
  ASSERT_TRUE(object);
  EXPECT_EQ(test::DoDefaultAction({object, CHILDID_SELF}), S_OK);
  EXPECT_TRUE(Commands().empty());
  host_.Settle();
  EXPECT_EQ(Commands(), (std::vector<Note>{{WM_COMMAND, MAKEWPARAM(card.Id(), BN_CLICKED)}}));
  // A disabled card has none to do, and says it is unavailable.
  card.SetState(MenuButtonState::kDisabled, true);
  EXPECT_NE(test::Describe({object, CHILDID_SELF}).state & STATE_SYSTEM_UNAVAILABLE, 0);
  host_.Forget();
  EXPECT_NE(test::DoDefaultAction({object, CHILDID_SELF}), S_OK);
  host_.Settle();
  EXPECT_TRUE(Commands().empty());
}

}  // namespace
}  // namespace controls
