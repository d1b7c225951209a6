// The tooltip controls of the skinned windows, made and given their tools alike.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace ui {

// A tooltip control of `owner`, destroyed with it: it shows whether or not the owner is active, and
// shows "&" as it is. Null when it cannot be made; the owner then has no tips.
[[nodiscard]] HWND CreateTooltip(HWND owner) noexcept;

// A tool of a tooltip control: a window (TTF_IDISHWND in `flags`, `id` its handle) or the `area`
// of `owner` numbered `id`. The control copies `text`; LPSTR_TEXTCALLBACKW asks `owner` for it with
// TTN_GETDISPINFO each time the tip shows.
struct TooltipTool {
  HWND owner = nullptr;
  UINT_PTR id = 0;
  UINT flags = 0;
  RECT area{};
  const wchar_t* text = LPSTR_TEXTCALLBACKW;
};

void AddTooltipTool(HWND tooltip, const TooltipTool& tool) noexcept;
void RemoveTooltipTool(HWND tooltip, HWND owner, UINT_PTR id) noexcept;

}  // namespace ui
