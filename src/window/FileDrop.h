// Files dragged from Explorer onto the main window: the first file of a drop, and the product's own
// translation command that carries out a task.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "menu/MenuModel.h"

namespace ui {

// The first file of `drop`, which is released; empty when there is none.
[[nodiscard]] std::wstring TakeFirstDroppedFile(HDROP drop);
// The product's own item of the translation tab that carries out `taskCode`; null when it has none
// (items of the suite's other products do not count).
[[nodiscard]] const MenuItem* TranslationItemOfTask(const MenuModel& model, int taskCode);

}  // namespace ui
