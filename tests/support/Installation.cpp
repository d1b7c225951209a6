#include "support/Installation.h"

#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "win/Handle.h"

#include "support/Driver.h"
#include "support/TestPaths.h"

namespace test {

Installation::Installation(const InstallationOptions& options) : options_(options) {
  folder_ = scratch_.Folder(L"VANTO");
  std::wstring arguments = L"\"" + folder_.wstring() + L"\" --product \"" + options.product + L"\" --title \"" +
                           options.title + L"\"";
  if (!options.writeInf) arguments += L" --no-inf";
  if (options.language) arguments += L" --language " + std::to_wstring(*options.language);
  Process installer;
  ok_ = installer.Start(BinFolder() / L"DemoInstall.exe", arguments) && installer.WaitForExit(60s) &&
        installer.ExitCode() == 0;
}

Installation::~Installation() {
  win::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return;
  const std::wstring folder = folder_.wstring();
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    win::UniqueHandle process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (!process) continue;
    std::wstring image(32768, L'\0');
    DWORD size = static_cast<DWORD>(image.size());
    if (!::QueryFullProcessImageNameW(process.get(), 0, image.data(), &size)) continue;
    image.resize(size);
    if (image.size() > folder.size() && _wcsnicmp(image.c_str(), folder.c_str(), folder.size()) == 0) {
      ::TerminateProcess(process.get(), 1);
      ::WaitForSingleObject(process.get(), 5000);
    }
  }
}

}  // namespace test
