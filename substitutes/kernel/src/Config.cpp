#include "Config.h"

#include <shlobj.h>

#include "win/Handle.h"

namespace vanto {
namespace {

win::UniqueKey OpenSettings() {
  win::UniqueKey key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) key.reset();
  return key;
}

// nullopt when the value is missing or no text.
std::optional<std::wstring> ReadOptionalText(const wchar_t* name) {
  win::UniqueKey key = OpenSettings();
  if (!key) return std::nullopt;
  DWORD type = 0;
  DWORD bytes = 0;
  if (::RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
      ERROR_SUCCESS)
    return std::nullopt;
  value.resize(wcsnlen(value.c_str(), value.size()));
  if (type == REG_EXPAND_SZ && !value.empty()) {
    const DWORD needed = ::ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
    std::wstring expanded(needed, L'\0');
    if (needed && ::ExpandEnvironmentStringsW(value.c_str(), expanded.data(), needed) == needed) {
      expanded.resize(needed - 1);
      value = std::move(expanded);
    }
  }
  return value;
}

std::wstring ReadText(const wchar_t* name) {
  return ReadOptionalText(name).value_or(std::wstring());
}

DWORD ReadDword(const wchar_t* name) noexcept {
  win::UniqueKey key = OpenSettings();
  DWORD value = 0;
  DWORD bytes = sizeof(value);
  DWORD type = 0;
  if (!key ||
      ::RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) !=
          ERROR_SUCCESS ||
      type != REG_DWORD)
    return 0;
  return value;
}

// S_OK when the value is missing or 0; a success code in it still has to make the call fail.
HRESULT ReadFailure(const wchar_t* name) noexcept {
  const auto failure = static_cast<HRESULT>(ReadDword(name));
  return failure == S_OK || FAILED(failure) ? failure : E_FAIL;
}

}  // namespace

std::filesystem::path DataFolder() {
  std::wstring folder = ReadText(L"DataFolder");
  if (!folder.empty()) return folder;
  PWSTR appData = nullptr;
  std::filesystem::path path;
  if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &appData)))
    path = std::filesystem::path(appData) / L"Korvelsoft" / L"VNTO" / L"9.0" / L"Kernel";
  ::CoTaskMemFree(appData);
  return path;
}

std::optional<std::wstring> NetworkServer() {
  return ReadOptionalText(L"NetworkServer");
}

bool RefuseConnection() noexcept {
  return ReadDword(L"RefuseConnection") != 0;
}

HRESULT DirectionsError() noexcept {
  return ReadFailure(L"DirectionsError");
}

HRESULT ProfilesError() noexcept {
  return ReadFailure(L"ProfilesError");
}

HRESULT ProfileEditorError() noexcept {
  return ReadFailure(L"ProfileEditorError");
}

HRESULT DictionariesError() noexcept {
  return ReadFailure(L"DictionariesError");
}

HRESULT MemoriesError() noexcept {
  return ReadFailure(L"MemoriesError");
}

HRESULT TranslationFailure() noexcept {
  // One key opening for both values: a translation asks at every line.
  win::UniqueKey key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.put()) !=
      ERROR_SUCCESS)
    return S_OK;
  const auto read = [&](const wchar_t* name, DWORD& value) {
    DWORD bytes = sizeof(value);
    DWORD type = 0;
    return ::RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
  };
  DWORD refused = 0;
  if (read(L"TranslationError", refused) && refused != 0) {
    const auto failure = static_cast<HRESULT>(refused);
    return FAILED(failure) ? failure : E_FAIL;
  }
  DWORD left = 0;
  if (!read(L"TranslationsBeforeError", left)) return S_OK;
  if (left == 0) return E_FAIL;
  --left;
  ::RegSetValueExW(key.get(), L"TranslationsBeforeError", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&left),
                   sizeof(left));
  return S_OK;
}

bool NoTextTranslator() noexcept {
  return ReadDword(L"NoTextTranslator") != 0;
}

void ConnectFault() noexcept {
  switch (ReadDword(L"ConnectFault")) {
    case 1:
      for (;;) ::Sleep(INFINITE);
    case 2:
      // What a real fault looks like to the process: the system's exception, raised where the
      // kernel's own code runs and handled by nothing in it.
      ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
      break;
    default: break;
  }
}

}  // namespace vanto
