#include "support/RegistrySandbox.h"

#include <sddl.h>

#include <atomic>
#include <stdexcept>
#include <utility>

namespace test {
namespace {

constexpr wchar_t kSandboxBase[] = L"Software\\StartdeckTests";

win::UniqueKey OpenOrCreate(HKEY parent, const std::wstring& path) {
  win::UniqueKey key;
  const LSTATUS rc = ::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
  if (rc != ERROR_SUCCESS) throw std::runtime_error("registry sandbox: cannot create a scratch key");
  return key;
}

void Override(HKEY hive, HKEY target) {
  if (::RegOverridePredefKey(hive, target) != ERROR_SUCCESS)
    throw std::runtime_error("registry sandbox: RegOverridePredefKey failed");
}

}  // namespace

RegistrySandbox::RegistrySandbox() {
  static std::atomic<unsigned> counter{0};
  root_ = std::wstring(kSandboxBase) + L"\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter);
  // The scratch keys live in the real HKCU, so they are opened before HKCU is redirected; the handles
  // below are real keys and stay valid after the redirection.
  realUser_ = OpenOrCreate(HKEY_CURRENT_USER, root_);
  machine_ = OpenOrCreate(realUser_.get(), L"HKLM");
  user_ = OpenOrCreate(realUser_.get(), L"HKCU");
  classes_ = OpenOrCreate(realUser_.get(), L"HKCR");
  users_ = OpenOrCreate(realUser_.get(), L"HKU");
  Override(HKEY_LOCAL_MACHINE, machine_.get());
  Override(HKEY_CLASSES_ROOT, classes_.get());
  Override(HKEY_USERS, users_.get());
  Override(HKEY_CURRENT_USER, user_.get());
}

RegistrySandbox::~RegistrySandbox() {
  for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT, HKEY_USERS})
    ::RegOverridePredefKey(hive, nullptr);
  machine_.reset();
  user_.reset();
  classes_.reset();
  users_.reset();
  realUser_.reset();
  ::RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
  ::RegDeleteKeyW(HKEY_CURRENT_USER, root_.c_str());
}

void SetString(HKEY hive, const std::wstring& path, const std::wstring& name, const std::wstring& value) {
  win::UniqueKey key = OpenOrCreate(hive, path);
  ::RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void SetDword(HKEY hive, const std::wstring& path, const std::wstring& name, DWORD value) {
  win::UniqueKey key = OpenOrCreate(hive, path);
  ::RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof(value));
}

void SetBinary(HKEY hive, const std::wstring& path, const std::wstring& name, const void* data, DWORD size) {
  win::UniqueKey key = OpenOrCreate(hive, path);
  ::RegSetValueExW(key.get(), name.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(data), size);
}

void CreateKey(HKEY hive, const std::wstring& path) {
  (void)OpenOrCreate(hive, path);
}

bool KeyExists(HKEY hive, const std::wstring& path) {
  win::UniqueKey key;
  return ::RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::wstring GetString(HKEY hive, const std::wstring& path, const std::wstring& name, bool* found) {
  if (found) *found = false;
  DWORD type = 0, size = 0;
  if (::RegGetValueW(hive, path.c_str(), name.c_str(), RRF_RT_REG_SZ, &type, nullptr, &size) != ERROR_SUCCESS)
    return {};
  std::wstring text(size / sizeof(wchar_t), L'\0');
  if (::RegGetValueW(hive, path.c_str(), name.c_str(), RRF_RT_REG_SZ, &type, text.data(), &size) !=
      ERROR_SUCCESS)
    return {};
  text.resize(wcsnlen(text.c_str(), text.size()));
  if (found) *found = true;
  return text;
}

WriteDeniedKey::WriteDeniedKey(HKEY hive, std::wstring path) : hive_(hive), path_(std::move(path)) {
  CreateKey(hive_, path_);
  // Everyone may read it and change its access list, nothing more.
  EXPECT_EQ(SetAccess(L"D:(A;;KRWD;;;WD)"), ERROR_SUCCESS);
}

WriteDeniedKey::~WriteDeniedKey() {
  EXPECT_EQ(SetAccess(L"D:(A;;KA;;;WD)"), ERROR_SUCCESS);
}

LSTATUS WriteDeniedKey::SetAccess(const wchar_t* sddl) const {
  win::UniqueKey key;
  LSTATUS status = ::RegOpenKeyExW(hive_, path_.c_str(), 0, WRITE_DAC, key.put());
  if (status != ERROR_SUCCESS) return status;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
    return static_cast<LSTATUS>(::GetLastError());
  status = ::RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor);
  ::LocalFree(descriptor);
  return status;
}

DWORD GetDword(HKEY hive, const std::wstring& path, const std::wstring& name, DWORD fallback) {
  DWORD value = 0, size = sizeof(value);
  if (::RegGetValueW(hive, path.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return fallback;
  return value;
}

}  // namespace test
