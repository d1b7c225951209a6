// CTaskPanelDialog: what every task panel of the main window shares. A skinned panel made from the
// common template, shown and hidden by the main window, that answers its own commands and reads the
// kernel's translation directions when a task first needs them.
#pragma once

#include <windows.h>

#include "tasks/TaskPanel.h"
#include "controls/CustomComboBox.h"
#include "controls/CustomDialog.h"

namespace tasks {

class KernelDirections;
class TaskContext;

class CTaskPanelDialog : public ui::skin::CCustomDialog, public TaskPanel {
 public:
  bool Create(HWND parent, POINT at) override;
  void Hide() override { ::ShowWindow(hwnd(), SW_HIDE); }
  [[nodiscard]] HWND Window() const noexcept override { return hwnd(); }

 protected:
  explicit CTaskPanelDialog(TaskContext& context) : context_(context) {}

  // A panel with messages of its own answers them first and passes the rest here.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  // A command of the panel's controls; false when the panel does not handle it.
  virtual bool OnCommand(int id, int code, HWND from) = 0;
  // The panel itself was shown or hidden (not the main window minimised or restored).
  virtual void OnShown() {}
  virtual void OnHidden() {}
  // The shared graphics have changed to another scale: the panel places its own controls again at
  // it and gives them the fonts and pictures of it. Its controls take the same message after it and
  // lay themselves out; the texts, choices and the focus stay as they are.
  virtual void ApplyScale() {}

  // Reads the kernel's directions into `directions` and lists their names in `list`, unless they
  // were read already: they are read when a task first needs them, and again after a failure. On a
  // failure the user is told and the result is false.
  bool LoadDirections(KernelDirections& directions, ui::skin::CCustomComboBox& list);
  // Lists in `profiles` the profiles of the direction chosen in `directionList` and chooses the
  // first; a beep when the kernel could not name them all.
  static void ListProfiles(const KernelDirections& directions, const ui::skin::CCustomComboBox& directionList,
                           ui::skin::CCustomComboBox& profiles);

  TaskContext& context_;
};

}  // namespace tasks
