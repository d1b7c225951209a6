// What the messenger switches share: the system's list of installed programs, the suite's folder of
// each messenger integration, the per-user key with the integrations' on/off choices, and two small
// file-system and process checks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace switches {

// One program of the system's list of installed programs (a subkey of
// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"); missing values are empty.
struct UninstallEntry {
  std::wstring displayName;
  std::wstring displayVersion;
  std::wstring installLocation;

  friend bool operator==(const UninstallEntry&, const UninstallEntry&) = default;
};

inline constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Every installed program whose "DisplayName" contains `fragment` (case-sensitive), from the
// machine-wide list; only when that yields none, from the current user's list. Subkeys that do not
// open, and values of another type than text, are skipped (read as empty).
[[nodiscard]] std::vector<UninstallEntry> FindUninstallEntries(std::wstring_view fragment);

// The Folders value `valueName` (the suite's folder of one messenger integration, ending with a
// separator). A Folders key that does not open or an empty value writes a log record under
// `sourceTag` and throws CExceptSW(hostName, hostName, reason 2, 0).
[[nodiscard]] std::wstring ReadMessengerFolder(const wchar_t* sourceTag, std::wstring_view valueName,
                                               std::wstring_view hostName);

// True when a running process's executable has exactly this file name (case-sensitive).
[[nodiscard]] bool IsProcessRunning(std::wstring_view imageName) noexcept;

// True when a file-system search for `path` + "*" finds anything: for a folder path ending in a
// separator, whether the folder exists.
[[nodiscard]] bool PathPresent(const std::wstring& path) noexcept;

// The per-user choices: HKCU "SOFTWARE\Korvelsoft\VNTO9\Messengers", values "QIP Infium" and "Skype".
inline constexpr wchar_t kQipValue[] = L"QIP Infium";
inline constexpr wchar_t kSkypeValue[] = L"Skype";

// The per-user key of Windows Live Messenger, whose presence tells it is installed.
inline constexpr wchar_t kLiveMessengerKey[] = L"SOFTWARE\\Microsoft\\MSNMessenger";

}  // namespace switches
