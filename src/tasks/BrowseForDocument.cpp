#include "tasks/BrowseForDocument.h"

#include <commdlg.h>

#include <vector>

#include "suite/SystemLibrary.h"

namespace tasks {
namespace {

// The common dialogs are loaded when a user first browses: most sessions never do.
using GetOpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);

}  // namespace

std::optional<std::wstring> BrowseForDocument(HWND owner, std::wstring_view filter,
                                              const std::wstring& folder) {
  // The dialog wants the parts NUL-separated and ending in two NULs.
  std::wstring filters(filter);
  for (wchar_t& c : filters)
    if (c == L'|') c = L'\0';
  filters.append(2, L'\0');
  // Room for long paths: a document deep in a folder tree must not be cut off.
  std::vector<wchar_t> file(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  // Kept loaded once used: the dialog may leave shell extensions behind that still run code of it.
  static const win::UniqueModule library = suite::LoadSystemLibrary(L"comdlg32.dll");
  const auto getOpenFileName = suite::ProcAddress<GetOpenFileNameFn>(library.get(), "GetOpenFileNameW");
  if (!getOpenFileName || !getOpenFileName(&dialog)) return std::nullopt;
  return std::wstring(file.data());
}

std::wstring FolderOf(std::wstring_view path) {
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash + 1));
}

}  // namespace tasks
