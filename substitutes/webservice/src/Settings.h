// What the component does, as the per-user values under
// HKCU\Software\Korvelsoft\VNTO9\WebServiceSubstitute say (read whenever an object is made or a call
// needs them), and the journal of every call.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace websvc {

inline constexpr wchar_t kSettingsKey[] = L"Software\\Korvelsoft\\VNTO9\\WebServiceSubstitute";

// A text value; nullopt when it is missing or not a string.
[[nodiscard]] std::optional<std::wstring> ReadText(const wchar_t* name);
// A DWORD value; nullopt when it is missing or not a DWORD.
[[nodiscard]] std::optional<DWORD> ReadNumber(const wchar_t* name);

// Appends one line (UTF-8) to the file named by the `Journal` value; nothing when there is none.
void Journal(std::wstring_view line) noexcept;
// A text for the journal: quoted; a long one shortened with its length.
[[nodiscard]] std::wstring Quoted(std::wstring_view text);

}  // namespace websvc
