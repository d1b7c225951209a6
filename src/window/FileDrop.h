// Files dragged from Explorer onto the main window: the first file of a drop goes into the open task
// panel's document field, or opens the product's own translation task that carries it out, or is
// refused with the kinds of files the product takes.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "menu/MenuModel.h"
#include "window/RowDispatcher.h"

namespace tasks {
class TaskPanel;
}

namespace ui {

class MainWindowContext;
class Navigator;
class TaskPanels;

// The first file of `drop`, which is released; empty when there is none.
[[nodiscard]] std::wstring TakeFirstDroppedFile(HDROP drop);
// The product's own item of the translation tab that carries out `taskCode`; null when it has none
// (items of the suite's other products do not count).
[[nodiscard]] const MenuItem* TranslationItemOfTask(const MenuModel& model, int taskCode);

class FileDrop {
 public:
  // `dispatcher` opens a task's panel as a chosen list row does.
  FileDrop(MainWindowContext& app, Navigator& navigator, const TaskPanels& panels, const MenuModel& model,
           RowDispatcher& dispatcher) noexcept
      : app_(app), navigator_(navigator), panels_(panels), model_(model), dispatcher_(dispatcher) {}

  // WM_DROPFILES of `window`: takes the drop's first file (and releases the drop).
  void Take(HWND window, HDROP drop);
  // Opens the product's translation task that takes `path`, with the path as its document; a file
  // of a kind no task takes is refused with the kinds the product takes. The panel, or null.
  tasks::TaskPanel* OpenTaskOf(const std::wstring& path);
  // Opens the product's own task `taskCode` on the translation tab; its panel, or null when the
  // product has none.
  tasks::TaskPanel* OpenTask(int taskCode);

 private:
  void Open(const std::wstring& path);

  MainWindowContext& app_;
  Navigator& navigator_;
  const TaskPanels& panels_;
  const MenuModel& model_;
  RowDispatcher& dispatcher_;
};

}  // namespace ui
