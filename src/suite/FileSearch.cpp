#include "suite/FileSearch.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <utility>

#include "suite/NameCompare.h"
#include "win/Handle.h"

namespace suite {
namespace {

// folder + "\" + name, without doubling a separator the folder already ends with.
std::wstring Join(const std::wstring& folder, std::wstring_view name) {
  std::wstring path = folder;
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  path += name;
  return path;
}

bool IsDotEntry(std::wstring_view name) noexcept {
  return name == L"." || name == L"..";
}

// A folder that is a junction or a symbolic link may lead back up the tree, so it is not searched.
// Other reparse points (cloud placeholders, deduplicated files) carry tags that are not name
// surrogates and are searched like any folder. Wine marks Unix symbolic links with the attribute
// but no tag, so a missing tag counts as a link too.
bool IsLinkedFolder(const WIN32_FIND_DATAW& entry) noexcept {
  if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return entry.dwReserved0 == 0 || IsReparseTagNameSurrogate(entry.dwReserved0);
}

std::optional<std::wstring> SearchTree(const std::wstring& folder, std::wstring_view name) {
  WIN32_FIND_DATAW entry{};
  const win::UniqueFind find(::FindFirstFileW(Join(folder, L"*.*").c_str(), &entry));
  if (!find) return std::nullopt;
  do {
    if (IsDotEntry(entry.cFileName)) continue;
    if (SameName(entry.cFileName, name)) return Join(folder, entry.cFileName);
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsLinkedFolder(entry)) {
      if (std::optional<std::wstring> found = SearchTree(Join(folder, entry.cFileName), name)) return found;
    }
  } while (::FindNextFileW(find.get(), &entry));
  return std::nullopt;
}

// Marks every name the entries of `folder` and its subfolders match; true once all are marked.
bool MarkTree(const std::wstring& folder, std::span<const std::wstring> names, std::vector<bool>& found,
              size_t& left) {
  WIN32_FIND_DATAW entry{};
  const win::UniqueFind find(::FindFirstFileW(Join(folder, L"*.*").c_str(), &entry));
  if (!find) return false;
  do {
    if (IsDotEntry(entry.cFileName)) continue;
    for (size_t i = 0; i < names.size(); ++i) {
      if (found[i] || !SameName(entry.cFileName, names[i])) continue;
      found[i] = true;
      if (--left == 0) return true;
    }
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsLinkedFolder(entry) &&
        MarkTree(Join(folder, entry.cFileName), names, found, left))
      return true;
  } while (::FindNextFileW(find.get(), &entry));
  return false;
}

// A name a path look-up reads as exactly that entry: no separator, wildcard or stream, not "." or
// "..", no trailing dot or space (which a look-up drops), nothing that could be a short 8.3 alias.
bool LooksUpAsItself(std::wstring_view name) noexcept {
  return !name.empty() && !IsDotEntry(name) &&
         name.find_first_of(L"\\/:*?\"<>|~") == std::wstring_view::npos && name.back() != L'.' &&
         name.back() != L' ';
}

}  // namespace

std::vector<bool> FindFilesInTree(const std::wstring& folder, std::span<const std::wstring> names) {
  std::vector<bool> found(names.size(), false);
  size_t left = names.size();
  // What lies directly in the folder is found by a look-up, which costs less than a listing.
  for (size_t i = 0; i < names.size(); ++i) {
    if (!LooksUpAsItself(names[i]) ||
        ::GetFileAttributesW(Join(folder, names[i]).c_str()) == INVALID_FILE_ATTRIBUTES)
      continue;
    found[i] = true;
    --left;
  }
  if (left > 0) (void)MarkTree(folder, names, found, left);
  return found;
}

bool FindFileInTree(const std::wstring& folder, std::wstring& name) {
  std::optional<std::wstring> found = SearchTree(folder, name);
  if (!found) return false;
  name = std::move(*found);
  return true;
}

bool PathExists(const std::wstring& path, bool& exists) noexcept {
  const win::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    switch (::GetLastError()) {
      case ERROR_ACCESS_DENIED:  // a folder, a read-only file, no rights
      case ERROR_INVALID_ACCESS:
      case ERROR_NETWORK_ACCESS_DENIED:
      // Held open without sharing by another program: Windows and Wine both answer this, not
      // access denied, and the file plainly exists.
      case ERROR_SHARING_VIOLATION: break;
      default: return false;
    }
  }
  exists = true;
  return true;
}

}  // namespace suite
