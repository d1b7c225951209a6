// What a window needs when the DPI it is shown at changes: one message delivered to a whole tree of
// windows in order, and the system's DPI-dependent metrics at a DPI of our choosing. The calls
// newer Windows versions add are looked up at run time; older ones get the nearest equivalent.
#pragma once

#include <windows.h>

namespace win {

// WM_DPICHANGED, whatever version of Windows the headers are written for.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// Sends `message` to `root`, then to each of its child windows, every parent before its children,
// then in the same order to the popups (and their children) that this program's own windows of
// the tree own: drop-down lists and tooltips. A window destroyed on the way is skipped.
void SendParentsFirst(HWND root, UINT message, WPARAM wParam, LPARAM lParam);

// A dialog that lays itself out again on a DPI change: the dialog manager does not resize or move
// anything of it on its own (per-monitor v2 would). Nothing where Windows has no such behaviour.
void KeepOwnLayoutOnDpiChange(HWND dialog) noexcept;

// GetSystemMetrics(index) as it reads at `dpi`: GetSystemMetricsForDpi where Windows has it, else
// the system's value scaled from the system DPI.
[[nodiscard]] int SystemMetricForDpi(int index, int dpi) noexcept;

// The message font (NONCLIENTMETRICS) at `dpi`: what tooltips and message boxes are written in.
// False when it cannot be read.
[[nodiscard]] bool StatusFontForDpi(int dpi, LOGFONTW& font) noexcept;

}  // namespace win
