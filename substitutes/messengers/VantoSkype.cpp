// VantoSkype.exe: the suite's Skype companion program. It follows the per-user choice in
// HKCU "SOFTWARE\Korvelsoft\VNTO9\Messengers", value "Skype" (1 on, 0 off, missing means on):
// it prints the choice and ends with exit code 1 when the translation is on, 0 when it is off.
#include <windows.h>

#include <cwchar>

namespace {

// An open registry key, closed when it goes.
struct Key {
  HKEY handle = nullptr;
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (handle) ::RegCloseKey(handle);
  }
};

}  // namespace

int wmain() {
  DWORD choice = 1;
  Key key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Korvelsoft\\VNTO9\\Messengers", 0, KEY_READ,
                      &key.handle) == ERROR_SUCCESS) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = REG_NONE;
    if (::RegQueryValueExW(key.handle, L"Skype", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
            ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof(value))
      choice = value != 0 ? 1 : 0;
  }
  std::wprintf(L"VANTO for Skype: translation %ls\n", choice ? L"on" : L"off");
  return static_cast<int>(choice);
}
