// Startdeck's entry point.
#include <windows.h>

#include "app/Language.h"
#include "app/LogSink.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The program reads no command line.
  app::ConfigureLogFromRegistry();
  (void)app::LoadResourceLibrary(L"Startdeck");
  return 0;
}
