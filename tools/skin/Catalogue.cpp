#include "Catalogue.h"

#include "SkinIds.h"
#include "Canvas.h"
#include "Faces.h"
#include "ProductMark.h"
#include "Surfaces.h"

namespace skin {
namespace {

using P = Pictogram;
using S = State;
constexpr bool K = true, O = false;  // keyed (magenta), opaque
constexpr unsigned kLeft = kTopLeft | kBottomLeft, kRight = kTopRight | kBottomRight;

// Sizes are ours to choose except where a control fixes them: the scroll bar is 14 px wide with
// 15 px arrows and a 120 px thumb; the ribbon is seven tabs wide, as wide as the panels; the
// start page's small buttons sit in two columns W + 1 apart. Everything else follows Layout.h.
constexpr Entry kBitmaps[] = {
    // Main window.
    {IDB_MAIN_BACKGROUND, "main_background", 690, 526, O, 0,
     "main window background, title band with the mark", [](const Surfaces& s) { return s.main; }},
    {IDB_CLOSE_NORMAL, "close_normal", 34, 20, K, kRight, "close button",
     [](const Surfaces& s) { return DrawTopButton(TopButton::kClose, S::kNormal, s.main, s.dpi); }},
    {IDB_CLOSE_HOVER, "close_hover", 34, 20, K, kRight, "close button, hover (red)",
     [](const Surfaces& s) { return DrawTopButton(TopButton::kClose, S::kHover, s.main, s.dpi); }},
    {IDB_CLOSE_PRESSED, "close_pressed", 34, 20, K, kRight, "close button, pressed",
     [](const Surfaces& s) { return DrawTopButton(TopButton::kClose, S::kPressed, s.main, s.dpi); }},
    {IDB_MINIMIZE_NORMAL, "minimize_normal", 30, 20, K, kLeft, "minimise button",
     [](const Surfaces& s) { return DrawTopButton(TopButton::kMinimize, S::kNormal, s.main, s.dpi); }},
    {IDB_MINIMIZE_HOVER, "minimize_hover", 30, 20, K, kLeft, "minimise button, hover",
     [](const Surfaces& s) { return DrawTopButton(TopButton::kMinimize, S::kHover, s.main, s.dpi); }},
    {IDB_MINIMIZE_PRESSED, "minimize_pressed", 30, 20, K, kLeft, "minimise button, pressed",
     [](const Surfaces& s) { return DrawTopButton(TopButton::kMinimize, S::kPressed, s.main, s.dpi); }},
    {IDB_HELP_NORMAL, "help_normal", 20, 20, K, kAllCorners, "Help picture button",
     [](const Surfaces& s) { return DrawHelpButton(S::kNormal, s.main, s.dpi); }},
    {IDB_HELP_HOVER, "help_hover", 20, 20, K, kAllCorners, "Help picture button, hover",
     [](const Surfaces& s) { return DrawHelpButton(S::kHover, s.main, s.dpi); }},
    {IDB_HELP_PRESSED, "help_pressed", 20, 20, K, kAllCorners, "Help picture button, pressed",
     [](const Surfaces& s) { return DrawHelpButton(S::kPressed, s.main, s.dpi); }},
    {IDB_EXIT_NORMAL, "exit_normal", 90, 26, K, kAllCorners, "Exit push button",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kNone, S::kNormal, s.main, s.dpi); }},
    {IDB_EXIT_HOVER, "exit_hover", 90, 26, K, kAllCorners, "Exit push button, hover",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kNone, S::kHover, s.main, s.dpi); }},
    {IDB_EXIT_PRESSED, "exit_pressed", 90, 26, K, kAllCorners, "Exit push button, pressed",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kNone, S::kPressed, s.main, s.dpi); }},
    {IDB_ABOUT_NORMAL, "about_normal", 90, 26, K, kAllCorners, "About push button",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kNone, S::kNormal, s.main, s.dpi); }},
    {IDB_ABOUT_HOVER, "about_hover", 90, 26, K, kAllCorners, "About push button, hover",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kNone, S::kHover, s.main, s.dpi); }},
    {IDB_ABOUT_PRESSED, "about_pressed", 90, 26, K, kAllCorners, "About push button, pressed",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kNone, S::kPressed, s.main, s.dpi); }},
    {IDB_LAUNCH_NORMAL, "launch_normal", 90, 26, K, kAllCorners, "Launch/Install push button",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kNone, S::kNormal, s.main, s.dpi); }},
    {IDB_LAUNCH_HOVER, "launch_hover", 90, 26, K, kAllCorners, "Launch/Install push button, hover",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kNone, S::kHover, s.main, s.dpi); }},
    {IDB_LAUNCH_PRESSED, "launch_pressed", 90, 26, K, kAllCorners, "Launch/Install push button, pressed",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kNone, S::kPressed, s.main, s.dpi); }},
    {IDB_HOME_NORMAL, "home_normal", 90, 26, K, kAllCorners, "Home button, house left of x = 19",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kHome, S::kNormal, s.main, s.dpi); }},
    {IDB_HOME_HOVER, "home_hover", 90, 26, K, kAllCorners, "Home button, hover",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kHome, S::kHover, s.main, s.dpi); }},
    {IDB_HOME_PRESSED, "home_pressed", 90, 26, K, kAllCorners, "Home button, pressed",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kHome, S::kPressed, s.main, s.dpi); }},
    {IDB_BACK_NORMAL, "back_normal", 90, 26, K, kAllCorners, "Back button, arrow left of x = 19",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kBack, S::kNormal, s.main, s.dpi); }},
    {IDB_BACK_HOVER, "back_hover", 90, 26, K, kAllCorners, "Back button, hover",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kBack, S::kHover, s.main, s.dpi); }},
    {IDB_BACK_PRESSED, "back_pressed", 90, 26, K, kAllCorners, "Back button, pressed",
     [](const Surfaces& s) { return DrawBottomButton(BottomGlyph::kBack, S::kPressed, s.main, s.dpi); }},
    {IDB_SYSMENU_RESTORE, "sysmenu_restore", 13, 13, O, 0, "system menu: Restore (white = menu colour)",
     [](const Surfaces& s) { return DrawMenuBitmap(MenuGlyph::kRestore, s.dpi); }},
    {IDB_SYSMENU_MINIMIZE, "sysmenu_minimize", 13, 13, O, 0, "system menu: Minimize",
     [](const Surfaces& s) { return DrawMenuBitmap(MenuGlyph::kMinimize, s.dpi); }},
    {IDB_SYSMENU_CLOSE, "sysmenu_close", 13, 13, O, 0, "system menu: Close",
     [](const Surfaces& s) { return DrawMenuBitmap(MenuGlyph::kClose, s.dpi); }},

    // Shared panel pieces.
    {IDB_COMBO_DROP_NORMAL, "combo_drop_normal", 18, 18, K, kAllCorners, "combo box drop button",
     [](const Surfaces& s) { return DrawComboDrop(S::kNormal, s.dpi); }},
    {IDB_COMBO_DROP_HOVER, "combo_drop_hover", 18, 18, K, kAllCorners, "combo box drop button, hover",
     [](const Surfaces& s) { return DrawComboDrop(S::kHover, s.dpi); }},
    {IDB_COMBO_DROP_PRESSED, "combo_drop_pressed", 18, 18, K, kAllCorners, "combo box drop button, pressed",
     [](const Surfaces& s) { return DrawComboDrop(S::kPressed, s.dpi); }},
    {IDB_COMBO_DROP_DISABLED, "combo_drop_disabled", 18, 18, K, kAllCorners,
     "combo box drop button, disabled", [](const Surfaces& s) { return DrawComboDrop(S::kDisabled, s.dpi); }},
    {IDB_SCROLL_DOWN_NORMAL, "scroll_down_normal", 14, 15, O, 0, "scroll bar down arrow",
     [](const Surfaces& s) { return DrawScrollArrow(false, S::kNormal, s.dpi); }},
    {IDB_SCROLL_DOWN_HOVER, "scroll_down_hover", 14, 15, O, 0, "scroll bar down arrow, hover",
     [](const Surfaces& s) { return DrawScrollArrow(false, S::kHover, s.dpi); }},
    {IDB_SCROLL_DOWN_PRESSED, "scroll_down_pressed", 14, 15, O, 0, "scroll bar down arrow, pressed",
     [](const Surfaces& s) { return DrawScrollArrow(false, S::kPressed, s.dpi); }},
    {IDB_SCROLL_TRACK, "scroll_track", 14, 32, O, 0, "scroll bar track, stretched to the bar's height",
     [](const Surfaces& s) { return DrawScrollTrack(s.dpi); }},
    {IDB_SCROLL_UP_NORMAL, "scroll_up_normal", 14, 15, O, 0, "scroll bar up arrow",
     [](const Surfaces& s) { return DrawScrollArrow(true, S::kNormal, s.dpi); }},
    {IDB_SCROLL_UP_HOVER, "scroll_up_hover", 14, 15, O, 0, "scroll bar up arrow, hover",
     [](const Surfaces& s) { return DrawScrollArrow(true, S::kHover, s.dpi); }},
    {IDB_SCROLL_UP_PRESSED, "scroll_up_pressed", 14, 15, O, 0, "scroll bar up arrow, pressed",
     [](const Surfaces& s) { return DrawScrollArrow(true, S::kPressed, s.dpi); }},
    {IDB_SCROLL_THUMB_NORMAL, "scroll_thumb_normal", 14, 120, K, kAllCorners, "scroll bar thumb",
     [](const Surfaces& s) { return DrawScrollThumb(S::kNormal, s.dpi); }},
    {IDB_SCROLL_THUMB_HOVER, "scroll_thumb_hover", 14, 120, K, kAllCorners, "scroll bar thumb, hover",
     [](const Surfaces& s) { return DrawScrollThumb(S::kHover, s.dpi); }},
    {IDB_SCROLL_THUMB_PRESSED, "scroll_thumb_pressed", 14, 120, K, kAllCorners, "scroll bar thumb, dragged",
     [](const Surfaces& s) { return DrawScrollThumb(S::kPressed, s.dpi); }},
    {IDB_PANEL_BACKGROUND, "panel_background", 672, 330, O, 0, "panel background: help column and content",
     [](const Surfaces& s) { return s.panel; }},
    {IDB_CHECK_OFF_NORMAL, "check_off_normal", 16, 16, K, kAllCorners, "check box, unticked",
     [](const Surfaces& s) { return DrawCheckBox(false, S::kNormal, s.dpi); }},
    {IDB_CHECK_OFF_HOVER, "check_off_hover", 16, 16, K, kAllCorners, "check box, unticked, hover",
     [](const Surfaces& s) { return DrawCheckBox(false, S::kHover, s.dpi); }},
    {IDB_CHECK_OFF_PRESSED, "check_off_pressed", 16, 16, K, kAllCorners, "check box, unticked, pressed",
     [](const Surfaces& s) { return DrawCheckBox(false, S::kPressed, s.dpi); }},
    {IDB_CHECK_ON_NORMAL, "check_on_normal", 16, 16, K, kAllCorners, "check box, ticked",
     [](const Surfaces& s) { return DrawCheckBox(true, S::kNormal, s.dpi); }},
    {IDB_CHECK_ON_HOVER, "check_on_hover", 16, 16, K, kAllCorners, "check box, ticked, hover",
     [](const Surfaces& s) { return DrawCheckBox(true, S::kHover, s.dpi); }},
    {IDB_CHECK_ON_PRESSED, "check_on_pressed", 16, 16, K, kAllCorners, "check box, ticked, pressed",
     [](const Surfaces& s) { return DrawCheckBox(true, S::kPressed, s.dpi); }},
    {IDB_LIST_ROWS, "list_rows", 420, 240, O, 0, "list: five rows of 48 px, framed",
     [](const Surfaces& s) { return DrawListRows(ListRows::kPlain, s.dpi); }},
    {IDB_LIST_ROWS_HOT, "list_rows_hot", 420, 240, O, 0, "list: hovered row (take the row's slice)",
     [](const Surfaces& s) { return DrawListRows(ListRows::kHot, s.dpi); }},
    {IDB_LIST_ROWS_HOT_SCROLL, "list_rows_hot_scroll", 420, 240, O, 0, "list: hovered row, scroll bar shown",
     [](const Surfaces& s) { return DrawListRows(ListRows::kHotBesideScrollBar, s.dpi); }},
    {IDB_PUSH_NORMAL, "push_normal", 104, 24, K, kAllCorners, "panel push button",
     [](const Surfaces& s) { return DrawPushButton(S::kNormal, s.dpi); }},
    {IDB_PUSH_HOVER, "push_hover", 104, 24, K, kAllCorners, "panel push button, hover",
     [](const Surfaces& s) { return DrawPushButton(S::kHover, s.dpi); }},
    {IDB_PUSH_PRESSED, "push_pressed", 104, 24, K, kAllCorners, "panel push button, pressed",
     [](const Surfaces& s) { return DrawPushButton(S::kPressed, s.dpi); }},
    {IDB_PUSH_DISABLED, "push_disabled", 104, 24, K, kAllCorners, "panel push button, disabled",
     [](const Surfaces& s) { return DrawPushButton(S::kDisabled, s.dpi); }},
    {IDB_QUICK_BUTTON_NORMAL, "quick_button_normal", 104, 24, K, kAllCorners,
     "quick translation: Translate, Clear",
     [](const Surfaces& s) { return DrawPushButton(S::kNormal, s.dpi); }},
    {IDB_QUICK_BUTTON_HOVER, "quick_button_hover", 104, 24, K, kAllCorners,
     "quick translation buttons, hover", [](const Surfaces& s) { return DrawPushButton(S::kHover, s.dpi); }},
    {IDB_QUICK_BUTTON_PRESSED, "quick_button_pressed", 104, 24, K, kAllCorners,
     "quick translation buttons, pressed",
     [](const Surfaces& s) { return DrawPushButton(S::kPressed, s.dpi); }},

    // Start page.
    {IDB_START_BACKGROUND, "start_background", 672, 369, O, 0, "start page background",
     [](const Surfaces& s) { return s.start; }},
