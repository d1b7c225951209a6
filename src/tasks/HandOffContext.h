// What the hand-off object needs of the running start centre: everything a launch needs, and the
// main window's "show all features" state and the Messenger activity address of the task settings.
#pragma once

#include <string>

#include "suite/LaunchContext.h"

namespace tasks {

class HandOffContext : public suite::LaunchContext {
 public:
  // Whether the main window also shows the features of the suite's other products.
  [[nodiscard]] virtual bool ShowAllFeatures() const = 0;
  // The Windows Live Messenger activity address the settings hold; empty for the built-in one.
  [[nodiscard]] virtual std::wstring ActivityAddress() const = 0;
};

}  // namespace tasks
