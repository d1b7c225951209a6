// CSingleComboDialog: the panel of the tasks that need one choice (the task table's kSingleCombo
// rows). E-mail in Outlook and instant messages pick the application and Launch it; editing profiles
// picks the translation direction and opens the kernel's profile editor with Edit.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "tasks/KernelDirections.h"
#include "tasks/TaskPanelDialog.h"
#include "controls/MenuButton.h"
#include "controls/CustomComboBox.h"

namespace ui {
struct TaskRow;
}

namespace tasks {

class CSingleComboDialog final : public CTaskPanelDialog {
 public:
  explicit CSingleComboDialog(TaskContext& context) : CTaskPanelDialog(context) {}

  [[nodiscard]] OpenOutcome Open(int taskCode, std::wstring_view appTokens) override;
  // The plug-in table was loaded again: an open panel fills its list anew from it.
  void OnPluginsSwitched() override;

  [[nodiscard]] int TaskCode() const noexcept { return taskCode_; }

 protected:
  bool OnCommand(int id, int code, HWND from) override;
  bool OnInitPanel() override;
  void ApplyScale() override;

 private:
  bool Initialise(int taskCode, std::wstring_view appTokens);
  bool InitialiseLaunch(const ui::TaskRow& task, std::wstring_view appTokens);
  void InitialiseProfiles(const ui::TaskRow& task);
  void OnApplicationChanged();
  void OnDirectionChanged();
  void OnLaunch();
  void OnEdit();

  KernelDirections directions_;
  int taskCode_ = 0;
  std::wstring appTokens_;
  HWND label_ = nullptr;
  HWND outcome_ = nullptr;
  ui::skin::CCustomComboBox applications_;
  ui::skin::CCustomComboBox directionList_;
  CMenuButton launch_;
  CMenuButton edit_;
};

}  // namespace tasks
