// Where the keyboard's focus may be in a dialog. The dialog manager (IsDialogMessage) looks for a
// typed character's mnemonic by walking the dialog's controls from the focused one until it comes
// back to it, and it only walks into windows that show and are enabled: a focus left inside a hidden
// panel is never reached again, and the walk goes round for ever. So a key is only handed to the
// dialog manager while the focus is where its walk can find it.
#pragma once

#include <windows.h>

namespace win {

// True when `window` is `root` or lies inside it with it and every window between them shown and
// enabled: a control that can take the keys, and that the dialog manager's walk reaches.
[[nodiscard]] bool TakesKeys(HWND root, HWND window) noexcept;

// The first control inside `root`, in the dialog manager's order, that shows, is enabled and is a
// tab stop; it looks into shown and enabled control parents (nested panels). Null when there is none.
[[nodiscard]] HWND FirstTabStop(HWND root) noexcept;

// True for the messages the keyboard makes (WM_KEYDOWN ... WM_UNICHAR).
[[nodiscard]] constexpr bool IsKeyboardMessage(UINT message) noexcept {
  return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

}  // namespace win
