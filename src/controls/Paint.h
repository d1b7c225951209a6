// Small drawing helpers shared by the skinned windows.
#pragma once

#include <windows.h>

#include <string_view>

#include "win/Dc.h"
#include "win/Scale.h"

namespace ui {

// The skin's transparent colour.
inline constexpr COLORREF kTransparent = RGB(255, 0, 255);

[[nodiscard]] SIZE BitmapSize(HBITMAP bitmap) noexcept;
// The size of skin picture `id` of `module`, read from its header without decoding it; {0, 0}
// when there is no such picture.
[[nodiscard]] SIZE BitmapResourceSize(HMODULE module, int id) noexcept;
// Skin bitmap `id` of the program's own file (never of a language library) as a DIB section; null
// when it is missing.
[[nodiscard]] HBITMAP LoadSkinBitmap(int id) noexcept;
// The same picture as drawn for `scale` (from the scaled skin library beside the program), and its
// size read without decoding it. The design's own picture stands in where the library lacks it, so
// that a control's size and the picture it draws always agree.
[[nodiscard]] HBITMAP LoadSkinBitmap(int id, win::Scale scale) noexcept;
[[nodiscard]] SIZE SkinBitmapSize(int id, win::Scale scale) noexcept;

// Copies `bitmap` to (x, y) of `dc`, leaving its magenta pixels out.
void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y) noexcept;

// Frames `rc` in `color`, `thickness` pixels wide (a design pixel at the window's scale).
void DrawFrame(HDC dc, const RECT& rc, COLORREF color, int thickness) noexcept;

// Fills `rc` of a child's DC with what the parent draws behind it, so the child can be see-through.
void PaintParentBackground(HWND child, HDC dc, const RECT& rc) noexcept;

// The size `text` takes when drawn in `window` with `font` (the default GUI font when null) within
// `width`, as DrawTextW measures it with DT_CALCRECT and `format`.
[[nodiscard]] SIZE MeasureText(HWND window, HFONT font, std::wstring_view text, int width,
                               UINT format) noexcept;

}  // namespace ui
