// What the kernel reads from HKCU\Software\Korvelsoft\VNTO9\KernelSubstitute, at the moment it
// needs it (so a change takes effect at the next call):
//   DataFolder          REG_SZ  where dictionaries and memories live (default:
//                               %APPDATA%\Korvelsoft\VNTO\9.0\Kernel)
//   NetworkServer       REG_SZ  missing: this machine is no network client (the network kernel's
//                               class cannot be created); empty: no server answers (its Connect
//                               fails); otherwise the server the network kernel connects to
//   TranslationError    DWORD   non-zero: every translation fails with this HRESULT
//   RefuseConnection    DWORD   non-zero: the message component refuses every connection
//   DirectionsError     DWORD   non-zero: the kernel's GetDirections fails with this HRESULT
//   ProfilesError       DWORD   non-zero: the direction list's GetProfiles fails with this HRESULT
//   ProfileEditorError  DWORD   non-zero: the profile editor's ShowModal fails with this HRESULT
//                               without showing its dialog
//   DictionariesError   DWORD   non-zero: the direction list's GetDictionaries fails with this HRESULT
//   MemoriesError       DWORD   non-zero: the direction list's GetMemories fails with this HRESULT
//   TranslationsBeforeError DWORD  present: that many more translations succeed (each counts the
//                               value down), then every translation fails with E_FAIL until the
//                               value is removed
//   NoTextTranslator    DWORD   non-zero: the settings object offers no text-object translator
//   ConnectFault        DWORD   1: the local kernel's Initialize and the network kernel's Connect
//                               never return; 2: they crash the calling process (an access
//                               violation nobody in the kernel handles)
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace vanto {

inline constexpr wchar_t kSettingsKey[] = L"Software\\Korvelsoft\\VNTO9\\KernelSubstitute";

[[nodiscard]] std::filesystem::path DataFolder();
// nullopt when the value is missing; an empty text when it is there but empty.
[[nodiscard]] std::optional<std::wstring> NetworkServer();
[[nodiscard]] bool RefuseConnection() noexcept;
// The HRESULT the call fails with; S_OK when it runs (a success code in the value gives E_FAIL).
[[nodiscard]] HRESULT DirectionsError() noexcept;
[[nodiscard]] HRESULT ProfilesError() noexcept;
[[nodiscard]] HRESULT ProfileEditorError() noexcept;
[[nodiscard]] HRESULT DictionariesError() noexcept;
[[nodiscard]] HRESULT MemoriesError() noexcept;
// What the next translation fails with: TranslationError's HRESULT (E_FAIL for a success code);
// else E_FAIL once TranslationsBeforeError has run out; S_OK when it runs (and is counted).
[[nodiscard]] HRESULT TranslationFailure() noexcept;
[[nodiscard]] bool NoTextTranslator() noexcept;
// Called first by the calls that connect a client to a kernel: hangs or crashes as ConnectFault
// says, else returns at once.
void ConnectFault() noexcept;

}  // namespace vanto
