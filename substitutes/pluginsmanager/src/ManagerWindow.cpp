#include "ManagerWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

#include "PluginsManagerIds.h"
#include "Rights.h"
#include "StringIds.h"
#include "core/RegisteredMessages.h"
#include "switches/SwitchingLock.h"
#include "win/Dc.h"
#include "win/Resources.h"
#include "win/Scale.h"

namespace pluginsmanager {
namespace {

constexpr wchar_t kClassName[] = L"VantoPluginsManager";

// The list's state images: none, unchecked, checked.
constexpr UINT kNoCheckBox = INDEXTOSTATEIMAGEMASK(0);
constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

std::wstring Replace(std::wstring text, std::wstring_view field, std::wstring_view value) {
  if (const size_t at = text.find(field); at != std::wstring::npos) text.replace(at, field.size(), value);
  return text;
}

// Width and height of `text` in `font`, wrapped at `width` when it is not 0.
SIZE TextExtent(HWND window, HFONT font, const std::wstring& text, int width) {
  const win::WindowDc dc(window);
  const win::SelectScope selected(dc.get(), font);
  RECT box{0, 0, width > 0 ? width : 10000, 0};
  ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &box,
              DT_CALCRECT | DT_NOPREFIX | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  return {box.right - box.left, box.bottom - box.top};
}

}  // namespace

bool ManagerWindow::Create(int show) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    font_.reset(::CreateFontIndirectW(&metrics.lfMessageFont));
    LOGFONTW bold = metrics.lfMessageFont;
    bold.lfWeight = FW_BOLD;
    boldFont_.reset(::CreateFontIndirectW(&bold));
  }
  if (!font_) {
    // The message font's usual size, at the system DPI the window is drawn at (it is system-aware).
    const win::Scale scale(win::SystemDpi());
    font_.reset(::CreateFontW(scale.FontHeight(-12), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                              L"Tahoma"));
  }

  if (!CreateWindowOf(kClassName, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, 0))
    return false;
  ::SetWindowTextW(hwnd(), win::LoadString(IDS_SW_CAPTION).c_str());
  if (HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION)) {
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  {
    const win::WindowDc dc(hwnd());
    const win::SelectScope selected(dc.get(), font_.get());
    TEXTMETRICW text{};
    if (::GetTextMetricsW(dc.get(), &text)) {
      // The average width of the alphabet, as dialog units measure it.
      static constexpr wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
      SIZE size{};
      ::GetTextExtentPoint32W(dc.get(), kAlphabet, 52, &size);
      baseX_ = std::max(1, static_cast<int>((size.cx / 26 + 1) / 2));
      baseY_ = std::max(1, static_cast<int>(text.tmHeight));
    }
  }
  if (!CreateControls()) return false;
  table_.SetMessageOwner(hwnd());

  // A size for about a dozen rows, centred on the work area.
  RECT frame{0, 0, Dx(290), Dy(240)};
  ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = static_cast<int>(std::min(frame.right - frame.left, work.right - work.left));
  const int height = static_cast<int>(std::min(frame.bottom - frame.top, work.bottom - work.top));
  ::SetWindowPos(hwnd(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER);
  Fill();
  ::ShowWindow(hwnd(), show);
  ::SetFocus(list_);
  return true;
}

bool ManagerWindow::CreateControls() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const auto make = [&](DWORD exStyle, const wchar_t* className, const std::wstring& text, DWORD style,
                        int id) {
    HWND control =
        ::CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
  };
  intro_ = make(0, L"STATIC", win::LoadString(IDS_PM_INTRO), SS_LEFT | SS_NOPREFIX, kIntroText);
  list_ = make(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
               WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS, kPluginList);
  status_ = make(0, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kStatusText);
  apply_ = make(0, L"BUTTON", win::LoadString(IDS_PM_APPLY), WS_TABSTOP | BS_DEFPUSHBUTTON, kApplyButton);
  close_ = make(0, L"BUTTON", win::LoadString(IDS_PM_CLOSE), WS_TABSTOP | BS_PUSHBUTTON, kCloseButton);
  if (!intro_ || !list_ || !status_ || !apply_ || !close_) return false;

  ListView_SetExtendedListViewStyle(list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = Dx(200);
  ListView_InsertColumn(list_, 0, &column);
  return true;
}

void ManagerWindow::Layout() {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  const int marginX = Dx(7), marginY = Dy(7), gap = Dx(4);
  const int width = std::max(0, static_cast<int>(client.right) - 2 * marginX);

  const int introHeight = TextExtent(intro_, font_.get(), win::LoadString(IDS_PM_INTRO), width).cy;
  const int buttonHeight = Dy(14);
  const auto buttonWidth = [&](HWND button) {
    wchar_t text[64] = {};
    ::GetWindowTextW(button, text, static_cast<int>(std::size(text)));
    return std::max(Dx(50), static_cast<int>(TextExtent(button, font_.get(), text, 0).cx) + Dx(10));
  };
  const int closeWidth = buttonWidth(close_), applyWidth = buttonWidth(apply_);
  const int buttonTop = client.bottom - marginY - buttonHeight;
  const int listTop = marginY + introHeight + Dy(5);
  const int listHeight = std::max(0, buttonTop - Dy(7) - listTop);

  HDWP positions = ::BeginDeferWindowPos(5);
  const auto place = [&](HWND control, int x, int y, int w, int h) {
    if (positions)
      positions = ::DeferWindowPos(positions, control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place(intro_, marginX, marginY, width, introHeight);
  place(list_, marginX, listTop, width, listHeight);
  const int closeLeft = client.right - marginX - closeWidth;
  const int applyLeft = closeLeft - gap - applyWidth;
  place(close_, closeLeft, buttonTop, closeWidth, buttonHeight);
  place(apply_, applyLeft, buttonTop, applyWidth, buttonHeight);
  const int statusHeight = TextExtent(status_, font_.get(), L"Ag", 0).cy;
  place(status_, marginX, buttonTop + (buttonHeight - statusHeight) / 2,
        std::max(0, applyLeft - gap - marginX), statusHeight);
  if (positions) ::EndDeferWindowPos(positions);
  ListView_SetColumnWidth(list_, 0, LVSCW_AUTOSIZE_USEHEADER);
}

void ManagerWindow::Fill() {
  const int top = ListView_GetTopIndex(list_);
  filling_ = true;
  ListView_DeleteAllItems(list_);
  rows_ = RowsOf(table_.Groups(), [this](int kind) { return HostNameIn(table_, kind); });
  const std::wstring notSwitchable = win::LoadString(IDS_PM_NOT_SWITCHABLE);
  for (size_t index = 0; index < rows_.size(); ++index) {
    const Row& row = rows_[index];
    std::wstring text = row.text;
    if (row.type == Row::Type::kRecord && !row.switchable) text = Replace(notSwitchable, L"%s", row.text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    item.pszText = text.data();
    item.lParam = static_cast<LPARAM>(index);
    const int at =
        static_cast<int>(::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0) continue;
    const UINT image = !row.switchable                   ? kNoCheckBox
                       : row.state == switches::kEnabled ? kChecked
                                                         : kUnchecked;
    ListView_SetItemState(list_, at, image, LVIS_STATEIMAGEMASK);
  }
  filling_ = false;
  if (top > 0 && !rows_.empty())
    ListView_EnsureVisible(list_, std::min(top, static_cast<int>(rows_.size()) - 1), FALSE);
  if (rows_.empty()) SetStatus(IDS_PM_NO_HOSTS);
  UpdateApply();
}

WantedStates ManagerWindow::Wanted() const {
  WantedStates wanted;
  const int count = ListView_GetItemCount(list_);
  for (int at = 0; at < count; ++at) {
    LVITEMW item{};
    item.mask = LVIF_PARAM | LVIF_STATE;
    item.iItem = at;
    item.stateMask = LVIS_STATEIMAGEMASK;
    if (!::SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) continue;
    const size_t index = static_cast<size_t>(item.lParam);
    if (index >= rows_.size() || !rows_[index].switchable) continue;
    wanted[rows_[index].id] =
        (item.state & LVIS_STATEIMAGEMASK) == kChecked ? switches::kEnabled : switches::kDisabled;
  }
  return wanted;
}

void ManagerWindow::UpdateApply() {
  ::EnableWindow(apply_, !ChangesOf(table_, Wanted()).empty());
}

void ManagerWindow::SetStatus(UINT id) {
  ::SetWindowTextW(status_, id ? win::LoadString(id).c_str() : L"");
}

void ManagerWindow::OnApply() {
  const WantedStates changes = ChangesOf(table_, Wanted());
  if (changes.empty()) return;
  // With rights the user goes on in the copy started with them; without, whatever needs no rights
  // is switched here and the rest says why it was not.
  if (AskForRights(hwnd(), table_, changes) == RightsOutcome::kRestarted) {
    ::DestroyWindow(hwnd());
    return;
  }
  // The lock spans the apply and the reload, so the list shows what this apply left, not a state
  // that another program is half way through.
  const switches::SwitchingLock lock(table_.SwitchingWait());
  const ApplyResult result = lock.Held() ? ApplyChanges(table_, changes, 0) : ApplyResult{0, 0, true};
  if (result.busy) {
    // Nothing was switched: the list keeps the states the person chose, to apply again later.
    switches::ShowSwitchingBusy(hwnd());
    SetStatus(0);
    return;
  }
  ::PostMessageW(HWND_BROADCAST, app::kPluginSwitchedMessage, 0, 0);
  // What the list shows afterwards is what the switches find on disk and in the registry.
  table_.LoadSwitches();
  Fill();
  SetStatus(result.failed > 0 ? IDS_PM_NOT_APPLIED : IDS_PM_APPLIED);
}

LRESULT ManagerWindow::OnListNotify(NMHDR& header) {
  switch (header.code) {
    case LVN_ITEMCHANGING: {
      // A heading or a record that cannot be switched never gets a check box.
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      const bool checkChanges =
          (change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK);
      const size_t index = static_cast<size_t>(change.lParam);
      return checkChanges && !filling_ && index < rows_.size() && !rows_[index].switchable ? TRUE : FALSE;
    }
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if (!filling_ && (change.uChanged & LVIF_STATE) &&
          ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK)) {
        SetStatus(0);
        UpdateApply();
      }
      return 0;
    }
    case NM_CUSTOMDRAW: {
      auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
      if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
      if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
      const size_t index = static_cast<size_t>(draw.nmcd.lItemlParam);
      if (index >= rows_.size()) return CDRF_DODEFAULT;
      if (rows_[index].type == Row::Type::kProduct && boldFont_) {
        ::SelectObject(draw.nmcd.hdc, boldFont_.get());
        return CDRF_NEWFONT;
      }
      if (!rows_[index].switchable) draw.clrText = ::GetSysColor(COLOR_GRAYTEXT);
      return CDRF_DODEFAULT;
    }
    default: return 0;
  }
}

LRESULT ManagerWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: Layout(); return 0;
    case WM_GETMINMAXINFO: {
      RECT least{0, 0, Dx(200), Dy(150)};
      ::AdjustWindowRectEx(&least, WS_OVERLAPPEDWINDOW, FALSE, 0);
      auto& info = *reinterpret_cast<MINMAXINFO*>(lParam);
      info.ptMinTrackSize = {least.right - least.left, least.bottom - least.top};
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT client{};
      ::GetClientRect(hwnd(), &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_CTLCOLORSTATIC:
      ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_BTNFACE));
      ::SetTextColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lParam);
      if (header.hwndFrom == list_) return OnListNotify(header);
      return 0;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED || lParam == 0) {
        if (LOWORD(wParam) == kApplyButton) {
          OnApply();
          return 0;
        }
        if (LOWORD(wParam) == kCloseButton) {
          ::DestroyWindow(hwnd());
          return 0;
        }
      }
      break;
    case WM_CLOSE: ::DestroyWindow(hwnd()); return 0;
    case WM_DESTROY:
      table_.SetMessageOwner(nullptr);
      ::PostQuitMessage(0);
      return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace pluginsmanager
