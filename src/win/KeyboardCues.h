// What keyboard users see and what high contrast asks for. Focus cues and access-key underlines
// follow the window's UI state, as on standard controls: hidden while the window is used with the
// mouse, shown from the first navigation key on. A control that draws itself asks here before it
// draws a cue, and repaints on WM_UPDATEUISTATE.
#pragma once

#include <windows.h>

#include "win/Scale.h"

namespace win {

// True when `window` shows focus cues (its UI state has no UISF_HIDEFOCUS).
[[nodiscard]] bool FocusCuesShown(HWND window) noexcept;
// True when `window` underlines access keys (its UI state has no UISF_HIDEACCEL).
[[nodiscard]] bool AccessKeysShown(HWND window) noexcept;
// Hides both cues for the top-level `window` and all its descendants (a window started with the mouse).
void HideKeyboardCues(HWND window) noexcept;
// Shows both cues for the top-level `window` and all its descendants, which repaint.
void ShowKeyboardCues(HWND window) noexcept;
// Drops what Hide/ShowKeyboardCues kept on the top-level `window`: called when it is destroyed.
void ForgetKeyboardCues(HWND window) noexcept;

// True while Windows' high-contrast mode is on: text, focus cues and selections then take the
// system colours. Where the system does not offer the mode (Wine), the user's stored setting
// decides: HKCU "Control Panel\Accessibility\HighContrast" "Flags" with HCF_HIGHCONTRASTON.
[[nodiscard]] bool HighContrastOn() noexcept;
// WM_CTLCOLORSTATIC under high contrast: the system's text on its window colour in `dc`, and the
// window colour's brush to answer with (the system's own).
[[nodiscard]] HBRUSH HighContrastStaticColours(HDC dc) noexcept;

// The focus cue of every skinned control: a dotted rectangle `inset` design pixels inside `box`.
void DrawFocusCue(HDC dc, const RECT& box, Scale scale, int inset = 2) noexcept;

}  // namespace win
