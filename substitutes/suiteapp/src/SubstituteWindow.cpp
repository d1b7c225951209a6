#include "SubstituteWindow.h"

#include <string>

#include "SuiteAppIds.h"

namespace suiteapp {
namespace {

constexpr UINT_PTR kExitTimer = 1;

std::wstring JournalText(const StartReport& report) {
  if (report.journalResult == ERROR_SUCCESS) return report.journalPath;
  return report.journalPath + L" (not written: error " + std::to_wstring(report.journalResult) + L")";
}

void Fill(HWND dialog, const StartReport& report) {
  ::SetWindowTextW(dialog, (report.identity.name + kCaptionSuffix).c_str());
  ::SetDlgItemTextW(dialog, IDC_NAME, report.identity.name.c_str());
  const std::wstring appId = report.identity.appId + (report.identity.host ? L" (host key)" : L"");
  ::SetDlgItemTextW(dialog, IDC_APP_ID, appId.c_str());
  ::SetDlgItemTextW(dialog, IDC_EXECUTABLE, report.executablePath.c_str());
  ::SetDlgItemTextW(dialog, IDC_COMMAND_LINE, report.entry.commandLine.c_str());
  ::SetDlgItemTextW(dialog, IDC_WORKING_FOLDER, report.entry.workingFolder.c_str());
  ::SetDlgItemTextW(dialog, IDC_RECORD, report.entry.record.c_str());
  ::SetDlgItemTextW(dialog, IDC_RECORD_LOCATION, report.record.location.c_str());
  ::SetDlgItemTextW(dialog, IDC_JOURNAL, JournalText(report).c_str());
  if (report.switches.waitForServerExit) {
    HWND note = ::GetDlgItem(dialog, IDC_WAIT_NOTE);
    ::SetWindowTextW(
        note, L"Started with /WaitForServerExit: this program would wait for the start centre to quit.");
    ::ShowWindow(note, SW_SHOW);
  }
}

INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto& report = *reinterpret_cast<const StartReport*>(lParam);
      Fill(dialog, report);
      if (report.switches.exitAfterMs) ::SetTimer(dialog, kExitTimer, *report.switches.exitAfterMs, nullptr);
      ::SetFocus(::GetDlgItem(dialog, IDCANCEL));
      return FALSE;  // focus set here
    }
    case WM_TIMER:
      if (wParam != kExitTimer) return FALSE;
      ::KillTimer(dialog, kExitTimer);
      ::EndDialog(dialog, 0);
      return TRUE;
    case WM_COMMAND:
      // The Close button, Esc, and Alt+F4 (the dialog turns WM_CLOSE into IDCANCEL).
      if (LOWORD(wParam) != IDCANCEL) return FALSE;
      ::EndDialog(dialog, 0);
      return TRUE;
    default: return FALSE;
  }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    return OnMessage(dialog, message, wParam, lParam);
  } catch (...) {
    // A window this small has nothing to save: close it rather than run on half-filled.
    ::EndDialog(dialog, 1);
    return TRUE;
  }
}

}  // namespace

int RunSubstituteWindow(HINSTANCE instance, const StartReport& report) noexcept {
  const INT_PTR result = ::DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SUITEAPP), nullptr, DialogProc,
                                           reinterpret_cast<LPARAM>(&report));
  return result == -1 ? 1 : static_cast<int>(result);
}

}  // namespace suiteapp
