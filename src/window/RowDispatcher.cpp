#include "window/RowDispatcher.h"

#include <vector>

#include "StringIds.h"
#include "menu/TabTable.h"
#include "suite/LaunchList.h"
#include "suite/Launcher.h"
#include "win/Focus.h"
#include "window/MainWindowContext.h"
#include "window/Navigator.h"
#include "window/TabLists.h"
#include "window/TaskPanels.h"

namespace ui {

HWND FirstFieldOf(HWND panel) {
  // The text field the user types into first, as the panel reads; a panel without one starts on its
  // first control.
  const std::vector<HWND> fields = win::TabOrder(panel, [](HWND window) {
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, 32);
    for (const wchar_t* field : {L"Edit", L"RichEdit20W"})
      if (::CompareStringOrdinal(name, -1, field, -1, TRUE) == CSTR_EQUAL) return win::TabRole::kStop;
    return win::TabRole::kSkip;
  });
  if (!fields.empty()) return fields.front();
  const HWND first = win::FirstTabStop(panel);
  return first ? first : panel;
}

void RowDispatcher::OnRowChosen(int listId, std::size_t row) {
  const TabRow* tab = TabOfListId(listId);
  if (tab == nullptr) return;
  if (tab->content == TabContent::kLaunchList) {
    if (suite::LaunchList* launch = lists_.Launch()) launch->LaunchItem(row);
    return;
  }
  if (tab->content == TabContent::kDocuments) {
    if (tasks::CDocsDialog* docs = lists_.Docs()) docs->Open(row);
    return;
  }
  const MenuItem* item = lists_.Model().ItemAt(tab->tab, row);
  if (item == nullptr) return;
  suite::Launcher launcher(app_);
  if (tab->content == TabContent::kApplicationList) {
    launcher.LaunchCommandApps(item->appId);
    return;
  }
  if (item->extra) {
    app_.ShowMessage(IDS_OTHER_PRODUCTS, {}, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const CommandRow* command = FindCommandRow(tab->tab, item->commandIndex);
  if (command == nullptr) return;
  if (command->action == CommandAction::kStartApplication)
    launcher.LaunchCommandApps(item->appId);
  else
    OpenTask(*command, item->appId);
}

void RowDispatcher::OpenTask(const CommandRow& command, std::wstring_view appId) {
  navigator_.ShowTask(command.taskCode);
  // A task without its panel yet shows the empty panel area, with Back.
  if (panels_.Find(command.taskCode) == nullptr) return;
  const bool forApplication = command.action == CommandAction::kOpenPanelForApplication;
  const tasks::OpenOutcome outcome =
      panels_.Open(command.taskCode, forApplication ? appId : std::wstring_view());
  if (outcome == tasks::OpenOutcome::kShown) {
    // Keys typed now go to the panel's first field, not to the list that was clicked.
    if (const tasks::TaskPanel* panel = panels_.Find(command.taskCode))
      ::SetFocus(FirstFieldOf(panel->Window()));
    return;
  }
  navigator_.GoBack();
  if (outcome == tasks::OpenOutcome::kNoApplication && forApplication)
    app_.ShowMessage(IDS_NO_APPLICATION_FOR_TASK, {}, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace ui
