// DllRegisterServer and DllUnregisterServer: the machine-wide class key of the installer.
#include <windows.h>
#include <olectl.h>

#include <string>

#include "Module.h"
#include "vanto/EdSetup.h"
#include "win/Handle.h"

namespace edsetup {
namespace {

constexpr wchar_t kDescription[] = L"VANTO ED Word Template Installer";

std::wstring ClassKeyPath() {
  wchar_t text[40] = {};  // a GUID in braces is 38 characters
  ::StringFromGUID2(CLSID_VantoEdSetup, text, 40);
  return std::wstring(L"SOFTWARE\\Classes\\CLSID\\") + text;
}

LSTATUS SetText(HKEY key, const wchar_t* name, const std::wstring& value) {
  return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LSTATUS WriteClassKeys(const std::wstring& modulePath) {
  win::UniqueKey classKey;
  LSTATUS rc = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, ClassKeyPath().c_str(), 0, nullptr, 0, KEY_WRITE,
                                 nullptr, classKey.put(), nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  if ((rc = SetText(classKey.get(), nullptr, kDescription)) != ERROR_SUCCESS) return rc;
  win::UniqueKey server;
  rc = ::RegCreateKeyExW(classKey.get(), L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr, server.put(),
                         nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  if ((rc = SetText(server.get(), nullptr, modulePath)) != ERROR_SUCCESS) return rc;
  return SetText(server.get(), L"ThreadingModel", L"Both");
}

}  // namespace
}  // namespace edsetup

STDAPI DllRegisterServer() {
  const std::wstring path = edsetup::ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  return edsetup::WriteClassKeys(path) == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer() {
  const std::wstring key = edsetup::ClassKeyPath();
  LSTATUS rc = ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
  if (rc == ERROR_SUCCESS) rc = ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
  return (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) ? S_OK : SELFREG_E_CLASS;
}
