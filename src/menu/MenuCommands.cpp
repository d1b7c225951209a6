#include "menu/MenuCommands.h"

#include "StringIds.h"
#include "suite/AppId.h"

namespace ui {
namespace {

constexpr MenuCommand kTranslationCommands[] = {
    {L"QuickTranslate", 0, IDS_CMD_QUICK_TRANSLATE, IDS_CMD_QUICK_TRANSLATE_DESC, 353, {}},
    {L"TranslateWeb", 1, IDS_CMD_TRANSLATE_WEB, IDS_CMD_TRANSLATE_WEB_DESC, 354, {}},
    {L"TranslateWord", 2, IDS_CMD_TRANSLATE_WORD, IDS_CMD_TRANSLATE_WORD_DESC, 355, {}},
    {L"TranslateExcel", 3, IDS_CMD_TRANSLATE_EXCEL, IDS_CMD_TRANSLATE_EXCEL_DESC, 356, {}},
    {L"TranslateOutlook", 4, IDS_CMD_TRANSLATE_OUTLOOK, IDS_CMD_TRANSLATE_OUTLOOK_DESC, 357, {}},
    {L"TranslateMessengers", 5, IDS_CMD_TRANSLATE_MESSENGERS, IDS_CMD_TRANSLATE_MESSENGERS_DESC, 358, {}},
    {L"TranslatePowerPoint", 6, IDS_CMD_TRANSLATE_POWERPOINT, IDS_CMD_TRANSLATE_POWERPOINT_DESC, 359, {}},
    {L"TranslatePDF", 7, IDS_CMD_TRANSLATE_PDF, IDS_CMD_TRANSLATE_PDF_DESC, 360, {}},
    {L"TranslateOpenOffice", 8, IDS_CMD_TRANSLATE_OPENOFFICE, IDS_CMD_TRANSLATE_OPENOFFICE_DESC, 361, {}},
    {L"TranslateFiles", 9, IDS_CMD_TRANSLATE_FILES, IDS_CMD_TRANSLATE_FILES_DESC, 224, {L"Batcher"}},
};

// The two dictionary-services rows share their texts and icon: one is the Pro edition.
constexpr MenuCommand kCustomisationCommands[] = {
    {L"EditTemplate", 0, IDS_CMD_EDIT_TEMPLATE, IDS_CMD_EDIT_TEMPLATE_DESC, 362, {}},
    {L"EditDictionary", 1, IDS_CMD_EDIT_DICTIONARY, IDS_CMD_EDIT_DICTIONARY_DESC, 222, {}},
    {L"EditTranslationMemory", 2, IDS_CMD_EDIT_TM, IDS_CMD_EDIT_TM_DESC, 225, {}},
    {L"LaunchTerminologyConverter", 3, IDS_CMD_TERMINOLOGY_CONVERTER, IDS_CMD_TERMINOLOGY_CONVERTER_DESC, 232,
     {L"GlossoConv"}},
    {L"LaunchDictionaryServices", 4, IDS_CMD_DICTIONARY_SERVICES, IDS_CMD_DICTIONARY_SERVICES_DESC, 228,
     {L"Dictkit"}},
    {L"LaunchTerminologyManager", 5, IDS_CMD_TERMINOLOGY_MANAGER, IDS_CMD_TERMINOLOGY_MANAGER_DESC, 230,
     {L"Glosso", L"GlossoL"}},
    {L"LaunchXMLRulesEditor", 6, IDS_CMD_XML_RULES_EDITOR, IDS_CMD_XML_RULES_EDITOR_DESC, 226, {L"xre"}},
    {L"LaunchDictionaryServicesI", 7, IDS_CMD_DICTIONARY_SERVICES, IDS_CMD_DICTIONARY_SERVICES_DESC, 228,
     {L"DictkitI"}},
    {L"LaunchTrados", 8, IDS_CMD_TRADOS, IDS_CMD_TRADOS_DESC, 231, {L"TRADOS"}},
};

// Index 2 is free. For some rows the longer text is the description, as the string table has it.
constexpr MenuCommand kNetworkCommands[] = {
    {L"LaunchNETSrvLogin", 0, IDS_NET_SERVER_LOGIN, IDS_NET_SERVER_LOGIN_DESC, 234, {L"SrvLogin"}},
    {L"LaunchNETConfig", 1, IDS_NET_SERVER_SETUP, IDS_NET_SERVER_SETUP_DESC, 235, {L"SrvConfig"}},
    {L"LaunchNETUserManager", 3, IDS_NET_USER_MANAGER, IDS_NET_USER_MANAGER_DESC, 237, {L"NetUM"}},
    {L"LaunchNETLinguisticAdministrator", 4, IDS_NET_LINGUISTIC_ADMIN, IDS_NET_LINGUISTIC_ADMIN_DESC, 238,
     {L"NetLA"}},
    {L"LaunchNETBackup", 5, IDS_NET_BACKUP, IDS_NET_BACKUP_DESC, 227, {L"UBackupNET"}},
    {L"LaunchNETSync", 6, IDS_NET_SYNC, IDS_NET_SYNC_DESC, 239, {L"NetSync"}},
    {L"LaunchNETDictInst", 7, IDS_NET_DICT_INSTALLER, IDS_NET_DICT_INSTALLER_DESC, 219, {L"DictInstS"}},
    {L"LaunchIUpdates", 8, IDS_UPDATER, IDS_UPDATER_DESC, 436, {L"UpdLauncher"}},
    {L"LaunchNETUserManagerI", 9, IDS_NET_USER_MANAGER_PRO, IDS_NET_USER_MANAGER_PRO_DESC, 237, {L"NetUMI"}},
    {L"LaunchNETLinguisticAdministratorI", 10, IDS_NET_LINGUISTIC_ADMIN_PRO, IDS_NET_LINGUISTIC_ADMIN_PRO_DESC,
     238, {L"NetLAI"}},
};

// The show-all orders as the product stores them (hence "LaunchTRADOS"; names compare without case).
constexpr std::wstring_view kTranslationOrder =
    L"QuickTranslate|TranslateWord|TranslateWeb|TranslateFiles|TranslatePDF|TranslateOutlook|"
    L"TranslateMessengers|TranslatePowerPoint|TranslateExcel|TranslateOpenOffice";
constexpr std::wstring_view kCustomisationOrder =
    L"EditDictionary|EditTemplate|EditTranslationMemory|LaunchXMLRulesEditor|LaunchTerminologyManager|"
    L"LaunchTerminologyConverter|LaunchDictionaryServices|LaunchDictionaryServicesI|LaunchTRADOS";
constexpr std::wstring_view kNetworkOrder =
    L"LaunchNETSrvLogin|LaunchNETUserManager|LaunchNETUserManagerI|LaunchNETLinguisticAdministrator|"
    L"LaunchNETLinguisticAdministratorI|LaunchIUpdates|LaunchNETDictInst|LaunchNETConfig|LaunchNETBackup|"
    L"LaunchNETSync";

struct Group {
  MenuTab tab;
  std::span<const MenuCommand> commands;
  std::wstring_view order;
};

constexpr Group kGroups[] = {
    {MenuTab::kTranslation, kTranslationCommands, kTranslationOrder},
    {MenuTab::kCustomisation, kCustomisationCommands, kCustomisationOrder},
    {MenuTab::kNetwork, kNetworkCommands, kNetworkOrder},
};

constexpr const Group* FindGroup(MenuTab tab) noexcept {
  for (const Group& group : kGroups)
    if (group.tab == tab) return &group;
  return nullptr;
}

}  // namespace

std::span<const MenuCommand> CommandGroup(MenuTab tab) noexcept {
  const Group* group = FindGroup(tab);
  return group ? group->commands : std::span<const MenuCommand>();
}

const MenuCommand* FindCommand(MenuTab tab, std::wstring_view name) noexcept {
  for (const MenuCommand& command : CommandGroup(tab))
    if (suite::SameAppId(command.name, name)) return &command;
  return nullptr;
}

std::wstring_view CanonicalOrderText(MenuTab tab) noexcept {
  const Group* group = FindGroup(tab);
  return group ? group->order : std::wstring_view();
}

std::vector<std::wstring_view> CanonicalOrder(MenuTab tab) {
  // The same "|" list with empty entries skipped as a command's app IDs.
  return suite::SplitAppIds(CanonicalOrderText(tab));
}

std::wstring MenuSection(MenuTab tab) {
  return L"_menu" + std::to_wstring(static_cast<int>(tab));
}

std::wstring ItemKey(std::size_t index) {
  return L"item" + std::to_wstring(index);
}

}  // namespace ui
