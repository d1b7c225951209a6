#include "menu/CommandTable.h"

namespace ui {
namespace {

using enum CommandAction;
constexpr MenuTab kTranslate = MenuTab::kTranslation;
constexpr MenuTab kCustomise = MenuTab::kCustomisation;

constexpr CommandRow kRows[] = {
    {kTranslate, 0, L"QuickTranslate", kOpenPanel, kQuickTranslationTask},
    {kTranslate, 1, L"TranslateWeb", kOpenPanelForApplication, kWebPageTask},
    {kTranslate, 2, L"TranslateWord", kOpenPanelForApplication, kWordTask},
    {kTranslate, 3, L"TranslateExcel", kOpenPanelForApplication, kExcelTask},
    {kTranslate, 4, L"TranslateOutlook", kOpenPanelForApplication, kMailTask},
    {kTranslate, 5, L"TranslateMessengers", kOpenPanelForApplication, kMessengerTask},
    {kTranslate, 6, L"TranslatePowerPoint", kOpenPanelForApplication, kPowerPointTask},
    {kTranslate, 7, L"TranslatePDF", kOpenPanelForApplication, kPdfTask},
    {kTranslate, 8, L"TranslateOpenOffice", kOpenPanelForApplication, kOpenOfficeTask},
    {kTranslate, 9, L"TranslateFiles", kStartApplication, kNoTask},
    // Profiles are edited for whichever application uses them: no application is named.
    {kCustomise, 0, L"EditTemplate", kOpenPanel, kProfilesTask},
    {kCustomise, 1, L"EditDictionary", kOpenPanel, kAddWordTask},
    {kCustomise, 2, L"EditTranslationMemory", kOpenPanel, kMemoriesTask},
    {kCustomise, 3, L"LaunchTerminologyConverter", kStartApplication, kNoTask},
    {kCustomise, 4, L"LaunchDictionaryServices", kStartApplication, kNoTask},
    {kCustomise, 5, L"LaunchTerminologyManager", kStartApplication, kNoTask},
    {kCustomise, 6, L"LaunchXMLRulesEditor", kStartApplication, kNoTask},
    {kCustomise, 7, L"LaunchDictionaryServicesI", kStartApplication, kNoTask},
    {kCustomise, 8, L"LaunchTrados", kStartApplication, kNoTask},
};

}  // namespace

std::span<const CommandRow> CommandRows() noexcept { return kRows; }

const CommandRow* FindCommandRow(MenuTab tab, int index) noexcept {
  for (const CommandRow& row : kRows)
    if (row.tab == tab && row.index == index) return &row;
  return nullptr;
}

}  // namespace ui
