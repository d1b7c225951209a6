#include "menu/MenuCommands.h"

#include <algorithm>

#include "menu/TaskTable.h"
#include "suite/AppId.h"
#include "suite/Applications.h"
#include "suite/InfSections.h"

namespace ui {
namespace {

constexpr bool StartedFrom(const suite::Application& application, MenuTab tab) {
  return application.command.tab == static_cast<int>(tab);
}

constexpr std::size_t CommandCount(MenuTab tab) {
  return static_cast<std::size_t>(
      std::ranges::count(Tasks(), tab, &TaskRow::tab) +
      std::ranges::count_if(suite::Applications(),
                            [tab](const auto& application) { return StartedFrom(application, tab); }));
}

// The command that starts the application, with its icon and the editions it accepts.
constexpr MenuCommand LaunchCommandOf(const suite::Application& application) {
  const suite::LaunchCommand& command = application.command;
  return {command.name,           command.index,      command.titleId,
          command.descriptionId,  application.iconId, {application.appId, command.otherEdition},
          command.showAllPosition};
}

// A tab's group: its task commands and the commands that start an application, in index order.
template <MenuTab kTab>
constexpr std::array<MenuCommand, CommandCount(kTab)> Group() {
  std::array<MenuCommand, CommandCount(kTab)> commands{};
  std::size_t next = 0;
  for (const TaskRow& task : Tasks())
    if (task.tab == kTab) commands[next++] = task.command;
  for (const suite::Application& application : suite::Applications())
    if (StartedFrom(application, kTab)) commands[next++] = LaunchCommandOf(application);
  std::ranges::sort(commands, {}, &MenuCommand::index);
  return commands;
}

constexpr auto kTranslationCommands = Group<MenuTab::kTranslation>();
constexpr auto kCustomisationCommands = Group<MenuTab::kCustomisation>();
constexpr auto kNetworkCommands = Group<MenuTab::kNetwork>();

struct TabGroup {
  MenuTab tab;
  std::span<const MenuCommand> commands;
};

constexpr TabGroup kGroups[] = {
    {MenuTab::kTranslation, kTranslationCommands},
    {MenuTab::kCustomisation, kCustomisationCommands},
    {MenuTab::kNetwork, kNetworkCommands},
};

}  // namespace

std::span<const MenuCommand> CommandGroup(MenuTab tab) noexcept {
  for (const TabGroup& group : kGroups)
    if (group.tab == tab) return group.commands;
  return {};
}

const MenuCommand* FindCommand(MenuTab tab, std::wstring_view name) noexcept {
  for (const MenuCommand& command : CommandGroup(tab))
    if (suite::SameAppId(command.name, name)) return &command;
  return nullptr;
}

std::vector<std::wstring_view> CanonicalOrder(MenuTab tab) {
  const std::span<const MenuCommand> group = CommandGroup(tab);
  std::vector<const MenuCommand*> commands;
  commands.reserve(group.size());
  for (const MenuCommand& command : group) commands.push_back(&command);
  std::ranges::sort(commands, {}, &MenuCommand::showAllPosition);
  std::vector<std::wstring_view> names;
  names.reserve(commands.size());
  for (const MenuCommand* command : commands) names.push_back(command->name);
  return names;
}

std::wstring MenuSection(MenuTab tab) {
  return suite::MenuSectionOf(static_cast<int>(tab));
}

std::wstring ItemKey(std::size_t index) {
  return L"item" + std::to_wstring(index);
}

}  // namespace ui
