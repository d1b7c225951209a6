#include "window/FileDrop.h"

#include <optional>

#include "StringIds.h"
#include "menu/CommandTable.h"
#include "tasks/DroppedFile.h"
#include "win/Resources.h"
#include "window/MainWindowContext.h"
#include "window/Navigator.h"
#include "window/TaskPanels.h"

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

void FileDrop::Take(HWND window, HDROP drop) {
  const std::wstring path = TakeFirstDroppedFile(drop);
  ::SetForegroundWindow(window);
  if (!path.empty()) Open(path);
}

void FileDrop::Open(const std::wstring& path) {
  const std::optional<tasks::DroppedDocument> dropped = tasks::DocumentOfDroppedFile(path);
  if (navigator_.ShowsTask()) {
    // The open panel takes any file; the web-page panel takes a page as its address.
    const int shown = navigator_.View();
    const bool asAddress = dropped && dropped->taskCode == shown;
    if (tasks::TaskPanel* panel = panels_.Find(shown);
        panel && panel->TakeDocument(asAddress ? dropped->document : path))
      return;
  }
  (void)OpenTaskOf(path);
}

tasks::TaskPanel* FileDrop::OpenTaskOf(const std::wstring& path) {
  const std::optional<tasks::DroppedDocument> dropped = tasks::DocumentOfDroppedFile(path);
  const MenuItem* item = dropped ? TranslationItemOfTask(model_, dropped->taskCode) : nullptr;
  if (item == nullptr || FindCommandRow(MenuTab::kTranslation, item->commandIndex) == nullptr) {
    const std::wstring kinds = tasks::DropKindsText(
        [this](int taskCode) { return TranslationItemOfTask(model_, taskCode) != nullptr; });
    std::wstring text = win::LoadString(kinds.empty() ? IDS_DROP_NOTHING : IDS_DROP_KINDS);
    if (const size_t at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, kinds);
    app_.ShowText(text, MB_OK | MB_ICONINFORMATION);
    return nullptr;
  }
  tasks::TaskPanel* panel = OpenTask(dropped->taskCode);
  if (panel) (void)panel->TakeDocument(dropped->document);
  return panel;
}

tasks::TaskPanel* FileDrop::OpenTask(int taskCode) {
  const MenuItem* item = TranslationItemOfTask(model_, taskCode);
  const CommandRow* command = item ? FindCommandRow(MenuTab::kTranslation, item->commandIndex) : nullptr;
  if (command == nullptr) return nullptr;
  navigator_.SwitchToTab(static_cast<int>(MenuTab::kTranslation));
  dispatcher_.OpenTask(*command, item->appId);
  return navigator_.View() == taskCode ? panels_.Find(taskCode) : nullptr;
}

}  // namespace ui
