#include "DemoExplorer.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "core/RegistryKey.h"
#include "tables/DocumentTypes.h"
#include "tables/ExplorerVerb.h"
#include "tables/LanguageCodes.h"
#include "win/ComScope.h"

namespace demo {

namespace fs = std::filesystem;

bool InstallExplorerVerb(const fs::path& program, unsigned long language) {
  const std::wstring library = lang::LanguageLibraryName(L"Startdeck", language);
  const fs::path libraryPath = program.parent_path() / library;
  const bool translated = !library.empty() && fs::exists(libraryPath);
  for (std::wstring_view extension : docs::kExtensions) {
    const std::wstring key = shellverb::VerbKey(extension);
    app::RegistryKey verb;
    if (!verb.Create(HKEY_LOCAL_MACHINE, key) || !verb.WriteString(L"", shellverb::kEnglishText))
      return false;
    if (translated && !verb.WriteString(shellverb::kMuiVerbValue, shellverb::MuiVerb(libraryPath.wstring())))
      return false;
    app::RegistryKey command;
    if (!command.Create(HKEY_LOCAL_MACHINE, key + L"\\" + std::wstring(shellverb::kCommandKeyName)) ||
        !command.WriteString(L"", shellverb::VerbCommand(program.wstring())))
      return false;
  }
  return true;
}

bool InstallSendToShortcut(const fs::path& program) {
  const win::ComApartment com;
  if (!com.ok()) return false;
  PWSTR folderText = nullptr;
  const HRESULT found = ::SHGetKnownFolderPath(FOLDERID_SendTo, KF_FLAG_CREATE, nullptr, &folderText);
  const fs::path folder = SUCCEEDED(found) ? fs::path(folderText) : fs::path();
  ::CoTaskMemFree(folderText);
  if (folder.empty()) return false;

  Microsoft::WRL::ComPtr<IShellLinkW> link;
  Microsoft::WRL::ComPtr<IPersistFile> file;
  const std::wstring arguments(shellverb::kTranslateSwitch);
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) ||
      FAILED(link->SetPath(program.c_str())) || FAILED(link->SetArguments(arguments.c_str())) ||
      FAILED(link->SetWorkingDirectory(program.parent_path().c_str())) || FAILED(link.As(&file)))
    return false;
  const fs::path target = folder / (std::wstring(shellverb::kSendToName) + L".lnk");
  const fs::path temporary = fs::path(target).concat(L".tmp");
  if (FAILED(file->Save(temporary.c_str(), TRUE))) return false;
  if (!::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ::DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace demo
