#include "support/Installation.h"

#include <windows.h>

#include <string>

#include "support/Driver.h"
#include "support/ProcessList.h"
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
  // Every program started from the installation, also one still starting when the test ends.
  for (const ListedProcess& process : ProcessesIn(folder_)) {
    ::TerminateProcess(process.handle.get(), 1);
    ::WaitForSingleObject(process.handle.get(), 5000);
  }
}

}  // namespace test
