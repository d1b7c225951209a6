// What the task panels need of the running start centre, beyond what a hand-off needs: the kernel
// connection, the remembered task settings, the shared fonts and bitmaps, and the hand-off object.
#pragma once

#include "tasks/HandOffContext.h"

namespace app {
class KernelConnection;
class SettingsStore;
class SharedGraphics;
}  // namespace app
class CTranslateMenuUtils;

namespace tasks {

class CDictAndTMMUtils;

class TaskContext : public HandOffContext {
 public:
  [[nodiscard]] virtual app::KernelConnection& Kernel() = 0;
  [[nodiscard]] virtual app::SettingsStore& Settings() = 0;
  [[nodiscard]] virtual const app::SharedGraphics& Graphics() const = 0;
  // The hand-off object with its plug-in table; null until start-up has loaded it.
  [[nodiscard]] virtual CTranslateMenuUtils* MenuUtils() = 0;
  // The user-dictionary, translation-memory and profile work of the panels, for the whole run.
  [[nodiscard]] virtual CDictAndTMMUtils& DictAndTm() = 0;
  // The product's entry-view flag: non-zero lets the kernel's add-word dialog edit the word as well.
  [[nodiscard]] virtual int EntryView() const = 0;
};

}  // namespace tasks