#define SKIN_LARGE(ID, FILE, STATE, ROLE)                                       \
  {                                                                             \
    ID, FILE, 632, 72, K, kAllCorners, ROLE,                                    \
        [](const Surfaces& s) { return DrawStartLarge(STATE, s.start, s.dpi); } \
  }
    SKIN_LARGE(IDB_START_TRANSLATE_NORMAL, "start_translate_normal", S::kNormal,
               "start: large Translate button"),
    SKIN_LARGE(IDB_START_TRANSLATE_HOVER, "start_translate_hover", S::kHover, "start: Translate, hover"),
    SKIN_LARGE(IDB_START_TRANSLATE_PRESSED, "start_translate_pressed", S::kPressed,
               "start: Translate, pressed"),
    SKIN_LARGE(IDB_START_TRANSLATE_DISABLED, "start_translate_disabled", S::kDisabled,
               "start: Translate, disabled"),
#undef SKIN_LARGE
#define SKIN_SMALL(ID, FILE, PICT, COL, ROW, STATE, ROLE)                                       \
  {                                                                                             \
    ID, FILE, 326, 84, K, kAllCorners, ROLE,                                                    \
        [](const Surfaces& s) { return DrawStartSmall(PICT, COL, ROW, STATE, s.start, s.dpi); } \
  }
