// The main window's task panels, kept by task code. One panel may serve several task codes (the
// translate-document panel serves every document task); each panel is created once, hidden.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "tasks/TaskPanel.h"

namespace tasks {
class TaskContext;
}

namespace ui {

class TaskPanels {
 public:
  TaskPanels() = default;
  TaskPanels(const TaskPanels&) = delete;
  TaskPanels& operator=(const TaskPanels&) = delete;

  // Creates `panel` hidden in `parent` at `at` and keeps it for `taskCodes`. A panel that cannot be
  // created is dropped with a line in the diagnostic log: its tasks then have no panel. False then.
  bool Add(std::unique_ptr<tasks::TaskPanel> panel, std::initializer_list<int> taskCodes, HWND parent, POINT at);
  // Every panel of the start centre, created as Add does.
  void CreateAll(tasks::TaskContext& context, HWND parent, POINT at);

  // The panel of `taskCode`, or null when the task has none.
  [[nodiscard]] tasks::TaskPanel* Find(int taskCode) const noexcept;
  // Opens the task's panel; kFailed when it has none.
  [[nodiscard]] tasks::OpenOutcome Open(int taskCode, std::wstring_view appTokens);
  void Hide(int taskCode);

  // Each panel once.
  void SaveSettings();
  void OnPluginsSwitched();
  void OnMemoriesChanged();

 private:
  struct Entry {
    int taskCode;
    tasks::TaskPanel* panel;
  };
  std::vector<std::unique_ptr<tasks::TaskPanel>> panels_;
  std::vector<Entry> byTask_;
};

}  // namespace ui
