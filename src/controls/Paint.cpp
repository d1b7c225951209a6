#include "controls/Paint.h"

#include <string>

#include "core/SkinImage.h"
#include "core/SkinLibrary.h"
#include "win/Handle.h"
#include "win/KeyboardCues.h"

namespace ui {

SIZE BitmapSize(HBITMAP bitmap) noexcept {
  BITMAP info{};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) == 0) return {0, 0};
  return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

SIZE BitmapResourceSize(HMODULE module, int id) noexcept {
  return app::SkinImageSize(module, id);
}

HBITMAP LoadSkinBitmap(int id) noexcept {
  return app::LoadSkinImage(::GetModuleHandleW(nullptr), id);
}

app::SkinPicture SkinPictureOf(int id, win::Scale scale) {
  if (!scale.IsDesign()) {
    if (const HMODULE scaled = app::ProgramScaledSkin()) {
      std::wstring type = app::SkinResourceType(app::kSkinImageType, scale);
      if (app::SkinImageSize(scaled, id, type.c_str()).cx > 0) return {scaled, id, std::move(type)};
    }
  }
  return {::GetModuleHandleW(nullptr), id, app::kSkinImageType};
}

HBITMAP LoadSkinBitmap(int id, win::Scale scale) noexcept {
  const app::SkinPicture source = SkinPictureOf(id, scale);
  return app::LoadSkinImage(source.module, id, source.type.c_str());
}

SIZE SkinBitmapSize(int id, win::Scale scale) noexcept {
  const app::SkinPicture source = SkinPictureOf(id, scale);
  return app::SkinImageSize(source.module, id, source.type.c_str());
}

void DrawFrame(HDC dc, const RECT& rc, COLORREF color, int thickness) noexcept {
  win::UniqueBrush brush(::CreateSolidBrush(color));
  RECT ring = rc;
  for (int i = 0; i < thickness && !::IsRectEmpty(&ring); ++i) {
    ::FrameRect(dc, &ring, brush.get());
    ::InflateRect(&ring, -1, -1);
  }
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y) noexcept {
  if (!bitmap) return;
  const win::BitmapDc source(dc, bitmap);
  if (!source) return;
  const SIZE size = BitmapSize(bitmap);
  ::BitBlt(dc, x, y, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
}

void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y) noexcept {
  if (!bitmap) return;
  const win::BitmapDc source(dc, bitmap);
  if (!source) return;
  const SIZE size = BitmapSize(bitmap);
  ::TransparentBlt(dc, x, y, size.cx, size.cy, source.get(), 0, 0, size.cx, size.cy, kTransparent);
}

void PaintParentBackground(HWND child, HDC dc, const RECT& rc) noexcept {
  HWND parent = ::GetParent(child);
  if (!parent) return;
  POINT origin{0, 0};
  ::MapWindowPoints(child, parent, &origin, 1);
  POINT old{};
  ::OffsetWindowOrgEx(dc, origin.x, origin.y, &old);
  // The parent paints its background for WM_PRINTCLIENT into our DC, shifted to our position.
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, rc.left + origin.x, rc.top + origin.y, rc.right + origin.x, rc.bottom + origin.y);
  ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  ::RestoreDC(dc, saved);
  ::SetWindowOrgEx(dc, old.x, old.y, nullptr);
}

SIZE MeasureText(HWND window, HFONT font, std::wstring_view text, int width, UINT format) noexcept {
  RECT rc{0, 0, width, 0};
  const win::WindowDc dc(window);
  if (!dc) return {};
  win::SelectScope select(dc.get(), font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
  ::DrawTextW(dc.get(), text.data(), static_cast<int>(text.size()), &rc, DT_CALCRECT | format);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

std::wstring WithoutAccessMarkers(std::wstring_view text) {
  std::wstring shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&') {
      if (i + 1 == text.size()) break;  // a lone marker at the end marks nothing
      ++i;                              // "&&" shows one '&'; "&x" shows x
    }
    shown += text[i];
  }
  return shown;
}

wchar_t AccessKeyOf(std::wstring_view text) noexcept {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] != L'&') return text[i + 1];
    ++i;
  }
  return 0;
}

std::wstring AccessShortcutOf(std::wstring_view text) {
  const wchar_t key = AccessKeyOf(text);
  if (key == 0) return {};
  wchar_t upper[2] = {key, 0};
  ::CharUpperW(upper);
  return std::wstring(L"Alt+") + upper[0];
}

UINT AccessKeyDrawFlags(HWND window) noexcept {
  return win::AccessKeysShown(window) ? 0u : static_cast<UINT>(DT_HIDEPREFIX);
}

COLORREF ContrastTextColor(bool unavailable) noexcept {
  return ::GetSysColor(unavailable ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
}

LRESULT DialogCodeTakingEnter(LRESULT code, LPARAM lParam) noexcept {
  const auto* key = reinterpret_cast<const MSG*>(lParam);
  return key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN ? code | DLGC_WANTMESSAGE : code;
}

}  // namespace ui