#define SKIN_SMALL4(NAME, FILE, PICT, COL, ROW, ROLE)                                                  \
  SKIN_SMALL(IDB_START_##NAME##_NORMAL, "start_" FILE "_normal", PICT, COL, ROW, S::kNormal,           \
             "start: " ROLE),                                                                          \
      SKIN_SMALL(IDB_START_##NAME##_HOVER, "start_" FILE "_hover", PICT, COL, ROW, S::kHover,          \
                 "start: " ROLE ", hover"),                                                            \
      SKIN_SMALL(IDB_START_##NAME##_PRESSED, "start_" FILE "_pressed", PICT, COL, ROW, S::kPressed,    \
                 "start: " ROLE ", pressed"),                                                          \
      SKIN_SMALL(IDB_START_##NAME##_DISABLED, "start_" FILE "_disabled", PICT, COL, ROW, S::kDisabled, \
                 "start: " ROLE ", disabled")
    SKIN_SMALL4(SETUP, "setup", P::kSetup, 0, 0, "Customize Translation (gear)"),
    SKIN_SMALL4(DICTIONARIES, "dictionaries", P::kDictionaries, 0, 1, "VANTO Dictionaries (book)"),
    SKIN_SMALL4(LAUNCH, "launch", P::kLaunch, 0, 2, "Launch Applications (rocket)"),
    SKIN_SMALL4(NET, "net", P::kNetwork, 1, 0, "VANTO NET (network)"),
    SKIN_SMALL4(MYVANTO, "myvanto", P::kMyVanto, 1, 1, "My VANTO (person)"),
    SKIN_SMALL4(GUIDE, "guide", P::kGuide, 1, 2, "User's Guide (document)"),
