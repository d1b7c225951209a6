#include "suite/SystemLibrary.h"

#include "core/CaughtFailure.h"

namespace suite {

std::wstring SystemFolderFile(std::wstring_view fileName) {
  const UINT size = ::GetSystemDirectoryW(nullptr, 0);
  if (size == 0) return {};
  std::wstring path(size, L'\0');
  const UINT length = ::GetSystemDirectoryW(path.data(), size);
  if (length == 0 || length >= size) return {};
  path.resize(length);
  if (path.back() != L'\\') path += L'\\';
  path += fileName;
  return path;
}

win::UniqueModule LoadSystemLibrary(const wchar_t* fileName) noexcept {
  try {
    const std::wstring path = SystemFolderFile(fileName);
    if (path.empty()) return {};
    return win::UniqueModule(::LoadLibraryW(path.c_str()));
  } catch (...) {
    app::LogCaughtException(L"SystemLibrary", __LINE__, L"Loading a system library");
    return {};  // out of memory for the path
  }
}

}  // namespace suite
