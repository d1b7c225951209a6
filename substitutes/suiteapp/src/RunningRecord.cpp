#include "RunningRecord.h"

#include <windows.h>
#include <sddl.h>
#include <versionhelpers.h>

#include <memory>
#include <vector>

#include "core/RegistryLayout.h"
#include "win/Handle.h"

namespace suiteapp {
namespace {

struct LocalTextDeleter {
  void operator()(void* memory) const noexcept { ::LocalFree(memory); }
};

// The string SID of the user this process runs as; empty when it cannot be read.
std::wstring CurrentUserSid() {
  win::UniqueHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.put())) return {};
  DWORD size = 0;
  ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<unsigned char> buffer(size);
  if (!::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
  const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
  wchar_t* raw = nullptr;
  if (!::ConvertSidToStringSidW(user->User.Sid, &raw)) return {};
  const std::unique_ptr<wchar_t, LocalTextDeleter> text(raw);
  return text.get();
}

struct Place {
  HKEY hive;
  std::wstring hiveName;
  std::wstring path;
};

Place PlaceOf(RecordPlace place) {
  if (place == RecordPlace::kInternetExplorerProtectedMode && ::IsWindowsVistaOrGreater()) {
    const std::wstring sid = CurrentUserSid();
    return {HKEY_USERS, L"HKU",
            sid + L"\\Software\\Microsoft\\Internet Explorer\\InternetRegistry\\REGISTRY\\USER\\" + sid +
                L"\\" + reg::kRunning};
  }
  return {HKEY_CURRENT_USER, L"HKCU", reg::kRunning};
}

// A REG_SZ or REG_EXPAND_SZ value's text up to its terminator; another type is reported by number.
std::optional<std::wstring> ReadText(HKEY key, const std::wstring& name) {
  std::vector<unsigned char> data(256);
  for (;;) {
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(data.size());
    const LSTATUS status = ::RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_MORE_DATA) {
      data.resize(size + sizeof(wchar_t));
      continue;
    }
    if (status != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
      return L"<value of registry type " + std::to_wstring(type) + L">";
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    if (const size_t end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
    return text;
  }
}

}  // namespace

RunningRecord ReadRunningRecord(const std::wstring& appId, RecordPlace place) {
  const Place where = PlaceOf(place);
  RunningRecord record{where.hiveName + L"\\" + where.path + L"\\" + appId, std::nullopt};
  win::UniqueKey key;
  if (::RegOpenKeyExW(where.hive, where.path.c_str(), 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS)
    record.text = ReadText(key.get(), appId);
  return record;
}

}  // namespace suiteapp
