// Switching the QIP Infium, Internet Explorer, Firefox and Acrobat add-ins takes administrator
// rights: before Apply touches one of them without, the user may start the manager again with them.
#pragma once

#include <windows.h>

#include "PluginChanges.h"
#include "switches/PluginTable.h"

namespace pluginsmanager {

enum class RightsOutcome {
  kGoOn,       // apply here: the rights are there, not needed, or not wanted
  kRestarted,  // a copy with administrator rights was started; this one is to close
};

// Without rights and with `changes` that need them, asks (the start centre's administrator texts
// for the extensions, Yes/No); on Yes starts this program with administrator rights. A start that
// fails goes on here as well.
[[nodiscard]] RightsOutcome AskForRights(HWND owner, const switches::PluginTable& table,
                                         const WantedStates& changes);

}  // namespace pluginsmanager
