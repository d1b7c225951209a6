// Where the journal lives and how a line gets into it. Several copies may start at the same
// moment: each line goes in with one append-only write, under a named mutex, so lines never mix
// and earlier lines are never touched.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace suiteapp {

// HKCU Software\Korvelsoft\VNTO9\SuiteAppSubstitute, value `Journal` (REG_SZ): the journal file.
inline constexpr wchar_t kSettingsKey[] = L"Software\\Korvelsoft\\VNTO9\\SuiteAppSubstitute";
inline constexpr wchar_t kJournalValue[] = L"Journal";
// Used when that value is missing or empty: this file in the user's temporary folder.
inline constexpr wchar_t kDefaultJournalName[] = L"VantoSuiteApps.log";

[[nodiscard]] std::wstring JournalPath();

// Appends `line` as UTF-8; ERROR_SUCCESS or the system's error code.
[[nodiscard]] DWORD AppendToJournal(const std::wstring& path, std::wstring_view line) noexcept;

}  // namespace suiteapp
