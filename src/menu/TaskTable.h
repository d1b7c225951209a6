// The tasks of the start centre, one row each: the task code the panels and the remembered task
// settings know, the menu command that opens it, the panel that serves it, the applications that
// can carry it out, its open-file filter, the files it takes when dropped on the window and the
// texts its panel shows. Every other place walks or looks up this table. Portable: no windows.h.
//
// Adding a task: its panel's files, one row here and its strings (and, for a new kind of panel,
// one line in TaskPanels that makes it).
#pragma once

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "SkinIds.h"
#include "StringIds.h"
#include "menu/MenuCommands.h"
#include "tables/DocumentTypes.h"

namespace ui {

// The task codes, as the task panels and the remembered task settings know them.
enum TaskCode : int {
  kNoTask = 0,
  kQuickTranslationTask = 9,
  kWebPageTask = 10,
  kWordTask = 11,
  kExcelTask = 12,
  kEmailTask = 13,
  kMessengerTask = 14,
  kPowerPointTask = 15,
  kPdfTask = 16,
  kOpenOfficeTask = 17,
  kDictionaryTask = 20,
  kProfilesTask = 22,
  kMemoryTask = 23,
};

// What the main window does when a command of the translation or customisation tab is chosen.
enum class CommandAction {
  kOpenPanel,                // show the task's panel
  kOpenPanelForApplication,  // prepare the task's panel for the command's application; refused when
                             // no installed application can carry the task out
  kStartApplication,         // start the command's application; the list stays where it is
};

// The panel classes; TaskPanels makes one panel of each kind a row names.
enum class TaskPanelKind {
  kQuickTranslation,
  kTranslateDocument,  // a document or web address, a host, a direction and a profile
  kSingleCombo,        // one list: the host to start, or the direction whose profiles to edit
  kDictionary,
  kMemory,
};

// String IDs of the open-file filter's parts before "All files", by the chosen host; 0 ends a list.
struct FileFilterIds {
  std::array<unsigned, 2> office2007{};
  std::array<unsigned, 2> batchTranslator{};
  std::array<unsigned, 2> other{};
};

// The files a task takes when dropped on the main window.
struct DropIds {
  docs::DocumentKind documents = docs::DocumentKind::kNone;  // its extensions are that kind's; kNone: none
  unsigned kindId = 0;  // names the task's kinds of files in the "what can be dropped" message
  int position = 0;     // the kind's place in that message
};

// What the task's panel shows whatever host is chosen; 0 for none.
struct PanelTextIds {
  unsigned title = 0;
  unsigned steps = 0;
  unsigned help = 0;  // the outcome text of a panel whose hosts bring none
};

struct TaskRow {
  TaskCode taskCode = kNoTask;
  CommandAction action = CommandAction::kOpenPanel;
  MenuTab tab = MenuTab::kTranslation;
  MenuCommand command{};  // its row in the tab's command group; no application checks
  TaskPanelKind panel = TaskPanelKind::kTranslateDocument;
  std::wstring_view applications{};  // the application tokens that can serve it, "|"-separated
  bool takesAddress = false;         // its document is a web address rather than a file
  FileFilterIds filter{};            // none: "All files" only
  DropIds drop{};
  PanelTextIds texts{};
};

namespace task_rows {
using enum CommandAction;
using enum TaskPanelKind;
constexpr MenuTab kTranslate = MenuTab::kTranslation;
constexpr MenuTab kCustomise = MenuTab::kCustomisation;

// A command's last field is its place in the "show all features" order of its tab.
inline constexpr TaskRow kTasks[] = {
    {.taskCode = kQuickTranslationTask,
     .action = kOpenPanel,
     .tab = kTranslate,
     .command = {L"QuickTranslate",
                 0,
                 IDS_CMD_QUICK_TRANSLATE,
                 IDS_CMD_QUICK_TRANSLATE_DESC,
                 IDI_CMD_QUICK_TRANSLATE,
                 {},
                 0},
     .panel = kQuickTranslation,
     .texts = {IDS_CMD_QUICK_TRANSLATE, IDS_QUICK_STEPS}},
    {.taskCode = kWebPageTask,
     .action = kOpenPanelForApplication,
     .tab = kTranslate,
     .command = {L"TranslateWeb",
                 1,
                 IDS_CMD_TRANSLATE_WEB,
                 IDS_CMD_TRANSLATE_WEB_DESC,
                 IDI_CMD_TRANSLATE_WEB,
                 {},
                 2},
     .panel = kTranslateDocument,
     .applications = L"VntoIE|FireFox",
     .takesAddress = true,
     .drop = {docs::DocumentKind::kWebPage, IDS_DROP_KIND_WEB_PAGE, 5},
     .texts = {IDS_TITLE_WEB_PAGES, IDS_PANEL_WEB_STEPS}},
    {.taskCode = kWordTask,
     .action = kOpenPanelForApplication,
     .tab = kTranslate,
     .command = {L"TranslateWord",
                 2,
                 IDS_CMD_TRANSLATE_WORD,
                 IDS_CMD_TRANSLATE_WORD_DESC,
                 IDI_CMD_TRANSLATE_WORD,
                 {},
                 1},
     .panel = kTranslateDocument,
     .applications = L"Word|Vnto|VntoI|VntoX|Batcher",
     .filter = {{IDS_FILTER_WORD2007, IDS_FILTER_WORD2007_ALL},
                {IDS_FILTER_WORD2007},
                {IDS_FILTER_WORD, IDS_FILTER_WORD_ALL}},
     .drop = {docs::DocumentKind::kWord, IDS_DROP_KIND_WORD, 0},
     .texts = {IDS_TITLE_WORD, IDS_PANEL_DEFAULT_STEPS}},
    {.taskCode = kExcelTask,
     .action = kOpenPanelForApplication,
     .tab = kTranslate,
     .command = {L"TranslateExcel",
                 3,
                 IDS_CMD_TRANSLATE_EXCEL,
                 IDS_CMD_TRANSLATE_EXCEL_DESC,
                 IDI_CMD_TRANSLATE_EXCEL,
                 {},
                 8},
     .panel = kTranslateDocument,
     .applications = L"Excel|Batcher",
     .filter = {{IDS_FILTER_EXCEL, IDS_FILTER_EXCEL2007_ALL},
                {IDS_FILTER_EXCEL2007_XLSX},
                {IDS_FILTER_EXCEL, IDS_FILTER_EXCEL_ALL}},
     .drop = {docs::DocumentKind::kExcel, IDS_DROP_KIND_EXCEL, 1},
     .texts = {IDS_TITLE_EXCEL, IDS_PANEL_DEFAULT_STEPS}},
    {.taskCode = kEmailTask,
     .action = kOpenPanelForApplication,
     .tab = kTranslate,
     .command = {L"TranslateOutlook",
                 4,
                 IDS_CMD_TRANSLATE_OUTLOOK,
                 IDS_CMD_TRANSLATE_OUTLOOK_DESC,
                 IDI_CMD_TRANSLATE_EMAIL,
                 {},
                 5},
     .panel = kSingleCombo,
     .applications = L"Outlook",
     .texts = {IDS_TITLE_EMAIL, IDS_STEPS_EMAIL}},
    {.taskCode = kMessengerTask,
     .action = kOpenPanelForApplication,
     .tab = kTranslate,
     .command = {L"TranslateMessengers",
                 5,
                 IDS_CMD_TRANSLATE_MESSENGERS,
                 IDS_CMD_TRANSLATE_MESSENGERS_DESC,
                 IDI_CMD_TRANSLATE_MESSENGERS,
                 {},
                 6},
     .panel = kSingleCombo,
     .applications = L"VntoICQ|VantoQIP|VantoMSN|VantoSkype",
     .texts = {IDS_TITLE_MESSAGES, IDS_STEPS_MESSAGES}},
    {.taskCode = kPowerPointTask,
     .action = kOpenPanelForApplication,
     .tab = kTranslate,
     .command = {L"TranslatePowerPoint",
                 6,
                 IDS_CMD_TRANSLATE_POWERPOINT,
                 IDS_CMD_TRANSLATE_POWERPOINT_DESC,
                 IDI_CMD_TRANSLATE_POWERPOINT,
                 {},
                 7},
     .panel = kTranslateDocument,
     .applications = L"PowerPoint|Batcher",
     .filter = {{IDS_FILTER_POWERPOINT2007, IDS_FILTER_POWERPOINT2007_ALL},
                {IDS_FILTER_POWERPOINT2007},
                {IDS_FILTER_POWERPOINT, IDS_FILTER_POWERPOINT_ALL}},
     .drop = {docs::DocumentKind::kPowerPoint, IDS_DROP_KIND_POWERPOINT, 2},
     .texts = {IDS_TITLE_POWERPOINT, IDS_PANEL_DEFAULT_STEPS}},
    {.taskCode = kPdfTask,
     .action = kOpenPanelForApplication,
     .tab = kTranslate,
     .command = {L"TranslatePDF",
                 7,
                 IDS_CMD_TRANSLATE_PDF,
                 IDS_CMD_TRANSLATE_PDF_DESC,
                 IDI_CMD_TRANSLATE_PDF,
                 {},
                 4},
     .panel = kTranslateDocument,
     .applications = L"Acrobat|Vnto|VntoI|VntoX|Batcher",
     .filter = {{IDS_FILTER_PDF}, {IDS_FILTER_PDF}, {IDS_FILTER_PDF}},
     .drop = {docs::DocumentKind::kPdf, IDS_DROP_KIND_PDF, 3},
     .texts = {IDS_TITLE_PDF, IDS_HELP_ACROBAT_STEPS}},
    {.taskCode = kOpenOfficeTask,
     .action = kOpenPanelForApplication,
     .tab = kTranslate,
     .command = {L"TranslateOpenOffice",
                 8,
                 IDS_CMD_TRANSLATE_OPENOFFICE,
                 IDS_CMD_TRANSLATE_OPENOFFICE_DESC,
                 IDI_CMD_TRANSLATE_OPENOFFICE,
                 {},
                 9},
     .panel = kTranslateDocument,
     .applications = L"OpenOffice",
     .drop = {docs::DocumentKind::kOpenOffice, IDS_DROP_KIND_OPENOFFICE, 4},
     .texts = {IDS_TITLE_OPENOFFICE, IDS_PANEL_DEFAULT_STEPS}},
    // Profiles are edited for whichever application uses them: no application is named.
    {.taskCode = kProfilesTask,
     .action = kOpenPanel,
     .tab = kCustomise,
     .command = {L"EditTemplate",
                 0,
                 IDS_CMD_EDIT_TEMPLATE,
                 IDS_CMD_EDIT_TEMPLATE_DESC,
                 IDI_CMD_EDIT_PROFILES,
                 {},
                 1},
     .panel = kSingleCombo,
     .texts = {IDS_TITLE_PROFILES, IDS_STEPS_PROFILES, IDS_HELP_PROFILES}},
    {.taskCode = kDictionaryTask,
     .action = kOpenPanel,
     .tab = kCustomise,
     .command = {L"EditDictionary",
                 1,
                 IDS_CMD_EDIT_DICTIONARY,
                 IDS_CMD_EDIT_DICTIONARY_DESC,
                 IDI_APP_DICTIONARY_EDITOR,
                 {},
                 0},
     .panel = kDictionary,
     .texts = {IDS_TITLE_DICTIONARIES, IDS_STEPS_DICTIONARIES, IDS_HELP_DICTIONARIES}},
    {.taskCode = kMemoryTask,
     .action = kOpenPanel,
     .tab = kCustomise,
     .command =
         {L"EditTranslationMemory", 2, IDS_CMD_EDIT_TM, IDS_CMD_EDIT_TM_DESC, IDI_APP_TM_MANAGER, {}, 2},
     .panel = kMemory,
     .texts = {IDS_TITLE_MEMORIES, IDS_STEPS_MEMORIES, IDS_HELP_MEMORIES}},
};
}  // namespace task_rows

[[nodiscard]] constexpr std::span<const TaskRow> Tasks() noexcept {
  return task_rows::kTasks;
}

// The row of `taskCode`, or nullptr.
[[nodiscard]] constexpr const TaskRow* FindTask(int taskCode) noexcept {
  for (const TaskRow& row : Tasks())
    if (row.taskCode == taskCode) return &row;
  return nullptr;
}

// Whether the table has a row for `taskCode`, for a static_assert: it compares no row's address with
// nullptr, which GCC 12 may warn about (-Waddress) when the source shares its compilation with
// others, as in a unity batch.
[[nodiscard]] constexpr bool HasTask(int taskCode) noexcept {
  for (const TaskRow& row : Tasks())
    if (row.taskCode == taskCode) return true;
  return false;
}

// The task that takes dropped documents of `kind`, or nullptr.
[[nodiscard]] constexpr const TaskRow* FindTaskOfDocuments(docs::DocumentKind kind) noexcept {
  for (const TaskRow& row : Tasks())
    if (kind != docs::DocumentKind::kNone && row.drop.documents == kind) return &row;
  return nullptr;
}

// Whether a task takes dropped documents of `kind`; a bool for a static_assert, as HasTask.
[[nodiscard]] constexpr bool TakesDocuments(docs::DocumentKind kind) noexcept {
  for (const TaskRow& row : Tasks())
    if (kind != docs::DocumentKind::kNone && row.drop.documents == kind) return true;
  return false;
}

// Every kind of document has its task, so the types an installation offers Explorer's verb on
// (docs::kExtensions) are the types a dropped or handed-over file is taken for.
static_assert(std::ranges::all_of(docs::kDocumentTypes,
                                  [](const docs::DocumentType& type) { return TakesDocuments(type.kind); }),
              "a kind of document that no task takes");

// The task the tab's command `index` opens, or nullptr when that command opens none.
[[nodiscard]] constexpr const TaskRow* FindTaskOfCommand(MenuTab tab, int index) noexcept {
  for (const TaskRow& row : Tasks())
    if (row.tab == tab && row.command.index == index) return &row;
  return nullptr;
}

// The applications that can serve the task ("|"-separated); empty for a task that hands nothing
// over and for a code that is no task.
[[nodiscard]] constexpr std::wstring_view TaskApplications(int taskCode) noexcept {
  const TaskRow* row = FindTask(taskCode);
  return row ? row->applications : std::wstring_view();
}

}  // namespace ui
