#include "core/RegistryKey.h"

#include <cstring>

namespace app {
namespace {

// Registry names and texts must be NUL-terminated; views may not be.
std::wstring Z(std::wstring_view text) {
  return std::wstring(text);
}

std::wstring_view TrimBackslashes(std::wstring_view path) {
  while (!path.empty() && path.front() == L'\\') path.remove_prefix(1);
  while (!path.empty() && path.back() == L'\\') path.remove_suffix(1);
  return path;
}

std::wstring Join(std::wstring_view parent, std::wstring_view child) {
  std::wstring joined(TrimBackslashes(parent));
  child = TrimBackslashes(child);
  if (!joined.empty() && !child.empty()) joined += L'\\';
  joined += child;
  return joined;
}

}  // namespace

std::wstring RegistryKey::FullPath(HKEY hive, std::wstring_view path) {
  if (hive != nullptr) return std::wstring(path);
  std::wstring full = L"Software\\";
  full += reg::kAppRegistryKey;
  full += L'\\';
  full += reg::kAppProfileName;
  return Join(full, path);
}

bool RegistryKey::Open(HKEY hive, std::wstring_view path, REGSAM access) {
  Close();
  const HKEY root = hive ? hive : HKEY_CURRENT_USER;
  std::wstring full = FullPath(hive, path);
  result_ = ::RegOpenKeyExW(root, full.c_str(), 0, access, key_.put());
  if (result_ != ERROR_SUCCESS) return false;
  hive_ = root;
  path_ = std::move(full);
  return true;
}

bool RegistryKey::Create(HKEY hive, std::wstring_view path, REGSAM access) {
  Close();
  const HKEY root = hive ? hive : HKEY_CURRENT_USER;
  std::wstring full = FullPath(hive, path);
  result_ = ::RegCreateKeyExW(root, full.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                              key_.put(), nullptr);
  if (result_ != ERROR_SUCCESS) return false;
  hive_ = root;
  path_ = std::move(full);
  return true;
}

std::optional<RegistryKey> RegistryKey::OpenChild(std::wstring_view name, bool createIfMissing,
                                                  REGSAM access) const {
  if (!IsOpen()) return std::nullopt;
  RegistryKey child;
  const std::wstring path = Join(path_, name);
  const bool ok = createIfMissing ? child.Create(hive_, path, access) : child.Open(hive_, path, access);
  result_ = child.result_;
  if (!ok) return std::nullopt;
  return child;
}

std::optional<RegistryKey> RegistryKey::OpenParent(REGSAM access) const {
  const size_t slash = path_.rfind(L'\\');
  if (hive_ == nullptr || slash == std::wstring::npos) return std::nullopt;
  RegistryKey parent;
  const bool ok = parent.Open(hive_, std::wstring_view(path_).substr(0, slash), access);
  result_ = parent.result_;
  if (!ok) return std::nullopt;
  return parent;
}

bool RegistryKey::Close() {
  if (!key_.valid()) {
    result_ = ERROR_SUCCESS;
    return true;
  }
  result_ = ::RegCloseKey(key_.release());
  return result_ == ERROR_SUCCESS;
}

bool RegistryKey::QueryRaw(std::wstring_view name, DWORD& type, std::vector<std::uint8_t>& data) const {
  data.clear();
  if (!IsOpen()) {
    result_ = ERROR_INVALID_HANDLE;
    return false;
  }
  const std::wstring valueName = Z(name);
  DWORD size = 0;
  result_ = ::RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, &type, nullptr, &size);
  // A value may grow between asking its size and reading it; a few rounds settle that.
  for (int attempt = 0; attempt < 4 && result_ == ERROR_SUCCESS; ++attempt) {
    data.resize(size);
    result_ = ::RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, &type,
                                 data.empty() ? nullptr : data.data(), &size);
    if (result_ == ERROR_SUCCESS) {
      data.resize(size);
      return true;
    }
    if (result_ == ERROR_MORE_DATA) result_ = ERROR_SUCCESS;
  }
  if (result_ == ERROR_SUCCESS) result_ = ERROR_MORE_DATA;
  data.clear();
  return false;
}

std::wstring RegistryKey::ReadString(std::wstring_view name, std::wstring_view fallback) const {
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> data;
  if (!QueryRaw(name, type, data)) return std::wstring(fallback);
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    result_ = ERROR_DATATYPE_MISMATCH;
    return std::wstring(fallback);
  }
  // Stored texts need not be terminated, and may carry an odd trailing byte: take whole characters
  // up to the first NUL.
  std::wstring text(data.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
  const size_t nul = text.find(L'\0');
  if (nul == std::wstring::npos) return text;
  // Terminators may repeat. Text after one (an installer that wrote a size too large) is read past
  // as Windows programs do; LastResult tells it, for a caller that must not trust such a value.
  if (text.find_first_not_of(L'\0', nul) != std::wstring::npos) result_ = ERROR_INVALID_DATA;
  text.resize(nul);
  return text;
}

