#include "support/ShellLink.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "win/ComScope.h"

namespace test {

std::optional<ShellLink> ReadShellLink(const std::filesystem::path& file) {
  const win::ComApartment com;
  Microsoft::WRL::ComPtr<IShellLinkW> link;
  Microsoft::WRL::ComPtr<IPersistFile> persist;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) ||
      FAILED(link.As(&persist)) || FAILED(persist->Load(file.c_str(), STGM_READ)))
    return std::nullopt;
  // The shell limits a link's path and folder to MAX_PATH and its arguments to INFOTIPSIZE (1,024).
  constexpr int kArgumentsLimit = 1024;
  wchar_t target[MAX_PATH] = L"", arguments[kArgumentsLimit] = L"", folder[MAX_PATH] = L"";
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) return std::nullopt;
  if (FAILED(link->GetArguments(arguments, kArgumentsLimit)) ||
      FAILED(link->GetWorkingDirectory(folder, MAX_PATH)))
    return std::nullopt;
  return ShellLink{target, arguments, folder};
}

std::filesystem::path SendToFolder() {
  PWSTR path = nullptr;
  std::filesystem::path folder;
  if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_SendTo, KF_FLAG_CREATE, nullptr, &path))) folder = path;
  ::CoTaskMemFree(path);
  return folder;
}

}  // namespace test
