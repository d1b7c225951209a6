#include "support/Installation.h"

#include "support/Driver.h"
#include "support/TestPaths.h"

namespace test {

Installation::Installation(const InstallationOptions& options) : options_(options) {
  folder_ = scratch_.Folder(L"VANTO");
  std::wstring arguments = L"\"" + folder_.wstring() + L"\" --product \"" + options.product + L"\" --title \"" +
                           options.title + L"\"";
  if (!options.writeInf) arguments += L" --no-inf";
  Process installer;
  ok_ = installer.Start(BinFolder() / L"DemoInstall.exe", arguments) && installer.WaitForExit(60s) &&
        installer.ExitCode() == 0;
}

}  // namespace test
