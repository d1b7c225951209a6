#include "controls/RecentList.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "controls/MenuBackBuffer.h"
#include "controls/Paint.h"
#include "controls/Tooltip.h"
#include "core/PrivateMessages.h"
#include "win/KeyboardCues.h"

namespace ui::skin {
namespace {

// The context menu's commands.
enum : UINT { kMenuChoose = 1, kMenuRemove, kMenuClear };

void DrawName(HDC dc, HFONT font, COLORREF color, const std::wstring& text, RECT rc,
              bool underline) noexcept {
  win::SelectScope select(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetTextColor(dc, color);
  UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, format);
  if (!underline) return;
  // The hovered name is underlined as a link is, as wide as it is drawn.
  RECT measured = rc;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  const int baseline = rc.top + (rc.bottom - rc.top + metrics.tmHeight) / 2 - metrics.tmDescent + 1;
  RECT line{rc.left, baseline, std::min(measured.right, rc.right), baseline + 1};
  const win::UniqueBrush brush(::CreateSolidBrush(color));
  if (brush) ::FillRect(dc, &line, brush.get());
}

}  // namespace

bool CRecentList::Create(HWND parent, int id, POINT designAt, win::Scale scale, const RecentListLook& look,
                         RecentListTexts texts, HWND notify) {
  scale_ = scale;
  designAt_ = designAt;
  look_ = look;
  texts_ = std::move(texts);
  notify_ = notify;
  if (!CreateWindowOf(L"StartdeckRecentList", WS_CHILD | WS_TABSTOP, 0, 0, 0, 0, parent, id)) return false;
  Layout();
  return true;
}

void CRecentList::SetScale(win::Scale scale, const RecentListLook& look) {
  scale_ = scale;
  look_ = look;
  if (hwnd()) Layout();
}

void CRecentList::Layout() {
  const int height = scale_.Px(kHeadingHeight) + scale_.Px(kRowHeight) * kRowsShown;
  ::SetWindowPos(hwnd(), nullptr, scale_.Px(designAt_.x), scale_.Px(designAt_.y), scale_.Px(kWidth), height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateTipTools();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CRecentList::SetRows(std::vector<RecentRow> rows) {
  rows_ = std::move(rows);
  if (rows_.size() > static_cast<size_t>(kRowsShown)) rows_.resize(kRowsShown);
  const int last = static_cast<int>(rows_.size()) - 1;
  keyRow_ = rows_.empty() ? -1 : std::clamp(keyRow_, 0, last);
  hovered_ = -1;
  if (!hwnd()) return;
  UpdateTipTools();
  if (rows_.empty() && ::GetFocus() == hwnd()) {
    // The focus leaves a list that hides: to the next stop of its panel.
    if (const HWND next = ::GetNextDlgTabItem(::GetParent(hwnd()), hwnd(), FALSE); next && next != hwnd())
      ::SetFocus(next);
  }
  ::ShowWindow(hwnd(), rows_.empty() ? SW_HIDE : SW_SHOWNA);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  win::RaiseAccessEvent(EVENT_OBJECT_REORDER, hwnd());
}

RECT CRecentList::RowRect(int index) const noexcept {
  const int top = scale_.Px(kHeadingHeight) + index * scale_.Px(kRowHeight);
  return {0, top, scale_.Px(kWidth), top + scale_.Px(kRowHeight)};
}

int CRecentList::RowAt(POINT client) const noexcept {
  const int y = client.y - scale_.Px(kHeadingHeight);
  if (client.x < 0 || client.x >= scale_.Px(kWidth) || y < 0) return -1;
  const int index = y / scale_.Px(kRowHeight);
  return index < static_cast<int>(rows_.size()) ? index : -1;
}

void CRecentList::SetKeyRow(int index) {
  if (rows_.empty()) return;
  const int row = std::clamp(index, 0, static_cast<int>(rows_.size()) - 1);
  if (row == keyRow_) return;
  keyRow_ = row;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  if (::GetFocus() == hwnd()) win::RaiseAccessEvent(EVENT_OBJECT_FOCUS, hwnd(), keyRow_ + 1);
  win::RaiseAccessEvent(EVENT_OBJECT_SELECTION, hwnd(), keyRow_ + 1);
}

void CRecentList::SetHovered(int index) {
  if (index == hovered_) return;
  hovered_ = index;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CRecentList::Tell(RecentListAction action, int row) const noexcept {
  if (notify_) ::PostMessageW(notify_, app::kRecentListMessage, static_cast<WPARAM>(action), row);
}

bool CRecentList::OnKey(WPARAM key) {
  switch (key) {
    case VK_UP: SetKeyRow(keyRow_ - 1); return true;
    case VK_DOWN: SetKeyRow(keyRow_ + 1); return true;
    case VK_HOME: SetKeyRow(0); return true;
    case VK_END: SetKeyRow(static_cast<int>(rows_.size()) - 1); return true;
    case VK_RETURN:
    case VK_SPACE:
      if (keyRow_ >= 0) Tell(RecentListAction::kChoose, keyRow_);
      return true;
    case VK_DELETE:
      if (keyRow_ >= 0) Tell(RecentListAction::kRemove, keyRow_);
      return true;
    default: return false;
  }
}

void CRecentList::ShowMenu(POINT screen, int row) {
  const win::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return;
  const UINT onRow = row >= 0 ? MF_STRING : MF_STRING | MF_GRAYED;
  ::AppendMenuW(menu.get(), onRow, kMenuChoose, texts_.choose.c_str());
  ::AppendMenuW(menu.get(), onRow, kMenuRemove, texts_.remove.c_str());
  ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu.get(), MF_STRING, kMenuClear, texts_.clear.c_str());
  if (row >= 0) ::SetMenuDefaultItem(menu.get(), kMenuChoose, FALSE);
  const UINT command = static_cast<UINT>(::TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, screen.x, screen.y, 0, hwnd(), nullptr));
  if (command == kMenuChoose) Tell(RecentListAction::kChoose, row);
  if (command == kMenuRemove) Tell(RecentListAction::kRemove, row);
  if (command == kMenuClear) Tell(RecentListAction::kClear, -1);
}

void CRecentList::UpdateTipTools() {
  if (!tip_) return;
  for (size_t i = 0; i < tipTools_; ++i) RemoveTooltipTool(tip_, hwnd(), i);
  tipTools_ = rows_.size();
  for (size_t i = 0; i < tipTools_; ++i) AddTooltipTool(tip_, {hwnd(), i, 0, RowRect(static_cast<int>(i))});
}

bool CRecentList::OnTipNeedsText(NMHDR& header) {
  if (!tip_ || header.hwndFrom != tip_ || header.code != TTN_GETDISPINFOW) return false;
  auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
  tipText_ = info.hdr.idFrom < rows_.size() ? rows_[info.hdr.idFrom].tip : std::wstring();
  // Folder, date and application go one to a line.
  ::SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, scale_.Px(480));
  info.lpszText = tipText_.data();
  info.szText[0] = L'\0';
  info.hinst = nullptr;
  return true;
}

void CRecentList::Paint(HDC target) const {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  MenuBackBuffer buffer(target, client.right, client.bottom);
  const HDC dc = buffer.dc();
  const bool contrast = win::HighContrastOn();
  if (contrast)
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
  else
    PaintParentBackground(hwnd(), dc, client);
  ::SetBkMode(dc, TRANSPARENT);
  const RECT heading{0, 0, client.right, scale_.Px(kHeadingHeight)};
  DrawName(dc, look_.headingFont, contrast ? ::GetSysColor(COLOR_WINDOWTEXT) : kHotColor, texts_.heading,
           heading, false);
  const bool cue = ::GetFocus() == hwnd() && win::FocusCuesShown(hwnd());
  const int iconSize = scale_.Px(kIconSize);
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
    const RecentRow& row = rows_[static_cast<size_t>(i)];
    const RECT rc = RowRect(i);
    const bool hot = i == hovered_ || (cue && i == keyRow_);
    if (row.icon)
      ::DrawIconEx(dc, rc.left, rc.top + (rc.bottom - rc.top - iconSize) / 2, row.icon.get(), iconSize,
                   iconSize, 0, nullptr, DI_NORMAL);
    COLORREF color = row.dimmed ? kDimmedColor : (hot ? kHotColor : kTextColor);
    if (contrast) color = ::GetSysColor(row.dimmed ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    const RECT text{rc.left + scale_.Px(kTextX), rc.top, rc.right - scale_.Px(2), rc.bottom};
    DrawName(dc, look_.rowFont, color, row.name, text, i == hovered_);
    if (cue && i == keyRow_)
      win::DrawFocusCue(dc, {text.left - scale_.Px(3), rc.top, rc.right, rc.bottom}, scale_, 0);
  }
  buffer.Present();
}

LRESULT CRecentList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      const win::PaintScope paint(hwnd());
      Paint(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(look_.rowFont);
    case WM_MOUSEMOVE: {
      if (!tip_) {
        // Made when the pointer first comes, above the window's other tips; the list works without.
        tip_ = CreateTooltip(hwnd());
        UpdateTipTools();
      }
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
        tracking_ = ::TrackMouseEvent(&track) != FALSE;
      }
      MSG relayed{hwnd(), message, wParam, lParam, 0, {}};
      if (tip_) ::SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
      SetHovered(RowAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      return 0;
    }
    case WM_MOUSELEAVE:
      tracking_ = false;
      SetHovered(-1);
      return 0;
    case WM_SETCURSOR:
      if (hovered_ >= 0) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      return Default(message, wParam, lParam);
    case WM_LBUTTONDOWN:
      if (const int row = RowAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); row >= 0) {
        ::SetFocus(hwnd());
        SetKeyRow(row);
        Tell(RecentListAction::kChoose, row);
      }
      return 0;
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      int row = keyRow_;
      if (at.x == -1 && at.y == -1) {
        // From the keyboard: at the keyboard row.
        const RECT rc = RowRect(std::max(keyRow_, 0));
        at = {rc.left + scale_.Px(kTextX), rc.bottom};
        ::ClientToScreen(hwnd(), &at);
      } else {
        POINT client = at;
        ::ScreenToClient(hwnd(), &client);
        row = RowAt(client);
        if (row >= 0) SetKeyRow(row);
      }
      ShowMenu(at, row);
      return 0;
    }
    case WM_NOTIFY:
      if (OnTipNeedsText(*reinterpret_cast<NMHDR*>(lParam))) return 0;
      return Default(message, wParam, lParam);
    case WM_GETDLGCODE: return DialogCodeTakingEnter(DLGC_WANTARROWS, lParam);
    case WM_KEYDOWN:
      if ((wParam == VK_RETURN || wParam == VK_SPACE) && (lParam & (1 << 30)) != 0) return 0;
      if (OnKey(wParam)) return 0;
      return Default(message, wParam, lParam);
    case WM_SETFOCUS:
      if (keyRow_ < 0 && !rows_.empty()) keyRow_ = 0;
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      if (keyRow_ >= 0) win::RaiseAccessEvent(EVENT_OBJECT_FOCUS, hwnd(), keyRow_ + 1);
      return 0;
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: {
      const LRESULT result = Default(message, wParam, lParam);
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      return result;
    }
    case WM_DESTROY:
      if (tip_) ::DestroyWindow(std::exchange(tip_, nullptr));
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

