#include "window/MainLayout.h"

#include "ResourceIds.h"
#include "core/PrivateMessages.h"
#include "window/MainButtons.h"
#include "window/MainWindowContext.h"
#include "window/WindowSkin.h"
#include "win/DpiChange.h"

namespace ui {

namespace {

struct LayoutRow {
  Placed what;
  // A window that sizes itself has only its top-left corner here.
  RECT design;
  // A text of the window's template, which the layout places and gives its font; 0 for a part,
  // which places itself at its corner.
  int textId;
  app::SharedFont font;
};

// The product's name at the top and the welcome line above the start page have the places the
// window's template gives them at 96 DPI (its dialog units in its font), fixed here so that they
// scale with the window's pictures rather than with the template's font.
constexpr LayoutRow kLayout[] = {
    {Placed::kRibbon, {9, 52, 9, 52}, 0, {}},
    {Placed::kStartPage, {9, 107, 9, 107}, 0, {}},
    {Placed::kPanels, {9, 146, 9, 146}, 0, {}},
    {Placed::kCaption, {53, 10, 403, 26}, IDC_PRODUCT_CAPTION, app::SharedFont::kTahoma14Bold},
    {Placed::kWelcome, {21, 49, 441, 65}, IDC_WELCOME_TEXT, app::SharedFont::kTahoma16Bold},
};

}  // namespace

POINT PlaceOf(Placed what, win::Scale scale) noexcept {
  for (const LayoutRow& row : kLayout)
    if (row.what == what) return scale.Px(POINT{row.design.left, row.design.top});
  return {};
}

void MainLayout::Create(HWND window) {
  window_ = window;
  scale_ = app_.Graphics().Scale();
  PlaceTexts(app_.Graphics());
}

void MainLayout::FollowMonitor() {
  if (const win::Scale shown = win::SkinScaleOf(window_); shown != scale_) ChangeScale(shown, std::nullopt);
}

bool MainLayout::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == win::kDpiChangedMessage) {
    // The system suggests where the window goes at its new DPI; its size is the new background's.
    const auto* place = reinterpret_cast<const RECT*>(lParam);
    std::optional<POINT> topLeft;
    if (place) topLeft = POINT{place->left, place->top};
    ChangeScale(win::SkinScaleFor(LOWORD(wParam)), topLeft);
    result = 0;
    return true;
  }
  if (message == app::kApplyScaleMessage) {
    scale_ = win::Scale(static_cast<int>(wParam));
    // The window's own size and look first (the chain starts with them): its children are placed
    // in it.
    for (WindowPart* part : chain_) part->ApplyScale(app_.Graphics());
    ::InvalidateRect(window_, nullptr, FALSE);
    result = 0;
    return true;
  }
  return false;
}

void MainLayout::ApplyScale(const app::SharedGraphics& graphics) {
  PlaceTexts(graphics);
}

void MainLayout::ChangeScale(win::Scale scale, std::optional<POINT> topLeft) {
  app::SharedGraphics& graphics = app_.RescalableGraphics();
  if (scale == scale_ && graphics.Scale() == scale) {
    if (topLeft) {
      const POINT at = InsideWorkArea(*topLeft, skin_.Size());
      ::SetWindowPos(window_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }
  graphics.SetScale(scale.dpi());
  // Every window lays itself out at the graphics' scale, this one first.
  win::SendParentsFirst(window_, app::kApplyScaleMessage, static_cast<WPARAM>(graphics.Scale().dpi()), 0);
  // The bottom buttons' places follow their sizes, which each took from its new face.
  buttons_.Place(window_, graphics);
  const SIZE size = skin_.Size();
  const POINT at = topLeft ? InsideWorkArea(*topLeft, size) : CentredOnMonitor(window_, size);
  ::SetWindowPos(window_, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  // Nothing draws with the old scale's fonts and pictures any more.
  graphics.ReleaseRetired();
  ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void MainLayout::PlaceTexts(const app::SharedGraphics& graphics) const {
  for (const LayoutRow& row : kLayout) {
    if (row.textId == 0) continue;
    HWND control = ::GetDlgItem(window_, row.textId);
    if (!control) continue;
    const RECT place = scale_.Px(row.design);
    ::SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(graphics.Font(row.font)), FALSE);
  }
}

}  // namespace ui
