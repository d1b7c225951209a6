// DllRegisterServer and DllUnregisterServer: the machine-wide class keys of every class.
#include <windows.h>
#include <olectl.h>

#include <string>

#include "ClassTable.h"
#include "Module.h"
#include "win/Handle.h"

namespace vanto {
namespace {

std::wstring ClassKeyPath(const CLSID& clsid) {
  wchar_t text[40] = {};  // a GUID in braces is 38 characters
  ::StringFromGUID2(clsid, text, 40);
  return std::wstring(L"SOFTWARE\\Classes\\CLSID\\") + text;
}

LSTATUS SetText(HKEY key, const wchar_t* name, const std::wstring& value) {
  return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LSTATUS WriteClassKeys(const ClassRow& row, const std::wstring& modulePath) {
  win::UniqueKey classKey;
  LSTATUS rc = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, ClassKeyPath(*row.clsid).c_str(), 0, nullptr, 0,
                                 KEY_WRITE, nullptr, classKey.put(), nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  if ((rc = SetText(classKey.get(), nullptr, row.keyDefault)) != ERROR_SUCCESS) return rc;
  win::UniqueKey server;
  rc = ::RegCreateKeyExW(classKey.get(), L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr, server.put(),
                         nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  if ((rc = SetText(server.get(), nullptr, modulePath)) != ERROR_SUCCESS) return rc;
  return SetText(server.get(), L"ThreadingModel", L"Both");
}

}  // namespace
}  // namespace vanto

STDAPI DllRegisterServer() {
  const std::wstring path = vanto::ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  for (const vanto::ClassRow& row : vanto::Classes()) {
    if (vanto::WriteClassKeys(row, path) != ERROR_SUCCESS) return SELFREG_E_CLASS;
  }
  return S_OK;
}

STDAPI DllUnregisterServer() {
  HRESULT result = S_OK;
  for (const vanto::ClassRow& row : vanto::Classes()) {
    const std::wstring key = vanto::ClassKeyPath(*row.clsid);
    LSTATUS rc = ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
    if (rc == ERROR_SUCCESS) rc = ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) result = SELFREG_E_CLASS;
  }
  return result;
}
