// Redirects HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CLASSES_ROOT and HKEY_USERS of this process
// to empty scratch keys for as long as the object lives, then deletes them. Code under test uses the
// real registry API and sees a known, empty registry.
//
// COM does not follow the redirection (class registration stays machine-wide).
#pragma once

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "win/Handle.h"

namespace test {

class RegistrySandbox {
 public:
  RegistrySandbox();
  ~RegistrySandbox();
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

  // Where the redirected hives live in the real HKCU, e.g. "Software\StartdeckTests\1234-1".
  [[nodiscard]] const std::wstring& root() const noexcept { return root_; }

 private:
  std::wstring root_;
  win::UniqueKey realUser_;
  win::UniqueKey machine_, user_, classes_, users_;
};

// A GoogleTest fixture with a registry sandbox around every test.
class SandboxedTest : public ::testing::Test {
 protected:
  RegistrySandbox registry_;
};

// Small helpers for arranging registry state in tests (they go through the redirection).
void SetString(HKEY hive, const std::wstring& path, const std::wstring& name, const std::wstring& value);
void SetDword(HKEY hive, const std::wstring& path, const std::wstring& name, DWORD value);
void SetBinary(HKEY hive, const std::wstring& path, const std::wstring& name, const void* data, DWORD size);
void CreateKey(HKEY hive, const std::wstring& path);
[[nodiscard]] bool KeyExists(HKEY hive, const std::wstring& path);
// The value as text (REG_SZ) or empty with *found = false when missing.
[[nodiscard]] std::wstring GetString(HKEY hive, const std::wstring& path, const std::wstring& name,
                                     bool* found = nullptr);
[[nodiscard]] DWORD GetDword(HKEY hive, const std::wstring& path, const std::wstring& name,
                             DWORD fallback = 0xFFFFFFFF);

// A key (created when missing) that this process may read but neither write nor open for writing,
// as for a user whom an administrator denied it; writable again when the object goes.
class WriteDeniedKey {
 public:
  WriteDeniedKey(HKEY hive, std::wstring path);
  ~WriteDeniedKey();
  WriteDeniedKey(const WriteDeniedKey&) = delete;
  WriteDeniedKey& operator=(const WriteDeniedKey&) = delete;

 private:
  LSTATUS SetAccess(const wchar_t* sddl) const;

  HKEY hive_;
  std::wstring path_;
};

}  // namespace test
