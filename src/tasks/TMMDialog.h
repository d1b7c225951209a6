// CTMMDialog: the panel of the translation-memory task (23). The user picks the translation direction
// and one of its databases and presses Edit to open it in the TM manager, or has the kernel create a
// database with Create. The list follows the kernel's catalogue: it is read anew whenever the task
// opens and whenever another suite program says the databases changed. The panel remembers the
// direction and the database in the task settings.
#pragma once

#include <windows.h>

#include <string_view>

#include "tasks/TaskPanel.h"
#include "ui/MenuButton.h"
#include "ui/skin/CustomComboBox.h"
#include "ui/skin/CustomDialog.h"

namespace tasks {

class TaskContext;

class CTMMDialog final : public ui::skin::CCustomDialog, public TaskPanel {
 public:
  explicit CTMMDialog(TaskContext& context) : context_(context) {}

  bool Create(HWND parent, POINT at) override;
  [[nodiscard]] OpenOutcome Open(int taskCode, std::wstring_view appTokens) override;
  void Hide() override { ::ShowWindow(hwnd(), SW_HIDE); }
  [[nodiscard]] HWND Window() const noexcept override { return hwnd(); }
  void OnMemoriesChanged() override;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  bool OnInitPanel() override;

 private:
  void OnDirectionChanged();
  void OnMemoryChanged();
  void OnCreate();
  void OnEdit();
  void OnShown();

  TaskContext& context_;
  ui::skin::CCustomComboBox directionList_;
  ui::skin::CCustomComboBox memories_;
  CMenuButton create_;
  CMenuButton edit_;
};

}  // namespace tasks
