#include "window/Tooltips.h"

#include <algorithm>
#include <utility>

#include "ResourceIds.h"
#include "StringIds.h"
#include "controls/Paint.h"
#include "controls/Tooltip.h"
#include "win/DpiChange.h"
#include "win/Resources.h"

namespace ui {
namespace {

// The system menu's texts, without their indent and shortcut, name the window buttons.
std::wstring MenuText(UINT id) {
  std::wstring text = win::LoadString(id);
  text.erase(0, text.find_first_not_of(L' '));
  if (const size_t tab = text.find(L'\t'); tab != std::wstring::npos) text.resize(tab);
  return text;
}

}  // namespace

bool Tooltips::Create(HWND owner, std::initializer_list<HWND> controls) {
  owner_ = owner;
  tooltip_ = CreateTooltip(owner);
  if (!tooltip_) return false;
  for (HWND control : controls) {
    if (!control) continue;
    controls_.push_back(control);
    // No TTF_SUBCLASS: the window's message loop relays the mouse messages itself.
    AddTooltipTool(tooltip_,
                   {.owner = owner, .id = reinterpret_cast<UINT_PTR>(control), .flags = TTF_IDISHWND});
  }
  return true;
}

void Tooltips::SetDpi(int dpi) {
  if (!tooltip_) return;
  LOGFONTW look{};
  if (!win::StatusFontForDpi(dpi, look)) return;
  win::UniqueFont font(::CreateFontIndirectW(&look));
  if (!font) return;
  // The control lets go of the old font before it is deleted.
  ::SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  font_ = std::move(font);
}

void Tooltips::Relay(MSG& message) const {
  if (!tooltip_ || message.message < WM_MOUSEFIRST || message.message > WM_MOUSELAST) return;
  // A control made of parts (a check box: its image and its label) has one tip: a part's mouse
  // messages count as the control's, in its coordinates.
  const HWND parent = ::GetParent(message.hwnd);
  const bool isPart = parent && parent != owner_ &&
                      std::find(controls_.begin(), controls_.end(), message.hwnd) == controls_.end() &&
                      std::find(controls_.begin(), controls_.end(), parent) != controls_.end();
  if (!isPart) {
    ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    return;
  }
  MSG asControl = message;
  asControl.hwnd = parent;
  if (message.message != WM_MOUSEWHEEL && message.message != WM_MOUSEHWHEEL) {
    POINT at{static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
    ::MapWindowPoints(message.hwnd, parent, &at, 1);
    asControl.lParam = MAKELPARAM(at.x, at.y);
  }
  ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&asControl));
}

bool Tooltips::OnNotify(NMHDR& header) {
  if (!tooltip_ || header.hwndFrom != tooltip_ || header.code != TTN_GETDISPINFOW) return false;
  auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
  text_ = TextOf(reinterpret_cast<HWND>(info.hdr.idFrom));
  info.lpszText = text_.data();
  return true;
}

std::wstring Tooltips::TextOf(HWND control) const {
  // A tip shows a caption as it reads, without the marker of its access key.
  return ui::WithoutAccessMarkers(CaptionOf(control));
}

std::wstring Tooltips::CaptionOf(HWND control) const {
  switch (::GetDlgCtrlID(control)) {
    case IDC_CLOSE: return MenuText(IDS_SYSMENU_CLOSE);
    case IDC_MINIMIZE: return MenuText(IDS_SYSMENU_MINIMIZE);
    case IDC_HELP_BUTTON: return win::LoadString(IDS_HELP);
    case IDC_SHOW_ALL_FEATURES: return win::LoadString(IDS_SHOW_ALL_FEATURES);
    default: {
      const int length = control ? ::GetWindowTextLengthW(control) : 0;
      std::wstring text(static_cast<size_t>(length) + 1, L'\0');
      if (control) text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), length + 1)));
      return text;
    }
  }
}

}  // namespace ui
