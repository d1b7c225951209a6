#include "TemplateStore.h"

#include <shlobj.h>
#include <knownfolders.h>

#include <memory>

#include "Module.h"
#include "vanto/EdSetup.h"
#include "win/Handle.h"

namespace edsetup {
namespace {

struct CoTaskMemDeleter {
  void operator()(wchar_t* text) const noexcept { ::CoTaskMemFree(text); }
};

std::wstring WithoutClosingSeparator(std::wstring folder) {
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return folder;
}

std::wstring ReadOverride() {
  win::UniqueKey key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return {};
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(key.get(), kStartupFolderValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ || size < sizeof(wchar_t))
    return {};
  std::wstring text(size / sizeof(wchar_t), L'\0');
  if (::RegQueryValueExW(key.get(), kStartupFolderValue, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS)
    return {};
  text.resize(::wcsnlen(text.c_str(), text.size()));
  return text;
}

bool IsFile(const std::wstring& path) noexcept {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsPlainName(std::wstring_view name) noexcept {
  return !name.empty() && name != L"." && name != L".." &&
         name.find_first_of(L"\\/:") == std::wstring_view::npos;
}

HRESULT LastError() noexcept {
  const DWORD error = ::GetLastError();
  return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

bool KeyOpens(const wchar_t* path) noexcept {
  win::UniqueKey key;
  return ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

}  // namespace

std::wstring SourceFolder() {
  std::wstring path = ModulePath();
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring StartupFolder() {
  std::wstring folder = WithoutClosingSeparator(ReadOverride());
  if (!folder.empty()) return folder;
  wchar_t* raw = nullptr;
  const HRESULT hr = ::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &raw);
  const std::unique_ptr<wchar_t, CoTaskMemDeleter> appData(raw);
  if (FAILED(hr) || !raw || !*raw) return {};
  return WithoutClosingSeparator(raw) + L"\\Microsoft\\Word\\STARTUP";
}

std::wstring InstalledTemplatePath() {
  const std::wstring folder = StartupFolder();
  return folder.empty() ? std::wstring() : folder + L"\\" + kVantoEdTemplateName;
}

HRESULT InstallTemplate() noexcept {
  try {
    const std::wstring source = SourceFolder() + L"\\" + kVantoEdTemplateName;
    if (!IsFile(source)) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    const std::wstring folder = StartupFolder();
    if (folder.empty()) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    const int created = ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    if (created != ERROR_SUCCESS && created != ERROR_ALREADY_EXISTS && created != ERROR_FILE_EXISTS)
      return HRESULT_FROM_WIN32(created);
    const std::wstring target = folder + L"\\" + kVantoEdTemplateName;
    const std::wstring temporary =
        folder + L"\\~" + kVantoEdTemplateName + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
    if (!::CopyFileW(source.c_str(), temporary.c_str(), FALSE)) return LastError();
    if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      const HRESULT hr = LastError();
      ::DeleteFileW(temporary.c_str());
      return hr;
    }
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT UninstallTemplate() noexcept {
  try {
    const std::wstring target = InstalledTemplatePath();
    if (target.empty() || !IsFile(target)) return S_FALSE;
    return ::DeleteFileW(target.c_str()) ? S_OK : LastError();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

bool TemplateInstalled() noexcept {
  try {
    const std::wstring target = InstalledTemplatePath();
    return !target.empty() && IsFile(target);
  } catch (...) {
    return false;
  }
}

bool TemplateBesideDll(std::wstring_view name) noexcept {
  try {
    return IsPlainName(name) && IsFile(SourceFolder() + L"\\" + std::wstring(name));
  } catch (...) {
    return false;
  }
}

bool Word2007Installed() noexcept {
  return KeyOpens(L"Software\\Microsoft\\Office\\12.0\\Word\\InstallRoot") ||
         KeyOpens(L"Software\\Microsoft\\Office\\14.0\\Word\\InstallRoot");
}

}  // namespace edsetup
