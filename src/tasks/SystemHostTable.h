// The host table of this machine: QIP Infium under the Program Files folder, Skype where the
// suite's installer recorded it.
#pragma once

#include "tasks/HostTable.h"

namespace tasks {

// Reads the Program Files folder and HKLM "...\VNTO9\Apps" value "VantoSkype" (empty when missing).
[[nodiscard]] HostTable MakeSystemHostTable();

}  // namespace tasks
