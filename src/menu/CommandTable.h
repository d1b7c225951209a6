// What the main window does when a command of the translation or customisation tab is chosen: the
// task row of a command that opens a panel, a common row for the commands that start an
// application. Portable: no windows.h.
#pragma once

#include "menu/MenuCommands.h"
#include "menu/TaskTable.h"

namespace ui {

// The dispatcher reads a command's action and task code.
using CommandRow = TaskRow;

// The row of the tab's command with `index`: its task's, or for a command that starts an application
// a row with kStartApplication and kNoTask; nullptr when the tab opens no tasks or its group has
// no such command.
[[nodiscard]] const CommandRow* FindCommandRow(MenuTab tab, int index) noexcept;

}  // namespace ui
