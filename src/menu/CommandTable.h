// What the main window does when a command of the translation or customisation tab is chosen: one
// row per command, naming its action and the task code of the panel it opens. Portable: no
// windows.h.
#pragma once

#include <span>
#include <string_view>

#include "menu/MenuCommands.h"

namespace ui {

enum class CommandAction {
  kOpenPanel,                // show the task's panel
  kOpenPanelForApplication,  // prepare the task's panel for the command's application; refused when
                             // no installed application can carry the task out
  kStartApplication,         // start the command's application; the list stays where it is
};

// The task codes, as the task panels and the remembered task settings know them.
enum TaskCode : int {
  kNoTask = 0,
  kQuickTranslationTask = 9,
  kWebPageTask = 10,
  kWordTask = 11,
  kExcelTask = 12,
  kMailTask = 13,
  kMessengerTask = 14,
  kPowerPointTask = 15,
  kPdfTask = 16,
  kOpenOfficeTask = 17,
  kAddWordTask = 20,
  kProfilesTask = 22,
  kMemoriesTask = 23,
};

struct CommandRow {
  MenuTab tab;
  int index;  // the command's index within its tab's group
  std::wstring_view command;
  CommandAction action;
  int taskCode;  // kNoTask for commands that start an application
};

[[nodiscard]] std::span<const CommandRow> CommandRows() noexcept;
// The row of the tab's command with `index`, or nullptr.
[[nodiscard]] const CommandRow* FindCommandRow(MenuTab tab, int index) noexcept;

}  // namespace ui
