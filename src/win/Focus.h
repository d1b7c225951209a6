// Where the keyboard's focus may be in a dialog. The dialog manager (IsDialogMessage) looks for a
// typed character's mnemonic by walking the dialog's controls from the focused one until it comes
// back to it, and it only walks into windows that show and are enabled: a focus left inside a hidden
// panel is never reached again, and the walk goes round for ever. So a key is only handed to the
// dialog manager while the focus is where its walk can find it.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace win {

// True when `window` is `root` or lies inside it with it and every window between them shown and
// enabled: a control that can take the keys, and that the dialog manager's walk reaches.
[[nodiscard]] bool TakesKeys(HWND root, HWND window) noexcept;

// The first control inside `root`, in the dialog manager's order, that shows, is enabled and is a
// tab stop; it looks into shown and enabled control parents (nested panels). Null when there is none.
[[nodiscard]] HWND FirstTabStop(HWND root) noexcept;

// What a shown and enabled window is to the Tab key: a stop of its own, nothing, or a container
// whose windows are looked into.
enum class TabRole { kStop, kSkip, kInside };

// The stops inside `root` that Tab reaches, as a reader meets them: row by row from the top, left
// to right in a row (windows whose vertical middles lie within the first one's height share its
// row). Only windows that show and are enabled, inside containers that do, are looked at.
[[nodiscard]] std::vector<HWND> TabOrder(HWND root, const std::function<TabRole(HWND)>& role);
// The stop after the one that holds `focus` (it, or a window inside it) in `order`, the one before it
// when `backwards`, going round at either end; from outside every stop, the first (or the last).
// Null for an empty order.
[[nodiscard]] HWND NextStop(const std::vector<HWND>& order, HWND focus, bool backwards) noexcept;

// True for the messages the keyboard makes (WM_KEYDOWN ... WM_UNICHAR).
[[nodiscard]] constexpr bool IsKeyboardMessage(UINT message) noexcept {
  return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

}  // namespace win
