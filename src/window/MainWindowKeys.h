// The main window's keyboard before dialog processing. Enter and Escape never end the window: Enter
// goes to the control that has the focus and Escape leaves a task panel as Back does. Tab and
// Shift+Tab walk the controls of the view on show in reading order, Ctrl+Tab and Ctrl+Shift+Tab the
// ribbon's tabs, F1 opens help.
#pragma once

#include <windows.h>

#include "win/Focus.h"

namespace ui {

// What the window does with a key before the dialog manager could see it.
enum class WindowKey {
  kPass,         // dialog processing as usual (Space, arrows, letters, Alt+F4)
  kSwallow,      // nothing at all
  kNextControl,  // Tab
  kPreviousControl,
  kNextTab,  // Ctrl+Tab
  kPreviousTab,
  kToControl,  // the control that has the focus takes it as it is (Enter, a letter outside a field)
  kBack,       // Escape
  kHelp,       // F1
};

[[nodiscard]] WindowKey WindowKeyOf(const MSG& message);

// True for the keys that show the focus cues and access keys from then on: Tab, an arrow, Alt.
[[nodiscard]] bool ShowsKeyboardCues(const MSG& message);

// A window of the main window to Tab: the drawn controls and the fields are stops, the ribbon is
// one stop (its arrows move between its tabs), the views and panels are looked into; texts, the
// window's own minimise and close buttons and whatever else (a browser's windows) are not reached.
[[nodiscard]] win::TabRole TabRoleOf(HWND window);

}  // namespace ui
