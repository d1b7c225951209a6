// What choosing a row of a tab's list does: the launch list starts its application, the documents
// list opens its document, a network command starts its application, and a command of the
// translation or customisation tab opens its task panel or starts its application; a dimmed command
// (another product's) is refused.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "menu/CommandTable.h"

namespace ui {

class MainWindowContext;
class Navigator;
class TabLists;
class TaskPanels;

// A panel's first text field in reading order, else its first tab stop, else the panel itself.
[[nodiscard]] HWND FirstFieldOf(HWND panel);

class RowDispatcher {
 public:
  RowDispatcher(MainWindowContext& app, Navigator& navigator, TaskPanels& panels, TabLists& lists) noexcept
      : app_(app), navigator_(navigator), panels_(panels), lists_(lists) {}

  // Row `row` of the list that reports its clicks with `listId` was chosen.
  void OnRowChosen(int listId, std::size_t row);
  // The command's task panel takes the tab's place, prepared for `appId` when the command names
  // an application; when no application can carry the task out, the tab's list comes back.
  void OpenTask(const CommandRow& command, std::wstring_view appId);

 private:
  MainWindowContext& app_;
  Navigator& navigator_;
  TaskPanels& panels_;
  TabLists& lists_;
};

}  // namespace ui
