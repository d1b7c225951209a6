// Pictures and fonts of the skin at another scale, for tests of the controls' layout there: a
// picture of the design brought to its scaled size (as the skin draws it for that DPI, size for
// size), a Tahoma font of a scaled height, and the scale message handed down a window tree the way
// the main window hands it down.
#pragma once

#include <windows.h>

#include <array>
#include <cstdlib>

#include "core/PrivateMessages.h"
#include "win/Dc.h"
#include "win/Handle.h"
#include "win/Scale.h"

namespace test {

// `design` at `scale`: skinscale::Px of its width and height, its pixels stretched to fill them.
inline win::UniqueBitmap ScaledPicture(HBITMAP design, win::Scale scale) {
  BITMAP info{};
  if (!design || ::GetObjectW(design, sizeof(info), &info) == 0) return {};
  const int width = info.bmWidth, height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  const SIZE scaled = scale.Px(SIZE{width, height});
  const win::WindowDc screen(nullptr);
  win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), scaled.cx, scaled.cy));
  win::UniqueMemoryDc from(::CreateCompatibleDC(screen.get())), to(::CreateCompatibleDC(screen.get()));
  if (!bitmap || !from || !to) return {};
  {
    win::SelectScope source(from.get(), design);
    win::SelectScope target(to.get(), bitmap.get());
    ::SetStretchBltMode(to.get(), COLORONCOLOR);
    ::StretchBlt(to.get(), 0, 0, scaled.cx, scaled.cy, from.get(), 0, 0, width, height, SRCCOPY);
  }
  return bitmap;
}

// Tahoma `designHeight` pixels high (cell height, as the shared fonts are made) at `scale`.
inline win::UniqueFont ScaledFont(int designHeight, int weight, win::Scale scale) {
  return win::UniqueFont(::CreateFontW(scale.Px(designHeight), 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0,
                                       0, CLEARTYPE_QUALITY, 0, L"Tahoma"));
}

// The height a font was made with; 0 for none.
inline int FontHeightOf(HFONT font) {
  LOGFONTW logFont{};
  if (!font || ::GetObjectW(font, sizeof(logFont), &logFont) == 0) return 0;
  return std::abs(logFont.lfHeight);
}

// The font `window` says it draws its text with (WM_GETFONT).
inline HFONT FontOf(HWND window) {
  return reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
}

// Sends app::kApplyScaleMessage to `root` and every window below it, each parent before its children.
inline void ApplyScale(HWND root, int dpi) {
  ::SendMessageW(root, app::kApplyScaleMessage, static_cast<WPARAM>(dpi), 0);
  for (HWND child = ::GetWindow(root, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    ApplyScale(child, dpi);
}

// `child`'s rectangle in the client coordinates of `ancestor`.
inline RECT RectWithin(HWND child, HWND ancestor) {
  RECT rc{};
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(nullptr, ancestor, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// A rectangle's four edges, which tests compare as one value.
inline std::array<LONG, 4> EdgesOf(const RECT& rc) {
  return {rc.left, rc.top, rc.right, rc.bottom};
}
inline std::array<LONG, 4> EdgesWithin(HWND child, HWND ancestor) {
  return EdgesOf(RectWithin(child, ancestor));
}

}  // namespace test
