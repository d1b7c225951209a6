#include "menu/MenuCommands.h"

#include <algorithm>

#include "StringIds.h"
#include "menu/TaskTable.h"
#include "suite/AppId.h"
#include "suite/InfSections.h"

namespace ui {
namespace {

// The commands that start an application; the task table holds the rest of the two groups.
constexpr MenuCommand kTranslationLaunchers[] = {
    {L"TranslateFiles", 9, IDS_CMD_TRANSLATE_FILES, IDS_CMD_TRANSLATE_FILES_DESC, 224, {L"Batcher"}, 3},
};

// The two dictionary-services rows share their texts and icon: one is the Pro edition.
constexpr MenuCommand kCustomisationLaunchers[] = {
    {L"LaunchTerminologyConverter",
     3,
     IDS_CMD_TERMINOLOGY_CONVERTER,
     IDS_CMD_TERMINOLOGY_CONVERTER_DESC,
     232,
     {L"GlossoConv"},
     5},
    {L"LaunchDictionaryServices",
     4,
     IDS_CMD_DICTIONARY_SERVICES,
     IDS_CMD_DICTIONARY_SERVICES_DESC,
     228,
     {L"Dictkit"},
     6},
    {L"LaunchTerminologyManager",
     5,
     IDS_CMD_TERMINOLOGY_MANAGER,
     IDS_CMD_TERMINOLOGY_MANAGER_DESC,
     230,
     {L"Glosso", L"GlossoL"},
     4},
    {L"LaunchXMLRulesEditor", 6, IDS_CMD_XML_RULES_EDITOR, IDS_CMD_XML_RULES_EDITOR_DESC, 226, {L"xre"}, 3},
    {L"LaunchDictionaryServicesI",
     7,
     IDS_CMD_DICTIONARY_SERVICES,
     IDS_CMD_DICTIONARY_SERVICES_DESC,
     228,
     {L"DictkitI"},
     7},
    {L"LaunchTrados", 8, IDS_CMD_TRADOS, IDS_CMD_TRADOS_DESC, 231, {L"TRADOS"}, 8},
};

// Index 2 is free. For some rows the longer text is the description, as the string table has it.
constexpr MenuCommand kNetworkCommands[] = {
    {L"LaunchNETSrvLogin", 0, IDS_NET_SERVER_LOGIN, IDS_NET_SERVER_LOGIN_DESC, 234, {L"SrvLogin"}, 0},
    {L"LaunchNETConfig", 1, IDS_NET_SERVER_SETUP, IDS_NET_SERVER_SETUP_DESC, 235, {L"SrvConfig"}, 7},
    {L"LaunchNETUserManager", 3, IDS_NET_USER_MANAGER, IDS_NET_USER_MANAGER_DESC, 237, {L"NetUM"}, 1},
    {L"LaunchNETLinguisticAdministrator",
     4,
     IDS_NET_LINGUISTIC_ADMIN,
     IDS_NET_LINGUISTIC_ADMIN_DESC,
     238,
     {L"NetLA"},
     3},
    {L"LaunchNETBackup", 5, IDS_NET_BACKUP, IDS_NET_BACKUP_DESC, 227, {L"UBackupNET"}, 8},
    {L"LaunchNETSync", 6, IDS_NET_SYNC, IDS_NET_SYNC_DESC, 239, {L"NetSync"}, 9},
    {L"LaunchNETDictInst", 7, IDS_NET_DICT_INSTALLER, IDS_NET_DICT_INSTALLER_DESC, 219, {L"DictInstS"}, 6},
    {L"LaunchIUpdates", 8, IDS_UPDATER, IDS_UPDATER_DESC, 436, {L"UpdLauncher"}, 5},
    {L"LaunchNETUserManagerI",
     9,
     IDS_NET_USER_MANAGER_PRO,
     IDS_NET_USER_MANAGER_PRO_DESC,
     237,
     {L"NetUMI"},
     2},
    {L"LaunchNETLinguisticAdministratorI",
     10,
     IDS_NET_LINGUISTIC_ADMIN_PRO,
     IDS_NET_LINGUISTIC_ADMIN_PRO_DESC,
     238,
     {L"NetLAI"},
     4},
};

constexpr std::size_t TaskCommandCount(MenuTab tab) {
  return static_cast<std::size_t>(std::ranges::count(Tasks(), tab, &TaskRow::tab));
}

// A tab's group: its task commands and its launchers, in index order.
template <std::size_t kSize>
constexpr std::array<MenuCommand, kSize> Group(MenuTab tab, std::span<const MenuCommand> launchers) {
  std::array<MenuCommand, kSize> commands{};
  std::size_t next = 0;
  for (const TaskRow& task : Tasks())
    if (task.tab == tab) commands[next++] = task.command;
  for (const MenuCommand& command : launchers) commands[next++] = command;
  std::ranges::sort(commands, {}, &MenuCommand::index);
  return commands;
}

constexpr auto kTranslationCommands =
    Group<TaskCommandCount(MenuTab::kTranslation) + std::size(kTranslationLaunchers)>(MenuTab::kTranslation,
                                                                                      kTranslationLaunchers);
constexpr auto kCustomisationCommands =
    Group<TaskCommandCount(MenuTab::kCustomisation) + std::size(kCustomisationLaunchers)>(
        MenuTab::kCustomisation, kCustomisationLaunchers);

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
