// The one wrapper through which the program touches the registry. Every operation remembers the
// result code of its last system call; reads fall back to the caller's default, silently.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/RegistryLayout.h"
#include "win/Handle.h"

namespace app {

class RegistryKey {
 public:
  RegistryKey() = default;
  RegistryKey(RegistryKey&&) noexcept = default;
  RegistryKey& operator=(RegistryKey&&) noexcept = default;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // A hive of nullptr means the application's own per-user key: HKCU
  // "Software\Korvelsoft\VNTO8\STARTDECK\<path>". Any open handle is closed first.
  [[nodiscard]] bool Open(HKEY hive, std::wstring_view path, REGSAM access = reg::kRead);
  [[nodiscard]] bool Create(HKEY hive, std::wstring_view path, REGSAM access = reg::kWrite);

  // <this path>\name under the same hive, created when missing if asked; nullopt on failure. Reads
  // need no more than read access, which a standard user is granted where write access is refused
  // (HKLM); a caller that creates or writes asks reg::kWrite.
  [[nodiscard]] std::optional<RegistryKey> OpenChild(std::wstring_view name, bool createIfMissing,
                                                     REGSAM access = reg::kRead) const;
  // The path up to its last backslash; nullopt when there is none or it cannot be opened.
  [[nodiscard]] std::optional<RegistryKey> OpenParent(REGSAM access = reg::kRead) const;
  bool Close();

  // REG_SZ or REG_EXPAND_SZ (unexpanded), up to its first NUL, as Windows programs read it. When
  // text goes on after that NUL, LastResult is ERROR_INVALID_DATA (a missing value gives the
  // fallback and ERROR_FILE_NOT_FOUND, a value of another type ERROR_DATATYPE_MISMATCH).
  [[nodiscard]] std::wstring ReadString(std::wstring_view name, std::wstring_view fallback = {}) const;
  [[nodiscard]] bool WriteString(std::wstring_view name, std::wstring_view text);
  // REG_DWORD, or REG_BINARY (also a REG_DWORD of the wrong size) of at most 4 bytes read as a
  // little-endian number of that many bytes; anything else gives the fallback.
  [[nodiscard]] DWORD ReadNumber(std::wstring_view name, DWORD fallback) const;
  [[nodiscard]] bool WriteNumber(std::wstring_view name, DWORD number);
  [[nodiscard]] bool WriteBinary(std::wstring_view name, std::span<const std::uint8_t> bytes);

  [[nodiscard]] bool ValueExists(std::wstring_view name) const;
  [[nodiscard]] DWORD ValueType(std::wstring_view name) const;  // REG_NONE when missing
  [[nodiscard]] DWORD ValueSize(std::wstring_view name) const;  // 0 when missing
  bool DeleteValue(std::wstring_view name);

  // Enumeration from index 0; each successful call advances the index. False at the end.
  bool NextSubkey(DWORD& index, std::wstring& name) const;
  bool NextValue(DWORD& index, std::wstring& name) const;

  // Deletes the child key `name`; with `recursive`, everything below it first.
  bool DeleteTree(std::wstring_view name, bool recursive);
  // Copies one value, with its type, from `source`.
  bool CopyValue(const RegistryKey& source, std::wstring_view name);

  [[nodiscard]] bool IsOpen() const noexcept { return key_.valid(); }
  [[nodiscard]] HKEY Handle() const noexcept { return key_.get(); }
  [[nodiscard]] HKEY Hive() const noexcept { return hive_; }
  [[nodiscard]] const std::wstring& Path() const noexcept { return path_; }
  [[nodiscard]] LSTATUS LastResult() const noexcept { return result_; }

  // The full sub-key path that Open and Create use for `hive` and `path`.
  [[nodiscard]] static std::wstring FullPath(HKEY hive, std::wstring_view path);

 private:
  // Reads a value's type and bytes, growing the buffer while the value grows under us.
  bool QueryRaw(std::wstring_view name, DWORD& type, std::vector<std::uint8_t>& data) const;

  win::UniqueKey key_;
  HKEY hive_ = nullptr;
  std::wstring path_;
  mutable LSTATUS result_ = ERROR_SUCCESS;
};

}  // namespace app
