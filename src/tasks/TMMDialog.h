// CTMMDialog: the panel of the translation-memory task (kMemoryTask). The user picks the translation
// direction and one of its databases and presses Edit to open it in the TM manager, or has the kernel create
// a database with Create. The list follows the kernel's catalogue: it is read anew whenever the task opens
// and whenever another suite program says the databases changed. The panel remembers the direction and the
// database in the task settings.
#pragma once

#include <windows.h>

#include <string_view>

#include "tasks/TaskPanelDialog.h"
#include "controls/MenuButton.h"
#include "controls/CustomComboBox.h"

namespace tasks {

class CTMMDialog final : public CTaskPanelDialog {
 public:
  explicit CTMMDialog(TaskContext& context) : CTaskPanelDialog(context) {}

  [[nodiscard]] OpenOutcome Open(int taskCode, std::wstring_view appTokens) override;
  void OnMemoriesChanged() override;

 protected:
  bool OnCommand(int id, int code, HWND from) override;
  bool OnInitPanel() override;
  // Hiding keeps nothing: the choices are remembered as they are made.
  void OnShown() override;
  void ApplyScale() override;

 private:
  void OnDirectionChanged();
  void OnMemoryChanged();
  void OnCreate();
  void OnEdit();

  ui::skin::CCustomComboBox directionList_;
  ui::skin::CCustomComboBox memories_;
  CMenuButton create_;
  CMenuButton edit_;
};

}  // namespace tasks
