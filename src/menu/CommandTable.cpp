#include "menu/CommandTable.h"

#include <algorithm>

namespace ui {
namespace {

constexpr CommandRow kStartsApplication{.taskCode = kNoTask, .action = CommandAction::kStartApplication};

}  // namespace

const CommandRow* FindCommandRow(MenuTab tab, int index) noexcept {
  if (const TaskRow* task = FindTaskOfCommand(tab, index)) return task;
  // Only the tabs that open tasks dispatch here; the network tab's commands are started directly.
  const bool opensTasks =
      std::ranges::any_of(Tasks(), [tab](const TaskRow& task) { return task.tab == tab; });
  const bool inGroup = std::ranges::any_of(
      CommandGroup(tab), [index](const MenuCommand& command) { return command.index == index; });
  return opensTasks && inGroup ? &kStartsApplication : nullptr;
}

}  // namespace ui
