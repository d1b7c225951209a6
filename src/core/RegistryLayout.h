// Where the suite keeps its records in the registry. Machine-wide installation data under HKLM is
// only read; per-user state lives under HKCU.
#pragma once

namespace reg {

inline constexpr wchar_t kProductRoot[] = L"Software\\Korvelsoft\\VNTO9";
inline constexpr wchar_t kFolders[] = L"SOFTWARE\\Korvelsoft\\VNTO9\\Folders";
inline constexpr wchar_t kApps[] = L"Software\\Korvelsoft\\VNTO9\\Apps";
inline constexpr wchar_t kDocs[] = L"SOFTWARE\\Korvelsoft\\VNTO9\\Docs";
inline constexpr wchar_t kVantoActivity[] = L"Software\\Korvelsoft\\VNTO9\\VantoActivity";
inline constexpr wchar_t kRunning[] = L"Software\\Korvelsoft\\VNTO9\\Running";
inline constexpr wchar_t kMessengers[] = L"SOFTWARE\\Korvelsoft\\VNTO9\\Messengers";
inline constexpr wchar_t kStartdeck[] = L"Software\\Korvelsoft\\VNTO9\\Startdeck";
// The documents the user handed over last, a numbered subkey each ("1" the newest).
inline constexpr wchar_t kRecentDocuments[] = L"Software\\Korvelsoft\\VNTO9\\Startdeck\\Recent Documents";
inline constexpr wchar_t kKernelClass[] = L"SOFTWARE\\Classes\\CLSID\\{5A3C7E10-2B4D-4F61-9C8A-0D1E2F3A4B5C}";

// The application's own per-user key (hive 0 in RegistryKey): Software\<registry key>\<profile>.
inline constexpr wchar_t kAppRegistryKey[] = L"Korvelsoft\\VNTO8";
inline constexpr wchar_t kAppProfileName[] = L"STARTDECK";

// Values.
inline constexpr wchar_t kLanguageIdValue[] = L"VntoLangID";
inline constexpr wchar_t kSharedRootValue[] = L"SharedRoot";
inline constexpr wchar_t kCommonAppDataRootValue[] = L"CommonAppDataRoot";
inline constexpr wchar_t kLogFileValue[] = L"LogFile";

// Access rights used throughout: reads with KEY_READ, writes with KEY_ALL_ACCESS.
inline constexpr unsigned long kRead = 0x20019;
inline constexpr unsigned long kWrite = 0xF003F;

}  // namespace reg
