#include "tasks/DefaultBrowser.h"

#include <windows.h>

#include <shellapi.h>

#include <array>

#include "suite/NameCompare.h"
#include "win/Handle.h"

namespace tasks {
namespace {

constexpr wchar_t kProbeFile[] = L"testtempvantohtmlfile.html";

std::wstring TemporaryFolder() {
  const DWORD needed = ::GetTempPathW(0, nullptr);
  if (needed == 0) return {};
  std::wstring folder(needed, L'\0');
  const DWORD length = ::GetTempPathW(needed, folder.data());
  if (length == 0 || length >= needed) return {};
  folder.resize(length);
  return folder;
}

}  // namespace

std::wstring DefaultBrowserFileName() {
  const std::wstring folder = TemporaryFolder();
  if (folder.empty()) return {};
  const std::wstring probe = folder + kProbeFile;
  {
    const win::UniqueFile file(::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
  }
  std::array<wchar_t, MAX_PATH> executable{};  // FindExecutableW fills at most MAX_PATH characters
  const auto result = reinterpret_cast<INT_PTR>(::FindExecutableW(probe.c_str(), nullptr, executable.data()));
  ::DeleteFileW(probe.c_str());
  if (result <= 32 || executable[0] == L'\0') return {};
  return std::wstring(FileNameOf(executable.data()));
}

std::wstring_view FileNameOf(std::wstring_view path) noexcept {
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

bool SameFileName(std::wstring_view a, std::wstring_view b) noexcept {
  return suite::SameName(a, b);
}

}  // namespace tasks
