// Where the ED template lives and how it gets into Word: copied from beside edsetup.dll into Word's
// per-user start-up folder, where Word loads every template it finds as a global template.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace edsetup {

// Where the start-up folder may be set instead of Word's own (tests, a second Word profile).
inline constexpr wchar_t kSettingsKey[] = L"Software\\Korvelsoft\\VNTO9\\EdSetupSubstitute";
inline constexpr wchar_t kStartupFolderValue[] = L"StartupFolder";

// The folder of edsetup.dll, without a closing separator.
[[nodiscard]] std::wstring SourceFolder();
// The per-user value StartupFolder when it is set, otherwise %APPDATA%\Microsoft\Word\STARTUP;
// without a closing separator. Empty when neither can be found.
[[nodiscard]] std::wstring StartupFolder();
[[nodiscard]] std::wstring InstalledTemplatePath();

// Copies the template into the start-up folder (created when missing) through a temporary file
// beside the target, so Word never sees half a template. The missing source is
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND).
[[nodiscard]] HRESULT InstallTemplate() noexcept;
// S_OK when it removed the template, S_FALSE when there was none, an error when it stays.
[[nodiscard]] HRESULT UninstallTemplate() noexcept;
[[nodiscard]] bool TemplateInstalled() noexcept;

// Whether a file called `name` (a plain file name) lies beside edsetup.dll.
[[nodiscard]] bool TemplateBesideDll(std::wstring_view name) noexcept;
// Whether Word 2007 or 2010 is installed on this machine (its InstallRoot key).
[[nodiscard]] bool Word2007Installed() noexcept;

}  // namespace edsetup