std::wstring CRecentList::AccName(long child) const {
  if (!IsRow(child)) return WithoutAccessMarkers(texts_.heading);
  return rows_[static_cast<size_t>(child - 1)].name;
}

std::wstring CRecentList::AccDescription(long child) const {
  return IsRow(child) ? rows_[static_cast<size_t>(child - 1)].tip : std::wstring();
}

long CRecentList::AccState(long child) const {
  if (!IsRow(child)) return 0;
  const int index = static_cast<int>(child - 1);
  long state = RowState(index);
  if (rows_[static_cast<size_t>(index)].dimmed) state |= STATE_SYSTEM_UNAVAILABLE;
  if (index == hovered_) state |= STATE_SYSTEM_HOTTRACKED;
  return state;
}

std::wstring CRecentList::AccDefaultAction(long child) const {
  return IsRow(child) ? WithoutAccessMarkers(texts_.choose) : std::wstring();
}

bool CRecentList::AccDoDefaultAction(long child) {
  if (!IsRow(child)) return false;
  Tell(RecentListAction::kChoose, static_cast<int>(child - 1));
  return true;
}

RECT CRecentList::AccItemRect(long child) const {
  return IsRow(child) ? RowRect(static_cast<int>(child - 1)) : RECT{};
}

long CRecentList::AccItemAt(POINT client) const {
  const int row = RowAt(client);
  return row >= 0 ? row + 1 : CHILDID_SELF;
}

}  // namespace ui::skin
