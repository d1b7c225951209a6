// CTranslateDocumentDialog: the panel of the document and web-page tasks (the task table's
// kTranslateDocument rows).
// The user names a document or a web address, picks where to translate it, the direction and the
// profile, and presses Translate (or Launch, for Acrobat and Reader); the hand-off object does the
// rest. The panel remembers the choices per task in the task settings.
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

class CTranslateDocumentDialog final : public CTaskPanelDialog {
 public:
  explicit CTranslateDocumentDialog(TaskContext& context) : CTaskPanelDialog(context) {}

  [[nodiscard]] OpenOutcome Open(int taskCode, std::wstring_view appTokens) override;
  void SaveSettings() override;
  bool TakeDocument(const std::wstring& document) override;
  bool HandOverAgain(const suite::RecentDocument& entry) override;
  // The plug-in table was loaded again: an open panel fills its list anew from it.
  void OnPluginsSwitched() override;

  [[nodiscard]] int TaskCode() const noexcept { return taskCode_; }

 protected:
  bool OnCommand(int id, int code, HWND from) override;
  bool OnInitPanel() override;
  void OnShown() override;
  void OnHidden() override;
  void ApplyScale() override;

 private:
  // Prepares every control for `taskCode`; false when no application can serve it.
  bool Initialise(int taskCode, std::wstring_view appTokens);
  void FillProfiles() { ListProfiles(directions_, directionList_, profiles_); }
  void OnApplicationChanged();
  void OnDirectionChanged();
  void OnBrowse();
  void OnTranslate();
  // The document tasks' field must name an existing file; true when it may go to the hand-off.
  bool DocumentUsable(const std::wstring& document);
  void UseDefaultSteps();
  void ShowDirectionAndProfile(bool show);
  [[nodiscard]] std::wstring Remembered(int entry) const;
  void Remember(int entry, const std::wstring& text);

  KernelDirections directions_;
  int taskCode_ = 0;
  std::wstring appTokens_;
  HWND documentLabel_ = nullptr;
  HWND document_ = nullptr;
  HWND applicationLabel_ = nullptr;
  HWND directionLabel_ = nullptr;
  HWND profileLabel_ = nullptr;
  HWND outcome_ = nullptr;
  ui::skin::CCustomEdit documentFrame_;
  ui::skin::CCustomComboBox applications_;
  ui::skin::CCustomComboBox directionList_;
  ui::skin::CCustomComboBox profiles_;
  CMenuButton browse_;
  CMenuButton action_;
};

}  // namespace tasks
