// What the main window needs of the running start centre, beyond what its task panels need: where
// the help file is, whether updates are being installed, and where to put its own state.
#pragma once

#include <windows.h>

#include <string>

#include "tasks/TaskContext.h"


namespace ui {

class MainWindowContext : public tasks::TaskContext {
 public:
  [[nodiscard]] virtual const std::wstring& HelpPath() const = 0;
  // Set while the suite's updater installs; quitting then asks first.
  [[nodiscard]] virtual bool UpdatesInstalling() const = 0;
  // The "show all features" box, which the hand-off's lists follow as well.
  virtual void SetShowAllFeatures(bool showAll) = 0;
  // The main window while it exists, null before and after: the owner of every message box.
  virtual void SetMainWindow(HWND window) = 0;
};

}  // namespace ui
