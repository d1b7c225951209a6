// CDictEditDialog: the panel of the user-dictionary task (kDictionaryTask). The user picks the translation
// direction and one of its user dictionaries, types a word and presses Add; the kernel's own
// add-word dialog takes it from there. New Dictionary has the kernel make a user dictionary of the
// direction. The panel remembers the direction, the dictionary, the word and the add-word dialog's
// entry in the task settings.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "tasks/KernelDirections.h"
#include "tasks/TaskPanelDialog.h"
#include "controls/MenuButton.h"
#include "controls/CustomComboBox.h"
#include "controls/CustomEdit.h"

namespace tasks {

class CDictEditDialog final : public CTaskPanelDialog {
 public:
  explicit CDictEditDialog(TaskContext& context) : CTaskPanelDialog(context) {}

  [[nodiscard]] OpenOutcome Open(int taskCode, std::wstring_view appTokens) override;
  void SaveSettings() override;

 protected:
  bool OnCommand(int id, int code, HWND from) override;
  bool OnInitPanel() override;
  void OnShown() override;
  void OnHidden() override;
  void ApplyScale() override;

 private:
  void OnNewDictionary();
  void OnAdd();
  void OnDirectionChanged();
  void RememberWordAndDictionary();

  KernelDirections directions_;
  HWND word_ = nullptr;
  ui::skin::CCustomEdit wordFrame_;
  ui::skin::CCustomComboBox directionList_;
  ui::skin::CCustomComboBox dictionaries_;
  CMenuButton newDictionary_;
  CMenuButton add_;
};

}  // namespace tasks
