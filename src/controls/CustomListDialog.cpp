#include "controls/CustomListDialog.h"

#include <utility>

#include "ResourceIds.h"
#include "core/PrivateMessages.h"
#include "controls/MenuBackBuffer.h"
#include "controls/Paint.h"
#include "win/Resources.h"

namespace ui::skin {

bool CCustomListDialog::Create(HWND parent, int x, int y, const ListPanelLook& look, const ListSkin& skin,
                               int listId) {
  look_ = look;
  skin_ = skin;
  listId_ = listId;
  if (!Dialog::Create(win::ResourceModule(), IDD_LIST_PANEL, parent)) return false;
  ::SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return listCreated_;
}

void CCustomListDialog::SetHeading(std::wstring text) {
  heading_ = std::move(text);
  // A screen reader names the list by the heading beside it.
  list_.SetAccessibleName(heading_);
  if (const HWND item = ::GetDlgItem(hwnd(), IDC_LIST_HEADING)) ::InvalidateRect(item, nullptr, FALSE);
}

bool CCustomListDialog::OnInitDialog() {
  list_.SetScale(scale_);
  const POINT listAt = scale_.Px(kListAt);
  listCreated_ = list_.Create(listAt.x, listAt.y, skin_, hwnd(), listId_);
  Layout();
  // The main window dispatches the rows; the panel only holds them.
  list_.SetNotifyWindow(::GetParent(hwnd()));
  return listCreated_;
}

void CCustomListDialog::SetScale(win::Scale scale) {
  scale_ = scale;
  if (!hwnd()) return;
  list_.SetScale(scale_);
  Layout();
}

void CCustomListDialog::SetLook(const ListPanelLook& look, const ListSkin& skin) {
  look_ = look;
  skin_ = skin;
  if (!hwnd()) return;
  list_.SetSkin(skin_);
  Layout();
}

void CCustomListDialog::Layout() {
  const SIZE panel = look_.background.Size();
  if (panel.cx > 0)
    ::SetWindowPos(hwnd(), nullptr, 0, 0, panel.cx, panel.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The heading takes the help column's width.
  const POINT headingAt = scale_.Px(kHeadingAt);
  const POINT listAt = scale_.Px(kListAt);
  if (const HWND heading = ::GetDlgItem(hwnd(), IDC_LIST_HEADING))
    ::SetWindowPos(heading, nullptr, headingAt.x, headingAt.y, scale_.Px(kHeadingWidth),
                   scale_.Px(kHeadingHeight), SWP_NOZORDER | SWP_NOACTIVATE);
  if (list_.hwnd())
    ::SetWindowPos(list_.hwnd(), nullptr, listAt.x, listAt.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CCustomListDialog::PaintBackground(HDC dc, int x, int y) const {
  DrawBitmap(dc, look_.background.get(), x, y);
}

void CCustomListDialog::DrawHeading(const DRAWITEMSTRUCT& item) const {
  const RECT& rc = item.rcItem;
  const int width = rc.right - rc.left, height = rc.bottom - rc.top;
  MenuBackBuffer buffer(item.hDC, width, height);
  // The panel's own surface behind the text, shifted to the heading's place.
  RECT place{};
  ::GetWindowRect(item.hwndItem, &place);
  ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
  PaintBackground(buffer.dc(), -place.left, -place.top);
  if (!heading_.empty()) {
    win::SelectScope font(buffer.dc(),
                          look_.headingFont ? look_.headingFont : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(buffer.dc(), TRANSPARENT);
    ::SetTextColor(buffer.dc(), look_.headingColor);
    RECT text{0, 0, width, height};
    ::DrawTextW(buffer.dc(), heading_.c_str(), static_cast<int>(heading_.size()), &text,
                DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  buffer.Present();
}

bool CCustomListDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      result = FALSE;  // the panel takes no focus when it is made
      return true;
    case WM_ERASEBKGND:
      result = 1;  // the background bitmap covers the panel
      return true;
    case WM_PAINT: {
      // One blit of the background: nothing to buffer.
      const win::PaintScope paint(hwnd());
      PaintBackground(paint.dc(), 0, 0);
      return true;
    }
    case WM_PRINTCLIENT: PaintBackground(reinterpret_cast<HDC>(wParam), 0, 0); return true;
    case WM_GETFONT:
      result = reinterpret_cast<INT_PTR>(look_.headingFont ? look_.headingFont
                                                           : ::GetStockObject(DEFAULT_GUI_FONT));
      return true;
    case app::kApplyScaleMessage: SetScale(win::Scale(static_cast<int>(wParam))); return true;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != IDC_LIST_HEADING) return false;
      DrawHeading(*item);
      result = TRUE;
      return true;
    }
    default: return false;
  }
}

}  // namespace ui::skin
