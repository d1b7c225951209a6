#include "core/Language.h"

#include <windows.h>

#include "core/LanguageLibraryCheck.h"
#include "core/LogSink.h"
#include "core/RegistryKey.h"
#include "tables/LanguageCodes.h"
#include "win/Module.h"
#include "win/Resources.h"

namespace app {
namespace {

// Paths that the language rule builds are limited to 260 characters, as the installer's are.
constexpr size_t kPathLimit = 260;

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  path += name;
  return path;
}

std::wstring_view FileTitleOf(std::wstring_view path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring_view::npos) path.remove_prefix(slash + 1);
  const size_t dot = path.rfind(L'.');
  if (dot != std::wstring_view::npos) path = path.substr(0, dot);
  return path;
}

std::wstring_view FolderOf(std::wstring_view path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring_view::npos ? std::wstring_view() : path.substr(0, slash);
}

bool Reject(const std::wstring& path, const std::wstring& reason) {
  Log().Line(L"Language library %s not used: %s.", path.c_str(), reason.c_str());
  return false;
}

std::wstring LoadError() {
  return L"it cannot be loaded (error " + std::to_wstring(::GetLastError()) + L")";
}

// Makes the library at `path` the resource module when it is one of ours in the installed language.
// It is checked as an image resource first, so that no code of a foreign DLL ever runs here.
bool TryLoad(const std::wstring& path, unsigned languageId) {
  {
    const win::UniqueModule image(
        ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!image) return Reject(path, LoadError());
    if (const std::wstring defect = LanguageLibraryDefect(image.get(), languageId); !defect.empty())
      return Reject(path, defect);
  }
  win::UniqueModule library(::LoadLibraryExW(path.c_str(), nullptr, 0));
  if (!library) return Reject(path, LoadError());
  win::AdoptResourceModule(std::move(library));
  return true;
}

}  // namespace

unsigned LanguageId() {
  RegistryKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, reg::kProductRoot, reg::kRead)) return 0;
  return key.ReadNumber(reg::kLanguageIdValue, 0);
}

std::wstring ResourceLibraryName(std::wstring_view base) {
  const unsigned langId = LanguageId();
  if (langId == 0) return {};
  return lang::LanguageLibraryName(base, langId);
}

std::wstring ResourceLibraryPath(std::wstring_view base, std::wstring_view folder) {
  const std::wstring name = ResourceLibraryName(base);
  if (name.empty()) return {};
  std::wstring dir(folder);
  if (dir.empty()) {
    RegistryKey key;
    if (!key.Open(HKEY_LOCAL_MACHINE, reg::kFolders, reg::kRead)) return {};
    std::wstring root = key.ReadString(reg::kSharedRootValue);
    if (root.size() > kPathLimit) root.resize(kPathLimit);
    if (root.empty()) return {};
    const unsigned langId = LanguageId();
    if (langId == 0) return {};
    dir = JoinPath(root, std::to_wstring(langId));
  }
  std::wstring path = JoinPath(dir, name);
  if (path.size() > kPathLimit) return {};  // such a path was never installed
  return path;
}

std::wstring ProgramPath() {
  return win::ModulePath();
}

std::wstring LoadResourceLibrary(std::wstring_view base) {
  return LoadResourceLibraryFor(ProgramPath(), base);
}

std::wstring LoadResourceLibraryFor(std::wstring_view programPath, std::wstring_view base) {
  std::wstring_view title = base.empty() ? FileTitleOf(programPath) : FileTitleOf(base);
  std::wstring first = ResourceLibraryPath(title, FolderOf(programPath));
  if (first.empty()) return {};
  const unsigned languageId = LanguageId();
  if (TryLoad(first, languageId)) return first;
  // Only a library that should have been beside the program but failed to load (or is not one of
  // ours) sends us to the shared language folder.
  std::wstring second = ResourceLibraryPath(title, {});
  if (!second.empty() && TryLoad(second, languageId)) return second;
  Log().Line(L"The built-in English resources are used.");
  return {};
}

}  // namespace app
