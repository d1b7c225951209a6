// Button faces and control pieces. A face is drawn for one of the four states of a skinned
// button; faces with rounded corners are keyed (magenta outside the shape) and blended, at their
// edges, with the surface they are placed on.
#pragma once

#include "Image.h"
#include "Pictograms.h"

namespace skin {

enum class State { kNormal, kHover, kPressed, kDisabled };

// Main window (backdrop: the window background).
enum class TopButton { kMinimize, kClose };
Image DrawTopButton(TopButton which, State state, const Image& mainBackground);
Image DrawHelpButton(State state, const Image& mainBackground);
enum class BottomGlyph { kNone, kHome, kBack };
Image DrawBottomButton(BottomGlyph glyph, State state, const Image& mainBackground);
enum class MenuGlyph { kRestore, kMinimize, kClose };
Image DrawMenuBitmap(MenuGlyph glyph);

// Start page (backdrop: the start page background). Columns 0 and 1, rows 0..2.
Image DrawStartLarge(State state, const Image& startBackground);
Image DrawStartSmall(Pictogram pictogram, int column, int row, State state, const Image& startBackground);

// Ribbon tab number `index` (0..6, left to right).
Image DrawTab(Pictogram pictogram, int index, State state, const Image& mainBackground);

// Panel controls.
Image DrawPushButton(State state);
Image DrawCheckBox(bool ticked, State state);
Image DrawComboDrop(State state);
Image DrawScrollArrow(bool up, State state);
Image DrawScrollTrack();
Image DrawScrollThumb(State state);
enum class ListRows { kPlain, kHot, kHotBesideScrollBar };
Image DrawListRows(ListRows kind);

}  // namespace skin
