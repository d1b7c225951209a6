// Where the pieces sit in the main window, and their sizes. The window, its ribbon, start page and
// panels are drawn to fit each other; these numbers are the one place that says how.
//
//   y   0 ..  45  title band: product mark at (6, 6), product name, minimise/close at top right
//   y  52 .. 146  ribbon: seven tabs of 96 x 94 from x = 9 (hidden on the start page, where the
//                 welcome text sits in this band)
//   y 107 .. 476  start page (672 x 369) at (9, 107)
//   y 146 .. 476  panels (672 x 330) at (9, 146): help column x 0..236, content x 237..671
//   y 476 .. 526  bottom bar: Help at the left, push buttons 12 px from the right and bottom
#pragma once

namespace skin::layout {

inline constexpr int kWindowWidth = 690;
inline constexpr int kWindowHeight = 526;
inline constexpr int kTitleBandHeight = 45;
inline constexpr int kMarkX = 6, kMarkY = 6, kMarkSize = 32;  // inside the icon's (5,5)-(40,40) zone

inline constexpr int kRibbonX = 9, kRibbonY = 52;
inline constexpr int kTabWidth = 96, kTabHeight = 94;  // 7 x 96 = 672, the panel's width

inline constexpr int kStartX = 9, kStartY = 107;
inline constexpr int kStartWidth = 672, kStartHeight = 369;
inline constexpr int kLargeX = 20, kLargeY = 15;  // the large button, fixed on the page
inline constexpr int kLargeWidth = 632, kLargeHeight = 72;
inline constexpr int kSmallWidth = 326, kSmallHeight = 84;  // columns at x 1 and 327
inline constexpr int kSmallY = kLargeHeight + 29;           // first row; rows are H + 1 apart
inline constexpr int kCardLeft = 19, kCardRight = 325;      // visible card inside a small face

inline constexpr int kPanelX = 9, kPanelY = 146;
inline constexpr int kPanelWidth = 672, kPanelHeight = 330;
inline constexpr int kColumnWidth = 236;  // the blue help column

inline constexpr int kTopButtonY = 6;  // minimise and close
inline constexpr int kCloseWidth = 34, kMinimizeWidth = 30, kTopButtonHeight = 20;
inline constexpr int kCloseRightMargin = 9;
inline constexpr int kBottomButtonWidth = 90, kBottomButtonHeight = 26;
inline constexpr int kBottomButtonY = kWindowHeight - 12 - kBottomButtonHeight;
inline constexpr int kHelpSize = 20;
inline constexpr int kHelpX = 7, kHelpY = kWindowHeight - 35;  // beside the label at (30, bottom - 33)

// Panel controls.
inline constexpr int kListX = 244, kListY = 10;  // list inside a panel
inline constexpr int kListWidth = 420, kListRowHeight = 48, kListRows = 5;
inline constexpr int kScrollWidth = 14, kScrollArrowHeight = 15, kThumbHeight = 120;
inline constexpr int kPushWidth = 104, kPushHeight = 24;
inline constexpr int kDropSize = 18;  // the combo box is 22 px tall
inline constexpr int kCheckSize = 16;
inline constexpr int kMenuBitmapSize = 13;  // SM_CXMENUCHECK at 96 dpi

}  // namespace skin::layout
