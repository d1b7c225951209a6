// Startdeck's entry point. The program reads no command line: the product comes from the .inf beside
// the executable and from the installation's registry records.
#include <windows.h>

#include "app/StartdeckApp.h"
#include "core/StartupTrace.h"
#include "core/WindowFailureLog.h"
#include "suite/SystemLibrary.h"

namespace {

// Libraries the program loads by name (the delay-loaded accessibility library, which is not one of
// the system's known libraries, among them) come from the system folder only, never from the
// program's folder or the current one, where someone may have put a library of that name. The
// language and skin libraries are loaded from the program's folder by their full paths. Windows 7
// has the call only with its update KB2533623: without it the search stays as it is.
void LoadLibrariesFromSystemFolderOnly() noexcept {
  using SetDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (const auto setDirectories =
          kernel ? suite::ProcAddress<SetDirectoriesFn>(kernel, "SetDefaultDllDirectories") : nullptr)
    (void)setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  LoadLibrariesFromSystemFolderOnly();
  app::OpenStartupTrace();
  app::MarkStartup(L"process start to wWinMain");
  app::LogWindowFailures();
  CStartdeckApp app;
  app.InitInstance();
  return app.ExitInstance();
}
