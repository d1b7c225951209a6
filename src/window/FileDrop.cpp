#include "window/FileDrop.h"

#include "menu/CommandTable.h"

namespace ui {

std::wstring TakeFirstDroppedFile(HDROP drop) {
  std::wstring path;
  if (::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
    const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
    path.resize(static_cast<size_t>(length) + 1);
    const UINT copied = ::DragQueryFileW(drop, 0, path.data(), length + 1);
    path.resize(copied);
  }
  ::DragFinish(drop);
  return path;
}

const MenuItem* TranslationItemOfTask(const MenuModel& model, int taskCode) {
  for (const MenuItem& item : model.Items(MenuTab::kTranslation)) {
    if (item.extra) continue;
    const CommandRow* row = FindCommandRow(MenuTab::kTranslation, item.commandIndex);
    if (row && row->taskCode == taskCode && row->action != CommandAction::kStartApplication) return &item;
  }
  return nullptr;
}

}  // namespace ui
