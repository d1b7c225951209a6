// Startdeck's entry point. The program reads no command line: the product comes from the .inf beside
// the executable and from the installation's registry records.
#include <windows.h>

#include "app/StartdeckApp.h"
#include "core/StartupTrace.h"
#include "core/WindowFailureLog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  app::OpenStartupTrace();
  app::MarkStartup(L"process start to wWinMain");
  app::LogWindowFailures();
  CStartdeckApp app;
  app.InitInstance();
  return app.ExitInstance();
}
