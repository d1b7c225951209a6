// The host table of this machine: QIP Infium under the Program Files folder, Skype where the
// suite's installer recorded it.
#pragma once

#include "tasks/HostTable.h"

namespace tasks {

// Reads the Program Files folder and the HKLM "...\VNTO9\Apps" value of the Skype program's token
// ("VantoSkype"; empty when missing).
[[nodiscard]] HostTable MakeSystemHostTable();

}  // namespace tasks
