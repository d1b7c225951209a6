// The substitute's one window: a modal dialog that says who the program is and what it was asked
// to do. Close, Esc and Alt+F4 end it; /exitafter:N ends it by itself.
#pragma once

#include <windows.h>

#include "StartReport.h"

namespace suiteapp {

// Caption suffix after the application's name.
inline constexpr wchar_t kCaptionSuffix[] = L" (VANTO suite application substitute)";

// Shows the window until it is closed; the program's exit code (0, or 1 when no window could be made).
[[nodiscard]] int RunSubstituteWindow(HINSTANCE instance, const StartReport& report) noexcept;

}  // namespace suiteapp
