#include "FileIo.h"

#include <algorithm>
#include <memory>

#include "win/Handle.h"

namespace vanto {
namespace {

constexpr std::uint64_t kMaxFileBytes = 32u << 20;

std::uint64_t Combine(DWORD high, DWORD low) noexcept {
  return (std::uint64_t{high} << 32) | low;
}

}  // namespace

std::vector<FolderEntry> ListFiles(const std::filesystem::path& folder, const wchar_t* pattern) {
  std::vector<FolderEntry> files;
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW((folder / pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  const std::unique_ptr<void, BOOL(WINAPI*)(HANDLE)> closer(find, &::FindClose);
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    files.push_back({folder / data.cFileName,
                     {Combine(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
                      Combine(data.nFileSizeHigh, data.nFileSizeLow)}});
  } while (::FindNextFileW(find, &data));
  std::sort(files.begin(), files.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.path < b.path; });
  return files;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
  win::UniqueFile handle(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(handle.get(), &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > kMaxFileBytes)
    return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!::ReadFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)))
    return std::nullopt;
  bytes.resize(read);
  return bytes;
}

HRESULT WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                            bool replace) noexcept {
  try {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    std::filesystem::path temporary = file;
    temporary += L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(::GetCurrentThreadId()) + L".tmp";
    {
      win::UniqueFile handle(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!handle) return HRESULT_FROM_WIN32(::GetLastError());
      DWORD written = 0;
      const BOOL ok =
          ::WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
          written == bytes.size() && ::FlushFileBuffers(handle.get());
      if (!ok) {
        const DWORD error = ::GetLastError();
        handle.reset();
        ::DeleteFileW(temporary.c_str());
        return HRESULT_FROM_WIN32(error ? error : ERROR_WRITE_FAULT);
      }
    }
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!::MoveFileExW(temporary.c_str(), file.c_str(), flags)) {
      const DWORD error = ::GetLastError();
      ::DeleteFileW(temporary.c_str());
      return HRESULT_FROM_WIN32(error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error);
    }
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

std::optional<FileStamp> StampOf(const std::filesystem::path& file) noexcept {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return FileStamp{Combine(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime),
                   Combine(data.nFileSizeHigh, data.nFileSizeLow)};
}

}  // namespace vanto
