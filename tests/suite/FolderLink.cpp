#include "FolderLink.h"

#include <windows.h>

#include <memory>

#include "support/Driver.h"

namespace suitetest {
namespace {

bool IsReparsePoint(const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsGone(const std::filesystem::path& path) {
  return ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

struct HeapFreer {
  void operator()(char* p) const noexcept { ::HeapFree(::GetProcessHeap(), 0, p); }
};

// Wine's own export: the Unix path of a Windows path, allocated on the process heap. Empty on
// Windows.
std::wstring UnixPath(const std::filesystem::path& path) {
  using UnixFileNameFn = char*(__cdecl*)(const wchar_t*);
  const auto unixFileName = reinterpret_cast<UnixFileNameFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixFileName) return {};
  const std::unique_ptr<char, HeapFreer> unix(unixFileName(path.c_str()));
  if (!unix) return {};
  const std::string bytes(unix.get());
  return std::wstring(bytes.begin(), bytes.end());  // scratch paths are plain ASCII
}

// Wine starts Unix programs as well, but its process handle does not wait for them: the caller
// watches for their effect instead.
bool StartUnixProgram(const wchar_t* program, const std::wstring& arguments) {
  test::Process process;
  return process.Start(program, arguments);
}

}  // namespace

std::wstring MakeFolderLink(const std::filesystem::path& link, const std::filesystem::path& target) {
  // Windows: needs the symbolic-link privilege, or developer mode with the unprivileged flag.
  constexpr DWORD kUnprivileged = 0x2;
  if (::CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY | kUnprivileged) ||
      ::CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY)) {
    if (IsReparsePoint(link)) return {};
  }
  // Wine 8 answers TRUE to CreateSymbolicLinkW without making anything, but shows a Unix symbolic
  // link to a folder as a reparse point: let ln make one.
  const std::wstring unixLink = UnixPath(link);
  const std::wstring unixTarget = UnixPath(target);
  if (unixLink.empty() || unixTarget.empty()) return L"no symbolic-link privilege on this system";
  if (!StartUnixProgram(L"Z:\\bin\\ln", L"-s \"" + unixTarget + L"\" \"" + unixLink + L"\""))
    return L"cannot start Z:\\bin\\ln";
  if (!test::WaitUntil([&] { return IsReparsePoint(link); }, std::chrono::seconds(30)))
    return L"ln made no link Wine reports as a reparse point";
  return {};
}

bool RemoveFolderLink(const std::filesystem::path& link) {
  if (IsGone(link)) return true;
  // Windows removes a folder link like a folder. Wine 8 removes a Unix link neither way.
  if (::RemoveDirectoryW(link.c_str()) || ::DeleteFileW(link.c_str())) return IsGone(link);
  const std::wstring unixLink = UnixPath(link);
  if (unixLink.empty() || !StartUnixProgram(L"Z:\\bin\\rm", L"-f \"" + unixLink + L"\"")) return false;
  return test::WaitUntil([&] { return IsGone(link); }, std::chrono::seconds(30));
}

}  // namespace suitetest
