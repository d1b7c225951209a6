#include "window/TaskPanels.h"

#include <algorithm>
#include <string>

#include "core/LogSink.h"
#include "menu/TaskTable.h"
#include "tasks/DictEditDialog.h"
#include "tasks/QuickTranslationDialog.h"
#include "tasks/SingleComboDialog.h"
#include "tasks/TMMDialog.h"
#include "tasks/TranslateDocumentDialog.h"

namespace ui {
namespace {

// The one place that knows each kind's class.
std::unique_ptr<tasks::TaskPanel> MakePanel(TaskPanelKind kind, tasks::TaskContext& context) {
  switch (kind) {
    case TaskPanelKind::kQuickTranslation: return std::make_unique<tasks::CQTransDlg>(context);
    case TaskPanelKind::kTranslateDocument: return std::make_unique<tasks::CTranslateDocumentDialog>(context);
    case TaskPanelKind::kSingleCombo: return std::make_unique<tasks::CSingleComboDialog>(context);
    case TaskPanelKind::kDictionary: return std::make_unique<tasks::CDictEditDialog>(context);
    case TaskPanelKind::kMemory: return std::make_unique<tasks::CTMMDialog>(context);
  }
  return nullptr;
}

}  // namespace

void TaskPanels::Add(std::unique_ptr<tasks::TaskPanel> panel, const std::vector<int>& taskCodes, HWND parent,
                     POINT at) {
  if (!panel) return;
  Slot slot{std::move(panel), {}, parent, at, State::kPending};
  for (int code : taskCodes) {
    slot.taskCodes += (slot.taskCodes.empty() ? L"" : L",") + std::to_wstring(code);
    byTask_.push_back({code, panels_.size()});
  }
  panels_.push_back(std::move(slot));
}

TaskPanels::Slot* TaskPanels::SlotOf(int taskCode) noexcept {
  for (const Entry& entry : byTask_)
    if (entry.taskCode == taskCode) return &panels_[entry.slot];
  return nullptr;
}

bool TaskPanels::Ready(Slot& slot) {
  if (slot.state == State::kPending) {
    slot.state = slot.panel->Create(slot.parent, scale_.Px(slot.at)) ? State::kCreated : State::kFailed;
    if (slot.state == State::kFailed)
      app::Log().Line(L"Main window: the panel of tasks %s could not be created", slot.taskCodes.c_str());
  }
  return slot.state == State::kCreated;
}

void TaskPanels::CreateAll(tasks::TaskContext& context, HWND parent, POINT at) {
  // One panel of each kind the task table names, serving the tasks that name it.
  std::vector<TaskPanelKind> kinds;
  for (const TaskRow& task : Tasks())
    if (std::ranges::find(kinds, task.panel) == kinds.end()) kinds.push_back(task.panel);
  for (TaskPanelKind kind : kinds) {
    std::vector<int> codes;
    for (const TaskRow& task : Tasks())
      if (task.panel == kind) codes.push_back(task.taskCode);
    Add(MakePanel(kind, context), codes, parent, at);
  }
}

void TaskPanels::SetScale(win::Scale scale) {
  scale_ = scale;
  for (const Slot& slot : panels_) {
    if (slot.state != State::kCreated) continue;
    const POINT at = scale_.Px(slot.at);
    ::SetWindowPos(slot.panel->Window(), nullptr, at.x, at.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

tasks::TaskPanel* TaskPanels::Find(int taskCode) const noexcept {
  for (const Entry& entry : byTask_)
    if (entry.taskCode == taskCode)
      return panels_[entry.slot].state == State::kFailed ? nullptr : panels_[entry.slot].panel.get();
  return nullptr;
}

tasks::OpenOutcome TaskPanels::Open(int taskCode, std::wstring_view appTokens) {
  Slot* slot = SlotOf(taskCode);
  return slot && Ready(*slot) ? slot->panel->Open(taskCode, appTokens) : tasks::OpenOutcome::kFailed;
}

void TaskPanels::Hide(int taskCode) {
  if (Slot* slot = SlotOf(taskCode); slot && slot->state == State::kCreated) slot->panel->Hide();
}

void TaskPanels::SaveSettings() {
  ForEachCreated([](tasks::TaskPanel& panel) { panel.SaveSettings(); });
}

void TaskPanels::OnPluginsSwitched() {
  ForEachCreated([](tasks::TaskPanel& panel) { panel.OnPluginsSwitched(); });
}

void TaskPanels::OnMemoriesChanged() {
  ForEachCreated([](tasks::TaskPanel& panel) { panel.OnMemoriesChanged(); });
}

}  // namespace ui
