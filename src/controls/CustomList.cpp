#include "controls/CustomList.h"

#include "StringIds.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "controls/MenuBackBuffer.h"
#include "controls/Paint.h"
#include "controls/Tooltip.h"
#include "core/SkinLibrary.h"
#include "win/KeyboardCues.h"
#include "win/Scale.h"
#include "win/Resources.h"

namespace ui::skin {
namespace {

// Design pixels, as every length here.
constexpr int kScrollBarRight = 19;  // the bar runs from right - 19 to right - 5
constexpr int kScrollBarInset = 5;   // and from top + 5 to bottom - 5
constexpr int kIconSize = 32;
constexpr int kTextRightMargin = 16;
constexpr int kTitleGap = 2;  // between the title and the second line

// A screen reader's default action, posted so that whatever the choice opens runs outside its call.
UINT ChooseRowMessage() noexcept {
  static const UINT message = ::RegisterWindowMessageW(L"StartdeckListChooseRow");
  return message;
}

void CopySlice(HDC dc, HBITMAP strip, int sourceY, int y, int width, int height) noexcept {
  if (!strip) return;
  const win::BitmapDc source(dc, strip);
  if (!source) return;
  ::BitBlt(dc, 0, y, width, height, source.get(), 0, sourceY, SRCCOPY);
}

int LineHeight(HDC dc, HFONT font) noexcept {
  win::SelectScope select(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight;
}

void DrawLine(HDC dc, HFONT font, COLORREF color, const std::wstring& text, RECT rc) noexcept {
  if (text.empty()) return;
  win::SelectScope select(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetTextColor(dc, color);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// Whether `text` on one line in `font` is wider than `width`: DrawLine then cuts it with "…".
bool IsCut(HDC dc, HFONT font, const std::wstring& text, int width) noexcept {
  if (text.empty()) return false;
  win::SelectScope select(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  RECT measured{0, 0, width, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  return measured.right - measured.left > width;
}

// A row with its texts and flags; the caller gives it its icon.
ITEM_INFO RowOf(std::wstring title, std::wstring second, bool marked, int data) {
  ITEM_INFO item;
  item.title = std::move(title);
  item.second = std::move(second);
  item.marked = marked;
  item.data = data;
  return item;
}

}  // namespace

bool CCustomList::Create(int x, int y, const ListSkin& skin, HWND parent, int id) {
  skin_ = skin;
  notify_ = parent;
  id_ = id;
  size_ = skin.rows.Size();
  if (size_.cx <= 0 || size_.cy < RowHeight()) return false;
  visibleRows_ = size_.cy / RowHeight();
  if (!CreateWindowOf(L"StartdeckCustomList", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, x, y,
                      size_.cx, size_.cy, parent, id))
    return false;
  CreateTip();
  scrollBar_.SetScale(scale_);
  const int inset = scale_.Px(kScrollBarInset);
  return scrollBar_.Create(hwnd(), size_.cx - scale_.Px(kScrollBarRight), inset, size_.cy - 2 * inset,
                           skin.scrollBar, *this);
}

void CCustomList::SetScale(win::Scale scale) {
  scale_ = scale;
  if (hwnd()) Layout();
}

void CCustomList::SetSkin(const ListSkin& skin) {
  skin_ = skin;
  scrollBar_.SetBitmaps(skin.scrollBar);
  if (hwnd()) Layout();
}

void CCustomList::Layout() {
  const SIZE strip = skin_.rows.Size();
  // A strip too small for one row leaves the list as it was rather than empty.
  if (strip.cx > 0 && strip.cy >= RowHeight()) size_ = strip;
  ::SetWindowPos(hwnd(), nullptr, 0, 0, size_.cx, size_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int oldRows = visibleRows_;
  visibleRows_ = std::max(1, static_cast<int>(size_.cy / RowHeight()));
  if (tip_) {
    ::SendMessageW(tip_, TTM_POP, 0, 0);
    for (int row = 0; row < oldRows; ++row) RemoveTooltipTool(tip_, hwnd(), static_cast<UINT_PTR>(row));
    AddTipTools();
  }
  if (scrollBar_.hwnd()) {
    scrollBar_.SetScale(scale_);
    const int inset = scale_.Px(kScrollBarInset);
    ::SetWindowPos(scrollBar_.hwnd(), nullptr, size_.cx - scale_.Px(kScrollBarRight), inset,
                   scrollBar_.Width(), size_.cy - 2 * inset, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  first_ = std::min(scrolledTo_, MaximumFirst());
  // The hovered row stays hovered where it is still shown; the pointer's next move says more.
  if (hovered_ >= 0 && (hovered_ < first_ || hovered_ >= first_ + visibleRows_)) SetHovered(-1);
  UpdateScrollBar();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

size_t CCustomList::AddItem(HICON icon, std::wstring title, std::wstring second, bool marked, int data) {
  ITEM_INFO item = RowOf(std::move(title), std::move(second), marked, data);
  item.icon = icon;
  return Add(std::move(item));
}

size_t CCustomList::AddItem(win::UniqueIcon icon, std::wstring title, std::wstring second, bool marked,
                            int data) {
  ITEM_INFO item = RowOf(std::move(title), std::move(second), marked, data);
  item.icon = icon.get();
  item.ownedIcon = std::move(icon);
  return Add(std::move(item));
}

size_t CCustomList::AddItemWithIconId(int iconId, std::wstring title, std::wstring second, bool marked,
                                      int data) {
  ITEM_INFO item = RowOf(std::move(title), std::move(second), marked, data);
  item.iconId = iconId;
  return Add(std::move(item));
}

size_t CCustomList::AddItemWithIconSource(std::function<win::UniqueIcon()> source, std::wstring title,
                                          std::wstring second, bool marked, int data) {
  ITEM_INFO item = RowOf(std::move(title), std::move(second), marked, data);
  item.iconSource = std::move(source);
  return Add(std::move(item));
}

HICON CCustomList::IconOf(size_t index) const {
  if (index >= items_.size()) return nullptr;
  const ITEM_INFO& item = items_[index];
  if (item.icon) return item.icon;
  if (item.iconSource) item.ownedIcon = std::exchange(item.iconSource, nullptr)();
  if (item.ownedIcon && !item.iconId) return item.ownedIcon.get();
  if (!item.iconId) return nullptr;
  // A named icon is the skin's, loaded at the list's scale and kept by the row until the scale
  // changes.
  const win::Scale scale = win::SkinScaleOf(hwnd());
  if (!item.ownedIcon || item.ownedIconDpi != scale.dpi()) {
    item.ownedIcon = app::LoadSkinIcon(item.iconId, kIconSize, scale);
    item.ownedIconDpi = scale.dpi();
  }
  return item.ownedIcon.get();
}

void CCustomList::AddRowWithIconId(int iconId, const std::wstring& name, const std::wstring& description,
                                   bool available) {
  AddItemWithIconId(iconId, name, description, !available);
}

void CCustomList::AddRow(HICON icon, const std::wstring& name, const std::wstring& description,
                         bool available) {
  AddItem(icon, name, description, !available);
}

size_t CCustomList::Add(ITEM_INFO item) {
  items_.push_back(std::move(item));
  UpdateScrollBar();
  InvalidateItem(static_cast<int>(items_.size()) - 1);
  return items_.size() - 1;
}

void CCustomList::CreateTip() {
  tip_ = CreateTooltip(hwnd());
  if (!tip_) return;  // the list works without tips
  AddTipTools();
}

void CCustomList::AddTipTools() {
  // A long text wraps within the list's width.
  ::SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, size_.cx);
  // One tool per visible row, its text asked for when it shows: the rows under it change as it scrolls.
  for (int row = 0; row < visibleRows_; ++row)
    AddTooltipTool(tip_, {.owner = hwnd(), .id = static_cast<UINT_PTR>(row), .area = RowRect(row)});
}

void CCustomList::RelayToTip(UINT message, WPARAM wParam, LPARAM lParam) const noexcept {
  if (!tip_) return;
  const DWORD at = ::GetMessagePos();
  MSG relayed{};
  relayed.hwnd = hwnd();
  relayed.message = message;
  relayed.wParam = wParam;
  relayed.lParam = lParam;
  relayed.time = static_cast<DWORD>(::GetMessageTime());
  relayed.pt = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  ::SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

bool CCustomList::OnTipNeedsText(NMHDR& header) {
  if (!tip_ || header.hwndFrom != tip_ || header.code != TTN_GETDISPINFOW) return false;
  auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
  tipText_ = TipText(static_cast<size_t>(first_) + static_cast<size_t>(info.hdr.idFrom));
  info.lpszText = tipText_.data();
  info.szText[0] = L'\0';
  info.hinst = nullptr;
  return true;
}

std::wstring CCustomList::TipText(size_t index) const {
  if (index >= items_.size()) return {};
  const ITEM_INFO& item = items_[index];
  win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return {};
  const int width = TextRight() - scale_.Px(kTextX);
  std::wstring text;
  if (IsCut(dc.get(), skin_.titleFont, item.title, width)) text = item.title;
  if (IsCut(dc.get(), skin_.secondFont, item.second, width))
    text += (text.empty() ? L"" : L"\r\n") + item.second;
  return text;
}

void CCustomList::DeleteAllItems() noexcept {
  if (tip_) ::SendMessageW(tip_, TTM_POP, 0, 0);
  items_.clear();  // owned icons go with their rows
  first_ = scrolledTo_ = 0;
  hovered_ = keyRow_ = -1;
  UpdateScrollBar();
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

bool CCustomList::ScrollBarShown() const noexcept {
  return scrollBar_.hwnd() && (::GetWindowLongPtrW(scrollBar_.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

int CCustomList::MaximumFirst() const noexcept {
  return std::max(0, static_cast<int>(items_.size()) - visibleRows_);
}

void CCustomList::UpdateScrollBar() noexcept {
  first_ = std::min(first_, MaximumFirst());
  if (!scrollBar_.hwnd()) return;
  const bool show = static_cast<int>(items_.size()) > visibleRows_;
  scrollBar_.SetMaximum(MaximumFirst());
  scrollBar_.SetPosition(first_);
  if (show != ScrollBarShown()) {
    ::ShowWindow(scrollBar_.hwnd(), show ? SW_SHOWNA : SW_HIDE);
    // The hovered row's face depends on the bar being there.
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
  }
}

void CCustomList::Scroll(int steps) noexcept {
  const int first = std::clamp(first_ + steps, 0, MaximumFirst());
  if (first == first_) return;
  first_ = scrolledTo_ = first;
  if (tip_) ::SendMessageW(tip_, TTM_POP, 0, 0);  // it spoke of a row that has moved
  // The pointer now rests on another row; the next move finds it.
  if (hovered_ >= 0 && hovered_ < static_cast<int>(items_.size()))
    items_[static_cast<size_t>(hovered_)].hover = false;
  hovered_ = -1;
  scrollBar_.SetPosition(first_);
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

RECT CCustomList::RowRect(int row) const noexcept {
  return {0, row * RowHeight(), size_.cx, (row + 1) * RowHeight()};
}

int CCustomList::RowAt(int y) const noexcept {
  if (y < 0) return -1;
  const int row = y / RowHeight();
  return row < visibleRows_ ? row : -1;
}

void CCustomList::InvalidateItem(int index) noexcept {
  const int row = index - first_;
  if (!hwnd() || index < 0 || row < 0 || row >= visibleRows_) return;
  const RECT rc = RowRect(row);
  ::InvalidateRect(hwnd(), &rc, FALSE);
}

void CCustomList::SetHovered(int index) {
  if (index == hovered_) return;
  const int previous = hovered_;
  if (previous >= 0 && previous < static_cast<int>(items_.size()))
    items_[static_cast<size_t>(previous)].hover = false;
  hovered_ = index;
  if (index >= 0) items_[static_cast<size_t>(index)].hover = true;
  InvalidateItem(previous);
  InvalidateItem(index);
}

void CCustomList::OnMouseMove(int y) {
  if (!tracking_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
    tracking_ = ::TrackMouseEvent(&track) != FALSE;
  }
  const int row = RowAt(y);
  const int index = row < 0 ? -1 : first_ + row;
  if (index < 0 || index >= static_cast<int>(items_.size()) || index == hovered_) return;
  SetHovered(index);
  if (notify_) ::SendMessageW(notify_, app::kListRowHoveredMessage, static_cast<WPARAM>(index), 0);
  // The row under the pointer is the keyboard's too: the next arrow moves on from it.
  SetKeyRow(index);
  if (::GetFocus() != hwnd()) ::SetFocus(hwnd());
}

void CCustomList::OnClick(int y) {
  const int row = RowAt(y);
  if (row < 0) return;
  const int index = first_ + row;
  if (index >= static_cast<int>(items_.size())) return;
  Choose(index);
}

void CCustomList::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  win::RaiseAccessEvent(EVENT_OBJECT_SELECTION, hwnd(), index + 1);
  // Marked rows report too: the main window decides what a dimmed row means.
  if (notify_)
    ::SendMessageW(notify_, app::kListRowChosenMessage, static_cast<WPARAM>(index), static_cast<LPARAM>(id_));
}

void CCustomList::EnsureVisible(int index) noexcept {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  if (index < first_)
    Scroll(index - first_);
  else if (index >= first_ + visibleRows_)
    Scroll(index - (first_ + visibleRows_ - 1));
}

void CCustomList::SetKeyRow(int index) {
  if (items_.empty()) return;
  index = std::clamp(index, 0, static_cast<int>(items_.size()) - 1);
  EnsureVisible(index);
  if (index == keyRow_) return;
  const int previous = std::exchange(keyRow_, index);
  InvalidateItem(previous);
  InvalidateItem(index);
  if (hwnd() && ::GetFocus() == hwnd()) {
    win::RaiseAccessEvent(EVENT_OBJECT_FOCUS, hwnd(), index + 1);
    win::RaiseAccessEvent(EVENT_OBJECT_SELECTION, hwnd(), index + 1);
  }
}

bool CCustomList::OnKey(WPARAM key) {
  const int last = static_cast<int>(items_.size()) - 1;
  const int page = std::max(1, visibleRows_);
  switch (key) {
    case VK_UP: SetKeyRow(keyRow_ - 1); return true;
    case VK_DOWN: SetKeyRow(keyRow_ + 1); return true;
    case VK_HOME: SetKeyRow(0); return true;
    case VK_END: SetKeyRow(last); return true;
    case VK_PRIOR: SetKeyRow(keyRow_ - page); return true;
    case VK_NEXT: SetKeyRow(keyRow_ + page); return true;
    case VK_RETURN:
    case VK_SPACE: Choose(keyRow_); return true;
    default: return false;
  }
}

bool CCustomList::KeyRowShown() const noexcept {
  return hwnd() && ::GetFocus() == hwnd() && win::FocusCuesShown(hwnd());
}

void CCustomList::DrawRow(HDC dc, int row) const {
  const int index = first_ + row;
  const int rowHeight = RowHeight();
  const int y = row * rowHeight;
  const bool hasItem = index < static_cast<int>(items_.size());
  const bool keyRow = hasItem && index == keyRow_ && KeyRowShown();
  // A dimmed row does not light up: it is not there to be run.
  const bool hot = hasItem && (items_[static_cast<size_t>(index)].hover || keyRow) &&
                   !items_[static_cast<size_t>(index)].marked;
  const bool barShown = ScrollBarShown();
  const bool contrast = win::HighContrastOn();
  if (contrast) {
    // The skin's faces give way to the system's colours, in which every text stays readable.
    const RECT face{0, y, size_.cx, y + rowHeight};
    ::FillRect(dc, &face, ::GetSysColorBrush(hot ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  } else {
    const HBITMAP strip = hot ? (barShown ? skin_.hotScroll : skin_.hot).get() : nullptr;
    CopySlice(dc, strip ? strip : skin_.rows.get(), y, y, size_.cx, rowHeight);
  }
  if (keyRow) {
    const RECT cue{0, y, barShown ? size_.cx - scale_.Px(kScrollBarRight) : size_.cx, y + rowHeight};
    win::DrawFocusCue(dc, cue, scale_);
  }
  if (!hasItem) return;

  const ITEM_INFO& item = items_[static_cast<size_t>(index)];
  const int iconSize = scale_.Px(kIconSize);
  if (const HICON icon = IconOf(static_cast<size_t>(index)))
    ::DrawIconEx(dc, scale_.Px(kIconX), y + (rowHeight - iconSize) / 2, icon, iconSize, iconSize, 0, nullptr,
                 DI_NORMAL);
  const int right = TextRight();
  const int titleHeight = LineHeight(dc, skin_.titleFont);
  const int secondHeight = item.second.empty() ? 0 : LineHeight(dc, skin_.secondFont);
  const int gap = scale_.Px(kTitleGap);
  const int block = titleHeight + (secondHeight ? gap + secondHeight : 0);
  const int top = y + (rowHeight - block) / 2;
  const int textX = scale_.Px(kTextX);
  ::SetBkMode(dc, TRANSPARENT);
  COLORREF titleColor = item.marked ? markedColor_ : kTitleColor;
  COLORREF secondColor = item.marked ? markedColor_ : kSecondColor;
  if (contrast) {
    titleColor = secondColor =
        ::GetSysColor(item.marked ? COLOR_GRAYTEXT : (hot ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  }
  DrawLine(dc, skin_.titleFont, titleColor, item.title, {textX, top, right, top + titleHeight});
  const int secondTop = top + titleHeight + gap;
  DrawLine(dc, skin_.secondFont, secondColor, item.second,
           {textX, secondTop, right, secondTop + secondHeight});
}

int CCustomList::TextRight() const noexcept {
  return size_.cx - (ScrollBarShown() ? scale_.Px(kScrollBarRight) + scale_.Px(kTextRightMargin / 2)
                                      : scale_.Px(kTextRightMargin));
}

void CCustomList::Paint(HDC target) const {
  MenuBackBuffer buffer(target, size_.cx, size_.cy);
  for (int row = 0; row < visibleRows_; ++row) DrawRow(buffer.dc(), row);
  buffer.Present();
}

LRESULT CCustomList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // every pixel comes from the row strips
    case WM_PAINT: {
      const win::PaintScope paint(hwnd());
      Paint(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(skin_.titleFont ? skin_.titleFont
                                                       : ::GetStockObject(DEFAULT_GUI_FONT));
    case app::kApplyScaleMessage: SetScale(win::Scale(static_cast<int>(wParam))); return 0;
    case WM_MOUSEMOVE:
      RelayToTip(message, wParam, lParam);
      OnMouseMove(GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      SetHovered(-1);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      RelayToTip(message, wParam, lParam);
      OnClick(GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP: RelayToTip(message, wParam, lParam); return 0;
    case WM_NOTIFY:
      if (OnTipNeedsText(*reinterpret_cast<NMHDR*>(lParam))) return 0;
      return Default(message, wParam, lParam);
    case WM_DESTROY:
      if (tip_) ::DestroyWindow(std::exchange(tip_, nullptr));
      return 0;
    case WM_GETDLGCODE:
      // The arrows, and Enter, which chooses the keyboard row.
      return DialogCodeTakingEnter(DLGC_WANTARROWS, lParam);
    case WM_KEYDOWN:
      // A held key moves the row on, but chooses once.
      if ((wParam == VK_RETURN || wParam == VK_SPACE) && (lParam & (1 << 30)) != 0) return 0;
      if (OnKey(wParam)) return 0;
      return Default(message, wParam, lParam);
    case WM_SETFOCUS:
      if (keyRow_ < 0 && !items_.empty()) keyRow_ = first_;
      InvalidateItem(keyRow_);
      if (keyRow_ >= 0) win::RaiseAccessEvent(EVENT_OBJECT_FOCUS, hwnd(), keyRow_ + 1);
      return 0;
    case WM_KILLFOCUS: InvalidateItem(keyRow_); return 0;
    case WM_UPDATEUISTATE:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: {
      const LRESULT result = Default(message, wParam, lParam);
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      return result;
    }
    case WM_MOUSEWHEEL: Scroll(GET_WHEEL_DELTA_WPARAM(wParam) <= 0 ? 1 : -1); return 0;
    case WM_VSCROLL:
      if (LOWORD(wParam) == SB_LINEUP) Scroll(-1);
      if (LOWORD(wParam) == SB_LINEDOWN) Scroll(1);
      return 0;
    default:
      if (message == ChooseRowMessage()) {
        Choose(static_cast<int>(wParam));
        return 0;
      }
      return Default(message, wParam, lParam);
  }
}

std::wstring CCustomList::AccName(long child) const {
  if (!IsRow(child)) return accName_;
  return items_[static_cast<size_t>(child - 1)].title;
}

std::wstring CCustomList::AccDescription(long child) const {
  if (!IsRow(child)) return {};
  return items_[static_cast<size_t>(child - 1)].second;
}

long CCustomList::AccState(long child) const {
  if (!IsRow(child)) return 0;
  const int index = static_cast<int>(child - 1);
  long state = RowState(index);
  if (index < first_ || index >= first_ + visibleRows_)
    state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
  if (index == hovered_) state |= STATE_SYSTEM_HOTTRACKED;
  return state;
}

std::wstring CCustomList::AccDefaultAction(long child) const {
  return IsRow(child) ? win::LoadString(IDS_ACC_OPEN) : std::wstring();
}

bool CCustomList::AccDoDefaultAction(long child) {
  if (!IsRow(child) || !hwnd()) return false;
  return ::PostMessageW(hwnd(), ChooseRowMessage(), static_cast<WPARAM>(child - 1), 0) != FALSE;
}

RECT CCustomList::AccItemRect(long child) const {
  if (!IsRow(child)) return {};
  const int row = static_cast<int>(child - 1) - first_;
  if (row < 0 || row >= visibleRows_) return {};
  return RowRect(row);
}

long CCustomList::AccItemAt(POINT client) const {
  if (client.x < 0 || client.x >= size_.cx) return CHILDID_SELF;
  const int row = RowAt(client.y);
  const int index = row < 0 ? -1 : first_ + row;
  return index >= 0 && index < static_cast<int>(items_.size()) ? index + 1 : CHILDID_SELF;
}

}  // namespace ui::skin
