#include "controls/Tooltip.h"

namespace ui {

HWND CreateTooltip(HWND owner) noexcept {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};  // the tooltip class among them
  ::InitCommonControlsEx(&controls);
  return ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

void AddTooltipTool(HWND tooltip, const TooltipTool& tool) noexcept {
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the control
  info.uFlags = tool.flags;
  info.hwnd = tool.owner;
  info.uId = tool.id;
  info.rect = tool.area;
  info.lpszText = const_cast<wchar_t*>(tool.text);  // copied by the control
  ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void RemoveTooltipTool(HWND tooltip, HWND owner, UINT_PTR id) noexcept {
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = owner;
  info.uId = id;
  ::SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace ui
