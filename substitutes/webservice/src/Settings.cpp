#include "Settings.h"

#include <string>
#include <vector>

namespace websvc {
namespace {

class Key {
 public:
  Key() { (void)::RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key_); }
  ~Key() {
    if (key_) ::RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  [[nodiscard]] HKEY get() const noexcept { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::optional<std::wstring> ReadText(const wchar_t* name) {
  const Key key;
  if (!key.get()) return std::nullopt;
  DWORD type = 0;
  DWORD bytes = 0;
  if (::RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ)
    return std::nullopt;
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
      ERROR_SUCCESS)
    return std::nullopt;
  text.resize(bytes / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::optional<DWORD> ReadNumber(const wchar_t* name) {
  const Key key;
  if (!key.get()) return std::nullopt;
  DWORD type = 0;
  DWORD value = 0;
  DWORD bytes = sizeof(value);
  if (::RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) !=
          ERROR_SUCCESS ||
      type != REG_DWORD)
    return std::nullopt;
  return value;
}

void Journal(std::wstring_view line) noexcept {
  try {
    const std::optional<std::wstring> path = ReadText(L"Journal");
    if (!path || path->empty()) return;
    std::wstring full(line);
    full += L"\r\n";
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, full.data(), static_cast<int>(full.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::vector<char> bytes(static_cast<size_t>(size));
    ::WideCharToMultiByte(CP_UTF8, 0, full.data(), static_cast<int>(full.size()), bytes.data(), size, nullptr,
                          nullptr);
    // Every process of the component appends whole lines to the one file.
    HANDLE file = ::CreateFileW(path->c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
  } catch (...) {
    // A journal that cannot be written does not stop the component.
  }
}

std::wstring Quoted(std::wstring_view text) {
  constexpr size_t kShown = 40;
  if (text.size() <= kShown) return L"\"" + std::wstring(text) + L"\"";
  return L"\"" + std::wstring(text.substr(0, kShown)) + L"...\" [" + std::to_wstring(text.size()) + L"]";
}

}  // namespace websvc
