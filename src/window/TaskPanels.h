// The main window's task panels, kept by task code. One panel may serve several task codes (the
// translate-document panel serves every document task). Each panel's window is made, hidden, when
// one of its tasks is first opened: most sessions open few tasks, and the window appears sooner.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "tasks/TaskPanel.h"
#include "win/Scale.h"

namespace tasks {
class TaskContext;
}

namespace ui {

class TaskPanels {
 public:
  TaskPanels() = default;
  TaskPanels(const TaskPanels&) = delete;
  TaskPanels& operator=(const TaskPanels&) = delete;

  // Keeps `panel` for `taskCodes`, to be created hidden in `parent` at `at` (a place of the 96-DPI
  // design, scaled by the panels' scale) when first opened. A panel
  // that cannot be created then is dropped with a line in the diagnostic log: its tasks have no
  // panel from then on.
  void Add(std::unique_ptr<tasks::TaskPanel> panel, const std::vector<int>& taskCodes, HWND parent, POINT at);
  // One panel of each kind the task table names, for the tasks that name it, kept as Add does.
  void CreateAll(tasks::TaskContext& context, HWND parent, POINT at);

  // The scale the panels' places are scaled by (the design's until set); the panels made so far move
  // to their places at it (each lays out its own content).
  void SetScale(win::Scale scale);

  // The panel of `taskCode`, or null when the task has none (or its panel could not be created).
  [[nodiscard]] tasks::TaskPanel* Find(int taskCode) const noexcept;
  // Opens the task's panel, creating it first if need be; kFailed when it has none.
  [[nodiscard]] tasks::OpenOutcome Open(int taskCode, std::wstring_view appTokens);
  void Hide(int taskCode);

  // Each created panel once.
  void SaveSettings();
  void OnPluginsSwitched();
  void OnMemoriesChanged();

 private:
  enum class State { kPending, kCreated, kFailed };
  struct Slot {
    std::unique_ptr<tasks::TaskPanel> panel;
    std::wstring taskCodes;  // for the log
    HWND parent = nullptr;
    POINT at{};  // of the design
    State state = State::kPending;
  };
  struct Entry {
    int taskCode;
    size_t slot;
  };
  [[nodiscard]] Slot* SlotOf(int taskCode) noexcept;
  // Creates the slot's panel if it is still to be made; false when it has none.
  bool Ready(Slot& slot);
  template <class Action>
  void ForEachCreated(Action&& action) {
    for (Slot& slot : panels_)
      if (slot.state == State::kCreated) action(*slot.panel);
  }

  std::vector<Slot> panels_;
  std::vector<Entry> byTask_;
  win::Scale scale_;
};

}  // namespace ui
