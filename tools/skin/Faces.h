// Button faces and control pieces. A face is drawn for one of the four states of a skinned
// button; faces with rounded corners are keyed (magenta outside the shape) and blended, at their
// edges, with the surface they are placed on. Every face is drawn for `dpi` (its design size
// scaled by skinscale::Px); a backdrop image given with it is of the same DPI.
#pragma once

#include "Image.h"
#include "Pictograms.h"

namespace skin {

enum class State { kNormal, kHover, kPressed, kDisabled };

// Main window (backdrop: the window background).
enum class TopButton { kMinimize, kClose };
Image DrawTopButton(TopButton which, State state, const Image& mainBackground, int dpi);
Image DrawHelpButton(State state, const Image& mainBackground, int dpi);
enum class BottomGlyph { kNone, kHome, kBack };
Image DrawBottomButton(BottomGlyph glyph, State state, const Image& mainBackground, int dpi);
enum class MenuGlyph { kRestore, kMinimize, kClose };
Image DrawMenuBitmap(MenuGlyph glyph, int dpi);

// Start page (backdrop: the start page background). Columns 0 and 1, rows 0..2.
Image DrawStartLarge(State state, const Image& startBackground, int dpi);
Image DrawStartSmall(Pictogram pictogram, int column, int row, State state, const Image& startBackground,
                     int dpi);

// Ribbon tab number `index` (0..6, left to right).
Image DrawTab(Pictogram pictogram, int index, State state, const Image& mainBackground, int dpi);

// Panel controls.
Image DrawPushButton(State state, int dpi);
Image DrawCheckBox(bool ticked, State state, int dpi);
Image DrawComboDrop(State state, int dpi);
Image DrawScrollArrow(bool up, State state, int dpi);
Image DrawScrollTrack(int dpi);
Image DrawScrollThumb(State state, int dpi);
enum class ListRows { kPlain, kHot, kHotBesideScrollBar };
Image DrawListRows(ListRows kind, int dpi);

}  // namespace skin
