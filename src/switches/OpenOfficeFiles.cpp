#include "switches/OpenOfficeFiles.h"

#include <windows.h>

#include "win/Handle.h"

namespace ooo {
namespace {

bool ReadWhole(const std::wstring& path, DWORD access, std::string& bytes) {
  const win::UniqueFile file(::CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  bytes.clear();
  char buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return false;
    if (read == 0) return true;
    bytes.append(buffer, read);
  }
}

}  // namespace

bool ReadProfileFile(const std::wstring& path, std::string& bytes) {
  // Windows refuses to write a read-only file anyway; the check keeps that true where the
  // attribute is only advisory (a Wine prefix run by root).
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  return ReadWhole(path, GENERIC_READ | GENERIC_WRITE, bytes);
}

bool ReadTemplateFile(const std::wstring& path, std::string& bytes) {
  return ReadWhole(path, GENERIC_READ, bytes);
}

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<AcceleratorFile> AcceleratorFiles(const std::wstring& acceleratorFolder) {
  std::vector<AcceleratorFile> files;
  WIN32_FIND_DATAW entry{};
  const win::UniqueFind find(::FindFirstFileW((acceleratorFolder + L"\\*.*").c_str(), &entry));
  if (!find) return files;  // no language folders
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L".." || entry.dwFileAttributes != FILE_ATTRIBUTE_DIRECTORY) continue;
    AcceleratorFile language{acceleratorFolder + L"\\" + name,
                             acceleratorFolder + L"\\" + name + L"\\current.xml"};
    if (FileExists(language.file)) files.push_back(std::move(language));
  } while (::FindNextFileW(find.get(), &entry));
  return files;
}

}  // namespace ooo
