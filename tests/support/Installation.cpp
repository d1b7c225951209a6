#include "support/Installation.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "support/Driver.h"
#include "support/ProcessList.h"
#include "support/TestPaths.h"

namespace test {

Installation::Installation(const InstallationOptions& options) : options_(options) {
  if (!options.installed.empty()) {
    folder_ = options.installed;
    std::error_code error;
    ok_ = std::filesystem::is_regular_file(Program(), error);
    return;
  }
  folder_ = scratch_.Folder(L"VANTO");
  std::wstring arguments = L"\"" + folder_.wstring() + L"\" --product \"" + options.product +
                           L"\" --title \"" + options.title + L"\"";
  if (!options.writeInf) arguments += L" --no-inf";
  if (options.language) arguments += L" --language " + std::to_wstring(*options.language);
  // Now and then Wine fails to start a program or ends it at once (seen once in some hundred
  // installations, within 30 ms): a second attempt tells that apart from an installer that fails.
  for (int attempt = 1; attempt <= 2 && !ok_; ++attempt) {
    Process installer;
    const bool started = installer.Start(BinFolder() / L"DemoInstall.exe", arguments);
    ok_ = started && installer.WaitForExit(60s) && installer.ExitCode() == 0;
    if (!ok_)
      std::fprintf(stderr, "demo installation, attempt %d: %s (exit code %lu, error %lu)\n", attempt,
                   started ? "the installer failed" : "the installer did not start",
                   static_cast<unsigned long>(started ? installer.ExitCode() : 0),
                   static_cast<unsigned long>(installer.LastError()));
  }
}

Installation::~Installation() {
  // Every program started from the installation, also one still starting when the test ends.
  for (const ListedProcess& process : ProcessesIn(folder_)) {
    ::TerminateProcess(process.handle.get(), 1);
    ::WaitForSingleObject(process.handle.get(), 5000);
  }
}

}  // namespace test