bool RegistryKey::WriteString(std::wstring_view name, std::wstring_view text) {
  if (!IsOpen()) return (result_ = ERROR_INVALID_HANDLE), false;
  const std::wstring valueName = Z(name);
  const std::wstring value = Z(text);
  result_ =
      ::RegSetValueExW(key_.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  return result_ == ERROR_SUCCESS;
}

DWORD RegistryKey::ReadNumber(std::wstring_view name, DWORD fallback) const {
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> data;
  if (!QueryRaw(name, type, data)) return fallback;
  if ((type != REG_DWORD && type != REG_BINARY) || data.size() > 4) {
    result_ = ERROR_DATATYPE_MISMATCH;
    return fallback;
  }
  DWORD number = 0;
  for (size_t i = data.size(); i-- > 0;) number = (number << 8) | data[i];
  return number;
}

bool RegistryKey::WriteNumber(std::wstring_view name, DWORD number) {
  if (!IsOpen()) return (result_ = ERROR_INVALID_HANDLE), false;
  const std::wstring valueName = Z(name);
  result_ = ::RegSetValueExW(key_.get(), valueName.c_str(), 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&number), sizeof(number));
  return result_ == ERROR_SUCCESS;
}

bool RegistryKey::WriteBinary(std::wstring_view name, std::span<const std::uint8_t> bytes) {
  if (!IsOpen()) return (result_ = ERROR_INVALID_HANDLE), false;
  const std::wstring valueName = Z(name);
  result_ = ::RegSetValueExW(key_.get(), valueName.c_str(), 0, REG_BINARY,
                             bytes.empty() ? nullptr : bytes.data(), static_cast<DWORD>(bytes.size()));
  return result_ == ERROR_SUCCESS;
}

bool RegistryKey::ValueExists(std::wstring_view name) const {
  if (!IsOpen()) return (result_ = ERROR_INVALID_HANDLE), false;
  const std::wstring valueName = Z(name);
  result_ = ::RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr);
  return result_ == ERROR_SUCCESS;
}

DWORD RegistryKey::ValueType(std::wstring_view name) const {
  if (!IsOpen()) return (result_ = ERROR_INVALID_HANDLE), REG_NONE;
  const std::wstring valueName = Z(name);
  DWORD type = REG_NONE;
  result_ = ::RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, &type, nullptr, nullptr);
  return result_ == ERROR_SUCCESS ? type : REG_NONE;
}

DWORD RegistryKey::ValueSize(std::wstring_view name) const {
  if (!IsOpen()) return (result_ = ERROR_INVALID_HANDLE), 0;
  const std::wstring valueName = Z(name);
  DWORD size = 0;
  result_ = ::RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, nullptr, nullptr, &size);
  return result_ == ERROR_SUCCESS ? size : 0;
}

bool RegistryKey::DeleteValue(std::wstring_view name) {
  if (!IsOpen()) return (result_ = ERROR_INVALID_HANDLE), false;
  const std::wstring valueName = Z(name);
  result_ = ::RegDeleteValueW(key_.get(), valueName.c_str());
  return result_ == ERROR_SUCCESS;
}

bool RegistryKey::NextSubkey(DWORD& index, std::wstring& name) const {
  if (!IsOpen()) return (result_ = ERROR_INVALID_HANDLE), false;
  wchar_t buffer[256];  // key names are at most 255 characters
  DWORD length = static_cast<DWORD>(std::size(buffer));
  result_ = ::RegEnumKeyExW(key_.get(), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  if (result_ != ERROR_SUCCESS) return false;
  name.assign(buffer, length);
  ++index;
  return true;
}

bool RegistryKey::NextValue(DWORD& index, std::wstring& name) const {
  if (!IsOpen()) return (result_ = ERROR_INVALID_HANDLE), false;
  std::wstring buffer(256, L'\0');
  for (;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    result_ = ::RegEnumValueW(key_.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result_ == ERROR_MORE_DATA && buffer.size() < 32768) {
      buffer.resize(buffer.size() * 4);  // value names reach 16,383 characters
      continue;
    }
    if (result_ != ERROR_SUCCESS) return false;
    name.assign(buffer.c_str(), length);
    ++index;
    return true;
  }
}

bool RegistryKey::DeleteTree(std::wstring_view name, bool recursive) {
  std::optional<RegistryKey> child = OpenChild(name, false, reg::kWrite);
  if (!child) return false;
  if (recursive) {
    // Always re-read child 0: deleting shifts the indices. Stop when a child resists, rather than
    // trying it forever.
    std::wstring grandchild;
    for (DWORD index = 0; child->NextSubkey(index, grandchild); index = 0) {
      if (!child->DeleteTree(grandchild, true)) {
        result_ = child->result_;
        return false;
      }
    }
  }
  child->Close();
  const std::wstring childName = Z(TrimBackslashes(name));
  result_ = ::RegDeleteKeyW(key_.get(), childName.c_str());
  return result_ == ERROR_SUCCESS;
}

bool RegistryKey::CopyValue(const RegistryKey& source, std::wstring_view name) {
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> data;
  if (!source.QueryRaw(name, type, data)) return (result_ = source.result_), false;
  if (!IsOpen()) return (result_ = ERROR_INVALID_HANDLE), false;
  const std::wstring valueName = Z(name);
  result_ = ::RegSetValueExW(key_.get(), valueName.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                             static_cast<DWORD>(data.size()));
  return result_ == ERROR_SUCCESS;
}

}  // namespace app
