// The suite's applications, one row each: the ID the registry and the product's .inf know it by,
// its name and icon, whether the launch tab lists it, what messages call it, what the task panels
// tell about it, and the command of a configurable tab that starts it. The launch list, the display
// names, the panels' help texts and the menu's command groups all read this table. Portable: no
// windows.h.
//
// Adding an application: one row here and its strings; its icon in SkinIds.h.
#pragma once

#include <span>
#include <string_view>

#include "SkinIds.h"
#include "StringIds.h"
#include "suite/AppId.h"

namespace suite {

// A command of the translation (1), customisation (2) or network (6) tab that starts the
// application. The commands that open a task panel are rows of the menu's task table.
struct LaunchCommand {
  int tab = 0;               // the tab's number; 0: no command starts the application
  std::wstring_view name{};  // as the product's .inf spells it
  int index = 0;             // within the tab's group: the dispatcher's switch value
  unsigned titleId = 0;      // the command's texts, which may differ from the application's
  unsigned descriptionId = 0;
  int showAllPosition = 0;           // its place in the group's "show all features" order
  std::wstring_view otherEdition{};  // an edition the command also starts when this one is missing
};

struct Application {
  std::wstring_view appId;
  unsigned nameId = 0;         // UI string table
  bool launchList = false;     // on the launch tab's list, which keeps this table's order
  unsigned descriptionId = 0;  // the launch list's second line
  unsigned iconId = 0;         // icon resource of the program's own file
  // A fixed executable path would go here; no row has one, the path always comes from "Apps".
  std::wstring_view fixedPath{};
  // What messages and the hand-off call it: its name, a fixed text, or nothing.
  bool namedInMessages = true;
  std::wstring_view messageName{};
  // The ID messages know it by when it is not `appId`; then `appId` finds no name there.
  std::wstring_view messageId{};
  // What a task panel tells when the application is chosen in "Translate in:": the outcome text
  // and the steps to take; 0 for none.
  unsigned helpId = 0;
  unsigned helpStepsId = 0;
  // It may only run while no other suite program runs: the start centre asks to quit and closes
  // itself after starting it, from the launch list or from a menu command (each knows its own).
  bool aloneFromList = false;
  bool aloneFromCommand = false;
  bool networkOnly = false;  // belongs to the VANTO NET server
  LaunchCommand command{};
};

namespace application_rows {

constexpr int kTranslate = 1;
constexpr int kCustomise = 2;
constexpr int kNetwork = 6;

// The launch list's rows first, in its order. Rows that share an icon stand for editions of one
// application; the two dictionary-services commands share their texts for the same reason. For
// some network rows the longer text is the description, as the string table has it.
inline constexpr Application kApplications[] = {
    {.appId = L"Vnto",
     .nameId = IDS_APP_VNTO,
     .launchList = true,
     .descriptionId = IDS_APP_VNTO_DESC,
     .iconId = IDI_APP_TRANSLATOR,
     .helpId = IDS_HELP_VNTO},
    {.appId = L"VntoI",
     .nameId = IDS_APP_VNTOI,
     .launchList = true,
     .descriptionId = IDS_APP_VNTOI_DESC,
     .iconId = IDI_APP_TRANSLATOR},
    {.appId = L"VntoX",
     .nameId = IDS_APP_VNTOX,
     .launchList = true,
     .descriptionId = IDS_APP_VNTOX_DESC,
     .iconId = IDI_APP_TRANSLATOR_LITE,
     .helpId = IDS_HELP_VNTOX},
    {.appId = L"Lexa",
     .nameId = IDS_APP_LEXA,
     .launchList = true,
     .descriptionId = IDS_APP_LEXA_DESC,
     .iconId = IDI_APP_DICTIONARY_EDITOR},
    {.appId = L"LexaI",
     .nameId = IDS_APP_LEXAI,
     .launchList = true,
     .descriptionId = IDS_APP_LEXAI_DESC,
     .iconId = IDI_APP_DICTIONARY_EDITOR},
    {.appId = L"Dictkit",
     .nameId = IDS_APP_DICTKIT,
     .launchList = true,
     .descriptionId = IDS_APP_DICTKIT_DESC,
     .iconId = IDI_APP_DICTIONARY_MANAGER,
     .command = {kCustomise, L"LaunchDictionaryServices", 4, IDS_CMD_DICTIONARY_SERVICES,
                 IDS_CMD_DICTIONARY_SERVICES_DESC, 6}},
    {.appId = L"DictkitI",
     .nameId = IDS_APP_DICTKITI,
     .launchList = true,
     .descriptionId = IDS_APP_DICTKITI_DESC,
     .iconId = IDI_APP_DICTIONARY_MANAGER,
     .command = {kCustomise, L"LaunchDictionaryServicesI", 7, IDS_CMD_DICTIONARY_SERVICES,
                 IDS_CMD_DICTIONARY_SERVICES_DESC, 7}},
    {.appId = L"TRADOS",
     .nameId = IDS_APP_TRADOS,
     .launchList = true,
     .descriptionId = IDS_APP_TRADOS_DESC,
     .iconId = IDI_APP_TRADOS,
     .command = {kCustomise, L"LaunchTrados", 8, IDS_CMD_TRADOS, IDS_CMD_TRADOS_DESC, 8}},
    {.appId = L"Skiff",
     .nameId = IDS_APP_SKIFF,
     .launchList = true,
     .descriptionId = IDS_APP_SKIFF_DESC,
     .iconId = IDI_APP_QALAB,
     .namedInMessages = false},
    {.appId = L"DictInst",
     .nameId = IDS_APP_DICTINST,
     .launchList = true,
     .descriptionId = IDS_APP_DICTINST_DESC,
     .iconId = IDI_APP_DICTIONARY_INSTALLER,
     .aloneFromList = true},
    {.appId = L"VntoICQ",
     .nameId = IDS_APP_VNTOICQ,
     .launchList = true,
     .descriptionId = IDS_APP_VNTOICQ_DESC,
     .iconId = IDI_APP_ICQ,
     .messageName = L"ICQ",
     .helpId = IDS_HELP_ICQ,
     .helpStepsId = IDS_HELP_ICQ_STEPS},
    {.appId = L"Batcher",
     .nameId = IDS_APP_BATCHER,
     .launchList = true,
     .descriptionId = IDS_APP_BATCHER_DESC,
     .iconId = IDI_APP_BATCH_TRANSLATOR,
     .helpId = IDS_HELP_BATCHER,
     .command = {kTranslate, L"TranslateFiles", 9, IDS_CMD_TRANSLATE_FILES, IDS_CMD_TRANSLATE_FILES_DESC, 3}},
    {.appId = L"VantoEM",
     .nameId = IDS_APP_VANTOEM,
     .launchList = true,
     .descriptionId = IDS_APP_VANTOEM_DESC,
     .iconId = IDI_APP_PLUGIN_MANAGER,
     .messageId = L"VntoEM"},
    {.appId = L"Glosso",
     .nameId = IDS_APP_GLOSSO,
     .launchList = true,
     .descriptionId = IDS_APP_GLOSSO_DESC,
     .iconId = IDI_APP_TERMINOLOGY_MANAGER,
     .command = {kCustomise, L"LaunchTerminologyManager", 5, IDS_CMD_TERMINOLOGY_MANAGER,
                 IDS_CMD_TERMINOLOGY_MANAGER_DESC, 4, L"GlossoL"}},
    {.appId = L"GlossoL",
     .nameId = IDS_APP_GLOSSOL,
     .launchList = true,
     .descriptionId = IDS_APP_GLOSSOL_DESC,
     .iconId = IDI_APP_TERMINOLOGY_MANAGER},
    {.appId = L"TMD",
     .nameId = IDS_APP_TMD,
     .launchList = true,
     .descriptionId = IDS_APP_TMD_DESC,
     .iconId = IDI_APP_TM_MANAGER},
    {.appId = L"GlossoConv",
     .nameId = IDS_APP_GLOSSOCONV,
     .launchList = true,
     .descriptionId = IDS_APP_GLOSSOCONV_DESC,
     .iconId = IDI_APP_TERMINOLOGY_CONVERTER,
     .command = {kCustomise, L"LaunchTerminologyConverter", 3, IDS_CMD_TERMINOLOGY_CONVERTER,
                 IDS_CMD_TERMINOLOGY_CONVERTER_DESC, 5}},
    {.appId = L"xre",
     .nameId = IDS_APP_XRE,
     .launchList = true,
     .descriptionId = IDS_APP_XRE_DESC,
     .iconId = IDI_APP_XML_RULES,
     .command = {kCustomise, L"LaunchXMLRulesEditor", 6, IDS_CMD_XML_RULES_EDITOR,
                 IDS_CMD_XML_RULES_EDITOR_DESC, 3}},
    {.appId = L"UBackup",
     .nameId = IDS_APP_UBACKUP,
     .launchList = true,
     .descriptionId = IDS_APP_UBACKUP_DESC,
     .iconId = IDI_APP_BACKUP,
     .aloneFromList = true},
    {.appId = L"PackMaker",
     .nameId = IDS_APP_PACKMAKER,
     .launchList = true,
     .descriptionId = IDS_APP_PACKMAKER_DESC,
     .iconId = IDI_APP_PACKMAKER},
    {.appId = L"QaStudio",
     .nameId = IDS_APP_QASTUDIO,
     .launchList = true,
     .descriptionId = IDS_APP_QASTUDIO_DESC,
     .iconId = IDI_APP_QASTUDIO,
     .namedInMessages = false},
    {.appId = L"QaProbe",
     .nameId = IDS_APP_QAPROBE,
     .launchList = true,
     .descriptionId = IDS_APP_QAPROBE_DESC,
     .iconId = IDI_APP_QAPROBE,
     .namedInMessages = false},
    // The VANTO NET server's programs, started from the network tab.
    {.appId = L"SrvLogin",
     .nameId = IDS_NET_SERVER_LOGIN,
     .iconId = IDI_APP_SERVER_LOGIN,
     .command = {kNetwork, L"LaunchNETSrvLogin", 0, IDS_NET_SERVER_LOGIN, IDS_NET_SERVER_LOGIN_DESC, 0}},
    {.appId = L"SrvConfig",
     .nameId = IDS_NET_SERVER_SETUP,
     .iconId = IDI_APP_SERVER_SETUP,
     .networkOnly = true,
     .command = {kNetwork, L"LaunchNETConfig", 1, IDS_NET_SERVER_SETUP, IDS_NET_SERVER_SETUP_DESC, 7}},
    {.appId = L"NetUM",
     .nameId = IDS_NET_USER_MANAGER,
     .iconId = IDI_APP_USER_MANAGER,
     .command = {kNetwork, L"LaunchNETUserManager", 3, IDS_NET_USER_MANAGER, IDS_NET_USER_MANAGER_DESC, 1}},
    {.appId = L"NetLA",
     .nameId = IDS_NET_LINGUISTIC_ADMIN,
     .iconId = IDI_APP_LINGUIST,
     .command = {kNetwork, L"LaunchNETLinguisticAdministrator", 4, IDS_NET_LINGUISTIC_ADMIN,
                 IDS_NET_LINGUISTIC_ADMIN_DESC, 3}},
    {.appId = L"UBackupNET",
     .nameId = IDS_NET_BACKUP,
     .iconId = IDI_APP_BACKUP,
     .aloneFromCommand = true,
     .networkOnly = true,
     .command = {kNetwork, L"LaunchNETBackup", 5, IDS_NET_BACKUP, IDS_NET_BACKUP_DESC, 8}},
    {.appId = L"NetSync",
     .nameId = IDS_NET_SYNC,
     .iconId = IDI_APP_SYNCHRONIZE,
     .command = {kNetwork, L"LaunchNETSync", 6, IDS_NET_SYNC, IDS_NET_SYNC_DESC, 9}},
    {.appId = L"DictInstS",
     .nameId = IDS_NET_DICT_INSTALLER,
     .iconId = IDI_APP_DICTIONARY_INSTALLER,
     .aloneFromList = true,
     .aloneFromCommand = true,
     .networkOnly = true,
     .command = {kNetwork, L"LaunchNETDictInst", 7, IDS_NET_DICT_INSTALLER, IDS_NET_DICT_INSTALLER_DESC, 6}},
    {.appId = L"UpdLauncher",
     .nameId = IDS_UPDATER,
     .iconId = IDI_APP_UPDATER,
     .networkOnly = true,
     .command = {kNetwork, L"LaunchIUpdates", 8, IDS_UPDATER, IDS_UPDATER_DESC, 5}},
    // The Pro editions of two server programs: only their commands name them.
    {.appId = L"NetUMI",
     .nameId = IDS_NET_USER_MANAGER_PRO,
     .iconId = IDI_APP_USER_MANAGER,
     .namedInMessages = false,
     .command = {kNetwork, L"LaunchNETUserManagerI", 9, IDS_NET_USER_MANAGER_PRO,
                 IDS_NET_USER_MANAGER_PRO_DESC, 2}},
    {.appId = L"NetLAI",
     .nameId = IDS_NET_LINGUISTIC_ADMIN_PRO,
     .iconId = IDI_APP_LINGUIST,
     .namedInMessages = false,
     .command = {kNetwork, L"LaunchNETLinguisticAdministratorI", 10, IDS_NET_LINGUISTIC_ADMIN_PRO,
                 IDS_NET_LINGUISTIC_ADMIN_PRO_DESC, 4}},
};

}  // namespace application_rows

[[nodiscard]] constexpr std::span<const Application> Applications() noexcept {
  return application_rows::kApplications;
}

// The first row whose app ID matches, without regard to case, or nullptr.
[[nodiscard]] constexpr const Application* FindApplication(std::wstring_view appId) noexcept {
  for (const Application& row : Applications())
    if (SameAppId(row.appId, appId)) return &row;
  return nullptr;
}

// Whether the application has the flag `column` set; false for an ID nobody knows.
[[nodiscard]] constexpr bool ApplicationIs(std::wstring_view appId, bool Application::*column) noexcept {
  const Application* row = FindApplication(appId);
  return row && row->*column;
}

}  // namespace suite
