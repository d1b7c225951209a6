// SuiteApp: the stand-in for every suite application and host program that the start centre
// starts. A copy named after the program (Batcher.exe, winword.exe...) finds out who it is,
// appends one line about its start to the journal, and shows a small window saying so.
//
// Exit code: 0 when the window was closed (Close, Esc, Alt+F4 or /exitafter:N); 1 when it could
// not be shown.
#include <windows.h>

#include "StartReport.h"
#include "SubstituteWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    suiteapp::StartReport report = suiteapp::GatherStartReport();
    suiteapp::WriteJournal(report);
    if (report.exitAtOnce) return 0;
    return suiteapp::RunSubstituteWindow(instance, report);
  } catch (...) {
    return 1;
  }
}
