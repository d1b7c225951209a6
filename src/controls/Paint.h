// Small drawing helpers shared by the skinned windows.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/SkinImage.h"
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
// Where that picture is read from: the scaled skin library's set of that scale, or the program's
// own set at 100 % and whenever the library lacks the picture (the shared graphics then fall back
// to 100 % as a whole, so the window's scale is the design's too).
[[nodiscard]] app::SkinPicture SkinPictureOf(int id, win::Scale scale);

// Copies `bitmap` whole to (x, y) of `dc`.
void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y) noexcept;
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

// Access keys in captions: "&x" marks x as the key, "&&" is a literal '&'.
// `text` as shown, without its markers.
[[nodiscard]] std::wstring WithoutAccessMarkers(std::wstring_view text);
// The character marked in `text` (the first one, as the dialog manager finds it), 0 for none.
[[nodiscard]] wchar_t AccessKeyOf(std::wstring_view text) noexcept;
// "Alt+X" for the key marked in `text`, empty for none.
[[nodiscard]] std::wstring AccessShortcutOf(std::wstring_view text);
// DrawTextW flags for a caption with access keys in `window`: underlines hidden until the window
// shows access keys.
[[nodiscard]] UINT AccessKeyDrawFlags(HWND window) noexcept;

// The text colour of a caption in high contrast: the button text, grey when unavailable.
[[nodiscard]] COLORREF ContrastTextColor(bool unavailable) noexcept;

// The answer to WM_GETDLGCODE of a control that acts on Enter itself: `code`, and for the Enter key
// (`lParam` is the message the dialog manager asks about) the wish to have it, so the dialog's
// default command never sees it.
[[nodiscard]] LRESULT DialogCodeTakingEnter(LRESULT code, LPARAM lParam) noexcept;

}  // namespace ui
