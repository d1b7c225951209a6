// The display names from the application table. The plug-ins manager is "VntoEM" here, though the
// catalogue and the launcher call it "VantoEM": each lookup matches only its own spelling.
#include "suite/Applications.h"
#include "suite/DisplayNames.h"
#include "suite/HostDescriptor.h"

namespace suite {

DisplayNameSource LookUpDisplayName(std::wstring_view appId, bool hostFlag) noexcept {
  if (hostFlag)
    if (const HostProgram* host = HostProgramOfToken(appId)) return {0, host->displayName};
  for (const Application& row : Applications()) {
    if (!SameAppId(row.messageId.empty() ? row.appId : row.messageId, appId)) continue;
    if (!row.namedInMessages) return {};
    if (!row.messageName.empty()) return {0, row.messageName};
    return {row.nameId, {}};
  }
  return {};
}

}  // namespace suite
