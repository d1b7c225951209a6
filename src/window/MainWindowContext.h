// What the main window needs of the running start centre, beyond what its task panels need: where
// the help file is, whether updates are being installed, and where to put its own state.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "tasks/TaskContext.h"
#include "updates/ServiceInfo.h"

namespace ui {

class MainWindowContext : public tasks::TaskContext {
 public:
  [[nodiscard]] virtual const std::wstring& HelpPath() const = 0;
  // Set while the suite's updater installs; quitting then asks first.
  [[nodiscard]] virtual bool UpdatesInstalling() const = 0;
  // ClientName from the product's resource file: how the suite's components know this program.
  [[nodiscard]] virtual const std::wstring& ClientName() const = 0;
  // What the suite's web-service component reported; shared with the threads that talk to it.
  [[nodiscard]] virtual std::shared_ptr<updates::ServiceInfo> Service() const = 0;
  // The "show all features" box, which the hand-off's lists follow as well.
  virtual void SetShowAllFeatures(bool showAll) = 0;
  // Called, once, by the first who asks for the settings before they are loaded; the main window
  // sets it while the web service it loads them after has not answered yet.
  virtual void SetSettingsLoader(std::function<void()> loader) = 0;
  // The main window while it exists, null before and after: the owner of every message box.
  virtual void SetMainWindow(HWND window) = 0;
  // The shared graphics, to switch to another scale (only the main window does, when its DPI
  // changes); Graphics() is the same object.
  [[nodiscard]] virtual app::SharedGraphics& RescalableGraphics() = 0;
  // The window has been painted whole: what the start-up readied for its first paint and it did not
  // use is let go.
  virtual void WindowPainted() = 0;
};

}  // namespace ui
