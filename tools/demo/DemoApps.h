// The demo installation's suite applications: which of them are installed, and how. Every
// installed program is a copy of the SuiteApp substitute named after the application.
#pragma once

#include <filesystem>
#include <string_view>

namespace demo {

enum class Placement {
  kProgram,     // <folder>\Apps\<app ID>.exe and the Apps value naming it
  kFolderOnly,  // a component without a program of its own: only a Folders value
  kAbsent,      // neither value nor file (stale values of earlier installations are removed)
};

struct DemoApp {
  std::wstring_view id;
  Placement placement;
};

// Whether each ID is listed in the product's "apps" or "allapps" is DemoProduct.json's business;
// README.md shows both side by side.
inline constexpr DemoApp kDemoApps[] = {
    // The demo product's own applications.
    {L"Vnto", Placement::kProgram},
    {L"VntoX", Placement::kProgram},
    {L"Lexa", Placement::kAbsent},
    {L"Dictkit", Placement::kProgram},
    {L"Batcher", Placement::kProgram},
    {L"TMD", Placement::kProgram},
    {L"VantoEM", Placement::kProgram},
    {L"DictInst", Placement::kProgram},
    {L"Glosso", Placement::kFolderOnly},
    {L"xre", Placement::kAbsent},
    {L"UBackup", Placement::kProgram},
    {L"SrvLogin", Placement::kProgram},
    {L"SrvConfig", Placement::kProgram},
    {L"NetUM", Placement::kProgram},
    {L"UpdLauncher", Placement::kProgram},
    // Installed, but not the demo product's: they stay out of its normal launch list.
    {L"DictInstS", Placement::kProgram},
    {L"PackMaker", Placement::kProgram},
    // Another product's applications, for the show-all mode.
    {L"VntoI", Placement::kProgram},
    {L"LexaI", Placement::kAbsent},
    {L"DictkitI", Placement::kProgram},
    {L"TRADOS", Placement::kAbsent},
    {L"Skiff", Placement::kProgram},
    {L"VntoICQ", Placement::kAbsent},
    {L"GlossoL", Placement::kAbsent},
    {L"GlossoConv", Placement::kProgram},
    {L"UBackupNET", Placement::kAbsent},
    {L"NetUMI", Placement::kProgram},
    {L"NetLA", Placement::kAbsent},
    {L"NetLAI", Placement::kAbsent},
    {L"NetSync", Placement::kAbsent},
};

// Copies SuiteApp.exe from `binFolder` (when it is there) under each installed application's name
// (an application built as a program of its own, <app ID>.exe in `binFolder`, goes in itself)
// into <folder>\Apps and writes the HKLM Apps and Folders values. False when a registry key or a
// copy fails.
[[nodiscard]] bool InstallDemoApps(const std::filesystem::path& binFolder,
                                   const std::filesystem::path& folder);

// Points the substitutes' journal at <folder>\journal.log (HKCU); returns that path, empty on failure.
[[nodiscard]] std::filesystem::path InstallJournal(const std::filesystem::path& folder);

}  // namespace demo
