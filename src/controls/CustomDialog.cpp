#include "controls/CustomDialog.h"

#include "ResourceIds.h"
#include "core/PrivateMessages.h"
#include "controls/Paint.h"
#include "controls/SkinRegion.h"
#include "win/KeyboardCues.h"
#include "win/Resources.h"

namespace ui::skin {
namespace {

HWND MakeStatic(HWND parent, int id, RECT place, HFONT font) {
  HWND control = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                   place.left, place.top, place.right, place.bottom, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   ::GetModuleHandleW(nullptr), nullptr);
  if (control && font) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

}  // namespace

bool CCustomDialog::Create(HWND parent, POINT at, int templateId, const PanelLook& look) {
  look_ = look;
  if (!Dialog::Create(win::ResourceModule(), templateId, parent)) return false;
  ::SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool CCustomDialog::OnInitDialog() {
  const SIZE size = BitmapSize(look_.background);
  if (size.cx > 0) {
    ::SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The window owns the region once it is set.
    win::UniqueRegion region = OpaqueRegion(look_.background);
    if (region && ::SetWindowRgn(hwnd(), region.get(), FALSE)) (void)region.release();
    backgroundBrush_.reset(::CreatePatternBrush(look_.background));
  }
  const POINT at = scale_.Px(kTitleAt);
  title_ = MakeStatic(hwnd(), IDC_PANEL_TITLE, {at.x, at.y, scale_.Px(kTextWidth), scale_.Px(kInitialHeight)},
                      look_.titleFont);
  steps_ = MakeStatic(hwnd(), IDC_PANEL_STEPS,
                      {at.x, at.y, scale_.Px(kStepsInitialWidth), scale_.Px(kInitialHeight)}, look_.bodyFont);
  for (int label : {IDC_PANEL_LABEL1, IDC_PANEL_LABEL2})
    if (HWND control = ::GetDlgItem(hwnd(), label); control && look_.bodyFont)
      ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(look_.bodyFont), FALSE);
  return title_ && steps_ && OnInitPanel();
}

void CCustomDialog::SetScale(win::Scale scale) {
  scale_ = scale;
  if (hwnd()) Layout();
}

void CCustomDialog::SetLook(const PanelLook& look) {
  look_ = look;
  if (hwnd()) Layout();
}

std::wstring CCustomDialog::CurrentText(HWND control) const {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

void CCustomDialog::Layout() {
  const SIZE size = BitmapSize(look_.background);
  if (size.cx > 0) {
    ::SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    win::UniqueRegion region = OpaqueRegion(look_.background);
    if (region && ::SetWindowRgn(hwnd(), region.get(), TRUE)) (void)region.release();
    backgroundBrush_.reset(::CreatePatternBrush(look_.background));
  }
  if (!title_ || !steps_) return;
  ::SendMessageW(title_, WM_SETFONT, reinterpret_cast<WPARAM>(look_.titleFont), FALSE);
  ::SendMessageW(steps_, WM_SETFONT, reinterpret_cast<WPARAM>(look_.bodyFont), FALSE);
  for (int label : {IDC_PANEL_LABEL1, IDC_PANEL_LABEL2})
    if (HWND control = ::GetDlgItem(hwnd(), label); control && look_.bodyFont)
      ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(look_.bodyFont), FALSE);
  const std::wstring title = CurrentText(title_), steps = CurrentText(steps_);
  if (title.empty() && steps.empty()) {
    const POINT at = scale_.Px(kTitleAt);
    ::SetWindowPos(title_, nullptr, at.x, at.y, scale_.Px(kTextWidth), scale_.Px(kInitialHeight),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(steps_, nullptr, at.x, at.y, scale_.Px(kStepsInitialWidth), scale_.Px(kInitialHeight),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetTitleAndSteps(title, steps);
  }
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void CCustomDialog::SetTitleAndSteps(const std::wstring& title, const std::wstring& steps) {
  Place(title_, scale_.Px(kTitleAt.y), scale_.Px(kTextWidth), MeasuredHeight(look_.titleFont, title));
  ::SetWindowTextW(title_, title.c_str());
  // The first label follows the title, keeping its own size.
  if (HWND label = ::GetDlgItem(hwnd(), IDC_PANEL_LABEL1)) {
    const RECT rc = RectOf(label);
    Place(label, RectOf(title_).bottom + scale_.Px(kGap), rc.right - rc.left, rc.bottom - rc.top);
  }
  SetSteps(steps);
}

void CCustomDialog::SetSteps(const std::wstring& steps) {
  HWND above = ::GetDlgItem(hwnd(), IDC_PANEL_LABEL1);
  if (!above) above = title_;
  Place(steps_, RectOf(above).bottom + scale_.Px(kGap), scale_.Px(kTextWidth),
        MeasuredHeight(look_.bodyFont, steps));
  ::SetWindowTextW(steps_, steps.c_str());
}

int CCustomDialog::MeasuredHeight(HFONT font, const std::wstring& text) const {
  return MeasureText(hwnd(), font, text, scale_.Px(kTextWidth), DT_EXPANDTABS | DT_WORDBREAK).cy;
}

void CCustomDialog::Place(HWND control, int top, int width, int height) const {
  ::SetWindowPos(control, nullptr, scale_.Px(kTitleAt.x), top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  // What the control covered before shows the background again.
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

RECT CCustomDialog::RectOf(HWND control) const {
  RECT rc{};
  ::GetWindowRect(control, &rc);
  ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool CCustomDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG: result = OnInitDialog() ? TRUE : FALSE; return true;
    case WM_GETFONT:
      if (!look_.bodyFont) return false;  // the template's own
      result = reinterpret_cast<INT_PTR>(look_.bodyFont);
      return true;
    case app::kApplyScaleMessage: SetScale(win::Scale(static_cast<int>(wParam))); return true;
    case WM_ERASEBKGND:
      result = 1;  // the background covers the panel
      return true;
    case WM_PAINT: {
      const win::PaintScope paint(hwnd());
      DrawBitmap(paint.dc(), look_.background, 0, 0);
      return true;
    }
    case WM_CTLCOLORSTATIC: {
      // A static's background is the panel's own surface under it: the brush starts where the
      // panel does, so the text sits on the skin and a changed text leaves nothing behind.
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (win::HighContrastOn()) {
        // The skin's colours are not what the user chose: the system's text on its window colour.
        result = reinterpret_cast<INT_PTR>(win::HighContrastStaticColours(dc));
        return true;
      }
      const RECT rc = RectOf(reinterpret_cast<HWND>(lParam));
      ::SetBrushOrgEx(dc, -rc.left, -rc.top, nullptr);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc,
                     rc.left >= scale_.Px(look_.helpColumnWidth) ? look_.contentTextColor : look_.textColor);
      result =
          reinterpret_cast<INT_PTR>(backgroundBrush_ ? backgroundBrush_.get() : ::GetStockObject(NULL_BRUSH));
      return true;
    }
    default: return false;
  }
}

}  // namespace ui::skin
