#include "ui/TaskPanels.h"

#include <string>

#include "app/LogSink.h"
#include "tasks/SingleComboDialog.h"
#include "tasks/TranslateDocumentDialog.h"

namespace ui {

bool TaskPanels::Add(std::unique_ptr<tasks::TaskPanel> panel, std::initializer_list<int> taskCodes, HWND parent,
                     POINT at) {
  if (!panel) return false;
  if (!panel->Create(parent, at)) {
    std::wstring codes;
    for (int code : taskCodes) codes += (codes.empty() ? L"" : L",") + std::to_wstring(code);
    app::Log().Line(L"Main window: the panel of tasks %s could not be created", codes.c_str());
    return false;
  }
  for (int code : taskCodes) byTask_.push_back({code, panel.get()});
  panels_.push_back(std::move(panel));
  return true;
}

void TaskPanels::CreateAll(tasks::TaskContext& context, HWND parent, POINT at) {
  // One line per panel: Add(std::make_unique<Panel>(context), {its task codes}, parent, at).
  // Until a task has its panel, choosing it shows the empty panel area with Back.
  Add(std::make_unique<tasks::CTranslateDocumentDialog>(context), {10, 11, 12, 15, 16, 17}, parent, at);
  Add(std::make_unique<tasks::CSingleComboDialog>(context), {13, 14, 22}, parent, at);
}

tasks::TaskPanel* TaskPanels::Find(int taskCode) const noexcept {
  for (const Entry& entry : byTask_)
    if (entry.taskCode == taskCode) return entry.panel;
  return nullptr;
}

tasks::OpenOutcome TaskPanels::Open(int taskCode, std::wstring_view appTokens) {
  tasks::TaskPanel* panel = Find(taskCode);
  return panel ? panel->Open(taskCode, appTokens) : tasks::OpenOutcome::kFailed;
}

void TaskPanels::Hide(int taskCode) {
  if (tasks::TaskPanel* panel = Find(taskCode)) panel->Hide();
}

void TaskPanels::SaveSettings() {
  for (const auto& panel : panels_) panel->SaveSettings();
}

void TaskPanels::OnPluginsSwitched() {
  for (const auto& panel : panels_) panel->OnPluginsSwitched();
}

void TaskPanels::OnMemoriesChanged() {
  for (const auto& panel : panels_) panel->OnMemoriesChanged();
}

}  // namespace ui