#undef SKIN_SMALL4
#undef SKIN_SMALL

// Ribbon tabs, left to right.
#define SKIN_TAB(ID, FILE, PICT, INDEX, STATE, ROLE)                                 \
  {                                                                                  \
    ID, FILE, 96, 94, K, kAllCorners, ROLE,                                          \
        [](const Surfaces& s) { return DrawTab(PICT, INDEX, STATE, s.main, s.dpi); } \
  }
#define SKIN_TAB4(NAME, FILE, PICT, INDEX, ROLE)                                                      \
  SKIN_TAB(IDB_TAB_##NAME##_NORMAL, "tab_" FILE "_normal", PICT, INDEX, S::kNormal, "ribbon: " ROLE), \
      SKIN_TAB(IDB_TAB_##NAME##_HOVER, "tab_" FILE "_hover", PICT, INDEX, S::kHover,                  \
               "ribbon: " ROLE ", hover"),                                                            \
      SKIN_TAB(IDB_TAB_##NAME##_PRESSED, "tab_" FILE "_selected", PICT, INDEX, S::kPressed,           \
               "ribbon: " ROLE ", selected"),                                                         \
      SKIN_TAB(IDB_TAB_##NAME##_DISABLED, "tab_" FILE "_disabled", PICT, INDEX, S::kDisabled,         \
               "ribbon: " ROLE ", disabled")
    SKIN_TAB4(TRANSLATION, "translation", P::kTranslation, 0, "Translation"),
    SKIN_TAB4(SETUP, "setup", P::kSetup, 1, "Translation Setup"),
    SKIN_TAB4(DICTIONARIES, "dictionaries", P::kDictionaries, 2, "VANTO Dictionaries"),
    SKIN_TAB4(LAUNCH, "launch", P::kLaunch, 3, "Launching Applications"),
    SKIN_TAB4(NET, "net", P::kNetwork, 4, "VANTO NET"),
    SKIN_TAB4(MYVANTO, "myvanto", P::kMyVanto, 5, "My VANTO"),
    SKIN_TAB4(GUIDE, "guide", P::kGuide, 6, "User's Guide"),
#undef SKIN_TAB4
#undef SKIN_TAB
};

constexpr int kIconSizes[] = {16, 32, 48, 256};
const IconSpec kIcon{IDI_STARTDECK, "startdeck", kIconSizes};

}  // namespace

std::span<const Entry> Bitmaps() {
  return kBitmaps;
}

const IconSpec& ProgramIcon() {
  return kIcon;
}

std::vector<Image> DrawIconImages() {
  std::vector<Image> images;
  for (const int size : kIcon.sizes) {
    Canvas c(size, size);
    DrawProductMark(c, 0.f, 0.f, static_cast<float>(size));
    images.push_back(c.FlattenAlpha());
  }
  return images;
}

Surfaces DrawSurfaces(int dpi) {
  Surfaces s;
  s.dpi = dpi;
  s.main = DrawMainBackground(dpi);
  s.start = DrawStartBackground(s.main, dpi);
  s.panel = DrawPanelBackground(s.main, dpi);
  return s;
}

}  // namespace skin
