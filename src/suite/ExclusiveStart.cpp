#include "suite/ExclusiveStart.h"

#include <string>

#include "StringIds.h"
#include "suite/AppId.h"
#include "suite/Privileges.h"
#include "suite/ShellStart.h"
#include "win/Resources.h"

namespace suite {
namespace {

constexpr UINT kStartErrorBox = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT kQuestionBox = MB_YESNO | MB_ICONQUESTION;
constexpr UINT kElevationBox = MB_YESNO;  // no icon

}  // namespace

bool UserWantsElevation(LaunchContext& context, UINT reasonId) {
  // The reason ends in a line break; the question follows directly.
  const std::wstring text = win::LoadString(reasonId) + win::LoadString(IDS_LAUNCH_AS_ADMIN);
  return context.ShowText(text, kElevationBox) == IDYES;
}

INT_PTR StartElevatedElseNormally(std::wstring_view path, std::wstring_view arguments) {
  const INT_PTR elevated = RunElevated(path, arguments);
  return StartSucceeded(elevated) ? elevated : StartProgram(path, arguments);
}

void ReportDamagedRegistry(LaunchContext& context) {
  context.ShowText(win::LoadString(IDS_REGISTRY_DAMAGED), kStartErrorBox);
}

void ReportFailedStart(LaunchContext& context, std::wstring_view displayName) {
  context.ShowMessage(IDS_LAUNCH_FAILED, displayName, kStartErrorBox);
}

void ReportRecordNotLeft(LaunchContext& context, std::wstring_view displayName) {
  context.ShowMessage(IDS_LAUNCH_RECORD_FAILED, displayName, kStartErrorBox);
}

void StartAlone(LaunchContext& context, const AloneStart& start, StartRecord& record) {
  if (context.ShowMessage(IDS_CLOSE_ALL_APPS, context.ProductName(), kQuestionBox) != IDYES)
    return record.Withdraw();
  if (!record.Leave()) return ReportRecordNotLeft(context, start.displayName);

  INT_PTR result = 0;
  if (IsAdministrator()) {  // NOLINT(bugprone-branch-clone): the same start, but before the question
    result = StartProgram(start.path, kWaitForServerExit);
  } else if (UserWantsElevation(context, start.rightsReason)) {
    result = StartElevatedElseNormally(start.path, kWaitForServerExit);
  } else if (start.startWithoutRights) {
    result = StartProgram(start.path, kWaitForServerExit);
  } else {
    return record.Withdraw();
  }

  if (StartSucceeded(result)) {
    record.Keep();
    // The program waits for the start centre to go.
    if (const HWND window = context.MainWindow()) ::SendMessageW(window, WM_CLOSE, 0, 0);
    return;
  }
  record.Withdraw();
  ReportFailedStart(context, start.displayName);
}

}  // namespace suite
