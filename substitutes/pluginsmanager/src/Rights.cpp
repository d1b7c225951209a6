#include "Rights.h"

#include "StringIds.h"
#include "core/Language.h"
#include "suite/Privileges.h"
#include "suite/ShellStart.h"
#include "win/MessageBox.h"
#include "win/Resources.h"

namespace pluginsmanager {

RightsOutcome AskForRights(HWND owner, const switches::PluginTable& table, const WantedStates& changes) {
  if (suite::IsAdministrator() || !NeedsAdministrator(table, changes)) return RightsOutcome::kGoOn;
  const int answer = win::ShowMessageBox(
      owner, win::LoadString(IDS_ADMIN_FOR_EXTENSIONS) + win::LoadString(IDS_LAUNCH_AS_ADMIN),
      win::LoadString(IDS_SW_CAPTION), MB_YESNO | MB_ICONQUESTION);
  if (answer != IDYES) return RightsOutcome::kGoOn;
  return suite::StartSucceeded(suite::RunElevated(app::ProgramPath())) ? RightsOutcome::kRestarted
                                                                       : RightsOutcome::kGoOn;
}

}  // namespace pluginsmanager
